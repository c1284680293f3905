// serverGrid.cpp - MainWin's server pane: the view tabs, the server grid rebuilt from the
// server list, the text of a server's row, and the selection kept in Flag_Selected.
#include "browser/mainwin.h"

#include "browser/clock.h"
#include "framework/VkApp.h"
#include "widgets/Grid.h"

#include <Xm/Form.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

#include <algorithm>
#include <cassert>
#include <cstdio>
#include <string>

static const char *const sTabNames[MainWin::Views] = {
    "all", "passed", "skipped", "favorites", "avoid",
};

// ---- Building

Widget MainWin::createServerPane(Widget parent)
{
    Widget pane = XtVaCreateWidget("serverPane", xmFormWidgetClass, parent,
                                   XmNallowResize, True, nullptr);
    Widget folder = XtVaCreateWidget("folder", xmRowColumnWidgetClass, pane,
                                     XmNorientation, XmHORIZONTAL,
                                     XmNradioAlwaysOne, True,
                                     XmNradioBehavior, True,
                                     XmNspacing, 0,
                                     XmNtopAttachment, XmATTACH_FORM,
                                     XmNleftAttachment, XmATTACH_FORM,
                                     XmNrightAttachment, XmATTACH_FORM, nullptr);
    for (int view = 0; view < Views; view++) {
        mViewTabs[view] = createTabButton(folder, sTabNames[view]);
        XtAddCallback(mViewTabs[view], XmNvalueChangedCallback, &MainWin::sViewTabCB, this);
    }
    if (mView >= 0 && mView < Views)
        XmToggleButtonSetState(mViewTabs[mView], True, False);
    XtManageChild(folder);
    mServerGrid = createServerGrid(pane, folder);
    mServerHold.least = serverPaneLeast(folder);
    XtManageChild(pane);
    return pane;
}

Widget MainWin::createServerGrid(Widget pane, Widget folder)
{
    Arg args[14];
    Cardinal n = 0;
    XtSetArg(args[n], XmNtopAttachment, XmATTACH_WIDGET); n++;
    XtSetArg(args[n], XmNtopWidget, folder); n++;
    XtSetArg(args[n], XmNleftAttachment, XmATTACH_FORM); n++;
    XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM); n++;
    XtSetArg(args[n], XmNbottomAttachment, XmATTACH_FORM); n++;
    XtSetArg(args[n], XmNheadingRows, 1); n++;
    XtSetArg(args[n], XmNvisibleRows, 10); n++;
    XtSetArg(args[n], XmNcolumns, 6); n++;
    XtSetArg(args[n], XmNsimpleWidths, "22c 6c 5c 20c 6c 7c"); n++;
    XtSetArg(args[n], XmNsimpleHeadings, "Server Name|Ping|T/O|IP Address|Map|Players"); n++;
    XtSetArg(args[n], XmNvsbDisplayPolicy, XmSTATIC); n++;
    XtSetArg(args[n], XmNhighlightRowMode, False); n++;
    XtSetArg(args[n], XmNselectionPolicy, XmSELECT_MULTIPLE_ROW); n++;
    Widget grid = XmLCreateGrid(pane, (char *)"serverGrid", args, n);
    XtManageChild(grid);
    XtAddCallback(grid, XmNselectCallback, &MainWin::selectCB, this);
    XtAddCallback(grid, XmNdeselectCallback, &MainWin::selectCB, this);
    XtAddEventHandler(grid, ButtonPressMask, False, &MainWin::sGridEventHandler, this);
    XtVaSetValues(grid, XmNcellAlignment, XmALIGNMENT_LEFT, nullptr);
    XtVaSetValues(grid, XmNcellDefaults, True,
                  XmNcellLeftBorderType, XmBORDER_NONE,
                  XmNcellRightBorderType, XmBORDER_NONE,
                  XmNcellTopBorderType, XmBORDER_NONE,
                  XmNcellBottomBorderType, XmBORDER_NONE,
                  XmNcellAlignment, XmALIGNMENT_LEFT, nullptr);
    return grid;
}

// The server pane never gets so low that the list loses its headings and first rows: the
// tabs above the grid, the heading row and this many rows, the grid's shadow and its
// horizontal scroll bar. Measured on the new grid at its own size: squeezed by a window that
// starts a few pixels large, it has no heading row laid out to measure.
static const int ServerRowsKept = 3;

