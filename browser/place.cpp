// place.cpp - MainWin's size and place on the screen: the one given on the command line,
// the one saved at quit, and the one it had before the window manager maximized it.
#include "browser/mainwin.h"

#include "browser/settings.h"
#include "framework/VkApp.h"

#include <Xm/Xm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <algorithm>
#include <cassert>
#include <cstring>

// The manager sets a maximized window's size and its state one after the other; the window
// is looked at once both have come.
static const unsigned long PlaceSettleMs = 120;

// ---- The size and place given

// -geometry, as App takes it from the command line: a resource of the application that no
// shell reads, so that only the main window sees it, checked.
const char *MainWin::givenGeometry()
{
    String geometry = nullptr;
    XtResource resource = {(char *)"givenGeometry", (char *)"GivenGeometry", XtRString,
                           sizeof(String), 0, XtRString, nullptr};
    XtGetApplicationResources(gApplication->baseWidget(), &geometry, &resource, 1, nullptr, 0);
    return geometry && *geometry ? geometry : nullptr;
}

// ---- The size and place now

// The manager's frame is not ours: a manager that restarts or is replaced destroys it at any
// moment, between two of the walk's requests too. Errors on windows other than the one the
// walk starts from are expected while the trap is set; any other goes where it went before.
class ForeignWindowTrap {
public:
    ForeignWindowTrap(Display *display, Window own)
    {
        assert(!sTrap);
        sTrap = this;
        mDisplay = display;
        mOwn = own;
        mFirst = NextRequest(display);
        mPrevious = XSetErrorHandler(&ForeignWindowTrap::sHandler);
    }
    ~ForeignWindowTrap()
    {
        XSetErrorHandler(mPrevious);
        sTrap = nullptr;
    }

private:
    static int sHandler(Display *display, XErrorEvent *error)
    {
        ForeignWindowTrap *trap = sTrap;
        if (display == trap->mDisplay && error->serial >= trap->mFirst
            && error->resourceid != trap->mOwn)
            return 0;
        return trap->mPrevious ? trap->mPrevious(display, error) : 0;
    }

    static ForeignWindowTrap *sTrap;
    Display      *mDisplay;
    Window        mOwn;
    unsigned long mFirst;
    XErrorHandler mPrevious;
};

ForeignWindowTrap *ForeignWindowTrap::sTrap = nullptr;

// The manager's frame, or the window itself without one: its ancestor just below the root.
// None when a window on the way went meanwhile.
Window MainWin::frameWindow(Display *display, Window window)
{
    Window root = None, parent = None, *children = nullptr;
    unsigned int count = 0;
    while (XQueryTree(display, window, &root, &parent, &children, &count)) {
        XFree(children);
        if (parent == root || parent == None)
            return window;
        window = parent;
        walkedTo(window);
    }
    return None;
}

// A place "+x+y" given at start puts the outer corner of the manager's frame there (of the
// window itself without a manager), as the default gravity asks: so that corner is the place
// saved, and each session comes back where the last one ended. Should the frame go while it
// is looked at, the window's own place stands in.
std::string MainWin::geometryNow()
{
    Widget shell = baseWidget();
    Dimension width = 0, height = 0;
    Position shellX = 0, shellY = 0;
    XtVaGetValues(shell, XmNwidth, &width, XmNheight, &height, XmNx, &shellX, XmNy, &shellY,
                  nullptr);
    int x = shellX, y = shellY;
    if (XtIsRealized(shell)) {
        Display *display = XtDisplay(shell);
        Window root = None;
        int frameX = 0, frameY = 0;
        unsigned int outerWidth = 0, outerHeight = 0, border = 0, depth = 0;
        ForeignWindowTrap trap(display, XtWindow(shell));
        Window frame = frameWindow(display, XtWindow(shell));
        if (frame != None && XGetGeometry(display, frame, &root, &frameX, &frameY,
                                          &outerWidth, &outerHeight, &border, &depth)) {
            x = frameX;
            y = frameY;
        } else if (XGetGeometry(display, XtWindow(shell), &root, &frameX, &frameY, &outerWidth,
                                &outerHeight, &border, &depth)) {
            x = frameX;
            y = frameY;
        }
    }
    return formatGeometry(width, height, x, y);
}

