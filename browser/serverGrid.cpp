// serverGrid.cpp - MainWin's server pane: the view tabs, the server grid rebuilt from the
// server list, the text of a server's row, and the selection kept in Flag_Selected.
#include "browser/mainwin.h"

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

// ---- The rebuild

void MainWin::buildServerList()
{
    if (!mServerGrid) {
        for (Server &s : mServerList)
            s.mRow = -1;
        return;
    }
    int scrollRow = 0;
    XtVaGetValues(mServerGrid, XmNscrollRow, &scrollRow, nullptr);
    XmLGridDeleteAllRows(mServerGrid, XmCONTENT);
    std::vector<Server *> shown;
    for (Server &s : mServerList) {
        s.mRow = -1;
        if (filterServer(s))
            shown.push_back(&s);
    }
    if (!shown.empty())
        sortServers(shown.data(), (int)shown.size());
    XtVaSetValues(mServerGrid, XmNlayoutFrozen, True, nullptr);
    for (int i = 0; i < (int)shown.size(); i++)
        addServerRow(shown[i], i);
    int lastRow = (int)shown.size() - 1;
    XtVaSetValues(mServerGrid, XmNlayoutFrozen, False,
                  XmNscrollRow, std::min(scrollRow, lastRow), nullptr);
    // Once every row is back, so that a second selected server further down is counted:
    // the panes show a server only while it is the one selected.
    fillInfoPanes(selectedServer());
}

void MainWin::addServerRow(Server *s, int row)
{
    s->mRow = row;
    XmLGridAddRows(mServerGrid, XmCONTENT, row, 1);
    XtVaSetValues(mServerGrid, XmNrowType, XmCONTENT, XmNrow, row,
                  XmNrowUserData, (XtPointer)s, nullptr);
    if (s->TestFlag(Server::Flag_Selected))
        XmLGridSelectRow(mServerGrid, row, False);
    writeServerRow(*s);
}

void MainWin::serverChanged(Server *)
{
    buildServerList();
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
    std::string text = serverRowText(s);
    XmLGridSetStringsPos(mServerGrid, XmCONTENT, s.mRow, XmCONTENT, 0, (char *)text.c_str());
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

std::string MainWin::addressText(const Server &s)
{
    std::string address = s.mAddress.DottedString();
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
