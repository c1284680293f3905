// test_mainwin.cpp - the main window in this process: its widget tree, the start-up state
// taken from the settings file, the status line, and the settings it saves.
#include <gtest/gtest.h>

#include "browser/app.h"
#include "browser/settings.h"
#include "tests/browser/desktop.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "widgets/Grid.h"

#include <Xm/PanedW.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

using namespace harness;

class MainWinTest : public ::testing::Test {
protected:
    Widget child(const char *name) { return XtNameToWidget(mWin->baseWidget(), name); }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
};

TEST_F(MainWinTest, BuildsItsWidgetTree)
{
    mHome.writeSettings("server 10.0.0.1:26000 0\nserver 10.0.0.2:26000 0\n");
    mWin = showWindow();
    for (const char *name : {"*mainFrame", "*mainForm", "*toolBar", "*statusForm", "*progress",
                             "*status", "*mainPane", "*serverPane", "*folder", "*infoPane"})
        EXPECT_NE(child(name), nullptr) << name;
    EXPECT_EQ(child("*mainFrame"), mWin->viewWidget());
    EXPECT_TRUE(XtIsRealized(mWin->baseWidget()));

    // Written before any server is shown: 0 shown of the 2 read.
    EXPECT_EQ(statusText(mWin), "0/2 servers");
    Boolean editable = True;
    XtVaGetValues(mWin->statusWidget(), XmNeditable, &editable, nullptr);
    EXPECT_FALSE(editable);
    Dimension statusHeight = 0, meterHeight = 0;
    XtVaGetValues(mWin->statusWidget(), XmNheight, &statusHeight, nullptr);
    XtVaGetValues(mWin->progressWidget(), XmNheight, &meterHeight, nullptr);
    EXPECT_EQ(statusHeight, meterHeight);
    EXPECT_FALSE(itemSensitive(mWin, "Server", "Stop"));
    EXPECT_TRUE(itemSensitive(mWin, "Server", "RefreshAll"));
    EXPECT_FALSE(itemSensitive(mWin, "Server", "RefreshSelected"));
}

TEST_F(MainWinTest, StatusCountsTheRowsShownOnceTheGridIsFilled)
{
    mHome.writeSettings("filter all\nserver 10.0.0.1:26000 0\nserver 10.0.0.2:26000 0\n"
                        "avoid 10.0.0.3:26000 0\n");
    mWin = showWindow();
    EXPECT_EQ(mWin->rowCount(), 3);
    EXPECT_EQ(statusText(mWin), "3/3 servers");
    mWin->setViewTab(4);
    EXPECT_EQ(statusText(mWin), "1/3 servers");
    mWin->setViewTab(2);        // filtered out: the never-ping server is not among them
    EXPECT_EQ(shownAddresses(mWin), (std::vector<std::string>{"10.0.0.1", "10.0.0.2"}));
}

TEST_F(MainWinTest, PanesAndViewFollowTheSettings)
{
    mHome.writeSettings("showinfo true\nfilter favorites\n");
    mWin = showWindow();
    EXPECT_TRUE(XtIsManaged(child("*infoPane")));
    EXPECT_TRUE(XmToggleButtonGetState(child("*folder.favorites")));
    EXPECT_FALSE(XmToggleButtonGetState(child("*folder.passed")));
}

TEST_F(MainWinTest, WithoutSettingsThePanesStartHiddenOnThePassedTab)
{
    mWin = showWindow();
    EXPECT_FALSE(XtIsManaged(child("*infoPane")));
    EXPECT_TRUE(XmToggleButtonGetState(child("*folder.passed")));
    ASSERT_EQ(mWin->sources().size(), 1u);
    EXPECT_EQ(mWin->options().queriesAtOnce, 4);
    // Shown at the size the window gives it, a pane has no size of the user's to save.
    mWin->toggleBottomPane();
    mWin->toggleRulesPane();
    Dimension height = 0, least = 0;
    XtVaGetValues(child("*infoPane"), XmNheight, &height, XmNpaneMinimum, &least, nullptr);
    EXPECT_GT(height, least) << "as the paned window gives it, not cut to its least";
    ASSERT_TRUE(mWin->writeSettings());
    EXPECT_NE(mHome.readSettings().find("\ninfoPaneHeight 0\nrulePaneWidth 0\n"),
              std::string::npos);
}

TEST_F(MainWinTest, StatusLineIsCutAndTakesTextLiterally)
{
    mWin = showWindow();
    mWin->setStatus("Querying server %s...", "100% fun");
    EXPECT_EQ(statusText(mWin), "Querying server 100% fun...");
    std::string longName(400, 'x');
    mWin->setStatus("Querying server %s...", longName.c_str());
    EXPECT_EQ(statusText(mWin).size(), 255u);
    mWin->setStatus(nullptr);
    EXPECT_EQ(statusText(mWin), "0/0 servers");
}

// A file as the program writes it comes back byte for byte: nothing read is lost.
TEST_F(MainWinTest, SettingsReadAtStartAreSavedUnchanged)
{
    std::string original =
        "# Vireo resource file\n\n"
        "debug true\n\n"
        "mainwin 700x400+30+40\n"
        "infoPaneHeight 150\n"
        "rulePaneWidth 90\n\n"
        "# options\n"
        "showinfo false\n"
        "showrules true\n"
        "filter skipped\n"
        "sortServers timeOut\n"
        "sortPlayers time\n\n";
    mHome.writeSettings(original);
    mWin = showWindow();
    mWin->options().queriesAtOnce = 9;
    mWin->options().quakeOptions = "+set name me";
    ASSERT_TRUE(mWin->writeSettings());
    std::string first = mHome.readSettings();
    EXPECT_EQ(first.substr(0, original.size()), original);
    EXPECT_NE(first.find("option queriesAtOnce 9\n"), std::string::npos);
    EXPECT_NE(first.find("option quakeOptions +set name me\n"), std::string::npos);
}

// How far a widget reaches along one extent of its parent.
static int farEdge(Widget w, const char *place, const char *extent)
{
    Position at = 0;
    Dimension size = 0, border = 0;
    XtVaGetValues(w, place, &at, extent, &size, XmNborderWidth, &border, nullptr);
    return at + size + 2 * border;
}

