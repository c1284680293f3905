// test_mainwin_random.cpp - the main window's panes under long runs of random user steps:
// window sizes from below the least to far beyond the screen, both sashes dragged, the
// bottom and rules panes shown and hidden, quit and start again with the saved file; some
// seeds under a real window manager (moves, maximizing), some under a tiling one that holds
// the window below its least now and then.
// After every step the window must have settled with the list in view, every pane inside
// the window at no less than its least, and each bottom pane at the size last chosen as
// far as the window lets it; each quit must save the sizes last chosen, and each start must
// put the window where and as large as it was. Each seed is one bounded, repeatable run
// under the watchdog.
#include <gtest/gtest.h>

#include "tests/browser/desktop.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "widgets/Grid.h"

#include <Xm/Xm.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>

using namespace harness;

namespace {

struct Box {
    int x, y, width, height;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

// Where a widget is on the screen.
Box onScreen(Widget w)
{
    Position x = 0, y = 0;
    XtTranslateCoords(w, 0, 0, &x, &y);
    Dimension width = 0, height = 0;
    XtVaGetValues(w, XmNwidth, &width, XmNheight, &height, nullptr);
    return {x, y, width, height};
}

Dimension least(Widget pane)
{
    Dimension value = 0;
    XtVaGetValues(pane, XmNpaneMinimum, &value, nullptr);
    return value;
}

int settingValue(const std::string &text, const std::string &key)
{
    size_t at = text.find("\n" + key + " ");
    return at == std::string::npos ? -1 : atoi(text.c_str() + at + key.size() + 2);
}

// The resource file the program reads beside itself: its fonts, labels and the rules
// pane's least make the leasts the user meets.
class MainWinRandomTest : public ::testing::Test {
protected:
    // Where a seed runs: the suite's display without a manager, or a display of its own
    // under openbox, or under a tiling manager that comes and goes.
    enum Desk { Bare, Openbox, Tiling };

    void SetUp() override { setenv("XENVIRONMENT", VIREO_RESOURCE_FILE, 1); }

    void run(unsigned seed, int steps, Desk desk = Bare)
    {
        mDesk = desk;
        if (desk != Bare) {
            mDesktop = std::make_unique<PrivateDesktop>(desk == Openbox ? PrivateDesktop::Openbox
                                                                        : PrivateDesktop::Bare);
            ASSERT_TRUE(mDesktop->ready()) << "no private display (scripts/deps.sh installs "
                                              "Xvfb and openbox)";
        }
        mRandom.seed(seed);
        mChosenInfo = chance(30) ? 0 : anySize(1400);
        mChosenRules = chance(30) ? 0 : anySize(2400);
        start(settings());
        for (mStep = 0; mStep < steps && !HasFatalFailure(); mStep++) {
            step();
            check();
        }
    }

private:
    int pick(int n) { return (int)(mRandom() % (unsigned)n); }
    bool chance(int percent) { return pick(100) < percent; }
    int between(int low, int high) { return low + pick(high - low + 1); }
    int anySize(int high)
    {
        static const int edges[] = {1, 2, 32767};
        return chance(15) ? edges[pick(3)] : between(1, high);
    }
    Widget child(const char *name) { return XtNameToWidget(mWin->baseWidget(), name); }
    bool shown(const char *name) { return XtIsManaged(child(name)); }

    std::string settings()
    {
        std::string text = "mainwin " + std::to_string(between(150, 2600)) + "x" +
                           std::to_string(between(80, 1600)) + "+" +
                           std::to_string(between(0, 700)) + "+" + std::to_string(between(0, 600)) +
                           "\n" +
                           "infoPaneHeight " + std::to_string(mChosenInfo) + "\n" +
                           "rulePaneWidth " + std::to_string(mChosenRules) + "\n" +
                           "showinfo " + (chance(70) ? "true" : "false") + "\n" +
                           "showrules " + (chance(70) ? "true" : "false") + "\nfilter all\n";
        for (int i = 1; i <= 12; i++)
            text += "server 10.0.0." + std::to_string(i) + ":26000 0\n";
        return text;
    }

    void start(const std::string &text)
    {
        mHome.writeSettings(text);
        TestWin *old = mWin;
        mWin = showWindow();
        delete old;             // after the new one is up: the last window's end exits
        if (mDesk == Openbox) {
            Display *display = XtDisplay(mWin->baseWidget());
            Window window = XtWindow(mWin->baseWidget());
            ASSERT_TRUE(pumpUntil([&] { return frameOf(display, window) != window; }, 5000))
                << "step " << mStep << ": never framed\n" << text;
        }
        mMaximized = false;
    }

    // ---- Steps

