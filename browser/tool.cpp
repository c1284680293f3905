// tool.cpp - MainWin's tool bar: fourteen picture buttons whose tips show in the status
// line, their dispatch, and their sensitivity.
#include "browser/mainwin.h"

#include "browser/toolPixmaps.h"
#include "framework/VkErrorDialog.h"

#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/Xm.h>

#include <X11/xpm.h>

#include <cassert>
#include <cstdint>

namespace {
enum {
    Tool_Load, Tool_Save, Tool_Print, Tool_Copy, Tool_Add, Tool_Delete, Tool_Launch,
    Tool_UpdateList, Tool_Refresh, Tool_RefreshAll, Tool_Find, Tool_Redial, Tool_Options,
    Tool_Stop
};

struct ToolInfo {
    const char  *name;
    const char  *tip;
    const char **picture;
    const char **insensitive;
    bool         spacerAfter;
};

const ToolInfo sTools[MainWin::Tools] = {
    {"load", "Load server list", loadXpm, loadInsXpm, false},
    {"save", "Save server list", saveXpm, saveInsXpm, false},
    {"print", "Print server list", printXpm, printInsXpm, false},
    {"copy", "Copy selected servers", copyXpm, copyInsXpm, true},
    {"add", "Add new server", addXpm, addInsXpm, false},
    {"delete", "Delete selected servers", deleteXpm, deleteInsXpm, true},
    {"launch", "Launch Quake", launchXpm, launchInsXpm, true},
    {"updateList", "Update server list", updateListXpm, updateListInsXpm, false},
    {"refresh", "Refresh selected servers", refreshXpm, refreshInsXpm, false},
    {"refreshAll", "Refresh all servers", refreshAllXpm, refreshAllInsXpm, false},
    {"find", "Find player", findXpm, findInsXpm, false},
    {"redial", "Busy server redial", redialXpm, redialInsXpm, true},
    {"options", "Options", optionsXpm, optionsInsXpm, true},
    {"stop", "Stop", stopXpm, stopInsXpm, false},
};
} // namespace

// ---- Building

void MainWin::createToolBar(Widget toolBar)
{
    for (int tool = 0; tool < Tools; tool++) {
        const ToolInfo &info = sTools[tool];
        mTools[tool] = createToolButton(toolBar, info.name, info.picture, info.insensitive);
        XtVaSetValues(mTools[tool], XmNuserData, (XtPointer)(intptr_t)tool, nullptr);
        XtAddCallback(mTools[tool], XmNactivateCallback, &MainWin::sToolCB, this);
        XtAddEventHandler(mTools[tool], EnterWindowMask | LeaveWindowMask, False,
                          &MainWin::sToolEventHandler, this);
        if (info.spacerAfter)
            createSpacer(toolBar);
    }
}

Widget MainWin::createToolButton(Widget parent, const char *name, const char **picture,
                                 const char **insensitive)
{
    Widget button = XtVaCreateManagedWidget(name, xmPushButtonWidgetClass, parent, nullptr);
    Pixmap normal = createPixmap(button, picture);
    Pixmap grey = insensitive ? createPixmap(button, insensitive) : normal;
    XtVaSetValues(button, XmNlabelType, XmPIXMAP, XmNlabelPixmap, normal,
                  XmNlabelInsensitivePixmap, grey, nullptr);
    return button;
}

// The symbolic colours become the button's own, so a picture sits on the bar seamlessly.
Pixmap MainWin::createPixmap(Widget w, const char **data)
{
    Pixel background = 0, topShadow = 0, bottomShadow = 0;
    XtVaGetValues(w, XmNbackground, &background, XmNtopShadowColor, &topShadow,
                  XmNbottomShadowColor, &bottomShadow, nullptr);
    XpmColorSymbol symbols[6] = {
        {(char *)"Background", nullptr, background},
        {(char *)"TopShadowColor", nullptr, topShadow},
        {(char *)"BottomShadowColor", nullptr, bottomShadow},
        {(char *)"background", nullptr, background},
        {(char *)"topShadowColor", nullptr, topShadow},
        {(char *)"bottomShadowColor", nullptr, bottomShadow},
    };
    XpmAttributes attributes;
    attributes.valuemask = XpmColorSymbols;
    attributes.colorsymbols = symbols;
    attributes.numsymbols = 6;
    Display *dpy = XtDisplay(w);
    Pixmap pixmap = None;
    // A picture that cannot be made leaves the button blank; it still works.
    XpmCreatePixmapFromData(dpy, RootWindow(dpy, DefaultScreen(dpy)), (char **)data,
                            &pixmap, nullptr, &attributes);
    return pixmap;
}

Widget MainWin::createSpacer(Widget parent)
{
    return XtVaCreateManagedWidget("spacer", xmLabelWidgetClass, parent,
                                   XmNrecomputeSize, False, nullptr);
}

// ---- Tips and dispatch

static int toolOf(Widget button)
{
    XtPointer data = nullptr;
    XtVaGetValues(button, XmNuserData, &data, nullptr);
    int tool = (int)(intptr_t)data;
    assert(tool >= 0 && tool < MainWin::Tools);
    return tool;
}

void MainWin::sToolEventHandler(Widget w, XtPointer clientData, XEvent *event, Boolean *)
{
    MainWin *win = static_cast<MainWin *>(clientData);
    int tool = toolOf(w);
    if (event->type == EnterNotify)
        win->showTip(sTools[tool].tip);
    else if (event->type == LeaveNotify)
        win->setStatus(nullptr);
}

void MainWin::sToolCB(Widget w, XtPointer clientData, XtPointer)
{
    static_cast<MainWin *>(clientData)->runTool(toolOf(w));
}

void MainWin::runTool(int tool)
{
    switch (tool) {
    case Tool_Load:       loadServers(); break;
    case Tool_Save:       saveServers(); break;
    case Tool_Print:      printServers(); break;
    case Tool_Copy:       copyCB(); break;
    case Tool_Add:        showAddDialog(); break;
    case Tool_Delete:     deleteServers(); break;
    case Tool_Launch:     launchGame(); break;
    case Tool_UpdateList: updateList(); break;
    case Tool_Refresh:    refreshSelected(); break;
    case Tool_RefreshAll: refreshAll(); break;
    case Tool_Find:       notImplemented(); break;
    case Tool_Redial:     redialSelected(); break;
    case Tool_Options:    showOptionsDialog(); break;
    case Tool_Stop:       stop(); break;
    }
}

// ---- Sensitivity

void MainWin::updateToolbar()
{
    if (!mTools[0])
        return;     // the bar is built with the window, after the first command update
    bool busy = isBusy();
    int sel = selectedCount();
    bool enabled[Tools] = {};
    enabled[Tool_Load] = enabled[Tool_Save] = enabled[Tool_Print] = true;
    enabled[Tool_Add] = enabled[Tool_UpdateList] = enabled[Tool_Find] = true;
    enabled[Tool_Options] = true;
    enabled[Tool_Copy] = enabled[Tool_Delete] = enabled[Tool_Refresh] = sel > 0;
    enabled[Tool_Launch] = enabled[Tool_Redial] = sel == 1;
    enabled[Tool_RefreshAll] = serverCount() > 0;
    for (int tool = 0; tool < Tools; tool++)
        XtSetSensitive(mTools[tool], tool == Tool_Stop ? busy : !busy && enabled[tool]);
}

void MainWin::notImplemented()
{
    gErrorDialog->postAndWait("Unimplemented feature.", this);
}