Dimension MainWin::serverPaneLeast(Widget folder)
{
    XtWidgetGeometry tabs;
    XtQueryGeometry(folder, nullptr, &tabs);
    Widget hsb = nullptr;
    Dimension margin = 0;
    XtVaGetValues(mServerGrid, XmNhorizontalScrollBar, &hsb, XmNscrollBarMargin, &margin,
                  nullptr);
    XRectangle heading = {0, 0, 0, 0};
    XmLGridRowColumnToXY(mServerGrid, XmHEADING, 0, XmCONTENT, 0, False, &heading);
    Dimension hsbHeight = 0;
    if (hsb)
        XtVaGetValues(hsb, XmNheight, &hsbHeight, nullptr);
    int top = tabs.height + 2 * tabs.border_width;
    int least = top + 2 * heading.y + heading.height * (1 + ServerRowsKept) + margin + hsbHeight;
    return (Dimension)std::max(1, least);
}

Widget MainWin::createTabButton(Widget parent, const char *name)
{
    return XtVaCreateManagedWidget(name, xmToggleButtonWidgetClass, parent,
                                   XmNindicatorOn, False, nullptr);
}

// ---- View tabs

void MainWin::sViewTabCB(Widget w, XtPointer clientData, XtPointer callData)
{
    auto *data = static_cast<XmToggleButtonCallbackStruct *>(callData);
    static_cast<MainWin *>(clientData)->viewTabChanged(w, data->set != 0);
}

void MainWin::viewTabChanged(Widget tab, bool set)
{
    if (!set)
        return;
    for (int view = 0; view < Views; view++) {
        if (mViewTabs[view] == tab)
            mView = view;
    }
    updateView();
}

void MainWin::setViewTab(int view)
{
    if (view >= 0 && view < Views && mViewTabs[view])
        XmToggleButtonSetState(mViewTabs[view], True, True);
}

void MainWin::updateView()
{
    buildServerList();
    updateCommandState();
    setStatus(nullptr);
}

// ---- Following the server list

// During a run the grid catches up this often rather than once per answer: each catch-up
// sorts the view once and touches only the rows that are new, gone or changed. Over a list
// so long that a catch-up itself takes a while, they come further apart.
static const long GridFollowMs = 250;
static const int GridFollowShare = 5;   // a catch-up takes at most 1/5 of the time

void MainWin::buildServerList()
{
    syncServerGrid(true);
}

void MainWin::serverChanged(Server *s)
{
    mChangedServers.insert(s);
    scheduleGridSync(std::max(GridFollowMs, mGridSyncMs * GridFollowShare));
}

void MainWin::catchUpServerGrid()
{
    if (mGridTimer || !mChangedServers.empty())
        syncServerGrid(false);
}

// At most one catch-up waits; the first change after a quiet spell shows at once.
void MainWin::scheduleGridSync(long delayMs)
{
    if (mGridTimer)
        return;
    long long due = mGridSyncedAt + delayMs - monotonicMs();
    mGridTimer = XtAppAddTimeOut(gApplication->appContext(),
                                 (unsigned long)std::max(0LL, due), &MainWin::sGridTimerCB,
                                 this);
}

void MainWin::cancelGridSync()
{
    if (mGridTimer)
        XtRemoveTimeOut(mGridTimer);
    mGridTimer = 0;
}

void MainWin::sGridTimerCB(XtPointer clientData, XtIntervalId *)
{
    MainWin *win = static_cast<MainWin *>(clientData);
    win->mGridTimer = 0;
    win->syncServerGrid(false);
}

// Leaves the grid as a rebuild from scratch would: the view's servers, sorted, each row's
// text and selection from its server, the scroll row kept. everyRow also rewrites rows
// whose server was not reported changed, and refills the panes.
void MainWin::syncServerGrid(bool everyRow)
{
    cancelGridSync();
    long long began = monotonicMs();
    if (!mServerGrid) {
        for (Server &s : mServerList)
            s.mRow = -1;
        mChangedServers.clear();
        return;
    }
    Server *paneServer = selectedServer();      // compared only: it may have been deleted
    int scrollRow = 0;
    XtVaGetValues(mServerGrid, XmNscrollRow, &scrollRow, nullptr);
    std::vector<Server *> shown = shownServers();
    XtVaSetValues(mServerGrid, XmNlayoutFrozen, True, nullptr);
    std::vector<bool> fresh = placeRows(shown);
    writeRows(shown, fresh, everyRow);
    matchSelection(shown);
    int lastRow = (int)shown.size() - 1;
    XtVaSetValues(mServerGrid, XmNlayoutFrozen, False,
                  XmNscrollRow, std::min(scrollRow, lastRow), nullptr);
    // Once every row is back, so that a second selected server further down is counted:
    // the panes show a server only while it is the one selected.
    Server *selected = selectedServer();
    if (everyRow || selected != paneServer || (selected && mChangedServers.count(selected)))
        fillInfoPanes(selected);
    mChangedServers.clear();
    mGridSyncedAt = monotonicMs();
    mGridSyncMs = (long)(mGridSyncedAt - began);
}

std::vector<Server *> MainWin::shownServers()
{
    std::vector<Server *> shown;
    for (Server &s : mServerList) {
        if (filterServer(s))
            shown.push_back(&s);
    }
    if (!shown.empty())
        sortServers(shown.data(), (int)shown.size());
    return shown;
}

