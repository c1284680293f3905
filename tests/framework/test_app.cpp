// test_app.cpp - the application object: display, resources, window list, quitting, busy state.
// GoogleTest comes before the X headers, whose None and Bool macros it would trip over.
#include <gtest/gtest.h>

#include "framework/VkApp.h"
#include "framework/VkBusyDialog.h"
#include "framework/VkCursorList.h"
#include "framework/VkResource.h"
#include "framework/VkSimpleWindow.h"
#include "tests/framework/fwtest.h"

#include <X11/StringDefs.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> gLog;

// Records where the program would have exited instead of exiting.
class RecordingApp : public VkApp {
public:
    RecordingApp() : VkApp("Vireo", fwtest::testArgc(), fwtest::testArgv()) {}
    void exitApp(int status) override { gLog.push_back("exit " + std::to_string(status)); }
};

class TestWindow : public VkSimpleWindow {
public:
    explicit TestWindow(const char *name, bool agrees = true)
        : VkSimpleWindow(name), mAgrees(agrees) {}
    ~TestWindow() override { gLog.push_back(std::string("deleted ") + name()); }
    bool canQuit() override
    {
        gLog.push_back(std::string("asked ") + name());
        return mAgrees;
    }
    void handleRawEvent(XEvent *) override
    {
        gLog.push_back(std::string("raw ") + name());
        if (mDeleteOnEvent)
            delete this;
    }
    bool mAgrees;
    bool mDeleteOnEvent = false;
};

TEST(AppDeathTest, UnreachableDisplayIsNamedAndExitsWithOne)
{
    EXPECT_EXIT({
        setenv("DISPLAY", ":987", 1);
        new VkApp("Vireo", fwtest::testArgc(), fwtest::testArgv());
    }, testing::ExitedWithCode(1),
       "VkApp::VkApp\\(\\) : Couldn't open display <:987>, bombing.\n");
}

TEST(AppTest, ToolkitOptionsLeaveTheCopiedArguments)
{
    int argc = 4;
    char a0[] = "/opt/v/bin/vireo", a1[] = "-xrm", a2[] = "Vireo*busyCursorForeground: Red",
         a3[] = "extra";
    char *argv[] = {a0, a1, a2, a3, nullptr};
    VkApp *app = new VkApp("Vireo", &argc, argv);
    EXPECT_EQ(argc, 2);
    EXPECT_EQ(app->argc(), 4);
    EXPECT_STREQ(app->argv(2), "Vireo*busyCursorForeground: Red");
    EXPECT_STREQ(app->applicationName(), "vireo");
    EXPECT_STREQ(XtName(app->baseWidget()), "vireo");
    EXPECT_EQ(gApplication, app);
    // The user's setting wins; the fallback lines fill what is unset.
    Widget shell = app->baseWidget();
    EXPECT_STREQ(lookupStringResource(shell, "vireo.busyCursorForeground",
                                      "Vireo.BusyCursorForeground", "unset"), "Red");
    EXPECT_STREQ(lookupStringResource(shell, "vireo.normalCursorBackground",
                                      "Vireo.NormalCursorBackground", "unset"), "Black");
}

TEST(AppTest, TypedLookupConvertsOrFallsBackToTheDefault)
{
    Widget shell = fwtest::app()->baseWidget();
    Boolean fallback = True;
    auto *silence = (Boolean *)lookupResource(shell, "fwtest.silenceWarnings",
                                              "Vireo.SilenceWarnings", XtRBoolean, &fallback);
    ASSERT_NE(silence, &fallback);
    EXPECT_FALSE(*silence);
    EXPECT_EQ(lookupResource(shell, "fwtest.noSuchThing", "Vireo.NoSuchThing", XtRBoolean,
                             &fallback), &fallback);
}

