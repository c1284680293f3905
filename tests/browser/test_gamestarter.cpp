// test_gamestarter.cpp - GameStarter with harmless commands: it never waits, reaps every
// process it started, and tells only of commands the shell could not run at once.
#include <gtest/gtest.h>

#include "browser/gameStarter.h"
#include "framework/VkApp.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string procText(pid_t pid, const char *what)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + what);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

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
    int descriptors = harness::openDescriptors(getpid());
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
    EXPECT_EQ(harness::openDescriptors(getpid()), descriptors);
}

// The game starts as from a shell, whatever this program holds: no signal blocked or
// ignored (the program ignores SIGXFSZ), a process group of its own, and only the standard
// descriptors.
TEST_F(GameStarterTest, TheGameHasNothingOfThisProgram)
{
    sigset_t usr1, old;
    sigemptyset(&usr1);
    sigaddset(&usr1, SIGUSR1);
    sigprocmask(SIG_BLOCK, &usr1, &old);
    void (*oldXfsz)(int) = signal(SIGXFSZ, SIG_IGN);
    int inherited = open("/dev/null", O_RDONLY);
    std::string file = "/tmp/vireo-game-" + std::to_string(getpid());
    start("echo $$ > " + file + "; exec sleep 10");
    sigprocmask(SIG_SETMASK, &old, nullptr);
    signal(SIGXFSZ, oldXfsz);
    close(inherited);
    pid_t game = 0, parent = 0, group = 0;
    std::string state;
    ASSERT_TRUE(fwtest::pumpUntil([&] {     // asleep in the game, which has done loading
        std::ifstream(file) >> game;
        std::string stat = game > 0 ? procText(game, "stat") : "";
        size_t name = stat.find(" (sleep) ");
        if (name != std::string::npos)
            std::istringstream(stat.substr(name + 9)) >> state >> parent >> group;
        return state == "S";
    }));
    std::string status = procText(game, "status");
    EXPECT_NE(status.find("\nSigBlk:\t0000000000000000\n"), std::string::npos) << status;
    EXPECT_NE(status.find("\nSigIgn:\t0000000000000000\n"), std::string::npos) << status;
    EXPECT_NE(group, getpgrp());
    EXPECT_EQ(harness::openDescriptors(game), 3);
    kill(game, SIGKILL);
    unlink(file.c_str());
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
