// test_hostile.cpp - a real window against hostile files and texts: saving the list to a
// pipe, and server texts that the grid and the dialogs would read as layout.
#include <gtest/gtest.h>

#include "framework/VkErrorDialog.h"
#include "framework/VkFileSelectionDialog.h"
#include "tests/browser/mainwin_harness.h"
#include "tests/framework/fwtest.h"
#include "tests/support/descriptors.h"
#include "tests/support/fake_http_server.h"
#include "widgets/Grid.h"

#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <arpa/inet.h>
#include <atomic>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <string>
#include <csignal>
#include <sys/resource.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace harness;

namespace {

class HostileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mHome.writeSettings("server 10.0.0.1:26000 0\nserver 10.0.0.2:27500 0\n");
        mWin = showWindow();
        mWin->setViewTab(0);
    }
    // Chooses name in the save dialog; the message of an error dialog that follows, if any.
    // The name goes in once the dialog is up: a later save reuses the dialog as it was left.
    std::string saveTo(const std::string &name)
    {
        fwtest::later(10, [name] { gFileSelectionDialog->setSelection(name.c_str()); });
        fwtest::pressLater(gFileSelectionDialog, fwtest::OK);
        mError.clear();
        readErrorLater(&mError);
        mWin->saveServers();
        fwtest::pump(100);
        return mError;
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
    TestWin         *mWin = nullptr;
    std::string      mError;        // outlives the test's reader of error dialogs
};

// A web server on 127.0.0.1 that sends its page one byte at a time, a byte per gapMs,
// to the first client, then closes: a source that is slow without ever falling silent.
class TrickleServer {
public:
    TrickleServer(const std::string &page, int gapMs) : mPage(page), mGapMs(gapMs)
    {
        mListen = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        struct sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(mListen, (struct sockaddr *)&address, sizeof address);
        listen(mListen, 1);
        getsockname(mListen, (struct sockaddr *)&address, &size);
        mUrl = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/";
        mThread = std::thread([this] { serve(); });
    }
    ~TrickleServer()
    {
        mStop = true;
        mThread.join();
        close(mListen);
    }
    const std::string &url() const { return mUrl; }

private:
    void serve()
    {
        struct pollfd p = {mListen, POLLIN, 0};
        while (!mStop && poll(&p, 1, 20) <= 0) {
        }
        if (mStop)
            return;
        int client = accept(mListen, nullptr, nullptr);
        for (size_t i = 0; i < mPage.size() && !mStop; i++) {
            if (send(client, &mPage[i], 1, MSG_NOSIGNAL) != 1)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(mGapMs));
        }
        close(client);
    }

    std::string       mPage;
    int               mGapMs;
    int               mListen = -1;
    std::string       mUrl;
    std::atomic<bool> mStop{false};
    std::thread       mThread;
};

// The lines a grid cell shows, and its text with the lines joined by a blank.
int cellLines(Widget grid, int row, int column, std::string *text)
{
    XmString string = nullptr;
    XtVaGetValues(grid, XmNrowPtr, XmLGridGetRow(grid, XmCONTENT, row), XmNcolumnPtr,
                  XmLGridGetColumn(grid, XmCONTENT, column), XmNcellString, &string, nullptr);
    if (!string)
        return 0;
    int lines = XmStringLineCount(string);
    char *plain = (char *)XmStringUnparse(string, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT,
                                          nullptr, 0, XmOUTPUT_ALL);
    *text = plain ? plain : "";
    for (char &c : *text) {
        if (c == '\n')
            c = ' ';
    }
    XtFree(plain);
    XmStringFree(string);
    return lines;
}

bool isPipe(const std::string &path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

} // namespace

// ---- Saving the list

// Opening a pipe for writing waited, with the window frozen, until some process read it;
// with a reader there, the list went down the pipe.
TEST_F(HostileTest, SavingToAPipeIsRefusedAtOnce)
{
    std::string pipe = mHome.path() + "/pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // The dialog's two lines, read as one text.
    std::string refused = "Could not create output file." + pipe + ": Not a regular file";
    EXPECT_EQ(saveTo(pipe), refused);

    int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(saveTo(pipe), refused);
    char byte;
    EXPECT_LE(read(reader, &byte, 1), 0);
    close(reader);
    EXPECT_TRUE(isPipe(pipe));
}

