// panes.cpp - MainWin's panes: the sizes read at start and chosen by the sashes, kept
// within the window as it changes.
#include "browser/mainwin.h"

#include <Xm/PanedW.h>
#include <Xm/Xm.h>

#include <algorithm>
#include <cstring>

// A shown paned window lays its panes out by itself and takes no plain size for one of
// them; it keeps a pane within its least and most, so both are the size for one layout.
// The size is cut to what the sash could give, the other pane kept within its own least
// and most: a size the layout cannot meet would never settle. Returns the size set.
static int setPaneSize(Widget pane, Widget other, const char *extent, int size)
{
    Widget parent = XtParent(pane);
    if (!XtIsRealized(parent)) {
        XtVaSetValues(pane, extent, (Dimension)size, nullptr);      // taken when shown
        return size;
    }
    bool vertical = strcmp(extent, XmNheight) == 0;
    Dimension whole = 0, margin = 0, spacing = 0, otherLeast = 0, otherMost = 0;
    XtVaGetValues(parent, extent, &whole, XmNspacing, &spacing,
                  vertical ? XmNmarginHeight : XmNmarginWidth, &margin, nullptr);
    XtVaGetValues(other, XmNpaneMinimum, &otherLeast, XmNpaneMaximum, &otherMost, nullptr);
    int room = (int)whole - 2 * margin - (XtIsManaged(other) ? spacing : 0);
    int shown = std::min(size, room - (XtIsManaged(other) ? otherLeast : 0));
    if (XtIsManaged(other))
        shown = std::max(shown, room - otherMost);
    shown = std::max(1, shown);
    if (!XtIsManaged(pane) || !XtIsManaged(other)) {
        XtVaSetValues(pane, extent, (Dimension)shown, nullptr);
        return shown;
    }
    Dimension least = 0, most = 0;
    XtVaGetValues(pane, XmNpaneMinimum, &least, XmNpaneMaximum, &most, nullptr);
    XtVaSetValues(pane, XmNpaneMinimum, (Dimension)shown, XmNpaneMaximum, (Dimension)shown,
                  nullptr);
    XtVaSetValues(pane, XmNpaneMinimum, least, XmNpaneMaximum, most, nullptr);
    return shown;
}

void MainWin::applyPaneSettings()
{
    setManagedState(mInfoPane, (mModeFlags & Mode_ShowInfo) != 0);
    if (mRuleGrid)
        setManagedState(mRuleGrid, (mModeFlags & Mode_ShowRules) != 0);
    XtVaSetValues(mServerPane, XmNpaneMinimum, serverPaneLeast(), nullptr);
    if (mInfoPaneHeight != 0)
        mInfoPaneHeight = setPaneSize(mInfoPane, mServerPane, XmNheight, mInfoPaneHeight);
    if (mRulePaneWidth != 0 && mRuleGrid)
        mRulePaneWidth = setPaneSize(mRuleGrid, mPlayerGrid, XmNwidth, mRulePaneWidth);
    fitPanes();
}

static bool paneShown(Widget pane)
{
    return pane && XtIsManaged(pane) && XtIsRealized(XtParent(pane));
}

static int paneSize(Widget pane, bool vertical)
{
    Dimension size = 0;
    XtVaGetValues(pane, vertical ? XmNheight : XmNwidth, &size, nullptr);
    return size;
}

// The pane reaches past the inside of its paned window.
static bool overflows(Widget pane, bool vertical)
{
    Position at = 0;
    Dimension border = 0, whole = 0, margin = 0;
    XtVaGetValues(pane, vertical ? XmNy : XmNx, &at, XmNborderWidth, &border, nullptr);
    XtVaGetValues(XtParent(pane), vertical ? XmNheight : XmNwidth, &whole,
                  vertical ? XmNmarginHeight : XmNmarginWidth, &margin, nullptr);
    return at + paneSize(pane, vertical) + 2 * border > whole - margin;
}

// A paned window made smaller shrinks only the panes it may adjust (the server pane, down
// to its least) and leaves the bottom panes hanging out of the window. So each bottom pane
// keeps the size last chosen for it (by its sash, or read at start) as far as the window
// lets it: cut when the window shrinks, given back when it grows, and what is saved is
// what was shown.
static void holdPaneSize(Widget pane, Widget other, bool vertical, MainWin::PaneHold *hold)
{
    if (!paneShown(pane))
        return;
    int now = paneSize(pane, vertical);
    if (now != hold->set)       // its sash moved it
        hold->wanted = now;
    if (now < hold->wanted || overflows(pane, vertical))
        now = setPaneSize(pane, other, vertical ? XmNheight : XmNwidth, hold->wanted);
    hold->set = now;
}

void MainWin::sMainPaneEH(Widget, XtPointer clientData, XEvent *event, Boolean *)
{
    if (event->type == ConfigureNotify)
        static_cast<MainWin *>(clientData)->fitPanes();
}

void MainWin::fitPanes()
{
    holdPaneSize(mInfoPane, mServerPane, true, &mInfoHold);
    holdPaneSize(mRuleGrid, mPlayerGrid, false, &mRulesHold);
}
