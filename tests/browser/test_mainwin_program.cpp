// test_mainwin_program.cpp - the vireo program as a whole, started as a person starts it:
// its window, its class resource file, both ways of quitting, and no display at all.
#include <gtest/gtest.h>

#include "tests/browser/desktop.h"
#include "tests/browser/mainwin_harness.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <signal.h>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace harness;

namespace {

const char *const sProgram = VIREO_PROGRAM;

// Windows of programs started by tests running beside this one come and go while the
// tree is walked; a window that went meanwhile is simply not ours.
int ignoreXError(Display *, XErrorEvent *)
{
    return 0;
}

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mDisplay = XOpenDisplay(nullptr);
        ASSERT_NE(mDisplay, nullptr);
        XSetErrorHandler(ignoreXError);
        // A window manager that offers the quit protocol makes its atom exist.
        XInternAtom(mDisplay, "_WM_QUIT_APP", False);
        XSync(mDisplay, False);
        mTag = "vireo-test-" + std::to_string(getpid());
    }
    void TearDown() override
    {
        if (mPid > 0) {
            kill(mPid, SIGKILL);
            waitpid(mPid, nullptr, 0);
        }
        if (mErrors >= 0)
            close(mErrors);
        XCloseDisplay(mDisplay);
    }

    // Starts the program with HOME set to the test's folder; the tag on its command line
    // tells its window from those of tests running beside it.
    void start(const std::string &program, bool withDisplay = true)
    {
        int pipeFds[2];
        ASSERT_EQ(pipe(pipeFds), 0);
        mPid = fork();
        ASSERT_GE(mPid, 0);
        if (mPid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGKILL);   // never outlives a test that failed hard
            dup2(pipeFds[1], STDERR_FILENO);
            close(pipeFds[0]);
            setenv("HOME", mHome.path().c_str(), 1);
            if (mFileSizeLimit) {
                struct rlimit limit;
                getrlimit(RLIMIT_FSIZE, &limit);
                limit.rlim_cur = mFileSizeLimit;
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            if (!withDisplay)
                unsetenv("DISPLAY");
            if (mIgnoreHangUp)
                signal(SIGHUP, SIG_IGN);        // as nohup starts a program
            if (mNoFileOverride) {      // what root may do to files beside their modes
                prctl(PR_CAPBSET_DROP, CAP_DAC_OVERRIDE);
                prctl(PR_CAPBSET_DROP, CAP_DAC_READ_SEARCH);
            }
            std::vector<char *> argv = {(char *)program.c_str(), (char *)mTag.c_str()};
            for (std::string &argument : mArguments)
                argv.push_back((char *)argument.c_str());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(pipeFds[1]);
        mErrors = pipeFds[0];
    }

    bool hasTag(Window w)
    {
        char **argv = nullptr;
        int argc = 0;
        if (!XGetCommand(mDisplay, w, &argv, &argc))
            return false;
        bool found = false;
        for (int i = 0; i < argc; i++)
            found = found || mTag == argv[i];
        XFreeStringList(argv);
        return found;
    }
    // The windows a program's main window may be: the root's children, and under a manager
    // (whose frames those are) the clients it lists.
    std::vector<Window> topWindows()
    {
        Window root, parent, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(mDisplay, DefaultRootWindow(mDisplay), &root, &parent, &children, &count);
        std::vector<Window> windows(children, children + count);
        XFree(children);
        Atom type = None;
        int format = 0;
        unsigned long listed = 0, after = 0;
        unsigned char *data = nullptr;
        XGetWindowProperty(mDisplay, DefaultRootWindow(mDisplay),
                           XInternAtom(mDisplay, "_NET_CLIENT_LIST", False), 0, 1024, False,
                           XA_WINDOW, &type, &format, &listed, &after, &data);
        for (unsigned long i = 0; data && format == 32 && i < listed; i++)
            windows.push_back(((Window *)data)[i]);
        XFree(data);
        return windows;
    }
    Window findWindow(const char *title)
    {
        for (Window w : topWindows()) {
            char *name = nullptr;
            bool found = XFetchName(mDisplay, w, &name) && strcmp(name, title) == 0 && hasTag(w);
            XFree(name);
            if (found)
                return w;
        }
        return None;
    }
    // The program's main window once it is mapped; None after the time-out.
    Window waitForWindow(int timeoutMs = 15000)
    {
        Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < until) {
            Window w = findWindow("Vireo 1.1");
            XWindowAttributes attributes;
            if (w != None && XGetWindowAttributes(mDisplay, w, &attributes)
                && attributes.map_state == IsViewable)
                return w;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return None;
    }
    void sendProtocol(Window w, const char *protocol)
    {
        XClientMessageEvent event = {};
        event.type = ClientMessage;
        event.window = w;
        event.message_type = XInternAtom(mDisplay, "WM_PROTOCOLS", False);
        event.format = 32;
        event.data.l[0] = (long)XInternAtom(mDisplay, protocol, False);
        event.data.l[1] = CurrentTime;
        XSendEvent(mDisplay, w, False, NoEventMask, (XEvent *)&event);
        XFlush(mDisplay);
    }
    // The processor time the program has used so far: what a busy machine does not stretch.
    double programCpuMs()
    {
        std::ifstream in("/proc/" + std::to_string(mPid) + "/stat");
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        std::istringstream fields(text.substr(text.rfind(')') + 2));
        std::string field;
        long ticks = 0;
        for (int i = 3; i <= 15 && fields >> field; i++)
            ticks += i >= 14 ? std::stol(field) : 0;    // user and system time
        return ticks * 1000.0 / (double)sysconf(_SC_CLK_TCK);
    }
    // The exit status, or -1 when the program did not end in time.
    int waitForExit(int timeoutMs = 10000)
    {
        Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutMs);
        while (Clock::now() < until) {
            int status = 0;
            if (waitpid(mPid, &status, WNOHANG) == mPid) {
                mPid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    std::string errorOutput()
    {
        std::string text;
        char buffer[512];
        ssize_t n;
        while ((n = read(mErrors, buffer, sizeof buffer)) > 0)
            text.append(buffer, (size_t)n);
        return text;
    }
    // Starts the program on settings that list servers, and takes the file away once its
    // window is up: what is there after it ended, the program wrote.
    Window startWithServers(const std::string &more = "")
    {
        mHome.writeSettings(more + "option queriesAtOnce 7\n" + sLists);
        start(sProgram);
        Window w = waitForWindow();
        unlink(mHome.settingsFile().c_str());
        return w;
    }
    void expectServersSaved()
    {
        std::string saved = mHome.readSettings();
        ASSERT_GE(saved.size(), sLists.size());
        EXPECT_EQ(saved.substr(saved.size() - sLists.size()), sLists);
        EXPECT_NE(saved.find("option queriesAtOnce 7\n"), std::string::npos);
    }
    void quitAndCheckSaved(const char *protocol)
    {
        Window w = startWithServers();
        ASSERT_NE(w, None);
        sendProtocol(w, protocol);
        EXPECT_EQ(waitForExit(), 0);
        expectServersSaved();
    }
    // A logout or a shutdown ends the program with a signal, after the player moved the
    // window: the quit saves the servers and the new place, and the program ends by that
    // signal all the same.
    void signalAndCheckSaved(int signal)
    {
        Window w = startWithServers();
        ASSERT_NE(w, None);
        XMoveWindow(mDisplay, w, 123, 77);
        XSync(mDisplay, False);
        kill(mPid, signal);
        EXPECT_EQ(waitForExit(), 128 + signal);
        expectServersSaved();
        EXPECT_NE(mHome.readSettings().find("+123+77\n"), std::string::npos);
    }

    // Whether signal is on its way to the program still: sent, but not yet taken by it.
    bool pending(int signal)
    {
        std::ifstream in("/proc/" + std::to_string(mPid) + "/status");
        std::string line;
        unsigned long long bits = 0;
        while (std::getline(in, line)) {
            if (line.rfind("SigPnd:", 0) == 0 || line.rfind("ShdPnd:", 0) == 0)
                bits |= std::stoull(line.substr(7), nullptr, 16);
        }
        return (bits >> (signal - 1)) & 1;
    }

    static const std::string sLists;
    // A copy of the program in a folder of its own, with the class resource file given.
    std::string placeProgram(const std::string &resources, bool link)
    {
        std::string dir = mHome.path() + "/bin";
        std::filesystem::create_directories(dir);
        std::string program = dir + "/vireo";
        if (link)
            std::filesystem::create_symlink(sProgram, program);
        else
            std::filesystem::copy_file(sProgram, program);
        if (!resources.empty())
            std::ofstream(dir + "/Vireo") << resources;
        return program;
    }
    void windowSize(Window w, int *width, int *height)
    {
        XWindowAttributes attributes;
        ASSERT_TRUE(XGetWindowAttributes(mDisplay, w, &attributes));
        *width = attributes.width;
        *height = attributes.height;
    }
    // Starts the program with "-geometry value" over the saved "mainwin 700x450+40+30" and
    // quits it: what it wrote on standard error. The saved size and place must stand.
    std::string errorsWithGeometry(const char *value)
    {
        mHome.writeSettings("mainwin 700x450+40+30\n");
        mArguments = {"-geometry", value};
        start(sProgram);
        Window w = waitForWindow();
        if (w == None)
            return "no window";
        sendProtocol(w, "_WM_QUIT_APP");
        EXPECT_EQ(waitForExit(), 0);
        EXPECT_NE(mHome.readSettings().find("mainwin 700x450+40+30\n"), std::string::npos);
        return errorOutput();
    }
    // The least size the program has told the manager; false when it tells none in time.
    bool waitForLeast(Window w, int *width, int *height)
    {
        Clock::time_point until = Clock::now() + std::chrono::seconds(10);
        XSizeHints hints = {};
        long supplied = 0;
        while (!(XGetWMNormalHints(mDisplay, w, &hints, &supplied) && (hints.flags & PMinSize))) {
            if (Clock::now() >= until)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        *width = hints.min_width;
        *height = hints.min_height;
        return true;
    }

    TempHome    mHome;
    rlim_t      mFileSizeLimit = 0;     // RLIMIT_FSIZE of the program; 0: as the test's
    bool        mNoFileOverride = false; // the program, even as root, obeys file modes
    bool        mIgnoreHangUp = false;
    std::vector<std::string> mArguments;   // after the tag on the program's command line
    Display    *mDisplay = nullptr;
    std::string mTag;
    pid_t       mPid = -1;
    int         mErrors = -1;
};

const std::string ProgramTest::sLists =
    "serverList http://127.0.0.1:1/servers\n\n"
    "# servers (hostname:port timeout)\n"
    "server 10.0.0.1:26000 0\n"
    "favorite 10.0.0.2:27500 0\n"
    "avoid 10.0.0.3:26000 0\n";

} // namespace

TEST_F(ProgramTest, QuitProtocolSavesTheSettings)
{
    quitAndCheckSaved("_WM_QUIT_APP");
}

// Closing the window is the usual way out; it must not lose the user's servers.
TEST_F(ProgramTest, ClosingTheWindowSavesTheSettings)
{
    quitAndCheckSaved("WM_DELETE_WINDOW");
}

TEST_F(ProgramTest, TheTerminateSignalSavesTheSettings)
{
    signalAndCheckSaved(SIGTERM);
}

TEST_F(ProgramTest, TheHangUpSignalSavesTheSettings)
{
    signalAndCheckSaved(SIGHUP);
}

TEST_F(ProgramTest, TheInterruptSignalSavesTheSettings)
{
    signalAndCheckSaved(SIGINT);
}

// "nohup vireo &" asks to outlive the terminal. Both signals go down one pipe in order: a
// hang-up taken would end the program before the terminate signal sent after it.
TEST_F(ProgramTest, AHangUpIgnoredAtStartStaysIgnored)
{
    mIgnoreHangUp = true;
    Window w = startWithServers();
    ASSERT_NE(w, None);
    kill(mPid, SIGHUP);
    Clock::time_point until = Clock::now() + std::chrono::seconds(10);
    while (pending(SIGHUP) && Clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    kill(mPid, SIGTERM);
    EXPECT_EQ(waitForExit(), 128 + SIGTERM);
    expectServersSaved();
}

// The server going away (a logout, a crash of the X server) ended the program in Xlib,
// with nothing saved. The place saved is the one last noted: the display cannot be asked.
TEST_F(ProgramTest, ADisplayThatGoesAwayLeavesTheSettingsSaved)
{
    Window w = startWithServers("mainwin 700x450+40+30\n");
    ASSERT_NE(w, None);
    XKillClient(mDisplay, w);
    XSync(mDisplay, False);
    EXPECT_EQ(waitForExit(), 1);
    expectServersSaved();
    EXPECT_NE(mHome.readSettings().find("mainwin 700x450+40+30\n"), std::string::npos);
    EXPECT_NE(errorOutput().find("X connection to"), std::string::npos);
}

// Under a manager the place saved is the frame's, and a maximized window's size the one it had
// before: neither can be asked of a display that is gone, so both are what was last noted.
class ProgramDesktopTest : public ProgramTest {
protected:
    void SetUp() override
    {
        mDesktop = std::make_unique<PrivateDesktop>(PrivateDesktop::Openbox);
        ASSERT_TRUE(mDesktop->ready());
        ProgramTest::SetUp();
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        mDesktop.reset();
    }
    std::unique_ptr<PrivateDesktop> mDesktop;
};

TEST_F(ProgramDesktopTest, ADisplayThatGoesAwayLeavesTheSizeFromBeforeAMaximize)
{
    Window w = startWithServers("mainwin 700x450+100+100\n");
    ASSERT_NE(w, None);
    askWindowState(mDisplay, w, true, "_NET_WM_STATE_MAXIMIZED_VERT",
                   "_NET_WM_STATE_MAXIMIZED_HORZ");
    int width = 0, height = 0;
    Clock::time_point until = Clock::now() + std::chrono::seconds(10);
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        windowSize(w, &width, &height);
    } while ((width <= 700 || !hasWindowState(mDisplay, w, "_NET_WM_STATE_MAXIMIZED_HORZ")) &&
             Clock::now() < until);
    ASSERT_GT(width, 700);
    XKillClient(mDisplay, w);
    XSync(mDisplay, False);
    EXPECT_EQ(waitForExit(), 1);
    expectServersSaved();
    EXPECT_NE(mHome.readSettings().find("mainwin 700x450+100+100\n"), std::string::npos)
        << mHome.readSettings();
}

// ---- -geometry

// A size of nothing reached the toolkit, which ended the start ("Shell widget Vireo has zero
// width and/or height").
TEST_F(ProgramTest, AGeometryOfNoSizeIsToldAndTheSavedOneStands)
{
    EXPECT_EQ(errorsWithGeometry("0x0"), "Vireo: -geometry 0x0 ignored: a window of no width "
                                         "or height cannot be shown\n");
}

// A value that cannot be read was warned about by the toolkit three times, and the window
// came up at the default size and place, which the quit saved over the user's.
TEST_F(ProgramTest, AGeometryThatCannotBeReadIsToldOnceAndTheSavedOneStands)
{
    EXPECT_EQ(errorsWithGeometry("abc"), "Vireo: -geometry abc ignored: not a size and place "
                                         "such as 800x600+10+20\n");
}

// The least was measured from the window's present size: started at 1x1 the window was a
// strip without its menu bar, and the manager was told a least of 492x11.
TEST_F(ProgramTest, AWindowStartedTinyIsRaisedToTheLeastOfANormalStart)
{
    mHome.writeSettings("showinfo true\n");
    start(sProgram);
    Window w = waitForWindow();
    ASSERT_NE(w, None);
    int normalWidth = 0, normalHeight = 0;
    ASSERT_TRUE(waitForLeast(w, &normalWidth, &normalHeight));
    sendProtocol(w, "_WM_QUIT_APP");
    ASSERT_EQ(waitForExit(), 0);

    mHome.writeSettings("showinfo true\n");
    mArguments = {"-geometry", "1x1"};
    mTag += "-again";       // the first one's window may outlive its program for a moment
    start(sProgram);
    w = waitForWindow();
    ASSERT_NE(w, None);
    int width = 0, height = 0;
    ASSERT_TRUE(waitForLeast(w, &width, &height));
    EXPECT_EQ(width, normalWidth);
    EXPECT_EQ(height, normalHeight);
    Clock::time_point until = Clock::now() + std::chrono::seconds(10);
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        windowSize(w, &width, &height);
    } while ((width != normalWidth || height != normalHeight) && Clock::now() < until);
    EXPECT_EQ(width, normalWidth);
    EXPECT_EQ(height, normalHeight);
}

TEST_F(ProgramTest, WithoutADisplayItSaysSoAndExits)
{
    start(sProgram, false);
    EXPECT_EQ(waitForExit(), 1);
    EXPECT_NE(errorOutput().find("VkApp::VkApp() : Couldn't open display <"), std::string::npos);
    EXPECT_TRUE(mHome.readSettings().empty());
}

TEST_F(ProgramTest, ReadsTheClassResourceFileBesideTheProgram)
{
    std::string program = placeProgram("Vireo.MainWin.width: 777\nVireo.MainWin.height: 444\n",
                                       false);
    start(program);
    Window w = waitForWindow();
    ASSERT_NE(w, None);
    int width = 0, height = 0;
    windowSize(w, &width, &height);
    EXPECT_EQ(width, 777);
    EXPECT_EQ(height, 444);
}

TEST_F(ProgramTest, StartsWithoutAClassResourceFile)
{
    start(placeProgram("", false));
    EXPECT_NE(waitForWindow(), None);
}

// Through a link the folder is the real program's, not the link's.
TEST_F(ProgramTest, StartedThroughALinkReadsTheRealProgramsFile)
{
    start(placeProgram("Vireo.MainWin.width: 444\n", true));
    Window w = waitForWindow();
    ASSERT_NE(w, None);
    int width = 0, height = 0;
    windowSize(w, &width, &height);
    EXPECT_NE(width, 444);
}

// ---- Settings files that are not plain files

// A pipe as the settings file held the start in open until someone wrote to it.
TEST_F(ProgramTest, APipeAsTheSettingsFileIsPassedOverAndKept)
{
    ASSERT_EQ(mkfifo(mHome.settingsFile().c_str(), 0600), 0);
    start(sProgram);
    Window w = waitForWindow(5000);
    ASSERT_NE(w, None);
    sendProtocol(w, "_WM_QUIT_APP");
    EXPECT_EQ(waitForExit(), 0);
    struct stat st;
    ASSERT_EQ(lstat(mHome.settingsFile().c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    std::string errors = errorOutput();
    EXPECT_NE(errors.find(".vireorc: not a regular file; defaults used, and it will not be "
                          "replaced at quit\n"), std::string::npos) << errors;
    EXPECT_NE(errors.find(".vireorc not saved: it could not be read whole at start (not a "
                          "regular file)\n"), std::string::npos) << errors;
}

// A file of another user's was replaced at quit by the defaults: every server in it lost.
TEST_F(ProgramTest, ASettingsFileThatMayNotBeReadIsToldAndKept)
{
    mHome.writeSettings("server 10.0.0.1:26000 0\n");
    ASSERT_EQ(chmod(mHome.settingsFile().c_str(), 0), 0);
    mNoFileOverride = true;
    start(sProgram);
    Window w = waitForWindow();
    ASSERT_NE(w, None);
    sendProtocol(w, "_WM_QUIT_APP");
    EXPECT_EQ(waitForExit(), 0);
    chmod(mHome.settingsFile().c_str(), 0600);
    EXPECT_EQ(mHome.readSettings(), "server 10.0.0.1:26000 0\n");
    std::string errors = errorOutput();
    std::string denied = strerror(EACCES);
    EXPECT_NE(errors.find(".vireorc: " + denied + "; defaults used, and it will not be "
                          "replaced at quit\n"), std::string::npos) << errors;
    EXPECT_NE(errors.find(".vireorc not saved: it could not be read whole at start (" + denied +
                          ")\n"), std::string::npos) << errors;
}

// The kernel's SIGXFSZ ended the program in the middle of its save at quit.
TEST_F(ProgramTest, AFileSizeLimitFailsTheSaveButNotTheProgram)
{
    std::string servers;
    for (int i = 0; i < 3000; i++)
        servers += "server 10.0." + std::to_string(i / 250) + "." + std::to_string(i % 250) +
                   ":26000 0\n";
    mHome.writeSettings(servers);
    mFileSizeLimit = 32 * 1024;
    start(sProgram);
    Window w = waitForWindow();
    ASSERT_NE(w, None);
    sendProtocol(w, "_WM_QUIT_APP");
    EXPECT_EQ(waitForExit(), 0);
    EXPECT_EQ(mHome.readSettings(), servers);
    EXPECT_NE(errorOutput().find(strerror(EFBIG)), std::string::npos);
    for (const auto &entry : std::filesystem::directory_iterator(mHome.path()))
        EXPECT_EQ(entry.path().filename(), ".vireorc");
}

// A list source once filled the settings file with over a hundred thousand servers; each
// found its duplicates by walking the list, and the window took tens of seconds to appear.
TEST_F(ProgramTest, HundredThousandServersStillShowTheWindowAtOnce)
{
    std::string text = "option queryOnLoad false\noption autoUpdate false\n";
    for (int i = 0; i < 100000; i++) {
        text += "server 10." + std::to_string(i >> 16) + "." + std::to_string((i >> 8) & 255) +
                "." + std::to_string(i & 255) + ":26000 0\n";
    }
    mHome.writeSettings(text);
    start(sProgram);
    Window w = waitForWindow(30000);
    ASSERT_NE(w, None);
    // Half a second of processor time, five with the sanitizers on a busy machine; a walk
    // of the list for each server took over a minute.
    EXPECT_LT(programCpuMs(), 15000.0);
}
