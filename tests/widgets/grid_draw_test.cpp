// grid_draw_test.cpp - XmLGrid cells, shared values, preferred sizes and what the grid draws.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <algorithm>

namespace {

class GridDrawTest : public GridTest {
protected:
    // rows x columns cells of 20 by 40 pixels on white, blank area green,
    // selection blue, highlight red; no cell borders, nothing selected.
    void make(int rows, int columns, Boolean immediate = False)
    {
        Arg args[11];
        Cardinal n = 0;
        XtSetArg(args[n], XmNrows, rows), n++;
        XtSetArg(args[n], XmNcolumns, columns), n++;
        XtSetArg(args[n], XmNwidth, 300), n++;
        XtSetArg(args[n], XmNheight, 200), n++;
        XtSetArg(args[n], XmNbackground, kWhite), n++;
        XtSetArg(args[n], XmNforeground, kBlack), n++;
        XtSetArg(args[n], XmNblankBackground, kGreen), n++;
        XtSetArg(args[n], XmNselectBackground, kBlue), n++;
        XtSetArg(args[n], XmNhighlightColor, kRed), n++;
        XtSetArg(args[n], XmNimmediateDraw, immediate), n++;
        XtSetArg(args[n], XmNautoSelect, False), n++;
        grid(args, n);
        XtVaSetValues(mGrid, XmNrowHeight, 20, XmNrowSizePolicy, XmCONSTANT, NULL);
        XtVaSetValues(mGrid, XmNcolumnWidth, 40, XmNcolumnSizePolicy, XmCONSTANT, NULL);
        XtVaSetValues(mGrid, XmNcellLeftBorderType, XmBORDER_NONE, XmNcellRightBorderType,
                      XmBORDER_NONE, XmNcellTopBorderType, XmBORDER_NONE,
                      XmNcellBottomBorderType, XmBORDER_NONE, NULL);
    }
    XmLGridCallbackData prefCall(int reason, void *record)
    {
        XmLGridCallbackData cbs;
        memset(&cbs, 0, sizeof cbs);
        cbs.reason = reason;
        cbs.object = record;
        return cbs;
    }
};

TEST_F(GridDrawTest, BlankAreaRightOfTheColumnsInsideTheFrame)
{
    make(3, 2);
    show();
    settle();
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.at(2 + 40, 10), kWhite) << "a cell";
    EXPECT_EQ(shot.at(2 + 100, 10), kGreen) << "no column reaches here";
    EXPECT_EQ(shot.at(150, 2 + 100), kGreen) << "nor any row";
    EXPECT_NE(shot.at(299, 10), kGreen) << "the frame";
}

TEST_F(GridDrawTest, SelectedRowsUseTheSelectionColours)
{
    make(3, 2);
    show();
    XmLGridSelectRow(mGrid, 1, False);
    settle();
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.count(kBlue, 2, 2 + 20, 80, 20), 80 * 20);
    EXPECT_EQ(shot.at(10, 2 + 10), kWhite);
}

TEST_F(GridDrawTest, ChangesDrawWhenTheEventLoopRuns)
{
    make(2, 2);
    show();
    XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, 0, XmNcellBackground, kYellow, NULL);
    {
        Snapshot before(mGrid);
        EXPECT_EQ(before.at(10, 10), kWhite) << "queued, not drawn";
    }
    settle();
    Snapshot after(mGrid);
    EXPECT_EQ(after.at(10, 10), kYellow);
}