// "Could not create output file." alone left the user to guess which file and why.
TEST_F(HostileTest, AFailedSaveNamesTheFileAndTheReason)
{
    std::string path = mHome.path() + "/missing/list.txt";
    EXPECT_EQ(saveTo(path), "Could not create output file." + path + ": " + strerror(ENOENT));
    // Refused only once open, as a file that cannot be cut short is: the descriptor goes too.
    int sealed = memfd_create("list", MFD_ALLOW_SEALING);
    ASSERT_TRUE(sealed >= 0 && write(sealed, "x", 1) == 1 &&
                fcntl(sealed, F_ADD_SEALS, F_SEAL_SHRINK) == 0);
    path = "/proc/self/fd/" + std::to_string(sealed);
    int descriptors = openDescriptors(getpid());
    EXPECT_EQ(saveTo(path), "Could not create output file." + path + ": " + strerror(EPERM));
    EXPECT_EQ(openDescriptors(getpid()), descriptors);
    close(sealed);
}

// A link the user made names the file to write; no save leaves a descriptor behind.
TEST_F(HostileTest, SavingToANewNameOrOverAFileOrItsLinkWritesTheList)
{
    std::string path = mHome.path() + "/list.txt", link = mHome.path() + "/link.txt";
    int descriptors = openDescriptors(getpid());
    EXPECT_EQ(saveTo(path), "");
    std::ofstream(path) << "an older and longer list\n";
    ASSERT_EQ(symlink(path.c_str(), link.c_str()), 0);
    EXPECT_EQ(saveTo(link), "");
    EXPECT_EQ(openDescriptors(getpid()), descriptors);
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "10.0.0.1:26000\n10.0.0.2:27500\n");
    EXPECT_EQ(statusText(mWin), "2 servers saved to file");
    struct stat st;
    EXPECT_TRUE(lstat(link.c_str(), &st) == 0 && S_ISLNK(st.st_mode));
}

// A full disk fails the writing part of the way in; a file-size limit does the same here.
// The cut list stayed behind, for a later load to take as the whole list.
TEST_F(HostileTest, ASaveThatFailsPartWayIsReportedAndLeavesNoList)
{
    std::string path = mHome.path() + "/list.txt";
    signal(SIGXFSZ, SIG_IGN);           // as the program does
    struct rlimit old, small;
    getrlimit(RLIMIT_FSIZE, &old);
    small = old;
    small.rlim_cur = 20;                // a line and a part
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string said = saveTo(path);
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(said, "Could not create output file." + path + ": " + strerror(EFBIG));
    EXPECT_EQ(statusText(mWin), "2/2 servers");
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), "");
}

// ---- Starting the game

// A game that ignores its arguments and runs for a while, as a real one does.
static std::string slowGame(const std::string &folder)
{
    std::string path = folder + "/slowgame";
    std::ofstream(path) << "#!/bin/sh\nsleep 2\n";
    chmod(path.c_str(), 0755);
    return path;
}

// "#", ";" or "&&" in the options kept the trailing "&" from applying: the program waited
// for the game to end, with the window frozen.
TEST_F(HostileTest, TheWindowNeverWaitsForTheGameWhateverTheOptions)
{
    mWin->options().quakeCmd = slowGame(mHome.path());
    FrozenClock clock;              // the watchers wait as long as the game runs, 2 s
    for (const char *options : {"#1", "; true", "&& true"}) {
        mWin->options().quakeOptions = options;
        std::string command;
        ASSERT_TRUE(MainWin::launchCommand(mWin->options(), 26000, &command));
        Clock::time_point start = Clock::now();
        mWin->MainWin::runCommand(command.c_str());
        EXPECT_LT(msBetween(start, Clock::now()), 1000) << options;
    }
}

// The shell's own complaint went to standard error only; the user saw nothing happen.
TEST_F(HostileTest, ACommandTheShellCannotRunIsReported)
{
    std::string notProgram = mHome.path() + "/notes.txt";
    std::ofstream(notProgram) << "not a program\n";
    struct Case {
        std::string command;
        const char *said;
    } cases[] = {{"vireo-no-such-game +exec vireo.cfg", "no such command"},
                 {notProgram + " +exec vireo.cfg", "cannot be run"},
                 {"quake +exec vireo.cfg -udpport 26000 (", "syntax error"}};
    for (const Case &c : cases) {
        mError.clear();
        readErrorLater(&mError);
        mWin->MainWin::runCommand(c.command.c_str());
        EXPECT_TRUE(pumpUntil([this] { return !mError.empty(); }, 3000)) << c.command;
        EXPECT_NE(mError.find(c.said), std::string::npos) << mError;
    }
}

