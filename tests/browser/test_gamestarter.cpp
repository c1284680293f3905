// test_gamestarter.cpp - GameStarter with harmless commands: it never waits, reaps every
// process it started, and tells only of commands the shell could not run at once.
#include <gtest/gtest.h>

#include "browser/gameStarter.h"
#include "framework/VkApp.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <chrono>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

class GameStarterTest : public ::testing::Test {
protected:
    GameStarterTest()
        : mStarter(fwtest::app()->appContext(),
                   [this](const std::string &message) { mReports.push_back(message); })
    {
    }
    // Starts command and gives how long the start took, in milliseconds.
    double start(const std::string &command)
    {
        Clock::time_point begin = Clock::now();
        std::string message;
        EXPECT_TRUE(mStarter.start(command.c_str(), &message)) << message;
        return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    }
    bool allReaped(int timeoutMs)
    {
        return fwtest::pumpUntil([this] { return mStarter.running() == 0; }, timeoutMs);
    }

    fwtest::Watchdog         mWatchdog{30};
    std::vector<std::string> mReports;
    GameStarter              mStarter;
};

} // namespace

TEST_F(GameStarterTest, StartsWithoutWaitingAndReapsWhatEnds)
{
    {
        // The watchers, on this clock, wait as long as the games run: a start that waited
        // would take the two seconds, one that does not the time of a fork.
        harness::FrozenClock clock;
        EXPECT_LT(start("sleep 2"), 1000);
        EXPECT_LT(start("true"), 1000);
    }
    EXPECT_EQ(mStarter.running(), 2u);
    EXPECT_TRUE(allReaped(8000));
    EXPECT_TRUE(mReports.empty());
}

TEST_F(GameStarterTest, OnlyAFailureOfTheShellInTheFirstSecondIsTold)
{
    start("exit 127");
    start("exit 3");                // the game's own failure is the game's to tell
    start("sleep 1.5; exit 127");   // too late to be the shell's
    EXPECT_TRUE(allReaped(5000));
    ASSERT_EQ(mReports.size(), 1u);
    EXPECT_NE(mReports[0].find("no such command"), std::string::npos) << mReports[0];
}

TEST_F(GameStarterTest, ASyntaxErrorRunsNothing)
{
    std::string marker = "/tmp/vireo-gamestarter-" + std::to_string(getpid());
    start("touch " + marker + "; if");
    EXPECT_TRUE(allReaped(5000));
    ASSERT_EQ(mReports.size(), 1u);
    EXPECT_NE(mReports[0].find("syntax error"), std::string::npos) << mReports[0];
    EXPECT_NE(access(marker.c_str(), F_OK), 0);
    unlink(marker.c_str());
}
