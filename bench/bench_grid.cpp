// bench_grid.cpp - times grid operations an application meets with many rows: adding and
// deleting all rows in one call, setting one shared cell value over every cell, and
// selecting all rows under the browse and multiple policies, at 10,000 and 40,000 rows.
//
// Needs an X display ($DISPLAY; scripts/xvfb.sh starts a private one). Usage:
// vireo_bench_grid [rows ...] (default 10000 40000). Prints, per case, the wall time and the
// CPU time of the one call.
#include "widgets/Grid.h"

#include <X11/Shell.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double cpuSeconds()
{
    struct timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

// A shown grid of columns content columns under one heading row, with no content rows yet.
Widget makeGrid(Widget shell, int columns, unsigned char policy)
{
    Widget grid = XtVaCreateManagedWidget("grid", xmlGridWidgetClass, shell, XmNwidth, 500,
                                          XmNheight, 300, XmNheadingRows, 1, XmNcolumns,
                                          columns, XmNselectionPolicy, policy, NULL);
    XtRealizeWidget(shell);
    return grid;
}

void settle(XtAppContext app)
{
    while (XtAppPending(app) & XtIMXEvent)
        XtAppProcessEvent(app, XtIMXEvent);
}

template <typename Call> void timeCall(const char *what, int rows, int columns, Call call)
{
    Clock::time_point start = Clock::now();
    double cpu = cpuSeconds();
    call();
    double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    printf("%-34s %6d rows x %d: %8.4f s wall, %8.4f s CPU\n", what, rows, columns, seconds,
           cpuSeconds() - cpu);
    fflush(stdout);
}

void cellValueCase(XtAppContext app, Display *dpy, int rows, int columns)
{
    Widget shell = XtVaAppCreateShell("benchGrid", "BenchGrid", applicationShellWidgetClass,
                                      dpy, NULL);
    Widget grid = makeGrid(shell, columns, XmSELECT_BROWSE_ROW);
    timeCall("add all rows in one call", rows, columns,
             [&] { XmLGridAddRows(grid, XmCONTENT, -1, rows); });
    settle(app);
    Pixel black = BlackPixelOfScreen(XtScreen(grid));
    timeCall("cellBackground on every cell", rows, columns,
             [&] { XtVaSetValues(grid, XmNcellBackground, black, NULL); });
    timeCall("cellAlignment on every cell", rows, columns,
             [&] { XtVaSetValues(grid, XmNcellAlignment, XmALIGNMENT_LEFT, NULL); });
    timeCall("cellMarginLeft (a new layout)", rows, columns,
             [&] { XtVaSetValues(grid, XmNcellMarginLeft, 3, NULL); });
    settle(app);
    timeCall("delete all rows in one call", rows, columns,
             [&] { XmLGridDeleteAllRows(grid, XmCONTENT); });
    XtDestroyWidget(shell);
}

void selectAllCase(XtAppContext app, Display *dpy, int rows, unsigned char policy,
                   const char *what)
{
    Widget shell = XtVaAppCreateShell("benchGrid", "BenchGrid", applicationShellWidgetClass,
                                      dpy, NULL);
    Widget grid = makeGrid(shell, 1, policy);
    XmLGridAddRows(grid, XmCONTENT, -1, rows);
    settle(app);
    timeCall(what, rows, 1, [&] { XmLGridSelectAllRows(grid, False); });
    settle(app);
    XtDestroyWidget(shell);
}

}  // namespace

int main(int argc, char **argv)
{
    XtAppContext app;
    Widget top = XtVaAppInitialize(&app, "BenchGrid", nullptr, 0, &argc, argv, nullptr, NULL);
    Display *dpy = XtDisplay(top);
    std::vector<int> counts;
    for (int i = 1; i < argc; i++)
        counts.push_back(atoi(argv[i]));
    if (counts.empty())
        counts = {10000, 40000};
    for (int rows : counts) {
        cellValueCase(app, dpy, rows, 1);
        cellValueCase(app, dpy, rows, 6);
        selectAllCase(app, dpy, rows, XmSELECT_BROWSE_ROW, "select all rows, browse policy");
        selectAllCase(app, dpy, rows, XmSELECT_MULTIPLE_ROW, "select all rows, multiple policy");
    }
    return 0;
}
