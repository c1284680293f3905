// query_test.cpp - whole queries against the fake game server: info, rules, players, silence,
// refusal, and the request packets byte for byte.
#include "query/server.h"
#include "tests/query/query_driver.h"
#include "tests/support/descriptors.h"
#include "tests/support/fake_game_server.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

using std::chrono::milliseconds;

class QueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mGame.hostName = "Quake Arena";
        mGame.mapName = "dm6";
        mGame.maxPlayers = 8;
        mGame.protocolVersion = 3;
        mGame.rules = {{"sv_gravity", "800"}, {"deathmatch", "1"}, {"fraglimit", "30"}};
        mGame.players = {
            {"Ranger", 0x4D, 12, 300, "192.168.1.20:26000"},
            {"Grunt", 0xF0, -3, 65, "10.0.0.7:1024"},
        };
    }
    QueryRun Run(bool rules, bool players)
    {
        mFake.SetScript(mGame);
        if (!mFake.Running()) {
            EXPECT_TRUE(mFake.Start());
            mServer.SetHost(mFake.HostText().c_str());
        }
        mConnectionsBefore = Server::NumConnections();
        ServerQueryInfo info = Asking(rules, players);
        return DriveQuery(mServer, info, mFake);
    }
    // Reads replies until the query ends, or closes it after a second with none.
    bool ReadToEnd()
    {
        struct pollfd fd = {mServer.Fd(), POLLIN, 0};
        bool finished = false;
        while (!finished && poll(&fd, 1, 1000) > 0)
            finished = !mServer.HandleMessage();
        if (!finished)
            mServer.Close();
        return finished;
    }
    std::vector<int> Opcodes() const
    {
        std::vector<int> opcodes;
        for (const FakeRequest &request : mFake.Requests())
            opcodes.push_back(request.Opcode());
        return opcodes;
    }
    FakeGameScript mGame;
    FakeGameServer mFake;
    Server         mServer;
    int            mConnectionsBefore = 0;
};

TEST_F(QueryTest, InfoOnly)
{
    QueryRun run = Run(false, false);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.requeries, 0);
    EXPECT_FALSE(mServer.mDown);
    EXPECT_EQ(mServer.mName, "Quake Arena");
    EXPECT_STREQ(mServer.mMap, "dm6");
    EXPECT_EQ(mServer.mNumPlayers, 2);
    EXPECT_EQ(mServer.mMaxPlayers, 8);
    EXPECT_EQ(mServer.mProtocolVersion, 3);
    EXPECT_GE(mServer.mPing, 0);
    EXPECT_LT(mServer.mPing, 1000);
    EXPECT_EQ(mServer.mState, Server::State_Done);
    EXPECT_TRUE(mServer.mRules.empty());
    EXPECT_TRUE(mServer.mPlayers.empty());
    EXPECT_FALSE(mServer.Connected());
    EXPECT_EQ(Server::NumConnections(), mConnectionsBefore);
    ASSERT_EQ(mFake.RequestCount(), 1u);
    Packet info = {0x80, 0x00, 0x00, 0x0C, 0x02, 'Q', 'U', 'A', 'K', 'E', 0x00, 0x03};
    EXPECT_EQ(mFake.Requests()[0].bytes, info);
}

TEST_F(QueryTest, RulesArePagedByName)
{
    QueryRun run = Run(true, false);
    EXPECT_TRUE(run.finished);
    ASSERT_EQ(mServer.mRules.size(), 3u);
    EXPECT_EQ(mServer.mRules[0].mName, "sv_gravity");
    EXPECT_EQ(mServer.mRules[0].mValue, "800");
    EXPECT_EQ(mServer.mRules[2].mName, "fraglimit");
    EXPECT_EQ(mServer.mRules[2].mValue, "30");
    EXPECT_FALSE(mServer.mNextRule.has_value());
    std::vector<FakeRequest> requests = mFake.Requests();
    ASSERT_EQ(requests.size(), 5u);    // info, then the first rule and the one after each
    EXPECT_EQ(requests[1].bytes, Packet({0x80, 0x00, 0x00, 0x06, 0x04, 0x00}));
    Packet afterGravity = {0x80, 0x00, 0x00, 0x10, 0x04};
    for (char c : std::string("sv_gravity"))
        afterGravity.push_back((unsigned char)c);
    afterGravity.push_back(0);
    EXPECT_EQ(requests[2].bytes, afterGravity);
    EXPECT_EQ(requests[3].RuleName(), "deathmatch");
    EXPECT_EQ(requests[4].RuleName(), "fraglimit");
}

