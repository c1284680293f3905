// desktop.cpp - a display of the test's own, bare or under a real window manager.
#include <gtest/gtest.h>

#include "tests/browser/desktop.h"

#include <X11/Xatom.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace harness {

namespace {

// Forks and runs argv with environment env (null: this process's), its output to outFd (or
// nowhere); the child dies with this process. Nothing but async-signal-safe calls between
// fork and exec: the test process may have threads.
pid_t spawn(const std::vector<const char *> &argv, char *const *env, int outFd = -1,
            int keepFd = -1)
{
    pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    int quiet = open("/dev/null", O_RDWR);
    dup2(outFd >= 0 ? outFd : quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    for (int fd = 3; fd < 1024; fd++) {
        if (fd != keepFd)
            close(fd);
    }
    if (env)
        execvpe(argv[0], (char *const *)argv.data(), env);
    else
        execvp(argv[0], (char *const *)argv.data());
    _exit(127);
}

void end(pid_t *pid)
{
    if (*pid <= 0)
        return;
    kill(*pid, SIGTERM);
    for (int i = 0; i < 100 && waitpid(*pid, nullptr, WNOHANG) == 0; i++)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    kill(*pid, SIGKILL);
    waitpid(*pid, nullptr, 0);
    *pid = -1;
}

// A line from fd within ms; empty when none came.
std::string readLine(int fd, int ms)
{
    std::string line;
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    char c;
    while (std::chrono::steady_clock::now() < until) {
        struct pollfd p = {fd, POLLIN, 0};
        if (poll(&p, 1, 50) <= 0)
            continue;
        if (read(fd, &c, 1) != 1 || c == '\n')
            break;
        line += c;
    }
    return line;
}

int ignoreError(Display *, XErrorEvent *)
{
    return 0;
}

bool managerRuns(const char *name)
{
    Display *display = XOpenDisplay(name);
    if (!display)
        return false;
    Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                       &type, &format, &count, &after, &data);
    bool runs = data && count == 1;
    XFree(data);
    XCloseDisplay(display);
    return runs;
}

// The manager says it runs before it handles windows, and a window mapped meanwhile may
// never be: a window of its own, mapped until the manager frames it, shows it is ready.
bool framesWindows(const char *name)
{
    Display *display = XOpenDisplay(name);
    if (!display)
        return false;
    Window root = DefaultRootWindow(display);
    Window probe = XCreateSimpleWindow(display, root, 0, 0, 10, 10, 0, 0, 0);
    bool framed = false;
    for (int i = 0; i < 100 && !framed; i++) {
        XMapWindow(display, probe);
        XSync(display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        framed = frameOf(display, probe) != probe;
    }
    XDestroyWindow(display, probe);
    XCloseDisplay(display);
    return framed;
}

} // namespace

PrivateDesktop::PrivateDesktop(Manager manager)
{
    const char *old = getenv("DISPLAY");
    mHadDisplay = old != nullptr;
    mOldDisplay = old ? old : "";
    mReady = startServer() && (manager == Bare || startOpenbox());
    if (mReady)
        setenv("DISPLAY", mName.c_str(), 1);
}

PrivateDesktop::~PrivateDesktop()
{
    end(&mTiler);
    end(&mManager);
    end(&mServer);
    if (mHadDisplay)
        setenv("DISPLAY", mOldDisplay.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

bool PrivateDesktop::startServer()
{
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    std::string fd = std::to_string(fds[1]);
    mServer = spawn({"Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                     "-nolisten", "tcp", "-noreset", nullptr}, nullptr, -1, fds[1]);
    close(fds[1]);
    std::string number = readLine(fds[0], 20000);
    close(fds[0]);
    mName = ":" + number;
    return !number.empty();
}

bool PrivateDesktop::startOpenbox()
{
    std::string display = "DISPLAY=" + mName;
    std::vector<std::string> vars = {display};
    for (char **e = environ; *e; e++) {
        if (strncmp(*e, "DISPLAY=", 8) != 0)
            vars.push_back(*e);
    }
    std::vector<char *> env;
    for (std::string &v : vars)
        env.push_back(&v[0]);
    env.push_back(nullptr);
    mManager = spawn({"openbox", "--sm-disable", nullptr}, env.data());
    for (int i = 0; i < 500 && !managerRuns(mName.c_str()); i++)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    return framesWindows(mName.c_str());
}

bool PrivateDesktop::holdWindowsAt(int width, int height, int stateLagMs)
{
    if (!stopHolding())
        return false;
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    std::string w = std::to_string(width), h = std::to_string(height);
    std::string lag = std::to_string(stateLagMs);
    mTiler = spawn({VIREO_TILER, mName.c_str(), w.c_str(), h.c_str(), lag.c_str(), nullptr},
                   nullptr, fds[1]);
    close(fds[1]);
    bool started = readLine(fds[0], 10000) == "holding";
    close(fds[0]);
    return started;
}

// A manager's process can be gone while the server has yet to read the last it sent, and
// until it reads the hang-up the redirect stands: a size asked meanwhile goes to the dead
// manager and is lost, or its last hold comes after and undoes it. The redirect's end on
// the root shows that the server has done with it.
bool PrivateDesktop::stopHolding()
{
    if (mTiler <= 0)
        return true;
    end(&mTiler);
    Display *display = XOpenDisplay(mName.c_str());
    if (!display)
        return false;
    bool gone = false;
    for (int i = 0; i < 2000 && !gone; i++) {
        XWindowAttributes root;
        XGetWindowAttributes(display, DefaultRootWindow(display), &root);
        gone = !(root.all_event_masks & SubstructureRedirectMask);
        if (!gone)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    XCloseDisplay(display);
    return gone;
}

bool settle(Widget w, int quietMs)
{
    Display *display = XtDisplay(w);
    XtAppContext context = XtWidgetToApplicationContext(w);
    auto quietSince = std::chrono::steady_clock::now();
    for (int batches = 0; batches < 500;) {
        XSync(display, False);
        XtInputMask pending = XtAppPending(context);
        if (pending & XtIMXEvent) {
            while (XtAppPending(context) & XtIMXEvent)
                XtAppProcessEvent(context, XtIMXEvent);
            quietSince = std::chrono::steady_clock::now();
            batches++;
        } else if (std::chrono::steady_clock::now() - quietSince >=
                   std::chrono::milliseconds(quietMs)) {
            return true;
        } else if (pending) {
            XtAppProcessEvent(context, pending);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    return false;
}

Window frameOf(Display *display, Window window)
{
    Window root = None, parent = None, *children = nullptr;
    unsigned int count = 0;
    while (XQueryTree(display, window, &root, &parent, &children, &count)) {
        XFree(children);
        if (parent == root || parent == None)
            break;
        window = parent;
    }
    return window;
}

void frameBox(Display *display, Window window, int *x, int *y, int *width, int *height)
{
    Window root = None;
    unsigned int w = 0, h = 0, border = 0, depth = 0;
    XGetGeometry(display, frameOf(display, window), &root, x, y, &w, &h, &border, &depth);
    *width = (int)(w + 2 * border);
    *height = (int)(h + 2 * border);
}

void askWindowState(Display *display, Window window, bool add, const char *state,
                    const char *state2)
{
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = add ? 1 : 0;
    event.xclient.data.l[1] = (long)XInternAtom(display, state, False);
    event.xclient.data.l[2] = state2 ? (long)XInternAtom(display, state2, False) : 0;
    event.xclient.data.l[3] = 2;    // asked for by a pager: the user's own wish
    XSendEvent(display, DefaultRootWindow(display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(display);
}

bool hasWindowState(Display *display, Window window, const char *state)
{
    Atom wanted = XInternAtom(display, state, False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    XErrorHandler old = XSetErrorHandler(ignoreError);
    XGetWindowProperty(display, window, XInternAtom(display, "_NET_WM_STATE", False), 0, 64,
                       False, XA_ATOM, &type, &format, &count, &after, &data);
    XSetErrorHandler(old);
    bool found = false;
    for (unsigned long i = 0; data && format == 32 && i < count; i++)
        found = found || ((Atom *)data)[i] == wanted;
    XFree(data);
    return found;
}

} // namespace harness
