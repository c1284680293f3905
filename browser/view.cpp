// view.cpp - MainWin's view choices: which servers the current view tab shows, and the
// sort keys of the server and player grids.
#include "browser/mainwin.h"

#include "browser/sort.h"

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

// The player grid of the selected server is refilled in the new order once the info
// panes exist; until then only the key changes, and the settings keep it.
void MainWin::setPlayerSortKey(int key)
{
    if (key == mPlayerSortKey)
        return;
    mPlayerSortKey = key;
}

// Selects every server the current view shows, in the selection the rest of the window
// reads (Flag_Selected); the server grid will take this over with its rows.
void MainWin::selectAll()
{
    for (Server &s : mServerList) {
        if (filterServer(s))
            s.SetSelected(true);
    }
    updateView();
}
