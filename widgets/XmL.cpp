// XmL.cpp - the widgets' converter, warnings, shell lookup, rectangles, message box and dates.
#include "widgets/XmL.h"
#include "widgets/XmLP.h"

#include <Xm/MessageB.h>
#include <Xm/Protocols.h>
#include <X11/IntrinsicP.h>
#include <X11/Shell.h>

#include <cstdio>
#include <cstring>

// Cleared by the first XmLInitialize, so that call can be told from later ones.
static Boolean sFirstInitialize = True;

// ---- Converter

Boolean XmLCvtStringToUChar(Display *display, const char *typeName,
                            const XmLStringToUCharMap *map, XrmValuePtr from, XrmValuePtr to)
{
    const char *text = (const char *)from->addr;
    for (int i = 0; text && map[i].name; i++) {
        if (strcmp(text, map[i].name) != 0)
            continue;
        if (!to->addr) {
            to->addr = (XPointer)&map[i].value;
        } else if (to->size < 1) {
            to->size = 1;
            return False;
        } else {
            *(unsigned char *)to->addr = map[i].value;
        }
        to->size = 1;
        return True;
    }
    XtDisplayStringConversionWarning(display, text ? text : "", (char *)typeName);
    to->size = 0;
    to->addr = NULL;
    return False;
}

// ---- Warnings and small services

void XmLWarning(Widget w, const char *text)
{
    WidgetClass wc = XtClass(w);
    const char *className = wc && wc->core_class.class_name ? wc->core_class.class_name
                                                            : "[No Class]";
    const char *name = XtName(w) && *XtName(w) ? XtName(w) : "[No Name]";
    // Sized to the message: a long widget name must not cut off or overrun it.
    int length = snprintf(NULL, 0, "%s: %s: %s\n", className, name, text);
    char *message = (char *)XmLCalloc((size_t)length + 1, 1);
    snprintf(message, (size_t)length + 1, "%s: %s: %s\n", className, name, text);
    XtAppWarning(XtWidgetToApplicationContext(w), message);
    free(message);
}

void XmLInitialize(void)
{
    sFirstInitialize = False;
}

Widget XmLShellOfWidget(Widget w)
{
    for (; w; w = XtParent(w)) {
        if (XtIsSubclass(w, shellWidgetClass))
            return w;
    }
    return NULL;
}

int XmLRectIntersect(XRectangle *a, XRectangle *b)
{
    if (!a->width || !a->height || !b->width || !b->height)
        return XmLRectOutside;
    int ax2 = a->x + a->width, ay2 = a->y + a->height;
    int bx2 = b->x + b->width, by2 = b->y + b->height;
    if (a->x >= bx2 || b->x >= ax2 || a->y >= by2 || b->y >= ay2)
        return XmLRectOutside;
    if (a->x < b->x || ax2 > bx2 || a->y < b->y || ay2 > by2)
        return XmLRectPartial;
    return XmLRectInside;
}

// ---- Message box

// Lives on the heap, not in XmLMessageBox's frame: the dialog's destruction
// is deferred while a callback runs, and its callbacks may fire until then.
typedef struct {
    int     answer;
    Boolean dialogGone;     // set by the dialog's destroy callback
    Boolean callerDone;     // set when XmLMessageBox has returned
} MessageBoxState;

static void MessageBoxAnswerCB(Widget, XtPointer clientData, XtPointer callData)
{
    MessageBoxState *state = (MessageBoxState *)clientData;
    switch (((XmAnyCallbackStruct *)callData)->reason) {
    case XmCR_CANCEL:
        state->answer = XmLAnswerCancel;
        break;
    case XmCR_HELP:
        state->answer = XmLAnswerHelp;
        break;
    default:
        state->answer = XmLAnswerOk;
        break;
    }
}

static void MessageBoxCloseCB(Widget, XtPointer clientData, XtPointer)
{
    ((MessageBoxState *)clientData)->answer = XmLAnswerOk;
}

static void MessageBoxDestroyCB(Widget, XtPointer clientData, XtPointer)
{
    MessageBoxState *state = (MessageBoxState *)clientData;
    if (state->callerDone) {
        free(state);
        return;
    }
    state->dialogGone = True;
    if (!state->answer)
        state->answer = XmLAnswerOk;
}

