// grid_rowcol_test.cpp - XmLGrid adding, deleting, moving and reordering rows and columns.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

namespace {

class GridRowColTest : public GridTest {
protected:
    void make(int rows, int columns, int headingRows = 0)
    {
        Arg args[3];
        XtSetArg(args[0], XmNrows, rows);
        XtSetArg(args[1], XmNcolumns, columns);
        XtSetArg(args[2], XmNheadingRows, headingRows);
        grid(args, 3);
    }
    // The first cell of each content row, in order.
    std::string column0()
    {
        std::string s;
        for (int r = 0; r < part().rows; r++)
            s += text(r + part().headingRows, 0) + ",";
        return s;
    }
    void label(int rows)
    {
        for (int r = 0; r < rows; r++)
            XmLGridSetStringsPos(mGrid, XmCONTENT, r, XmCONTENT, 0,
                                 (char *)std::to_string(r).c_str());
    }
};

TEST_F(GridRowColTest, AddingAppendsAtTheEndOfTheType)
{
    make(0, 1, 1);
    XmLGridAddRows(mGrid, XmCONTENT, -1, 3);
    EXPECT_EQ(part().rows, 3);
    EXPECT_EQ(RowPosToType(g(), 0), XmHEADING);
    XmLGridAddRows(mGrid, XmCONTENT, 99, 2);
    EXPECT_EQ(part().rows, 5);
    EXPECT_EQ(RowCount(g()), 6);
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(GridRowColTest, AddingBeforeARowShiftsIt)
{
    make(3, 1);
    label(3);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 1, 0), 0);
    XmLGridAddRows(mGrid, XmCONTENT, 1, 2);
    EXPECT_EQ(column0(), "0,,,1,2,");
    EXPECT_EQ(part().focusRow, 3) << "the focus stays on its row, now further down";
}

TEST_F(GridRowColTest, TheFirstContentRowsTakeTheFocus)
{
    make(0, 2);
    EXPECT_EQ(part().focusColumn, 0);
    EXPECT_EQ(part().focusRow, -1);
    record(XmNcellFocusCallback);
    XmLGridAddRows(mGrid, XmCONTENT, -1, 2);
    EXPECT_EQ(part().focusRow, 0);
    EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_CELL_FOCUS_IN, XmCONTENT, 0, XmCONTENT, 0}}));
}

TEST_F(GridRowColTest, HeadingRowsRaiseAndLowerTheFixedCount)
{
    make(0, 0);
    XmLGridAddRows(mGrid, XmHEADING, -1, 2);
    EXPECT_EQ(part().topFixedCount, 2);
    XmLGridAddColumns(mGrid, XmCONTENT, -1, 1);
    XmLGridAddRows(mGrid, XmCONTENT, -1, 2);
    EXPECT_EQ(part().focusRow, 2) << "the first content row, not a heading";
    XmLGridDeleteRows(mGrid, XmHEADING, 0, 1);
    EXPECT_EQ(part().topFixedCount, 1);
    EXPECT_EQ(part().headingRows, 1);
}

TEST_F(GridRowColTest, DeletingReportsCellsThenRowInOrder)
{
    make(3, 3);
    record(XmNdeleteCallback);
    XmLGridDeleteRows(mGrid, XmCONTENT, 0, 2);
    std::vector<int> reasons;
    for (auto &c : mCalls)
        reasons.push_back(c.reason);
    EXPECT_EQ(reasons, (std::vector<int>{912, 912, 912, 910, 912, 912, 912, 910}));
    EXPECT_EQ(part().rows, 1);
}

TEST_F(GridRowColTest, DeletingBadPositionsChangesNothing)
{
    make(3, 1);
    XmLGridDeleteRows(mGrid, XmCONTENT, 2, 2);
    XmLGridDeleteRows(mGrid, XmCONTENT, 1, 0x7fffffff);
    EXPECT_EQ(part().rows, 3);
    EXPECT_EQ(sWarnings, (std::vector<std::string>{warning("DeleteRows() - invalid position"),
                                                   warning("DeleteRows() - invalid position")}));
}

