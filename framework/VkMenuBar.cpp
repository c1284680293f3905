// VkMenuBar.cpp - a window's menu bar with its help menu at the right end.
#include "framework/VkMenuBar.h"

#include "framework/VkHelpPane.h"
#include "framework/VkSubMenu.h"

#include <Xm/RowColumn.h>

VkMenuBar::VkMenuBar(Boolean helpPane) : VkMenu("menuBar")
{
    makeHelpPane(helpPane);
}

VkMenuBar::VkMenuBar(const char *name, Boolean helpPane) : VkMenu(name)
{
    makeHelpPane(helpPane);
}

VkMenuBar::VkMenuBar(MenuDescription *table, XtPointer clientData, Boolean helpPane)
    : VkMenu("menuBar")
{
    _defaultClientData = clientData;
    addPanes(table);
    makeHelpPane(helpPane);
}

VkMenuBar::VkMenuBar(const char *name, MenuDescription *table, XtPointer clientData,
                     Boolean helpPane)
    : VkMenu(name)
{
    _defaultClientData = clientData;
    addPanes(table);
    makeHelpPane(helpPane);
}

VkMenuBar::~VkMenuBar()
{
    delete _helpPane;
    _helpPane = nullptr;
}

const char *VkMenuBar::className() { return "VkMenuBar"; }

MenuItemKind VkMenuBar::menuType() { return MenuBar; }

void VkMenuBar::build(Widget parent)
{
    if (_isBuilt)
        return;
    _baseWidget = XmCreateMenuBar(parent, (char *)name(), nullptr, 0);
    XtManageChild(_baseWidget);
    buildItems();
    // As the menu-help widget the help cascade sits at the right end of the bar.
    if (_helpPane) {
        _helpPane->build(_baseWidget);
        XtVaSetValues(_baseWidget, XmNmenuHelpWidget, _helpPane->baseWidget(), nullptr);
    }
    if (!_sensitive)
        applySensitivity();
    finishBuild();
}

// A bar has no label of its own.
Widget VkMenuBar::labelWidget() { return nullptr; }

// A bar holds panes only: every other kind of entry is skipped.
void VkMenuBar::addPanes(MenuDescription *table)
{
    for (MenuDescription *entry = table; entry && entry->kind != End; entry++) {
        if (entry->kind != Submenu)
            continue;
        XtPointer data = entry->clientData ? entry->clientData : _defaultClientData;
        addSubmenu(entry->name, entry->submenu, data);
    }
}

void VkMenuBar::makeHelpPane(Boolean helpPane)
{
    if (helpPane)
        _helpPane = new VkHelpPane("helpMenu", nullptr, nullptr);
}
