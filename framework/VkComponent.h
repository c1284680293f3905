// VkComponent.h - the base of every window, dialog, menu item and field: a name,
// one base widget, and named callback lists.
#ifndef VIREO_FRAMEWORK_VKCOMPONENT_H
#define VIREO_FRAMEWORK_VKCOMPONENT_H

#include "framework/VkCallbackObject.h"

#include <X11/Intrinsic.h>
#include <X11/Xresource.h>

class VkComponent : public VkCallbackObject {
public:
    // Raised by the destructor, with null call data.
    static const char *const deleteCallback;    // "VkComponentDeleteCallback"

    explicit VkComponent(const char *name);
    VkComponent(const VkComponent &) = delete;
    VkComponent &operator=(const VkComponent &) = delete;

    virtual void afterFirstShow();
    virtual ~VkComponent();
    virtual Widget baseWidget() const;
    virtual const char *className() = 0;
    virtual void show();
    virtual void hide();
    virtual void widgetDestroyed();
    virtual bool canQuit();

    const char *name() const { return _name; }

    // Forget the base widget when its parent destroys it first.
    void addDestroyHandler();
    void removeDestroyHandler();
    static void destroyedCallback(Widget, XtPointer clientData, XtPointer);

    // Puts built-in resource lines under the application class into the display's
    // database; what the user's files, the server or the command line set wins.
    // A line starting with '-' applies to the whole application, any other line
    // to this component's name. The array ends with a null entry.
    void mergeDefaultResources(Widget w, const char *const *resourceLines);

    // Reads application resources into this object's fields (offsets from this).
    void getResources(XtResourceList resources, int numResources);

protected:
    XrmDatabase _defaultResourceDb = nullptr;  // only between building and merging
    char       *_name;
    Widget      _baseWidget = nullptr;
};

#endif
