// VkSubMenu.cpp - a cascade button with its pulldown menu.
#include "framework/VkSubMenu.h"

#include <Xm/CascadeBG.h>
#include <Xm/RowColumn.h>

VkSubMenu::VkSubMenu(const char *name) : VkMenu(name) {}

// The pulldown is not inside the cascade's tree, so it goes by hand, after the
// items whose widgets it holds.
VkSubMenu::~VkSubMenu()
{
    deleteItems();
    if (_pulldown) {
        XtRemoveCallback(_pulldown, XmNdestroyCallback, sPulldownDestroyedCB, this);
        XtDestroyWidget(_pulldown);
        _pulldown = nullptr;
    }
}

const char *VkSubMenu::className() { return "VkSubMenu"; }

MenuItemKind VkSubMenu::menuType() { return Submenu; }

void VkSubMenu::build(Widget parent) { buildSubMenu(parent, False); }

void VkSubMenu::setTearOff(Boolean tearOff)
{
    _tearOff = tearOff ? 1 : 0;
    if (_pulldown)
        XtVaSetValues(_pulldown, XmNtearOffModel,
                      _tearOff ? XmTEAR_OFF_ENABLED : XmTEAR_OFF_DISABLED, nullptr);
}

Widget VkSubMenu::itemParent() { return _pulldown; }

void VkSubMenu::buildSubMenu(Widget parent, Boolean radio)
{
    if (_isBuilt)
        return;
    Arg args[2];
    Cardinal count = 0;
    XtSetArg(args[count], XmNtearOffModel, _tearOff ? XmTEAR_OFF_ENABLED : XmTEAR_OFF_DISABLED);
    count++;
    if (radio) {
        XtSetArg(args[count], XmNradioBehavior, True);
        count++;
    }
    _pulldown = XmCreatePulldownMenu(parent, (char *)name(), args, count);
    XtAddCallback(_pulldown, XmNdestroyCallback, sPulldownDestroyedCB, this);

    XtSetArg(args[0], XmNsubMenuId, _pulldown);
    _baseWidget = XmCreateCascadeButtonGadget(parent, (char *)name(), args, 1);
    XtManageChild(_baseWidget);
    buildItems();
    if (!_sensitive)
        applySensitivity();
    finishBuild();
}

void VkSubMenu::sPulldownDestroyedCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<VkSubMenu *>(clientData)->_pulldown = nullptr; }
