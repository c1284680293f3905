// retries_test.cpp - each request of a query has its own sendings: a busy server that answers
// about one request at a time, steps that go unanswered after the info reply, and datagrams
// that are no answer and must not count as one.
#include "query/server.h"
#include "tests/query/query_driver.h"
#include "tests/support/fake_game_server.h"

#include <gtest/gtest.h>

#include <poll.h>

#include <chrono>
#include <climits>
#include <string>

using std::chrono::milliseconds;

class RetriesTest : public ::testing::Test {
protected:
    QueryRun Run(const FakeGameScript &game, bool rules, bool players, int maxMessages = 5000)
    {
        mFake.SetScript(game);
        EXPECT_TRUE(mFake.Start());
        mServer.SetHost(mFake.HostText().c_str());
        mConnectionsBefore = Server::NumConnections();
        ServerQueryInfo info = Asking(rules, players);
        return DriveQuery(mServer, info, mFake, milliseconds(100), maxMessages);
    }
    // Starts a query and hands it the info reply.
    void StartAnswered(const FakeGameScript &game)
    {
        mFake.SetScript(game);
        ASSERT_TRUE(mFake.Start());
        mServer.SetHost(mFake.HostText().c_str());
        ServerQueryInfo info = Asking(true, false);
        ASSERT_TRUE(mServer.Query(info));
        bool answered = false;
        ASSERT_TRUE(NextDatagram(&answered));
        ASSERT_TRUE(answered);
        ASSERT_EQ(mServer.mState, Server::State_GetRules);
    }
    // Waits for one datagram and hands it to the query; false when none came.
    bool NextDatagram(bool *answered)
    {
        struct pollfd fd = {mServer.Fd(), POLLIN, 0};
        if (poll(&fd, 1, 1000) <= 0)
            return false;
        EXPECT_TRUE(mServer.HandleMessage(answered));
        return true;
    }
    FakeGameServer mFake;
    Server         mServer;
    int            mConnectionsBefore = 0;
};

// After its burst the server answers every other request: every later request is
// answered only at its second sending. Counted over the whole query, the sendings
// would run out at the third step.
TEST_F(RetriesTest, BusyServerIsReadWhole)
{
    FakeGameScript game = RateLimitedGame();
    game.rateEvery = 2;
    QueryRun run = Run(game, true, true);
    EXPECT_TRUE(run.finished);
    EXPECT_GE(run.requeries, 3);
    EXPECT_FALSE(mServer.mDown);
    ASSERT_EQ(mServer.mRules.size(), 3u);
    EXPECT_EQ(mServer.mRules[2].mName, "timelimit");
    ASSERT_EQ(mServer.mPlayers.size(), 4u);
    EXPECT_EQ(mServer.mPlayers[3].mName, "Ogre");
    EXPECT_EQ(Server::NumConnections(), mConnectionsBefore);
}

TEST_F(RetriesTest, PlayersWhoLeftEndThePlayerStepWithThoseWhoAnswered)
{
    QueryRun run = Run(VanishingPlayersGame(), true, true);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_FALSE(mServer.mDown);
    EXPECT_EQ(mServer.mNumPlayers, 5);
    ASSERT_EQ(mServer.mPlayers.size(), 2u);
    EXPECT_EQ(mServer.mPlayers[1].mName, "Lingerer");
    std::vector<FakeRequest> requests = mFake.Requests();
    ASSERT_EQ(requests.size(), 1u + 1u + 2u + 3u);     // info, end of rules, 2 players, 3 x #2
    for (size_t i = 4; i < requests.size(); i++)
        EXPECT_EQ(requests[i].PlayerIndex(), 2);
}

// A rule step that never ends: the rules answered so far stay, and players are not asked.
TEST_F(RetriesTest, UnansweredRuleStepEndsTheQueryWithTheRulesThatCame)
{
    FakeGameScript game;
    game.rules = {{"deathmatch", "1"}, {"fraglimit", "30"}};
    game.players = {{"Ranger"}};
    game.mangle = [](const FakeRequest &request, Packet reply) {
        return request.RuleName() == "deathmatch" ? Packet() : reply;
    };
    QueryRun run = Run(game, true, true);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_FALSE(mServer.mDown);
    ASSERT_EQ(mServer.mRules.size(), 1u);
    EXPECT_EQ(mFake.RequestCount(0x04), 1u + 3u);
    EXPECT_EQ(mFake.RequestCount(0x03), 0u);
}

TEST_F(RetriesTest, JunkDoesNotPutOffTheResends)
{
    FakeGameScript game = JunkSendingGame();
    game.junkEveryMs = 30;          // well inside the driver's 100 ms silence
    QueryRun run = Run(game, true, false, 200);
    EXPECT_FALSE(run.runaway);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_EQ(mFake.RequestCount(0x04), 3u);
    EXPECT_EQ(mServer.mName, "Noisy Server");
    EXPECT_FALSE(mServer.mDown);
}

// A redial has no limit on its sendings: their count stops at the top of its range.
TEST_F(RetriesTest, SendingsWithoutLimitStopCountingAtTheTop)
{
    FakeGameScript game;
    game.silent = true;
    mFake.SetScript(game);
    ASSERT_TRUE(mFake.Start());
    mServer.SetHost(mFake.HostText().c_str());
    ServerQueryInfo info = Asking(false, false);
    info.maxRetries = INT_MAX;
    ASSERT_TRUE(mServer.Query(info));
    mServer.mRetries = INT_MAX;
    EXPECT_TRUE(mServer.ReQuery(info));
    EXPECT_EQ(mServer.mRetries, INT_MAX);
    mServer.Close();
}

// Only a reply that stores something and moves the query on is an answer.
TEST_F(RetriesTest, OnlyRepliesTheQueryTakesCountAsAnswers)
{
    FakeGameScript game;
    game.rules = {{"deathmatch", "1"}};
    game.mangle = [](const FakeRequest &request, Packet reply) {
        return request.Opcode() == 0x04 ? Packet() : reply;     // rule requests hang
    };
    StartAnswered(game);
    struct { const char *what; Packet datagram; } dropped[] = {
        {"junk", {0xFF, 0xFF, 0xFF, 0xFF, 'n'}},
        {"unknown opcode", MakePacket(0x01, {})},
        {"stale info reply", MakeInfoReply("", "Impostor", "e9m9", 9, 9, 9)},
        {"malformed rule", MakePacket(0x85, {'x'})},
        {"player reply out of step", MakePlayerReply(0, FakePlayer{"Ghost"})},
    };
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    for (auto &d : dropped) {
        SCOPED_TRACE(d.what);
        ASSERT_TRUE(mFake.SendUnsolicited(d.datagram));
        bool answered = true;
        ASSERT_TRUE(NextDatagram(&answered));
        EXPECT_FALSE(answered);
    }
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(mServer.mRules.empty());
    EXPECT_EQ(mServer.mRetries, 1);

    bool answered = false;
    ASSERT_TRUE(mFake.SendUnsolicited(MakeRuleReply("deathmatch", "1")));
    ASSERT_TRUE(NextDatagram(&answered));
    EXPECT_TRUE(answered);
    ASSERT_TRUE(mFake.SendUnsolicited(MakeRuleReply("deathmatch", "1")));
    ASSERT_TRUE(NextDatagram(&answered));
    EXPECT_FALSE(answered);         // the same rule again
    EXPECT_EQ(mServer.mRules.size(), 1u);
    mServer.Close();
}
