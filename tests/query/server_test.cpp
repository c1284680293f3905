// server_test.cpp - the Server record: host parsing, display name, flags, copies.
#include "query/server.h"
#include "tests/query/query_driver.h"
#include "tests/support/fake_game_server.h"

#include <gtest/gtest.h>

#include <string>

TEST(ServerRecordTest, NewServerIsDownAndUnmeasured)
{
    Server server;
    EXPECT_TRUE(server.mDown);
    EXPECT_EQ(server.mPing, 9999);
    EXPECT_EQ(server.GetPing(), 99999);
    EXPECT_EQ(server.mPort, 26000);
    EXPECT_EQ(server.mRow, -1);
    EXPECT_EQ(server.mTimeouts, 0);
    EXPECT_EQ(server.mState, Server::State_Idle);
    EXPECT_FALSE(server.Connected());
    server.mPing = 42;
    EXPECT_EQ(server.GetPing(), 99999);     // whatever was measured, while down
    server.mDown = 0;
    EXPECT_EQ(server.GetPing(), 42);
}

TEST(ServerRecordTest, SetHostPorts)
{
    struct { const char *text; int port; } cases[] = {
        {"127.0.0.1", 26000}, {"127.0.0.1:80", 80}, {"127.0.0.1:0", 26000},
        {"127.0.0.1:x", 26000}, {"127.0.0.1:65537", 1}, {"127.0.0.1: 27500", 27500},
        {"127.0.0.1:99999999999999999999", 65535},
    };
    for (const auto &c : cases) {
        Server server;
        server.mPort = 1234;
        server.SetHost(c.text);
        EXPECT_EQ(server.mPort, c.port) << c.text;
        EXPECT_STREQ(server.mAddress.DottedString(), "127.0.0.1") << c.text;
    }
}

TEST(ServerRecordTest, DisplayNamePrefersReportedThenKnownHostThenDotted)
{
    Server server;
    server.SetHost((std::string(64, 'a') + ".invalid:26001").c_str());
    EXPECT_STREQ(server.GetName(), "255.255.255.255");
    EXPECT_EQ(server.mPort, 26001);
    server.SetHost("localhost:26000");
    EXPECT_STREQ(server.GetName(), "localhost");
    server.mName = "Deathmatch Heaven";
    EXPECT_STREQ(server.GetName(), "Deathmatch Heaven");
}

TEST(ServerRecordTest, TestFlagNeedsEveryBit)
{
    Server server;
    server.mFlags = Server::Flag_GetPlayers;
    EXPECT_TRUE(server.TestFlag(Server::Flag_GetPlayers));
    EXPECT_FALSE(server.TestFlag(Server::Flag_GetPlayers | Server::Flag_GetRules));
    server.SetSelected(true);
    EXPECT_TRUE(server.TestFlag(Server::Flag_Selected));
    server.SetSelected(false);
    EXPECT_FALSE(server.TestFlag(Server::Flag_Selected));
    EXPECT_TRUE(server.TestFlag(Server::Flag_GetPlayers));
}

TEST(ServerRecordTest, SameAddressAndPortIsTheSameServer)
{
    Server named, dotted, other;
    named.SetHost("localhost:26000");
    dotted.SetHost("127.0.0.1");
    other.SetHost("127.0.0.1:26001");
    EXPECT_TRUE(named == dotted);
    EXPECT_FALSE(dotted == other);
}

class ServerCopyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mGame.rules = {{"deathmatch", "1"}, {"fraglimit", "30"}};
        mGame.players = {{"Ranger", 0x4D, 12, 300}};
        mFake.SetScript(mGame);
        ASSERT_TRUE(mFake.Start());
        mServer.SetHost(mFake.HostText().c_str());
    }
    FakeGameScript mGame;
    FakeGameServer mFake;
    Server         mServer;
};

TEST_F(ServerCopyTest, CopyKeepsTheRecordButNotTheSocket)
{
    ServerQueryInfo info = Asking(true, true);
    ASSERT_TRUE(DriveQuery(mServer, info, mFake).finished);
    mServer.mFlags |= Server::Flag_Favorite;
    Server copy(mServer);
    EXPECT_TRUE(copy == mServer);
    EXPECT_EQ(copy.mName, "Fake Quake");
    EXPECT_STREQ(copy.mMap, "e1m1");
    ASSERT_EQ(copy.mRules.size(), 2u);
    EXPECT_EQ(copy.mRules[1].mValue, "30");
    ASSERT_EQ(copy.mPlayers.size(), 1u);
    EXPECT_EQ(copy.mPlayers[0].mName, "Ranger");
    EXPECT_TRUE(copy.TestFlag(Server::Flag_Favorite));
    EXPECT_FALSE(copy.Connected());
}

TEST_F(ServerCopyTest, CopyOfARunningQueryDoesNotShareItsSocket)
{
    int before = Server::NumConnections();
    ServerQueryInfo info = Asking(true, false);
    ASSERT_TRUE(mServer.Query(info));
    EXPECT_EQ(Server::NumConnections(), before + 1);
    {
        Server copy(mServer);
        EXPECT_FALSE(copy.Connected());
    }
    EXPECT_TRUE(mServer.Connected());   // the copy's end closed nothing of ours
    Server target;
    target = mServer;
    EXPECT_FALSE(target.Connected());
    mServer = target;                   // overwriting a running query ends it, counted
    EXPECT_FALSE(mServer.Connected());
    EXPECT_EQ(Server::NumConnections(), before);
}

TEST_F(ServerCopyTest, NextRuleSurvivesCopiesAndGrowth)
{
    // The rule pager asks for the rule after a stored name; that name must not live in
    // storage that a copy or a growing rule list moves.
    mGame.rules.clear();
    for (int i = 0; i < 40; i++)
        mGame.rules.push_back({"rule" + std::to_string(i), std::to_string(i)});
    mFake.SetScript(mGame);
    ServerQueryInfo info = Asking(true, false);
    ASSERT_TRUE(mServer.Query(info));
    Server *live = &mServer;
    std::vector<Server> copies;
    for (int replies = 0; live->Connected() && replies < 200; replies++) {
        struct pollfd fd = {live->Fd(), POLLIN, 0};
        ASSERT_GT(poll(&fd, 1, 1000), 0);
        live->HandleMessage();
        copies.push_back(*live);        // reallocates, copying records with rules
    }
    EXPECT_FALSE(mServer.Connected());
    ASSERT_EQ(mServer.mRules.size(), 40u);
    EXPECT_EQ(mServer.mRules[39].mName, "rule39");
    std::vector<std::string> asked;
    for (const FakeRequest &request : mFake.Requests()) {
        if (request.Opcode() == 0x04)
            asked.push_back(request.RuleName());
    }
    ASSERT_EQ(asked.size(), 41u);
    for (int i = 1; i <= 40; i++)
        EXPECT_EQ(asked[i], "rule" + std::to_string(i - 1));
}