// The sizes were set after the window was shown, where the paned windows kept their own:
// every start showed the default sizes, and the quit saved those.
TEST_F(MainWinTest, PanesComeBackAtTheirSavedSizes)
{
    std::string sizes = "infoPaneHeight 250\nrulePaneWidth 300\n";
    mHome.writeSettings("mainwin 900x700+0+0\n" + sizes + "showinfo true\nshowrules true\n"
                        "filter all\nserver 10.0.0.1:26000 0\nserver 10.0.0.2:26000 0\n"
                        "server 10.0.0.3:26000 0\n");
    mWin = showWindow();
    Dimension height = 0, width = 0;
    XtVaGetValues(child("*infoPane"), XmNheight, &height, nullptr);
    XtVaGetValues(child("*ruleGrid"), XmNwidth, &width, nullptr);
    EXPECT_EQ(height, 250);
    EXPECT_EQ(width, 300);
    // The sash still moves both panes: each got its least and most back.
    const struct { const char *name; Dimension size; } panes[] = {{"*infoPane", height},
                                                                  {"*ruleGrid", width}};
    for (const auto &pane : panes) {
        Dimension least = 0, most = 0;
        XtVaGetValues(child(pane.name), XmNpaneMinimum, &least, XmNpaneMaximum, &most, nullptr);
        EXPECT_LT(least, pane.size) << pane.name;
        EXPECT_GT(most, pane.size) << pane.name;
    }
    ASSERT_TRUE(mWin->writeSettings());
    EXPECT_NE(mHome.readSettings().find(sizes), std::string::npos) << mHome.readSettings();

    // A smaller window shrank only the server pane, to nothing, and left the bottom pane
    // hanging out of the window; it is cut now, and given back when the window grows.
    auto resize = [this](Dimension w, Dimension h) {
        XtVaSetValues(mWin->baseWidget(), XmNwidth, w, XmNheight, h, nullptr);
        fwtest::pump(200);
    };
    resize(600, 420);
    Dimension mainHeight = 0;
    XtVaGetValues(child("*mainPane"), XmNheight, &mainHeight, nullptr);
    EXPECT_EQ(XmLGridRowIsVisible(mWin->serverGrid(), 2), 1);
    EXPECT_LE(farEdge(child("*infoPane"), XmNy, XmNheight), mainHeight);
    resize(900, 700);
    XtVaGetValues(child("*infoPane"), XmNheight, &height, nullptr);
    EXPECT_EQ(height, 250);

    // Shown again after the window changed while it was hidden, it fits the window as it is.
    auto toggleAfter = [&](Dimension windowHeight) {
        mWin->toggleBottomPane();
        resize(900, windowHeight);
        mWin->toggleBottomPane();
        fwtest::pump(100);
        XtVaGetValues(child("*infoPane"), XmNheight, &height, nullptr);
        XtVaGetValues(child("*mainPane"), XmNheight, &mainHeight, nullptr);
    };
    resize(900, 420);
    toggleAfter(700);
    EXPECT_EQ(height, 250) << "given back";
    toggleAfter(420);
    EXPECT_LT(height, 250);
    EXPECT_LE(farEdge(child("*infoPane"), XmNy, XmNheight), mainHeight) << "cut";
    EXPECT_EQ(XmLGridRowIsVisible(mWin->serverGrid(), 2), 1);
}

// A saved rules width that pushed the player grid past the paned window's most (1000 px,
// in any window wider than about 1180) made a layout that never settled: Vireo spun
// before its window showed, at every start. Saved heights past the window hid the list.
struct PaneCase {
    const char *window;
    int         infoHeight, rulesWidth;
};

TEST_F(MainWinTest, EverySavedPaneSizeComesUpWithRoomForTheList)
{
    const PaneCase cases[] = {
        {"1270x900", 106, 200}, {"1700x900", 106, 376},   {"2000x1500", 250, 600},
        {"820x600", 3000, 0},   {"600x420", 250, 300},    {"1400x900", 1, 1},
        {"900x700", 0, 32767},  {"2500x1100", 0, 0},      {"640x480", 32767, 32767},
    };
    std::string servers = "filter all\n";
    for (int i = 1; i <= 12; i++)
        servers += "server 10.0.0." + std::to_string(i) + ":26000 0\n";
    for (const PaneCase &c : cases) {
        SCOPED_TRACE(std::string(c.window) + " info " + std::to_string(c.infoHeight) +
                     " rules " + std::to_string(c.rulesWidth));
        mHome.writeSettings("mainwin " + std::string(c.window) + "+0+0\nshowinfo true\n"
                            "showrules true\ninfoPaneHeight " + std::to_string(c.infoHeight) +
                            "\nrulePaneWidth " + std::to_string(c.rulesWidth) + "\n" + servers);
        mWin = showWindow();        // the watchdog ends a start that never comes back
        Widget grid = mWin->serverGrid(), mainPane = child("*mainPane");
        Widget infoPane = child("*infoPane"), rules = child("*ruleGrid");
        EXPECT_EQ(XmLGridRowIsVisible(grid, 2), 1) << "the list shows its first rows";
        Dimension paneWidth = 0, mainWidth = 0, mainHeight = 0, margin = 0;
        XtVaGetValues(infoPane, XmNwidth, &paneWidth, XmNmarginWidth, &margin, nullptr);
        XtVaGetValues(mainPane, XmNwidth, &mainWidth, XmNheight, &mainHeight, nullptr);
        EXPECT_LE(farEdge(infoPane, XmNy, XmNheight), mainHeight) << "all of it in sight";
        EXPECT_GE(farEdge(rules, XmNx, XmNwidth) + margin, paneWidth) << "rules reach the edge";
        EXPECT_GE(farEdge(infoPane, XmNx, XmNwidth) + margin, mainWidth);
    }
}

// The cell of a grid's heading row in column: wholly in view.
static bool headingInView(Widget grid, int column)
{
    XRectangle whole, seen;
    return XmLGridRowColumnToXY(grid, XmHEADING, 0, XmCONTENT, column, False, &whole) == 0 &&
           XmLGridRowColumnToXY(grid, XmHEADING, 0, XmCONTENT, column, True, &seen) == 0 &&
           seen.width == whole.width && seen.height == whole.height;
}

