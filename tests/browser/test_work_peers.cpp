// test_work_peers.cpp - the query engine against peers as they are met in the field: a busy
// server that answers about one request a second, players who leave between the replies,
// peers that keep sending datagrams that are no answer; Stop, the bound on one query, and
// the debug trace.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <X11/Intrinsic.h>

#include <unistd.h>

#include <algorithm>
#include <string>

using namespace harness;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

class PeerTest : public ::testing::Test {
protected:
    void SetUp() override { mWin = showWindow(); }

    Server *record(FakeGameServer *fake) { return serverAt(mWin, fake->HostText()); }
    // Refresh Selected over the given servers: it asks for rules and players.
    void refresh(std::initializer_list<FakeGameServer *> fakes)
    {
        for (FakeGameServer *fake : fakes)
            record(fake)->SetSelected(true);
        mWin->setViewTab(0);
        mWin->updateView();
        mWin->options().queriesAtOnce = 16;
        mWin->refreshSelected();
    }
    // A peer of each kind that answers the info request, never a rule request, and sends
    // one datagram that is no answer every half second.
    void addNoisyPeers()
    {
        Packet kinds[] = {
            JunkSendingGame().junk,                                     // bogus length
            MakePacket(0x01, {}),                                       // unknown opcode
            MakeInfoReply("", "Impostor", "e9m9", 9, 9, 9),             // stale
            MakePacket(0x85, {'x'}),                                    // malformed
        };
        for (const Packet &junk : kinds) {
            FakeGameScript script = JunkSendingGame();
            script.junk = junk;
            mNoisy.push_back(mFleet.add(mWin, script));
        }
    }
    void expectIdle()
    {
        EXPECT_FALSE(mWin->running());
        EXPECT_EQ(mWin->modeFlags(), 0u);
        EXPECT_EQ(Server::NumConnections(), 0);
        EXPECT_EQ(progressValue(mWin), 0);
        EXPECT_TRUE(itemSensitive(mWin, "Server", "RefreshAll"));
    }

    fwtest::Watchdog mWatchdog{90};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    FakeFleet        mFleet;
    std::vector<FakeGameServer *> mNoisy;
};

// Every step after the burst is answered only at its resend, two seconds on: counted
// over the whole query, the sendings would run out at the third such step.
TEST_F(PeerTest, BusyServerEndsUpWithAllItsRulesAndPlayers)
{
    FakeGameServer *busy = mFleet.add(mWin, RateLimitedGame());
    refresh({busy});
    ASSERT_TRUE(runToEnd(mWin, 30000));
    Server *s = record(busy);
    EXPECT_FALSE(s->mDown);
    EXPECT_EQ(s->mName, "Busy Server");
    EXPECT_EQ(s->mRules.size(), 3u);
    EXPECT_EQ(s->mPlayers.size(), 4u);
    EXPECT_EQ(s->mTimeouts, 0);
    EXPECT_GT(busy->RequestCount(), 9u);    // info, 4 rule and 4 player requests, resends
    expectIdle();
}

// Asked at its own pace a guarded server lists a player a second. The request sent on each
// answer is dropped; its resend must pass at the first try, as one that fails waits out
// the two-second silence, and must not come on the guard's second, which a guard reading
// a coarse clock drops.
TEST_F(PeerTest, ServerThatGivesAPlayerASecondIsReadAtThatPace)
{
    const int players = 5;
    FakeGameScript script = PlayerLimitedGame();
    script.players.resize(players);
    FakeGameServer *guarded = mFleet.add(mWin, script);
    Clock::time_point start = Clock::now();
    refresh({guarded});
    ASSERT_TRUE(runToEnd(mWin, 30000));
    double took = msBetween(start, Clock::now());
    Server *s = record(guarded);
    EXPECT_EQ(s->mPlayers.size(), (size_t)players);
    EXPECT_LT(took, players * 1050 + 300);
    EXPECT_EQ(s->mTimeouts, 0);
    expectIdle();
    std::vector<FakeRequest> asked;
    for (const FakeRequest &request : guarded->Requests()) {
        if (request.Opcode() == 0x03)
            asked.push_back(request);
    }
    ASSERT_EQ(asked.size(), 2u * players - 1);
    for (size_t i = 2; i < asked.size(); i += 2)
        EXPECT_GT(msBetween(asked[i - 2].time, asked[i].time), 1010) << "player " << i / 2;
}

