// sessionEnd.cpp - MainWin when the desktop session ends it rather than the player: the
// signals of a logout or a shutdown quit as File > Exit does, and a display that goes away
// still leaves the settings saved.
#include "browser/mainwin.h"

#include "framework/VkApp.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

MainWin *MainWin::sSessionWindow = nullptr;

// A signal handler may do almost nothing safely: it only wakes the event loop through this
// pipe, and the quit runs from there.
static int sQuitPipe[2] = {-1, -1};

static void quitSignalHandler(int)
{
    int saved = errno;
    char byte = 0;
    ssize_t ignored = write(sQuitPipe[1], &byte, 1);
    (void)ignored;
    errno = saved;
}

// A signal ignored when Vireo started stays ignored: "nohup vireo &" asks to outlive the
// terminal.
static void quitOnSignal(int signal)
{
    struct sigaction old;
    if (sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
        return;
    struct sigaction action;
    memset(&action, 0, sizeof action);
    action.sa_handler = quitSignalHandler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(signal, &action, nullptr);
}

void MainWin::endWithSession()
{
    sSessionWindow = this;
    XSetIOErrorHandler(&MainWin::sDisplayLost);
    if (sQuitPipe[0] >= 0)
        return;
    if (pipe2(sQuitPipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        perror("Vireo: the quit signals cannot be taken");
        return;
    }
    XtAppAddInput(gApplication->appContext(), sQuitPipe[0], (XtPointer)XtInputReadMask,
                  &MainWin::sQuitSignalCB, this);
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        quitOnSignal(signal);
}

void MainWin::sQuitSignalCB(XtPointer clientData, int *fd, XtInputId *)
{
    char bytes[64];
    while (read(*fd, bytes, sizeof bytes) > 0) {
    }
    static_cast<MainWin *>(clientData)->quitForSignal();
}

// Signals that come while the quit is under way have nothing more to do.
void MainWin::quitForSignal()
{
    if (mQuitting)
        return;
    mQuitting = true;
    gApplication->quitYourself();
}

// Xlib ends the program once this returns, and every later request would come back here:
// so the settings are written from what the window holds, with no call to the display.
int MainWin::sDisplayLost(Display *display)
{
    static bool lost = false;
    if (!lost) {
        lost = true;
        fprintf(stderr, "Vireo: X connection to %s broken\n", DisplayString(display));
        if (sSessionWindow)
            sSessionWindow->saveWithoutDisplay();
    }
    fflush(nullptr);
    _exit(1);
}

void MainWin::saveWithoutDisplay()
{
    if (!mSettingsRead)
        return;             // writing what it holds now would lose the file
    mDisplayGone = true;
    writeSettings();
}