// ---- Updating the list from its sources

// A page of count distinct addresses, one per line.
static std::string manyAddresses(int count)
{
    std::string page;
    for (int i = 0; i < count; i++)
        page += "10." + std::to_string(i / 62500) + "." + std::to_string(i / 250 % 250) + "." +
                std::to_string(i % 250 + 1) + "\n";
    return page;
}

// One hostile source added 116,301 servers in one update; they were all kept and saved.
TEST_F(HostileTest, OneUpdateAddsAtMostItsCapOfServers)
{
    std::string path = mHome.path() + "/huge.txt";
    std::ofstream(path) << manyAddresses(MainWin::MaxServersPerUpdate + 500);
    FakeHttpServer later("10.200.0.1\n");
    ASSERT_TRUE(later.Start());
    mWin->setSources({"file:" + path, later.Url()});
    int before = mWin->serverCount();
    mWin->updateList();
    EXPECT_EQ(mWin->serverCount(), before + MainWin::MaxServersPerUpdate);
    EXPECT_TRUE(later.Requests().empty());
    EXPECT_EQ(statusText(mWin), "Server list update stopped at " +
                                    std::to_string(MainWin::MaxServersPerUpdate) +
                                    " new servers, the most one update adds");
    EXPECT_EQ(mWin->rowCount(), mWin->serverCount());   // the grid shows what was added
    EXPECT_FALSE(mWin->isBusy());
}

// Three slow sources held the window for the sum of their times; the bound is on the whole
// update, and the status line always says which source holds it up.
TEST_F(HostileTest, TheWholeUpdateIsBoundedAndTheStatusNamesTheSource)
{
    TrickleServer first("10.1.1.1\n", 60), second("10.1.1.2\n" + std::string(20, ' '), 60),
        third("10.1.1.3\n", 60);
    mWin->setSources({first.url(), second.url(), third.url()});
    FetchLimits limits;
    limits.connectMs = 500;
    limits.readMs = 500;
    limits.totalMs = 5000;
    limits.updateMs = 1500;
    mWin->setFetchLimits(limits);
    std::vector<std::string> texts;
    XtAddCallback(mWin->statusWidget(), XmNvalueChangedCallback, recordStatus, &texts);
    Clock::time_point start = Clock::now();
    mWin->updateList();
    double took = msBetween(start, Clock::now());
    XtRemoveCallback(mWin->statusWidget(), XmNvalueChangedCallback, recordStatus, &texts);

    EXPECT_LT(took, 2000);
    EXPECT_EQ(statusText(mWin), "Server list update took longer than 1 s; stopped at " +
                                    second.url());
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0], "Updating server list from " + first.url() + "...");
    EXPECT_EQ(texts[1], "Updating server list from " + first.url() + ": " +
                            "3 servers...");
    EXPECT_EQ(texts[2], "Updating server list from " + second.url() + "...");
    EXPECT_NE(texts[3].find(second.url()), std::string::npos) << texts[3];
    EXPECT_EQ(serverAt(mWin, "10.1.1.3:26000"), nullptr);
}

// Spends the update's time when the status line begins the source named: the clock moves
// on by the whole bound, as a slow source before it would have moved it.
struct SpendAt {
    FrozenClock *clock;
    long long    ms;
    std::string  text;
};

static void spendWhenShown(Widget w, XtPointer clientData, XtPointer)
{
    SpendAt *spend = static_cast<SpendAt *>(clientData);
    char *text = XmTextFieldGetString(w);
    if (spend->text == text)
        spend->clock->advance(spend->ms);
    XtFree(text);
}

