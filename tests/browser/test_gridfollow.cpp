// test_gridfollow.cpp - the main window following a query run: rows fill in while it goes
// on, each row is added once, the window keeps answering, the status line keeps a bounded
// pace, and the grid a run leaves (after a normal end, a stop, or servers added and deleted
// meanwhile) is the one a rebuild from scratch gives.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "widgets/Grid.h"

#include <Xm/Xm.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

using namespace harness;

namespace {

// One row as the user sees it: its text, its server and whether it is selected.
struct Row {
    std::string text;
    Server     *server;
    bool        selected;
    bool operator==(const Row &other) const
    {
        return text == other.text && server == other.server && selected == other.selected;
    }
};

void PrintTo(const Row &row, std::ostream *os)
{
    *os << "{" << row.text << (row.selected ? ", selected" : "") << "}";
}

class GridFollowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mHome.writeSettings("filter all\nsortServers name\nshowinfo true\n");
        mWin = showWindow();
        mGrid = mWin->serverGrid();
        mWin->options().queryRules = true;
        mWin->options().queryPlayers = true;
    }

    // Fake servers with names out of list order and a spread of maps and players.
    void addFleet(int count, int slowEvery = 0)
    {
        for (int i = 0; i < count; i++) {
            FakeGameScript script = richScript(2, i % 4);
            char name[32];
            snprintf(name, sizeof name, "Server %02d", (i * 7) % count);
            script.hostName = name;
            script.mapName = i % 3 ? "e1m1" : "dm4";
            if (slowEvery && i % slowEvery == 0)
                script.dropFirst = 1;       // answers the resend, two seconds later
            mFleet.add(mWin, script);
        }
        mWin->updateView();
    }
    Server *fleetServer(size_t i) { return serverAt(mWin, mFleet.at(i)->HostText()); }
    // A name known from an earlier answer, which the status line shows.
    void fleetServerNamed(FakeGameServer *fake, const std::string &name)
    {
        serverAt(mWin, fake->HostText())->mName = name;
    }

    std::vector<Row> shownRows()
    {
        std::vector<Row> rows;
        for (int r = 0; r < mWin->rowCount(); r++) {
            XmLGridRow row = XmLGridGetRow(mGrid, XmCONTENT, r);
            XtPointer data = nullptr;
            XtVaGetValues(mGrid, XmNrowPtr, row, XmNrowUserData, &data, nullptr);
            rows.push_back({rowText(r), static_cast<Server *>(data),
                            XmLGridRowIsSelected(row) != 0});
        }
        return rows;
    }
    // What a rebuild from scratch shows: the view's servers sorted, each with its own text
    // and its own selection.
    std::vector<Row> rebuiltRows()
    {
        std::vector<Server *> shown;
        for (Server &s : mWin->servers()) {
            if (mWin->filterServer(s))
                shown.push_back(&s);
        }
        if (!shown.empty())
            mWin->sortServers(shown.data(), (int)shown.size());
        std::vector<Row> rows;
        for (Server *s : shown)
            rows.push_back({MainWin::serverRowText(*s), s, s->TestFlag(Server::Flag_Selected)});
        return rows;
    }
    void expectRebuiltGrid()
    {
        std::vector<Row> expected = rebuiltRows();
        EXPECT_EQ(shownRows(), expected);
        for (size_t r = 0; r < expected.size(); r++)
            EXPECT_EQ(expected[r].server->mRow, (int)r);
    }
    std::string rowText(int row) { return gridRowText(mGrid, row, 0, 6); }
    int scrollRow()
    {
        int row = -1;
        XtVaGetValues(mGrid, XmNscrollRow, &row, nullptr);
        return row;
    }
    void clickSelect(Server *s) { XmLGridSelectRow(mGrid, s->mRow, True); }
    std::string firstPlayer() { return gridRowText(mWin->playerGrid(), 0, 2, 1); }

    fwtest::Watchdog mWatchdog{60};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    Widget           mGrid = nullptr;
    FakeFleet        mFleet;
};

// Counts the rows the grid is given and takes away.
struct RowCounter {
    explicit RowCounter(Widget grid) : mGrid(grid)
    {
        XtAddCallback(grid, XmNaddCallback, &RowCounter::sCount, this);
        XtAddCallback(grid, XmNdeleteCallback, &RowCounter::sCount, this);
    }
    ~RowCounter()
    {
        XtRemoveCallback(mGrid, XmNaddCallback, &RowCounter::sCount, this);
        XtRemoveCallback(mGrid, XmNdeleteCallback, &RowCounter::sCount, this);
    }
    static void sCount(Widget, XtPointer clientData, XtPointer callData)
    {
        auto *counter = static_cast<RowCounter *>(clientData);
        int reason = static_cast<XmLGridCallbackData *>(callData)->reason;
        counter->added += reason == XmCR_ADD_ROW;
        counter->deleted += reason == XmCR_DELETE_ROW;
    }
    Widget mGrid;
    int    added = 0;
    int    deleted = 0;
};

} // namespace

