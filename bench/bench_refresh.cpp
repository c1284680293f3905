// bench_refresh.cpp - times "Refresh all" through the real query engine of a MainWin
// against N fake game servers on 127.0.0.1, for a few server counts and query limits.
//
// Needs an X display ($DISPLAY; scripts/xvfb.sh starts a private one). Prints, per case,
// the wall time, servers per second and the main thread's CPU time per server (the fake
// servers answer on a thread of their own, which is not counted).
#include "browser/app.h"
#include "browser/mainwin.h"
#include "tests/support/fake_game_server.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

struct Result {
    double seconds;
    double cpuSeconds;
    int    down;
};

double threadCpuSeconds()
{
    struct timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
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

void sTick(XtPointer clientData, XtIntervalId *)
{
    *static_cast<XtIntervalId *>(clientData) =
        XtAppAddTimeOut(gApplication->appContext(), 2, sTick, clientData);
}

// The event loop, as the program runs it, until the window's run has ended.
void runToEnd(MainWin *win)
{
    XtAppContext context = gApplication->appContext();
    XtIntervalId tick = XtAppAddTimeOut(context, 2, sTick, &tick);
    while (win->running())
        XtAppProcessEvent(context, XtIMAll);
    XtRemoveTimeOut(tick);
}

Result refreshAll(const std::vector<std::unique_ptr<FakeGameServer>> &fakes, int atOnce)
{
    MainWin *win = App::createMainWin();
    win->show();
    for (const auto &fake : fakes) {
        Server s;
        s.SetHost(fake->HostText().c_str());
        win->addServer(s);
    }
    win->options().queriesAtOnce = atOnce;
    Clock::time_point start = Clock::now();
    double cpuStart = threadCpuSeconds();
    win->refreshAll();
    runToEnd(win);
    Result result;
    result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    result.cpuSeconds = threadCpuSeconds() - cpuStart;
    result.down = 0;
    for (const Server &s : win->servers())
        result.down += s.mDown ? 1 : 0;
    win->hide();
    return result;
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
    new App("Vireo", &argc, argv);

    printf("%6s %6s %10s %14s %16s %6s\n", "N", "atOnce", "seconds", "servers/s",
           "CPU us/server", "down");
    for (int n : {100, 1000}) {
        std::vector<std::unique_ptr<FakeGameServer>> fakes;
        for (int i = 0; i < n; i++) {
            fakes.push_back(std::make_unique<FakeGameServer>());
            if (!fakes.back()->Start()) {
                fprintf(stderr, "could not start fake server %d\n", i);
                return 1;
            }
        }
        for (int atOnce : {4, 16}) {
            Result r = refreshAll(fakes, atOnce);
            printf("%6d %6d %10.3f %14.0f %16.1f %6d\n", n, atOnce, r.seconds, n / r.seconds,
                   r.cpuSeconds * 1e6 / n, r.down);
            fflush(stdout);
        }
    }
    std::filesystem::remove_all(home);
    return 0;
}