// A source begun with no time left waited its own connect limit, ten seconds with the window
// frozen, on a host that takes no connection.
TEST_F(HostileTest, ASourceBegunWithTheUpdatesTimeSpentFailsAtOnce)
{
    FullTcpListener hanging;
    ASSERT_NE(hanging.Port(), 0);
    std::string path = mHome.path() + "/first.txt";
    std::ofstream(path) << "10.1.1.1\n";
    std::string last = "http://127.0.0.1:" + std::to_string(hanging.Port()) + "/";
    // A failure before it is not what the status line is left with: the bound is.
    std::string refused = "http://127.0.0.1:" + std::to_string(ClosedTcpPort()) + "/";
    mWin->setSources({refused, "file:" + path, last});
    FetchLimits limits;
    limits.updateMs = 1000;
    mWin->setFetchLimits(limits);
    FrozenClock clock;
    SpendAt spend = {&clock, limits.updateMs, "Updating server list from " + last + "..."};
    XtAddCallback(mWin->statusWidget(), XmNvalueChangedCallback, spendWhenShown, &spend);
    Clock::time_point start = Clock::now();
    mWin->updateList();
    double took = msBetween(start, Clock::now());
    XtRemoveCallback(mWin->statusWidget(), XmNvalueChangedCallback, spendWhenShown, &spend);

    EXPECT_LT(took, 1000);
    EXPECT_EQ(statusText(mWin), "Server list update took longer than 1 s; stopped at " + last);
    EXPECT_NE(serverAt(mWin, "10.1.1.1:26000"), nullptr);
}

// ---- Server texts in the grids

TEST(CellTextTest, OnlyWhatTheGridReadsAsLayoutChanges)
{
    EXPECT_EQ(MainWin::cellText("C:\\new\\nets|x\\"), "C:\\ new\\ nets!x\\");
    EXPECT_EQ(MainWin::cellText("a\\tb \\N \\\\"), "a\\tb \\N \\\\");
}

// The grid reads a backslash and an "n" as a line break: "Line one\nLine two" showed as two
// lines in its cell, and the cell's height let only "Line two" be seen.
TEST_F(HostileTest, ABackslashSequenceFromAServerStaysOnOneLine)
{
    Server *s = serverAt(mWin, "10.0.0.1:26000");
    s->mName = "Line one\\nLine two";
    s->mDown = 0;
    snprintf(s->mMap, sizeof s->mMap, "e1\\nm1");
    s->mRules = {Rule("motd\\n", "a\\nb\\")};
    Player p;
    p.mName = "P\\nQ";
    s->mPlayers = {p};
    selectServer(mWin, s);
    ASSERT_GE(s->mRow, 0);
    struct Cell {
        Widget      grid;
        int         row, column;
        const char *first, *second;
    } cells[] = {{mWin->serverGrid(), s->mRow, 0, "Line one", "Line two"},
                 {mWin->serverGrid(), s->mRow, 4, "e1", "m1"},
                 {mWin->ruleGrid(), 0, 0, "motd", ""},
                 {mWin->ruleGrid(), 0, 1, "a", "b"},
                 {mWin->playerGrid(), 0, 2, "P", "Q"}};
    for (const Cell &c : cells) {
        std::string text;
        EXPECT_EQ(cellLines(c.grid, c.row, c.column, &text), 1) << text;
        size_t first = text.find(c.first);
        EXPECT_EQ(first, 0u) << text;
        EXPECT_NE(text.find(c.second, first + strlen(c.first)), std::string::npos) << text;
        EXPECT_NE(text.find('\\'), std::string::npos) << text;     // shown, not eaten
    }
}

// ---- Server names in sentences

// A name with control bytes, a real line feed and 1,400 characters.
static std::string hostileName()
{
    return std::string("Evil\x01\x02 name\nsecond line ") + std::string(1400, 'x');
}

static bool plainText(const std::string &text)
{
    for (char c : text) {
        if ((unsigned char)c < ' ' || c == 0x7f)
            return false;
    }
    return true;
}

// The label showed the control bytes as glyphs, split at the line feed, and the long name
// cut "Connect?" away.
TEST_F(HostileTest, TheRedialQuestionStaysWholeAndPlain)
{
    Server *s = serverAt(mWin, "10.0.0.2:27500");
    s->mName = hostileName();
    mWin->slotOpened(s);
    Widget form = XtNameToWidget(mWin->baseWidget(), "*RedialDialog");
    ASSERT_NE(form, nullptr);
    Widget label = XtNameToWidget(form, "label");
    std::string text = fwtest::labelText(label);
    EXPECT_TRUE(plainText(text)) << text;
    EXPECT_EQ(text.rfind("A slot has opened up on server 'Evil   name second line xxx", 0), 0u)
        << text;
    std::string end = "xxx...'. Connect?";
    EXPECT_EQ(text.substr(text.size() - end.size()), end) << text;
    EXPECT_LT(text.size(), 120u);
    XmString string = nullptr;
    XtVaGetValues(label, XmNlabelString, &string, nullptr);
    EXPECT_EQ(XmStringLineCount(string), 1);
    XmStringFree(string);
}

