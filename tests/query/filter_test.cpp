// filter_test.cpp - the server filter and the wildcard matcher, as tables of cases.
#include "query/filter.h"
#include "query/server.h"
#include "query/wildmatch.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(PatternMatchTest, Table)
{
    struct { const char *text; const char *patterns; bool match; } cases[] = {
        {"e1m1", "*", true},
        {"", "*", true},
        {"", "?", false},
        {"", "", false},            // an empty list holds no pattern at all
        {"", " ", true},            // a blank token is the empty pattern
        {"", "*a", false},
        {"e1m1", "e1m?", true},
        {"e1m10", "e1m?", false},
        {"e1m1", "e1m? | dm*", true},
        {"dm6", "e1m? | dm*", true},
        {"e2m1", "e1m? | dm*", false},
        {"dm6", "||dm6||", true},   // empty tokens vanish
        {"dm6", "DM*", false},
        {"dm3", "[^e]*", true},
        {"e1m1", "[^e]*", false},
        {"]", "[]x]", true},
        {"x", "[]x]", true},
        {"y", "[]x]", false},
        {"-", "[-a]", true},
        {"e1m1", "e[1-3]m1", true}, // both ends of a range are in it
        {"e3m1", "e[1-3]m1", true},
        {"e4m1", "e[1-3]m1", false},
        {"e-m1", "e[1-]m1", true},  // a '-' before ']' is a member
        {"dm?", "dm\\?", true},
        {"dm1", "dm\\?", false},
        {"dm", "dm\\", false},      // a trailing backslash matches nothing
        {"b", "[a-c", true},        // an open class closes at the end
        {"bc", "[a-c", false},
        {"ab", "a[", false},
        {"start", "s*t", true},
        {"start", "s**r*", true},
        {"start", "*x*", false},
        {"aXb", "a*?b", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PatternMatch(c.text, c.patterns), c.match) << '"' << c.text << "\" ~ \"" << c.patterns << '"';
}

TEST(DoMatchTest, AbortsWhenTheTextRunsOut)
{
    EXPECT_EQ(DoMatch("abc", "abc"), 1);
    EXPECT_EQ(DoMatch("abc", "abd"), 0);
    EXPECT_EQ(DoMatch("ab", "abc"), -1);
    EXPECT_EQ(DoMatch("abc", "*d"), -1);
    EXPECT_EQ(DoMatch("", ""), 1);
    EXPECT_EQ(DoMatch("a", ""), 0);
}

class FilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mServer.mDown = 0;
        mServer.mPing = 100;
        mServer.mNumPlayers = 4;
        mServer.mMaxPlayers = 8;
        strcpy(mServer.mMap, "dm6");
    }
    ServerFilter mFilter;
    Server       mServer;
};

TEST_F(FilterTest, NewFilterPassesAnsweringServersOnly)
{
    EXPECT_TRUE(mFilter.Passes(mServer));
    mServer.mDown = 1;
    EXPECT_FALSE(mFilter.Passes(mServer));
    mFilter.requireQueryInfo = 0;
    EXPECT_FALSE(mFilter.Passes(mServer));
}

TEST_F(FilterTest, EachTestAtItsLimit)
{
    struct { const char *what; void (*set)(ServerFilter &, Server &); bool passes; } cases[] = {
        {"ping at limit", [](ServerFilter &f, Server &s) { f.pingFilter = 1; s.mPing = f.maxPing; }, true},
        {"ping over", [](ServerFilter &f, Server &s) { f.pingFilter = 1; s.mPing = f.maxPing + 1; }, false},
        {"ping over, test off", [](ServerFilter &f, Server &s) { s.mPing = f.maxPing + 1; }, true},
        {"full", [](ServerFilter &f, Server &s) { f.excludeFullServers = 1; s.mNumPlayers = 8; }, false},
        {"0 of 0 is full", [](ServerFilter &f, Server &s) {
             f.excludeFullServers = 1; s.mNumPlayers = 0; s.mMaxPlayers = 0; }, false},
        {"time-outs at limit", [](ServerFilter &f, Server &s) { f.timeoutFilter = 1; s.mTimeouts = 1; }, true},
        {"time-outs over", [](ServerFilter &f, Server &s) { f.timeoutFilter = 1; s.mTimeouts = 2; }, false},
        {"too few", [](ServerFilter &f, Server &) { f.minPlayerFilter = 1; f.minPlayers = 5; }, false},
        {"enough", [](ServerFilter &f, Server &) { f.minPlayerFilter = 1; f.minPlayers = 4; }, true},
        {"too many", [](ServerFilter &f, Server &) { f.maxPlayerFilter = 1; f.maxPlayers = 3; }, false},
        {"not too many", [](ServerFilter &f, Server &) { f.maxPlayerFilter = 1; f.maxPlayers = 4; }, true},
        {"include *", [](ServerFilter &f, Server &s) { f.includeMapFilter = 1; s.mMap[0] = 0; }, true},
        {"include empty", [](ServerFilter &f, Server &) { f.includeMapFilter = 1; f.includeMap[0] = 0; }, false},
        {"include other", [](ServerFilter &f, Server &) { f.includeMapFilter = 1; strcpy(f.includeMap, "e1m?"); }, false},
        {"exclude empty", [](ServerFilter &f, Server &) { f.excludeMapFilter = 1; }, true},
        {"exclude match", [](ServerFilter &f, Server &) { f.excludeMapFilter = 1; strcpy(f.excludeMap, "e*|dm?"); }, false},
    };
    for (const auto &c : cases) {
        ServerFilter filter;
        Server server = mServer;
        c.set(filter, server);
        EXPECT_EQ(filter.Passes(server), c.passes) << c.what;
    }
}
