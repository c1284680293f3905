// tiler.cpp - a tiling-style window manager for the tests: it holds every top-level window
// at the size it was started with, and refuses any other size, as the ICCCM allows, by
// telling the window where and how large it is (a synthetic ConfigureNotify).
// usage: tiler DISPLAY WIDTH HEIGHT; prints "holding" once it manages the display.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

int sWidth, sHeight;

void hold(Display *display, Window window)
{
    XMoveResizeWindow(display, window, 0, 0, (unsigned)sWidth, (unsigned)sHeight);
    XEvent told = {};
    told.xconfigure.type = ConfigureNotify;
    told.xconfigure.event = window;
    told.xconfigure.window = window;
    told.xconfigure.width = sWidth;
    told.xconfigure.height = sHeight;
    told.xconfigure.above = None;
    XSendEvent(display, window, False, StructureNotifyMask, &told);
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
    if (argc != 4)
        return 2;
    Display *display = XOpenDisplay(argv[1]);
    if (!display)
        return 1;
    sWidth = atoi(argv[2]);
    sHeight = atoi(argv[3]);
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
        }
        XFlush(display);
    }
}
