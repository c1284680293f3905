// dialog.cpp - Dialog: the form dialog, its lazily built work area and its button row.
#include "browser/dialog.h"

#include <Xm/DialogS.h>
#include <Xm/Form.h>
#include <Xm/Protocols.h>
#include <Xm/PushB.h>
#include <Xm/RowColumn.h>
#include <Xm/Xm.h>

#include <cassert>

static const char *const sDialogResources[] = {
    "*verticalSpacing: 4",
    "*horizontalSpacing: 4",
    nullptr,
};

Dialog::Dialog(Widget parent, const char *name) : VkComponent(name), _parent(parent)
{
    assert(parent);
}

// The form's shell goes with it: destroying the form alone would leave an empty shell.
Dialog::~Dialog()
{
    if (_baseWidget) {
        removeDestroyHandler();
        XtDestroyWidget(XtParent(_baseWidget));
        _baseWidget = nullptr;
    }
}

void Dialog::widgetDestroyed()
{
    VkComponent::widgetDestroyed();
    _form = _workWidget = _apply = _ok = _cancel = nullptr;
}

Widget Dialog::button(int which) const
{
    switch (which) {
    case Button_Apply:  return _apply;
    case Button_OK:     return _ok;
    case Button_Cancel: return _cancel;
    default:            return nullptr;
    }
}

// ---- Showing

void Dialog::show()
{
    build();
    VkComponent::show();
}

void Dialog::build()
{
    if (!_baseWidget) {
        _baseWidget = createDialog(_parent);
        assert(_baseWidget);
        _form = _baseWidget;
        addDestroyHandler();
    }
    if (!_workWidget) {
        _workWidget = createContents(_form);
        assert(_workWidget);
        XtVaSetValues(_workWidget, XmNtopAttachment, XmATTACH_FORM,
                      XmNleftAttachment, XmATTACH_FORM,
                      XmNrightAttachment, XmATTACH_FORM, nullptr);
        if (_buttons & (Button_OK | Button_Cancel)) {
            Widget actions = createActionArea(_form);
            XtVaSetValues(_workWidget, XmNbottomAttachment, XmATTACH_WIDGET,
                          XmNbottomWidget, actions, nullptr);
            // Return presses OK and Escape Cancel (OK where there is none), wherever the
            // focus is in the dialog, a text field included.
            XtVaSetValues(_form, XmNdefaultButton, _ok,
                          XmNcancelButton, _cancel ? _cancel : _ok, nullptr);
        } else {
            XtVaSetValues(_workWidget, XmNbottomAttachment, XmATTACH_FORM, nullptr);
        }
        XtManageChild(_workWidget);
    }
}

Widget Dialog::createDialog(Widget parent)
{
    mergeDefaultResources(parent, sDialogResources);
    Arg args[5];
    Cardinal n = 0;
    XtSetArg(args[n], XmNnoResize, (_style & Style_Resizable) ? False : True); n++;
    XtSetArg(args[n], XmNdialogStyle, (_style & Style_Modeless)
             ? XmDIALOG_MODELESS : XmDIALOG_FULL_APPLICATION_MODAL); n++;
    XtSetArg(args[n], XmNdeleteResponse, XmDO_NOTHING); n++;
    XtSetArg(args[n], XmNautoUnmanage, False); n++;
    XtSetArg(args[n], XmNresizePolicy, XmRESIZE_ANY); n++;
    Widget form = XmCreateFormDialog(parent, _name, args, n);
    XtAddCallback(XtParent(form), XmNpopupCallback, &Dialog::sFirstPopupCB, this);
    return form;
}

// The close request is registered at the first popup, once.
void Dialog::sFirstPopupCB(Widget shell, XtPointer clientData, XtPointer)
{
    XtRemoveCallback(shell, XmNpopupCallback, &Dialog::sFirstPopupCB, clientData);
    Atom deleteWindow = XmInternAtom(XtDisplay(shell), (char *)"WM_DELETE_WINDOW", False);
    XmAddWMProtocolCallback(shell, deleteWindow, &Dialog::sCancelCB, clientData);
}

// Buttons in equal cells in the bottom-right corner, in the order Apply, OK, Cancel.
Widget Dialog::createActionArea(Widget form)
{
    Widget row = XtVaCreateWidget("actionArea", xmRowColumnWidgetClass, form,
                                  XmNorientation, XmHORIZONTAL,
                                  XmNentryAlignment, XmALIGNMENT_CENTER,
                                  XmNpacking, XmPACK_COLUMN,
                                  XmNbottomAttachment, XmATTACH_FORM,
                                  XmNrightAttachment, XmATTACH_FORM, nullptr);
    struct { int flag; const char *name; XtCallbackProc cb; Widget *widget; } buttons[] = {
        {Button_Apply, "Apply", &Dialog::sApplyCB, &_apply},
        {Button_OK, "OK", &Dialog::sOkCB, &_ok},
        {Button_Cancel, "Cancel", &Dialog::sCancelCB, &_cancel},
    };
    for (auto &b : buttons) {
        if (!(_buttons & b.flag))
            continue;
        *b.widget = XtVaCreateManagedWidget(b.name, xmPushButtonWidgetClass, row, nullptr);
        XtAddCallback(*b.widget, XmNactivateCallback, b.cb, this);
    }
    XtManageChild(row);
    return row;
}

// ---- Answers

void Dialog::apply()
{
}

void Dialog::ok()
{
    apply();
    hide();
}

void Dialog::cancel()
{
    hide();
}

void Dialog::sApplyCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<Dialog *>(clientData)->apply(); }

void Dialog::sOkCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<Dialog *>(clientData)->ok(); }

void Dialog::sCancelCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<Dialog *>(clientData)->cancel(); }
