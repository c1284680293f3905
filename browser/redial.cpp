// redial.cpp - MainWin's busy-server redial: one full server asked again and again until
// it has a free player slot, then joined or offered; and the About dialog.
#include "browser/mainwin.h"

#include "browser/aboutDialog.h"
#include "browser/redialDialog.h"
#include "framework/VkErrorDialog.h"

void MainWin::redialSelected()
{
    Server *s = selectedServer();
    if (!s)
        return;
    mQueryInfo.getPlayers = 0;
    mQueryInfo.getRules = 0;
    mQueryQueue.clear();
    queueServer(s);
    // A never-ping server is not queued: no run starts, and no redial mode may be left
    // behind for the next refresh.
    if (mQueryQueue.empty())
        return;
    mModeFlags |= Mode_Redial;
    startWorkProc();
}

// The redial is bound to its server: the user may select other rows while it waits.
void MainWin::slotOpened(Server *s)
{
    if (mOptions.autoConnect) {
        launchOn(s);
        return;
    }
    mSlotServer = s;
    if (!mRedialDialog)
        mRedialDialog = new RedialDialog(this);
    mRedialDialog->setServer(s);
    mRedialDialog->show();
}

void MainWin::joinSlotServer()
{
    Server *s = mSlotServer;
    mSlotServer = nullptr;
    if (!s) {
        gErrorDialog->postAndWait("The server with the free slot was deleted; nothing was "
                                  "launched.", this);
        return;
    }
    launchOn(s);
}

void MainWin::aboutCB(Widget, XtPointer clientData, XtPointer)
{
    MainWin *win = static_cast<MainWin *>(clientData);
    if (!win->mAboutDialog)
        win->mAboutDialog = new AboutDialog(win->mainWindowWidget());
    win->mAboutDialog->show();
}
