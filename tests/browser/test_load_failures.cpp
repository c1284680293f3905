// test_load_failures.cpp - list loads that fail say so: a source that fails during an update
// leaves its message on the status line for a while.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "tests/support/descriptors.h"

#include <X11/Intrinsic.h>

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