TEST_F(GridRowColTest, DeletingTheFocusRowMovesTheFocusOn)
{
    make(5, 1);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 2, 0), 0);
    record(XmNcellFocusCallback);
    XmLGridDeleteRows(mGrid, XmCONTENT, 2, 1);
    EXPECT_EQ(part().focusRow, 2) << "the next row down";
    ASSERT_GE(mCalls.size(), 2u);
    EXPECT_EQ(mCalls[0].reason, XmCR_CELL_FOCUS_OUT);
    XmLGridDeleteRows(mGrid, XmCONTENT, 2, 2);
    EXPECT_EQ(part().focusRow, 1) << "nothing below: the nearest above";
    XmLGridAddRows(mGrid, XmCONTENT, -1, 2);
    XtVaSetValues(mGrid, XmNrow, 2, XmNrowHeight, 0, NULL);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 3, 0), 0);
    XmLGridDeleteRows(mGrid, XmCONTENT, 3, 1);
    EXPECT_EQ(part().focusRow, 1) << "the nearest above that is not hidden";
}

// Any type but heading and footer is content, for the count and for the position alike.
TEST_F(GridRowColTest, OtherTypesAddAndDeleteContentRows)
{
    make(2, 1, 1);
    label(2);
    XmLGridAddRows(mGrid, XmALL_TYPES, 0, 1);
    EXPECT_EQ(RowPosToType(g(), 0), XmHEADING) << "not a content row in the headings";
    EXPECT_EQ(column0(), ",0,1,");
    XmLGridDeleteRows(mGrid, XmALL_TYPES, 2, 3);
    EXPECT_TRUE(warned("DeleteRows() - invalid position"));
    XmLGridDeleteColumns(mGrid, XmALL_TYPES, 1, 1);
    EXPECT_TRUE(warned("DeleteColumns() - invalid position"));
    XmLGridDeleteRows(mGrid, 7, 0, 1);
    EXPECT_EQ(column0(), "0,1,");
    EXPECT_EQ(RowCount(g()), part().headingRows + part().rows + part().footerRows);
}

TEST_F(GridRowColTest, DeleteAllChecksTheType)
{
    make(0, 1);
    XmLGridDeleteAllRows(mGrid, XmCONTENT);
    EXPECT_TRUE(sWarnings.empty());
    XmLGridDeleteAllRows(mGrid, 5);
    EXPECT_EQ(sWarnings, std::vector<std::string>{warning("DeleteAllRows() - invalid type")});
}

TEST_F(GridRowColTest, ColumnsAddAndDeleteInEveryRow)
{
    make(2, 2, 1);
    XmLGridAddColumns(mGrid, XmHEADING, -1, 1);
    EXPECT_EQ(part().leftFixedCount, 1);
    for (int r = 0; r < 3; r++)
        EXPECT_EQ(XmLArrayGetCount(RowCells(GridRow(g(), r))), 3);
    record(XmNdeleteCallback);
    XmLGridDeleteColumns(mGrid, XmCONTENT, 0, 2);
    EXPECT_EQ(mCalls.size(), 2u * 3 + 2);
    for (int r = 0; r < 3; r++)
        EXPECT_EQ(XmLArrayGetCount(RowCells(GridRow(g(), r))), 1);
    XmLGridDeleteAllColumns(mGrid, XmHEADING);
    EXPECT_EQ(ColCount(g()), 0);
    EXPECT_EQ(part().leftFixedCount, 0);
}

TEST_F(GridRowColTest, AddCallbacksMaySupplyRecords)
{
    make(0, 1);
    static XmLGridRow mine;
    mine = GridRowNew(mGrid);
    XtAddCallback(
        mGrid, XmNaddCallback,
        [](Widget, XtPointer, XtPointer call) {
            auto *cbs = (XmLGridCallbackData *)call;
            if (cbs->reason == XmCR_ADD_ROW)
                cbs->object = mine;
        },
        nullptr);
    XmLGridAddRows(mGrid, XmCONTENT, -1, 1);
    EXPECT_EQ(GridRow(g(), 0), mine);
}

