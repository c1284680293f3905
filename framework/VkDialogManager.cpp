// VkDialogManager.cpp - choosing, configuring, posting and answering standard dialogs.
#include "framework/VkDialogManager.h"

#include "framework/VkApp.h"
#include "framework/VkResource.h"

#include <Xm/MessageB.h>
#include <Xm/Protocols.h>
#include <Xm/SelectioB.h>
#include <Xm/Xm.h>

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// A dialog this manager made, with the caller's callbacks of its last post, which
// the next post of the same dialog takes off again.
struct VkDialogManager::Record {
    Widget         dialog;
    Widget         parent;
    XtCallbackProc ok;
    XtCallbackProc cancel;
    XtCallbackProc apply;
    XtPointer      clientData;
};

// One waiting post, on its own dialog: an answer to another dialog, even one of
// a nested wait on this manager, does not end it.
struct VkDialogManager::Wait {
    Widget dialog;
    bool   answered;
    int    answer;
    bool   gone;        // the dialog was destroyed
    Wait  *outer;
};

VkDialogManager::VkDialogManager(const char *name)
    : VkComponent(name)
{
    _dialogs.reserve(10);
}

VkDialogManager::~VkDialogManager()
{
    for (Record *record : _dialogs) {
        XtRemoveCallback(record->dialog, XmNdestroyCallback,
                         &VkDialogManager::sDialogDestroyedCB, this);
        delete record;
    }
    free(_okLabel);
    free(_cancelLabel);
    free(_applyLabel);
    free(_title);
}

const char *VkDialogManager::className()
{
    return "VkDialogManager";
}

// ---- Choosing and configuring

VkDialogManager::Record *VkDialogManager::findRecord(Widget dialog)
{
    for (Record *record : _dialogs)
        if (record->dialog == dialog)
            return record;
    return nullptr;
}

// The manager's own handlers go on once, when the dialog is made.
VkDialogManager::Record *VkDialogManager::chooseDialog(VkComponent *parent)
{
    assert(gApplication != nullptr);
    Widget parentWidget = parent ? parent->baseWidget() : nullptr;
    if (parentWidget) {
        for (Record *record : _dialogs)
            if (record->parent == parentWidget && !XtIsManaged(record->dialog))
                return record;
    }
    Widget under = parentWidget ? parentWidget : gApplication->baseWidget();
    Widget dialog = createDialog(under);
    if (!dialog)
        return nullptr;
    Record *record = new Record{dialog, under, nullptr, nullptr, nullptr, nullptr};
    _dialogs.push_back(record);
    XtAddCallback(dialog, XmNdestroyCallback, &VkDialogManager::sDialogDestroyedCB, this);

    Widget shell = XtParent(dialog);
    Atom deleteWindow = XInternAtom(XtDisplay(shell), "WM_DELETE_WINDOW", False);
    XtVaSetValues(shell, XmNdeleteResponse, XmDO_NOTHING, nullptr);
    XmAddWMProtocolCallback(shell, deleteWindow, &VkDialogManager::sWmCloseCB, this);
    return record;
}

void VkDialogManager::configureButton(Record *record, int child, const char *resource,
                                      XtCallbackProc given, XtCallbackProc *previous,
                                      XtCallbackProc handler, bool shown, char **label,
                                      const char *labelResource, XtPointer clientData)
{
    Widget dialog = record->dialog;
    Widget button = dialogChild(dialog, child);
    if (button) {
        if (*previous)
            XtRemoveCallback(dialog, resource, *previous, record->clientData);
        *previous = nullptr;
        // Taken off and put back so that the caller's callback runs first.
        XtRemoveCallback(dialog, resource, handler, this);
        if (shown) {
            if (!XtIsManaged(button))
                XtManageChild(button);
            if (given) {
                XtAddCallback(dialog, resource, given, clientData);
                *previous = given;
            }
        } else if (XtIsManaged(button)) {
            XtUnmanageChild(button);
        }
        XtAddCallback(dialog, resource, handler, this);
    }
    if (*label) {
        if (button) {
            XmString text = XmStringCreateLocalized(*label);
            XtVaSetValues(dialog, labelResource, text, nullptr);
            XmStringFree(text);
        }
        free(*label);
        *label = nullptr;
    }
}

