// bench_refresh.cpp - times the real main window: "Refresh all" against N fake game servers
// on 127.0.0.1 with the grid, meter and status line at work; sorting and switching view tabs
// over the answered list; and start-up with a long settings file, in process and as the
// vireo program itself.
//
// Needs an X display ($DISPLAY; scripts/xvfb.sh starts a private one). Run by hand, never
// by ctest:  build/bench/vireo_bench_refresh [server counts...]   (default: 1000 5000)
// Per run it prints the wall time until the run ended, the main thread's CPU time per
// server (the fake servers answer on a thread of their own, which is not counted) and the
// longest time an X event sent to the window waited to be handled (the "frozen" time).
#include "browser/app.h"
#include "browser/mainwin.h"
#include "tests/support/fake_game_server.h"

#include <X11/Xlib.h>

#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

using Fleet = std::vector<std::unique_ptr<FakeGameServer>>;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double threadCpuSeconds()
{
    struct timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

long long monotonicUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// The fake servers take a descriptor each; the engine's own must still fit beside them.
void raiseDescriptorLimit()
{
    struct rlimit limit;
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// Each fake answers the server info, 8 rules and 2 players, as a busy public server would.
bool startFleet(Fleet *fleet, int count)
{
    FakeGameScript script;
    for (int i = 0; i < 8; i++)
        script.rules.push_back({"rule" + std::to_string(i), std::to_string(i * 10)});
    for (int i = 0; i < 2; i++) {
        FakePlayer player;
        player.name = "player" + std::to_string(i);
        player.frags = i * 7;
        script.players.push_back(player);
    }
    for (int i = (int)fleet->size(); i < count; i++) {
        script.hostName = "Fake Quake " + std::to_string(i);
        script.mapName = i % 3 ? "e1m1" : "dm4";
        fleet->push_back(std::make_unique<FakeGameServer>(script));
        if (!fleet->back()->Start()) {
            fprintf(stderr, "could not start fake server %d\n", i);
            return false;
        }
    }
    return true;
}

void sTick(XtPointer clientData, XtIntervalId *)
{
    *static_cast<XtIntervalId *>(clientData) =
        XtAppAddTimeOut(gApplication->appContext(), 2, sTick, clientData);
}

// The event loop, as the program runs it, until the window's run has ended. The tick
// brings the loop back here: Xt does not return while only a work procedure runs.
void runToEnd(MainWin *win)
{
    XtAppContext context = gApplication->appContext();
    XtIntervalId tick = XtAppAddTimeOut(context, 2, sTick, &tick);
    while (win->running())
        XtAppProcessEvent(context, XtIMAll);
    XtRemoveTimeOut(tick);
}

// Handles what the server has for us (expose events and all) until nothing is left.
void drain()
{
    XtAppContext context = gApplication->appContext();
    XSync(gApplication->display(), False);
    while (XtAppPending(context) != 0)
        XtAppProcessEvent(context, XtIMAll);
}

// Another client sends the window an event every few milliseconds; the window notes how
// long each one waited. The longest wait is how long the window was frozen.
class FreezeProbe {
public:
    explicit FreezeProbe(Widget shell) : mShell(shell)
    {
        mAtom = XInternAtom(XtDisplay(shell), "VIREO_BENCH_PROBE", False);
        XtAddEventHandler(shell, NoEventMask, True, &FreezeProbe::sHandler, this);
        XSync(XtDisplay(shell), False);
        mThread = std::thread(&FreezeProbe::send, this, XtWindow(shell));
    }
    ~FreezeProbe()
    {
        mStop = true;
        mThread.join();
        drain();        // the last events sent
        XtRemoveEventHandler(mShell, NoEventMask, True, &FreezeProbe::sHandler, this);
    }
    double longestMs() const { return mLongestUs / 1000.0; }

private:
    void send(Window window)
    {
        Display *display = XOpenDisplay(nullptr);
        if (!display)
            return;
        while (!mStop) {
            XClientMessageEvent event = {};
            event.type = ClientMessage;
            event.window = window;
            event.message_type = mAtom;
            event.format = 32;
            event.data.l[0] = (long)(monotonicUs() & 0x7fffffff);   // 32 bits on the wire
            XSendEvent(display, window, False, NoEventMask, (XEvent *)&event);
            XFlush(display);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        XCloseDisplay(display);
    }
    static void sHandler(Widget, XtPointer clientData, XEvent *event, Boolean *)
    {
        auto *probe = static_cast<FreezeProbe *>(clientData);
        if (event->type != ClientMessage || event->xclient.message_type != probe->mAtom)
            return;
        long long waited = (monotonicUs() - event->xclient.data.l[0]) & 0x7fffffff;
        probe->mLongestUs = std::max(probe->mLongestUs, waited);
    }

    Widget            mShell;
    Atom              mAtom;
    std::thread       mThread;
    std::atomic<bool> mStop{false};
    long long         mLongestUs = 0;
};

struct RunResult {
    double wallMs;
    double cpuUsPerServer;
    double frozenMs;
    int    down;
    int    rows;
};

MainWin *shownWindow(int view)
{
    MainWin *win = App::createMainWin();
    win->show();
    win->setViewTab(view);
    drain();
    return win;
}

RunResult refreshAll(MainWin *win, const Fleet &fleet, int atOnce)
{
    for (const auto &fake : fleet) {
        Server s;
        s.SetHost(fake->HostText().c_str());
        win->addServer(s);
    }
    win->updateView();
    win->options().queriesAtOnce = atOnce;
    win->options().queryRules = true;
    win->options().queryPlayers = true;
    drain();
    RunResult result;
    {
        FreezeProbe probe(win->baseWidget());
        Clock::time_point start = Clock::now();
        double cpuStart = threadCpuSeconds();
        win->refreshAll();
        runToEnd(win);
        result.wallMs = msSince(start);
        result.cpuUsPerServer = (threadCpuSeconds() - cpuStart) * 1e6 / fleet.size();
        result.frozenMs = probe.longestMs();
    }
    result.down = 0;
    for (const Server &s : win->servers())
        result.down += s.mDown ? 1 : 0;
    result.rows = win->rowCount();
    return result;
}

// The slowest of the given actions, each timed with the drawing it causes.
template <typename Action>
double slowestMs(int count, Action action)
{
    double slowest = 0;
    for (int i = 0; i < count; i++) {
        Clock::time_point start = Clock::now();
        action(i);
        drain();
        slowest = std::max(slowest, msSince(start));
    }
    return slowest;
}

void benchViewChanges(MainWin *win)
{
    int key = win->serverSortKey();
    double sort = slowestMs(12, [win, key](int i) { win->setServerSortKey((key + 1 + i) % 6); });
    double tabs = slowestMs(10, [win](int i) { win->setViewTab(i % 5); });
    printf("  %d servers: slowest sort by a column %.1f ms, slowest view tab switch %.1f ms\n",
           win->serverCount(), sort, tabs);
    win->setViewTab(0);
}

std::string settingsText(int servers)
{
    std::string text = "option queryOnLoad false\noption autoUpdate false\nfilter all\n";
    for (int i = 0; i < servers; i++) {
        char line[64];
        snprintf(line, sizeof line, "server 10.%d.%d.%d:26000 0\n", (i >> 16) & 255,
                 (i >> 8) & 255, i & 255);
        text += line;
    }
    return text;
}

// The window of a fresh main window that reads a settings file of that many servers.
double startInProcess(const std::string &home, int servers)
{
    std::ofstream(home + "/.vireorc") << settingsText(servers);
    Clock::time_point start = Clock::now();
    MainWin *win = App::createMainWin();
    win->show();
    drain();
    double ms = msSince(start);
    win->hide();
    return ms;
}

// The vireo program, started with that home, until its window is mapped; -1 when it is
// not mapped within 60 s.
double startProgram(const std::string &home)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return -1;
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    // Made before the fork: the child of a threaded process may only exec.
    std::vector<std::string> environment;
    for (char **e = environ; *e; e++) {
        if (strncmp(*e, "HOME=", 5) != 0)
            environment.push_back(*e);
    }
    environment.push_back("HOME=" + home);
    std::vector<char *> envp;
    for (std::string &e : environment)
        envp.push_back(&e[0]);
    envp.push_back(nullptr);
    char *argv[] = {(char *)VIREO_PROGRAM, nullptr};
    Clock::time_point start = Clock::now();
    pid_t pid = fork();
    if (pid == 0) {
        execve(VIREO_PROGRAM, argv, envp.data());
        _exit(127);
    }
    double ms = -1;
    struct pollfd connection = {ConnectionNumber(display), POLLIN, 0};
    while (pid > 0 && ms < 0 && msSince(start) < 60000) {
        if (XPending(display) == 0) {
            poll(&connection, 1, 100);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            ms = msSince(start);
    }
    if (pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
    XCloseDisplay(display);
    return ms;
}

void benchStartUp(const std::string &home)
{
    for (int servers : {5000, 100000}) {
        double inProcess = startInProcess(home, servers);
        double mapped = startProgram(home);
        printf("  %6d servers in the settings file: vireo mapped its window after %.0f ms;"
               " in process, shown with every row drawn after %.0f ms\n",
               servers, mapped, inProcess);
    }
}

} // namespace

int main(int argc, char **argv)
{
    raiseDescriptorLimit();
    // A private home: the window reads settings at start, and none of the user's.
    char home[] = "/tmp/vireo-bench-XXXXXX";
    if (!mkdtemp(home)) {
        perror("mkdtemp");
        return 1;
    }
    setenv("HOME", home, 1);
    setenv("XENVIRONMENT", VIREO_RESOURCE_FILE, 1);   // the labels and fonts the user sees
    std::vector<int> counts;
    for (int i = 1; i < argc; i++)
        counts.push_back(atoi(argv[i]));
    if (counts.empty())
        counts = {1000, 5000};
    int noArgs = 1;
    new App("Vireo", &noArgs, argv);

    printf("Refresh all (8 rules and 2 players per server); CPU ratio: CPU per server"
           " against the first count's\n");
    printf("%7s %6s %7s %9s %14s %10s %11s %5s %6s\n", "servers", "atOnce", "view",
           "wall ms", "CPU us/server", "CPU ratio", "frozen ms", "down", "rows");
    Fleet fleet;
    MainWin *last = nullptr;
    double firstCpu[2][2] = {};
    for (int n : counts) {
        if (!startFleet(&fleet, n))
            return 1;
        for (int a = 0; a < 2; a++) {
            for (int view : {1, 0}) {
                int atOnce = a ? 64 : 16;
                MainWin *win = shownWindow(view);
                RunResult r = refreshAll(win, fleet, atOnce);
                if (firstCpu[a][view] == 0)
                    firstCpu[a][view] = r.cpuUsPerServer;
                printf("%7d %6d %7s %9.0f %14.1f %10.2f %11.1f %5d %6d\n", n, atOnce,
                       view ? "passed" : "all", r.wallMs, r.cpuUsPerServer,
                       r.cpuUsPerServer / firstCpu[a][view], r.frozenMs, r.down, r.rows);
                fflush(stdout);
                if (last)
                    last->hide();
                last = win;
            }
        }
    }
    printf("Sorting and view tabs, with every server answered:\n");
    benchViewChanges(last);
    printf("Start-up:\n");
    benchStartUp(home);
    std::filesystem::remove_all(home);
    return 0;
}
