// menu.cpp - MainWin's menu bar, the server grid's popup menu, and the command state of
// their items. Labels come from the class resource file under the item names; only the
// labels that follow the program's state are set here.
#include "browser/mainwin.h"

#include "framework/VkApp.h"
#include "framework/VkHelpPane.h"
#include "framework/VkMenuBar.h"
#include "framework/VkPopupMenu.h"

#include <Xm/ToggleB.h>

#include <cassert>
#include <cstring>

#define CMD(method) &MainWin::sCommandCB<&MainWin::method>

static MenuDescription sFileMenu[] = {
    {Action, "Open", CMD(loadServers), nullptr, nullptr, nullptr},
    {Action, "Save", CMD(saveServers), nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "Print", CMD(printServers), nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "Exit", &MainWin::sExitCB, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

static MenuDescription sEditMenu[] = {
    {Action, "Copy", CMD(copyCB), nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "Add", CMD(showAddDialog), nullptr, nullptr, nullptr},
    {Action, "Delete", CMD(deleteServers), nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "Find", nullptr, nullptr, nullptr, nullptr},
    {Action, "FindAgain", nullptr, nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "SelectAll", CMD(selectAll), nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

static MenuDescription sServerMenu[] = {
    {Action, "AddToFavorites", CMD(toggleFavorites), nullptr, nullptr, nullptr},
    {Action, "AddToNeverPing", CMD(toggleNeverPing), nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "Launch", &MainWin::launchCB, nullptr, nullptr, nullptr},
    {Action, "UpdateList", &MainWin::sUpdateListCB, nullptr, nullptr, nullptr},
    {Action, "BusyRedial", &MainWin::sRedialCB, nullptr, nullptr, nullptr},
    {Action, "FindPlayer", nullptr, nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "RefreshSelected", &MainWin::sRefreshSelectedCB, nullptr, nullptr, nullptr},
    {Action, "RefreshAll", &MainWin::sRefreshAllCB, nullptr, nullptr, nullptr},
    {Action, "Statistics", nullptr, nullptr, nullptr, nullptr},
    {Action, "Stop", &MainWin::sStopCB, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

// Item k of each sort menu stands for sort key k.
static MenuDescription sSortServersMenu[] = {
    {Toggle, "Name", &MainWin::sSortServersCB, nullptr, nullptr, nullptr},
    {Toggle, "Ping", &MainWin::sSortServersCB, nullptr, nullptr, nullptr},
    {Toggle, "TimeOut", &MainWin::sSortServersCB, nullptr, nullptr, nullptr},
    {Toggle, "IP", &MainWin::sSortServersCB, nullptr, nullptr, nullptr},
    {Toggle, "Map", &MainWin::sSortServersCB, nullptr, nullptr, nullptr},
    {Toggle, "Players", &MainWin::sSortServersCB, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

static MenuDescription sSortPlayersMenu[] = {
    {Toggle, "Team", &MainWin::sSortPlayersCB, nullptr, nullptr, nullptr},
    {Toggle, "Name", &MainWin::sSortPlayersCB, nullptr, nullptr, nullptr},
    {Toggle, "Frags", &MainWin::sSortPlayersCB, nullptr, nullptr, nullptr},
    {Toggle, "ConnectTime", &MainWin::sSortPlayersCB, nullptr, nullptr, nullptr},
    {Toggle, "Ping", &MainWin::sSortPlayersCB, nullptr, nullptr, nullptr},
    {Toggle, "Skin", &MainWin::sSortPlayersCB, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

// Toggle k shows view tab k.
static MenuDescription sViewMenu[] = {
    {Toggle, "AllServers", &MainWin::sViewCB, nullptr, nullptr, nullptr},
    {Toggle, "PassedFilters", &MainWin::sViewCB, nullptr, nullptr, nullptr},
    {Toggle, "FilteredOut", &MainWin::sViewCB, nullptr, nullptr, nullptr},
    {Toggle, "Favorites", &MainWin::sViewCB, nullptr, nullptr, nullptr},
    {Toggle, "NeverPing", &MainWin::sViewCB, nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {RadioSubmenu, "SortServers", nullptr, sSortServersMenu, nullptr, nullptr},
    {RadioSubmenu, "SortPlayers", nullptr, sSortPlayersMenu, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "BottomPane", CMD(toggleBottomPane), nullptr, nullptr, nullptr},
    {Action, "RulesPane", CMD(toggleRulesPane), nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "Options", &MainWin::optionsCB, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

static MenuDescription sMenuBar[] = {
    {Submenu, "File", nullptr, sFileMenu, nullptr, nullptr},
    {Submenu, "Edit", nullptr, sEditMenu, nullptr, nullptr},
    {Submenu, "Server", nullptr, sServerMenu, nullptr, nullptr},
    {Submenu, "View", nullptr, sViewMenu, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

static MenuDescription sPopupMenu[] = {
    {Action, "Launch", &MainWin::launchCB, nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "AddToFavorites", CMD(toggleFavorites), nullptr, nullptr, nullptr},
    {Action, "AddToNeverPing", CMD(toggleNeverPing), nullptr, nullptr, nullptr},
    {Action, "Delete", CMD(deleteServers), nullptr, nullptr, nullptr},
    {Separator, "separator", nullptr, nullptr, nullptr, nullptr},
    {Action, "RefreshSelected", &MainWin::sRefreshSelectedCB, nullptr, nullptr, nullptr},
    {Action, "RefreshAll", &MainWin::sRefreshAllCB, nullptr, nullptr, nullptr},
    {End, nullptr, nullptr, nullptr, nullptr, nullptr},
};

void MainWin::createMenuBar()
{
    VkMenuBar *bar = new VkMenuBar(sMenuBar, this, True);
    setMenuBar(bar);
    addAboutItem(bar);
}

// The help pane's standard items have nothing behind them in this program.
void MainWin::addAboutItem(VkMenuBar *bar)
{
    VkHelpPane *help = bar->helpPane();
    assert(help);
    while (help->numItems() > 0)
        delete help->removeItem(help->item(0)->name());
    help->addAction("About", &MainWin::aboutCB, this);
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

// Whatever state the click left the toggle in: the tab decides, and the next command
// update shows it again.
// The view shown, chosen again, changes nothing, so no command-state update puts back the
// check mark that the click took off its item.
void MainWin::sViewCB(Widget w, XtPointer clientData, XtPointer)
{
    MainWin *win = static_cast<MainWin *>(clientData);
    win->setViewTab(itemIndex(sViewMenu, XtName(w)));
    win->updateViewMenu();
}

void MainWin::sSortServersCB(Widget w, XtPointer clientData, XtPointer callData)
{
    if (static_cast<XmToggleButtonCallbackStruct *>(callData)->set)
        static_cast<MainWin *>(clientData)->setServerSortKey(
            itemIndex(sSortServersMenu, XtName(w)));
}

void MainWin::sSortPlayersCB(Widget w, XtPointer clientData, XtPointer callData)
{
    if (static_cast<XmToggleButtonCallbackStruct *>(callData)->set)
        static_cast<MainWin *>(clientData)->setPlayerSortKey(
            itemIndex(sSortPlayersMenu, XtName(w)));
}

int MainWin::itemIndex(const MenuDescription *table, const char *name)
{
    int index = 0;
    for (; table[index].kind != End; index++) {
        if (strcmp(table[index].name, name) == 0)
            return index;
    }
    assert(!"menu item in its table");
    return -1;
}

// ---- Panes

void MainWin::toggleBottomPane()
{
    setManagedState(mInfoPane, !XtIsManaged(mInfoPane));
    keepLeastSize();    // a window too low for the pane grows to hold it
    fitPanes();         // the window may have shrunk while the pane was hidden
    updatePaneLabels();
}

// Before the window is built there is no rules grid to show.
void MainWin::toggleRulesPane()
{
    if (!mRuleGrid)
        return;
    setManagedState(mRuleGrid, !XtIsManaged(mRuleGrid));
    keepLeastSize();
    fitPanes();
    updatePaneLabels();
}

void MainWin::updatePaneLabels()
{
    VkMenu *view = getMenu("View");
    assert(view);
    setItemLabel(view, "BottomPane",
                 mInfoPane && XtIsManaged(mInfoPane) ? "Hide Bottom Pane" : "Show Bottom Pane");
    setItemLabel(view, "RulesPane",
                 mRuleGrid && XtIsManaged(mRuleGrid) ? "Hide Rules Pane" : "Show Rules Pane");
}

// ---- The popup menu

void MainWin::postPopup(XEvent *event)
{
    if (!mPopupMenu) {
        mPopupMenu = new VkPopupMenu(sPopupMenu, this);
        mPopupMenu->buildMenu(mServerGrid ? mServerGrid : mServerPane);
    }
    updateServerItems(mPopupMenu);
    mPopupMenu->popup(event);
}

// ---- Finding and setting items

VkMenu *MainWin::getMenu(const char *name)
{
    assert(name);
    VkMenuBar *bar = menuBar();
    assert(bar);
    VkMenuItem *item = bar->findItem(name);
    return item && item->isContainer() ? static_cast<VkMenu *>(item) : nullptr;
}

void MainWin::setItemSensitive(VkMenu *menu, const char *label, bool sensitive)
{
    assert(menu && label);
    VkMenuItem *item = menu->findItem(label);
    if (!item)
        return;
    if (sensitive)
        item->activate();
    else
        item->deactivate();
}

void MainWin::setItemState(VkMenu *menu, const char *label, bool state)
{
    assert(menu);
    assert(label);
    VkMenuItem *item = menu->findItem(label);
    if (item && item->menuType() == Toggle)
        static_cast<VkMenuToggle *>(item)->setState(state);
}

void MainWin::setItemLabel(VkMenu *menu, const char *label, const char *text)
{
    assert(menu);
    assert(label);
    VkMenuItem *item = menu->findItem(label);
    if (item)
        item->setLabel(text);
}

// ---- Command state

void MainWin::updateMenus()
{
    updateFileMenu();
    updateEditMenu();
    updateServerMenu();
    updateViewMenu();
}

void MainWin::updateFileMenu()
{
    VkMenu *file = getMenu("File");
    assert(file);
    setItemSensitive(file, "Open", !isBusy());
    setItemSensitive(file, "Save", serverCount() > 0);
    setItemSensitive(file, "Print", serverCount() > 0);
}

void MainWin::updateEditMenu()
{
    VkMenu *edit = getMenu("Edit");
    assert(edit);
    int sel = selectedCount();
    setItemSensitive(edit, "Copy", sel > 0);
    setItemSensitive(edit, "Delete", sel > 0);
    setItemSensitive(edit, "Find", serverCount() > 0);
    setItemSensitive(edit, "FindAgain", serverCount() > 0);
    setItemSensitive(edit, "SelectAll", serverCount() > 0);
}

// Shared by the Server menu and the popup; only the popup holds "Delete".
void MainWin::updateServerItems(VkMenu *menu)
{
    int sel = selectedCount();
    bool busy = isBusy();
    setItemSensitive(menu, "Launch", sel == 1);     // as the tool: one server to join
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
    assert(server);
    updateServerItems(server);
    bool busy = isBusy();
    int sel = selectedCount();
    setItemSensitive(server, "UpdateList", !busy);
    setItemSensitive(server, "BusyRedial", !busy && sel == 1);
    setItemSensitive(server, "Statistics", !busy && sel == 1);
    setItemSensitive(server, "FindPlayer", !busy && serverCount() > 0);
    setItemSensitive(server, "Stop", busy);
}

void MainWin::updateViewMenu()
{
    VkMenu *view = getMenu("View");
    VkMenu *sortServers = getMenu("SortServers");
    VkMenu *sortPlayers = getMenu("SortPlayers");
    assert(view && sortServers && sortPlayers);
    for (int k = 0; k < Views; k++)
        setItemState(view, sViewMenu[k].name, mView == k);
    for (int k = 0; sSortServersMenu[k].kind != End; k++)
        setItemState(sortServers, sSortServersMenu[k].name, mServerSortKey == k);
    for (int k = 0; sSortPlayersMenu[k].kind != End; k++)
        setItemState(sortPlayers, sSortPlayersMenu[k].name, mPlayerSortKey == k);
}
