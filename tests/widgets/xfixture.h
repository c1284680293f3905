// xfixture.h - a display, a shell and pixel read-back for the widget tests.
#ifndef VIREO_TESTS_WIDGETS_XFIXTURE_H
#define VIREO_TESTS_WIDGETS_XFIXTURE_H
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "widgets/XmL.h"
#include "widgets/XmLP.h"

#include <X11/IntrinsicP.h>
#include <X11/Shell.h>
#include <X11/Xutil.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <string>
#include <vector>

// Pixels of a 24-bit TrueColor display are their own RGB values.
const Pixel kRed = 0xff0000, kGreen = 0x00ff00, kBlue = 0x0000ff, kWhite = 0xffffff,
            kYellow = 0xffff00, kBlack = 0x000000, kMagenta = 0xff00ff, kCyan = 0x00ffff;

// A window's pixels, read once.
class Snapshot {
public:
    Snapshot(Widget w)
    {
        XSync(XtDisplay(w), False);
        mImage = XGetImage(XtDisplay(w), XtWindow(w), 0, 0, w->core.width, w->core.height,
                           AllPlanes, ZPixmap);
    }
    ~Snapshot() { XDestroyImage(mImage); }
    Snapshot(const Snapshot &) = delete;
    Snapshot &operator=(const Snapshot &) = delete;
    Pixel at(int x, int y) const { return XGetPixel(mImage, x, y) & 0xffffff; }
    int count(Pixel p, int x, int y, int width, int height) const
    {
        int n = 0;
        for (int j = y; j < y + height; j++)
            for (int i = x; i < x + width; i++)
                n += at(i, j) == p;
        return n;
    }
    int width() const { return mImage->width; }
    int height() const { return mImage->height; }

private:
    XImage *mImage;
};

// The server starts with the focus following the pointer, so a window the pointer
// happens to rest over takes the focus and one of its widgets draws a focus ring. No X
// test may depend on where the pointer is: the focus goes to no window at all. Tests
// that need a focus set it within their own windows.
inline void noFocus(Display *display)
{
    XSetInputFocus(display, None, RevertToNone, CurrentTime);
    XSync(display, False);
}

// Held while a test uses what the whole X server shares, such as the clipboard. ctest's
// resource locks keep apart the tests of one run only; this lock, a file named after
// the display, also keeps apart two runs on one display.
class DisplayLock {
public:
    DisplayLock(Display *display, const char *what)
    {
        std::string name = std::string("/tmp/vireo-") + what + "-" + DisplayString(display) +
                           ".lock";
        mFd = open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (mFd >= 0)
            flock(mFd, LOCK_EX);
    }
    ~DisplayLock()
    {
        if (mFd >= 0)
            close(mFd);     // closing gives the lock up
    }
    DisplayLock(const DisplayLock &) = delete;
    DisplayLock &operator=(const DisplayLock &) = delete;

private:
    int mFd = -1;
};

class XTest : public ::testing::Test {
protected:
    // Motif keeps caches per display (fonts among them) that outlive the
    // display, so a second display in one process inherits stale font ids.
    // ctest runs every test in a process of its own.
    void SetUp() override
    {
        static int tests = 0;
        if (++tests > 1)
            GTEST_SKIP() << "X tests run one to a process; run them through ctest";
        sWarnings.clear();
        XtToolkitInitialize();
        mApp = XtCreateApplicationContext();
        int argc = 0;
        mDisplay = XtOpenDisplay(mApp, nullptr, "vireoTest", "VireoTest", nullptr, 0, &argc,
                                 nullptr);
        ASSERT_NE(mDisplay, nullptr) << "no display; run the tests through ctest";
        ASSERT_EQ(DefaultDepth(mDisplay, DefaultScreen(mDisplay)), 24);
        XtAppSetWarningHandler(mApp, sCollectWarning);
        XtAppSetWarningMsgHandler(mApp, sCollectWarningMsg);
        mShell = XtVaAppCreateShell("vireoTest", "VireoTest", applicationShellWidgetClass,
                                    mDisplay, XmNbackground, kWhite,
                                    XmNallowShellResize, True, NULL);
    }

    void TearDown() override
    {
        xmlFixedFontName = "fixed";
        // Closing the display does not destroy the widgets; destroying the
        // shell runs every Destroy method, so the leak checker sees what they miss.
        if (mShell)
            XtDestroyWidget(mShell);
        if (mApp)
            XtDestroyApplicationContext(mApp);
    }

    // Realises the shell and waits until its window shows and is drawn.
    // Tests share one display and their windows overlap, so each window
    // keeps its own contents: what XGetImage reads is what the test drew.
    void show()
    {
        noFocus(mDisplay);
        XtVaSetValues(mShell, XmNmappedWhenManaged, False, NULL);
        XtRealizeWidget(mShell);
        XSetWindowAttributes attributes;
        attributes.backing_store = Always;
        XChangeWindowAttributes(mDisplay, XtWindow(mShell), CWBackingStore, &attributes);
        XtMapWidget(mShell);
        for (int i = 0; i < 500 && !viewable(XtWindow(mShell)); i++)
            settle();
        ASSERT_TRUE(viewable(XtWindow(mShell)));
        settle();
    }

    // Handles every event the server has for us.
    void settle()
    {
        for (int round = 0; round < 3; round++) {
            XSync(mDisplay, False);
            while (XtAppPending(mApp) & XtIMXEvent)
                XtAppProcessEvent(mApp, XtIMXEvent);
        }
    }

    bool viewable(Window window)
    {
        XWindowAttributes attributes;
        return XGetWindowAttributes(mDisplay, window, &attributes) &&
               attributes.map_state == IsViewable;
    }

    // A plain window to draw into, filled with white.
    Widget canvas(int width, int height)
    {
        return XtVaCreateManagedWidget("canvas", widgetClass, mShell, XmNwidth, width,
                                       XmNheight, height, XmNbackground, kWhite, NULL);
    }

    GC makeGC(Widget w, Pixel foreground)
    {
        XGCValues values;
        values.foreground = foreground;
        return XCreateGC(mDisplay, XtWindow(w), GCForeground, &values);
    }

    static void sCollectWarning(String message) { sWarnings.push_back(message); }

    // Formats the toolkit's own warnings here: Xt will not format them for root.
    static void sCollectWarningMsg(String, String, String, String text, String *params,
                                   Cardinal *count)
    {
        std::string message;
        Cardinal used = 0;
        for (const char *c = text; *c; c++) {
            if (c[0] == '%' && c[1] == 's' && used < *count) {
                message += params[used++];
                c++;
            } else {
                message += *c;
            }
        }
        sWarnings.push_back(message);
    }

    static inline std::vector<std::string> sWarnings;
    XtAppContext mApp = nullptr;
    Display     *mDisplay = nullptr;
    Widget       mShell = nullptr;
};

#endif
