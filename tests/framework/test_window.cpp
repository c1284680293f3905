// test_window.cpp - top-level windows: first show, states, titles, protocols, stacking.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkSimpleWindow.h"
#include "framework/VkWindow.h"
#include "tests/framework/fwtest.h"

#include <Xm/Label.h>
#include <X11/Xutil.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> gLog;

class RecordingApp : public VkApp {
public:
    RecordingApp() : VkApp("Vireo", fwtest::testArgc(), fwtest::testArgv()) {}
    void exitApp(int status) override { gLog.push_back("exit " + std::to_string(status)); }
    void quitYourself() override
    {
        gLog.push_back("quit");
        VkApp::quitYourself();
    }
};

class TestWindow : public VkWindow {
public:
    explicit TestWindow(const char *name, bool withView = true)
        : VkWindow(name), mWithView(withView) {}
    ~TestWindow() override { gLog.push_back(std::string("deleted ") + name()); }
    Widget buildInterface(Widget parent) override
    {
        mBuilds++;
        return mWithView ? XmCreateLabel(parent, (char *)"view", nullptr, 0) : nullptr;
    }
    void afterFirstShow() override { mAfterFirstShow++; }
    bool canQuit() override
    {
        gLog.push_back(std::string("asked ") + name());
        return true;
    }
    bool mWithView;
    int mBuilds = 0;
    int mAfterFirstShow = 0;
};

// Answers WM_DELETE_WINDOW by keeping the window.
class StubbornWindow : public TestWindow {
public:
    StubbornWindow() : TestWindow("stubborn") {}
    void onDeleteWindow() override { mDeleteRequests++; }
    int mDeleteRequests = 0;
};

bool isMapped(Widget w)
{
    XWindowAttributes attributes;
    XGetWindowAttributes(XtDisplay(w), XtWindow(w), &attributes);
    return attributes.map_state != IsUnmapped;
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gLog.clear();
        mApp = new RecordingApp;
    }
    RecordingApp *mApp;
    fwtest::Watchdog mWatchdog;
};

TEST_F(WindowTest, FirstShowBuildsTheViewOnceAndMapsTheShell)
{
    TestWindow *w = new TestWindow("main");
    EXPECT_EQ(w->visibleState(), VkSimpleWindow::NeverShown);
    w->show();
    w->hide();
    w->show();
    EXPECT_EQ(w->mBuilds, 1);
    EXPECT_EQ(w->mAfterFirstShow, 1);
    ASSERT_NE(w->viewWidget(), nullptr);
    EXPECT_STREQ(XtName(w->viewWidget()), "view");
    EXPECT_TRUE(XtIsManaged(w->viewWidget()));
    EXPECT_TRUE(w->visible());
    EXPECT_EQ(w->iconState(), VkSimpleWindow::IconNormal);
    EXPECT_TRUE(fwtest::pumpUntil([w] { return isMapped(w->baseWidget()); }));
    EXPECT_STREQ(w->className(), "VkWindow");
    EXPECT_EQ(w->menuBar(), nullptr);
}

TEST_F(WindowTest, WindowWithoutViewStillShowsItsMainWindow)
{
    TestWindow *w = new TestWindow("empty", false);
    w->show();
    EXPECT_EQ(w->viewWidget(), nullptr);
    EXPECT_TRUE(XtIsManaged(w->mainWindowWidget()));
    EXPECT_TRUE(w->visible());
}

TEST_F(WindowTest, HideBeforeTheFirstShowDoesNotSkipBuilding)
{
    TestWindow *w = new TestWindow("main");
    w->hide();
    w->show();
    EXPECT_EQ(w->mBuilds, 1);
    EXPECT_TRUE(w->visible());
}

TEST_F(WindowTest, IconicApplicationStartsWindowsIconic)
{
    mApp->setIconic(true);
    TestWindow *w = new TestWindow("main");
    w->show();
    EXPECT_TRUE(w->iconic());
    Boolean iconic = False;
    XtVaGetValues(w->baseWidget(), XmNiconic, &iconic, nullptr);
    EXPECT_TRUE(iconic);
    w->hide();
    w->show();      // hidden and iconic: stays down
    EXPECT_FALSE(w->visible());
    w->open();
    EXPECT_FALSE(w->iconic());
    EXPECT_TRUE(w->visible());
}

TEST_F(WindowTest, IconifyAndOpenOnlyChangeWhatCanChange)
{
    TestWindow *w = new TestWindow("main");
    w->show();
    w->open();                              // not iconic: nothing
    EXPECT_EQ(w->iconState(), VkSimpleWindow::IconNormal);
    w->hide();
    w->iconify();                           // hidden: nothing
    EXPECT_FALSE(w->iconic());
    w->show();
    w->iconify();
    EXPECT_TRUE(w->iconic());
}

