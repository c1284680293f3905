// redial.cpp - MainWin's busy-server redial: one full server asked again and again until
// it has a free player slot. The game launch and the redial dialog are not built yet.
#include "browser/mainwin.h"

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

void MainWin::slotOpened(Server *)
{
    if (mOptions.autoConnect)
        launchGame();
}

void MainWin::launchGame()
{
}
