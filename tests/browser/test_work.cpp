// test_work.cpp - the query engine against fake game servers on 127.0.0.1: how many queries
// run at once, their order, resends on silence, the end of a run, stop and refresh selected.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <algorithm>
#include <cstdio>

using namespace harness;

class WorkTest : public ::testing::Test {
protected:
    void SetUp() override { mWin = showWindow(); }

    // "%d/%d servers", as the status line reads between runs.
    std::string countLine()
    {
        char text[64];
        snprintf(text, sizeof text, "%d/%d servers", mWin->rowCount(), mWin->serverCount());
        return text;
    }
    void expectRunEnded()
    {
        EXPECT_FALSE(mWin->running());
        EXPECT_EQ(mWin->modeFlags(), 0u);
        EXPECT_EQ(statusText(mWin), countLine());
        EXPECT_EQ(progressValue(mWin), 0);
        EXPECT_EQ(Server::NumConnections(), 0);
    }

    fwtest::Watchdog mWatchdog{60};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    FakeFleet        mFleet;
};

// A query of a server lasts from its first request to its last; the engine may start
// a new one only when one has ended, so no more than the limit may overlap.
static int mostAtOnce(FakeFleet &fleet)
{
    std::vector<std::pair<Clock::time_point, int>> edges;
    for (size_t i = 0; i < fleet.size(); i++) {
        std::vector<FakeRequest> requests = fleet.at(i)->Requests();
        if (requests.empty())
            continue;
        edges.push_back({requests.front().time, +1});
        edges.push_back({requests.back().time, -1});
    }
    // At equal times an end comes before a start: the two never overlapped.
    std::sort(edges.begin(), edges.end(), [](const auto &a, const auto &b) {
        return a.first != b.first ? a.first < b.first : a.second < b.second;
    });
    int open = 0, most = 0;
    for (const auto &edge : edges) {
        open += edge.second;
        most = std::max(most, open);
    }
    return most;
}

TEST_F(WorkTest, ManyServersAreQueriedAFewAtATimeAndFilledIn)
{
    for (int i = 0; i < 12; i++)
        mFleet.add(mWin, richScript(3, 2));
    mWin->options().queriesAtOnce = 4;
    mWin->options().queryRules = true;
    mWin->options().queryPlayers = true;
    FrozenClock clock;              // a reply late on a busy machine is not asked for again
    mWin->refreshAll();
    EXPECT_TRUE(mWin->isBusy());
    EXPECT_EQ(progressComplete(mWin), 12);
    ASSERT_TRUE(runToEnd(mWin));

    EXPECT_EQ(mostAtOnce(mFleet), 4);
    for (Server &s : mWin->servers()) {
        EXPECT_FALSE(s.mDown);
        EXPECT_EQ(s.mName, "Fake Quake");
        EXPECT_STREQ(s.mMap, "e1m1");
        EXPECT_EQ(s.mRules.size(), 3u);
        EXPECT_EQ(s.mPlayers.size(), 2u);
        EXPECT_EQ(s.mTimeouts, 0);
    }
    expectRunEnded();
}

TEST_F(WorkTest, ServersAreQueriedInTheOrderTheyWereQueued)
{
    for (int i = 0; i < 5; i++)
        mFleet.add(mWin, richScript(1, 0));
    mWin->options().queriesAtOnce = 1;
    mWin->refreshAll();
    ASSERT_TRUE(runToEnd(mWin));
    for (size_t i = 1; i < mFleet.size(); i++) {
        ASSERT_EQ(mFleet.at(i)->RequestCount(), 1u);
        EXPECT_LT(mFleet.at(i - 1)->Requests().front().time, mFleet.at(i)->Requests().front().time)
            << "server " << i;
    }
}

// The window's menus follow the run: only Stop while busy, the refreshes when idle.
TEST_F(WorkTest, SilentServerIsAskedThreeTimesTwoSecondsApartThenMarkedDown)
{
    FakeGameScript silent;
    silent.silent = true;
    mFleet.add(mWin);
    FakeGameServer *quiet = mFleet.add(mWin, silent);
    mFleet.add(mWin);
    FrozenClock clock;              // the silences last what the window's clock says
    mWin->refreshAll();
    EXPECT_TRUE(itemSensitive(mWin, "Server", "Stop"));
    EXPECT_FALSE(itemSensitive(mWin, "Server", "RefreshAll"));
    Server *down = serverAt(mWin, quiet->HostText());
    ASSERT_NE(down, nullptr);
    // The others have answered before the clock moves, so theirs fall due never.
    ASSERT_TRUE(pumpUntil([] { return Server::NumConnections() == 1; }, 15000));
    for (int sending = 1; sending <= 3; sending++) {
        ASSERT_TRUE(pumpUntil([&] { return (int)quiet->RequestCount() >= sending; }, 15000))
            << "sending " << sending;
        clock.advance(1900);
        ASSERT_TRUE(clock.settle());
        ASSERT_EQ(down->mRetries, sending) << "asked again within 1.9 s of sending " << sending;
        EXPECT_TRUE(mWin->running());
        clock.advance(200);
    }
    ASSERT_TRUE(runToEnd(mWin));

    EXPECT_EQ(quiet->RequestCount(), 3u);
    EXPECT_TRUE(down->mDown);
    EXPECT_EQ(down->mTimeouts, 1);
    for (size_t i : {0, 2}) {
        Server *up = serverAt(mWin, mFleet.at(i)->HostText());
        EXPECT_FALSE(up->mDown);
        EXPECT_EQ(mFleet.at(i)->RequestCount(), 1u);
    }
    expectRunEnded();
    EXPECT_FALSE(itemSensitive(mWin, "Server", "Stop"));
    EXPECT_TRUE(itemSensitive(mWin, "Server", "RefreshAll"));
}

