// test_servergrid.cpp - the server grid: row texts, the rebuild by view and sort order,
// the selection kept in Flag_Selected across rebuilds, heading clicks, Select All, the scroll
// position and the popup on button 3.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "widgets/Grid.h"

#include <Xm/Xm.h>

#include <cstdio>
#include <cstring>
#include <string>

using namespace harness;

static Server answered(const char *host, const char *name, int ping, const char *map,
                       int players, int maxPlayers)
{
    Server s;
    s.SetHost(host);
    s.mName = name;
    s.mDown = 0;
    s.mPing = ping;
    snprintf(s.mMap, sizeof s.mMap, "%s", map);
    s.mNumPlayers = players;
    s.mMaxPlayers = maxPlayers;
    return s;
}

// ---- Row text, no window needed

TEST(ServerRowTextTest, DownServerShowsDashesAndTheBareAddressOnTheGamePort)
{
    Server s;
    s.SetHost("10.0.0.5");
    EXPECT_EQ(MainWin::serverRowText(s), "10.0.0.5|-|-|10.0.0.5|-|-");
}

TEST(ServerRowTextTest, AnsweredServerShowsPingTimeOutsMapAndPlayers)
{
    Server s = answered("10.0.0.6:27500", "Fake DM", 45, "dm4", 3, 16);
    s.mTimeouts = 2;
    EXPECT_EQ(MainWin::serverRowText(s), "Fake DM|45|2|10.0.0.6:27500|dm4|3/16");
}

// A server's name must not reach the next cell or the next server's row.
TEST(ServerRowTextTest, SeparatorsAndLineBreaksFromAServerStayInTheirCell)
{
    Server s = answered("10.0.0.7", "a|b\nc", 10, "e1|m1", 1, 8);
    EXPECT_EQ(MainWin::serverRowText(s), "a!b c|10|0|10.0.0.7|e1!m1|1/8");
}

TEST(ServerRowTextTest, LongNamesAreNotCutAwayFromTheOtherCells)
{
    Server s = answered("10.0.0.8", std::string(300, 'n').c_str(), 10, "dm2", 4, 8);
    std::string text = MainWin::serverRowText(s);
    EXPECT_EQ(text, std::string(300, 'n') + "|10|0|10.0.0.8|dm2|4/8");
}

TEST(ShownNameTest, SixtyFourCharactersShowWholeAndALongerNameIsCut)
{
    EXPECT_EQ(MainWin::shownName(std::string(64, 'n').c_str()), std::string(64, 'n'));
    EXPECT_EQ(MainWin::shownName(std::string(65, 'n').c_str()), std::string(61, 'n') + "...");
}

// ---- The grid of a shown window

class ServerGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mHome.writeSettings("filter all\nsortServers ping\n");
        mWin = showWindow();
        mGrid = mWin->serverGrid();
        ASSERT_NE(mGrid, nullptr);
    }
    void add(const Server &s) { mWin->addServer(s); }
    Server *at(const char *host) { return serverAt(mWin, host); }
    int rows()
    {
        int n = -1;
        XtVaGetValues(mGrid, XmNrows, &n, nullptr);
        return n;
    }
    std::string rowText(int row, unsigned char type = XmCONTENT)
    {
        FILE *fp = tmpfile();
        XmLGridWritePos(mGrid, fp, XmFORMAT_DELIMITED, '|', False, type, row, XmCONTENT, 0, 1,
                        6);
        rewind(fp);
        char line[1024] = "";
        if (!fgets(line, sizeof line, fp))
            line[0] = '\0';
        fclose(fp);
        return line;
    }
    Server *rowServer(int row)
    {
        XtPointer data = nullptr;
        XtVaGetValues(mGrid, XmNrowPtr, XmLGridGetRow(mGrid, XmCONTENT, row), XmNrowUserData,
                      &data, nullptr);
        return static_cast<Server *>(data);
    }
    // The grid's own selection, as a click makes it: with its callbacks.
    void clickSelect(int row) { XmLGridSelectRow(mGrid, row, True); }
    void addThree()
    {
        add(answered("10.0.0.1", "Slow", 300, "dm1", 1, 8));
        add(answered("10.0.0.2:27500", "Fast", 20, "dm2", 2, 8));
        Server fav = answered("10.0.0.3", "Mid", 100, "dm3", 3, 8);
        fav.mFlags |= Server::Flag_Favorite;
        add(fav);
        mWin->updateView();
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    Widget           mGrid = nullptr;
};

