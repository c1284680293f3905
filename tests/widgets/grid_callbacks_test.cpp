// grid_callbacks_test.cpp - XmLGrid callbacks that change the grid calling them: refused in the
// middle of a change of rows or columns, honoured from the selection callbacks, and callback
// lists changed by their own callbacks.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <functional>
#include <list>

namespace {

class GridCallbacksTest : public GridTest {
protected:
    typedef std::function<void(XmLGridCallbackData *)> Handler;
    void make(int rows, int columns, unsigned char policy = XmSELECT_BROWSE_ROW)
    {
        Arg args[6];
        Cardinal n = 0;
        XtSetArg(args[n], XmNrows, rows), n++;
        XtSetArg(args[n], XmNcolumns, columns), n++;
        XtSetArg(args[n], XmNheadingRows, 1), n++;
        XtSetArg(args[n], XmNselectionPolicy, policy), n++;
        XtSetArg(args[n], XmNautoSelect, False), n++;
        XtSetArg(args[n], XmNwidth, 300), n++;
        grid(args, n);
    }
    // Runs the function from the callback list, with the call data.
    Handler *on(const char *list, Handler f)
    {
        mHandlers.push_back(std::move(f));
        XtAddCallback(mGrid, (char *)list, sRunCB, &mHandlers.back());
        return &mHandlers.back();
    }
    static void sRunCB(Widget, XtPointer clientData, XtPointer callData)
    {
        (*(Handler *)clientData)((XmLGridCallbackData *)callData);
    }
    // A button press (or, with MotionNotify, a motion) over content cell (row, column).
    XEvent pointerOver(int type, int row, int column)
    {
        XRectangle rect;
        EXPECT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, row, XmCONTENT, column, True, &rect), 0);
        XEvent e;
        memset(&e, 0, sizeof e);
        e.xbutton.type = type;
        e.xbutton.display = mDisplay;
        e.xbutton.window = XtWindow(mGrid);
        e.xbutton.x = rect.x + 2;
        e.xbutton.y = rect.y + 2;
        e.xbutton.time = 1000;
        return e;
    }
    // Counts agree with the records, and every record knows its place.
    void expectWhole()
    {
        XmLGridPart &p = part();
        ASSERT_EQ(RowCount(g()), p.headingRows + p.rows + p.footerRows);
        ASSERT_EQ(ColCount(g()), p.headingColumns + p.columns + p.footerColumns);
        for (int r = 0; r < RowCount(g()); r++) {
            ASSERT_NE(GridRow(g(), r), nullptr);
            EXPECT_EQ(GridRow(g(), r)->pos, r);
            EXPECT_EQ(XmLArrayGetCount(GridRow(g(), r)->cells), ColCount(g()));
        }
    }
    // Takes back a function on() gave the list.
    void off(const char *list, Handler *handler)
    {
        XtRemoveCallback(mGrid, (char *)list, sRunCB, handler);
    }
    std::list<Handler> mHandlers;
};

const char *kRefused = "can't change rows or columns while they are being changed";

TEST_F(GridCallbacksTest, ADeleteCallbackCannotDeleteRowsAgain)
{
    make(6, 2);
    on(XmNdeleteCallback, [this](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_DELETE_ROW)
            XmLGridDeleteRows(mGrid, XmCONTENT, 0, 1);
    });
    XmLGridDeleteRows(mGrid, XmCONTENT, 1, 2);
    EXPECT_EQ(part().rows, 4);
    EXPECT_TRUE(warned((std::string("DeleteRows() - ") + kRefused).c_str()));
    expectWhole();
}