// A rules width saved in a wider window, or the sash dragged far over, left the player list
// one pixel wide: only the rules showed, at every later start.
TEST_F(MainWinTest, ThePlayerListKeepsItsColoursAndNamesInView)
{
    mHome.writeSettings("mainwin 1900x1100+0+0\nshowinfo true\nshowrules true\n"
                        "rulePaneWidth 1900\nfilter all\nserver 10.0.0.1:26000 0\n");
    mWin = showWindow();
    EXPECT_TRUE(headingInView(child("*playerGrid"), 2));
    ASSERT_TRUE(dragSash(child("*infoPane"), false, -3000));
    fwtest::pump(50);
    EXPECT_TRUE(headingInView(child("*playerGrid"), 2));
}

// A window made small cut the bottom pane, and the cut was saved: every later start showed
// the pane so, in a window of any size.
TEST_F(MainWinTest, SizesCutByASmallWindowAreSavedAsChosen)
{
    std::string sizes = "infoPaneHeight 300\nrulePaneWidth 900\n";
    mHome.writeSettings("mainwin 1280x900+0+0\nshowinfo true\nshowrules true\n" + sizes +
                        "filter all\nserver 10.0.0.1:26000 0\n");
    mWin = showWindow();
    XtVaSetValues(mWin->baseWidget(), XmNwidth, 300, XmNheight, 250, nullptr);
    fwtest::pump(200);
    Dimension height = 0, width = 0;
    XtVaGetValues(child("*infoPane"), XmNheight, &height, nullptr);
    XtVaGetValues(child("*ruleGrid"), XmNwidth, &width, nullptr);
    ASSERT_LT(height, 300);
    ASSERT_LT(width, 900);
    ASSERT_TRUE(mWin->writeSettings());
    std::string saved = mHome.readSettings();
    EXPECT_NE(saved.find(sizes), std::string::npos) << saved;

    size_t geometry = saved.find("mainwin ");
    ASSERT_NE(geometry, std::string::npos);
    saved.replace(geometry, saved.find('\n', geometry) - geometry, "mainwin 1280x900+0+0");
    mHome.writeSettings(saved);
    mWin = showWindow();
    XtVaGetValues(child("*infoPane"), XmNheight, &height, nullptr);
    XtVaGetValues(child("*ruleGrid"), XmNwidth, &width, nullptr);
    EXPECT_EQ(height, 300);
    EXPECT_EQ(width, 900);
}

// With no least of its own, a window 150 px high showed its bars but not the list, and the
// bottom pane reached out of it.
TEST_F(MainWinTest, AWindowAskedTooSmallIsRaisedToItsLeast)
{
    mHome.writeSettings("mainwin 200x100+0+0\nshowinfo true\nfilter all\n"
                        "server 10.0.0.1:26000 0\nserver 10.0.0.2:26000 0\n");
    mWin = showWindow();
    Widget shell = mWin->baseWidget();
    XSizeHints hints = {};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(XtDisplay(shell), XtWindow(shell), &hints, &supplied));
    ASSERT_TRUE(hints.flags & PMinSize);
    Dimension width = 0, height = 0, mainHeight = 0;
    XtVaGetValues(shell, XmNwidth, &width, XmNheight, &height, nullptr);
    EXPECT_EQ(width, hints.min_width);
    EXPECT_EQ(height, hints.min_height);
    EXPECT_TRUE(headingInView(mWin->serverGrid(), 0));
    XRectangle whole, seen;
    ASSERT_EQ(XmLGridRowColumnToXY(mWin->serverGrid(), XmCONTENT, 0, XmCONTENT, 0, False,
                                   &whole), 0);
    ASSERT_EQ(XmLGridRowColumnToXY(mWin->serverGrid(), XmCONTENT, 0, XmCONTENT, 0, True,
                                   &seen), 0);
    EXPECT_EQ(seen.height, whole.height);
    XtVaGetValues(child("*mainPane"), XmNheight, &mainHeight, nullptr);
    EXPECT_LE(farEdge(child("*infoPane"), XmNy, XmNheight), mainHeight);
    // The bottom pane at its least: the players' heading and two rows.
    Widget players = child("*playerGrid");
    XmLGridAddRows(players, XmCONTENT, 0, 2);
    fwtest::pump(50);
    ASSERT_EQ(XmLGridRowColumnToXY(players, XmCONTENT, 1, XmCONTENT, 2, False, &whole), 0);
    ASSERT_EQ(XmLGridRowColumnToXY(players, XmCONTENT, 1, XmCONTENT, 2, True, &seen), 0);
    EXPECT_EQ(seen.height, whole.height);

    // A window manager that keeps the window smaller (a tiling one) has its way after one
    // try: the two are not to resize the window back and forth for ever.
    Display *manager = XOpenDisplay(DisplayString(XtDisplay(shell)));
    ASSERT_NE(manager, nullptr);
    XSelectInput(manager, XtWindow(shell), StructureNotifyMask);
    XResizeWindow(manager, XtWindow(shell), 300, 150);
    int insisted = 0;
    for (int round = 0; round < 40; round++) {
        fwtest::pump(20);
        XSync(manager, False);
        while (XPending(manager)) {
            XEvent event;
            XNextEvent(manager, &event);
            if (event.type == ConfigureNotify &&
                (event.xconfigure.width != 300 || event.xconfigure.height != 150)) {
                XResizeWindow(manager, XtWindow(shell), 300, 150);
                insisted++;
            }
        }
    }
    XCloseDisplay(manager);
    EXPECT_EQ(insisted, 1);
}

TEST_F(MainWinTest, ServersAndSourcesComeBackOutUnchanged)
{
    std::string lists =
        "serverList http://127.0.0.1:1/a list\n"
        "serverList file:/tmp/servers.txt\n\n"
        "# servers (hostname:port timeout)\n"
        "server 10.0.0.1:26000 0\n"
        "favorite 10.0.0.2:27500 0\n"
        "avoid 10.0.0.3:26001 0\n";
    // A repeated line adds no second server; a later favorite line adds its mark.
    mHome.writeSettings(lists + "server 10.0.0.1:26000 4\nfavorite 10.0.0.3:26001 0\n");
    mWin = showWindow();
    EXPECT_EQ(mWin->serverCount(), 3);
    EXPECT_TRUE(mWin->canQuit());
    std::string saved = mHome.readSettings();
    std::string both = lists.substr(0, lists.size() - strlen("avoid 10.0.0.3:26001 0\n")) +
                       "avoid 10.0.0.3:26001 0\nfavorite 10.0.0.3:26001 0\n";
    ASSERT_GE(saved.size(), both.size());
    EXPECT_EQ(saved.substr(saved.size() - both.size()), both);
}

