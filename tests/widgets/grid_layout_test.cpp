// grid_layout_test.cpp - XmLGrid addressing, visible positions, hit testing, layout and scrolling.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <Xm/ScrollBar.h>

#include <climits>

namespace {

class GridLayoutTest : public GridTest {
protected:
    // content rows of 20 pixels in a CONSTANT grid 200 high, shadow 2.
    void rowsOf20(int rows, int height = 200)
    {
        Arg args[4];
        XtSetArg(args[0], XmNrows, rows);
        XtSetArg(args[1], XmNcolumns, 1);
        XtSetArg(args[2], XmNheight, height);
        XtSetArg(args[3], XmNwidth, 300);
        grid(args, 4);
        XtVaSetValues(mGrid, XmNrowType, XmCONTENT, XmNrowHeight, 20, XmNrowSizePolicy,
                      XmCONSTANT, NULL);
    }
    int sb(const char *name)
    {
        int value = 0;
        XtVaGetValues(part().verticalScrollBar, name, &value, NULL);
        return value;
    }
};

TEST_F(GridLayoutTest, TypePositionsAndAbsolutePositions)
{
    Arg args[3];
    XtSetArg(args[0], XmNheadingRows, 1);
    XtSetArg(args[1], XmNrows, 3);
    XtSetArg(args[2], XmNfooterRows, 2);
    grid(args, 3);
    EXPECT_EQ(RowTypePosToPos(g(), XmCONTENT, 0, 0), 1);
    EXPECT_EQ(RowTypePosToPos(g(), XmCONTENT, -1, 1), 4) << "append after the content rows";
    EXPECT_EQ(RowTypePosToPos(g(), XmHEADING, -1, 1), 1);
    EXPECT_EQ(RowTypePosToPos(g(), XmFOOTER, -1, 1), 6);
    EXPECT_EQ(RowTypePosToPos(g(), XmCONTENT, 3, 0), -1);
    EXPECT_EQ(RowTypePosToPos(g(), XmCONTENT, -1, 0), -1);
    EXPECT_EQ(RowTypePosToPos(g(), XmFOOTER, 1, 0), 5);
    EXPECT_EQ(RowPosToType(g(), 5), XmFOOTER);
    EXPECT_EQ(RowPosToTypePos(g(), XmFOOTER, 5), 1);
    EXPECT_EQ(part().bottomFixedCount, 2);
}

TEST_F(GridLayoutTest, VisiblePositionsSkipHiddenRows)
{
    rowsOf20(10);
    EXPECT_EQ(VisPosToPos(g(), 7, 1), 7) << "no hidden rows: no lookup";
    XtVaSetValues(mGrid, XmNrow, 2, XmNrowHeight, 0, NULL);
    XtVaSetValues(mGrid, XmNrow, 3, XmNrowHeight, 0, NULL);
    EXPECT_EQ(part().hiddenRows, 2);
    EXPECT_EQ(PosToVisPos(g(), 4, 1), 2);
    EXPECT_EQ(PosToVisPos(g(), 9, 1), 7);
    EXPECT_EQ(VisPosToPos(g(), 7, 1), 9);
    int pos = VisPosToPos(g(), 2, 1);
    EXPECT_TRUE(pos >= 2 && pos <= 4) << "any row sharing the visible position";
    EXPECT_EQ(VisPosToPos(g(), 8, 1), -1);
    EXPECT_TRUE(warned("VisPosToPos() - invalid Vert visPos"));
    XtVaSetValues(mGrid, XmNrow, 2, XmNrowHeight, 20, NULL);
    EXPECT_EQ(part().hiddenRows, 1) << "shown again";
}

TEST_F(GridLayoutTest, ManyRowsGetAScrollBarOverVisiblePositions)
{
    rowsOf20(100);
    Widget vsb = part().verticalScrollBar;
    EXPECT_TRUE(XtIsManaged(vsb));
    EXPECT_EQ(sb(XmNminimum), 0);
    EXPECT_EQ(sb(XmNmaximum), 100);
    // 200 less the hsb-free frame of 4 holds 9 whole rows at the end.
    EXPECT_EQ(sb(XmNsliderSize), 9);
    EXPECT_EQ(part().reg[4].row, 0);
    EXPECT_EQ(part().reg[4].height, 200);
}

TEST_F(GridLayoutTest, ScrollRowBeyondTheEndIsClampedAndReported)
{
    rowsOf20(100);
    record(XmNscrollCallback);
    XtVaSetValues(mGrid, XmNscrollRow, 500, NULL);
    EXPECT_EQ(part().scrollRow, 91);
    EXPECT_EQ(sb(XmNvalue), 91);
    ASSERT_FALSE(mCalls.empty());
    EXPECT_EQ(mCalls.back(), (GridCall{XmCR_SCROLL_ROW, XmCONTENT, 91, XmCONTENT, -1}));
}

TEST_F(GridLayoutTest, TheLargestScrollPositionsScrollToTheLastPage)
{
    rowsOf20(100);
    XmLGridAddRows(mGrid, XmHEADING, -1, 1);
    XmLGridAddColumns(mGrid, XmHEADING, -1, 1);
    XmLGridAddColumns(mGrid, XmCONTENT, -1, 40);
    XtVaSetValues(mGrid, XmNscrollRow, 500, XmNscrollColumn, 500, NULL);
    int lastRow = part().scrollRow, lastColumn = part().scrollColumn;
    XtVaSetValues(mGrid, XmNscrollRow, 0, XmNscrollColumn, 0, NULL);
    // The headings added to INT_MAX would wrap round to the first page, and so would the
    // rows and columns added before it while the layout waits.
    XtVaSetValues(mGrid, XmNlayoutFrozen, True, XmNscrollRow, INT_MAX, XmNscrollColumn,
                  INT_MAX, NULL);
    XmLGridAddRows(mGrid, XmCONTENT, 0, 1);
    XmLGridAddColumns(mGrid, XmCONTENT, 0, 1);
    XtVaSetValues(mGrid, XmNlayoutFrozen, False, NULL);
    EXPECT_GT(lastRow, 0);
    EXPECT_EQ(part().scrollRow, lastRow + 1);
    EXPECT_GT(lastColumn, 0);
    EXPECT_EQ(part().scrollColumn, lastColumn + 1);
}

TEST_F(GridLayoutTest, WhenEverythingFitsAStaticScrollBarShowsAnEmptyRange)
{
    rowsOf20(3);
    EXPECT_FALSE(XtIsManaged(part().verticalScrollBar));
    XtVaSetValues(mGrid, XmNvsbDisplayPolicy, XmSTATIC, NULL);
    EXPECT_TRUE(XtIsManaged(part().verticalScrollBar));
    EXPECT_EQ(sb(XmNminimum), 0);
    EXPECT_EQ(sb(XmNmaximum), 1);
    EXPECT_EQ(part().scrollRow, 0);
}

TEST_F(GridLayoutTest, HiddenRowsAreLeftOutOfTheScrollBar)
{
    rowsOf20(100);
    XtVaSetValues(mGrid, XmNrowRangeStart, 0, XmNrowRangeEnd, 9, XmNrowHeight, 0, NULL);
    EXPECT_EQ(part().hiddenRows, 10);
    EXPECT_EQ(sb(XmNmaximum), 90);
}

TEST_F(GridLayoutTest, VariablePolicyAsksForTheHeightOfAllRows)
{
    Arg args[4];
    XtSetArg(args[0], XmNrows, 4);
    XtSetArg(args[1], XmNcolumns, 1);
    XtSetArg(args[2], XmNheadingRows, 1);
    XtSetArg(args[3], XmNverticalSizePolicy, XmVARIABLE);
    grid(args, 4);
    XtVaSetValues(mGrid, XmNrowType, XmALL_TYPES, XmNrowRangeStart, 0, XmNrowRangeEnd, 4,
                  XmNrowHeight, 10, XmNrowSizePolicy, XmCONSTANT, NULL);
    // Top band 10 + frame 4, middle 40 + frame 4; no scroll bar (horizontal fits).
    int hsb = XtIsManaged(part().horizontalScrollBar)
                  ? part().horizontalScrollBar->core.height + part().scrollBarMargin
                  : 0;
    EXPECT_EQ(mGrid->core.height, 58 + hsb);
    EXPECT_FALSE(XtIsManaged(part().verticalScrollBar));
}

TEST_F(GridLayoutTest, VariablePolicyAtCreationSizesTheGrid)
{
    Arg args[3];
    XtSetArg(args[0], XmNrows, 3);
    XtSetArg(args[1], XmNcolumns, 2);
    XtSetArg(args[2], XmNhorizontalSizePolicy, XmVARIABLE);
    grid(args, 3);
    EXPECT_EQ(mGrid->core.width, GetColWidth(g(), 0) + GetColWidth(g(), 1) + 4);
    EXPECT_FALSE(XtIsManaged(part().horizontalScrollBar));
}

TEST_F(GridLayoutTest, ANarrowSingleColumnScrollsByPixels)
{
    Arg args[3];
    XtSetArg(args[0], XmNrows, 1);
    XtSetArg(args[1], XmNcolumns, 1);
    XtSetArg(args[2], XmNwidth, 100);
    grid(args, 3);
    XtVaSetValues(mGrid, XmNcolumnWidth, 150, XmNcolumnSizePolicy, XmCONSTANT, NULL);
    EXPECT_TRUE(part().pixelScroll);
    int maximum = 0, available = 100;
    if (XtIsManaged(part().verticalScrollBar))
        available -= part().verticalScrollBar->core.width + part().scrollBarMargin;
    XtVaGetValues(part().horizontalScrollBar, XmNmaximum, &maximum, NULL);
    EXPECT_EQ(maximum, 150 + 4 - available + 1);
}

TEST_F(GridLayoutTest, VisibleColumnsNeedAConstantPolicy)
{
    Arg args[1];
    XtSetArg(args[0], XmNhorizontalSizePolicy, XmVARIABLE);
    grid(args, 1);
    XtVaSetValues(mGrid, XmNvisibleColumns, 3, NULL);
    EXPECT_TRUE(warned("horizontalSizePolicy must be XmCONSTANT to set visibleColumns"));
}

TEST_F(GridLayoutTest, VisibleRowsSizeTheGrid)
{
    Arg args[1];
    XtSetArg(args[0], XmNvisibleRows, 4);
    grid(args, 1);
    int fontHeight = part().defaultCellValues->fontHeight;
    EXPECT_EQ(mGrid->core.height, (fontHeight + 4) * 4 + 4);
}

TEST_F(GridLayoutTest, CellRectanglesAndHitTesting)
{
    rowsOf20(100);
    XtVaSetValues(mGrid, XmNcolumnWidth, 50, XmNcolumnSizePolicy, XmCONSTANT, NULL);
    XRectangle rect;
    ASSERT_EQ(RowColToXY(g(), 3, 0, False, &rect), 0);
    EXPECT_EQ(rect.x, 2);
    EXPECT_EQ(rect.y, 2 + 60);
    EXPECT_EQ(rect.width, 50);
    EXPECT_EQ(rect.height, 20);
    int row, col;
    ASSERT_EQ(XYToRowCol(g(), 10, 2 + 65, &row, &col), 0);
    EXPECT_EQ(row, 3);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(XYToRowCol(g(), 1, 30, &row, &col), -1) << "the shadow frame is no cell";
    EXPECT_EQ(XYToRowCol(g(), 60, 30, &row, &col), -1) << "right of the last column";
    EXPECT_EQ(RowColToXY(g(), 50, 0, True, &rect), -1) << "scrolled out of view";
}

// The first scrolling column begins where the fixed band left of it ends: it is placed, drawn
// and edited there.
TEST_F(GridLayoutTest, TheFirstColumnAfterFixedOnesIsPlacedDrawnAndEdited)
{
    Arg args[6];
    XtSetArg(args[0], XmNrows, 3);
    XtSetArg(args[1], XmNcolumns, 6);
    XtSetArg(args[2], XmNleftFixedCount, 2);
    XtSetArg(args[3], XmNleftFixedMargin, 6);
    XtSetArg(args[4], XmNwidth, 260);
    XtSetArg(args[5], XmNheight, 150);
    grid(args, 6);
    XtVaSetValues(mGrid, XmNcolumnWidth, 50, XmNcolumnSizePolicy, XmCONSTANT, NULL);
    XtVaSetValues(mGrid, XmNcolumn, 2, XmNcellBackground, kRed, XmNcellEditable, True, NULL);
    show();
    ASSERT_TRUE(XtIsManaged(part().horizontalScrollBar)) << "the columns scroll";
    XRectangle fixed, first;
    ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 1, XmCONTENT, 1, False, &fixed), 0);
    ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 1, XmCONTENT, 2, False, &first), 0);
    int shadow = g()->manager.shadow_thickness;
    EXPECT_EQ(first.x, fixed.x + fixed.width + 2 * shadow + 6);
    EXPECT_EQ(first.y, fixed.y);
    EXPECT_EQ(first.width, 50);
    Snapshot shot(mGrid);
    int inner = (first.width - 2) * (first.height - 2);     // inside the cell's border lines
    EXPECT_EQ(shot.count(kRed, first.x + 1, first.y + 1, first.width - 2, first.height - 2),
              inner);
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 1, 2), 0);
    EXPECT_TRUE(part().inEdit);
    Widget text = part().textWidget;
    EXPECT_EQ(text->core.x, first.x);
    EXPECT_EQ(text->core.y, first.y);
}