TEST_F(QueryTest, PlayersSplitColoursAndKeepSignedFrags)
{
    QueryRun run = Run(false, true);
    EXPECT_TRUE(run.finished);
    ASSERT_EQ(mServer.mPlayers.size(), 2u);
    const Player &ranger = mServer.mPlayers[0];
    EXPECT_EQ(ranger.mNumber, 0);
    EXPECT_EQ(ranger.mName, "Ranger");
    EXPECT_EQ(ranger.mShirt, 4);
    EXPECT_EQ(ranger.mPants, 13);
    EXPECT_EQ(ranger.mFrags, 12);
    EXPECT_EQ(ranger.mConnectTime, 300);
    EXPECT_STREQ(ranger.mAddress.DottedString(), "192.168.1.20");
    const Player &grunt = mServer.mPlayers[1];
    EXPECT_EQ(grunt.mShirt, 15);
    EXPECT_EQ(grunt.mPants, 0);
    EXPECT_EQ(grunt.mFrags, -3);
    EXPECT_STREQ(grunt.mAddress.DottedString(), "10.0.0.7");
    std::vector<FakeRequest> requests = mFake.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[1].bytes, Packet({0x80, 0x00, 0x00, 0x06, 0x03, 0x00}));
    EXPECT_EQ(requests[2].bytes, Packet({0x80, 0x00, 0x00, 0x06, 0x03, 0x01}));
}

TEST_F(QueryTest, AllThreeInOrder)
{
    QueryRun run = Run(true, true);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(mServer.mRules.size(), 3u);
    EXPECT_EQ(mServer.mPlayers.size(), 2u);
    EXPECT_EQ(Opcodes(), std::vector<int>({0x02, 0x04, 0x04, 0x04, 0x04, 0x03, 0x03}));
    EXPECT_FALSE(mServer.mDown);
}

TEST_F(QueryTest, RequeryStartsAfresh)
{
    ASSERT_TRUE(Run(true, true).finished);
    mGame.rules.pop_back();
    mGame.players.pop_back();
    QueryRun second = Run(true, true);
    EXPECT_TRUE(second.finished);
    EXPECT_EQ(mServer.mRules.size(), 2u);
    EXPECT_EQ(mServer.mPlayers.size(), 1u);
    EXPECT_EQ(mServer.mNumPlayers, 1);
}

TEST_F(QueryTest, EmptyServerIsNotAskedForPlayers)
{
    mGame.players.clear();
    QueryRun run = Run(true, true);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.requeries, 0);
    EXPECT_FALSE(mServer.mDown);
    EXPECT_EQ(mServer.mNumPlayers, 0);
    EXPECT_EQ(mFake.RequestCount(0x03), 0u);
    EXPECT_EQ(mServer.mRules.size(), 3u);
}

TEST_F(QueryTest, SilentServerIsAskedThreeTimesThenDown)
{
    mGame.silent = true;
    QueryRun run = Run(true, true);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_EQ(run.requeries, 3);    // the third silence gives up without sending
    EXPECT_TRUE(mServer.mDown);
    EXPECT_EQ(mServer.GetPing(), 99999);
    EXPECT_FALSE(mServer.Connected());
    EXPECT_EQ(Server::NumConnections(), mConnectionsBefore);
    ASSERT_TRUE(mFake.WaitForRequests(3, milliseconds(1000)));
    std::vector<FakeRequest> requests = mFake.Requests();
    ASSERT_EQ(requests.size(), 3u);
    for (const FakeRequest &request : requests)
        EXPECT_EQ(request.Opcode(), 0x02);
    // Each resend follows a silence (the driver's 100 ms), not the previous sending.
    EXPECT_GE(requests[1].time - requests[0].time, milliseconds(60));
    EXPECT_GE(requests[2].time - requests[1].time, milliseconds(60));
}

