// displayLost.cpp - MainWin when the display goes away under it (a logout, the X server
// ending): the settings are saved all the same.
#include "browser/mainwin.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <unistd.h>

MainWin *MainWin::sSessionWindow = nullptr;

void MainWin::saveWhenDisplayLost()
{
    sSessionWindow = this;
    XSetIOErrorHandler(&MainWin::sDisplayLost);
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