TEST_F(GridLayoutTest, ClippedRectanglesStayInsideTheRegion)
{
    rowsOf20(100);
    XRectangle rect;
    ASSERT_EQ(RowColToXY(g(), 9, 0, True, &rect), 0);
    EXPECT_EQ(rect.y, 182);
    EXPECT_EQ(rect.height, 16) << "cut at the frame";
}

TEST_F(GridLayoutTest, ClippingFindsOnlyCellsOnShowInGridsTooLargeOrTooSmall)
{
    Arg args[3];
    XtSetArg(args[0], XmNrows, 4000);
    XtSetArg(args[1], XmNcolumns, 1);
    XtSetArg(args[2], XmNverticalSizePolicy, XmVARIABLE);
    grid(args, 3);
    XtVaSetValues(mGrid, XmNrowHeight, 20, XmNrowSizePolicy, XmCONSTANT, NULL);
    ASSERT_GT(part().reg[4].height, 65535);
    XRectangle rect;
    ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 0, XmCONTENT, 0, True, &rect), 0);
    EXPECT_EQ(rect.y, 2);
    EXPECT_EQ(rect.height, 20);
    EXPECT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 3500, XmCONTENT, 0, True, &rect), -1)
        << "70,000 pixels down, past what the window can show";
    XmLGridAddColumns(mGrid, XmHEADING, -1, 1);
    XtVaSetValues(mGrid, XmNwidth, 1, NULL);
    EXPECT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 0, XmHEADING, 0, True, &rect), -1)
        << "right of a window one pixel wide";
}

