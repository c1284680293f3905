// view.cpp - MainWin's view choices: which servers the current view tab shows, and the
// sort keys of the server and player grids.
#include "browser/mainwin.h"

#include "browser/sort.h"
#include "widgets/Grid.h"

#include <cassert>

bool MainWin::filterServer(const Server &s) const
{
    switch (mView) {
    case 0: return true;
    case 1: return !s.TestFlag(Server::Flag_Avoid) && mOptions.filter.Passes(s);
    case 2: return !s.TestFlag(Server::Flag_Avoid) && !mOptions.filter.Passes(s);
    case 3: return s.TestFlag(Server::Flag_Favorite);
    case 4: return s.TestFlag(Server::Flag_Avoid);
    default: assert(0); return false;
    }
}

// A server the view hides keeps its selection for when its view comes back, but no command
// touches it: the user cannot see that it would.
bool MainWin::isShownSelected(const Server &s) const
{
    return s.TestFlag(Server::Flag_Selected) && s.mRow >= 0;
}

void MainWin::sortServers(Server **array, int total)
{
    ::sortServers(array, total, mServerSortKey);
}

void MainWin::sortPlayers(Player **array, int total)
{
    ::sortPlayers(array, total, mPlayerSortKey);
}

void MainWin::setServerSortKey(int key)
{
    if (key == mServerSortKey)
        return;
    mServerSortKey = key;
    buildServerList();
}

void MainWin::setPlayerSortKey(int key)
{
    if (key == mPlayerSortKey)
        return;
    mPlayerSortKey = key;
    if (Server *s = selectedServer())
        fillPlayerGrid(s);
}

// One pass over the selection afterwards gives what a callback per row would, without
// walking the list once for every row of a long list.
void MainWin::selectAll()
{
    if (!mServerGrid)
        return;
    XmLGridSelectAllRows(mServerGrid, False);
    selectionChanged(false, 0);
}
