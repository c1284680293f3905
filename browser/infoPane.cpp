// infoPane.cpp - MainWin's bottom pane, which will hold the player and rule grids of the
// selected server. Until those grids are built the pane stays empty: mPlayerGrid and
// mRuleGrid are null, and the settings keep the rules pane's size and state as read.
#include "browser/mainwin.h"

#include <Xm/PanedW.h>
#include <Xm/Xm.h>

Widget MainWin::createInfoPane(Widget parent)
{
    Widget pane = XtVaCreateWidget("infoPane", xmPanedWindowWidgetClass, parent,
                                   XmNorientation, XmHORIZONTAL,
                                   XmNallowResize, True, nullptr);
    XtManageChild(pane);
    return pane;
}
