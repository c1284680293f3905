// sort_test.cpp - the server and player orders of the View menu's sort keys.
#include <gtest/gtest.h>

#include "browser/sort.h"
#include "query/server.h"

#include <list>
#include <string>
#include <vector>

class ServerSortTest : public ::testing::Test {
protected:
    Server *add(const char *host, int ping = 9999, bool answered = true)
    {
        mServers.emplace_back();
        Server &s = mServers.back();
        s.SetHost(host);
        s.mPing = ping;
        s.mDown = answered ? 0 : 1;
        return &s;
    }
    // The hosts in sorted order, as "address:port".
    std::vector<std::string> sorted(int key)
    {
        std::vector<Server *> array;
        for (Server &s : mServers)
            array.push_back(&s);
        sortServers(array.data(), (int)array.size(), key);
        std::vector<std::string> hosts;
        for (Server *s : array)
            hosts.push_back(std::string(s->mAddress.DottedString()) + ":" +
                            std::to_string(s->mPort));
        return hosts;
    }
    std::list<Server> mServers;
};

TEST_F(ServerSortTest, UnansweredServersComeLastByPing)
{
    add("10.0.0.1", 20, false);
    add("10.0.0.2", 300);
    add("10.0.0.3", 40);
    EXPECT_EQ(sorted(ServerSort_Ping),
              (std::vector<std::string>{"10.0.0.3:26000", "10.0.0.2:26000", "10.0.0.1:26000"}));
}

TEST_F(ServerSortTest, AddressesSortNumericallyThenByPort)
{
    add("10.0.0.40");
    add("10.0.0.5:26001");
    add("9.0.0.1");
    add("10.0.0.5:26000");
    add("200.1.1.1");
    EXPECT_EQ(sorted(ServerSort_IP),
              (std::vector<std::string>{"9.0.0.1:26000", "10.0.0.5:26000", "10.0.0.5:26001",
                                        "10.0.0.40:26000", "200.1.1.1:26000"}));
}

TEST_F(ServerSortTest, NamesIgnoreCaseAndTieOnThePort)
{
    add("10.0.0.1:27001")->mName = "alpha";
    add("10.0.0.2")->mName = "Beta";
    add("10.0.0.3:27000")->mName = "ALPHA";
    EXPECT_EQ(sorted(ServerSort_Name),
              (std::vector<std::string>{"10.0.0.3:27000", "10.0.0.1:27001", "10.0.0.2:26000"}));
    // A server that never answered goes by its host, among those that did.
    add("localhost:26001", 9999, false);
    add("10.0.0.4", 9999, false);
    add("10.0.0.5")->mName = "zulu";
    EXPECT_EQ(sorted(ServerSort_Name),
              (std::vector<std::string>{"10.0.0.4:26000", "10.0.0.3:27000", "10.0.0.1:27001",
                                        "10.0.0.2:26000", "127.0.0.1:26001", "10.0.0.5:26000"}));
}

TEST_F(ServerSortTest, MapsPlayersAndTimeOutsAscend)
{
    Server *a = add("10.0.0.1"), *b = add("10.0.0.2"), *c = add("10.0.0.3");
    snprintf(a->mMap, sizeof a->mMap, "e1m1");
    snprintf(b->mMap, sizeof b->mMap, "DM4");
    snprintf(c->mMap, sizeof c->mMap, "dm2");
    a->mNumPlayers = 8; b->mNumPlayers = 0; c->mNumPlayers = 3;
    a->mTimeouts = 1; b->mTimeouts = 2; c->mTimeouts = 0;
    std::vector<std::string> byMap = {"10.0.0.3:26000", "10.0.0.2:26000", "10.0.0.1:26000"};
    EXPECT_EQ(sorted(ServerSort_Map), byMap);
    std::vector<std::string> byPlayers = {"10.0.0.2:26000", "10.0.0.3:26000", "10.0.0.1:26000"};
    EXPECT_EQ(sorted(ServerSort_Players), byPlayers);
    std::vector<std::string> byTimeOuts = {"10.0.0.3:26000", "10.0.0.1:26000", "10.0.0.2:26000"};
    EXPECT_EQ(sorted(ServerSort_TimeOut), byTimeOuts);
}

TEST(ServerSortDeathTest, KeyOutsideTheMenuIsAProgrammingError)
{
    Server s;
    Server *array[1] = {&s};
    EXPECT_DEATH(sortServers(array, 1, 6), "func");
    EXPECT_DEATH(sortServers(array, 0, 1), "array && total > 0");
}

class PlayerSortTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const struct { const char *name; int frags, time; } reported[] = {
            {"zed", 5, 100}, {"Amy", 12, 30}, {"bob", -1, 900}, {"carl", 5, 30},
        };
        for (const auto &r : reported) {
            Player p;
            p.mName = r.name;
            p.mFrags = r.frags;
            p.mConnectTime = r.time;
            mPlayers.push_back(p);
        }
    }
    std::string sorted(int key)
    {
        std::vector<Player *> array;
        for (Player &p : mPlayers)
            array.push_back(&p);
        sortPlayers(array.data(), (int)array.size(), key);
        std::string names;
        for (Player *p : array)
            names += p->mName + " ";
        return names;
    }
    std::vector<Player> mPlayers;
};

TEST_F(PlayerSortTest, NamesAscendIgnoringCase)  { EXPECT_EQ(sorted(PlayerSort_Name), "Amy bob carl zed "); }
TEST_F(PlayerSortTest, FragsDescend)             { EXPECT_EQ(sorted(PlayerSort_Frags).substr(0, 4), "Amy "); }
TEST_F(PlayerSortTest, ConnectTimeDescends)      { EXPECT_EQ(sorted(PlayerSort_Time).substr(0, 8), "bob zed "); }
TEST_F(PlayerSortTest, TeamPingAndSkinKeepTheServersOrder)
{
    for (int key : {PlayerSort_Team, PlayerSort_Ping, PlayerSort_Skin})
        EXPECT_EQ(sorted(key), "zed Amy bob carl ") << key;
}
