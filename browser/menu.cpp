// menu.cpp - MainWin's menu bar and the command state of its items. The bar holds the
// commands that exist so far: File (Exit) and Server (update, redial, refresh, stop).
// Labels come from the class resource file under the item names.
#include "browser/mainwin.h"

#include "framework/VkApp.h"
#include "framework/VkMenuBar.h"

#include <cassert>

static MenuDescription sFileMenu[] = {
    {Action, "Exit", &MainWin::sExitCB, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

static MenuDescription sServerMenu[] = {
    {Action, "UpdateList", &MainWin::sUpdateListCB, nullptr, nullptr, nullptr},
    {Action, "BusyRedial", &MainWin::sRedialCB, nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "RefreshSelected", &MainWin::sRefreshSelectedCB, nullptr, nullptr, nullptr},
    {Action, "RefreshAll", &MainWin::sRefreshAllCB, nullptr, nullptr, nullptr},
    {Action, "Stop", &MainWin::sStopCB, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

static MenuDescription sMenuBar[] = {
    {Submenu, "File", nullptr, sFileMenu, nullptr, nullptr},
    {Submenu, "Server", nullptr, sServerMenu, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

// No help pane yet: its only item will be "About", which comes with the about dialog.
void MainWin::createMenuBar()
{
    setMenuBar(new VkMenuBar(sMenuBar, this, False));
}

// ---- Callbacks

void MainWin::sExitCB(Widget, XtPointer, XtPointer)
{ gApplication->quitYourself(); }

void MainWin::sUpdateListCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<MainWin *>(clientData)->updateList(); }

void MainWin::sRedialCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<MainWin *>(clientData)->redialSelected(); }

void MainWin::sRefreshSelectedCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<MainWin *>(clientData)->refreshSelected(); }

void MainWin::sRefreshAllCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<MainWin *>(clientData)->refreshAll(); }

void MainWin::sStopCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<MainWin *>(clientData)->stop(); }

// ---- Finding and setting items

VkMenu *MainWin::getMenu(const char *name)
{
    assert(name);
    VkMenuBar *bar = menuBar();
    assert(bar);
    VkMenuItem *item = bar->findItem(name);
    return item && item->isContainer() ? static_cast<VkMenu *>(item) : nullptr;
}

void MainWin::setItemSensitive(VkMenu *menu, const char *name, bool sensitive)
{
    assert(menu && name);
    VkMenuItem *item = menu->findItem(name);
    if (!item)
        return;
    if (sensitive)
        item->activate();
    else
        item->deactivate();
}

void MainWin::setItemLabel(VkMenu *menu, const char *name, const char *text)
{
    assert(menu);
    assert(name);
    VkMenuItem *item = menu->findItem(name);
    if (item)
        item->setLabel(text);
}

// ---- Command state

void MainWin::updateMenus()
{
    updateFileMenu();
    updateServerMenu();
}

void MainWin::updateFileMenu()
{
    VkMenu *file = getMenu("File");
    if (!file)
        return;
    setItemSensitive(file, "Open", !isBusy());
    setItemSensitive(file, "Save", serverCount() > 0);
    setItemSensitive(file, "Print", serverCount() > 0);
}

void MainWin::updateServerItems(VkMenu *menu)
{
    int sel = selectedCount();
    bool busy = isBusy();
    setItemSensitive(menu, "Launch", sel > 0);
    setItemSensitive(menu, "Delete", sel > 0);
    setItemSensitive(menu, "AddToFavorites", sel > 0);
    setItemSensitive(menu, "AddToNeverPing", sel > 0);
    setItemSensitive(menu, "RefreshAll", !busy && serverCount() > 0);
    setItemSensitive(menu, "RefreshSelected", !busy && sel > 0);
    setItemLabel(menu, "AddToFavorites",
                 mView == 3 ? "Remove from Favorites" : "Add to Favorites");
    setItemLabel(menu, "AddToNeverPing",
                 mView == 4 ? "Remove from Never Ping" : "Add to Never Ping");
}

void MainWin::updateServerMenu()
{
    VkMenu *server = getMenu("Server");
    if (!server)
        return;
    updateServerItems(server);
    bool busy = isBusy();
    int sel = selectedCount();
    setItemSensitive(server, "UpdateList", !busy);
    setItemSensitive(server, "BusyRedial", !busy && sel == 1);
    setItemSensitive(server, "Statistics", !busy && sel == 1);
    setItemSensitive(server, "FindPlayer", !busy && serverCount() > 0);
    setItemSensitive(server, "Stop", busy);
}

// The pane items live in the View menu, which is not built yet.
void MainWin::updatePaneLabels()
{
    VkMenu *view = getMenu("View");
    if (!view)
        return;
    setItemLabel(view, "BottomPane",
                 mInfoPane && XtIsManaged(mInfoPane) ? "Hide Bottom Pane" : "Show Bottom Pane");
    setItemLabel(view, "RulesPane",
                 mRuleGrid && XtIsManaged(mRuleGrid) ? "Hide Rules Pane" : "Show Rules Pane");
}
