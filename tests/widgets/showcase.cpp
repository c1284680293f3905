// showcase.cpp - shows both meter styles, every drawn-button shape and a grid, for a screenshot.
// Usage: widgets_showcase [seconds]; it quits after that many seconds (default 30).
#include "widgets/Grid.h"
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

// A square of one colour in a black frame, for the icon cells.
static Pixmap Swatch(Widget w, const char *colour)
{
    Display *dpy = XtDisplay(w);
    Screen *screen = XtScreen(w);
    XColor exact, shown;
    XAllocNamedColor(dpy, DefaultColormapOfScreen(screen), colour, &shown, &exact);
    Pixmap pixmap = XCreatePixmap(dpy, RootWindowOfScreen(screen), 14, 14,
                                  DefaultDepthOfScreen(screen));
    GC gc = XCreateGC(dpy, pixmap, 0, NULL);
    XSetForeground(dpy, gc, BlackPixelOfScreen(screen));
    XFillRectangle(dpy, pixmap, gc, 0, 0, 14, 14);
    XSetForeground(dpy, gc, shown.pixel);
    XFillRectangle(dpy, pixmap, gc, 2, 2, 10, 10);
    XFreeGC(dpy, gc);
    return pixmap;
}

// Icon cells in the first column, an editable second column (type, then Return), and the
// browse selection with the focus frame on the selected row once the grid has the keyboard.
static void Grid(Widget parent)
{
    Widget grid = XtVaCreateManagedWidget(
        "grid", xmlGridWidgetClass, parent, XmNheadingRows, 1, XmNcolumns, 3, XmNwidth, 360,
        XmNheight, 130, XmNsimpleWidths, "18c 14c 6c", XmNsimpleHeadings, "Icon|Name|Ping",
        XmNselectionPolicy, XmSELECT_BROWSE_ROW, NULL);
    static const char *colours[] = {"red", "green", "blue", "orange"};
    static const char *rows[] = {"red|alpha|12", "green|beta|40", "blue|gamma|7",
                                 "orange|delta|99"};
    XmLGridAddRows(grid, XmCONTENT, -1, 4);
    XtVaSetValues(grid, XmNcolumn, 0, XmNcellType, XmICON_CELL, NULL);
    XtVaSetValues(grid, XmNcolumn, 1, XmNcellEditable, True, NULL);
    for (int r = 0; r < 4; r++) {
        XtVaSetValues(grid, XmNrow, r, XmNcolumn, 0, XmNcellPixmap, Swatch(grid, colours[r]),
                      NULL);
        XmLGridSetStringsPos(grid, XmCONTENT, r, XmCONTENT, 0, (char *)rows[r]);
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
    Grid(column);
    XtRealizeWidget(shell);
    XtAppAddTimeOut(app, (unsigned long)seconds * 1000, QuitCB, NULL);
    XtAppMainLoop(app);
    return 0;
}
