// reply_faults_test.cpp - what hostile or broken servers send: truncated and mislabelled
// replies, strings without their NUL, unknown opcodes, oversized names, cycling rules.
// None may crash the query, store anything from a rejected reply, or keep a query going.
#include "query/server.h"
#include "tests/query/query_driver.h"
#include "tests/support/fake_game_server.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

class ReplyFaultTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mGame.hostName = "Honest Name";
        mGame.mapName = "e2m3";
        mGame.maxPlayers = 8;
        mGame.rules = {{"deathmatch", "1"}, {"fraglimit", "30"}, {"timelimit", "20"}};
        mGame.players = {{"Ranger", 0x4D, 12, 300}, {"Grunt", 0x22, 4, 60}};
        // What an earlier query left; a rejected reply must not change it.
        mServer.mName = "Old Name";
        strcpy(mServer.mMap, "start");
        mServer.mNumPlayers = 5;
        mServer.mMaxPlayers = 6;
        mServer.mPing = 77;
    }
    QueryRun Run(bool rules, bool players)
    {
        mFake.SetScript(mGame);
        EXPECT_TRUE(mFake.Start());
        mServer.SetHost(mFake.HostText().c_str());
        ServerQueryInfo info = Asking(rules, players);
        CaptureStdout();
        CaptureStderr();
        QueryRun run = DriveQuery(mServer, info, mFake);
        mOut = GetCapturedStdout();
        mErr = GetCapturedStderr();
        return run;
    }
    void ExpectInfoUntouched()
    {
        EXPECT_EQ(mServer.mName, "Old Name");
        EXPECT_STREQ(mServer.mMap, "start");
        EXPECT_EQ(mServer.mNumPlayers, 5);
        EXPECT_EQ(mServer.mMaxPlayers, 6);
        EXPECT_EQ(mServer.mPing, 77);
    }
    static std::string Repeat(const std::string &line, int times)
    {
        std::string text;
        for (int i = 0; i < times; i++)
            text += line;
        return text;
    }
    FakeGameScript mGame;
    FakeGameServer mFake;
    Server         mServer;
    std::string    mOut, mErr;
};

// ---- Server-info replies

TEST_F(ReplyFaultTest, MalformedInfoRepliesStoreNothing)
{
    struct { const char *what; ReplyMangler mangle; } cases[] = {
        {"no protocol byte", TruncateBy(1)},
        {"ends after the map name", TruncateBy(3)},
        {"strings without NULs", StripNuls()},
        {"address string only", TruncateBy((int)(mGame.hostName.size() + 1 + 5 + 3))},
    };
    for (auto &c : cases) {
        SCOPED_TRACE(c.what);
        mFake.Stop();
        mGame.mangle = c.mangle;
        QueryRun run = Run(false, false);
        EXPECT_TRUE(run.gaveUp);
        EXPECT_TRUE(mServer.mDown);
        ExpectInfoUntouched();
        EXPECT_EQ(mFake.RequestCount(), 3u);   // a rejected reply asks for nothing more
        EXPECT_EQ(mErr, Repeat("Server::_readPacket() Old Name - error on packet opcode 83\n", 3));
        EXPECT_EQ(mOut, "");
    }
}

TEST_F(ReplyFaultTest, WrongLengthFieldIsABogusPacket)
{
    for (int delta : {-1, 1, 300}) {
        SCOPED_TRACE(delta);
        mFake.Stop();
        mGame.mangle = WrongLengthField(delta);
        QueryRun run = Run(false, false);
        EXPECT_TRUE(run.gaveUp);
        ExpectInfoUntouched();
        EXPECT_EQ(mOut, Repeat("Server::_readPacket() Old Name - bogus packet\n", 3));
        EXPECT_EQ(mErr, "");
    }
}

TEST_F(ReplyFaultTest, DatagramShorterThanItsHeaderIsBogus)
{
    mGame.mangle = [](const FakeRequest &, Packet) { return Packet({0x80, 0x00, 0x00, 0x04}); };
    QueryRun run = Run(false, false);
    EXPECT_TRUE(run.gaveUp);
    ExpectInfoUntouched();
    EXPECT_EQ(mOut, Repeat("Server::_readPacket() Old Name - bogus packet\n", 3));
}