TEST_F(MainWinTest, AServerBothFavoriteAndNeverPingKeepsBothMarks)
{
    mHome.writeSettings("filter favorites\nserver 10.0.0.1:26000 0\n");
    mWin = showWindow();
    Server &s = mWin->servers().front();
    s.mFlags |= Server::Flag_Favorite | Server::Flag_Avoid;
    ASSERT_TRUE(mWin->writeSettings());
    mWin = showWindow();        // the next start (the first window stays: the last one's
                                // deletion would end the process)
    ASSERT_EQ(mWin->serverCount(), 1);
    EXPECT_TRUE(mWin->servers().front().TestFlag(Server::Flag_Favorite | Server::Flag_Avoid));
    EXPECT_EQ(mWin->rowCount(), 1);     // the Favorites tab shows it
}

// A server named by one line and given by address in another kept only the first line: the
// other's mark was lost at the next save. Where the marks differ the first line holds.
static bool exampleResolves(const char *name, uint32_t *address)
{
    *address = htonl(0x0a000009);       // 10.0.0.9
    return strcmp(name, "quake.example.test") == 0;
}

TEST_F(MainWinTest, LinesForOneServerByNameAndByAddressKeepTheMark)
{
    InetAddress::Resolver system = InetAddress::SetResolver(exampleResolves);
    mHome.writeSettings("server quake.example.test:26001 0\nfavorite 10.0.0.9:26001 0\n"
                        "avoid 10.0.0.9:26002 0\nfavorite quake.example.test:26002 0\n"
                        "favorite quake.example.test:26003 0\nserver 10.0.0.9:26003 0\n");
    testing::internal::CaptureStderr();
    mWin = showWindow();
    std::string said = testing::internal::GetCapturedStderr();
    InetAddress::SetResolver(system);
    EXPECT_EQ(mWin->serverCount(), 3);
    ASSERT_TRUE(mWin->writeSettings());
    std::string saved = mHome.readSettings();
    EXPECT_NE(saved.find("\nfavorite quake.example.test:26001 0\navoid 10.0.0.9:26002 0\n"),
              std::string::npos) << saved;
    EXPECT_NE(said.find("~/.vireorc line 4: favorite quake.example.test:26002"),
              std::string::npos) << said;
    EXPECT_EQ(said.find("line 6"), std::string::npos) << "a line with no mark changes none";
}

// Started without a name server (offline, say), named servers stayed in the list as
// 255.255.255.255 and were saved so: their names were lost at the next quit.
static bool noNameResolves(const char *, uint32_t *) { return false; }

