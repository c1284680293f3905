// tool.cpp - MainWin's tool bar. Its picture buttons are not built yet: the bar stays an
// empty row, mTools holds no button, and the same commands are in the menus.
#include "browser/mainwin.h"

void MainWin::createToolBar(Widget)
{
}

void MainWin::updateToolbar()
{
}