TEST_F(ReplyFaultTest, UnknownOpcodesAreDroppedSilently)
{
    for (unsigned char opcode : {0x00, 0x82, 0x86, 0xFF}) {
        SCOPED_TRACE(opcode);
        mFake.Stop();
        mGame.mangle = WithOpcode(opcode);
        QueryRun run = Run(false, false);
        EXPECT_TRUE(run.gaveUp);
        ExpectInfoUntouched();
        EXPECT_EQ(mOut + mErr, "");
    }
}

TEST_F(ReplyFaultTest, DatagramLargerThanTheReplyBufferIsBogus)
{
    mGame.hostName = std::string(2000, 'h');
    QueryRun run = Run(false, false);
    EXPECT_TRUE(run.gaveUp);
    ExpectInfoUntouched();
    EXPECT_EQ(mOut, Repeat("Server::_readPacket() Old Name - bogus packet\n", 3));
}

// The read keeps the first 1,600 bytes of a datagram. A longer one whose header claims
// just those would pass the length test cut, and its head be taken for the answer.
TEST_F(ReplyFaultTest, DatagramCutByTheReadIsBogusAndTheTrueReplyIsTaken)
{
    size_t fill = 1600 - MakeInfoReply(mGame.address, "", "e1m1", 0, 8, 3).size();
    Packet cut = MakeInfoReply(mGame.address, std::string(fill, 'c'), "e1m1", 0, 8, 3);
    cut.resize(2000, 'x');
    mGame.ahead = cut;
    mGame.aheadOpcode = 0x02;
    QueryRun run = Run(false, false);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.requeries, 0);
    EXPECT_EQ(mServer.mName, "Honest Name");
    EXPECT_EQ(mOut, "Server::_readPacket() Old Name - bogus packet\n");
}

TEST_F(ReplyFaultTest, LongNamesAreKeptAndLongMapsCut)
{
    mGame.hostName = std::string(1500, 'n');
    mGame.mapName = "a_very_long_map_name_indeed";
    QueryRun run = Run(false, false);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(mServer.mName, mGame.hostName);
    EXPECT_STREQ(mServer.mMap, "a_very_long_map");
}

// ---- Rule replies

TEST_F(ReplyFaultTest, MalformedRuleReplyStoresNothing)
{
    mGame.mangle = TruncateBy(1, 0x85);     // the value loses its NUL
    QueryRun run = Run(true, false);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_TRUE(mServer.mRules.empty());
    EXPECT_EQ(mServer.mName, "Honest Name");
    EXPECT_EQ(mErr, Repeat("Server::_readPacket() Honest Name - error on packet opcode 85\n", 3));
}

TEST_F(ReplyFaultTest, RuleNameTooLongToAskAfterEndsTheList)
{
    // The longest name a request can carry is asked after; one character more is not.
    mGame.rules = {{"deathmatch", "1"}, {std::string(Server::MaxRuleName, 'q'), "w"},
                   {std::string(Server::MaxRuleName + 1, 'r'), "x"}, {"never", "asked"}};
    QueryRun run = Run(true, true);
    EXPECT_TRUE(run.finished);
    EXPECT_FALSE(mServer.mDown);
    ASSERT_EQ(mServer.mRules.size(), 3u);
    EXPECT_EQ(mServer.mRules[2].mName.size(), (size_t)Server::MaxRuleName + 1);
    EXPECT_EQ(mFake.RequestCount(0x04), 3u);
    EXPECT_EQ(mServer.mPlayers.size(), 2u);
}

TEST_F(ReplyFaultTest, RulesCyclingBackToAnEarlierNameEndTheList)
{
    for (int restart : {0, 1}) {
        SCOPED_TRACE(restart);
        mFake.Stop();
        mGame.cycleRulesTo = restart;
        QueryRun run = Run(true, true);
        EXPECT_TRUE(run.finished);
        EXPECT_FALSE(mServer.mDown);
        ASSERT_EQ(mServer.mRules.size(), 3u);
        EXPECT_EQ(mServer.mRules[2].mName, "timelimit");
        EXPECT_EQ(mServer.mPlayers.size(), 2u);
    }
}