TEST_F(MainWinTest, ServersWhoseNamesDoNotResolveKeepTheirNames)
{
    InetAddress::Resolver system = InetAddress::SetResolver(noNameResolves);
    mHome.writeSettings("filter all\n"
                        "server quake.example.test:26000 0\n"
                        "favorite other.example.test:27500 0\n"
                        "server 10.0.0.1:26000 0\n");
    mWin = showWindow();
    InetAddress::SetResolver(system);
    EXPECT_EQ(mWin->serverCount(), 3);
    // Not the broadcast address, which no server is at.
    EXPECT_EQ(shownAddresses(mWin), (std::vector<std::string>{"-", "-:27500", "10.0.0.1"}));
    Server *named = nullptr;
    for (Server &s : mWin->servers()) {
        if (std::string(s.GetName()) == "quake.example.test")
            named = &s;
    }
    ASSERT_NE(named, nullptr);
    ServerQueryInfo info;
    EXPECT_FALSE(named->Query(info)) << "nothing is sent without an address";
    EXPECT_TRUE(named->mDown);
    ASSERT_TRUE(mWin->writeSettings());
    std::string saved = mHome.readSettings();
    EXPECT_NE(saved.find("server quake.example.test:26000 0\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("favorite other.example.test:27500 0\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("255.255.255.255"), std::string::npos) << saved;
}

TEST_F(MainWinTest, TimeOutsAreSavedButNotReadBack)
{
    mHome.writeSettings("server 10.0.0.1:26000 7\n");
    mWin = showWindow();
    Server &s = mWin->servers().front();
    EXPECT_EQ(s.mTimeouts, 0);
    s.mTimeouts = 2;
    ASSERT_TRUE(mWin->writeSettings());
    EXPECT_NE(mHome.readSettings().find("server 10.0.0.1:26000 2\n"), std::string::npos);
}

TEST_F(MainWinTest, FailedSaveKeepsTheOldFileAndStillQuits)
{
    mHome.writeSettings("server 10.0.0.1:26000 0\n");
    mWin = showWindow();
    // A folder where the file would go: the new file can never be put in its place.
    std::string path = mHome.settingsFile();
    ASSERT_EQ(rename(path.c_str(), (mHome.path() + "/keep").c_str()), 0);
    ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
    EXPECT_FALSE(mWin->writeSettings());
    EXPECT_TRUE(mWin->canQuit());
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
}

// A file read only in part (here past the read bound; a file the user may not read is the
// same) was replaced at quit by what was read: every server after the cut was lost.
TEST_F(MainWinTest, ASettingsFileNotReadWholeIsNotReplaced)
{
    std::string text = "server 10.0.0.1:26000 0\n";
    while (text.size() <= (4u << 20))
        text += "# " + std::string(1000, '-') + "\n";
    text += "server 10.0.0.2:26000 0\n";
    mHome.writeSettings(text);
    testing::internal::CaptureStderr();
    mWin = showWindow();
    EXPECT_TRUE(mWin->canQuit());
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(mHome.readSettings() == text);
    EXPECT_NE(said.find(mHome.settingsFile() + " not saved: it could not be read whole at start"),
              std::string::npos) << said;
}

// Without HOME the settings come from the password database's home; nothing may crash.
TEST_F(MainWinTest, StartsWithoutHome)
{
    unsetenv("HOME");
    mWin = showWindow();
    EXPECT_NE(child("*status"), nullptr);
    EXPECT_FALSE(mWin->sources().empty());
}

// ---- Under a window manager, and what the desktop asks of a window

static std::string savedGeometry(const std::string &settings)
{
    size_t at = settings.find("mainwin ");
    return at == std::string::npos ? "" : settings.substr(at + 8, settings.find('\n', at) - at - 8);
}

class MainWinDesktopTest : public MainWinTest {
protected:
    void useDesktop(PrivateDesktop::Manager manager)
    {
        mDesktop = std::make_unique<PrivateDesktop>(manager);
        ASSERT_TRUE(mDesktop->ready()) << "no private display (scripts/deps.sh installs "
                                          "Xvfb and openbox)";
    }
    // A new start from the saved file; the old window goes once the new one is up.
    void restart()
    {
        TestWin *old = mWin;
        mWin = showWindow();
        delete old;
        settle();
    }
    void quiet() { EXPECT_TRUE(harness::settle(mWin->baseWidget(), 250)); }
    // The manager frames the window and tells it where it is: events until it has.
    void settle()
    {
        Display *display = XtDisplay(mWin->baseWidget());
        Window window = XtWindow(mWin->baseWidget());
        pumpUntil([&] { return frameOf(display, window) != window; }, 3000);
        quiet();
    }
    void frame(int *x, int *y, int *width, int *height)
    {
        frameBox(XtDisplay(mWin->baseWidget()), XtWindow(mWin->baseWidget()), x, y, width,
                 height);
    }
    void size(Dimension *width, Dimension *height)
    {
        XtVaGetValues(mWin->baseWidget(), XmNwidth, width, XmNheight, height, nullptr);
    }
    std::string saved()
    {
        EXPECT_TRUE(mWin->writeSettings());
        return savedGeometry(mHome.readSettings());
    }

    std::unique_ptr<PrivateDesktop> mDesktop;
};

// The place saved was the window's inside the manager's frame, and the next start put the
// frame there: the window walked down by the title bar at every session.
TEST_F(MainWinDesktopTest, TheWindowComesBackWhereItWasUnderAManager)
{
    useDesktop(PrivateDesktop::Openbox);
    mHome.writeSettings("mainwin 820x600+100+100\nfilter all\nserver 10.0.0.1:26000 0\n");
    for (int session = 1; session <= 5; session++) {
        SCOPED_TRACE("session " + std::to_string(session));
        restart();
        int x = 0, y = 0, width = 0, height = 0;
        frame(&x, &y, &width, &height);
        EXPECT_EQ(x, 100);
        EXPECT_EQ(y, 100);
        EXPECT_EQ(saved(), "820x600+100+100");
    }
}

// A quit while maximized saved the screen's size, and the next start ran past its foot.
TEST_F(MainWinDesktopTest, AWindowQuitMaximizedComesBackAsItWasBefore)
{
    useDesktop(PrivateDesktop::Openbox);
    mHome.writeSettings("mainwin 820x600+100+100\nfilter all\nserver 10.0.0.1:26000 0\n");
    restart();
    Display *display = XtDisplay(mWin->baseWidget());
    Window window = XtWindow(mWin->baseWidget());
    XMoveWindow(display, window, 200, 150);     // the user moves it first
    fwtest::pump(600);
    for (const char *state : {"_NET_WM_STATE_MAXIMIZED_VERT", "_NET_WM_STATE_FULLSCREEN"}) {
        SCOPED_TRACE(state);
        bool maximize = strcmp(state, "_NET_WM_STATE_MAXIMIZED_VERT") == 0;
        askWindowState(display, window, true, state,
                       maximize ? "_NET_WM_STATE_MAXIMIZED_HORZ" : nullptr);
        Dimension width = 0, height = 0;
        ASSERT_TRUE(pumpUntil([&] { size(&width, &height); return width >= 1270; }, 3000));
        EXPECT_EQ(saved(), "820x600+200+150");
        askWindowState(display, window, false, state,
                       maximize ? "_NET_WM_STATE_MAXIMIZED_HORZ" : nullptr);
        ASSERT_TRUE(pumpUntil([&] { size(&width, &height); return width == 820; }, 3000));
        fwtest::pump(600);
    }
    // Quit maximized, the next start is the window before, whole on the screen.
    askWindowState(display, window, true, "_NET_WM_STATE_MAXIMIZED_VERT",
                   "_NET_WM_STATE_MAXIMIZED_HORZ");
    Dimension width = 0, height = 0;
    ASSERT_TRUE(pumpUntil([&] { size(&width, &height); return width >= 1270; }, 3000));
    saved();
    restart();
    int x = 0, y = 0, outerWidth = 0, outerHeight = 0;
    frame(&x, &y, &outerWidth, &outerHeight);
    size(&width, &height);
    EXPECT_EQ(width, 820);
    EXPECT_EQ(height, 600);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 150);
    EXPECT_LE(y + outerHeight, 1024);
}

// The size of the window and where it stands on the screen, as "mainwin" writes them.
static std::string shownGeometry(MainWin *win)
{
    Widget shell = win->baseWidget();
    Dimension width = 0, height = 0;
    XtVaGetValues(shell, XmNwidth, &width, XmNheight, &height, nullptr);
    int x = 0, y = 0;
    Window child = None;
    XTranslateCoordinates(XtDisplay(shell), XtWindow(shell), DefaultRootWindow(XtDisplay(shell)),
                          0, 0, &x, &y, &child);
    return formatGeometry(width, height, x, y);
}

// Started with "-geometry value", as from the command line, over the saved size and place
// 820x600+100+100: the window's for the run, which must also be those saved at its end.
static std::string runWithGeometry(const char *value, const TempHome &home)
{
    static char program[] = "vireo", option[] = "-geometry";
    static char *argv[] = {program, option, nullptr, nullptr};
    static int argc = 3;
    argv[2] = (char *)value;
    new App("Vireo", &argc, argv);
    home.writeSettings("mainwin 820x600+100+100\nfilter all\n");
    MainWin *win = showWindow();
    std::string shown = shownGeometry(win);
    EXPECT_TRUE(win->writeSettings());
    EXPECT_EQ(savedGeometry(home.readSettings()), shown);
    return shown;
}

// -geometry went to the application's own shell, which is never shown.
TEST_F(MainWinTest, GeometryOnTheCommandLineSetsTheWindowForThatRun)
{
    EXPECT_EQ(runWithGeometry("700x450+30+30", mHome), "700x450+30+30");
}

