// VkWindowMenuBar.cpp - VkWindow's menu-bar operations.
#include "framework/VkWindow.h"

#include "framework/VkMenuBar.h"
#include "framework/VkSubMenu.h"

#include <Xm/MainW.h>

// A bar replaced by another goes: the window owns exactly one.
void VkWindow::setMenuBar(VkMenuBar *menuBar)
{
    if (menuBar == _menuBar)
        return;
    deleteMenuBar();
    _menuBar = menuBar;
    installMenuBar();
}

void VkWindow::setMenuBarFromTable(MenuDescription *table)
{
    if (!_menuBar) {
        _menuBar = new VkMenuBar("Application", True);
        // The first show builds a new bar; once the window is up, nothing else would.
        if (XtIsRealized(mainWindowWidget()))
            installMenuBar();
    }
    for (MenuDescription *entry = table; entry && entry->kind != End; entry++) {
        if (entry->kind == Submenu)
            _menuBar->addSubmenu(entry->name, entry->submenu, entry->clientData);
    }
}

VkSubMenu *VkWindow::addMenuPane(const char *name)
{
    if (!_menuBar) {
        _menuBar = new VkMenuBar(True);
        if (XtIsRealized(mainWindowWidget()))
            installMenuBar();
    }
    return _menuBar->addSubmenu(name);
}

VkSubMenu *VkWindow::addMenuPane(const char *name, MenuDescription *table)
{
    if (!_menuBar) {
        _menuBar = new VkMenuBar(True);
        if (XtIsRealized(mainWindowWidget()))
            installMenuBar();
    }
    return _menuBar->addSubmenu(name, table, nullptr);
}

void VkWindow::installMenuBar()
{
    if (_menuBarInstalled || !_menuBar)
        return;
    _menuBar->build(mainWindowWidget());
    XtVaSetValues(mainWindowWidget(), XmNmenuBar, _menuBar->baseWidget(), nullptr);
    _menuBarInstalled = 1;
}

void VkWindow::deleteMenuBar()
{
    delete _menuBar;
    _menuBar = nullptr;
    _menuBarInstalled = 0;
}
