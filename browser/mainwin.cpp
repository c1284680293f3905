// mainwin.cpp - MainWin: construction, the start sequence, the widget tree, the status line
// and quitting.
#include "browser/mainwin.h"

#include "browser/aboutDialog.h"
#include "browser/addDialog.h"
#include "browser/gameStarter.h"
#include "browser/optionsDialog.h"
#include "browser/redialDialog.h"
#include "framework/VkApp.h"
#include "framework/VkPopupMenu.h"
#include "widgets/Progress.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/PanedW.h>
#include <Xm/RowColumn.h>
#include <Xm/TextF.h>
#include <Xm/Xm.h>

#include <cassert>
#include <cstdarg>
#include <cstdio>

MainWin::MainWin() : VkWindow("MainWin")
{
    mQueryInfo.maxRetries = 1;
    mQueryInfo.getPlayers = 0;
    mQueryInfo.getRules = 0;
    createMenuBar();
    setIconName("Vireo");      // what a task bar and an iconified window show
}

MainWin::~MainWin()
{
    if (sSessionWindow == this)
        sSessionWindow = nullptr;
    abandonRun();
    if (mStatusTimer)
        XtRemoveTimeOut(mStatusTimer);
    if (mPlaceTimer)
        XtRemoveTimeOut(mPlaceTimer);
    cancelGridSync();
    delete mPopupMenu;
    mPopupMenu = nullptr;
    // Their shells hang under this window's widgets, which go next.
    delete mAddDialog;
    delete mRedialDialog;
    delete mAboutDialog;
    delete mOptionsDialog;
    delete mGameStarter;
}

const char *MainWin::className()
{
    return "MainWin";
}

// A window closed in the middle of a run must leave nothing behind that calls it back,
// and every query socket it opened must be counted closed again.
void MainWin::abandonRun()
{
    removeWorkAndTimer();
    for (Server *s : mWaitingList) {
        if (s->Connected())
            s->Close();
    }
    mWaitingList.clear();
    mQueryQueue.clear();
}

// ---- Start and quit

void MainWin::show()
{
    if (visibleState() != NeverShown) {
        VkWindow::show();
        return;
    }
    readSettings();
    VkWindow::show();       // builds the widget tree with the view tab read above
    watchPlace();
    applyPaneSettings();
    updatePaneLabels();
    updateCommandState();
    buildServerList();
    setStatus(nullptr);     // the line was written while the grid was still empty
    if (mOptions.autoUpdate)
        updateList();
    else if (mOptions.queryOnLoad)
        refreshAll();
}

bool MainWin::canQuit()
{
    writeSettings();
    return true;
}

void MainWin::onDeleteWindow()
{
    writeSettings();
    VkWindow::onDeleteWindow();     // deletes this window; the last one ends the program
}

// ---- The widget tree

// Panes take any size the window gives them. The paned window's own most (1000) left a
// strip beside the panes of a wide window, and spun for ever on a saved size that would
// have pushed the other pane past it.
static const Dimension PaneMost = 32767;

Widget MainWin::buildInterface(Widget parent)
{
    Widget frame = XtVaCreateWidget("mainFrame", xmFrameWidgetClass, parent,
                                    XmNshadowType, XmSHADOW_OUT, nullptr);
    Widget form = XtVaCreateWidget("mainForm", xmFormWidgetClass, frame, nullptr);

    mToolBar = XtVaCreateWidget("toolBar", xmRowColumnWidgetClass, form,
                                XmNorientation, XmHORIZONTAL,
                                XmNspacing, 0,
                                XmNtopAttachment, XmATTACH_FORM,
                                XmNleftAttachment, XmATTACH_FORM,
                                XmNrightAttachment, XmATTACH_FORM, nullptr);
    createToolBar(mToolBar);
    XtManageChild(mToolBar);

    Widget statusForm = createStatusForm(form);

    mMainPane = XtVaCreateWidget("mainPane", xmPanedWindowWidgetClass, form,
                                 XmNorientation, XmVERTICAL,
                                 XmNtopAttachment, XmATTACH_WIDGET,
                                 XmNtopWidget, mToolBar,
                                 XmNleftAttachment, XmATTACH_FORM,
                                 XmNrightAttachment, XmATTACH_FORM,
                                 XmNbottomAttachment, XmATTACH_WIDGET,
                                 XmNbottomWidget, statusForm, nullptr);
    mServerPane = createServerPane(mMainPane);
    mInfoPane = createInfoPane(mMainPane);
    XtVaSetValues(mInfoPane, XmNskipAdjust, True, XmNallowResize, True, nullptr);
    if (mRuleGrid)
        XtVaSetValues(mRuleGrid, XmNskipAdjust, True, XmNallowResize, True, nullptr);
    for (Widget pane : {mServerPane, mInfoPane, mPlayerGrid, mRuleGrid})
        XtVaSetValues(pane, XmNpaneMaximum, PaneMost, nullptr);
    watchSashes(mMainPane);
    watchSashes(mInfoPane);
    XtAddEventHandler(mMainPane, StructureNotifyMask, False, &MainWin::sMainPaneEH, this);
    XtManageChild(mMainPane);
    XtManageChild(form);
    return frame;
}