// A size given alone came up at +0+0, and that place was saved over the user's.
TEST_F(MainWinTest, ASizeOnTheCommandLineKeepsTheSavedPlace)
{
    EXPECT_EQ(runWithGeometry("720x480", mHome), "720x480+100+100");
}

// A place given off the screen put the whole window out of view for the run.
TEST_F(MainWinTest, APlaceOnTheCommandLineOffTheScreenLeavesTheSavedOne)
{
    EXPECT_EQ(runWithGeometry("+5000+5000", mHome), "820x600+100+100");
}

// Started a pixel large, the tool bar laid its buttons out in rows a pixel wide, and its
// spacers kept the width of the bar: raised to its least, it showed four buttons of 14.
TEST_F(MainWinTest, AWindowStartedAPixelLargeShowsEveryToolButton)
{
    mHome.writeSettings("mainwin 1x1+0+0\nfilter all\n");
    mWin = showWindow();
    ASSERT_TRUE(settle(mWin->baseWidget(), 0));
    Widget bar = child("*toolBar");
    WidgetList buttons = nullptr;
    Cardinal count = 0;
    Dimension barWidth = 0, barHeight = 0;
    XtVaGetValues(bar, XmNchildren, &buttons, XmNnumChildren, &count, XmNwidth, &barWidth,
                  XmNheight, &barHeight, nullptr);
    ASSERT_GT(count, 0u);
    for (Cardinal i = 0; i < count; i++) {
        EXPECT_LE(farEdge(buttons[i], XmNx, XmNwidth), barWidth) << XtName(buttons[i]);
        EXPECT_LE(farEdge(buttons[i], XmNy, XmNheight), barHeight) << XtName(buttons[i]);
    }
}

// A place saved on a larger screen was refused, and its size with it.
TEST_F(MainWinTest, APlaceSavedOffTheScreenIsMovedOntoItWithTheSavedSize)
{
    mHome.writeSettings("mainwin 820x600+2500+1800\nfilter all\n");
    mWin = showWindow();
    Screen *screen = XtScreen(mWin->baseWidget());
    EXPECT_EQ(shownGeometry(mWin), formatGeometry(820, 600, WidthOfScreen(screen) - 820,
                                                  HeightOfScreen(screen) - 600));
}

// A window made larger than the screen is saved as one the next start shows whole.
TEST_F(MainWinTest, AWindowLargerThanTheScreenIsSavedCutToIt)
{
    mHome.writeSettings("mainwin 820x600+100+100\nfilter all\n");
    mWin = showWindow();
    Widget shell = mWin->baseWidget();
    XtVaSetValues(shell, XmNwidth, 2000, XmNheight, 1500, nullptr);
    ASSERT_TRUE(pumpUntil([&] {
        XWindowAttributes attributes;
        XGetWindowAttributes(XtDisplay(shell), XtWindow(shell), &attributes);
        return attributes.width == 2000 && attributes.height == 1500;
    }, 5000));
    EXPECT_TRUE(mWin->writeSettings());
    Screen *screen = XtScreen(shell);
    EXPECT_EQ(savedGeometry(mHome.readSettings()),
              formatGeometry(WidthOfScreen(screen), HeightOfScreen(screen), 0, 0));
}

// A size saved on a larger screen was kept: the frame reached past the screen's edges, over
// the title bar's buttons and the status line.
TEST_F(MainWinDesktopTest, ASizeSavedOnALargerScreenComesUpWholeInItsFrame)
{
    useDesktop(PrivateDesktop::Openbox);
    mHome.writeSettings("mainwin 2560x1440+0+0\nfilter all\n");
    restart();
    Screen *screen = XtScreen(mWin->baseWidget());
    int x = 0, y = 0, width = 0, height = 0;
    auto whole = [&] {
        frame(&x, &y, &width, &height);
        return x >= 0 && y >= 0 && x + width <= WidthOfScreen(screen) &&
               y + height <= HeightOfScreen(screen);
    };
    EXPECT_TRUE(pumpUntil(whole, 3000))
        << width << "x" << height << "+" << x << "+" << y << " on the screen";
}

// A manager that restarts takes its frames away. One that went between two requests of the
// walk up to it ended the program with BadWindow, at quit before the settings were written.
TEST_F(MainWinTest, AFrameThatGoesWhileItIsLookedAtLeavesTheWindowsOwnPlace)
{
    mHome.writeSettings("mainwin 700x450+0+0\n");
    mWin = showWindow();
    Display *manager = XOpenDisplay(nullptr);   // a client of its own, as a manager is
    ASSERT_NE(manager, nullptr);
    Window shell = XtWindow(mWin->baseWidget()), root = DefaultRootWindow(manager);
    Window frame = XCreateSimpleWindow(manager, root, 40, 30, 900, 700, 0, 0, 0);
    XReparentWindow(manager, shell, frame, 0, 0);
    XMapWindow(manager, frame);
    XSync(manager, False);
    mWin->onWalk = [&](Window reached) {
        if (reached != frame)
            return;
        XReparentWindow(manager, shell, root, 70, 50);
        XDestroyWindow(manager, frame);
        XSync(manager, False);
    };
    EXPECT_TRUE(mWin->writeSettings());
    mWin->onWalk = nullptr;
    XCloseDisplay(manager);
    EXPECT_EQ(savedGeometry(mHome.readSettings()), "700x450+70+50");
}

static std::vector<XID> sErrorWindows;

static int recordError(Display *, XErrorEvent *error)
{
    sErrorWindows.push_back(error->resourceid);
    return 0;
}

// Only the frame's errors are expected: one on the window itself still goes where X errors
// went before (the toolkit's handler ends the program).
TEST_F(MainWinTest, AnErrorOnTheWindowItselfIsNotTakenForTheFrames)
{
    mWin = showWindow();
    Display *manager = XOpenDisplay(nullptr);
    ASSERT_NE(manager, nullptr);
    Window shell = XtWindow(mWin->baseWidget()), root = DefaultRootWindow(manager);
    Window frame = XCreateSimpleWindow(manager, root, 40, 30, 900, 700, 0, 0, 0);
    XReparentWindow(manager, shell, frame, 0, 0);
    XSync(manager, False);
    mWin->onWalk = [&](Window reached) {
        if (reached == frame) {
            XDestroyWindow(manager, frame);     // and the window in it
            XSync(manager, False);
        }
    };
    XSetErrorHandler(recordError);
    mWin->writeSettings();
    mWin->onWalk = nullptr;
    XCloseDisplay(manager);
    EXPECT_NE(std::find(sErrorWindows.begin(), sErrorWindows.end(), shell), sErrorWindows.end());
    EXPECT_EQ(std::find(sErrorWindows.begin(), sErrorWindows.end(), frame), sErrorWindows.end());
}