// Rows of servers still shown are kept and moved into place, new servers get rows added in
// one go and the rows of servers gone are deleted in one go; a row keeps its selection and
// user data as it moves. Answers which rows are new.
std::vector<bool> MainWin::placeRows(const std::vector<Server *> &shown)
{
    if (rowCount() != (int)mRowServers.size()) {
        // Rows changed behind our back: nothing in the grid can be trusted.
        XmLGridDeleteAllRows(mServerGrid, XmCONTENT);
        mRowServers.clear();
        mRowTexts.clear();
    }
    int had = (int)mRowServers.size();
    int count = (int)shown.size();
    std::vector<int> from;      // from[i]: the row that moves to row i; gone rows last
    std::vector<bool> fresh = planRows(shown, &from);
    int total = (int)from.size();
    if (total > had)
        XmLGridAddRows(mServerGrid, XmCONTENT, had, total - had);
    for (int i = 0; i < total; i++) {
        if (from[i] != i) {
            XmLGridReorderRows(mServerGrid, from.data(), 0, total);
            break;
        }
    }
    if (total > count)
        XmLGridDeleteRows(mServerGrid, XmCONTENT, count, total - count);
    std::vector<std::string> texts((size_t)count);
    for (int i = 0; i < count; i++) {
        if (!fresh[i])
            texts[i].swap(mRowTexts[from[i]]);
    }
    mRowTexts.swap(texts);
    mRowServers = shown;
    for (Server &s : mServerList)
        s.mRow = -1;
    for (int i = 0; i < count; i++) {
        shown[i]->mRow = i;
        if (fresh[i])
            XtVaSetValues(mServerGrid, XmNrowType, XmCONTENT, XmNrow, i,
                          XmNrowUserData, (XtPointer)shown[i], nullptr);
    }
    return fresh;
}

// Where each row of shown comes from: the server's own row when it has one (mRow still
// names the row the last sync gave it), else a new row after the old ones.
std::vector<bool> MainWin::planRows(const std::vector<Server *> &shown, std::vector<int> *from)
{
    int had = (int)mRowServers.size();
    std::vector<bool> kept((size_t)had, false), fresh(shown.size(), false);
    int added = 0;
    for (size_t i = 0; i < shown.size(); i++) {
        int row = shown[i]->mRow;
        if (row >= 0 && row < had && mRowServers[row] == shown[i] && !kept[row]) {
            kept[row] = true;
            from->push_back(row);
        } else {
            fresh[i] = true;
            from->push_back(had + added++);
        }
    }
    for (int row = 0; row < had; row++) {
        if (!kept[row])
            from->push_back(row);
    }
    return fresh;
}

// Neighbouring rows go to the grid in one call, a line each.
void MainWin::writeRows(const std::vector<Server *> &shown, const std::vector<bool> &fresh,
                        bool everyRow)
{
    std::string run;
    int first = -1;
    for (int i = 0; i <= (int)shown.size(); i++) {
        bool write = false;
        if (i < (int)shown.size() &&
            (fresh[i] || everyRow || mChangedServers.count(shown[i]) != 0)) {
            std::string text = serverRowText(*shown[i]);
            write = fresh[i] || text != mRowTexts[i];
            if (write)
                mRowTexts[i].swap(text);
        }
        if (write) {
            if (first < 0)
                first = i;
            else
                run += '\n';
            run += mRowTexts[i];
        } else if (first >= 0) {
            XmLGridSetStringsPos(mServerGrid, XmCONTENT, first, XmCONTENT, 0,
                                 (char *)run.c_str());
            run.clear();
            first = -1;
        }
    }
}

// The selection lives in the servers; a row shows its server's.
void MainWin::matchSelection(const std::vector<Server *> &shown)
{
    for (int i = 0; i < (int)shown.size(); i++) {
        bool wanted = shown[i]->TestFlag(Server::Flag_Selected);
        if ((bool)XmLGridRowIsSelected(XmLGridGetRow(mServerGrid, XmCONTENT, i)) == wanted)
            continue;
        if (wanted)
            XmLGridSelectRow(mServerGrid, i, False);
        else
            XmLGridDeselectRow(mServerGrid, i, False);
    }
}

void MainWin::updateServerLine(Server *server)
{
    assert(server);
    if (server->mRow == -1)
        return;
    writeServerRow(*server);
    if (server == selectedServer())
        fillInfoPanes(server);
}

void MainWin::writeServerRow(const Server &s)
{
    mRowTexts[s.mRow] = serverRowText(s);
    XmLGridSetStringsPos(mServerGrid, XmCONTENT, s.mRow, XmCONTENT, 0,
                         (char *)mRowTexts[s.mRow].c_str());
}