TEST_F(GridCallbacksTest, AnAddCallbackSeesAWholeGridAndCannotAddMore)
{
    make(2, 2, XmSELECT_MULTIPLE_ROW);
    XmLGridSelectRow(mGrid, 1, False);
    std::vector<int> seen;
    on(XmNaddCallback, [&](XmLGridCallbackData *) {
        seen.push_back(XmLGridGetSelectedRowCount(mGrid));
        XtVaSetValues(mGrid, XmNrowType, XmALL_TYPES, XmNcellForeground, kBlue, NULL);
        XmLGridAddColumns(mGrid, XmCONTENT, -1, 1);
    });
    XmLGridAddRows(mGrid, XmCONTENT, 0, 2);
    XmLGridAddColumns(mGrid, XmFOOTER, -1, 1);
    EXPECT_EQ(part().rows, 4);
    EXPECT_EQ(part().columns, 2);
    EXPECT_EQ(part().footerColumns, 1);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), 1);
    EXPECT_TRUE(warned((std::string("AddColumns() - ") + kRefused).c_str()));
    expectWhole();
}

// The set-values call that adds the row still holds the old texts it will free.
TEST_F(GridCallbacksTest, AnAddCallbackCannotSetTheSimpleTextsOfTheCallAddingRows)
{
    make(1, 2);
    XtVaSetValues(mGrid, XmNsimpleHeadings, "a|b", XmNsimpleWidths, "3c 3c", NULL);
    on(XmNaddCallback, [this](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_ADD_ROW)
            XtVaSetValues(mGrid, XmNsimpleHeadings, "c|d", XmNsimpleWidths, "5c 5c", NULL);
    });
    XtVaSetValues(mGrid, XmNrows, 2, NULL);
    EXPECT_EQ(part().rows, 2);
    EXPECT_STREQ(part().simpleHeadings, "a|b");
    EXPECT_EQ(text(0, 0), "a");
    EXPECT_TRUE(warned("SetValues() - can't set simpleHeadings while rows or columns are being "
                       "changed"));
    EXPECT_TRUE(warned("SetValues() - can't set simpleWidths while rows or columns are being "
                       "changed"));
}

TEST_F(GridCallbacksTest, ADeselectCallbackMayDeleteTheRows)
{
    make(5, 2);
    XmLGridSelectRow(mGrid, 0, False);
    on(XmNdeselectCallback,
       [this](XmLGridCallbackData *) { XmLGridDeleteAllRows(mGrid, XmCONTENT); });
    XmLGridSelectRow(mGrid, 2, True);
    EXPECT_EQ(part().rows, 0);
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0);
    EXPECT_EQ(sWarnings, std::vector<std::string>());
    expectWhole();
}

TEST_F(GridCallbacksTest, ASelectCallbackMayAddAndDeleteRowsWhileAllAreSelected)
{
    make(6, 1, XmSELECT_MULTIPLE_ROW);
    on(XmNselectCallback, [this](XmLGridCallbackData *cbs) {
        if (cbs->row % 2)
            XmLGridDeleteRows(mGrid, XmCONTENT, cbs->row, 1);
        else
            XmLGridAddRows(mGrid, XmCONTENT, 0, 1);
    });
    XmLGridSelectAllRows(mGrid, True);
    EXPECT_EQ(sWarnings, std::vector<std::string>());
    expectWhole();
}

TEST_F(GridCallbacksTest, AFocusCallbackMayDeleteTheClickedRow)
{
    make(5, 2, XmSELECT_MULTIPLE_ROW);
    show();
    on(XmNcellFocusCallback, [this](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_CELL_FOCUS_IN)
            XmLGridDeleteAllRows(mGrid, XmCONTENT);
    });
    XEvent e = pointerOver(ButtonPress, 3, 1);
    for (const char *action : {"BEGIN", "TOGGLE"}) {
        String params[1] = {(char *)action};
        XtCallActionProc(mGrid, (char *)"XmLGridSelect", &e, params, 1);
        XmLGridAddRows(mGrid, XmCONTENT, -1, 5);
        e.xbutton.time += 1000;
    }
    expectWhole();
}