// A manager that set a maximized window's state some time after its size: the window
// looked too soon, took the screen for its own size, and a quit saved it.
TEST_F(MainWinDesktopTest, AQuitSavesTheSizeBeforeAMaximizeWhoseStateCameLate)
{
    useDesktop(PrivateDesktop::Bare);
    ASSERT_TRUE(mDesktop->holdWindowsAt(900, 700, 60));
    mHome.writeSettings("mainwin 900x700+0+0\nfilter all\nserver 10.0.0.1:26000 0\n");
    mWin = showWindow();
    Display *display = XtDisplay(mWin->baseWidget());
    Window window = XtWindow(mWin->baseWidget());
    Dimension width = 0, height = 0;
    auto maximized = [&] {
        return hasWindowState(display, window, "_NET_WM_STATE_MAXIMIZED_VERT");
    };
    // A trial counts when the window saw the state come 50 to 100 ms after the size: the
    // manager's 60 ms, give or take what a busy machine adds.
    for (int trial = 0; trial < 20; trial++) {
        askWindowState(display, window, true, "_NET_WM_STATE_MAXIMIZED_VERT",
                       "_NET_WM_STATE_MAXIMIZED_HORZ");
        ASSERT_TRUE(pumpUntil([&] { size(&width, &height); return width == 1280; }));
        Clock::time_point sized = Clock::now();
        ASSERT_TRUE(pumpUntil(maximized));
        double apart = msBetween(sized, Clock::now());
        if (apart >= 50 && apart <= 100) {
            EXPECT_EQ(saved(), "900x700+0+0") << "state " << apart << " ms after the size";
            return;
        }
        askWindowState(display, window, false, "_NET_WM_STATE_MAXIMIZED_VERT",
                       "_NET_WM_STATE_MAXIMIZED_HORZ");
        ASSERT_TRUE(pumpUntil([&] { size(&width, &height); return width == 900; }));
        ASSERT_FALSE(maximized());
    }
    FAIL() << "the state never came 50 to 100 ms after the size";
}

// Whether a grid's row (-1: the heading) is wholly in view, above the scroll bar.
static bool rowInView(Widget grid, int row)
{
    unsigned char type = row < 0 ? XmHEADING : XmCONTENT;
    XRectangle whole, seen;
    if (XmLGridRowColumnToXY(grid, type, row < 0 ? 0 : row, XmCONTENT, 0, False, &whole) < 0 ||
        XmLGridRowColumnToXY(grid, type, row < 0 ? 0 : row, XmCONTENT, 0, True, &seen) < 0 ||
        seen.height != whole.height)
        return false;
    Widget hsb = nullptr;
    XtVaGetValues(grid, XmNhorizontalScrollBar, &hsb, nullptr);
    Position barTop = 0;
    if (hsb && XtIsManaged(hsb))
        XtVaGetValues(hsb, XmNy, &barTop, nullptr);
    return !(hsb && XtIsManaged(hsb)) || whole.y + whole.height <= barTop;
}

// A tiling manager held the window below its least: the bottom pane kept its least and the
// list got a few pixels, not one row.
TEST_F(MainWinDesktopTest, AShortTileKeepsARowOfTheList)
{
    useDesktop(PrivateDesktop::Bare);
    ASSERT_TRUE(mDesktop->holdWindowsAt(1000, 200));
    mHome.writeSettings("mainwin 1000x600+0+0\nshowinfo true\ninfoPaneHeight 150\n"
                        "filter all\nserver 10.0.0.1:26000 0\nserver 10.0.0.2:26000 0\n");
    mWin = showWindow();
    Dimension width = 0, height = 0;
    ASSERT_TRUE(pumpUntil([&] { size(&width, &height); return height == 200; }, 3000));
    quiet();
    size(&width, &height);
    ASSERT_EQ(height, 200);
    EXPECT_TRUE(rowInView(mWin->serverGrid(), -1));
    EXPECT_TRUE(rowInView(mWin->serverGrid(), 0));
    Dimension mainHeight = 0;
    XtVaGetValues(child("*mainPane"), XmNheight, &mainHeight, nullptr);
    EXPECT_LE(farEdge(child("*serverPane"), XmNy, XmNheight), mainHeight);

    // The manager gone and the window grown, the pane comes back at the size chosen.
    mDesktop->stopHolding();
    XResizeWindow(XtDisplay(mWin->baseWidget()), XtWindow(mWin->baseWidget()), 1000, 600);
    ASSERT_TRUE(pumpUntil([&] { size(&width, &height); return height == 600; }, 3000));
    quiet();
    Dimension paneHeight = 0;
    XtVaGetValues(child("*infoPane"), XmNheight, &paneHeight, nullptr);
    EXPECT_EQ(paneHeight, 150);
    ASSERT_TRUE(mWin->writeSettings());
    EXPECT_NE(mHome.readSettings().find("infoPaneHeight 150\n"), std::string::npos);
}

// The rules pane hidden and shown while a tiling manager held the window short: the least
// then told the manager was taken from the bottom pane's least as lowered to fit.
TEST_F(MainWinDesktopTest, APaneShownWhileHeldShortKeepsTheLeastToldTheManager)
{
    useDesktop(PrivateDesktop::Bare);
    mHome.writeSettings("mainwin 1000x600+0+0\nshowinfo true\nshowrules true\nfilter all\n"
                        "server 10.0.0.1:26000 0\n");
    mWin = showWindow();
    Display *display = XtDisplay(mWin->baseWidget());
    Window window = XtWindow(mWin->baseWidget());
    XSizeHints roomy = {}, held = {};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(display, window, &roomy, &supplied));
    ASSERT_TRUE(mDesktop->holdWindowsAt(1000, roomy.min_height - 80));
    Dimension width = 0, height = 0;
    ASSERT_TRUE(pumpUntil([&] { size(&width, &height); return height < roomy.min_height; }));
    mWin->toggleRulesPane();
    mWin->toggleRulesPane();
    ASSERT_TRUE(harness::settle(mWin->baseWidget(), 0));
    ASSERT_TRUE(XGetWMNormalHints(display, window, &held, &supplied));
    EXPECT_EQ(held.min_height, roomy.min_height);
}

