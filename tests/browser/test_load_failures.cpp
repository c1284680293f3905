// test_load_failures.cpp - list loads that fail say so: File > Open of a file that cannot be
// read names it and the reason in the error dialog without ever blocking, and a source that
// fails during an update leaves its message on the status line for a while.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "tests/support/descriptors.h"

#include "framework/VkFileSelectionDialog.h"

#include <X11/Intrinsic.h>
#include <sys/stat.h>

#include <string>

using namespace harness;

class LoadFailureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mHome.writeSettings("server 127.0.0.1:1 0\n");
        mWin = showWindow();
    }
    std::string countLine()
    {
        char text[64];
        snprintf(text, sizeof text, "%d/%d servers", mWin->rowCount(), mWin->serverCount());
        return text;
    }
    // File > Open of path, answered as the user would; returns the error dialog's text
    // ("" when none came) and how long the command held the window.
    std::string open(const std::string &path, double *tookMs = nullptr)
    {
        gFileSelectionDialog->setSelection(path.c_str());
        fwtest::pressLater(gFileSelectionDialog, fwtest::OK);
        std::string seen;
        readErrorLater(&seen);
        Clock::time_point start = Clock::now();
        mWin->loadServers();
        if (tookMs)
            *tookMs = msBetween(start, Clock::now());
        pumpUntil([&seen] { return !seen.empty(); }, 1000);
        return seen;
    }
    // The error dialog's two lines (its text as read back has no line break between them).
    static void expectLines(const std::string &seen, const std::string &first,
                            const std::string &second)
    {
        EXPECT_EQ(seen, first + second);
    }
    // Sends the pointer into or out of a tool button, as the server would.
    void crossTool(const char *tool, int type)
    {
        Widget button = XtNameToWidget(mWin->baseWidget(), (std::string("*") + tool).c_str());
        ASSERT_NE(button, nullptr);
        XEvent event = {};
        event.xcrossing.type = type;
        event.xcrossing.display = XtDisplay(button);
        event.xcrossing.window = XtWindow(button);
        event.xcrossing.mode = NotifyNormal;
        XtDispatchEvent(&event);
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

TEST_F(LoadFailureTest, OpenOfADirectoryNamesItAndTheReason)
{
    std::string seen = open(mHome.path());
    expectLines(seen, "Could not open specified file.", mHome.path() + ": Is a directory");
    EXPECT_EQ(mWin->servers().size(), 1u);
    EXPECT_EQ(statusText(mWin), countLine());
    EXPECT_FALSE(mWin->isBusy());
}

TEST_F(LoadFailureTest, OpenOfAMissingFileNamesItAndTheReason)
{
    std::string path = mHome.path() + "/none-such.txt";
    expectLines(open(path), "Could not open specified file.",
                path + ": No such file or directory");
}

// A FIFO with no writer would block open() until one came.
TEST_F(LoadFailureTest, OpenOfAFifoIsRefusedWithoutBlocking)
{
    std::string path = mHome.path() + "/pipe";
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
    double took = 0;
    std::string seen = open(path, &took);
    expectLines(seen, "Could not open specified file.", path + ": Not a regular file");
    EXPECT_LT(took, 2000);
    EXPECT_EQ(mWin->servers().size(), 1u);
}

// A regular file that fails part-way: the dialog says so; what came before stays, and
// nothing is queried, even when every load is to be followed by a query.
TEST_F(LoadFailureTest, ReadFailureAfterOpeningIsShownInTheDialog)
{
    FakeFleet fleet;
    FakeGameServer *listed = fleet.add(mWin);
    mWin->options().queryOnLoad = true;
    std::string seen = open("/proc/self/mem");
    expectLines(seen, "Could not read specified file.", "/proc/self/mem: Input/output error");
    EXPECT_EQ(statusText(mWin), countLine());
    EXPECT_FALSE(mWin->isBusy());
    EXPECT_FALSE(mWin->running());
    EXPECT_FALSE(listed->WaitForRequests(1, std::chrono::milliseconds(300)));
}

// The message of a failing source is what the user needs to see: the view update and
// the pointer leaving the tool must not replace it at once. Its line feed is not drawn.
TEST_F(LoadFailureTest, FailedSourceMessageStaysOnTheStatusLine)
{
    std::string refused = "http://127.0.0.1:" + std::to_string(ClosedTcpPort()) + "/";
    mWin->setSources({refused});
    mWin->setStatusHold(3000);
    crossTool("updateList", EnterNotify);
    mWin->updateList();
    std::string message = statusText(mWin);
    std::string expected = "Could not connect to " + refused + ": Connection refused";
    EXPECT_EQ(message, expected);

    crossTool("updateList", LeaveNotify);
    EXPECT_EQ(statusText(mWin), expected);
    mWin->updateView();
    EXPECT_EQ(statusText(mWin), expected);
    crossTool("refreshAll", EnterNotify);
    EXPECT_EQ(statusText(mWin), "Refresh all servers");
    crossTool("refreshAll", LeaveNotify);
    EXPECT_EQ(statusText(mWin), expected);

    fwtest::pump(1000);
    EXPECT_EQ(statusText(mWin), expected);
    ASSERT_TRUE(pumpUntil([this] { return statusText(mWin) == countLine(); }, 4000));
    crossTool("refreshAll", LeaveNotify);
    EXPECT_EQ(statusText(mWin), countLine());

    // A hold that runs out under a tip leaves the tip.
    mWin->setStatusHold(300);
    mWin->updateList();
    crossTool("refreshAll", EnterNotify);
    fwtest::pump(600);
    EXPECT_EQ(statusText(mWin), "Refresh all servers");
    crossTool("refreshAll", LeaveNotify);
    EXPECT_EQ(statusText(mWin), countLine());
}

// Something new on the line ends the hold: a run that ends shows the count again.
TEST_F(LoadFailureTest, NextRunReplacesTheHeldMessage)
{
    std::string refused = "http://127.0.0.1:" + std::to_string(ClosedTcpPort()) + "/";
    mWin->setSources({refused});
    mWin->updateList();
    ASSERT_EQ(statusText(mWin).rfind("Could not connect to ", 0), 0u);
    FakeFleet fleet;
    selectServer(mWin, serverAt(mWin, fleet.add(mWin)->HostText()));
    mWin->refreshSelected();
    ASSERT_TRUE(runToEnd(mWin));
    EXPECT_EQ(statusText(mWin), countLine());
}