    void step()
    {
        switch (pick(mDesk == Bare ? 10 : 12)) {
        case 0: case 1: case 2:
            resize(between(100, 3000), between(50, 2200));
            break;
        case 3: case 4:
            if (shown("*infoPane"))
                mChosenInfo = drag(child("*mainPane"), true, between(-900, 900));
            break;
        case 5: case 6:
            if (shown("*infoPane") && shown("*ruleGrid"))
                mChosenRules = drag(child("*infoPane"), false, between(-1500, 1500));
            break;
        case 7:
            mWin->toggleBottomPane();
            break;
        case 8:
            mWin->toggleRulesPane();
            break;
        case 9:
            restart();
            break;
        case 10:
            if (mDesk == Openbox)
                maximize(!mMaximized);
            else
                holdShort();
            break;
        case 11:
            if (mDesk == Openbox)
                move(between(0, 1000), between(0, 800));
            else
                holdShort();
            break;
        }
        ASSERT_TRUE(settle()) << "step " << mStep << ": the window never settles";
    }

    // As the user does it through a window manager that does not keep the least.
    void resize(int width, int height)
    {
        XResizeWindow(XtDisplay(mWin->baseWidget()), XtWindow(mWin->baseWidget()),
                      (unsigned)width, (unsigned)height);
    }

    // Returns the size the pane below or right of the sash shows then: the user chose it.
    int drag(Widget paned, bool vertical, int distance)
    {
        EXPECT_TRUE(dragSash(paned, vertical, distance));
        Dimension size = 0;
        Widget pane = vertical ? child("*infoPane") : child("*ruleGrid");
        XtVaGetValues(pane, vertical ? XmNheight : XmNwidth, &size, nullptr);
        return size;
    }

    // The window comes back where it stood and as large as it was, the one before a
    // maximize when it was maximized: exactly without a manager, within a pixel with one.
    void restart()
    {
        Box before = mMaximized ? mBeforeMaximized : place();
        ASSERT_TRUE(mWin->writeSettings());
        std::string saved = mHome.readSettings();
        EXPECT_EQ(settingValue(saved, "infoPaneHeight"), mChosenInfo) << "step " << mStep;
        EXPECT_EQ(settingValue(saved, "rulePaneWidth"), mChosenRules) << "step " << mStep;
        start(saved);
        ASSERT_TRUE(settle()) << "step " << mStep << ": the window never settles";
        Box after = place();
        before = startedFrom(before);
        int slack = mDesk == Openbox ? 1 : 0;
        EXPECT_NEAR(after.x, before.x, slack) << "step " << mStep;
        EXPECT_NEAR(after.y, before.y, slack) << "step " << mStep;
        EXPECT_EQ(after.width, before.width) << "step " << mStep;
        EXPECT_EQ(after.height, before.height) << "step " << mStep;
    }

    // Where a start puts a window that stood at box: a size larger than the screen is cut to
    // it, the window at the screen's edge, and one whose frame does not fit is made smaller
    // by what the frame adds.
    Box startedFrom(Box box)
    {
        Widget shell = mWin->baseWidget();
        int x = 0, y = 0, outerWidth = 0, outerHeight = 0;
        frameBox(XtDisplay(shell), XtWindow(shell), &x, &y, &outerWidth, &outerHeight);
        Box inside = onScreen(shell);
        Screen *screen = XtScreen(shell);
        fitSide(&box.x, &box.width, outerWidth - inside.width, WidthOfScreen(screen));
        fitSide(&box.y, &box.height, outerHeight - inside.height, HeightOfScreen(screen));
        return box;
    }
    static void fitSide(int *place, int *length, int frame, int screen)
    {
        if (*length > screen) {
            *length = screen;
            *place = 0;
        }
        *length = std::min(*length, screen - frame);
    }

    // The outer corner of the window's frame (its own without a manager), and its size.
    Box place()
    {
        Widget shell = mWin->baseWidget();
        int x = 0, y = 0, outerWidth = 0, outerHeight = 0;
        frameBox(XtDisplay(shell), XtWindow(shell), &x, &y, &outerWidth, &outerHeight);
        Box size = onScreen(shell);
        return {x, y, size.width, size.height};
    }

    void maximize(bool on)
    {
        Widget shell = mWin->baseWidget();
        if (on)
            mBeforeMaximized = place();
        askWindowState(XtDisplay(shell), XtWindow(shell), on, "_NET_WM_STATE_MAXIMIZED_VERT",
                       "_NET_WM_STATE_MAXIMIZED_HORZ");
        mMaximized = on;
        EXPECT_TRUE(pumpUntil([&] {
            return hasWindowState(XtDisplay(shell), XtWindow(shell),
                                  "_NET_WM_STATE_MAXIMIZED_VERT") == on;
        }, 3000)) << "step " << mStep;
    }