// ---- Following the run

// On the "passed" tab each server's row appears when it answers; a rebuild per answer would
// add every row again each time, a cost that grows with the square of the list.
TEST_F(GridFollowTest, EachServerGetsItsRowOnceAsTheRunGoesOn)
{
    addFleet(60, 10);
    mWin->setViewTab(1);
    ASSERT_EQ(mWin->rowCount(), 0);
    mWin->options().queriesAtOnce = 16;
    RowCounter counter(mGrid);
    FrozenClock clock;
    mWin->refreshAll();

    // The six slow servers hold the run until their resends; the others show meanwhile.
    ASSERT_TRUE(pumpUntil([this] {
        return Server::NumConnections() == 6 && mWin->rowCount() == 60;
    }));
    EXPECT_TRUE(mWin->running());
    clock.advance(2000);
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_EQ(mWin->rowCount(), 60);
    EXPECT_EQ(counter.added, 60);
    EXPECT_EQ(counter.deleted, 0);
    expectRebuiltGrid();
}

// The window takes events at once even when many answers arrive at once over a long list:
// a few milliseconds, tens on a busy machine; a pass over every answer would freeze it.
TEST_F(GridFollowTest, WindowStaysResponsiveWithManyQueriesAtOnce)
{
    addFleet(600);
    mWin->options().queriesAtOnce = 64;
    mWin->options().queryRules = false;
    mWin->options().queryPlayers = false;
    Widget shell = mWin->baseWidget();
    Atom probe = XInternAtom(XtDisplay(shell), "VIREO_TEST_PROBE", False);
    double slowest = 0;
    Clock::time_point sent;
    bool handled = true;
    auto handler = [&](XEvent *event) {
        if (event->type == ClientMessage && event->xclient.message_type == probe) {
            slowest = std::max(slowest, msBetween(sent, Clock::now()));
            handled = true;
        }
    };
    using Handler = decltype(handler);
    XtEventHandler trampoline = [](Widget, XtPointer data, XEvent *event, Boolean *) {
        (*static_cast<Handler *>(data))(event);
    };
    XtAddEventHandler(shell, NoEventMask, True, trampoline, &handler);
    mWin->refreshAll();
    while (mWin->running()) {
        if (handled) {
            XClientMessageEvent event = {};
            event.type = ClientMessage;
            event.window = XtWindow(shell);
            event.message_type = probe;
            event.format = 32;
            sent = Clock::now();
            handled = false;
            XSendEvent(XtDisplay(shell), XtWindow(shell), False, NoEventMask, (XEvent *)&event);
            XFlush(XtDisplay(shell));
        }
        pumpUntil([&] { return handled || !mWin->running(); }, 3000);
    }
    XtRemoveEventHandler(shell, NoEventMask, True, trampoline, &handler);
    EXPECT_LT(slowest, 250.0);
    expectRebuiltGrid();
}

// The status line names the server being asked at most ten times a second: each change
// costs a round trip to the X server, and a long list would pay it per server.
TEST_F(GridFollowTest, StatusLineFollowsTheRunAtABoundedPace)
{
    addFleet(300);
    mWin->options().queriesAtOnce = 16;
    mWin->options().queryRules = false;
    mWin->options().queryPlayers = false;
    int changes = 0;
    XtCallbackProc count = [](Widget, XtPointer data, XtPointer) { ++*static_cast<int *>(data); };
    XtAddCallback(mWin->statusWidget(), XmNvalueChangedCallback, count, &changes);
    Clock::time_point start = Clock::now();
    mWin->refreshAll();
    ASSERT_TRUE(runToEnd(mWin));
    double ms = msBetween(start, Clock::now());
    XtRemoveCallback(mWin->statusWidget(), XmNvalueChangedCallback, count, &changes);
    EXPECT_GE(changes, 2);      // a server asked, and the count at the end
    EXPECT_LE(changes, ms / 100 + 3);
    EXPECT_EQ(statusText(mWin), "300/300 servers");
}

