// VkComponent.cpp - component base: name, base widget life, default resources.
#include "framework/VkComponent.h"

#include "framework/VkApp.h"

#include <Xm/Xm.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

const char *const VkComponent::deleteCallback = "VkComponentDeleteCallback";

VkComponent::VkComponent(const char *name)
    : _name(name ? strdup(name) : nullptr)
{
}

void VkComponent::afterFirstShow()
{
}

VkComponent::~VkComponent()
{
    callCallbacks(deleteCallback, nullptr);
    if (_baseWidget) {
        removeDestroyHandler();
        XtDestroyWidget(_baseWidget);
        _baseWidget = nullptr;
    }
    if (_defaultResourceDb)
        XrmDestroyDatabase(_defaultResourceDb);
    free(_name);
    _name = nullptr;
}

Widget VkComponent::baseWidget() const
{
    return _baseWidget;
}

void VkComponent::show()
{
    XtManageChild(_baseWidget);
}

void VkComponent::hide()
{
    XtUnmanageChild(_baseWidget);
}

void VkComponent::widgetDestroyed()
{
    _baseWidget = nullptr;
}

bool VkComponent::canQuit()
{
    return true;
}

void VkComponent::addDestroyHandler()
{
    XtAddCallback(_baseWidget, XmNdestroyCallback, &VkComponent::destroyedCallback, this);
}

void VkComponent::removeDestroyHandler()
{
    XtRemoveCallback(_baseWidget, XmNdestroyCallback, &VkComponent::destroyedCallback, this);
}

void VkComponent::destroyedCallback(Widget, XtPointer clientData, XtPointer)
{
    static_cast<VkComponent *>(clientData)->widgetDestroyed();
}

void VkComponent::mergeDefaultResources(Widget w, const char *const *resourceLines)
{
    const char *appClass = gApplication ? gApplication->className() : "";
    if (_defaultResourceDb)
        XrmDestroyDatabase(_defaultResourceDb);
    _defaultResourceDb = XrmGetStringDatabase("");
    for (int i = 0; resourceLines && resourceLines[i]; i++) {
        const char *line = resourceLines[i];
        std::string spec(appClass);
        spec += '*';
        if (line[0] == '-') {
            spec += line + 1;
        } else {
            spec += _name ? _name : "";
            spec += line;
        }
        XrmPutLineResource(&_defaultResourceDb, spec.c_str());
    }
    // Combining consumes the source database, so the handle is dropped with it.
    Display *dpy = XtDisplayOfObject(w);
    XrmDatabase displayDb = XtDatabase(dpy);
    XrmCombineDatabase(_defaultResourceDb, &displayDb, False);
    _defaultResourceDb = nullptr;
    XrmSetDatabase(dpy, displayDb);
}

void VkComponent::getResources(XtResourceList resources, int numResources)
{
    if (!_baseWidget) {
        fputs("_baseWidget NULL inside of getResources\n", stderr);
        exit(1);
    }
    XtGetApplicationResources(_baseWidget, (XtPointer)this, resources, (Cardinal)numResources,
                              nullptr, 0);
}
