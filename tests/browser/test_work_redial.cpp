// test_work_redial.cpp - the query engine's redial of a full server, stopping it, and the
// window staying responsive while the engine waits for silent servers.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"

#include <Xm/Xm.h>
#include <X11/Xlib.h>

#include <atomic>
#include <memory>
#include <sys/stat.h>

using namespace harness;

class RedialTest : public ::testing::Test {
protected:
    void SetUp() override { mWin = showWindow(); }

    // A server that reports itself full for its first fullAnswers answers, then has a slot.
    FakeGameServer *addFullServer(int fullAnswers)
    {
        auto answers = std::make_shared<std::atomic<int>>(0);
        FakeGameScript script;
        script.mangle = [answers, fullAnswers](const FakeRequest &, Packet reply) {
            if (reply.size() > 4 && reply[4] == 0x83) {
                int players = (*answers)++ < fullAnswers ? 16 : 15;
                reply = MakeInfoReply("127.0.0.1:26000", "Full House", "dm4", players, 16, 3);
            }
            return reply;
        };
        FakeGameServer *server = mFleet.add(mWin, script);
        selectServer(mWin, serverAt(mWin, server->HostText()));
        return server;
    }

    fwtest::Watchdog mWatchdog{60};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    FakeFleet        mFleet;
};

TEST_F(RedialTest, FullServerIsAskedEverySecondUntilASlotOpens)
{
    FakeGameServer *full = addFullServer(3);
    mWin->redialSelected();
    EXPECT_TRUE(mWin->isRedialing());
    EXPECT_EQ(progressComplete(mWin), 1);
    ASSERT_TRUE(runToEnd(mWin, 10000));

    EXPECT_EQ(mWin->slotsOpened, 1);
    Server *watched = serverAt(mWin, full->HostText());
    EXPECT_EQ(mWin->slotServer, watched);
    EXPECT_EQ(watched->mNumPlayers, 15);
    EXPECT_EQ(gridRowText(mWin->serverGrid(), 0, 5, 1), "15/16") << "the grid shows the slot";
    expectSendingsApart(full, 4, 950, 1500);
    EXPECT_EQ(mWin->modeFlags(), 0u);
    EXPECT_EQ(progressValue(mWin), 0);
    EXPECT_EQ(statusText(mWin), "1/1 servers");     // not the redial's last line
    fwtest::pump(1200);
    EXPECT_EQ(full->RequestCount(), 4u);
}

TEST_F(RedialTest, StopDuringThePauseEndsTheRedialAtOnce)
{
    FakeGameServer *full = addFullServer(1000);
    mWin->redialSelected();
    ASSERT_TRUE(pumpUntil([full] { return full->RequestCount() >= 2; }, 5000));
    fwtest::pump(300);      // inside the pause after the second answer
    EXPECT_EQ(statusText(mWin), "Redialing server Full House...");
    // The user points at the stop tool, whose tip replaces the line, and presses it.
    Widget stopTool = XtNameToWidget(mWin->baseWidget(), "*toolBar.stop");
    crossing(stopTool, EnterNotify);
    EXPECT_EQ(statusText(mWin), "Stop");
    XtCallCallbacks(stopTool, XmNactivateCallback, nullptr);
    EXPECT_FALSE(mWin->running());
    EXPECT_EQ(mWin->modeFlags(), 0u);
    EXPECT_EQ(statusText(mWin), "1/1 servers");
    fwtest::pump(1500);
    EXPECT_EQ(full->RequestCount(), 2u);
    EXPECT_EQ(mWin->slotsOpened, 0);
    EXPECT_EQ(Server::NumConnections(), 0);
}

// The slot is joined on the server the redial was started on, not on what the user
// happened to select while it waited.
TEST_F(RedialTest, SlotIsJoinedOnTheRedialedServerWhateverIsSelected)
{
    FakeGameServer *full = addFullServer(2);
    FakeGameServer *other = mFleet.add(mWin);
    selectServer(mWin, serverAt(mWin, other->HostText()));
    mWin->redialSelected();         // two selected: no one server to redial
    EXPECT_FALSE(mWin->running());
    serverAt(mWin, other->HostText())->SetSelected(false);
    mWin->updateView();
    mWin->options().quakePath = mHome.path();
    mkdir((mHome.path() + "/id1").c_str(), 0700);      // the connect file's folder
    mWin->options().quakeCmd = "quake";
    mWin->options().autoConnect = true;
    mWin->redialSelected();
    ASSERT_TRUE(pumpUntil([full] { return full->RequestCount() >= 1; }, 5000));
    serverAt(mWin, full->HostText())->SetSelected(false);
    selectServer(mWin, serverAt(mWin, other->HostText()));
    ASSERT_TRUE(runToEnd(mWin, 10000));
    ASSERT_EQ(mWin->commands.size(), 1u);
    EXPECT_EQ(mWin->commands[0],
              "quake +exec vireo.cfg -udpport " + std::to_string(full->Port()) + " ");
}