// The button is still down: moving it goes on selecting.
TEST_F(GridCallbacksTest, AClickWhoseRowAFocusCallbackDeletedStillDrags)
{
    make(5, 2);
    show();
    on(XmNcellFocusCallback, [this](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_CELL_FOCUS_IN && cbs->row == 4)
            XmLGridDeleteRows(mGrid, XmCONTENT, 4, 1);
    });
    XEvent press = pointerOver(ButtonPress, 4, 0), motion = pointerOver(MotionNotify, 1, 0);
    String params[1] = {(char *)"BEGIN"};
    XtCallActionProc(mGrid, (char *)"XmLGridSelect", &press, params, 1);
    ASSERT_EQ(part().rows, 4);
    XtCallActionProc(mGrid, (char *)"XmLGridButtonMotion", &motion, nullptr, 0);
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 1);
}

TEST_F(GridCallbacksTest, AnAddCallbackMayReplaceTheColumnDefaults)
{
    make(1, 2);
    on(XmNaddCallback, [this](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_ADD_CELL)
            XtVaSetValues(mGrid, XmNcellDefaults, True, XmNcolumn, 0, XmNcellBackground, kRed,
                          NULL);
    });
    XmLGridAddRows(mGrid, XmCONTENT, -1, 2);
    // Each cell holds the defaults of the moment it was made, which are still alive.
    for (int r = 2; r < 4; r++) {
        XmLGridCellRefValues *v = CellRefValues(GetCell(g(), r, 0));
        EXPECT_GE(v->refCount, 1);
        EXPECT_EQ(v->background, kRed);
    }
    expectWhole();
}

// The callback has the last word: the cell the focus was going to never hears of it.
TEST_F(GridCallbacksTest, AFocusOutCallbackMayMoveTheFocusElsewhere)
{
    make(6, 2);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 1, 0), 0);
    record(XmNcellFocusCallback);
    on(XmNcellFocusCallback, [this](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_CELL_FOCUS_OUT && cbs->row == 1)
            XmLGridSetFocus(mGrid, 4, 1);
    });
    XmLGridSetFocus(mGrid, 2, 0);
    EXPECT_EQ(part().focusRow, 5);
    EXPECT_EQ(mCalls.back(), (GridCall{XmCR_CELL_FOCUS_IN, XmCONTENT, 4, XmCONTENT, 1}));
    for (const GridCall &call : mCalls)
        EXPECT_FALSE(call.reason == XmCR_CELL_FOCUS_IN && call.row == 2) << call;
}

TEST_F(GridCallbacksTest, FocusPutBackOnDeletedRowsIsTakenOff)
{
    make(6, 2);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 1, 0), 0);
    bool moved = false;
    on(XmNcellFocusCallback, [&](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_CELL_FOCUS_OUT && !moved) {
            moved = true;
            XmLGridSetFocus(mGrid, 4, 1);
        }
    });
    XmLGridDeleteAllRows(mGrid, XmCONTENT);
    EXPECT_TRUE(moved);
    EXPECT_EQ(part().rows, 0);
    EXPECT_EQ(part().focusRow, -1) << "no row left to take it";
    expectWhole();
}

// Xt gives a callback list that a callback changes a new place and frees the old once
// the calls through it are over: the next row must be told through the list as it is.
TEST_F(GridCallbacksTest, ASelectCallbackAddedBySelectingAllHearsTheRowsAfter)
{
    make(4, 1, XmSELECT_MULTIPLE_ROW);
    std::vector<int> heard;
    bool added = false;
    on(XmNselectCallback, [&](XmLGridCallbackData *) {
        if (!added)
            on(XmNselectCallback, [&](XmLGridCallbackData *cbs) { heard.push_back(cbs->row); });
        added = true;
    });
    XmLGridSelectAllRows(mGrid, True);
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3}));
}

TEST_F(GridCallbacksTest, ASelectCallbackThatRemovesItselfHearsOneRow)
{
    make(4, 1, XmSELECT_MULTIPLE_ROW);
    record(XmNselectCallback);
    int shots = 0;
    Handler *oneShot = nullptr;
    oneShot = on(XmNselectCallback, [&](XmLGridCallbackData *) {
        shots++;
        off(XmNselectCallback, oneShot);
    });
    XmLGridSelectAllRows(mGrid, True);
    EXPECT_EQ(shots, 1);
    EXPECT_EQ(mCalls.size(), 4u) << "the callback that stays hears every row";
}