// Title and message are looked up as resource names first, when they can be
// one; neither is ever handed to printf as a format.
void VkDialogManager::setTexts(Widget dialog, const char *message)
{
    Widget shell = XtParent(dialog);
    if (_title) {
        const char *title = lookupStringResource(shell, _title, _title, _title);
        XtVaSetValues(shell, XmNtitle, title, nullptr);
    }
    if (!message)
        return;
    std::string expanded = expandApplicationName(message);
    const char *text = lookupStringResource(shell, expanded.c_str(), expanded.c_str(),
                                            expanded.c_str());
    XmString string = XmStringCreateLtoR((char *)text, (char *)XmFONTLIST_DEFAULT_TAG);
    XtVaSetValues(dialog, XmNmessageString, string, XmNselectionLabelString, string, nullptr);
    XmStringFree(string);
}

Widget VkDialogManager::prepareDialog(const char *message, XtCallbackProc okCB,
                                      XtCallbackProc cancelCB, XtCallbackProc applyCB,
                                      XtPointer clientData, const char *helpText,
                                      VkComponent *parent)
{
    Record *record = chooseDialog(parent);
    if (!record)
        return nullptr;
    Widget dialog = record->dialog;
    _baseWidget = XtParent(dialog);
    configureButton(record, XmDIALOG_OK_BUTTON, XmNokCallback, okCB, &record->ok,
                    &VkDialogManager::sOkCB, _showOK, &_okLabel, XmNokLabelString,
                    clientData);
    configureButton(record, XmDIALOG_CANCEL_BUTTON, XmNcancelCallback, cancelCB,
                    &record->cancel, &VkDialogManager::sCancelCB, _showCancel, &_cancelLabel,
                    XmNcancelLabelString, clientData);
    configureButton(record, XmDIALOG_APPLY_BUTTON, XmNapplyCallback, applyCB, &record->apply,
                    &VkDialogManager::sApplyCB, _showApply, &_applyLabel, XmNapplyLabelString,
                    clientData);
    record->clientData = clientData;

    Widget help = dialogChild(dialog, XmDIALOG_HELP_BUTTON);
    if (help) {
        if (_showHelp && helpText)
            XtManageChild(help);
        else if (XtIsManaged(help))
            XtUnmanageChild(help);
    }
    setTexts(dialog, message);
    return dialog;
}

Widget VkDialogManager::prepareDialog(const char *message, const char *helpText,
                                      VkComponent *parent)
{
    return prepareDialog(message, nullptr, nullptr, nullptr, nullptr, helpText, parent);
}

// ---- Showing

// The shell is kept unmapped until its place is final.
void VkDialogManager::showDialog(Widget dialog, Style style)
{
    Widget shell = XtParent(dialog);
    unsigned char dialogStyle =
        style == Modal ? XmDIALOG_FULL_APPLICATION_MODAL : XmDIALOG_MODELESS;
    XtVaSetValues(dialog, XmNdialogStyle, dialogStyle, nullptr);
    XtVaSetValues(shell, XmNmappedWhenManaged, False, nullptr);
    XtManageChild(dialog);
    if (_centred)
        centre(shell);
    XtVaSetValues(shell, XmNmappedWhenManaged, True, nullptr);
}

void VkDialogManager::centre(Widget shell)
{
    Dimension width = 0, height = 0;
    XtVaGetValues(shell, XmNwidth, &width, XmNheight, &height, nullptr);
    Screen *screen = ScreenOfDisplay(XtDisplay(shell), 0);
    int x = (WidthOfScreen(screen) - (int)width) / 2;
    int y = (HeightOfScreen(screen) - (int)height) / 2;
    char geometry[64];
    snprintf(geometry, sizeof geometry, "+%d+%d", x, y);
    // The geometry counts for a shell not yet realized, the position for one that is.
    XtVaSetValues(shell, XmNgeometry, geometry, XmNx, (Position)x, XmNy, (Position)y,
                  nullptr);
}