// A maximized or full-screen window has the manager's size, not the user's.
bool MainWin::sizedByManager()
{
    Widget shell = baseWidget();
    if (!XtIsRealized(shell))
        return false;
    Display *display = XtDisplay(shell);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, XtWindow(shell), XInternAtom(display, "_NET_WM_STATE", False),
                           0, 64, False, XA_ATOM, &type, &format, &count, &after,
                           &data) != Success)
        return false;
    const Atom managed[] = {XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False),
                            XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False),
                            XInternAtom(display, "_NET_WM_STATE_FULLSCREEN", False)};
    bool sized = false;
    for (unsigned long i = 0; data && format == 32 && i < count; i++) {
        for (Atom state : managed)
            sized = sized || ((Atom *)data)[i] == state;
    }
    XFree(data);
    return sized;
}

// The size and place to save: the window's own, or, while the manager has maximized it (or
// the display is gone), the one noted before, which the next start gives back.
std::string MainWin::geometryToSave()
{
    if (mDisplayGone)
        return mOwnGeometry;
    return sizedByManager() ? mOwnGeometry : geometryNow();
}

// ---- Following the window

void MainWin::watchPlace()
{
    mOwnGeometry = mGeometry;
    mFitFrame = true;
    XtAddEventHandler(baseWidget(), StructureNotifyMask, False, &MainWin::sPlaceEH, this);
}

void MainWin::sPlaceEH(Widget, XtPointer clientData, XEvent *event, Boolean *)
{
    static_cast<MainWin *>(clientData)->placeChanged(event);
}

void MainWin::placeChanged(const XEvent *event)
{
    if (event->type != ConfigureNotify && event->type != MapNotify &&
        event->type != ReparentNotify)
        return;
    if (mPlaceTimer)
        XtRemoveTimeOut(mPlaceTimer);
    mPlaceTimer = XtAppAddTimeOut(gApplication->appContext(), PlaceSettleMs,
                                  &MainWin::sPlaceTimerCB, this);
}

void MainWin::sPlaceTimerCB(XtPointer clientData, XtIntervalId *)
{
    MainWin *win = static_cast<MainWin *>(clientData);
    win->mPlaceTimer = 0;
    win->notePlace();
}

void MainWin::notePlace()
{
    if (mFitFrame)
        fitFrame();
    if (!sizedByManager())
        mOwnGeometry = geometryNow();
}

// A window as large as the screen reached past its edges in the manager's frame, with the
// title bar's buttons and the status line out of view. So once the window is first framed
// it is made smaller by what the frame adds, where the frame does not fit the screen; later
// sizes are the user's.
void MainWin::fitFrame()
{
    Widget shell = baseWidget();
    Display *display = XtDisplay(shell);
    XWindowAttributes attributes;
    if (!XtIsRealized(shell) || !XGetWindowAttributes(display, XtWindow(shell), &attributes) ||
        attributes.map_state != IsViewable)
        return;
    mFitFrame = false;
    Window root = None;
    int x = 0, y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    ForeignWindowTrap trap(display, XtWindow(shell));
    Window frame = frameWindow(display, XtWindow(shell));
    if (frame == None ||
        !XGetGeometry(display, frame, &root, &x, &y, &width, &height, &border, &depth))
        return;
    int overWidth = (int)(width + 2 * border) - WidthOfScreen(XtScreen(shell));
    int overHeight = (int)(height + 2 * border) - HeightOfScreen(XtScreen(shell));
    if (overWidth <= 0 && overHeight <= 0)
        return;
    Dimension shellWidth = 0, shellHeight = 0;
    XtVaGetValues(shell, XmNwidth, &shellWidth, XmNheight, &shellHeight, nullptr);
    XtVaSetValues(shell, XmNwidth, (Dimension)(shellWidth - std::max(0, overWidth)),
                  XmNheight, (Dimension)(shellHeight - std::max(0, overHeight)), nullptr);
}