TEST_F(GridRowColTest, MovingRowsKeepsSelection)
{
    make(5, 1);
    label(5);
    XmLGridSelectRow(mGrid, 0, False);
    XmLGridMoveRows(mGrid, 3, 0, 2);
    EXPECT_EQ(column0(), "2,3,4,0,1,");
    EXPECT_TRUE(RowIsSelected(GridRow(g(), 3)));
    XmLGridMoveRows(mGrid, 0, 3, 2);        // a run that ends with the last row
    EXPECT_EQ(column0(), "0,1,2,3,4,");
}

TEST_F(GridRowColTest, MovingOutOfTheContentIsRefused)
{
    make(3, 1);
    XtVaSetValues(mGrid, XmNfooterRows, 1, NULL);
    label(3);
    XmLGridMoveRows(mGrid, 2, 0, 2);
    EXPECT_EQ(column0(), "0,1,2,");
    EXPECT_EQ(RowPosToType(g(), 3), XmFOOTER);
    EXPECT_TRUE(warned("MoveRows() - invalid position/count"));
}

TEST_F(GridRowColTest, ReorderingTakesAPermutation)
{
    make(3, 2);
    label(3);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 1, 0), 0);
    int list[3] = {2, 0, 1};
    XmLGridReorderRows(mGrid, list, 0, 3);
    EXPECT_EQ(column0(), "2,0,1,");
    EXPECT_EQ(part().focusRow, 1) << "no edit runs: the focus keeps its place, not its row";
    int bad[2] = {0, 5};
    XmLGridReorderRows(mGrid, bad, 0, 2);
    EXPECT_TRUE(warned("ReorderRows() - invalid position/count"));
    XmLGridSetStringsPos(mGrid, XmCONTENT, 0, XmCONTENT, 0, (char *)"a|b");
    int swap[2] = {1, 0};
    XmLGridReorderColumns(mGrid, swap, 0, 2);
    EXPECT_EQ(text(0, 0), "b");
    EXPECT_EQ(text(0, 1), "a");
}

TEST_F(GridRowColTest, GetRowReportsMissingRows)
{
    make(2, 1);
    EXPECT_NE(XmLGridGetRow(mGrid, XmCONTENT, 1), nullptr);
    EXPECT_EQ(XmLGridGetRow(mGrid, XmCONTENT, 2), nullptr);
    EXPECT_EQ(XmLGridGetColumn(mGrid, XmCONTENT, 1), nullptr);
    EXPECT_EQ(sWarnings, (std::vector<std::string>{warning("GetRow() - invalid row"),
                                                   warning("GetColumn() - invalid column")}));
}

TEST_F(GridRowColTest, SetStringsFillsRowsAndCountsCells)
{
    make(2, 2);
    EXPECT_EQ(XmLGridSetStrings(mGrid, (char *)"a|b|c\nd|e"), 4);
    EXPECT_EQ(text(0, 1), "b");
    EXPECT_EQ(text(1, 0), "d");
    EXPECT_EQ(XmLGridSetStringsPos(mGrid, XmCONTENT, 5, XmCONTENT, 0, (char *)"x\ny"), 0)
        << "from a missing row nothing is set";
    EXPECT_EQ(text(0, 0), "a");
}

TEST_F(GridRowColTest, ScrollPositionFollowsDeletedRows)
{
    Arg args[4];
    XtSetArg(args[0], XmNrows, 100);
    XtSetArg(args[1], XmNcolumns, 1);
    XtSetArg(args[2], XmNheight, 100);
    XtSetArg(args[3], XmNwidth, 100);
    grid(args, 4);
    XtVaSetValues(mGrid, XmNscrollRow, 50, NULL);
    XmLGridDeleteRows(mGrid, XmCONTENT, 0, 10);
    EXPECT_EQ(part().scrollRow, 40);
    XmLGridAddRows(mGrid, XmCONTENT, 0, 5);
    EXPECT_EQ(part().scrollRow, 45);
    XmLGridAddRows(mGrid, XmCONTENT, 45, 5);        // just where the scroll row is
    EXPECT_EQ(part().scrollRow, 50);
    XmLGridDeleteRows(mGrid, XmCONTENT, 41, 10);    // ending at it: the next row is on top
    EXPECT_EQ(part().scrollRow, 41);
}

}  // namespace