TEST_F(QueryTest, LostRequestsAreResentWithinTheRetries)
{
    mGame.dropFirst = 2;
    QueryRun run = Run(false, true);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.requeries, 2);
    EXPECT_FALSE(mServer.mDown);
    EXPECT_EQ(mServer.mRetries, 1);     // the player request was answered at once
    // The ping runs from the latest sending, not from the first one: the reply was read
    // before the first player request went out, however late the answer came.
    std::vector<FakeRequest> requests = mFake.Requests();
    ASSERT_GE(requests.size(), 4u);
    auto readBy = std::chrono::duration_cast<milliseconds>(requests[3].time - requests[2].time);
    EXPECT_LE(mServer.mPing, readBy.count() + 1);
    EXPECT_EQ(mServer.mPlayers.size(), 2u);
}

// The info request answered only at its last sending still leaves the player step its
// own three sendings; when they go unanswered the query ends with the server up.
TEST_F(QueryTest, EachRequestHasItsOwnSendings)
{
    mGame.dropFirst = 2;
    mGame.mangle = [](const FakeRequest &request, Packet reply) {
        return request.Opcode() == 0x03 ? Packet() : reply;     // players never answered
    };
    QueryRun run = Run(false, true);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_EQ(mFake.RequestCount(0x02), 3u);
    EXPECT_EQ(mFake.RequestCount(0x03), 3u);
    EXPECT_EQ(mServer.mName, "Quake Arena");
    EXPECT_FALSE(mServer.mDown);
    EXPECT_EQ(mServer.mState, Server::State_Done);
}

TEST_F(QueryTest, DoubledAnswersStoreEachRuleAndPlayerOnce)
{
    mGame.repeatReplies = 2;
    QueryRun run = Run(true, true);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(mServer.mRules.size(), 3u);
    ASSERT_EQ(mServer.mPlayers.size(), 2u);
    EXPECT_EQ(mServer.mPlayers[1].mName, "Grunt");
    // The second answer of each pair asks for nothing.
    EXPECT_EQ(Opcodes(), std::vector<int>({0x02, 0x04, 0x04, 0x04, 0x04, 0x03, 0x03}));
}

TEST_F(QueryTest, LateInfoReplyChangesNothingAndAsksNothing)
{
    mGame.mangle = [](const FakeRequest &request, Packet reply) {
        return request.Opcode() == 0x04 ? Packet() : reply;     // the rule step hangs
    };
    mFake.SetScript(mGame);
    ASSERT_TRUE(mFake.Start());
    mServer.SetHost(mFake.HostText().c_str());
    ServerQueryInfo info = Asking(true, false);
    ASSERT_TRUE(mServer.Query(info));
    struct pollfd fd = {mServer.Fd(), POLLIN, 0};
    ASSERT_GT(poll(&fd, 1, 1000), 0);
    ASSERT_TRUE(mServer.HandleMessage());
    ASSERT_TRUE(mFake.WaitForRequests(2, milliseconds(1000)));
    int ping = mServer.mPing;

    ASSERT_TRUE(mFake.SendUnsolicited(MakeInfoReply("", "Impostor", "e9m9", 9, 9, 9)));
    ASSERT_GT(poll(&fd, 1, 1000), 0);
    EXPECT_TRUE(mServer.HandleMessage());
    EXPECT_EQ(mServer.mName, "Quake Arena");
    EXPECT_STREQ(mServer.mMap, "dm6");
    EXPECT_EQ(mServer.mPing, ping);
    EXPECT_EQ(mServer.mState, Server::State_GetRules);
    EXPECT_FALSE(mFake.WaitForRequests(3, milliseconds(100)));
    mServer.Close();
}

TEST(RefusingServerTest, RefusalMarksDownAndRetriesEndTheQuery)
{
    unsigned short port = ClosedUdpPort();
    ASSERT_NE(port, 0);
    Server server;
    server.SetHost(("127.0.0.1:" + std::to_string(port)).c_str());
    int before = Server::NumConnections();
    ServerQueryInfo info = Asking(true, true);
    ASSERT_TRUE(server.Query(info));
    EXPECT_FALSE(server.mDown);
    struct pollfd fd = {server.Fd(), POLLIN, 0};
    ASSERT_GT(poll(&fd, 1, 1000), 0);
    EXPECT_TRUE(server.HandleMessage());    // the refusal: down, but the query goes on
    EXPECT_TRUE(server.mDown);
    EXPECT_EQ(server.mState, Server::State_GetInfo);
    int silences = 0;
    while (server.Connected() && silences < 10) {
        if (poll(&fd, 1, 100) > 0) {
            EXPECT_TRUE(server.HandleMessage());
        } else {
            silences++;
            if (!server.ReQuery(info))
                server.Close();
        }
    }
    EXPECT_FALSE(server.Connected());
    EXPECT_TRUE(server.mDown);
    EXPECT_EQ(Server::NumConnections(), before);
}