// The resend after an answer is timed from when the answer came, not from when a held-up
// window got round to reading it; a request sent when that time had passed already met no
// guard, and waits the ordinary silence.
TEST_F(PeerTest, ResendAfterAnAnswerReadLateKeepsThePace)
{
    FakeGameScript script = richScript(0, 3);
    script.mangle = [](const FakeRequest &request, Packet reply) {
        return request.Opcode() == 0x03 ? Packet() : reply;
    };
    FakeGameServer *fake = mFleet.add(mWin, script);
    FrozenClock clock;
    refresh({fake});
    ASSERT_TRUE(pumpUntil([fake] { return fake->RequestCount(0x03) >= 1; }));
    ASSERT_TRUE(fake->SendUnsolicited(MakePlayerReply(0, script.players[0])));
    usleep(300 * 1000);             // the window is busy elsewhere as the answer comes
    ASSERT_TRUE(pumpUntil([fake] { return fake->RequestCount(0x03) >= 2; }));
    clock.advance(800);             // over a second since the answer came
    ASSERT_TRUE(clock.settle());
    EXPECT_EQ(fake->RequestCount(0x03), 3u);

    ASSERT_TRUE(fake->SendUnsolicited(MakePlayerReply(1, script.players[1])));
    usleep(1100 * 1000);            // read when its second is over
    ASSERT_TRUE(pumpUntil([fake] { return fake->RequestCount(0x03) >= 4; }));
    clock.advance(1500);
    ASSERT_TRUE(clock.settle());
    EXPECT_EQ(fake->RequestCount(0x03), 4u);
    EXPECT_EQ(record(fake)->mPlayers.size(), 2u);
}

TEST_F(PeerTest, ServerWhosePlayersLeftEndsUpWithThoseWhoAnswered)
{
    FakeGameServer *emptying = mFleet.add(mWin, VanishingPlayersGame());
    refresh({emptying});
    ASSERT_TRUE(runToEnd(mWin, 15000));
    Server *s = record(emptying);
    EXPECT_FALSE(s->mDown);
    EXPECT_EQ(s->mNumPlayers, 5);
    ASSERT_EQ(s->mPlayers.size(), 2u);
    EXPECT_EQ(s->mPlayers[0].mName, "Stayer");
    EXPECT_EQ(s->mTimeouts, 0);
    EXPECT_EQ(emptying->RequestCount(0x03), 2u + 3u);   // the third player asked three times
    expectIdle();
}

// Datagrams that the query drops must not count as answers: a peer sending them would
// otherwise hold back every resend and give-up of the run.
TEST_F(PeerTest, NoisyPeersCannotHoldTheRun)
{
    FakeGameScript silent;
    silent.silent = true;
    FakeGameServer *quiet = mFleet.add(mWin, silent);
    FakeGameServer *normal = mFleet.add(mWin, richScript(2, 1));
    addNoisyPeers();
    CaptureStdout();
    CaptureStderr();
    Clock::time_point start = Clock::now();
    refresh({quiet, normal, mNoisy[0], mNoisy[1], mNoisy[2], mNoisy[3]});
    bool ended = runToEnd(mWin, 20000);
    double took = msBetween(start, Clock::now());
    GetCapturedStdout();
    GetCapturedStderr();
    ASSERT_TRUE(ended);
    EXPECT_LT(took, 10000);

    expectThreeSendingsTwoSecondsApart(quiet);
    EXPECT_TRUE(record(quiet)->mDown);
    EXPECT_EQ(record(quiet)->mTimeouts, 1);
    EXPECT_FALSE(record(normal)->mDown);
    EXPECT_EQ(record(normal)->mPlayers.size(), 1u);
    for (FakeGameServer *noisy : mNoisy) {
        Server *s = record(noisy);
        EXPECT_FALSE(s->mDown);
        EXPECT_EQ(s->mName, "Noisy Server");
        EXPECT_EQ(s->mTimeouts, 0);
        EXPECT_EQ(noisy->RequestCount(0x04), 3u);
    }
    expectIdle();
}

