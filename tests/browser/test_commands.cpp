// test_commands.cpp - the tool bar and the menus: their sensitivity from the busy state,
// the selection and the list, the labels that follow the view, tips in the status line,
// and the view, sort and pane items.
#include <gtest/gtest.h>

#include "framework/VkErrorDialog.h"
#include "framework/VkHelpPane.h"
#include "framework/VkMenuBar.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <cstring>
#include <string>

using namespace harness;

class CommandTest : public ::testing::Test {
protected:
    void show(const char *settings)
    {
        mHome.writeSettings(settings);
        mWin = showWindow();
    }
    Widget tool(const char *name)
    { return XtNameToWidget(mWin->baseWidget(), (std::string("*toolBar.") + name).c_str()); }
    bool toolOn(const char *name) { return XtIsSensitive(tool(name)); }
    std::string label(const char *menu, const char *item)
    {
        const char *text = mWin->getMenu(menu)->findItem(item)->label();
        return text ? text : "";
    }
    bool toggleSet(const char *menu, const char *item)
    {
        VkMenuItem *found = mWin->getMenu(menu)->findItem(item);
        return XmToggleButtonGetState(found->baseWidget());
    }
    void select(const char *host)
    {
        selectServer(mWin, serverAt(mWin, host));
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

TEST_F(CommandTest, ToolsAndMenusFollowSelectionAndListSize)
{
    show("");
    EXPECT_FALSE(toolOn("refreshAll"));
    EXPECT_TRUE(toolOn("save"));
    EXPECT_TRUE(toolOn("print"));
    EXPECT_FALSE(itemSensitive(mWin, "File", "Save"));
    EXPECT_FALSE(itemSensitive(mWin, "Edit", "SelectAll"));

    Server a, b;
    a.SetHost("10.0.0.1");
    b.SetHost("10.0.0.2");
    mWin->addServer(a);
    mWin->addServer(b);
    select("10.0.0.1:26000");
    for (const char *name : {"launch", "redial", "copy", "delete", "refresh", "refreshAll"})
        EXPECT_TRUE(toolOn(name)) << name;
    EXPECT_FALSE(toolOn("stop"));
    EXPECT_TRUE(itemSensitive(mWin, "Server", "BusyRedial"));
    EXPECT_TRUE(itemSensitive(mWin, "Edit", "Delete"));

    select("10.0.0.2:26000");
    EXPECT_FALSE(toolOn("launch"));
    EXPECT_FALSE(toolOn("redial"));
    EXPECT_TRUE(toolOn("delete"));
    EXPECT_FALSE(itemSensitive(mWin, "Server", "BusyRedial"));
    EXPECT_FALSE(itemSensitive(mWin, "Server", "Statistics"));
    // Launch with two selected was offered in the menus and then did nothing.
    EXPECT_FALSE(itemSensitive(mWin, "Server", "Launch"));
    mWin->postPopup(nullptr);
    Widget popupLaunch = XtNameToWidget(mWin->baseWidget(), "*popupMenu.Launch");
    ASSERT_NE(popupLaunch, nullptr);
    EXPECT_FALSE(XtIsSensitive(popupLaunch));
    XtUnmanageChild(XtParent(popupLaunch));
}

// A run against a silent local port keeps the window busy long enough to look.
TEST_F(CommandTest, WhileBusyOnlyStopIsOffered)
{
    FakeGameScript silent;
    silent.silent = true;
    show("");
    FakeFleet fleet;
    fleet.add(mWin, silent);
    select(fleet.at(0)->HostText().c_str());
    mWin->refreshAll();
    ASSERT_TRUE(mWin->isBusy());
    for (const char *name : {"load", "save", "add", "launch", "refresh", "refreshAll", "options"})
        EXPECT_FALSE(toolOn(name)) << name;
    EXPECT_TRUE(toolOn("stop"));
    EXPECT_TRUE(itemSensitive(mWin, "Server", "Stop"));
    EXPECT_FALSE(itemSensitive(mWin, "File", "Open"));
    EXPECT_FALSE(itemSensitive(mWin, "Server", "Launch"));
    EXPECT_FALSE(itemSensitive(mWin, "Server", "RefreshAll"));
    EXPECT_FALSE(itemSensitive(mWin, "Server", "UpdateList"));
    mWin->stop();
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_TRUE(toolOn("load"));
    EXPECT_FALSE(toolOn("stop"));
}

TEST_F(CommandTest, TipShowsOnEntryAndTheCountComesBackOnLeaving)
{
    show("server 10.0.0.1:26000 0\n");
    crossing(tool("refreshAll"), EnterNotify);
    EXPECT_EQ(statusText(mWin), "Refresh all servers");
    crossing(tool("refreshAll"), LeaveNotify);
    EXPECT_EQ(statusText(mWin), "0/1 servers");
}

TEST_F(CommandTest, CopyAndFindAreReportedUnimplemented)
{
    show("");
    for (const char *name : {"copy", "find"}) {
        std::string seen;
        readErrorLater(&seen);
        XtCallCallbacks(tool(name), XmNactivateCallback, nullptr);
        EXPECT_EQ(seen, "Unimplemented feature.") << name;
    }
    EXPECT_EQ(mWin->serverCount(), 0);
}

TEST_F(CommandTest, MarkLabelsFollowTheView)
{
    show("filter favorites\n");
    EXPECT_EQ(label("Server", "AddToFavorites"), "Remove from Favorites");
    EXPECT_EQ(label("Server", "AddToNeverPing"), "Add to Never Ping");
    mWin->setViewTab(4);
    EXPECT_EQ(label("Server", "AddToFavorites"), "Add to Favorites");
    EXPECT_EQ(label("Server", "AddToNeverPing"), "Remove from Never Ping");
    // The popup is brought up to date each time it is posted.
    mWin->postPopup(nullptr);
    Widget item = XtNameToWidget(mWin->baseWidget(), "*popupMenu.AddToNeverPing");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(fwtest::labelText(item), "Remove from Never Ping");
    XtUnmanageChild(XtParent(item));
}

TEST_F(CommandTest, ViewAndSortItemsShowAndSetTheChoices)
{
    show("sortServers map\n");
    EXPECT_TRUE(toggleSet("View", "PassedFilters"));
    EXPECT_FALSE(toggleSet("View", "AllServers"));
    EXPECT_TRUE(toggleSet("SortServers", "Map"));
    EXPECT_TRUE(toggleSet("SortPlayers", "Name"));

    VkMenuItem *all = mWin->getMenu("View")->findItem("AllServers");
    XmToggleButtonSetState(all->baseWidget(), True, True);
    EXPECT_EQ(mWin->view(), 0);
    EXPECT_FALSE(toggleSet("View", "PassedFilters"));
    // Choosing the view shown again switched its item off and left none checked.
    XmToggleButtonSetState(all->baseWidget(), False, True);
    EXPECT_EQ(mWin->view(), 0);
    EXPECT_TRUE(toggleSet("View", "AllServers"));

    VkMenuItem *frags = mWin->getMenu("SortPlayers")->findItem("Frags");
    XmToggleButtonSetState(frags->baseWidget(), True, True);
    EXPECT_EQ(mWin->playerSortKey(), 2);
    VkMenuItem *ip = mWin->getMenu("SortServers")->findItem("IP");
    XmToggleButtonSetState(ip->baseWidget(), True, True);
    EXPECT_EQ(mWin->serverSortKey(), 3);
    EXPECT_EQ(mWin->playerSortKey(), 2);
}

TEST_F(CommandTest, BottomPaneItemShowsAndHidesThePane)
{
    show("showinfo true\n");
    EXPECT_EQ(label("View", "BottomPane"), "Hide Bottom Pane");
    EXPECT_EQ(label("View", "RulesPane"), "Show Rules Pane");
    mWin->toggleBottomPane();
    EXPECT_EQ(label("View", "BottomPane"), "Show Bottom Pane");
    ASSERT_TRUE(mWin->writeSettings());
    mWin = showWindow();            // the next start remembers it hidden
    EXPECT_FALSE(XtIsManaged(XtNameToWidget(mWin->baseWidget(), "*infoPane")));
    mWin->toggleBottomPane();
    EXPECT_TRUE(XtIsManaged(XtNameToWidget(mWin->baseWidget(), "*infoPane")));
    EXPECT_EQ(label("View", "BottomPane"), "Hide Bottom Pane");
}

TEST_F(CommandTest, HelpMenuHoldsOnlyAbout)
{
    show("");
    VkHelpPane *help = mWin->menuBar()->helpPane();
    ASSERT_EQ(help->numItems(), 1);
    EXPECT_STREQ(help->item(0)->name(), "About");
}
