// marks.cpp - MainWin's hand-made list changes: the add dialog, and moving the selected
// servers onto or off the favorites and never-ping lists.
#include "browser/mainwin.h"

#include "browser/addDialog.h"

void MainWin::showAddDialog()
{
    if (!mAddDialog)
        mAddDialog = new AddDialog(mainWindowWidget(), this);
    mAddDialog->show();
}

// On the tab of a list the command takes the selection off it; elsewhere it adds it.
void MainWin::markSelected(unsigned int flag, int removingView)
{
    for (Server &s : mServerList) {
        if (!s.TestFlag(Server::Flag_Selected))
            continue;
        if (mView == removingView)
            s.mFlags &= ~flag;
        else
            s.mFlags |= flag;
    }
    updateView();
}

void MainWin::toggleFavorites()
{
    markSelected(Server::Flag_Favorite, 3);
}

void MainWin::toggleNeverPing()
{
    markSelected(Server::Flag_Avoid, 4);
}

void MainWin::copyCB()
{
    notImplemented();
}