void MainWin::fillInfoPanes(Server *s)
{
    fillRuleGrid(s);
    fillPlayerGrid(s);
}

// ---- Row text

// The grid reads "|" as the next cell and a line break as the next row, and names and maps
// come from the servers: either would write over a neighbouring cell or server. It also
// reads a backslash before an "n" as a line break, so a blank goes between the two: the
// text stays on its one line with every character the server sent.
std::string MainWin::cellText(const std::string &text)
{
    std::string cell;
    cell.reserve(text.size());
    for (size_t i = 0; i < text.size(); i++) {
        char c = text[i];
        if (c == '|')
            c = '!';
        else if ((unsigned char)c < ' ' || c == 0x7f)
            c = ' ';
        cell.push_back(c);
        if (c == '\\' && i + 1 < text.size() && text[i + 1] == 'n')
            cell.push_back(' ');
    }
    return cell;
}

// A server's name in a sentence (the status line, a dialog): cleaned as the grid shows it
// and cut with "...", so that the words after it are still seen.
std::string MainWin::shownName(const char *name)
{
    std::string text = cellText(name);
    if (text.size() > MaxShownName)
        text = text.substr(0, MaxShownName - 3) + "...";
    return text;
}

// A name that found no address holds the broadcast address in its place, where it is not.
const char *MainWin::dottedAddress(const Server &s)
{
    return s.mAddress.HasAddress() ? s.mAddress.DottedString() : "-";
}

std::string MainWin::addressText(const Server &s)
{
    std::string address = dottedAddress(s);
    if (s.mPort != Server::DefaultPort)
        address += ":" + std::to_string(s.mPort);
    return address;
}

std::string MainWin::serverRowText(const Server &s)
{
    std::string name = cellText(s.GetName());
    std::string address = addressText(s);
    if (s.mDown)
        return name + "|-|-|" + address + "|-|-";
    char numbers[80];
    snprintf(numbers, sizeof numbers, "|%d|%d|", s.GetPing(), s.mTimeouts);
    char players[40];
    snprintf(players, sizeof players, "|%d/%d", s.mNumPlayers, s.mMaxPlayers);
    return name + numbers + address + "|" + cellText(s.mMap) + players;
}

// ---- Selection

void MainWin::selectCB(Widget, XtPointer clientData, XtPointer callData)
{
    auto *data = static_cast<XmLGridCallbackData *>(callData);
    static_cast<MainWin *>(clientData)->selectionChanged(data->rowType == XmHEADING,
                                                         data->column);
}

void MainWin::selectionChanged(bool heading, int column)
{
    if (heading) {
        printf("HEADING%d\n", column);
        fflush(stdout);
        return;
    }
    updateCommandState();
    // Rows and servers match one to one between rebuilds, so mRow finds each row.
    for (Server &s : mServerList) {
        XmLGridRow row = s.mRow >= 0 ? XmLGridGetRow(mServerGrid, XmCONTENT, s.mRow) : nullptr;
        s.SetSelected(row && XmLGridRowIsSelected(row));
    }
    fillInfoPanes(selectedServer());
    // Changes waiting for the grid show as soon as the grid has finished with the click.
    if (mGridTimer) {
        cancelGridSync();
        scheduleGridSync(0);
    }
}

void MainWin::sGridEventHandler(Widget, XtPointer clientData, XEvent *event, Boolean *)
{
    if (event->type == ButtonPress && event->xbutton.button == Button3)
        static_cast<MainWin *>(clientData)->postPopup(event);
}

Server *MainWin::rowServer(int row)
{
    XmLGridRow record = XmLGridGetRow(mServerGrid, XmCONTENT, row);
    if (!record)
        return nullptr;
    XtPointer data = nullptr;
    XtVaGetValues(mServerGrid, XmNrowPtr, record, XmNrowUserData, &data, nullptr);
    return static_cast<Server *>(data);
}

// In the grid's order, which is the order the user sees.
std::vector<Server *> MainWin::selectedServers()
{
    std::vector<Server *> selected;
    int count = mServerGrid ? XmLGridGetSelectedRowCount(mServerGrid) : 0;
    if (count <= 0)
        return selected;
    std::vector<int> rows((size_t)count);
    if (XmLGridGetSelectedRows(mServerGrid, rows.data(), count) < 0)
        return selected;
    for (int row : rows) {
        if (Server *s = rowServer(row))
            selected.push_back(s);
    }
    return selected;
}

Server *MainWin::selectedServer()
{
    if (!mServerGrid || XmLGridGetSelectedRowCount(mServerGrid) != 1)
        return nullptr;
    return rowServer(XmLGridGetSelectedRow(mServerGrid));
}

int MainWin::selectedCount()
{
    if (isBusy() || !mServerGrid)
        return 0;
    return XmLGridGetSelectedRowCount(mServerGrid);
}