// The status line on the left half of the bar, the progress meter on the right, as
// tall as the text.
Widget MainWin::createStatusForm(Widget form)
{
    Widget statusForm = XtVaCreateWidget("statusForm", xmFormWidgetClass, form,
                                         XmNleftAttachment, XmATTACH_FORM,
                                         XmNrightAttachment, XmATTACH_FORM,
                                         XmNbottomAttachment, XmATTACH_FORM,
                                         XmNfractionBase, 2, nullptr);
    Arg args[5];
    Cardinal n = 0;
    XtSetArg(args[n], XmNtopAttachment, XmATTACH_FORM); n++;
    XtSetArg(args[n], XmNrightAttachment, XmATTACH_FORM); n++;
    XtSetArg(args[n], XmNbottomAttachment, XmATTACH_FORM); n++;
    XtSetArg(args[n], XmNleftAttachment, XmATTACH_POSITION); n++;
    XtSetArg(args[n], XmNleftPosition, 1); n++;
    mProgress = XmLCreateProgress(statusForm, (char *)"progress", args, n);
    XtManageChild(mProgress);

    mStatus = XtVaCreateManagedWidget("status", xmTextFieldWidgetClass, statusForm,
                                      XmNtopAttachment, XmATTACH_FORM,
                                      XmNleftAttachment, XmATTACH_FORM,
                                      XmNbottomAttachment, XmATTACH_FORM,
                                      XmNrightAttachment, XmATTACH_WIDGET,
                                      XmNrightWidget, mProgress,
                                      XmNeditable, False,
                                      XmNcursorPositionVisible, False, nullptr);
    setStatus(nullptr);
    XtWidgetGeometry preferred;
    XtQueryGeometry(mStatus, nullptr, &preferred);
    XtVaSetValues(mProgress, XmNheight, preferred.height, nullptr);
    XtManageChild(statusForm);
    return statusForm;
}

// ---- Status and command state

// Without a format: the "%d/%d servers" line, or the message held on the line.
void MainWin::setStatus(const char *format, ...)
{
    std::string text;
    if (format) {
        va_list args;
        va_start(args, format);
        text = statusText(format, args);
        va_end(args);
        releaseStatus();        // something new is going on
        mStatusPending.clear(); // and a line the pace held back is older news
    } else if (mStatusTimer) {
        text = mHeldStatus;
    } else {
        text = std::to_string(rowCount()) + "/" + std::to_string(mServerCount) + " servers";
    }
    showStatus(text.c_str());
}

std::string MainWin::statusText(const char *format, va_list args)
{
    char text[256];
    vsnprintf(text, sizeof text, format, args);
    return text;
}

// A failure would otherwise be gone at once: the view update and the pointer leaving a
// tool both put the count line back.
void MainWin::holdStatus(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    std::string text = statusText(format, args);
    va_end(args);
    releaseStatus();
    mHeldStatus = text;
    if (mStatus)
        mStatusTimer = XtAppAddTimeOut(gApplication->appContext(), (unsigned long)mStatusHoldMs,
                                       &MainWin::sStatusTimerCB, this);
    showStatus(text.c_str());
}

void MainWin::showTip(const char *tip)
{
    showStatus(tip);
}

void MainWin::sStatusTimerCB(XtPointer clientData, XtIntervalId *)
{
    MainWin *win = static_cast<MainWin *>(clientData);
    win->mStatusTimer = 0;
    win->statusHeldOut();
}

// The count line comes back unless something else (a tip) is on the line now.
void MainWin::statusHeldOut()
{
    bool showing = statusText() == displayedStatus(mHeldStatus.c_str());
    mHeldStatus.clear();
    if (showing)
        setStatus(nullptr);
}

void MainWin::releaseStatus()
{
    if (mStatusTimer)
        XtRemoveTimeOut(mStatusTimer);
    mStatusTimer = 0;
    mHeldStatus.clear();
}

// Messages such as "Could not connect to %s: %s\n" end in a line feed, which the text
// field would draw as a glyph.
std::string MainWin::displayedStatus(const char *text)
{
    std::string shown = text;
    while (!shown.empty() && (shown.back() == '\n' || shown.back() == '\r'))
        shown.pop_back();
    return shown;
}

std::string MainWin::statusText() const
{
    if (!mStatus)
        return std::string();
    char *text = XmTextFieldGetString(mStatus);
    std::string shown = text ? text : "";
    XtFree(text);
    return shown;
}

void MainWin::showStatus(const char *text)
{
    if (!mStatus)
        return;
    XmTextFieldSetString(mStatus, (char *)displayedStatus(text).c_str());
    // The list update and grid rebuilds run without returning to the event loop.
    XmUpdateDisplay(mStatus);
    XFlush(XtDisplay(mStatus));
}

void MainWin::updateCommandState()
{
    updateToolbar();
    updateMenus();
}

void MainWin::setManagedState(Widget w, bool managed)
{
    assert(w != nullptr);
    if (managed)
        XtManageChild(w);
    else
        XtUnmanageChild(w);
}

int MainWin::rowCount() const
{
    if (!mServerGrid)
        return 0;
    int rows = 0;
    XtVaGetValues(mServerGrid, "rows", &rows, nullptr);
    return rows;
}

// ---- Options dialog

void MainWin::showOptionsDialog()
{
    if (!mOptionsDialog)
        mOptionsDialog = new OptionsDialog(mainWindowWidget(), this);
    mOptionsDialog->show();
}

void MainWin::optionsCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<MainWin *>(clientData)->showOptionsDialog(); }
