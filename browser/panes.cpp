// panes.cpp - MainWin's panes and the window's least size: each pane keeps a least that
// still shows something of use, and the size the user chose (read at start, or by a sash)
// as far as the window lets it.
#include "browser/mainwin.h"

#include "framework/VkMenuBar.h"

#include <Xm/MainW.h>
#include <Xm/PanedW.h>
#include <Xm/SashP.h>
#include <Xm/Xm.h>

#include <algorithm>
#include <cstring>

// ---- The sizes chosen

void MainWin::applyPaneSettings()
{
    Dimension least = 0;
    setManagedState(mInfoPane, (mModeFlags & Mode_ShowInfo) != 0);
    if (mRuleGrid)
        setManagedState(mRuleGrid, (mModeFlags & Mode_ShowRules) != 0);
    XtVaSetValues(mServerPane, XmNpaneMinimum, (Dimension)mServerHold.least, nullptr);
    XtVaGetValues(mInfoPane, XmNpaneMinimum, &least, nullptr);
    mInfoHold.least = least;
    keepLeastSize();
    fitPanes();
}

// A sash moved by the mouse or the keyboard is the user's choice of size; the paned window
// has laid its panes out anew by the time this is called.
void MainWin::sSashCB(Widget sash, XtPointer clientData, XtPointer callData)
{
    SashCallData call = static_cast<SashCallData>(callData);
    if (call->num_params > 0 &&
        (strcmp(call->params[0], "Commit") == 0 || strcmp(call->params[0], "Key") == 0))
        static_cast<MainWin *>(clientData)->sashMoved(XtParent(sash));
}

static bool paneShown(Widget pane)
{
    return pane && XtIsManaged(pane) && XtIsRealized(pane);
}

static int paneSize(Widget pane, bool vertical)
{
    Dimension size = 0;
    XtVaGetValues(pane, vertical ? XmNheight : XmNwidth, &size, nullptr);
    return size;
}

void MainWin::sashMoved(Widget paned)
{
    if (paned == mMainPane && paneShown(mInfoPane))
        mInfoHold.chosen = paneSize(mInfoPane, true);
    else if (paned == mInfoPane && paneShown(mRuleGrid))
        mRulesHold.chosen = paneSize(mRuleGrid, false);
}

void MainWin::watchSashes(Widget paned)
{
    WidgetList children = nullptr;
    Cardinal count = 0;
    XtVaGetValues(paned, XmNchildren, &children, XmNnumChildren, &count, nullptr);
    for (Cardinal i = 0; i < count; i++)
        if (XmIsSash(children[i]))
            XtAddCallback(children[i], XmNcallback, &MainWin::sSashCB, this);
}

// ---- Keeping them within the window

// What the sash could give pane of size: the other pane kept within its least and most,
// and pane never below its own least.
static int fittedSize(Widget pane, Widget other, bool vertical, int size)
{
    Dimension whole = 0, margin = 0, spacing = 0, least = 0, otherLeast = 0, otherMost = 0;
    XtVaGetValues(XtParent(pane), vertical ? XmNheight : XmNwidth, &whole, XmNspacing, &spacing,
                  vertical ? XmNmarginHeight : XmNmarginWidth, &margin, nullptr);
    XtVaGetValues(pane, XmNpaneMinimum, &least, nullptr);
    XtVaGetValues(other, XmNpaneMinimum, &otherLeast, XmNpaneMaximum, &otherMost, nullptr);
    int room = (int)whole - 2 * margin - spacing;
    int shown = std::max(std::min(size, room - otherLeast), room - otherMost);
    return std::max(shown, (int)least);
}

// A shown paned window lays its panes out by itself and takes no plain size for one of
// them; it keeps a pane within its least and most, so both are the size for one layout.
static void setPaneSize(Widget pane, int size)
{
    Dimension least = 0, most = 0;
    XtVaGetValues(pane, XmNpaneMinimum, &least, XmNpaneMaximum, &most, nullptr);
    XtVaSetValues(pane, XmNpaneMinimum, (Dimension)size, XmNpaneMaximum, (Dimension)size,
                  nullptr);
    XtVaSetValues(pane, XmNpaneMinimum, least, XmNpaneMaximum, most, nullptr);
}

// A paned window made smaller shrinks only the panes it may adjust (the server pane, down
// to its least) and leaves the bottom panes hanging out of the window; made larger, it
// gives the room to the server pane. So each bottom pane is set to what the window can
// give of the size chosen for it, cut when the window shrinks and given back when it grows.
// Without a size chosen, the one the paned window first gave it stands for this run.
static void fitPane(Widget pane, Widget other, bool vertical, MainWin::PaneHold *hold)
{
    if (!paneShown(pane) || !XtIsManaged(other))
        return;
    int now = paneSize(pane, vertical);
    if (hold->chosen == 0 && hold->natural == 0)
        hold->natural = now;
    int fit = fittedSize(pane, other, vertical, hold->chosen ? hold->chosen : hold->natural);
    if (fit != now)
        setPaneSize(pane, fit);
}

void MainWin::fitPanes()
{
    shareShortRoom();
    fitPane(mInfoPane, mServerPane, true, &mInfoHold);
    if (paneShown(mInfoPane))
        fitPane(mRuleGrid, mPlayerGrid, false, &mRulesHold);
}

void MainWin::sMainPaneEH(Widget, XtPointer clientData, XEvent *event, Boolean *)
{
    if (event->type != ConfigureNotify)
        return;
    MainWin *win = static_cast<MainWin *>(clientData);
    win->raiseToLeast();
    win->fitPanes();
}

