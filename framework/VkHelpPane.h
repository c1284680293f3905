// VkHelpPane.h - the Help menu at the right end of a menu bar, with its
// standard items and their default labels.
#ifndef VIREO_FRAMEWORK_VKHELPPANE_H
#define VIREO_FRAMEWORK_VKHELPPANE_H

#include "framework/VkSubMenu.h"

#include <string>

class VkHelpPane : public VkSubMenu {
public:
    VkHelpPane(const char *name = "helpMenu", MenuDescription *table = nullptr,
               XtPointer clientData = nullptr);
    VkHelpPane(Widget parent, const char *name, MenuDescription *table = nullptr,
               XtPointer clientData = nullptr);
    ~VkHelpPane() override;
    const char *className() override;
    void build(Widget parent) override;

    // The dotted widget path of w, from the top-level window's shell down.
    static std::string widgetPath(Widget w);
    // The path that Click for Help picked last; empty before.
    const std::string &contextPath() const { return _contextPath; }

    static const char *const sDefaultResources[];

private:
    static void sContextHelpCB(Widget, XtPointer clientData, XtPointer);
    static void sNoHelpCB(Widget, XtPointer clientData, XtPointer);
    static void sProductInfoCB(Widget, XtPointer clientData, XtPointer);
    void addStandardItems();
    void contextHelpCallback();
    void noHelpCallback();
    void productInfoCallback();

    Cursor      _helpCursor = None;
    Display    *_display = nullptr;     // of the cursor, to free it
    std::string _contextPath;
};

#endif
