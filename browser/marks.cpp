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

// The add selects the new server, and a command on the selection must not act on it
// unseen: a view that hides it (one that never answered fails the filter) gives way to
// "all".
void MainWin::showAdded(const Server &s)
{
    if (!filterServer(s))
        setViewTab(0);
    updateView();
}

// On the tab of a list the command takes the selection off it; elsewhere it adds it.
void MainWin::markSelected(unsigned int flag, int removingView)
{
    for (Server &s : mServerList) {
        if (!isShownSelected(s))
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
