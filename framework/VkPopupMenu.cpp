// VkPopupMenu.cpp - a popup menu posted by button 3 on its attached widgets.
#include "framework/VkPopupMenu.h"

#include <Xm/RowColumn.h>

#include <algorithm>

VkPopupMenu::VkPopupMenu(MenuDescription *table, XtPointer clientData)
    : VkMenu("popupMenu")
{
    addFromTable(table, clientData, false);
}

VkPopupMenu::VkPopupMenu(Widget w, MenuDescription *table, XtPointer clientData)
    : VkMenu("popupMenu")
{
    addFromTable(table, clientData, false);
    attach(w);
}

VkPopupMenu::VkPopupMenu(Widget w, const char *name, MenuDescription *table,
                         XtPointer clientData)
    : VkMenu(name)
{
    addFromTable(table, clientData, false);
    attach(w);
}

// The attached widgets may outlive the popup; their handlers must not.
VkPopupMenu::~VkPopupMenu()
{
    detachAll();
    deleteItems();
}

const char *VkPopupMenu::className() { return "VkPopupMenu"; }

MenuItemKind VkPopupMenu::menuType() { return PopupMenu; }

void VkPopupMenu::build(Widget) {}

void VkPopupMenu::attach(Widget w)
{
    if (!w)
        return;
    if (!_isBuilt)
        buildMenu(w);
    XtAddEventHandler(w, ButtonPressMask, False, sButtonPressEH, this);
    XtAddCallback(w, XmNdestroyCallback, sAttachedDestroyedCB, this);
    _attached.push_back(w);
}

void VkPopupMenu::buildMenu(Widget parent)
{
    if (!_baseWidget) {
        // Posting is ours alone: with the toolkit's automatic posting on as well,
        // one press would post the menu twice.
        Arg args[1];
        XtSetArg(args[0], XmNpopupEnabled, XmPOPUP_KEYBOARD);
        _baseWidget = XmCreatePopupMenu(parent, (char *)name(), args, 1);
        addDestroyHandler();
    }
    buildItems();
    _isBuilt = 1;
}

void VkPopupMenu::popup(XEvent *event)
{
    if (!_baseWidget)
        return;
    XButtonPressedEvent at;
    if (event && (event->type == ButtonPress || event->type == ButtonRelease)) {
        at = event->xbutton;
    } else {
        // Without a press to go by, the menu opens where the pointer is.
        at = XButtonPressedEvent();
        Window child;
        int x, y;
        unsigned int mask;
        XQueryPointer(XtDisplay(_baseWidget), RootWindowOfScreen(XtScreen(_baseWidget)),
                      &at.root, &child, &at.x_root, &at.y_root, &x, &y, &mask);
    }
    XmMenuPosition(_baseWidget, &at);
    XtManageChild(_baseWidget);
}

Widget VkPopupMenu::labelWidget() { return nullptr; }

void VkPopupMenu::sButtonPressEH(Widget, XtPointer clientData, XEvent *event, Boolean *)
{ static_cast<VkPopupMenu *>(clientData)->buttonPressed(event); }

void VkPopupMenu::sAttachedDestroyedCB(Widget w, XtPointer clientData, XtPointer)
{
    std::vector<Widget> &attached = static_cast<VkPopupMenu *>(clientData)->_attached;
    attached.erase(std::remove(attached.begin(), attached.end(), w), attached.end());
}

void VkPopupMenu::buttonPressed(XEvent *event)
{
    if (event && event->type == ButtonPress && event->xbutton.button == Button3)
        popup(event);
}

void VkPopupMenu::detachAll()
{
    for (Widget w : _attached) {
        XtRemoveEventHandler(w, ButtonPressMask, False, sButtonPressEH, this);
        XtRemoveCallback(w, XmNdestroyCallback, sAttachedDestroyedCB, this);
    }
    _attached.clear();
}