// Ends when this dialog is answered, closed, taken down by anyone, or destroyed;
// all but an OK count as Cancel.
int VkDialogManager::wait(Widget dialog)
{
    Wait frame = {dialog, false, AnswerCancel, false, _waits};
    _waits = &frame;
    XtAppContext context = XtWidgetToApplicationContext(dialog);
    while (!frame.answered && !frame.gone && XtIsManaged(dialog))
        XtAppProcessEvent(context, XtIMAll);
    _waits = frame.outer;
    _answer = frame.answered ? frame.answer : AnswerCancel;
    _answered = 1;
    if (!frame.gone)
        XmUpdateDisplay(XtParent(dialog));
    return _answer;
}

Widget VkDialogManager::post(const char *message, XtCallbackProc okCB,
                             XtCallbackProc cancelCB, XtCallbackProc applyCB,
                             XtPointer clientData, const char *helpText, VkComponent *parent)
{
    return postShown(Modeless, message, okCB, cancelCB, applyCB, clientData, helpText, parent);
}

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtCallbackProc cancelCB, XtCallbackProc applyCB,
                                  XtPointer clientData, const char *helpText,
                                  VkComponent *parent)
{
    return postShown(Modal, message, okCB, cancelCB, applyCB, clientData, helpText, parent);
}

Widget VkDialogManager::postShown(Style style, const char *message, XtCallbackProc okCB,
                                  XtCallbackProc cancelCB, XtCallbackProc applyCB,
                                  XtPointer clientData, const char *helpText,
                                  VkComponent *parent)
{
    Widget dialog = prepareDialog(message, okCB, cancelCB, applyCB, clientData, helpText,
                                  parent);
    if (!dialog)
        return nullptr;
    showDialog(dialog, style);
    XmUpdateDisplay(XtParent(dialog));
    return dialog;
}

Widget VkDialogManager::postAndWait(const char *message, XtCallbackProc okCB,
                                    XtCallbackProc cancelCB, XtCallbackProc applyCB,
                                    XtPointer clientData, const char *helpText,
                                    VkComponent *parent)
{
    Widget dialog = prepareDialog(message, okCB, cancelCB, applyCB, clientData, helpText,
                                  parent);
    if (!dialog)
        return nullptr;
    showDialog(dialog, Modal);
    _answered = 0;
    wait(dialog);
    return findRecord(dialog) ? dialog : nullptr;    // null when it was destroyed meanwhile
}

Widget VkDialogManager::postAndWait(const char *message, VkComponent *parent)
{
    return postAndWait(message, nullptr, nullptr, nullptr, nullptr, nullptr, parent);
}

int VkDialogManager::postBlocking(const char *message, int, int, int, const char *helpText,
                                  VkComponent *parent, XtPointer)
{
    Widget dialog = prepareDialog(message, nullptr, nullptr, nullptr, nullptr, helpText,
                                  parent);
    if (!dialog)
        return AnswerCancel;
    showDialog(dialog, Modal);
    _answered = 0;
    return wait(dialog);
}

int VkDialogManager::postBlocking(const char *message, VkComponent *parent)
{
    return postBlocking(message, 1, 1, 0, nullptr, parent, nullptr);
}

// ---- Answers

void VkDialogManager::sOkCB(Widget w, XtPointer clientData, XtPointer callData)
{
    VkDialogManager *manager = static_cast<VkDialogManager *>(clientData);
    manager->answered(w, AnswerOK);
    manager->ok(w, callData);
}

void VkDialogManager::sCancelCB(Widget w, XtPointer clientData, XtPointer callData)
{
    VkDialogManager *manager = static_cast<VkDialogManager *>(clientData);
    manager->answered(w, AnswerCancel);
    manager->cancel(w, callData);
}

void VkDialogManager::sApplyCB(Widget w, XtPointer clientData, XtPointer callData)
{ static_cast<VkDialogManager *>(clientData)->apply(w, callData); }

void VkDialogManager::sWmCloseCB(Widget shell, XtPointer clientData, XtPointer)
{ static_cast<VkDialogManager *>(clientData)->wmClose(shell); }

void VkDialogManager::sDialogDestroyedCB(Widget w, XtPointer clientData, XtPointer)
{ static_cast<VkDialogManager *>(clientData)->dialogDestroyed(w); }