TEST_F(ServerGridTest, HeadingsAndColumnsAreTheServerColumns)
{
    EXPECT_EQ(rowText(0, XmHEADING), "Server Name|Ping|T/O|IP Address|Map|Players");
    unsigned char policy = 0;
    XtVaGetValues(mGrid, XmNselectionPolicy, &policy, nullptr);
    EXPECT_EQ(policy, XmSELECT_MULTIPLE_ROW);
}

TEST_F(ServerGridTest, RebuildShowsTheViewSortedWithEachRowsServer)
{
    addThree();
    ASSERT_EQ(rows(), 3);
    EXPECT_EQ(rowText(0), "Fast|20|0|10.0.0.2:27500|dm2|2/8");
    EXPECT_EQ(rowText(1), "Mid|100|0|10.0.0.3|dm3|3/8");
    EXPECT_EQ(rowText(2), "Slow|300|0|10.0.0.1|dm1|1/8");
    for (int row = 0; row < 3; row++) {
        ASSERT_NE(rowServer(row), nullptr);
        EXPECT_EQ(rowServer(row)->mRow, row);
    }
    EXPECT_EQ(statusText(mWin), "3/3 servers");

    mWin->setViewTab(3);        // favorites: only "Mid"
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(rowServer(0), at("10.0.0.3:26000"));
    EXPECT_EQ(at("10.0.0.1:26000")->mRow, -1);
    EXPECT_EQ(statusText(mWin), "1/3 servers");

    mWin->setServerSortKey(0);  // by name, in the view of the moment
    mWin->setViewTab(0);
    EXPECT_EQ(rowServer(0), at("10.0.0.2:27500"));
    EXPECT_EQ(rowServer(2), at("10.0.0.1:26000"));
    mWin->setServerSortKey(3);  // by address, an order of its own: shown at once
    EXPECT_EQ(rowServer(0), at("10.0.0.1:26000"));
    EXPECT_EQ(rowServer(1), at("10.0.0.2:27500"));
}

TEST_F(ServerGridTest, SelectionLivesInTheServersAcrossViewsAndDeleteTakesOnlyShownOnes)
{
    addThree();
    clickSelect(0);     // Fast
    clickSelect(1);     // Mid, the favorite
    EXPECT_TRUE(at("10.0.0.2:27500")->TestFlag(Server::Flag_Selected));
    EXPECT_TRUE(at("10.0.0.3:26000")->TestFlag(Server::Flag_Selected));
    EXPECT_FALSE(at("10.0.0.1:26000")->TestFlag(Server::Flag_Selected));
    EXPECT_EQ(mWin->selectedCount(), 2);
    EXPECT_EQ(mWin->selectedServer(), nullptr);

    mWin->setViewTab(3);
    EXPECT_EQ(mWin->selectedCount(), 1);
    EXPECT_EQ(mWin->selectedServer(), at("10.0.0.3:26000"));
    EXPECT_TRUE(XmLGridRowIsSelected(XmLGridGetRow(mGrid, XmCONTENT, 0)));

    mWin->deleteServers();
    EXPECT_EQ(mWin->serverCount(), 2);
    EXPECT_EQ(at("10.0.0.3:26000"), nullptr);
    EXPECT_EQ(rows(), 0);
    EXPECT_EQ(mWin->selectedCount(), 0);
    // The hidden one is still there, and still selected when its view comes back.
    mWin->setViewTab(0);
    EXPECT_EQ(mWin->selectedServer(), at("10.0.0.2:27500"));
}

