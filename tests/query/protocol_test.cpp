// protocol_test.cpp - the protocol's helpers: ping arithmetic and the game's default rules.
#include "query/player.h"
#include "query/protocol.h"

#include <gtest/gtest.h>

TEST(TimevalDiffMsTest, BorrowsASecondAndTruncates)
{
    struct { long laterSec, laterUsec, earlierSec, earlierUsec; int ms; } cases[] = {
        {10, 500000, 10, 0, 500},
        {11, 100000, 10, 900000, 200},      // borrow
        {10, 1999, 10, 0, 1},               // 1.999 ms truncates to 1
        {12, 0, 10, 0, 2000},
    };
    for (const auto &c : cases) {
        struct timeval later = {c.laterSec, c.laterUsec};
        struct timeval earlier = {c.earlierSec, c.earlierUsec};
        EXPECT_EQ(TimevalDiffMs(&later, &earlier), c.ms) << c.laterSec << "." << c.laterUsec;
    }
}

TEST(IsDefaultRuleTest, OnlyExactNameAndValue)
{
    EXPECT_TRUE(IsDefaultRule(Rule("sv_gravity", "800")));
    EXPECT_TRUE(IsDefaultRule(Rule("sv_maxspeed", "320")));
    EXPECT_TRUE(IsDefaultRule(Rule("sv_fraglimit", "0")));
    EXPECT_FALSE(IsDefaultRule(Rule("sv_gravity", "800.0")));
    EXPECT_FALSE(IsDefaultRule(Rule("SV_GRAVITY", "800")));
    EXPECT_FALSE(IsDefaultRule(Rule("sv_friction", "0")));
    EXPECT_FALSE(IsDefaultRule(Rule("deathmatch", "0")));
}
