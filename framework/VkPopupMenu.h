// VkPopupMenu.h - a menu posted by mouse button 3 on the widgets it is attached to.
#ifndef VIREO_FRAMEWORK_VKPOPUPMENU_H
#define VIREO_FRAMEWORK_VKPOPUPMENU_H

#include "framework/VkMenu.h"

#include <vector>

class VkPopupMenu : public VkMenu {
public:
    VkPopupMenu(MenuDescription *table, XtPointer clientData = nullptr);
    VkPopupMenu(Widget w, MenuDescription *table, XtPointer clientData = nullptr);
    VkPopupMenu(Widget w, const char *name, MenuDescription *table,
                XtPointer clientData = nullptr);
    ~VkPopupMenu() override;
    const char *className() override;
    MenuItemKind menuType() override;
    // A popup is built only by buildMenu, under the widget it belongs to.
    void build(Widget parent) override;

    virtual void attach(Widget w);
    virtual void buildMenu(Widget parent);
    // Posts at the event's pointer position; a null event posts at the pointer.
    virtual void popup(XEvent *event);

protected:
    Widget labelWidget() override;

private:
    static void sButtonPressEH(Widget, XtPointer clientData, XEvent *event, Boolean *);
    static void sAttachedDestroyedCB(Widget w, XtPointer clientData, XtPointer);
    void buttonPressed(XEvent *event);
    void detachAll();

    std::vector<Widget> _attached;  // widgets whose button presses post this popup
};

#endif