// Answers come in bursts; neither the meter nor the status line may keep what they showed
// before the end of a burst while the run then waits for slow servers.
TEST_F(GridFollowTest, MeterAndStatusShowTheEndOfABurst)
{
    FakeGameScript fast, slow;
    slow.dropFirst = 1;         // answers the resend, two seconds later
    for (int i = 0; i < 30; i++) {
        bool late = i >= 20 && i < 24;
        fleetServerNamed(mFleet.add(mWin, late ? slow : fast), (late ? "Slow " : "Fast ") +
                                                                   std::to_string(i));
    }
    mWin->options().queriesAtOnce = 4;
    FrozenClock clock;
    mWin->refreshAll();
    // The fast twenty end within moments; the slow four then hold every slot.
    ASSERT_TRUE(pumpUntil([this] {
        int done = 0;
        for (Server &s : mWin->servers())
            done += !s.mDown && !s.Connected();
        return done == 20;
    }));
    clock.advance(100);             // the pace allows the next showing
    // Twenty ended, so at most ten were still queued when the last of them did.
    EXPECT_TRUE(pumpUntil([this] { return progressValue(mWin) >= 20; }))
        << "the meter shows " << progressValue(mWin);
    EXPECT_TRUE(pumpUntil([this] { return statusText(mWin) == "Querying server Slow 23..."; }))
        << statusText(mWin);
    mWin->stop();
    clock.advance(2000);
    ASSERT_TRUE(runToEnd(mWin));
}

// A resend shows at once; a server's query line that the pace held back from before it
// must not take its place a moment later.
TEST_F(GridFollowTest, ARequeryLineOutlastsAnOlderQueryLine)
{
    FakeGameScript silent;
    silent.silent = true;
    FakeGameServer *quiet = mFleet.add(mWin, silent), *late = mFleet.add(mWin, silent);
    fleetServerNamed(quiet, "Quiet");
    fleetServerNamed(mFleet.add(mWin), "Third");
    mWin->options().queriesAtOnce = 2;
    mWin->options().queryRules = false;
    mWin->options().queryPlayers = false;
    FrozenClock clock;
    mWin->refreshAll();
    ASSERT_TRUE(pumpUntil([late] { return late->RequestCount() == 1; }));
    clock.advance(1950);            // the pace shows the second server's line
    fwtest::pump(100);
    late->SendUnsolicited(MakeInfoReply("", "Late", "e1m1", 0, 8, 3));
    ASSERT_TRUE(pumpUntil([this] { return mFleet.at(2)->RequestCount() == 1; }));
    clock.advance(50);              // the first server's resend, with the third's line held
    ASSERT_TRUE(pumpUntil([quiet] { return quiet->RequestCount() == 2; }));
    clock.advance(100);
    fwtest::pump(100);
    EXPECT_EQ(statusText(mWin), "Requerying server Quiet...");
}

// Answers close together wait for one catch-up, and a click brings it forward at once; the
// first answer after a quiet spell shows at once.
TEST_F(GridFollowTest, AnswersWaitForOneCatchUpThatAClickBringsForward)
{
    FakeGameScript silent;
    silent.silent = true;
    for (int i = 0; i < 4; i++)
        mFleet.add(mWin, silent);   // the last one keeps the run going
    mWin->options().queryRules = mWin->options().queryPlayers = false;
    FrozenClock clock;
    mWin->refreshAll();
    ASSERT_TRUE(pumpUntil([this] { return mFleet.at(3)->RequestCount() == 1; }));
    mWin->catchUpServerGrid();
    clock.advance(-1000);           // the next catch-up falls due 1.25 s on
    for (int i = 0; i < 3; i++)
        mFleet.at(i)->SendUnsolicited(MakeInfoReply("", "A" + std::to_string(i), "", 0, 8, 3));
    ASSERT_TRUE(pumpUntil([this] { return Server::NumConnections() == 1; }));
    auto shown = [this] { return rowText(fleetServer(2)->mRow)[0] == 'A'; };
    EXPECT_FALSE(shown()) << "caught up at once";
    clock.advance(1000);
    clickSelect(fleetServer(3));
    EXPECT_TRUE(fwtest::pumpUntil(shown, 300));
    std::vector<Row> caughtUp = shownRows();
    for (int i = 0; i < 3; i++)
        fleetServer(i)->mName = "Renamed " + std::to_string(9 - i);   // a catch-up would sort
    fwtest::pump(1500);
    EXPECT_EQ(shownRows(), caughtUp) << "another catch-up was waiting";

    clock.advance(300);
    mWin->serverChanged(fleetServer(0));
    XtAppContext app = XtWidgetToApplicationContext(mGrid);
    while (XtAppPending(app) & XtIMTimer)      // only what is due now, not a delay later
        XtAppProcessEvent(app, XtIMTimer);
    EXPECT_EQ(rowText(fleetServer(0)->mRow).substr(0, 10), "Renamed 9|");
}