void VkDialogManager::answered(Widget dialog, int answer)
{
    _answer = answer;
    _answered = 1;
    for (Wait *frame = _waits; frame; frame = frame->outer) {
        if (frame->dialog == dialog && !frame->answered) {
            frame->answered = true;
            frame->answer = answer;
        }
    }
}

void VkDialogManager::ok(Widget dialog, XtPointer)
{
    unpost(dialog);
}

void VkDialogManager::cancel(Widget dialog, XtPointer)
{
    unpost(dialog);
}

void VkDialogManager::apply(Widget, XtPointer)
{
}

// Closing the dialog from the window manager is the same as pressing Cancel,
// so the caller's Cancel callback runs and a waiting post ends.
void VkDialogManager::wmClose(Widget shell)
{
    for (Record *record : _dialogs) {
        if (XtParent(record->dialog) != shell)
            continue;
        XmAnyCallbackStruct data = {XmCR_CANCEL, nullptr};
        XtCallCallbacks(record->dialog, XmNcancelCallback, &data);
        return;
    }
}

// A dialog goes with its parent; it must not be matched or touched afterwards.
void VkDialogManager::dialogDestroyed(Widget dialog)
{
    for (size_t i = 0; i < _dialogs.size(); i++) {
        if (_dialogs[i]->dialog == dialog) {
            delete _dialogs[i];
            _dialogs.erase(_dialogs.begin() + i);
            break;
        }
    }
    for (Wait *frame = _waits; frame; frame = frame->outer)
        if (frame->dialog == dialog)
            frame->gone = true;
    if (_baseWidget == XtParent(dialog))
        _baseWidget = nullptr;
}

// ---- Taking dialogs down

void VkDialogManager::unpost(Widget dialog)
{
    if (dialog && findRecord(dialog) && XtIsManaged(dialog))
        XtUnmanageChild(dialog);
}

void VkDialogManager::unpostAll()
{
    std::vector<Widget> dialogs;
    for (Record *record : _dialogs)
        dialogs.push_back(record->dialog);
    for (Widget dialog : dialogs)
        unpost(dialog);
}

Widget VkDialogManager::lastPostedDialog() const
{
    for (size_t i = _dialogs.size(); i-- > 0;)
        if (XtIsManaged(_dialogs[i]->dialog))
            return _dialogs[i]->dialog;
    return nullptr;
}

Widget VkDialogManager::dialogChild(Widget dialog, int child)
{
    if (!dialog)
        return nullptr;
    if (XmIsSelectionBox(dialog)) {
        switch (child) {
        case XmDIALOG_APPLY_BUTTON: case XmDIALOG_CANCEL_BUTTON: case XmDIALOG_DEFAULT_BUTTON:
        case XmDIALOG_OK_BUTTON: case XmDIALOG_HELP_BUTTON: case XmDIALOG_LIST:
        case XmDIALOG_LIST_LABEL: case XmDIALOG_SELECTION_LABEL: case XmDIALOG_TEXT:
        case XmDIALOG_SEPARATOR:
            return XmSelectionBoxGetChild(dialog, child);
        }
    } else if (XmIsMessageBox(dialog)) {
        switch (child) {
        case XmDIALOG_CANCEL_BUTTON: case XmDIALOG_DEFAULT_BUTTON: case XmDIALOG_OK_BUTTON:
        case XmDIALOG_HELP_BUTTON: case XmDIALOG_MESSAGE_LABEL: case XmDIALOG_SYMBOL_LABEL:
        case XmDIALOG_SEPARATOR:
            return XmMessageBoxGetChild(dialog, child);
        }
    }
    return nullptr;
}

// ---- Settings

void VkDialogManager::setTitle(const char *title)
{
    char *copy = title ? strdup(title) : nullptr;
    free(_title);
    _title = copy;
}

static void replaceLabel(char **stored, const char *text)
{
    if (!text)
        return;
    char *copy = strdup(text);
    free(*stored);
    *stored = copy;
}

void VkDialogManager::setButtonLabels(const char *okLabel, const char *cancelLabel,
                                      const char *applyLabel)
{
    replaceLabel(&_okLabel, okLabel);
    replaceLabel(&_cancelLabel, cancelLabel);
    replaceLabel(&_applyLabel, applyLabel);
}