TEST_F(ServerGridTest, SelectionDrivesTheCommandState)
{
    addThree();
    EXPECT_FALSE(itemSensitive(mWin, "Server", "Launch"));
    clickSelect(2);
    EXPECT_TRUE(itemSensitive(mWin, "Server", "Launch"));
    EXPECT_TRUE(itemSensitive(mWin, "Server", "BusyRedial"));
    clickSelect(0);
    EXPECT_FALSE(itemSensitive(mWin, "Server", "BusyRedial"));
    std::vector<Server *> selected = mWin->selectedServers();    // in the grid's order
    ASSERT_EQ(selected.size(), 2u);
    EXPECT_EQ(selected[0], at("10.0.0.2:27500"));
    EXPECT_EQ(selected[1], at("10.0.0.1:26000"));
    XmLGridDeselectAllRows(mGrid, True);
    EXPECT_FALSE(itemSensitive(mWin, "Server", "Launch"));
    for (Server &s : mWin->servers())
        EXPECT_FALSE(s.TestFlag(Server::Flag_Selected));
}

TEST_F(ServerGridTest, HeadingClickPrintsTheColumnAndKeepsTheOrder)
{
    addThree();
    XmLGridCallbackData data;
    memset(&data, 0, sizeof data);
    data.reason = XmCR_SELECT_CELL;
    data.rowType = XmHEADING;
    data.column = 3;
    testing::internal::CaptureStdout();
    XtCallCallbacks(mGrid, XmNselectCallback, &data);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "HEADING3\n");
    EXPECT_EQ(mWin->serverSortKey(), 1);
    EXPECT_EQ(rowServer(0), at("10.0.0.2:27500"));
    EXPECT_EQ(mWin->selectedCount(), 0);
}

TEST_F(ServerGridTest, SelectAllTakesEveryShownRowAndNoHiddenServer)
{
    addThree();
    mWin->setViewTab(1);        // passed: the three answered servers pass
    Server hidden;
    hidden.SetHost("10.0.0.9");     // never answered: not in "passed"
    add(hidden);
    mWin->updateView();
    mWin->selectAll();
    EXPECT_EQ(mWin->selectedCount(), 3);
    EXPECT_FALSE(at("10.0.0.9:26000")->TestFlag(Server::Flag_Selected));
    EXPECT_TRUE(at("10.0.0.1:26000")->TestFlag(Server::Flag_Selected));
    EXPECT_TRUE(itemSensitive(mWin, "Edit", "Delete"));
}

TEST_F(ServerGridTest, RebuildKeepsTheScrollPositionWithinTheRows)
{
    for (int i = 0; i < 50; i++) {
        std::string host = "10.0.1." + std::to_string(i + 1);
        add(answered(host.c_str(), "S", 10 + i, "dm1", 0, 8));
    }
    mWin->updateView();
    XtVaSetValues(mGrid, XmNscrollRow, 30, nullptr);
    int before = 0;
    XtVaGetValues(mGrid, XmNscrollRow, &before, nullptr);
    ASSERT_GT(before, 0);
    mWin->buildServerList();
    int after = -1;
    XtVaGetValues(mGrid, XmNscrollRow, &after, nullptr);
    EXPECT_EQ(after, before);

    // Only ten rows left: the grid holds the scroll row inside them.
    int count = 0;
    for (Server &s : mWin->servers()) {
        if (count++ >= 10)
            s.mFlags |= Server::Flag_Avoid;
    }
    mWin->setViewTab(1);        // passed: never-ping servers are not in it
    ASSERT_EQ(rows(), 10);
    XtVaGetValues(mGrid, XmNscrollRow, &after, nullptr);
    EXPECT_GE(after, 0);
    EXPECT_LE(after, 9);
}

TEST_F(ServerGridTest, ButtonThreeOnTheGridPostsThePopup)
{
    addThree();
    XEvent event;
    memset(&event, 0, sizeof event);
    event.xbutton.type = ButtonPress;
    event.xbutton.display = XtDisplay(mGrid);
    event.xbutton.window = XtWindow(mGrid);
    event.xbutton.button = Button3;
    XtDispatchEvent(&event);
    Widget menu = XtNameToWidget(mWin->baseWidget(), "*popupMenu");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(XtIsManaged(menu));
    XtUnmanageChild(menu);
}