static XmString MessageBoxTitle(Widget w)
{
    Widget shell = XmLShellOfWidget(w);
    char *title = NULL;
    if (shell && XtIsWMShell(shell))
        XtVaGetValues(shell, XmNtitle, &title, NULL);
    return XmStringCreateSimple((char *)(title && *title ? title : "Notice"));
}

static Widget MessageBoxCreate(Widget w, const char *text, Boolean okOnly)
{
    XmString message = XmStringCreateLtoR((char *)text, (char *)XmSTRING_DEFAULT_CHARSET);
    XmString title = MessageBoxTitle(w);
    Arg args[3];
    Cardinal n = 0;
    XtSetArg(args[n], XmNmessageString, message); n++;
    XtSetArg(args[n], XmNdialogStyle, XmDIALOG_PRIMARY_APPLICATION_MODAL); n++;
    XtSetArg(args[n], XmNdialogTitle, title); n++;
    Widget parent = XtParent(w) ? XtParent(w) : w;
    Widget dialog = okOnly ? XmCreateMessageDialog(parent, (char *)"popup", args, n)
                           : XmCreateQuestionDialog(parent, (char *)"popup", args, n);
    XmStringFree(message);
    XmStringFree(title);
    return dialog;
}

static void MessageBoxConnect(Widget dialog, MessageBoxState *state, Boolean okOnly)
{
    Widget dialogShell = XtParent(dialog);
    // The close box belongs to the dialog's own shell, so the registration
    // goes when the dialog goes and never outlives this call's answer.
    Atom deleteWindow = XmInternAtom(XtDisplay(dialog), (char *)"WM_DELETE_WINDOW", False);
    XmAddWMProtocolCallback(dialogShell, deleteWindow, MessageBoxCloseCB, (XtPointer)state);
    XtVaSetValues(dialogShell, XmNdeleteResponse, XmDO_NOTHING, NULL);
    XtAddCallback(dialogShell, XmNdestroyCallback, MessageBoxDestroyCB, (XtPointer)state);
    XtAddCallback(dialog, XmNokCallback, MessageBoxAnswerCB, (XtPointer)state);
    if (okOnly) {
        XtUnmanageChild(XmMessageBoxGetChild(dialog, XmDIALOG_CANCEL_BUTTON));
        XtUnmanageChild(XmMessageBoxGetChild(dialog, XmDIALOG_HELP_BUTTON));
    } else {
        XtAddCallback(dialog, XmNcancelCallback, MessageBoxAnswerCB, (XtPointer)state);
        XtAddCallback(dialog, XmNhelpCallback, MessageBoxAnswerCB, (XtPointer)state);
    }
}

int XmLMessageBox(Widget w, const char *text, Boolean okOnly)
{
    MessageBoxState *state = (MessageBoxState *)XmLCalloc(1, sizeof(MessageBoxState));
    Widget dialog = MessageBoxCreate(w, text, okOnly);
    MessageBoxConnect(dialog, state, okOnly);
    XtManageChild(dialog);
    XtAppContext app = XtWidgetToApplicationContext(w);
    while (!state->answer || XtAppPending(app))
        XtAppProcessEvent(app, XtIMAll);
    int answer = state->answer;
    if (state->dialogGone) {
        free(state);
    } else {
        state->callerDone = True;   // the destroy callback frees it, now or after dispatch
        XtDestroyWidget(XtParent(dialog));
    }
    return answer;
}

// ---- Dates

int XmLDateDaysInMonth(int month, int year)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || year < 1753 || year > 9999)
        return -1;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0))
        return 29;
    return days[month - 1];
}

int XmLDateWeekDay(int month, int day, int year)
{
    int length = XmLDateDaysInMonth(month, year);
    if (length < 0 || day < 1 || day > length)
        return -1;
    int m = month > 2 ? month - 3 : month + 9;
    int y = month > 2 ? year : year - 1;
    long c = y / 100, a = y % 100;
    long n = 146097 * c / 4 + 1461 * a / 4 + (153 * m + 2) / 5 + day + 1721120;
    return (int)(n % 7);
}