TEST(AppTest, ParsedArgumentsAddToTheResourcesInsteadOfReplacingThem)
{
    int argc = 3;
    char a0[] = "fwtest", a1[] = "-iconic", a2[] = "file";
    char *argv[] = {a0, a1, a2, nullptr};
    VkApp *app = new VkApp("Vireo", &argc, argv);
    XrmOptionDescRec options[] = {{(char *)"-iconic", (char *)"*iconic", XrmoptionNoArg,
                                   (XPointer) "True"}};
    EXPECT_EQ(app->parseArguments(options, 1), 2);
    EXPECT_TRUE(app->iconic());
    EXPECT_STREQ(app->argv(1), "file");
    EXPECT_STREQ(lookupStringResource(app->baseWidget(), "fwtest.busyCursorBackground",
                                      "Vireo.BusyCursorBackground", "lost"), "Black");
}

// ---- Resource dump

class ResourceDumpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/fwtest-dump.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        mDir = pattern;
    }
    void TearDown() override
    {
        std::string command = "rm -rf '" + mDir + "'";
        ASSERT_EQ(system(command.c_str()), 0);
    }
    static std::string read(const std::string &path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string mDir;
};

TEST_F(ResourceDumpTest, HoldsTheMergedDatabaseFallbackLinesIncluded)
{
    std::string path = mDir + "/resources.db";
    ASSERT_TRUE(VkApp::writeResourceDump(XtDatabase(fwtest::app()->display()), path.c_str()));
    std::string text = read(path);
    EXPECT_NE(text.find("Vireo*busyCursorForeground:\tWhite\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Vireo*debugXtMode:\tFalse\n"), std::string::npos);
}

TEST_F(ResourceDumpTest, NeverWritesThroughASymbolicLink)
{
    std::string target = mDir + "/precious", link = mDir + "/resources.db";
    { std::ofstream(target) << "keep me"; }
    ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
    EXPECT_FALSE(VkApp::writeResourceDump(XtDatabase(fwtest::app()->display()), link.c_str()));
    EXPECT_EQ(read(target), "keep me");
}

TEST_F(ResourceDumpTest, MissingFolderIsSkippedQuietly)
{
    std::string path = mDir + "/absent/resources.db";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(VkApp::writeResourceDump(XtDatabase(fwtest::app()->display()), path.c_str()));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// ---- TestWindow list and quitting

class WindowListTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gLog.clear();
        mApp = new RecordingApp;
    }
    RecordingApp *mApp;
};

TEST_F(WindowListTest, FirstWindowIsMainUntilItGoes)
{
    TestWindow *a = new TestWindow("a"), *b = new TestWindow("b"), *c = new TestWindow("c");
    EXPECT_EQ(mApp->mainWindow(), a);
    delete a;
    EXPECT_EQ(mApp->mainWindow(), b);
    EXPECT_EQ(mApp->numWindows(), 2);
    delete c;
    delete b;
    EXPECT_EQ(mApp->mainWindow(), nullptr);
    EXPECT_EQ(gLog, (std::vector<std::string>{"deleted a", "deleted c", "deleted b", "exit 0"}));
}

TEST_F(WindowListTest, QuitAsksTheLastRegisteredFirstAndTheMainWindowLast)
{
    new TestWindow("main");
    new TestWindow("b");
    new TestWindow("c");
    mApp->quitYourself();
    EXPECT_EQ(gLog, (std::vector<std::string>{"asked c", "deleted c", "asked b", "deleted b",
                                              "asked main", "deleted main", "exit 0"}));
}

TEST_F(WindowListTest, RefusingWindowStaysAndCancelsTheExit)
{
    new TestWindow("main");
    TestWindow *b = new TestWindow("b", false);
    new TestWindow("c");
    mApp->quitYourself();
    EXPECT_EQ(gLog, (std::vector<std::string>{"asked c", "deleted c", "asked b", "asked main",
                                              "deleted main"}));
    ASSERT_EQ(mApp->numWindows(), 1);
    EXPECT_EQ(mApp->mainWindow(), b);
}

// A window whose canQuit deletes another window that is still to be asked.
class Culprit : public TestWindow {
public:
    Culprit(const char *name, TestWindow *victim) : TestWindow(name), mVictim(victim) {}
    bool canQuit() override
    {
        delete mVictim;
        return TestWindow::canQuit();
    }
    TestWindow *mVictim;
};

TEST_F(WindowListTest, QuitSurvivesWindowsDeletedWhileItRuns)
{
    new TestWindow("main");
    TestWindow *b = new TestWindow("b");
    new Culprit("c", b);
    mApp->quitYourself();
    EXPECT_EQ(gLog, (std::vector<std::string>{"deleted b", "asked c", "deleted c", "asked main",
                                              "deleted main", "exit 0"}));
}