// ---- Short forms

Widget VkDialogManager::post(const char *message, VkComponent *parent)
{
    if (parent) {
        fputs("parent is not null here\n", stdout);
        fflush(stdout);
    }
    return post(message, nullptr, nullptr, nullptr, nullptr, nullptr, parent);
}

Widget VkDialogManager::post(const char *message, const char *helpText, VkComponent *parent)
{ return post(message, nullptr, nullptr, nullptr, nullptr, helpText, parent); }

Widget VkDialogManager::post(const char *message, XtCallbackProc okCB, XtPointer clientData,
                             VkComponent *parent)
{ return post(message, okCB, nullptr, nullptr, clientData, nullptr, parent); }

Widget VkDialogManager::post(const char *message, XtCallbackProc okCB, XtPointer clientData,
                             const char *helpText, VkComponent *parent)
{ return post(message, okCB, nullptr, nullptr, clientData, helpText, parent); }

Widget VkDialogManager::post(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                             XtPointer clientData, const char *helpText, VkComponent *parent)
{ return post(message, okCB, cancelCB, nullptr, clientData, helpText, parent); }

Widget VkDialogManager::post(const char *message, const char *helpText, ...)
{ return post(message, nullptr, nullptr, nullptr, nullptr, helpText, (VkComponent *)nullptr); }

Widget VkDialogManager::post(const char *message, XtCallbackProc okCB, XtPointer clientData,
                             ...)
{ return post(message, okCB, nullptr, nullptr, clientData, nullptr, (VkComponent *)nullptr); }

Widget VkDialogManager::post(const char *message, XtCallbackProc okCB, XtPointer clientData,
                             const char *helpText, ...)
{ return post(message, okCB, nullptr, nullptr, clientData, helpText, (VkComponent *)nullptr); }

Widget VkDialogManager::post(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                             XtPointer clientData, ...)
{ return post(message, okCB, cancelCB, nullptr, clientData, nullptr, (VkComponent *)nullptr); }

Widget VkDialogManager::post(const char *message, XtCallbackProc okCB, XtCallbackProc cancelCB,
                             XtPointer clientData, const char *helpText, ...)
{ return post(message, okCB, cancelCB, nullptr, clientData, helpText, (VkComponent *)nullptr); }

Widget VkDialogManager::postModal(const char *message, const char *helpText,
                                  VkComponent *parent)
{ return postModal(message, nullptr, nullptr, nullptr, nullptr, helpText, parent); }

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtPointer clientData, VkComponent *parent)
{ return postModal(message, okCB, nullptr, nullptr, clientData, nullptr, parent); }

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtPointer clientData, const char *helpText,
                                  VkComponent *parent)
{ return postModal(message, okCB, nullptr, nullptr, clientData, helpText, parent); }

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtCallbackProc cancelCB, XtPointer clientData,
                                  VkComponent *parent)
{ return postModal(message, okCB, cancelCB, nullptr, clientData, nullptr, parent); }

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtCallbackProc cancelCB, XtPointer clientData,
                                  const char *helpText, VkComponent *parent)
{ return postModal(message, okCB, cancelCB, nullptr, clientData, helpText, parent); }

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtPointer clientData, ...)
{
    return postModal(message, okCB, nullptr, nullptr, clientData, nullptr,
                     (VkComponent *)nullptr);
}

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtPointer clientData, const char *helpText, ...)
{
    return postModal(message, okCB, nullptr, nullptr, clientData, helpText,
                     (VkComponent *)nullptr);
}

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtCallbackProc cancelCB, XtPointer clientData, ...)
{
    return postModal(message, okCB, cancelCB, nullptr, clientData, nullptr,
                     (VkComponent *)nullptr);
}

Widget VkDialogManager::postModal(const char *message, XtCallbackProc okCB,
                                  XtCallbackProc cancelCB, XtPointer clientData,
                                  const char *helpText, ...)
{
    return postModal(message, okCB, cancelCB, nullptr, clientData, helpText,
                     (VkComponent *)nullptr);
}