    // As the user drags the window by its title bar; a maximized window stays put.
    void move(int x, int y)
    {
        Widget shell = mWin->baseWidget();
        XMoveWindow(XtDisplay(shell), XtWindow(shell), x, y);
    }

    // A tiling manager holds the window below its least, as low as leaves the bars, the tabs,
    // the heading and one row of the list room: that much must be in view. Then it lets go
    // and the user makes the window larger again.
    void holdShort()
    {
        Widget shell = mWin->baseWidget();
        XSizeHints hints = {};
        long supplied = 0;
        ASSERT_TRUE(XGetWMNormalHints(XtDisplay(shell), XtWindow(shell), &hints, &supplied));
        XRectangle row;
        ASSERT_EQ(XmLGridRowColumnToXY(mWin->serverGrid(), XmCONTENT, 0, XmCONTENT, 0, False,
                                       &row), 0);
        int lowest = hints.min_height - (ServerRowsKept - 1) * row.height;
        if (shown("*infoPane")) {
            Dimension spacing = 0;
            XtVaGetValues(child("*mainPane"), XmNspacing, &spacing, nullptr);
            lowest -= spacing + least(child("*infoPane"));
        }
        int width = between(hints.min_width / 2, 1280), height = between(lowest, hints.min_height - 1);
        SCOPED_TRACE("held at " + std::to_string(width) + "x" + std::to_string(height));
        ASSERT_TRUE(mDesktop->holdWindowsAt(width, height));
        ASSERT_TRUE(pumpUntil([&] {
            Box now = onScreen(shell);
            return now.width == width && now.height == height;
        }, 10000)) << "step " << mStep << ": not held";
        EXPECT_TRUE(settle());
        checkRowsInView(1);
        Box tabs = onScreen(XtParent(child("*folder.all"))), window = onScreen(shell);
        EXPECT_LE(tabs.bottom(), window.bottom()) << "step " << mStep << ": tabs cut";
        checkInside(child("*serverPane"), child("*mainPane"));
        if (chance(50)) {       // a pane hidden and shown while held leaves the least as it was
            mWin->toggleBottomPane();
            EXPECT_TRUE(settle());
            mWin->toggleBottomPane();
            EXPECT_TRUE(settle());
        }
        ASSERT_TRUE(mDesktop->stopHolding()) << "step " << mStep << ": the manager stays";
        // The height first, as the seeds drew them.
        int grownHeight = between(hints.min_height, 1400);
        int grownWidth = between(hints.min_width, 2000);
        resize(grownWidth, grownHeight);
        ASSERT_TRUE(pumpUntil([&] {
            Box now = onScreen(shell);
            return now.width == grownWidth && now.height == grownHeight;
        }, 10000)) << "step " << mStep << ": not let go";
        XSizeHints after = {};
        ASSERT_TRUE(XGetWMNormalHints(XtDisplay(shell), XtWindow(shell), &after, &supplied));
        EXPECT_EQ(after.min_width, hints.min_width) << "step " << mStep;
        EXPECT_EQ(after.min_height, hints.min_height) << "step " << mStep;
    }

    // Under a manager the window must stay quiet a while, long enough for it to have noted
    // its place.
    bool settle() { return harness::settle(mWin->baseWidget(), mDesk == Openbox ? 200 : 0); }

    // ---- Checks

    void check()
    {
        SCOPED_TRACE("step " + std::to_string(mStep));
        Widget shell = mWin->baseWidget();
        XWindowAttributes attributes;
        XGetWindowAttributes(XtDisplay(shell), XtWindow(shell), &attributes);
        ASSERT_EQ(attributes.map_state, IsViewable);
        checkLeastSize(shell);
        checkRowsInView(ServerRowsKept);
        checkInside(child("*mainFrame"), shell);
        checkInside(child("*mainPane"), child("*mainForm"));
        checkInside(child("*serverPane"), child("*mainPane"));
        EXPECT_LE(onScreen(child("*mainPane")).bottom(), onScreen(child("*statusForm")).y);
        if (shown("*infoPane"))
            checkBottomPanes();
    }

    // The window manager is told the least, and the window is never smaller.
    void checkLeastSize(Widget shell)
    {
        XSizeHints hints = {};
        long supplied = 0;
        ASSERT_TRUE(XGetWMNormalHints(XtDisplay(shell), XtWindow(shell), &hints, &supplied));
        ASSERT_TRUE(hints.flags & PMinSize);
        Box window = onScreen(shell);
        EXPECT_GE(window.width, hints.min_width);
        EXPECT_GE(window.height, hints.min_height);
    }