TEST_F(WindowListTest, RawEventsGoToTheWindowsLastRegisteredFirst)
{
    new TestWindow("a");
    TestWindow *b = new TestWindow("b");
    new TestWindow("c");
    b->mDeleteOnEvent = true;
    XEvent event = {};
    event.type = MappingNotify;
    mApp->handleRawEvent(&event);
    mApp->handleRawEvent(&event);
    EXPECT_EQ(gLog, (std::vector<std::string>{"raw c", "raw b", "deleted b", "raw a", "raw c",
                                              "raw a"}));
}

TEST(QuitDeathTest, QuitWithOneAgreeingWindowExitsWithZero)
{
    EXPECT_EXIT({
        fwtest::app();
        (new TestWindow("only"))->show();
        gApplication->quitYourself();
        fputs("quit returned\n", stderr);
        exit(5);
    }, testing::ExitedWithCode(0), "");
}

TEST(QuitDeathTest, DeletingTheLastWindowExitsWithZero)
{
    EXPECT_EXIT({
        fwtest::app();
        TestWindow *only = new TestWindow("only");
        only->show();
        delete only;
        exit(5);
    }, testing::ExitedWithCode(0), "");
}

TEST(QuitDeathTest, EventLoopRunsUntilTheQuit)
{
    EXPECT_EXIT({
        fwtest::app();
        (new TestWindow("only"))->show();
        fwtest::later(50, [] { gApplication->quitYourself(); });
        gApplication->run();
    }, testing::ExitedWithCode(0), "");
}

// ---- Busy state

class BusyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mApp = fwtest::app();
        mWindow = new TestWindow("w");
        mWindow->show();
    }
    bool busyDialogUp() { return gBusyDialog->lastPostedDialog() != nullptr; }
    VkApp *mApp;
    TestWindow *mWindow;
};

TEST_F(BusyTest, OnlyTheOutermostLeaveEndsTheBusyState)
{
    mApp->enterBusy("Working...", mWindow);
    mApp->enterBusy();
    ASSERT_TRUE(busyDialogUp());
    EXPECT_EQ(fwtest::messageText(gBusyDialog->lastPostedDialog()), "Working...");
    mApp->leaveBusy();
    EXPECT_EQ(mApp->busyCount(), 1);
    EXPECT_TRUE(busyDialogUp());
    mApp->leaveBusy();
    EXPECT_EQ(mApp->busyCount(), 0);
    EXPECT_FALSE(busyDialogUp());
}

TEST_F(BusyTest, LeaveWithoutEnterStillRestores)
{
    gBusyDialog->post("stale", mWindow);
    mApp->leaveBusy();
    EXPECT_EQ(mApp->busyCount(), 0);
    EXPECT_FALSE(busyDialogUp());
}

// A ring of three font cursors, to see the busy cursor step through it.
class Ring : public VkCursorList {
public:
    Ring() : VkCursorList(3) {}
    void createCursors() override
    {
        for (int i = 0; i < 3; i++)
            _cursors[i] = XCreateFontCursor(gApplication->display(), 2 * i);
    }
};

TEST_F(BusyTest, BusyCursorStepsThroughARingWhenOneIsSet)
{
    EXPECT_NE(mApp->busyCursor(), (Cursor)None);    // the watch
    Ring ring;
    mApp->setCursorList(&ring);
    EXPECT_EQ(mApp->busyCursor(), ring[0]);
    for (int i = 0; i < 4; i++)
        mApp->stepBusy();
    EXPECT_EQ(mApp->busyCursor(), ring[1]);
    EXPECT_NE(ring[1], ring[0]);
    mApp->setCursorList(nullptr);
}

TEST_F(BusyTest, ApplicationShowsAndHidesEveryWindow)
{
    TestWindow *other = new TestWindow("other");
    mApp->hide();
    EXPECT_FALSE(mWindow->visible());
    mApp->show();
    EXPECT_TRUE(mWindow->visible());
    EXPECT_TRUE(other->visible());
}

} // namespace