// Shells without a window yet: everything goes through resources, no X errors.
TEST_F(WindowTest, TitleIconNameAndStackingWorkBeforeTheShellIsRealized)
{
    fwtest::XErrorTrap trap;
    TestWindow *w = new TestWindow("main");
    w->setTitle("Vireo 1.1");
    w->setIconName("vireo");
    w->lower();
    w->raise();
    w->iconify();
    EXPECT_EQ(trap.count(), 0);
    EXPECT_EQ(fwtest::shellTitle(w->baseWidget()), "Vireo 1.1");
    w->show();
    EXPECT_TRUE(w->iconic());               // the early iconify counts
    char *name = nullptr;
    ASSERT_TRUE(XFetchName(XtDisplay(w->baseWidget()), XtWindow(w->baseWidget()), &name));
    EXPECT_STREQ(name, "Vireo 1.1");
    XFree(name);
    EXPECT_EQ(trap.count(), 0);
}

TEST_F(WindowTest, TitleAfterShowReachesTheWindowManagerProperties)
{
    TestWindow *w = new TestWindow("main");
    w->show();
    Display *dpy = XtDisplay(w->baseWidget());
    ::Window xid = XtWindow(w->baseWidget());
    char *name = nullptr;
    ASSERT_TRUE(XFetchName(dpy, xid, &name));
    EXPECT_STREQ(name, "main");
    XFree(name);
    w->setTitle("100% <b> %s");
    w->setIconName("icon %d");
    ASSERT_TRUE(XFetchName(dpy, xid, &name));
    EXPECT_STREQ(name, "100% <b> %s");
    XFree(name);
    ASSERT_TRUE(XGetIconName(dpy, xid, &name));
    EXPECT_STREQ(name, "icon %d");
    XFree(name);
    char **argv = nullptr;
    int argc = 0;
    ASSERT_TRUE(XGetCommand(dpy, xid, &argv, &argc));
    ASSERT_EQ(argc, 1);
    EXPECT_STREQ(argv[0], "fwtest");
    XFreeStringList(argv);
}

TEST_F(WindowTest, StackingFollowsLowerAndRaise)
{
    TestWindow *w = new TestWindow("main");
    w->show();
    EXPECT_EQ(w->stackingState(), VkSimpleWindow::InBetween);
    w->lower();
    EXPECT_TRUE(fwtest::pumpUntil([w] { return w->stackingState() == VkSimpleWindow::AtBottom; }));
    w->raise();
    EXPECT_TRUE(fwtest::pumpUntil([w] { return w->stackingState() == VkSimpleWindow::InBetween; }));
}

TEST_F(WindowTest, SetViewReplacesAndClearViewForgets)
{
    TestWindow *w = new TestWindow("main");
    w->show();
    Widget old = w->viewWidget();
    Widget other = XmCreateLabel(w->mainWindowWidget(), (char *)"other", nullptr, 0);
    w->setView(other);
    EXPECT_EQ(w->viewWidget(), other);
    EXPECT_FALSE(XtIsManaged(old));
    w->clearView();
    EXPECT_EQ(w->viewWidget(), nullptr);
    EXPECT_FALSE(XtIsManaged(other));
}

// ---- Window-manager protocols

TEST_F(WindowTest, DeleteProtocolDeletesTheWindowOnceWithoutAskingIt)
{
    new TestWindow("main");
    TestWindow *second = new TestWindow("second");
    second->show();
    int destroyed = 0;
    XtAddCallback(second->baseWidget(), XmNdestroyCallback,
                  [](Widget, XtPointer count, XtPointer) { ++*(int *)count; }, &destroyed);
    fwtest::sendProtocol(second->baseWidget(), "WM_DELETE_WINDOW");
    EXPECT_TRUE(fwtest::pumpUntil([this] { return mApp->numWindows() == 1; }));
    fwtest::pump(50);
    EXPECT_EQ(gLog, (std::vector<std::string>{"deleted second"}));
    EXPECT_EQ(destroyed, 1);
}

TEST_F(WindowTest, DeleteProtocolLeavesAWindowThatKeepsItself)
{
    StubbornWindow *w = new StubbornWindow;
    w->show();
    Widget shell = w->baseWidget();
    fwtest::sendProtocol(shell, "WM_DELETE_WINDOW");
    EXPECT_TRUE(fwtest::pumpUntil([w] { return w->mDeleteRequests == 1; }));
    fwtest::pump(50);
    EXPECT_EQ(w->baseWidget(), shell);      // the shell did not destroy itself
    EXPECT_TRUE(isMapped(shell));
    EXPECT_EQ(mApp->numWindows(), 1);
}

TEST_F(WindowTest, QuitProtocolQuitsTheApplication)
{
    XInternAtom(mApp->display(), "_WM_QUIT_APP", False);    // known to the server first
    TestWindow *w = new TestWindow("main");
    w->show();
    fwtest::sendProtocol(w->baseWidget(), "_WM_QUIT_APP");
    EXPECT_TRUE(fwtest::pumpUntil([] { return gLog.size() >= 4; }));
    EXPECT_EQ(gLog, (std::vector<std::string>{"quit", "asked main", "deleted main", "exit 0"}));
}

TEST(WindowDeathTest, DeleteProtocolOnTheOnlyWindowExitsWithZero)
{
    EXPECT_EXIT({
        fwtest::app();
        TestWindow *w = new TestWindow("only");
        w->show();
        fwtest::sendProtocol(w->baseWidget(), "WM_DELETE_WINDOW");
        fwtest::pump(3000);
        exit(5);
    }, testing::ExitedWithCode(0), "");
}

} // namespace