TEST_F(WorkTest, StopDropsTheQueueAndLetsQueriesInFlightEnd)
{
    FakeGameScript slow;
    slow.dropFirst = 1;     // answers only the resend, two seconds later
    for (int i = 0; i < 6; i++)
        mFleet.add(mWin, slow);
    mWin->options().queriesAtOnce = 2;
    FrozenClock clock;              // the resends fall due before the grace is over
    mWin->refreshAll();
    fwtest::pump(300);
    clock.advance(300);
    mWin->stop();
    EXPECT_TRUE(mWin->stopRequested());
    clock.advance(1700);
    ASSERT_TRUE(runToEnd(mWin));

    for (size_t i = 0; i < 2; i++) {
        EXPECT_EQ(mFleet.at(i)->RequestCount(), 2u);
        EXPECT_FALSE(serverAt(mWin, mFleet.at(i)->HostText())->mDown);
    }
    for (size_t i = 2; i < mFleet.size(); i++)
        EXPECT_EQ(mFleet.at(i)->RequestCount(), 0u) << "server " << i;
    expectRunEnded();
}

TEST_F(WorkTest, RefreshSelectedAsksTheSelectedServersForRulesAndPlayers)
{
    for (int i = 0; i < 3; i++)
        mFleet.add(mWin, richScript(2, 1));
    Server *chosen = serverAt(mWin, mFleet.at(1)->HostText());
    selectServer(mWin, chosen);
    mWin->refreshSelected();
    ASSERT_TRUE(runToEnd(mWin));

    FakeGameServer *asked = mFleet.at(1);
    EXPECT_EQ(asked->RequestCount(0x02), 1u);
    EXPECT_EQ(asked->RequestCount(0x04), 3u);      // two rules and the end of the list
    EXPECT_EQ(asked->RequestCount(0x03), 1u);
    EXPECT_EQ(chosen->mRules.size(), 2u);
    EXPECT_EQ(chosen->mPlayers.size(), 1u);
    EXPECT_EQ(mFleet.at(0)->RequestCount(), 0u);
    EXPECT_EQ(mFleet.at(2)->RequestCount(), 0u);

    // Refresh all asks only what the options say: by default, the server info.
    mWin->refreshAll();
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_EQ(mFleet.at(0)->RequestCount(), 1u);
    EXPECT_EQ(mFleet.at(0)->RequestCount(0x02), 1u);
    EXPECT_EQ(asked->RequestCount(0x04), 3u);
}

TEST_F(WorkTest, NeverPingServersAreNotQueriedAndAnEmptyRunChangesNothing)
{
    FakeGameServer *avoided = mFleet.add(mWin);
    Server *s = serverAt(mWin, avoided->HostText());
    s->mFlags |= Server::Flag_Avoid;
    s->SetSelected(true);
    mWin->setViewTab(4);            // the never-ping tab shows it, selected
    std::string before = statusText(mWin);

    mWin->refreshSelected();
    EXPECT_FALSE(mWin->running());
    EXPECT_FALSE(mWin->isBusy());
    EXPECT_EQ(statusText(mWin), before);

    // A redial of it must not leave redial mode behind for the next run.
    mWin->redialSelected();
    EXPECT_EQ(mWin->modeFlags(), 0u);
    s->mFlags &= ~(unsigned int)Server::Flag_Avoid;
    FakeGameServer *plain = mFleet.add(mWin);
    mWin->refreshAll();
    EXPECT_FALSE(mWin->isRedialing());
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_EQ(plain->RequestCount(), 1u);
    EXPECT_EQ(mWin->slotsOpened, 0);
}

// A count of 0 read from anywhere would never start a query and the run would spin.
TEST_F(WorkTest, QueriesAtOnceOfZeroStillRunsOneAtATime)
{
    for (int i = 0; i < 3; i++)
        mFleet.add(mWin, richScript(1, 0));
    mWin->options().queriesAtOnce = 0;
    mWin->options().queryRules = true;
    mWin->refreshAll();
    ASSERT_TRUE(runToEnd(mWin, 5000));
    EXPECT_EQ(mostAtOnce(mFleet), 1);
    for (Server &s : mWin->servers())
        EXPECT_FALSE(s.mDown);
}

TEST_F(WorkTest, RefusingServerIsMarkedDownAndTheRunEnds)
{
    mFleet.add(mWin);
    FakeGameServer *gone = mFleet.add(mWin);
    gone->Stop();       // its port now refuses
    mWin->refreshAll();
    ASSERT_TRUE(runToEnd(mWin, 10000));
    EXPECT_TRUE(serverAt(mWin, gone->HostText())->mDown);
    EXPECT_FALSE(serverAt(mWin, mFleet.at(0)->HostText())->mDown);
    expectRunEnded();
}
