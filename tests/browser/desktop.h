// desktop.h - a display of the test's own, bare or under a real window manager, for the
// tests of what depends on the desktop: where the window stands, its size as a manager
// gives it, maximizing. Include <gtest/gtest.h> before this header.
#ifndef VIREO_TESTS_BROWSER_DESKTOP_H
#define VIREO_TESTS_BROWSER_DESKTOP_H

#include <X11/Intrinsic.h>
#include <X11/Xlib.h>

#include <sys/types.h>

#include <string>

namespace harness {

// Xvfb on a free display, 1280x1024 as the suite's, made this process's DISPLAY so that the
// application opens it; with Openbox, that reparenting manager runs on it. Everything
// started goes with the object (and with the process, should it die first).
class PrivateDesktop {
public:
    enum Manager { Bare, Openbox };
    explicit PrivateDesktop(Manager manager);
    ~PrivateDesktop();
    bool ready() const { return mReady; }
    // A tiling-style manager on a bare desktop: it holds every window at width x height and
    // refuses other sizes, as the ICCCM lets a manager do. A window asked maximized gets the
    // screen, and its _NET_WM_STATE stateLagMs later. False when it did not start.
    bool holdWindowsAt(int width, int height, int stateLagMs = 0);
    // Ends the manager; true once the server has let go of the windows it held.
    bool stopHolding();

private:
    bool startServer();
    bool startOpenbox();

    pid_t       mServer = -1, mManager = -1, mTiler = -1;
    std::string mName;
    std::string mOldDisplay;
    bool        mHadDisplay = false;
    bool        mReady = false;
};

// Processes events until a round trip to the server brings none and none has come for
// quietMs (a manager acts in its own time); false when they keep coming, as from a layout
// that never settles.
bool settle(Widget w, int quietMs);
// The window manager's frame around window, or window itself without one: its child of
// the root window.
Window frameOf(Display *display, Window window);
// Where the frame's outer corner stands on the screen, and the frame's outer size.
void frameBox(Display *display, Window window, int *x, int *y, int *width, int *height);
// Asks the window manager, as a pager or the title bar would, to add (true) or remove one
// _NET_WM_STATE of the window ("_NET_WM_STATE_MAXIMIZED_VERT" and so on).
void askWindowState(Display *display, Window window, bool add, const char *state,
                    const char *state2 = nullptr);
// Whether the window manager says the window has that state now.
bool hasWindowState(Display *display, Window window, const char *state);

} // namespace harness

#endif
