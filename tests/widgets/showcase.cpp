// showcase.cpp - shows both meter styles and every drawn-button shape, for a screenshot.
// Usage: widgets_showcase [seconds]; it quits after that many seconds (default 30).
#include "widgets/ProgressP.h"
#include "widgets/XmL.h"

#include <Xm/DrawnB.h>
#include <Xm/Label.h>
#include <Xm/RowColumn.h>

#include <cstdio>
#include <cstdlib>

// Half a minute into a job a quarter done.
static time_t sNow = 1000;
static time_t ShowcaseClock()
{
    return sNow;
}

static void QuitCB(XtPointer, XtIntervalId *)
{
    exit(0);
}

static Widget Row(Widget parent, const char *name)
{
    return XtVaCreateManagedWidget(name, xmRowColumnWidgetClass, parent, XmNorientation,
                                   XmHORIZONTAL, NULL);
}

static void Meters(Widget parent)
{
    Widget row = Row(parent, "meters");
    Widget bar = XmLCreateProgress(row, (char *)"bar", NULL, 0);
    XtVaSetValues(bar, XmNshowTime, True, XmNwidth, 260, NULL);
    XtManageChild(bar);
    sNow = 1030;
    XtVaSetValues(bar, XmNvalue, 25, NULL);
    Widget half = XmLCreateProgress(row, (char *)"half", NULL, 0);
    XtVaSetValues(half, XmNwidth, 100, NULL);
    XtManageChild(half);
    XtVaSetValues(half, XmNvalue, 50, NULL);
    Widget boxes = XmLCreateProgress(row, (char *)"boxes", NULL, 0);
    XtVaSetValues(boxes, XmNmeterStyle, XmMETER_BOXES, XmNvalue, 35, NULL);
    XtManageChild(boxes);
}

static void Shapes(Widget parent)
{
    static const char *directions[] = {"right", "left", "up", "down"};
    for (int type = XmDRAWNB_ARROW; type <= XmDRAWNB_DOUBLEBAR; type++) {
        char name[32];
        snprintf(name, sizeof name, "shapes%d", type);
        Widget row = Row(parent, name);
        for (int direction = 0; direction < 4; direction++) {
            XmString empty = XmStringCreateSimple((char *)"");
            Widget b = XtVaCreateManagedWidget(directions[direction], xmDrawnButtonWidgetClass,
                                               row, XmNwidth, 36, XmNheight, 36, XmNlabelString,
                                               empty, XmNrecomputeSize, False, NULL);
            XmStringFree(empty);
            XmLDrawnButtonSetType(b, type, direction);
        }
    }
}

static void Labels(Widget parent)
{
    static const char *directions[] = {"right", "left", "up", "down"};
    Widget row = Row(parent, "labels");
    for (int direction = 0; direction < 4; direction++) {
        XmString label = XmStringCreateSimple((char *)directions[direction]);
        Widget b = XtVaCreateManagedWidget(directions[direction], xmDrawnButtonWidgetClass, row,
                                           XmNlabelString, label, NULL);
        XmStringFree(label);
        XmLDrawnButtonSetType(b, XmDRAWNB_STRING, direction);
    }
}

int main(int argc, char **argv)
{
    int seconds = argc > 1 ? atoi(argv[1]) : 30;
    xmlProgressClock = ShowcaseClock;
    XtAppContext app;
    Widget shell = XtVaOpenApplication(&app, "Showcase", NULL, 0, &argc, argv, NULL,
                                       sessionShellWidgetClass, NULL);
    Widget column = XtVaCreateManagedWidget("column", xmRowColumnWidgetClass, shell, NULL);
    Meters(column);
    Shapes(column);
    Labels(column);
    XtRealizeWidget(shell);
    XtAppAddTimeOut(app, (unsigned long)seconds * 1000, QuitCB, NULL);
    XtAppMainLoop(app);
    return 0;
}
