// serverGrid.cpp - MainWin's server pane: the view tabs, the selection and the rebuild of
// the server list. The server grid itself is not built yet: until it is, no server is
// shown (rowCount is 0), and the selection is whatever Flag_Selected says.
#include "browser/mainwin.h"

#include <Xm/Form.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleB.h>
#include <Xm/Xm.h>

static const char *const sTabNames[MainWin::Views] = {
    "all", "passed", "skipped", "favorites", "avoid",
};

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
    XtManageChild(pane);
    return pane;
}

Widget MainWin::createTabButton(Widget parent, const char *name)
{
    return XtVaCreateManagedWidget(name, xmToggleButtonWidgetClass, parent,
                                   XmNindicatorOn, False, nullptr);
}

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

// No grid yet: no server has a row.
void MainWin::buildServerList()
{
    for (Server &s : mServerList)
        s.mRow = -1;
}

void MainWin::serverChanged(Server *)
{
    buildServerList();
}

std::vector<Server *> MainWin::selectedServers()
{
    std::vector<Server *> selected;
    for (Server &s : mServerList) {
        if (s.TestFlag(Server::Flag_Selected))
            selected.push_back(&s);
    }
    return selected;
}

Server *MainWin::selectedServer()
{
    std::vector<Server *> selected = selectedServers();
    return selected.size() == 1 ? selected[0] : nullptr;
}

int MainWin::selectedCount()
{
    return isBusy() ? 0 : (int)selectedServers().size();
}