    // The heading and the first rows in full view, with the scroll bar below them.
    void checkRowsInView(int rows)
    {
        Widget grid = mWin->serverGrid(), pane = child("*serverPane");
        EXPECT_GE(onScreen(pane).height, least(pane));
        checkInside(grid, pane);
        Box inGrid = onScreen(grid);
        for (int row = -1; row < rows; row++) {
            XRectangle whole, seen;
            unsigned char type = row < 0 ? XmHEADING : XmCONTENT;
            ASSERT_EQ(XmLGridRowColumnToXY(grid, type, row < 0 ? 0 : row, XmCONTENT, 0, False,
                                           &whole), 0);
            ASSERT_EQ(XmLGridRowColumnToXY(grid, type, row < 0 ? 0 : row, XmCONTENT, 0, True,
                                           &seen), 0) << "row " << row << " out of view";
            EXPECT_EQ(seen.height, whole.height) << "row " << row << " cut";
            Widget hsb = nullptr;
            XtVaGetValues(grid, XmNhorizontalScrollBar, &hsb, nullptr);
            if (hsb && XtIsManaged(hsb)) {
                EXPECT_LE(inGrid.y + whole.y + whole.height, onScreen(hsb).y) << "row " << row;
            }
        }
    }

    void checkBottomPanes()
    {
        Widget mainPane = child("*mainPane"), info = child("*infoPane");
        Widget players = child("*playerGrid"), rules = child("*ruleGrid");
        checkInside(info, mainPane);
        Box pane = onScreen(info);
        EXPECT_GE(pane.height, least(info));
        checkChosen(pane.height, mChosenInfo, least(info), child("*serverPane"), true);
        Dimension margin = 0;
        XtVaGetValues(mainPane, XmNmarginWidth, &margin, nullptr);
        EXPECT_EQ(pane.right() + margin, onScreen(mainPane).right()) << "bottom pane fills";
        EXPECT_GE(least(players), 100);
        EXPECT_GE(onScreen(players).width, least(players));
        checkInside(players, info);
        Widget last = players;
        if (XtIsManaged(rules)) {
            checkInside(rules, info);
            EXPECT_GE(onScreen(rules).width, least(rules));
            checkChosen(onScreen(rules).width, mChosenRules, least(rules), players, false);
            last = rules;
        }
        XtVaGetValues(info, XmNmarginWidth, &margin, nullptr);
        EXPECT_EQ(onScreen(last).right() + margin, pane.right()) << "bottom grids fill";
    }

    // A pane shows the size chosen for it, never less than its least, and less only where
    // the window leaves no more: the pane it shares with is at its own least then.
    void checkChosen(int size, int chosen, int paneLeast, Widget other, bool vertical)
    {
        if (chosen == 0)
            return;     // the paned window's own size stands
        EXPECT_LE(size, std::max(chosen, paneLeast));
        if (size < chosen) {
            Box box = onScreen(other);
            EXPECT_EQ(vertical ? box.height : box.width, least(other))
                << "a pane cut below the size chosen (" << chosen << ") with room to spare";
        }
    }

    void checkInside(Widget inner, Widget outer)
    {
        Box in = onScreen(inner), out = onScreen(outer);
        EXPECT_TRUE(in.x >= out.x && in.y >= out.y && in.right() <= out.right() &&
                    in.bottom() <= out.bottom())
            << XtName(inner) << " " << in.x << "," << in.y << " " << in.width << "x"
            << in.height << " reaches out of " << XtName(outer) << " " << out.x << ","
            << out.y << " " << out.width << "x" << out.height;
    }

    static const int ServerRowsKept = 3;

    fwtest::Watchdog mWatchdog{120};
    TempHome         mHome;
    std::unique_ptr<PrivateDesktop> mDesktop;
    Desk             mDesk = Bare;
    bool             mMaximized = false;
    Box              mBeforeMaximized = {0, 0, 0, 0};
    TestWin         *mWin = nullptr;
    std::mt19937     mRandom;
    int              mStep = 0;
    int              mChosenInfo = 0, mChosenRules = 0;
};

TEST_F(MainWinRandomTest, Seed1) { run(1, 80); }
TEST_F(MainWinRandomTest, Seed2) { run(2, 80); }
TEST_F(MainWinRandomTest, Seed3) { run(3, 80); }
TEST_F(MainWinRandomTest, Seed4) { run(4, 80); }
TEST_F(MainWinRandomTest, Seed5UnderOpenbox) { run(5, 60, Openbox); }
TEST_F(MainWinRandomTest, Seed6UnderOpenbox) { run(6, 60, Openbox); }
TEST_F(MainWinRandomTest, Seed7UnderATilingManager) { run(7, 80, Tiling); }
TEST_F(MainWinRandomTest, Seed8UnderATilingManager) { run(8, 80, Tiling); }

} // namespace