// ---- The grid a run leaves

TEST_F(GridFollowTest, RunEndsWithTheGridARebuildGivesSelectionAndScrollKept)
{
    addFleet(40, 8);
    mWin->setServerSortKey(5);      // players: the order changes as the answers come in
    clickSelect(fleetServer(3));
    clickSelect(fleetServer(17));
    XtVaSetValues(mGrid, XmNscrollRow, 12, nullptr);
    int scrolled = scrollRow();
    ASSERT_GT(scrolled, 0);
    mWin->options().queriesAtOnce = 6;
    mWin->refreshAll();
    ASSERT_TRUE(runToEnd(mWin));

    EXPECT_EQ(scrollRow(), scrolled);
    EXPECT_TRUE(fleetServer(3)->TestFlag(Server::Flag_Selected));
    EXPECT_TRUE(fleetServer(17)->TestFlag(Server::Flag_Selected));
    EXPECT_EQ(mWin->selectedCount(), 2);
    expectRebuiltGrid();
}

TEST_F(GridFollowTest, StoppedRunLeavesTheGridARebuildGives)
{
    addFleet(30, 2);
    mWin->options().queriesAtOnce = 4;
    mWin->refreshAll();
    fwtest::pump(300);
    mWin->stop();
    ASSERT_TRUE(runToEnd(mWin));
    int answered = 0;
    for (Server &s : mWin->servers())
        answered += s.mDown ? 0 : 1;
    EXPECT_GT(answered, 0);
    EXPECT_LT(answered, 30);
    expectRebuiltGrid();
}

// What the user may do while a run goes on: add a server, change the filter, switch tabs
// and sort; and servers that have answered may leave the list.
TEST_F(GridFollowTest, ServersAddedAndDeletedDuringTheRunLeaveTheGridARebuildGives)
{
    addFleet(30, 6);
    mWin->options().queriesAtOnce = 4;
    mWin->refreshAll();
    auto finished = [](Server *s) { return !s->mDown && !s->Connected(); };
    ASSERT_TRUE(pumpUntil([&] { return finished(fleetServer(1)) && finished(fleetServer(2)); }));

    Server added;
    added.SetHost("10.9.9.9:27001");
    added.SetSelected(true);            // as the Add dialog leaves it
    mWin->addServer(added);
    mWin->updateView();
    for (Server *gone : {fleetServer(1), fleetServer(2)}) {
        auto it = std::find_if(mWin->servers().begin(), mWin->servers().end(),
                               [gone](const Server &s) { return &s == gone; });
        mWin->servers().erase(it);      // answered: neither queued nor waited for
    }
    mWin->updateView();
    fwtest::pump(300);
    mWin->options().filter.excludeMapFilter = 1;
    snprintf(mWin->options().filter.excludeMap, sizeof mWin->options().filter.excludeMap,
             "dm4");
    mWin->setViewTab(1);
    fwtest::pump(300);
    mWin->setServerSortKey(4);
    ASSERT_TRUE(runToEnd(mWin));

    expectRebuiltGrid();
    mWin->setViewTab(0);
    expectRebuiltGrid();
    EXPECT_TRUE(serverAt(mWin, "10.9.9.9:27001")->TestFlag(Server::Flag_Selected));
}

// The panes show what the selected server answered in this run, not what it had before.
TEST_F(GridFollowTest, PanesShowTheSelectedServersNewestAnswer)
{
    addFleet(12, 4);
    clickSelect(fleetServer(5));
    FakeGameScript script = richScript(2, 1);
    script.hostName = "Changed";
    script.players[0].name = "newcomer";
    mFleet.at(5)->SetScript(script);
    mWin->options().queriesAtOnce = 4;
    mWin->refreshAll();
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_EQ(mWin->selectedServer(), fleetServer(5));
    EXPECT_EQ(firstPlayer(), "newcomer");
    EXPECT_EQ(rowText(fleetServer(5)->mRow).substr(0, 8), "Changed|");
    expectRebuiltGrid();
}

// Rows taken away behind the window's back do not confuse the next rebuild.
TEST_F(GridFollowTest, RebuildRecoversRowsDeletedFromTheGrid)
{
    addFleet(5);
    clickSelect(fleetServer(2));
    XmLGridDeleteAllRows(mGrid, XmCONTENT);
    mWin->buildServerList();
    expectRebuiltGrid();
    EXPECT_EQ(mWin->selectedServer(), fleetServer(2));
}