// The toolkit merges every pending exposure into the first: one queued before the grid was
// uncovered reached the grid before the news that it could be seen again, and was dropped,
// so the uncovered grid stayed blank (a window raised to its least under a window manager).
// The events are sent here as the server sends them: tests share the display, so another
// test's window may cover this one at any time.
TEST_F(GridDrawTest, AGridUncoveredIsDrawnWhateverExposuresWereMerged)
{
    make(2, 2);
    show();
    auto send = [this](XEvent event) {
        event.xany.display = mDisplay;
        event.xany.window = XtWindow(mGrid);
        XSendEvent(mDisplay, XtWindow(mGrid), False, NoEventMask, &event);
    };
    XEvent covered = {};
    covered.xvisibility = {VisibilityNotify, 0, True, mDisplay, 0, VisibilityFullyObscured};
    send(covered);
    settle();
    ASSERT_FALSE(mGrid->core.visible);
    XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, 0, XmNcellBackground, kYellow, NULL);
    XEvent expose = {};
    expose.xexpose = {Expose, 0, True, mDisplay, 0, 0, 0, 300, 200, 0};
    XEvent uncovered = covered;
    uncovered.xvisibility.state = VisibilityUnobscured;
    for (const XEvent &event : {expose, uncovered, expose})
        send(event);
    settle();
    EXPECT_TRUE(mGrid->core.visible);
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.at(10, 10), kYellow);
}

TEST_F(GridDrawTest, ImmediateDrawDrawsAtOnce)
{
    make(2, 2, True);
    show();
    XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, 0, XmNcellBackground, kYellow, NULL);
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.at(10, 10), kYellow);
}

TEST_F(GridDrawTest, MarginsAsWideAsTheCellLeaveNoText)
{
    make(1, 1);
    XmLGridSetStrings(mGrid, (char *)"WWWW");
    show();
    settle();
    {
        Snapshot shot(mGrid);
        EXPECT_GT(shot.count(kBlack, 2, 2, 40, 20), 0) << "text";
    }
    XtVaSetValues(mGrid, XmNcellMarginLeft, 20, XmNcellMarginRight, 20, NULL);
    settle();
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.count(kBlack, 2, 2, 40, 20), 0);
}

// A text too long for its cell ran on to the cell's edge, its last glyph cut against the
// next cell's text; it stops where the room it is given ends.
TEST_F(GridDrawTest, ALongTextStopsShortOfTheNextCell)
{
    make(1, 2);
    XmLGridSetStrings(mGrid, (char *)"WWWWWWWWWWWW");
    show();
    settle();
    Snapshot shot(mGrid);
    EXPECT_GT(shot.count(kBlack, 2, 2, 38, 20), 0) << "text";
    EXPECT_EQ(shot.count(kBlack, 2 + 38, 2, 4, 20), 0) << "the margin of both cells";
}

TEST_F(GridDrawTest, FocusBandRunsAlongTheRow)
{
    make(2, 3);
    XtVaSetValues(mGrid, XmNhighlightRowMode, True, NULL);
    show();
    ASSERT_EQ(XmLGridSetFocus(mGrid, 1, 1), 0);
    part().hasFocus = True;
    XmLGridRedrawAll(mGrid);
    settle();
    Snapshot shot(mGrid);
    int y = 2 + 20;
    EXPECT_EQ(shot.count(kRed, 2, y, 120, 1), 120) << "top line across all columns";
    EXPECT_EQ(shot.at(2, y + 10), kRed) << "left end";
    EXPECT_EQ(shot.at(2 + 119, y + 10), kRed) << "right end";
    EXPECT_EQ(shot.at(2 + 40, y + 10), kWhite) << "no sides in the middle";
}

// The default highlight colour is the foreground, which is also the default selection
// background: the frame must still show on a selected row.
TEST_F(GridDrawTest, TheFocusFrameShowsOnASelectedRow)
{
    make(3, 2);
    XtVaSetValues(mGrid, XmNhighlightColor, kBlue, XmNselectForeground, kYellow, NULL);
    show();
    XmLGridSelectRow(mGrid, 1, False);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 1, 0), 0);
    part().hasFocus = True;
    XmLGridRedrawAll(mGrid);
    settle();
    Snapshot shot(mGrid);
    int x = 2, y = 2 + 20;
    EXPECT_EQ(shot.at(x + 20, y + 10), kBlue) << "inside the selected cell";
    EXPECT_EQ(shot.at(x + 20, y), kYellow) << "the frame's top line, in the row's text colour";
    EXPECT_EQ(shot.at(x, y + 10), kYellow) << "its left side";
    EXPECT_EQ(shot.at(x + 20, y), shot.at(x + 20, y + 19)) << "top and bottom alike";
}