// At the bottom pane's least the players' scroll bar covered half of the second row when
// the list scrolled sideways; then, filled from a real reply, the second row lost the foot
// of its swatches, which make a player row taller than the heading.
TEST_F(MainWinTest, TheBottomPaneLeastHoldsTwoPlayerRowsAboveItsScrollBar)
{
    mHome.writeSettings("mainwin 700x100+0+0\nshowinfo true\nshowrules true\n"
                        "rulePaneWidth 1900\nfilter all\n");
    mWin = showWindow();
    FakeFleet fleet;
    FakeGameScript script = richScript(0, 2);
    for (FakePlayer &player : script.players)
        player.colours = 0x4d;
    Server *server = serverAt(mWin, fleet.add(mWin, script)->HostText());
    mWin->options().queryPlayers = true;
    mWin->refreshAll();
    ASSERT_TRUE(runToEnd(mWin));
    selectServer(mWin, server);
    Widget players = child("*playerGrid"), hsb = nullptr;
    ASSERT_TRUE(settle(mWin->baseWidget(), 0));
    int rows = 0;
    XtVaGetValues(players, XmNrows, &rows, nullptr);
    ASSERT_EQ(rows, 2);
    XtVaGetValues(players, XmNhorizontalScrollBar, &hsb, nullptr);
    ASSERT_TRUE(hsb && XtIsManaged(hsb)) << "the player list does not scroll sideways";
    EXPECT_TRUE(rowInView(players, 1));
}

TEST_F(MainWinTest, TheIconNameIsTheProgramsName)
{
    mWin = showWindow();
    XTextProperty icon = {};
    ASSERT_TRUE(XGetWMIconName(XtDisplay(mWin->baseWidget()), XtWindow(mWin->baseWidget()),
                               &icon));
    EXPECT_STREQ((const char *)icon.value, "Vireo");
    XFree(icon.value);
}

// ---- Sashes moved with the keyboard

// A sash worked with its arrow keys is the user's choice as a drag is, at whatever size the
// paned window leaves the pane (it may not move it at all): here one cut by a small window.
TEST_F(MainWinTest, ASashMovedWithTheKeyboardIsTheUsersChoice)
{
    mHome.writeSettings("mainwin 900x700+0+0\ninfoPaneHeight 250\nshowinfo true\n"
                        "filter all\nserver 10.0.0.1:26000 0\n");
    mWin = showWindow();
    auto resize = [this](Dimension height) {
        XtVaSetValues(mWin->baseWidget(), XmNwidth, 900, XmNheight, height, nullptr);
        fwtest::pump(200);
    };
    resize(420);
    ASSERT_TRUE(pressOnSash(child("*mainPane"), XK_Down, 0));
    fwtest::pump(100);
    Dimension chosen = 0, height = 0;
    XtVaGetValues(child("*infoPane"), XmNheight, &chosen, nullptr);
    ASSERT_LT(chosen, 250);
    resize(700);
    XtVaGetValues(child("*infoPane"), XmNheight, &height, nullptr);
    EXPECT_EQ(height, chosen) << "kept through a resize";
    ASSERT_TRUE(mWin->writeSettings());
    std::string saved = mHome.readSettings();
    EXPECT_NE(saved.find("infoPaneHeight " + std::to_string(chosen) + "\n"), std::string::npos)
        << saved;
}

// ---- A rules pane's least from the user's resources

// The window's least width, as told to the window manager (the shell keeps an int).
static int leastWidth(MainWin *win)
{
    int width = 0;
    XtVaGetValues(win->baseWidget(), XmNminWidth, &width, nullptr);
    return width;
}

// A user who wants the rules wider raises their least; the window's least must make room for
// it beside the player list while the rules show, and only then.
TEST_F(MainWinTest, ARulesPaneLeastFromTheResourcesCountsOnlyWhileItShows)
{
    if (!gApplication)      // the resource goes in before the window is built
        new App("Vireo", fwtest::testArgc(), fwtest::testArgv());
    XrmDatabase resources = XtDatabase(XtDisplay(gApplication->baseWidget()));
    XrmPutLineResource(&resources, "*ruleGrid.paneMinimum: 700");
    std::string rest = "filter all\nserver 10.0.0.1:26000 0\n";
    mHome.writeSettings("mainwin 1200x700+0+0\nshowinfo true\nshowrules true\n"
                        "rulePaneWidth 800\n" + rest);
    mWin = showWindow();
    Dimension players = 0;
    XtVaGetValues(child("*playerGrid"), XmNpaneMinimum, &players, nullptr);
    ASSERT_GT(players, 0);
    int shown = leastWidth(mWin);
    EXPECT_GE(shown, players + 700);
    EXPECT_LT(shown, players + 800) << "the rules pane's least, not the width chosen for it";
    mWin->toggleRulesPane();
    int hidden = leastWidth(mWin);
    EXPECT_LT(hidden, players + 700) << "dropped back with the rules hidden";
    mWin->toggleRulesPane();
    EXPECT_EQ(leastWidth(mWin), shown) << "shown again";

    mHome.writeSettings("mainwin 900x700+0+0\nshowinfo true\nshowrules false\n" + rest);
    mWin = showWindow();
    EXPECT_EQ(leastWidth(mWin), hidden);
    mWin->toggleRulesPane();
    EXPECT_EQ(leastWidth(mWin), shown) << "the rules shown after a start without them";
}

// The program's folder never overruns the caller's buffer: cut where asked, refused where
// a cut path would name another folder.
TEST(AppFolderTest, BuffersBoundTheFolder)
{
    App::setXEnvironment("/proc/self/exe", "Vireo");
    std::string folder = App::cachedAppDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    char small[4];
    App::getAppDirectory(small, sizeof small);
    EXPECT_EQ(std::string(small), folder.substr(0, 3));
    char tiny[2] = {'x', '\0'};
    EXPECT_FALSE(App::locateProgram("/proc/self/exe", tiny, sizeof tiny));
    EXPECT_EQ(tiny[0], 'x');
    char roomy[4096];
    ASSERT_TRUE(App::locateProgram("/proc/self/exe", roomy, sizeof roomy));
    EXPECT_EQ(std::string(roomy), folder);
}
