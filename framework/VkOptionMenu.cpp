// VkOptionMenu.cpp - an option menu built at once from its table.
#include "framework/VkOptionMenu.h"

#include <Xm/RowColumn.h>

#include <string>

VkOptionMenu::VkOptionMenu(Widget parent, MenuDescription *table, XtPointer clientData)
    : VkMenu("optionMenu")
{
    addFromTable(table, clientData, false);
    build(parent);
}

VkOptionMenu::VkOptionMenu(Widget parent, const char *name, MenuDescription *table,
                           XtPointer clientData)
    : VkMenu(name)
{
    addFromTable(table, clientData, false);
    build(parent);
}

// The pulldown is not inside the option menu's tree, so it goes by hand, after
// the items whose widgets it holds.
VkOptionMenu::~VkOptionMenu()
{
    deleteItems();
    if (_pulldown) {
        XtRemoveCallback(_pulldown, XmNdestroyCallback, sPulldownDestroyedCB, this);
        XtDestroyWidget(_pulldown);
        _pulldown = nullptr;
    }
}

const char *VkOptionMenu::className() { return "VkOptionMenu"; }

MenuItemKind VkOptionMenu::menuType() { return OptionMenu; }

void VkOptionMenu::build(Widget parent)
{
    if (_isBuilt)
        return;
    // Sized to the name, so no option-menu name is too long.
    std::string pulldownName = std::string(name() ? name() : "") + "_pulldown";
    _pulldown = XmCreatePulldownMenu(parent, (char *)pulldownName.c_str(), nullptr, 0);
    XtAddCallback(_pulldown, XmNdestroyCallback, sPulldownDestroyedCB, this);

    XmString empty = XmStringCreateSimple((char *)"");
    Arg args[2];
    XtSetArg(args[0], XmNsubMenuId, _pulldown);
    XtSetArg(args[1], XmNlabelString, empty);
    _baseWidget = XmCreateOptionMenu(parent, (char *)name(), args, 2);
    XmStringFree(empty);
    buildItems();
    XtManageChild(_baseWidget);
    finishBuild();
}

void VkOptionMenu::setMenuHistory(const char *name)
{
    setMenuHistory(findItem(name));
}

void VkOptionMenu::setMenuHistory(int index)
{
    setMenuHistory(item(index));
}

void VkOptionMenu::setMenuHistory(VkMenuItem *shown)
{
    if (!shown || !_baseWidget || !shown->baseWidget())
        return;
    XtVaSetValues(_baseWidget, XmNmenuHistory, shown->baseWidget(), nullptr);
}

int VkOptionMenu::getIndex()
{
    if (!_baseWidget)
        return -1;
    Widget shown = nullptr;
    XtVaGetValues(_baseWidget, XmNmenuHistory, &shown, nullptr);
    return indexOf(shown);
}

VkMenuItem *VkOptionMenu::getItem()
{
    return item(getIndex());
}

Widget VkOptionMenu::itemParent() { return _pulldown; }

Widget VkOptionMenu::labelWidget()
{
    return _baseWidget ? XmOptionLabelGadget(_baseWidget) : nullptr;
}

void VkOptionMenu::sPulldownDestroyedCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<VkOptionMenu *>(clientData)->_pulldown = nullptr; }