TEST_F(ReplyFaultTest, RuleRepeatingItselfCannotKeepTheQueryGoing)
{
    mGame.rules = {{"deathmatch", "1"}};
    mGame.cycleRulesTo = 0;
    QueryRun run = Run(true, false);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_EQ(mServer.mRules.size(), 1u);
    EXPECT_EQ(mFake.RequestCount(), 5u);   // info, first rule, then the three sendings of "after deathmatch"
}

TEST_F(ReplyFaultTest, EndlessDistinctRulesAreCapped)
{
    mGame.rules.clear();
    for (int i = 0; i < Server::MaxRules + 50; i++)
        mGame.rules.push_back({"r" + std::to_string(i), "v"});
    QueryRun run = Run(true, false);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(mServer.mRules.size(), (size_t)Server::MaxRules);
}

TEST_F(ReplyFaultTest, StaleRepliesDoNotPingPong)
{
    // A server that answers every rule request with a server-info reply would otherwise
    // be asked again at once, for ever.
    mGame.mangle = WithOpcode(0x83, 0x85);
    QueryRun run = Run(true, false);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_EQ(run.messages, 4);     // the info reply, then one stale reply per sending
    EXPECT_EQ(mFake.RequestCount(0x04), 3u);
    EXPECT_TRUE(mServer.mRules.empty());
    EXPECT_EQ(mServer.mName, "Honest Name");
}

// ---- Player replies

TEST_F(ReplyFaultTest, MalformedPlayerRepliesStoreNothing)
{
    for (ReplyMangler mangle : {TruncateBy(1, 0x84), StripNuls(0x84), TruncateBy(20, 0x84)}) {
        mFake.Stop();
        mGame.mangle = mangle;
        QueryRun run = Run(false, true);
        EXPECT_TRUE(run.gaveUp);
        EXPECT_TRUE(mServer.mPlayers.empty());
        EXPECT_EQ(mErr,
                  Repeat("Server::_readPacket() Honest Name - error on packet opcode 84\n", 3));
    }
}

// The reply's last number is the connect time, before the address string: cut inside it,
// a reader that checks less than all four of its bytes reads past the datagram.
TEST_F(ReplyFaultTest, APlayerReplyCutInsideItsConnectTimeStoresNothing)
{
    int addressBytes = (int)mGame.players[0].address.size() + 1;
    mGame.mangle = TruncateBy(addressBytes + 1, 0x84);     // three of its four bytes left
    QueryRun run = Run(false, true);
    EXPECT_TRUE(run.gaveUp);
    EXPECT_TRUE(mServer.mPlayers.empty());
    EXPECT_EQ(mErr, Repeat("Server::_readPacket() Honest Name - error on packet opcode 84\n", 3));
}

TEST_F(ReplyFaultTest, PlayersBeyondTheReportedCountAreNotAsked)
{
    mGame.reportedPlayers = 1;
    QueryRun run = Run(false, true);
    EXPECT_TRUE(run.finished);
    ASSERT_EQ(mServer.mPlayers.size(), 1u);
    EXPECT_EQ(mFake.RequestCount(0x03), 1u);
}

TEST_F(ReplyFaultTest, PlayerAddressIsReadNumericallyAndNamesKeptWhole)
{
    mGame.players[0].address = "localhost:26000";
    mGame.players[1].address = std::string(1000, '9');
    mGame.players[1].name = std::string(400, 'p');
    QueryRun run = Run(false, true);
    EXPECT_TRUE(run.finished);
    ASSERT_EQ(mServer.mPlayers.size(), 2u);
    EXPECT_EQ(mServer.mPlayers[0].mAddress.Address(), 0xFFFFFFFFu);
    EXPECT_STREQ(mServer.mPlayers[0].mAddress.KnownHostName(), "");
    EXPECT_EQ(mServer.mPlayers[1].mAddress.Address(), 0xFFFFFFFFu);
    EXPECT_EQ(mServer.mPlayers[1].mName, mGame.players[1].name);
}