TEST_F(GridLayoutTest, RowBordersGrabOnlyFromHeadingColumnsWhenAllowed)
{
    Arg args[5];
    XtSetArg(args[0], XmNrows, 3);
    XtSetArg(args[1], XmNcolumns, 1);
    XtSetArg(args[2], XmNheadingColumns, 1);
    XtSetArg(args[3], XmNheadingRows, 1);
    XtSetArg(args[4], XmNwidth, 400);
    grid(args, 5);
    XRectangle rect;
    ASSERT_EQ(RowColToXY(g(), 1, 0, False, &rect), 0);
    int row, col, isRow;
    int y = rect.y + rect.height + 3;
    EXPECT_EQ(PosIsResize(g(), rect.x + 5, y, &row, &col, &isRow), 0);
    XtVaSetValues(mGrid, XmNallowRowResize, True, NULL);
    ASSERT_EQ(PosIsResize(g(), rect.x + 5, y, &row, &col, &isRow), 1);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(isRow, 1);
    XRectangle content;
    ASSERT_EQ(RowColToXY(g(), 1, 1, False, &content), 0);
    EXPECT_EQ(PosIsResize(g(), content.x + 5, y, &row, &col, &isRow), 0);
}

TEST_F(GridLayoutTest, PagingQueriesCompareTheirSumsDifferently)
{
    rowsOf20(100);
    XtVaSetValues(mGrid, XmNcolumnWidth, 50, XmNcolumnSizePolicy, XmCONSTANT, NULL);
    part().reg[4].height = 100;
    EXPECT_EQ(ScrollRowBottomPos(g(), 10), 6) << "five rows of 20 fill 100 exactly";
    EXPECT_EQ(ScrollRowBottomPos(g(), 3), 0);
    XtVaSetValues(mGrid, XmNcolumns, 3, NULL);
    XtVaSetValues(mGrid, XmNcolumnType, XmCONTENT, XmNcolumnWidth, 50, XmNcolumnSizePolicy,
                  XmCONSTANT, NULL);
    part().reg[4].width = 100;
    EXPECT_EQ(ScrollColumnRightPos(g(), 1), 1) << "two columns of 50 do not fit 100";
}