TEST_F(HostileTest, TheStatusLineNamesAServerPlainAndShort)
{
    FakeFleet fleet;
    Server *s = serverAt(mWin, fleet.add(mWin)->HostText());
    ASSERT_NE(s, nullptr);
    s->mName = hostileName();
    mWin->updateView();
    selectServer(mWin, s);
    std::vector<std::string> texts;
    XtAddCallback(mWin->statusWidget(), XmNvalueChangedCallback, recordStatus, &texts);
    mWin->refreshSelected();
    EXPECT_TRUE(runToEnd(mWin));
    XtRemoveCallback(mWin->statusWidget(), XmNvalueChangedCallback, recordStatus, &texts);
    ASSERT_FALSE(texts.empty());
    const std::string &querying = texts[0];
    EXPECT_EQ(querying.rfind("Querying server Evil   name second line xxx", 0), 0u) << querying;
    EXPECT_EQ(querying.substr(querying.size() - 9), "xxx......") << querying;
    EXPECT_TRUE(plainText(querying)) << querying;
}

// DEL is a control character as those below the blank are: the grid and the status line
// showed it as a glyph of their font.
TEST_F(HostileTest, ADeleteCharacterInANameOrMapShowsAsABlank)
{
    FakeFleet fleet;
    Server *s = serverAt(mWin, fleet.add(mWin)->HostText());
    ASSERT_NE(s, nullptr);
    s->mName = "Del\x7f" "name";
    s->mDown = 0;
    snprintf(s->mMap, sizeof s->mMap, "e1\x7f" "m1");
    mWin->updateView();
    selectServer(mWin, s);
    ASSERT_GE(s->mRow, 0);
    EXPECT_EQ(gridRowText(mWin->serverGrid(), s->mRow, 0, 1), "Del name");
    EXPECT_EQ(gridRowText(mWin->serverGrid(), s->mRow, 4, 1), "e1 m1");
    std::vector<std::string> texts;
    XtAddCallback(mWin->statusWidget(), XmNvalueChangedCallback, recordStatus, &texts);
    mWin->refreshSelected();
    EXPECT_TRUE(runToEnd(mWin));
    XtRemoveCallback(mWin->statusWidget(), XmNvalueChangedCallback, recordStatus, &texts);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "Querying server Del name...");
}

// ---- The window's place

// A tiny or far-away "mainwin" gave a window of one pixel or one off the screen, and the
// bad value was saved again at quit. One window per test: deleting the last one ends the
// process.
class GeometryWindowTest : public ::testing::Test {
protected:
    void startWith(const std::string &geometry)
    {
        mHome.writeSettings("mainwin " + geometry + "\n");
        TestWin *win = showWindow();
        fwtest::pump(100);
        Dimension width = 0, height = 0;
        Position x = 0, y = 0;
        XtVaGetValues(win->baseWidget(), XmNwidth, &width, XmNheight, &height, XmNx, &x,
                      XmNy, &y, nullptr);
        int screenWidth = WidthOfScreen(XtScreen(win->baseWidget()));
        int screenHeight = HeightOfScreen(XtScreen(win->baseWidget()));
        EXPECT_GE(width, 200);
        EXPECT_GE(height, 100);
        EXPECT_LE(width, screenWidth);
        EXPECT_LE(height, screenHeight);
        EXPECT_GT(x + width, 0);
        EXPECT_GT(y + height, 0);
        EXPECT_LT(x, screenWidth);
        EXPECT_LT(y, screenHeight);
        ASSERT_TRUE(win->writeSettings());
        std::string saved = mHome.readSettings();
        EXPECT_EQ(saved.find("mainwin " + geometry), std::string::npos) << saved;
        EXPECT_NE(saved.find("\nmainwin " + std::to_string(width) + "x"), std::string::npos)
            << saved;
    }

    fwtest::Watchdog mWatchdog{30};
    TempHome         mHome;
};

TEST_F(GeometryWindowTest, OnePixelIsRaisedToTheLeast) { startWith("1x1+0+0"); }
TEST_F(GeometryWindowTest, AWrappingSizeIsCutToTheScreen) { startWith("65536x65536"); }
TEST_F(GeometryWindowTest, AFarAwayPlaceIsMovedOnScreen) { startWith("99999x99999+99999+99999"); }
