// grid_fixture.h - a grid on the test display, with helpers that read its records.
#ifndef VIREO_TESTS_WIDGETS_GRID_FIXTURE_H
#define VIREO_TESTS_WIDGETS_GRID_FIXTURE_H
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "widgets/GridP.h"
#include "xfixture.h"

#include <string>
#include <vector>

// What a callback list saw: reason, types and positions, in order.
struct GridCall {
    int reason;
    int rowType, row, columnType, column;
    bool operator==(const GridCall &o) const
    {
        return reason == o.reason && rowType == o.rowType && row == o.row &&
               columnType == o.columnType && column == o.column;
    }
};

inline std::ostream &operator<<(std::ostream &out, const GridCall &c)
{
    return out << "{" << c.reason << " " << c.rowType << ":" << c.row << " " << c.columnType
               << ":" << c.column << "}";
}

class GridTest : public XTest {
protected:
    // A grid with the given creation arguments, black on white.
    Widget grid(ArgList args = nullptr, Cardinal count = 0)
    {
        mGrid = XmLCreateGrid(mShell, (char *)"grid", args, count);
        XtManageChild(mGrid);
        return mGrid;
    }
    XmLGridPart &part() { return ((XmLGridWidget)mGrid)->grid; }
    XmLGridWidget g() { return (XmLGridWidget)mGrid; }
    std::string warning(const char *text) { return std::string("XmLGrid: grid: ") + text + "\n"; }
    bool warned(const char *text)
    {
        for (auto &w : sWarnings)
            if (w == warning(text))
                return true;
        return false;
    }
    // The text of a cell at absolute (row, col), "" when it has none.
    std::string text(int row, int col)
    {
        XmLGridCell cell = GetCell(g(), row, col);
        char *s = cell ? CellStringToText(CellGetString(cell)) : nullptr;
        std::string t = s ? s : "";
        free(s);
        return t;
    }
    // A key press for the text child, which takes the grid's keyboard input.
    XEvent keyPress(KeySym sym, Time time = 0)
    {
        XEvent e;
        memset(&e, 0, sizeof e);
        e.xkey.type = KeyPress;
        e.xkey.display = XtDisplay(mGrid);
        e.xkey.window = XtWindow(part().textWidget);
        e.xkey.root = DefaultRootWindow(XtDisplay(mGrid));
        e.xkey.keycode = XKeysymToKeycode(XtDisplay(mGrid), sym);
        e.xkey.same_screen = True;
        e.xkey.time = time;
        return e;
    }
    void record(const char *list)
    {
        XtAddCallback(mGrid, (char *)list, sRecordCB, &mCalls);
    }
    static void sRecordCB(Widget, XtPointer clientData, XtPointer callData)
    {
        auto *cbs = (XmLGridCallbackData *)callData;
        ((std::vector<GridCall> *)clientData)
            ->push_back({cbs->reason, cbs->rowType, cbs->row, cbs->columnType, cbs->column});
    }

    Widget mGrid = nullptr;
    std::vector<GridCall> mCalls;
};

#endif