// Stop gives the queries in flight a moment to end, then ends them: neither silent
// servers nor peers that keep sending keep the run going, and a second press does not
// put the end off. Timed by the window's own clock, held still by the test.
TEST_F(PeerTest, StopEndsAnyRunTwoSecondsAfterTheFirstPress)
{
    FakeGameScript silent;
    silent.silent = true;
    FakeGameServer *quiet = mFleet.add(mWin, silent);
    FakeGameServer *quiet2 = mFleet.add(mWin, silent);
    addNoisyPeers();
    for (int i = 0; i < 20; i++)
        mFleet.add(mWin);           // still queued when Stop comes
    mWin->options().queriesAtOnce = 6;
    mWin->options().queryRules = true;
    CaptureStdout();
    CaptureStderr();
    FrozenClock clock;
    mWin->refreshAll();
    ASSERT_TRUE(pumpUntil([this] {  // the noisy peers' rule requests are out
        return std::all_of(mNoisy.begin(), mNoisy.end(),
                           [](FakeGameServer *noisy) { return noisy->RequestCount(0x04) > 0; });
    }));
    mWin->stop();
    clock.advance(1500);
    fwtest::pump(300);
    bool early = !mWin->running();
    mWin->stop();
    clock.advance(500);
    bool ended = runToEnd(mWin, 5000);
    GetCapturedStdout();
    GetCapturedStderr();
    EXPECT_FALSE(early);
    ASSERT_TRUE(ended);

    for (FakeGameServer *fake : {quiet, quiet2}) {
        EXPECT_LE(fake->RequestCount(), 2u);       // the queries in flight went on a while
        EXPECT_TRUE(record(fake)->mDown);
        EXPECT_EQ(record(fake)->mTimeouts, 0);      // a stop is not the server's fault
    }
    for (FakeGameServer *noisy : mNoisy)
        EXPECT_FALSE(record(noisy)->mDown);
    for (size_t i = 6; i < mFleet.size(); i++)
        EXPECT_EQ(mFleet.at(i)->RequestCount(), 0u) << "server " << i;
    expectIdle();
    char count[64];
    snprintf(count, sizeof count, "%d/%d servers", mWin->rowCount(), mWin->serverCount());
    EXPECT_EQ(statusText(mWin), count);
}

// Each reply a busy server takes time for is accepted, so its query moves on; the query
// as a whole is still bounded, and what it stored stays.
TEST_F(PeerTest, QueryThatRunsTooLongEndsWithWhatCame)
{
    FakeGameScript slow = RateLimitedGame();
    slow.rateBurst = 1;
    slow.rules.clear();
    for (int i = 0; i < 20; i++)
        slow.rules.push_back({"rule" + std::to_string(i), "1"});
    FakeGameServer *busy = mFleet.add(mWin, slow);
    mWin->setQueryLimit(5000);
    refresh({busy});
    Clock::time_point start = Clock::now();
    ASSERT_TRUE(runToEnd(mWin, 20000));
    EXPECT_LT(msBetween(start, Clock::now()), 10000);   // unbounded: over 20 s
    Server *s = record(busy);
    EXPECT_FALSE(s->mDown);
    EXPECT_GE(s->mRules.size(), 1u);
    EXPECT_LT(s->mRules.size(), 20u);
    EXPECT_TRUE(s->mPlayers.empty());
    EXPECT_EQ(s->mTimeouts, 0);
    expectIdle();
}

// With "debug true" the trace tells what happens, not that the engine is waiting.
TEST(PeerTraceTest, TraceSaysWhatHappensNotThatItWaits)
{
    fwtest::Watchdog watchdog(30);
    TempHome home;
    home.writeSettings("debug true\n");
    TestWin *win = showWindow();
    FakeGameScript silent;
    silent.silent = true;
    FakeFleet fleet;
    FakeGameServer *quiet = fleet.add(win, silent);
    FakeGameServer *answering = fleet.add(win);
    Server *done = serverAt(win, answering->HostText());
    FrozenClock clock;
    CaptureStdout();
    win->refreshAll();
    // The answering server is done, the silent one waits.
    bool answered = pumpUntil([done] { return !done->Connected() && !done->mDown; });
    std::string started = GetCapturedStdout();
    CaptureStdout();
    clock.advance(2000);            // its first resend falls due
    bool resent = pumpUntil([quiet] { return quiet->RequestCount() >= 2; });
    std::string waiting = GetCapturedStdout();
    CaptureStdout();
    clock.advance(2000);            // the last sending, then the give-up
    bool last = pumpUntil([quiet] { return quiet->RequestCount() >= 3; });
    clock.advance(2000);
    bool ended = runToEnd(win, 10000);
    std::string rest = GetCapturedStdout();
    ASSERT_TRUE(answered && resent && last && ended);

    EXPECT_NE(started.find("startWorkProc"), std::string::npos) << started;
    EXPECT_NE(started.find("Querying 127.0.0.1"), std::string::npos) << started;
    EXPECT_NE(started.find("Done with Fake Quake"), std::string::npos) << started;
    EXPECT_NE(waiting.find("Requerying 127.0.0.1 (sending 2)"), std::string::npos) << waiting;
    EXPECT_LE(std::count(waiting.begin(), waiting.end(), '\n'), 3) << waiting;
    EXPECT_NE(rest.find("Gave up on 127.0.0.1"), std::string::npos) << rest;
    EXPECT_NE(rest.find("stopWorkProc"), std::string::npos) << rest;
    EXPECT_LE(std::count(rest.begin(), rest.end(), '\n'), 12) << rest;
}
