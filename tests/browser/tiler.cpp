// tiler.cpp - a tiling-style window manager for the tests: it holds every top-level window
// at the size it was started with, and refuses any other size, as the ICCCM allows, by
// telling the window where and how large it is (a synthetic ConfigureNotify). A window
// asked maximized (_NET_WM_STATE) gets the screen, and its state STATE_LAG ms after its
// size, as a slow manager sets them.
// usage: tiler DISPLAY WIDTH HEIGHT [STATE_LAG]; prints "holding" once it manages the display.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

int sWidth, sHeight, sStateLagMs;
std::set<Window> sMaximized;

void hold(Display *display, Window window)
{
    bool whole = sMaximized.count(window) != 0;
    int width = whole ? DisplayWidth(display, DefaultScreen(display)) : sWidth;
    int height = whole ? DisplayHeight(display, DefaultScreen(display)) : sHeight;
    XMoveResizeWindow(display, window, 0, 0, (unsigned)width, (unsigned)height);
    XEvent told = {};
    told.xconfigure.type = ConfigureNotify;
    told.xconfigure.event = window;
    told.xconfigure.window = window;
    told.xconfigure.width = width;
    told.xconfigure.height = height;
    told.xconfigure.above = None;
    XSendEvent(display, window, False, StructureNotifyMask, &told);
}

// Only both maximized states at once are handled: what the tests ask.
void maximize(Display *display, const XClientMessageEvent &asked)
{
    Atom vert = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_VERT", False);
    Atom horz = XInternAtom(display, "_NET_WM_STATE_MAXIMIZED_HORZ", False);
    if ((Atom)asked.data.l[1] != vert || (Atom)asked.data.l[2] != horz)
        return;
    Window window = asked.window;
    Atom state = XInternAtom(display, "_NET_WM_STATE", False);
    if (asked.data.l[0] == 1) {
        sMaximized.insert(window);
        hold(display, window);
        XSync(display, False);
        usleep((useconds_t)sStateLagMs * 1000);
        Atom states[] = {vert, horz};
        XChangeProperty(display, window, state, XA_ATOM, 32, PropModeReplace,
                        (unsigned char *)states, 2);
    } else if (asked.data.l[0] == 0) {
        sMaximized.erase(window);
        XDeleteProperty(display, window, state);
        hold(display, window);
    }
}

void holdMapped(Display *display)
{
    Window root = None, parent = None, *children = nullptr;
    unsigned int count = 0;
    XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
    for (unsigned int i = 0; i < count; i++) {
        XWindowAttributes a;
        if (XGetWindowAttributes(display, children[i], &a) && !a.override_redirect &&
            a.map_state == IsViewable)
            hold(display, children[i]);
    }
    XFree(children);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 4 && argc != 5)
        return 2;
    Display *display = XOpenDisplay(argv[1]);
    if (!display)
        return 1;
    sWidth = atoi(argv[2]);
    sHeight = atoi(argv[3]);
    sStateLagMs = argc == 5 ? atoi(argv[4]) : 0;
    XSelectInput(display, DefaultRootWindow(display),
                 SubstructureRedirectMask | SubstructureNotifyMask);
    XSync(display, False);      // another manager makes this fail, and the program end
    holdMapped(display);
    XSync(display, False);
    printf("holding\n");
    fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapRequest) {
            hold(display, event.xmaprequest.window);
            XMapWindow(display, event.xmaprequest.window);
        } else if (event.type == ConfigureRequest) {
            hold(display, event.xconfigurerequest.window);
        } else if (event.type == DestroyNotify) {
            sMaximized.erase(event.xdestroywindow.window);     // its id may come again
        } else if (event.type == ClientMessage &&
                   event.xclient.message_type == XInternAtom(display, "_NET_WM_STATE", False)) {
            maximize(display, event.xclient);
        }
        XFlush(display);
    }
}