// An icon cell shows its pixmap and then its text, side by side, the pair placed
// as the cell's alignment says.
TEST_F(GridDrawTest, IconsStandBeforeTheirText)
{
    make(1, 1);
    XtVaSetValues(mGrid, XmNcolumnWidth, 200, NULL);
    Pixmap pixmap = XCreatePixmap(mDisplay, DefaultRootWindow(mDisplay), 10, 10, 24);
    show();
    GC gc = makeGC(mGrid, kRed);
    XFillRectangle(mDisplay, pixmap, gc, 0, 0, 10, 10);
    XFreeGC(mDisplay, gc);
    XmString label = XmStringCreateSimple((char *)"WWWWWW");
    XtVaSetValues(mGrid, XmNcellType, XmICON_CELL, XmNcellPixmap, pixmap, XmNcellString, label,
                  NULL);
    XmStringFree(label);
    settle();
    Snapshot shot(mGrid);
    int redLeft = 300, redRight = -1, textLeft = 300, textRight = -1;
    for (int x = 2; x < 2 + 200; x++)
        for (int y = 2; y < 2 + 20; y++) {
            Pixel p = shot.at(x, y);
            if (p == kRed) {
                redLeft = std::min(redLeft, x);
                redRight = std::max(redRight, x);
            } else if (p == kBlack) {
                textLeft = std::min(textLeft, x);
                textRight = std::max(textRight, x);
            }
        }
    ASSERT_GE(redRight, 0) << "the icon shows";
    ASSERT_GE(textRight, 0) << "the text shows";
    EXPECT_LT(redRight, textLeft) << "the icon stands left of the text";
    int leftRoom = redLeft - 2, rightRoom = 2 + 200 - 1 - textRight;
    EXPECT_NEAR(leftRoom, rightRoom, 6) << "the pair is centred";
    XFreePixmap(mDisplay, pixmap);
}

TEST_F(GridDrawTest, ACellCutByTheFrameHasNoBorderThere)
{
    make(20, 1);
    XtVaSetValues(mGrid, XmNcellBottomBorderType, XmBORDER_LINE, XmNcellBottomBorderColor,
                  kMagenta, NULL);
    show();
    settle();
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.at(10, 2 + 19), kMagenta) << "a whole cell's bottom border";
    // The tenth row, 180..200, is cut at 196: no border on its cut side.
    EXPECT_EQ(shot.at(10, 195), kWhite);
}

TEST_F(GridDrawTest, SpanningCellsDrawOverTheirNeighbours)
{
    make(2, 3);
    XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, 0, XmNcellColumnSpan, 1, XmNcellBackground,
                  kYellow, NULL);
    show();
    settle();
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.count(kYellow, 2, 2, 80, 20), 80 * 20);
    EXPECT_EQ(shot.at(2 + 90, 10), kWhite);
    int row, col;
    ASSERT_EQ(XYToRowCol(g(), 2 + 60, 10, &row, &col), 0);
    EXPECT_EQ(col, 0) << "a click on the covered cell hits the origin";
}

TEST_F(GridDrawTest, ASpanScrolledHalfOutIsDrawnFromItsOrigin)
{
    make(1, 10);
    XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, 0, XmNcellColumnSpan, 1, XmNcellBackground,
                  kYellow, NULL);
    XtVaSetValues(mGrid, XmNscrollColumn, 1, NULL);
    ASSERT_EQ(part().reg[4].col, 1);
    show();
    settle();
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.count(kYellow, 2, 2, 40, 20), 40 * 20) << "the covered half shows";
    EXPECT_EQ(shot.at(2 + 50, 10), kWhite);
}