TEST_F(RedialTest, DeletingTheRedialedServerEndsTheRedialWithAMessage)
{
    FakeGameServer *full = addFullServer(1000);
    mWin->redialSelected();
    ASSERT_TRUE(pumpUntil([full] { return full->RequestCount() >= 2; }, 5000));
    fwtest::pump(300);      // inside the pause after the second answer
    std::string seen = errorDuring([this] { mWin->deleteServers(); });
    EXPECT_EQ(seen, "The server being redialed was deleted; the redial has ended.");
    EXPECT_FALSE(mWin->running());
    EXPECT_EQ(mWin->modeFlags(), 0u);
    EXPECT_EQ(mWin->serverCount(), 0);
    fwtest::pump(1500);
    EXPECT_EQ(full->RequestCount(), 2u);
    EXPECT_EQ(mWin->slotsOpened, 0);
}

// A redial has no time bound: it asks until a slot opens or Stop, however long that takes.
// With no retry limit, Stop then ends it at the silent server's next two seconds.
TEST_F(RedialTest, OnlyStopEndsTheRedialOfASilentServer)
{
    FakeGameScript silent;
    silent.silent = true;
    FakeGameServer *quiet = mFleet.add(mWin, silent);
    selectServer(mWin, serverAt(mWin, quiet->HostText()));
    mWin->setQueryLimit(100);       // the bound of a query, which a redial is not
    FrozenClock clock;
    mWin->redialSelected();
    fwtest::pump(300);
    clock.advance(4000);
    EXPECT_TRUE(pumpUntil([quiet] { return quiet->RequestCount() == 2; }));
    mWin->stop();
    clock.advance(1000);
    fwtest::pump(300);
    EXPECT_TRUE(mWin->running());
    clock.advance(1000);
    ASSERT_TRUE(runToEnd(mWin, 5000));
    EXPECT_EQ(quiet->RequestCount(), 2u);
    EXPECT_EQ(mWin->modeFlags(), 0u);
    EXPECT_EQ(mWin->slotsOpened, 0);
    EXPECT_EQ(Server::NumConnections(), 0);
}

// ---- Responsiveness

class EventProbe {
public:
    explicit EventProbe(Widget shell) : mShell(shell)
    {
        XtAddEventHandler(mShell, NoEventMask, True, &EventProbe::sHandler, this);
        mAtom = XInternAtom(XtDisplay(mShell), "VIREO_TEST_PROBE", False);
    }
    // Sends one event through the server and reports how long the window took to take it.
    double roundTripMs()
    {
        mHandled = false;
        XClientMessageEvent event = {};
        event.type = ClientMessage;
        event.window = XtWindow(mShell);
        event.message_type = mAtom;
        event.format = 32;
        Clock::time_point sent = Clock::now();
        XSendEvent(XtDisplay(mShell), XtWindow(mShell), False, NoEventMask, (XEvent *)&event);
        XFlush(XtDisplay(mShell));
        pumpUntil([this] { return mHandled; }, 3000);
        return mHandled ? msBetween(sent, mHandledAt) : 3000.0;
    }

private:
    static void sHandler(Widget, XtPointer clientData, XEvent *event, Boolean *)
    {
        EventProbe *probe = static_cast<EventProbe *>(clientData);
        if (event->type == ClientMessage && event->xclient.message_type == probe->mAtom) {
            probe->mHandled = true;
            probe->mHandledAt = Clock::now();
        }
    }

    Widget            mShell;
    Atom              mAtom;
    bool              mHandled = false;
    Clock::time_point mHandledAt;
};

TEST_F(RedialTest, EventsAreHandledAtOnceWhileSilentServersAreAwaited)
{
    FakeGameScript silent;
    silent.silent = true;
    FakeGameServer *quiet = mFleet.add(mWin, silent);
    mFleet.add(mWin, silent);
    EventProbe probe(mWin->baseWidget());
    mWin->refreshAll();
    ASSERT_TRUE(pumpUntil([quiet] { return quiet->RequestCount() >= 1; }, 2000));

    // Events every tenth of a second must neither wait for the silence (two seconds) to
    // end nor put off the resend; a busy machine takes tens of milliseconds for them.
    double slowest = 0;
    Clock::time_point until = Clock::now() + std::chrono::milliseconds(3000);
    while (Clock::now() < until) {
        slowest = std::max(slowest, probe.roundTripMs());
        fwtest::pump(100);
    }
    EXPECT_LT(slowest, 250.0);
    expectSendingsApart(quiet, 2, 1900, 3000);

    // Stop is taken at once as well; the queries in flight end by themselves.
    mWin->stop();
    EXPECT_TRUE(mWin->stopRequested());
    EXPECT_LT(probe.roundTripMs(), 250.0);
}