TEST_F(GridLayoutTest, RowVisibilityFollowsTheScrollPosition)
{
    rowsOf20(100);
    EXPECT_EQ(RowIsVisible(g(), 0), 1);
    EXPECT_EQ(RowIsVisible(g(), 50), 0);
    XtVaSetValues(mGrid, XmNscrollRow, 45, NULL);
    EXPECT_EQ(RowIsVisible(g(), 50), 1);
    EXPECT_EQ(RowIsVisible(g(), 500), -1);
    EXPECT_TRUE(warned("RowIsVisible() - invalid row"));
}

TEST_F(GridLayoutTest, MakingARowVisibleScrollsJustEnough)
{
    rowsOf20(100);
    MakeRowVisible(g(), 30);
    EXPECT_EQ(part().scrollRowPos, 22) << "row 30 becomes the last whole row";
    MakeRowVisible(g(), 5);
    EXPECT_EQ(part().scrollRowPos, 5);
}

TEST_F(GridLayoutTest, TheScrollBarScrollsTheGrid)
{
    rowsOf20(100);
    show();
    XmScrollBarSetValues(part().verticalScrollBar, 40, 9, 1, 9, True);
    EXPECT_EQ(part().scrollRow, 40);
    EXPECT_EQ(part().reg[4].row, 40);
}