TEST_F(GridDrawTest, DebugTracesGoToStandardError)
{
    make(1, 1);
    testing::internal::CaptureStderr();
    XtVaSetValues(mGrid, XmNdebugLevel, 1, NULL);
    XtVaSetValues(mGrid, XmNscrollRow, 0, NULL);
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("XmLGrid: VertLayout everything fits\n"), std::string::npos) << err;
    EXPECT_NE(err.find("XmLGrid: VertLayout M y 0 h 200 r 0 nr 1\n"), std::string::npos) << err;
}

// ---- Cells without a display of their own

TEST_F(GridDrawTest, SharedValuesLiveWhileHeld)
{
    make(0, 0);
    XmLGridCellRefValues *v = CellRefValuesCreate(g(), part().defaultCellValues);
    XmLGridCell a = CellNew(), b = CellNew();
    CellSetRefValues(a, v);
    CellSetRefValues(b, v);
    CellSetRefValues(b, v);
    EXPECT_EQ(v->refCount, 2) << "giving a cell its own record again changes nothing";
    CellFree(mGrid, a);
    EXPECT_EQ(v->refCount, 1);
    CellFree(mGrid, b);     // frees the record and its font list; the leak checker watches
}

TEST_F(GridDrawTest, PreferredSizesFollowTheCellType)
{
    make(1, 1);
    XmLGridCell cell = GetCell(g(), 0, 0);
    XmLGridColumn column = GridColumn(g(), 0);
    XmLGridRow row = GridRow(g(), 0);
    column->width = 10;
    int fw = CellRefValues(cell)->fontWidth;
    XmLGridCallbackData w = prefCall(XmCR_PREF_WIDTH, column);
    XmLGridCallbackData h = prefCall(XmCR_PREF_HEIGHT, row);
    EXPECT_EQ(CellAction(cell, mGrid, &w), 10 * fw + 4);
    XtVaSetValues(mGrid, XmNcellType, XmICON_CELL, NULL);
    EXPECT_EQ(CellAction(cell, mGrid, &w), 10 * fw + 4) << "an icon without a pixmap";
    Pixmap pixmap = XCreatePixmap(mDisplay, DefaultRootWindow(mDisplay), 16, 16, 24);
    XtVaSetValues(mGrid, XmNcellPixmap, pixmap, NULL);
    EXPECT_EQ(CellAction(cell, mGrid, &w), 10 * fw + 4 + 16 + 4);
    XtVaSetValues(mGrid, XmNcellType, XmTOGGLE_CELL, XmNcellMarginTop, 3, NULL);
    EXPECT_EQ(CellAction(cell, mGrid, &w), 20);
    EXPECT_EQ(CellAction(cell, mGrid, &h), 23);
    XtVaSetValues(mGrid, XmNcellType, XmSTRING_CELL, XmNcellColumnSpan, 1, NULL);
    EXPECT_EQ(CellAction(cell, mGrid, &w), 4) << "a spanning cell does not size its column";
    XFreePixmap(mDisplay, pixmap);
}

TEST_F(GridDrawTest, ValuesFollowTheirType)
{
    make(1, 1);
    XmLGridCell cell = GetCell(g(), 0, 0);
    XtVaSetValues(mGrid, XmNcellType, XmTOGGLE_CELL, NULL);
    CellSetString(cell, XmStringCreateSimple((char *)"given away"), False);
    EXPECT_EQ(CellGetString(cell), nullptr) << "freed, not leaked";
    CellSetToggle(cell, True);
    EXPECT_TRUE(CellGetToggle(cell));
    XtVaSetValues(mGrid, XmNcellType, XmPIXMAP_CELL, NULL);
    EXPECT_FALSE(CellIsValueSet(cell)) << "the old value went with the old type";
    XmLGridCellSetPixmask(cell, 5);
    EXPECT_EQ(CellGetPixmap(cell), nullptr);
    CellSetPixmap(cell, 7, 3, 4);
    XmLGridCellSetPixmask(cell, 5);
    EXPECT_EQ(CellGetPixmap(cell)->pixmask, 5u);
}

}  // namespace