TEST_F(GridCallbacksTest, ADeselectCallbackMayChangeItsListWhileCellsAreDeselected)
{
    make(2, 2, XmSELECT_CELL);
    XmLGridSelectAllCells(mGrid, False);
    std::vector<int> heard;
    bool added = false;
    on(XmNdeselectCallback, [&](XmLGridCallbackData *) {
        if (!added)
            on(XmNdeselectCallback,
               [&](XmLGridCallbackData *cbs) { heard.push_back(cbs->row * 2 + cbs->column); });
        added = true;
    });
    XmLGridDeselectAllCells(mGrid, True);
    EXPECT_EQ(heard, (std::vector<int>{1, 2, 3}));
}

// The deselect that a browse selection makes first changes the select list under the select.
TEST_F(GridCallbacksTest, ADeselectCallbackMayAddASelectCallbackUnderBrowseSelection)
{
    make(4, 1);
    XmLGridSelectRow(mGrid, 0, False);
    record(XmNselectCallback);
    std::vector<int> heard;
    on(XmNdeselectCallback, [&](XmLGridCallbackData *) {
        on(XmNselectCallback, [&](XmLGridCallbackData *cbs) { heard.push_back(cbs->row); });
    });
    XmLGridSelectRow(mGrid, 2, True);
    EXPECT_EQ(heard, (std::vector<int>{2}));
    EXPECT_EQ(mCalls.size(), 1u);
}

// A focus callback that hears the focus leave the going rows, or a delete callback, begins an
// edit on one of them: the edit goes with its cell, never to be completed into another row,
// and the focus takes the row after them.
TEST_F(GridCallbacksTest, AnEditACallbackBeginsOnRowsBeingDeletedIsEnded)
{
    make(6, 2);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    XmLGridSetStringsPos(mGrid, XmCONTENT, 0, XmCONTENT, 0,
                         (char *)"a0|b0\na1|b1\na2|b2\na3|b3\na4|b4\na5|b5");
    show();
    auto expectEnded = [this](int focusRow, const std::vector<int> &rowsLeft) {
        EXPECT_FALSE(part().inEdit);
        EXPECT_TRUE(part().textHidden);
        EXPECT_FALSE(viewable(XtWindow(part().textWidget)));
        EXPECT_EQ(part().focusRow, part().headingRows + focusRow);
        ASSERT_EQ(part().rows, (int)rowsLeft.size());
        for (int r = 0; r < part().rows; r++) {
            std::string was = std::to_string(rowsLeft[r]);
            EXPECT_EQ(text(part().headingRows + r, 0), "a" + was);
            EXPECT_EQ(text(part().headingRows + r, 1), "b" + was);
        }
        expectWhole();
    };
    ASSERT_EQ(XmLGridSetFocus(mGrid, 1, 0), 0);
    bool begun = false;
    on(XmNcellFocusCallback, [&](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_CELL_FOCUS_OUT && !begun) {
            begun = true;
            EXPECT_EQ(XmLGridEditBegin(mGrid, True, 2, 1), 0);
            EXPECT_TRUE(part().inEdit);
        }
    });
    XmLGridDeleteRows(mGrid, XmCONTENT, 1, 2);
    EXPECT_TRUE(begun);
    expectEnded(1, {0, 3, 4, 5});

    bool again = false;
    on(XmNdeleteCallback, [&](XmLGridCallbackData *cbs) {
        if (cbs->reason == XmCR_DELETE_ROW && !again) {
            again = true;
            EXPECT_EQ(XmLGridEditBegin(mGrid, True, 3, 0), 0);
            EXPECT_TRUE(part().inEdit);
        }
    });
    XmLGridDeleteRows(mGrid, XmCONTENT, 2, 2);
    EXPECT_TRUE(again);
    expectEnded(1, {0, 3});
}

}  // namespace