TEST_F(GridLayoutTest, FrozenLayoutRunsOnceWhenThawed)
{
    rowsOf20(5);
    EXPECT_FALSE(XtIsManaged(part().verticalScrollBar));
    XtVaSetValues(mGrid, XmNlayoutFrozen, True, NULL);
    XmLGridAddRows(mGrid, XmCONTENT, -1, 100);
    EXPECT_FALSE(XtIsManaged(part().verticalScrollBar)) << "no layout while frozen";
    EXPECT_TRUE(part().needsVertLayout);
    XtVaSetValues(mGrid, XmNlayoutFrozen, False, NULL);
    EXPECT_TRUE(XtIsManaged(part().verticalScrollBar));
    EXPECT_FALSE(part().needsVertLayout);
}

TEST_F(GridLayoutTest, ResizingPlacesTheScrollBarsAtTheEdges)
{
    rowsOf20(100);
    show();
    XtVaSetValues(mGrid, XmNwidth, 400, XmNheight, 300, NULL);
    settle();
    Widget vsb = part().verticalScrollBar;
    EXPECT_EQ(vsb->core.x + vsb->core.width, 400);
    EXPECT_EQ(vsb->core.height, 300);
    EXPECT_EQ(part().reg[4].height, 300);
    EXPECT_EQ(part().reg[4].nrow, 15);
}

TEST_F(GridLayoutTest, ARebuildUnderAFrozenLayoutKeepsTheScrollRow)
{
    rowsOf20(50);
    XtVaSetValues(mGrid, XmNscrollRow, 40, NULL);
    ASSERT_EQ(part().scrollRow, 40);
    XtVaSetValues(mGrid, XmNlayoutFrozen, True, NULL);
    XmLGridDeleteAllRows(mGrid, XmCONTENT);
    XmLGridAddRows(mGrid, XmCONTENT, -1, 50);
    XtVaSetValues(mGrid, XmNrowHeight, 20, XmNrowSizePolicy, XmCONSTANT, NULL);
    XtVaSetValues(mGrid, XmNlayoutFrozen, False, XmNscrollRow, 40, NULL);
    EXPECT_EQ(part().scrollRow, 40) << "the same value, given again, still applies";
    EXPECT_EQ(part().reg[4].row, 40);
}

}  // namespace