// A server that starts while it is being asked refuses the first request and answers the
// resend: it is up, whatever happened to the sending before.
TEST_F(QueryTest, ServerThatAnswersAfterARefusalIsUp)
{
    unsigned short port = ClosedUdpPort();
    ASSERT_NE(port, 0);
    mServer.SetHost(("127.0.0.1:" + std::to_string(port)).c_str());
    ServerQueryInfo info = Asking(true, true);
    ASSERT_TRUE(mServer.Query(info));
    struct pollfd fd = {mServer.Fd(), POLLIN, 0};
    ASSERT_GT(poll(&fd, 1, 1000), 0);
    ASSERT_TRUE(mServer.HandleMessage());
    ASSERT_TRUE(mServer.mDown);
    mFake.SetScript(mGame);
    ASSERT_TRUE(mFake.Start(port));
    ASSERT_TRUE(mServer.ReQuery(info));
    EXPECT_TRUE(ReadToEnd());
    EXPECT_EQ(mServer.mName, "Quake Arena");
    EXPECT_EQ(mServer.mPlayers.size(), 2u);
    EXPECT_FALSE(mServer.mDown);
}

// A server restarted after its info answer refuses the rule request and answers its resend:
// it stayed down, its rules and players shown on a row of "-".
TEST_F(QueryTest, ServerRefusedAfterItsInfoAnswerStaysUp)
{
    mFake.SetScript(mGame);
    ASSERT_TRUE(mFake.Start());
    uint16_t port = mFake.Port();
    mServer.SetHost(mFake.HostText().c_str());
    ServerQueryInfo info = Asking(true, true);
    ASSERT_TRUE(mServer.Query(info));
    struct pollfd fd = {mServer.Fd(), POLLIN, 0};
    ASSERT_GT(poll(&fd, 1, 1000), 0);
    mFake.Stop();
    ASSERT_TRUE(mServer.HandleMessage());       // the info answer; the rule request is refused
    ASSERT_GT(poll(&fd, 1, 1000), 0);
    ASSERT_TRUE(mServer.HandleMessage());
    EXPECT_FALSE(mServer.mDown);
    ASSERT_TRUE(mFake.Start(port));
    ASSERT_TRUE(mServer.ReQuery(info));
    EXPECT_TRUE(ReadToEnd());
    EXPECT_EQ(mServer.mRules.size(), 3u);
    EXPECT_EQ(mServer.mPlayers.size(), 2u);
    EXPECT_FALSE(mServer.mDown);
}

TEST(FailedConnectTest, QueryThatCannotConnectLeavesNothingOpen)
{
    // Connecting a datagram socket to the broadcast address is refused locally (no
    // SO_BROADCAST), and no packet leaves; check that first, to be sure of it here.
    int probe = socket(AF_INET, SOCK_DGRAM, 0);
    struct sockaddr_in broadcast = {};
    broadcast.sin_family = AF_INET;
    broadcast.sin_port = htons(26000);
    broadcast.sin_addr.s_addr = INADDR_BROADCAST;
    bool refused = connect(probe, (struct sockaddr *)&broadcast, sizeof broadcast) != 0;
    close(probe);
    if (!refused)
        GTEST_SKIP() << "this system lets a datagram socket connect to broadcast";

    Server server;      // unresolved: the address is all ones
    int before = Server::NumConnections();
    ServerQueryInfo info = Asking(false, false);
    EXPECT_FALSE(server.Query(info));
    EXPECT_TRUE(server.mDown);
    EXPECT_FALSE(server.Connected());
    EXPECT_EQ(Server::NumConnections(), before);

    FakeGameServer fake;
    ASSERT_TRUE(fake.Start());
    server.SetHost(fake.HostText().c_str());
    EXPECT_TRUE(DriveQuery(server, info, fake).finished);
    EXPECT_FALSE(server.mDown);
}