static void setLeast(Widget pane, int least)
{
    Dimension now = 0;
    XtVaGetValues(pane, XmNpaneMinimum, &now, nullptr);
    if (now != least)
        XtVaSetValues(pane, XmNpaneMinimum, (Dimension)least, nullptr);
}

// A window held below its least (a tiling manager may refuse the least) cannot show both
// panes at theirs: the bottom pane gives way first, down to nothing, so that the tabs, the
// heading and a row of the list stay in view. Each gets its least back when there is room.
void MainWin::shareShortRoom()
{
    Dimension whole = 0, margin = 0, spacing = 0;
    XtVaGetValues(mMainPane, XmNheight, &whole, XmNmarginHeight, &margin, XmNspacing, &spacing,
                  nullptr);
    int room = (int)whole - 2 * margin, infoLeast = mInfoHold.least;
    if (paneShown(mInfoPane)) {
        room -= spacing;
        infoLeast = std::max(1, std::min(infoLeast, room - mServerHold.least));
        room -= infoLeast;
    }
    // Held in the window, the list keeps its scroll bar in view.
    int serverLeast = std::max(1, std::min(mServerHold.least, room));
    setLeast(mInfoPane, infoLeast);
    setLeast(mServerPane, serverLeast);
}

// ---- The window's least size

static XtWidgetGeometry preferred(Widget w)
{
    XtWidgetGeometry geometry;
    XtQueryGeometry(w, nullptr, &geometry);
    return geometry;
}

static Dimension resource(Widget w, const char *name)
{
    Dimension value = 0;
    XtVaGetValues(w, name, &value, nullptr);
    return value;
}

static int place(Widget w, const char *name)
{
    Position value = 0;
    XtVaGetValues(w, name, &value, nullptr);
    return value;
}

// The frame's shadows and the main window's margins around the form, the menu bar left out.
// Taken from where the frame and the form stand, not from their sizes: a window that starts
// a few pixels large squeezes those, the menu bar's too, out of all shape.
static void aroundForm(Widget form, Widget menuBar, int *width, int *height)
{
    Widget frame = XtParent(form), main = XtParent(frame);
    int formInsetX = place(form, XmNx) + resource(form, XmNborderWidth);
    int formInsetY = place(form, XmNy) + resource(form, XmNborderWidth);
    int borders = resource(main, XmNborderWidth) + resource(frame, XmNborderWidth);
    // Alike on both sides, but for the menu bar above the frame.
    *width = 2 * (borders + place(frame, XmNx) + formInsetX);
    int aboveFrame = place(frame, XmNy) - resource(menuBar, XmNheight);
    *height = 2 * (borders + formInsetY) + aboveFrame + resource(main, XmNmainWindowMarginHeight);
}

// The bars at their own size, the server pane at its least and the bottom pane, when shown,
// at its least: so no bar folds or cuts its buttons, and the list shows its heading and rows.
void MainWin::leastSize(int *width, int *height)
{
    Widget form = XtParent(mMainPane), statusForm = XtParent(mStatus);
    Widget menuBarWidget = menuBar()->baseWidget(), tabs = XtParent(mViewTabs[0]);
    int aroundWidth = 0, aroundHeight = 0;
    aroundForm(form, menuBarWidget, &aroundWidth, &aroundHeight);
    bool infoShown = XtIsManaged(mInfoPane);
    int paneMarginWidth = 2 * resource(mMainPane, XmNmarginWidth);
    int inside = std::max({(int)preferred(mToolBar).width, (int)preferred(statusForm).width,
                           preferred(tabs).width + paneMarginWidth});
    if (infoShown) {
        int bottom = 2 * resource(mInfoPane, XmNmarginWidth) +
                     resource(mPlayerGrid, XmNpaneMinimum);
        if (XtIsManaged(mRuleGrid))
            bottom += resource(mInfoPane, XmNspacing) + resource(mRuleGrid, XmNpaneMinimum);
        inside = std::max(inside, bottom + paneMarginWidth);
    }
    *width = std::max((int)preferred(menuBarWidget).width, aroundWidth + inside);
    int panes = 2 * resource(mMainPane, XmNmarginHeight) + mServerHold.least;
    if (infoShown)
        panes += resource(mMainPane, XmNspacing) + mInfoHold.least;
    *height = aroundHeight + preferred(menuBarWidget).height + preferred(mToolBar).height +
              panes + preferred(statusForm).height;
}

// Tells the window manager the least and raises a window already smaller to it.
void MainWin::keepLeastSize()
{
    leastSize(&mLeastWidth, &mLeastHeight);
    XtVaSetValues(baseWidget(), XmNminWidth, mLeastWidth, XmNminHeight, mLeastHeight, nullptr);
    mRaisedFrom = mRaisedTo = {0, 0};
    raiseToLeast();
}

// A window manager keeps a window at its least by itself. Without one, or with one that
// does not, a window made smaller is raised to it: once for each size it is given, so a
// manager that insists on a size of its own is not fought for ever. The size the raise
// asked for is no new size given.
void MainWin::raiseToLeast()
{
    Widget shell = baseWidget();
    std::pair<int, int> size(resource(shell, XmNwidth), resource(shell, XmNheight));
    if (size.first >= mLeastWidth && size.second >= mLeastHeight) {
        if (size != mRaisedTo)
            mRaisedFrom = mRaisedTo = {0, 0};
        return;
    }
    if (size == mRaisedFrom)
        return;
    mRaisedFrom = size;
    mRaisedTo = {std::max(size.first, mLeastWidth), std::max(size.second, mLeastHeight)};
    XtVaSetValues(shell, XmNwidth, (Dimension)mRaisedTo.first,
                  XmNheight, (Dimension)mRaisedTo.second, nullptr);
}
