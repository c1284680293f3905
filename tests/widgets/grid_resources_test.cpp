// grid_resources_test.cpp - XmLGrid resource changes, selectors, sub-resources and shared values.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <ctime>

namespace {

class GridResourcesTest : public GridTest {
protected:
    void make(int rows, int columns, int headingRows = 0)
    {
        Arg args[3];
        XtSetArg(args[0], XmNrows, rows);
        XtSetArg(args[1], XmNcolumns, columns);
        XtSetArg(args[2], XmNheadingRows, headingRows);
        grid(args, 3);
    }
    XtPointer userData(int row)
    {
        XtPointer data = nullptr;
        XtVaGetValues(mGrid, XmNrowPtr, GridRow(g(), row), XmNrowUserData, &data, NULL);
        return data;
    }
    XmLGridCellRefValues *values(int r, int c) { return CellRefValues(GetCell(g(), r, c)); }
    static double cpuSeconds()
    {
        struct timespec ts;
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return ts.tv_sec + ts.tv_nsec / 1e9;
    }
};

TEST_F(GridResourcesTest, SelectorsApplyToOneCallOnly)
{
    make(5, 1);
    int mark = 0;
    XtVaSetValues(mGrid, XmNrowType, XmCONTENT, XmNrow, 2, XmNrowUserData, &mark, NULL);
    EXPECT_EQ(userData(2), &mark);
    EXPECT_EQ(userData(1), nullptr);
    int all = 0;
    XtVaSetValues(mGrid, XmNrowUserData, &all, NULL);
    for (int r = 0; r < 5; r++)
        EXPECT_EQ(userData(r), &all);
}

TEST_F(GridResourcesTest, ABackwardRangeChangesNothing)
{
    make(10, 1);
    XtVaSetValues(mGrid, XmNrowRangeStart, 5, XmNrowRangeEnd, 3, XmNrowHeight, 3, NULL);
    EXPECT_TRUE(warned("SetValues() - invalid row(s) specified"));
    for (int r = 0; r < 10; r++)
        EXPECT_EQ(GridRow(g(), r)->height, 1);
}

TEST_F(GridResourcesTest, StepsSkipRows)
{
    make(10, 1);
    XtVaSetValues(mGrid, XmNrowRangeStart, 0, XmNrowRangeEnd, 9, XmNrowStep, 2, XmNrowHeight, 2,
                  NULL);
    for (int r = 0; r < 10; r++)
        EXPECT_EQ(GridRow(g(), r)->height, r % 2 ? 1 : 2) << r;
    XtVaSetValues(mGrid, XmNrowStep, 0, NULL);
    EXPECT_TRUE(warned("SetValues() - rowStep can't be < 1"));
    EXPECT_EQ(part().rowStep, 1);
}

TEST_F(GridResourcesTest, AllTypesSelectorsPastTheEndSelectNothing)
{
    make(2, 2, 1);
    XtVaSetValues(mGrid, XmNrowType, XmALL_TYPES, XmNrow, 3, XmNrowHeight, 3, NULL);
    EXPECT_TRUE(warned("SetValues() - invalid row(s) specified"));
    XtVaSetValues(mGrid, XmNcellDefaults, True, XmNcolumnType, XmALL_TYPES,
                  XmNcolumnRangeStart, 1, XmNcolumnRangeEnd, 5, XmNcellBackground, kRed, NULL);
    EXPECT_TRUE(warned("SetValues() - invalid column(s) specified"));
    for (int r = 0; r < 3; r++)
        EXPECT_EQ(GridRow(g(), r)->height, 1);
}

TEST_F(GridResourcesTest, AnEmptyTypeSelectsNoRows)
{
    make(0, 1, 1);
    XtVaSetValues(mGrid, XmNrowHeight, 3, NULL);
    EXPECT_EQ(GridRow(g(), 0)->height, 1) << "the heading row is not a content row";
}

TEST_F(GridResourcesTest, GridWideDefaultsReachNewCellsOnly)
{
    make(1, 1);
    XtVaSetValues(mGrid, XmNcellDefaults, True, XmNcellAlignment, XmALIGNMENT_RIGHT, NULL);
    XmLGridAddRows(mGrid, XmCONTENT, -1, 1);
    EXPECT_EQ(values(0, 0)->alignment, XmALIGNMENT_CENTER);
    EXPECT_EQ(values(1, 0)->alignment, XmALIGNMENT_RIGHT);
    EXPECT_FALSE(part().cellDefaults) << "reset after the call";
}

TEST_F(GridResourcesTest, ColumnDefaultsAndSpansInDefaults)
{
    make(0, 2);
    XtVaSetValues(mGrid, XmNcellDefaults, True, XmNcolumn, 1, XmNcellEditable, True,
                  XmNcellRowSpan, 2, NULL);
    EXPECT_TRUE(warned("SetValues() - can't set default cell spans"));
    XmLGridAddRows(mGrid, XmCONTENT, -1, 1);
    EXPECT_FALSE(values(0, 0)->editable);
    EXPECT_TRUE(values(0, 1)->editable);
    EXPECT_EQ(values(0, 1)->rowSpan, 0);
}

TEST_F(GridResourcesTest, ColumnRangesTakeColumnValuesAndCellDefaultsTogether)
{
    make(0, 5);
    XtVaSetValues(mGrid, XmNcellDefaults, True, XmNcolumnRangeStart, 0, XmNcolumnRangeEnd, 1,
                  XmNcolumnSizePolicy, XmCONSTANT, XmNcellType, XmPIXMAP_CELL, XmNcolumnWidth, 18,
                  NULL);
    EXPECT_TRUE(sWarnings.empty());
    EXPECT_EQ(GetColWidth(g(), 1), 18);
    EXPECT_EQ(GridColumn(g(), 2)->width, 8);
    XmLGridAddRows(mGrid, XmHEADING, -1, 1);
    EXPECT_EQ(values(0, 1)->type, XmPIXMAP_CELL);
    EXPECT_EQ(values(0, 2)->type, XmSTRING_CELL);
    EXPECT_EQ(XmLGridSetStringsPos(mGrid, XmHEADING, 0, XmCONTENT, 2,
                                   (char *)"Player Name|Frags|Connect Time"),
              3);
    EXPECT_EQ(text(0, 4), "Connect Time");
}

TEST_F(GridResourcesTest, CountsChangeByAddingOrDeleting)
{
    make(10, 1);
    XtVaSetValues(mGrid, XmNrows, 7, NULL);
    EXPECT_EQ(RowCount(g()), 7);
    XtVaSetValues(mGrid, XmNrows, 10, XmNheadingRows, 1, NULL);
    EXPECT_EQ(RowCount(g()), 11);
    EXPECT_EQ(part().topFixedCount, 1);
    EXPECT_EQ(sWarnings, std::vector<std::string>()) << "rows and columns are not sub-resources";
}

TEST_F(GridResourcesTest, FixedCountsStayAboveTheHeadings)
{
    make(3, 1, 1);
    XtVaSetValues(mGrid, XmNtopFixedCount, 0, NULL);
    EXPECT_EQ(part().topFixedCount, 1);
    EXPECT_TRUE(warned("SetValues() - can't set topFixedCount < headingRowCount"));
    XtVaSetValues(mGrid, XmNtopFixedCount, 2, NULL);
    EXPECT_EQ(part().topFixedCount, 2);
}

TEST_F(GridResourcesTest, ReadOnlyResourcesKeepTheirValues)
{
    make(1, 1);
    Widget text = part().textWidget;
    XtVaSetValues(mGrid, XmNtextWidget, mShell, XmNhiddenRows, 4, NULL);
    EXPECT_EQ(part().textWidget, text);
    EXPECT_EQ(part().hiddenRows, 0);
    EXPECT_TRUE(warned("SetValues() - child Widgets are read-only"));
    EXPECT_TRUE(warned("SetValues() - can't set hidden rows or columns"));
}

TEST_F(GridResourcesTest, GetValuesNeedsTheRecordFirst)
{
    make(1, 1);
    XtPointer data;
    XtVaGetValues(mGrid, XmNrowUserData, &data, XmNrowPtr, GridRow(g(), 0), NULL);
    EXPECT_TRUE(warned("GetValues() - invalid row"));
    unsigned char type = 0;
    XtVaGetValues(mGrid, XmNrowPtr, GridRow(g(), 0), XmNcolumnPtr, GridColumn(g(), 0),
                  XmNcellType, &type, NULL);
    EXPECT_EQ(type, XmSTRING_CELL);
}

TEST_F(GridResourcesTest, RecordsOfDeletedRowsAndColumnsAreNotRead)
{
    make(3, 3);
    int mark = 0;
    XtVaSetValues(mGrid, XmNrowUserData, &mark, XmNcolumnUserData, &mark, NULL);
    XmLGridRow row = XmLGridGetRow(mGrid, XmCONTENT, 2);
    XmLGridColumn column = XmLGridGetColumn(mGrid, XmCONTENT, 2);
    XmLGridDeleteRows(mGrid, XmCONTENT, 2, 1);
    XmLGridDeleteColumns(mGrid, XmCONTENT, 2, 1);
    XtPointer data = nullptr;
    XtVaGetValues(mGrid, XmNrowPtr, row, XmNrowUserData, &data, NULL);
    EXPECT_TRUE(warned("GetValues() - invalid row"));
    XtVaGetValues(mGrid, XmNcolumnPtr, column, XmNcolumnUserData, &data, NULL);
    EXPECT_TRUE(warned("GetValues() - invalid column"));
    unsigned char type;
    XtVaGetValues(mGrid, XmNrowPtr, GridRow(g(), 0), XmNcolumnPtr, column, XmNcellType, &type,
                  NULL);
    EXPECT_TRUE(warned("GetValues() - invalid cell"));
    XtVaGetValues(mGrid, XmNrowPtr, GridRow(g(), 1), XmNrowUserData, &data, NULL);
    EXPECT_EQ(data, &mark) << "a live row still reads";
}

TEST_F(GridResourcesTest, ARowOfAnotherGridIsNotRead)
{
    make(1, 1);
    Widget other = XmLCreateGrid(mShell, (char *)"other", nullptr, 0);
    XmLGridAddColumns(other, XmCONTENT, -1, 1);
    XmLGridAddRows(other, XmCONTENT, -1, 1);
    XtPointer data;
    XtVaGetValues(mGrid, XmNrowPtr, XmLGridGetRow(other, XmCONTENT, 0), XmNrowUserData, &data,
                  NULL);
    EXPECT_TRUE(warned("GetValues() - invalid row"));
}

TEST_F(GridResourcesTest, SettingRowPtrIsRefused)
{
    make(1, 1);
    XtVaSetValues(mGrid, XmNrowPtr, GridRow(g(), 0), NULL);
    EXPECT_TRUE(warned("SetValues() - can't use XmNrowPtr"));
    XtVaSetValues(mGrid, XmNcellEditable, True, XmNimmediateDraw, True, NULL);
    EXPECT_TRUE(warned("SetValues() - immediateDraw is not a row/column/cell resource"));
}

TEST_F(GridResourcesTest, EqualValuesStayShared)
{
    make(100, 1);
    XmLGridCellRefValues *before = values(0, 0);
    int holders = before->refCount;
    XtVaSetValues(mGrid, XmNcellBackground, kRed, NULL);
    XmLGridCellRefValues *after = values(0, 0);
    EXPECT_NE(after, before);
    EXPECT_EQ(after->refCount, 100);
    EXPECT_EQ(values(99, 0), after);
    EXPECT_EQ(after->background, kRed);
    EXPECT_EQ(part().defaultCellValues->refCount, holders - 100) << "the defaults lost them";
}

// The cells of a range are gathered once; gathering them one slot at a time made this
// quadratic (seconds for this grid, minutes at 40,000 rows). bench/bench_grid.cpp times it;
// this only guards against that order of growth coming back.
TEST_F(GridResourcesTest, AValueOverSixtyThousandCellsTakesWellUnderASecond)
{
    make(0, 6);
    XmLGridAddRows(mGrid, XmCONTENT, -1, 10000);
    XtVaSetValues(mGrid, XmNrowRangeStart, 0, XmNrowRangeEnd, 4999, XmNcellForeground, kBlue,
                  NULL);
    double start = cpuSeconds();
    XtVaSetValues(mGrid, XmNcellBackground, kRed, NULL);
    EXPECT_LT(cpuSeconds() - start, 1.0);
    EXPECT_EQ(values(0, 0)->refCount, 5000 * 6);
    EXPECT_EQ(values(9999, 5)->refCount, 5000 * 6);
    EXPECT_EQ(values(9999, 5)->background, kRed);
}

TEST_F(GridResourcesTest, DifferentValuesGetARecordEach)
{
    make(4, 1);
    XtVaSetValues(mGrid, XmNrowRangeStart, 0, XmNrowRangeEnd, 1, XmNcellForeground, kBlue, NULL);
    XtVaSetValues(mGrid, XmNcellBackground, kRed, NULL);
    EXPECT_EQ(values(0, 0), values(1, 0));
    EXPECT_EQ(values(2, 0), values(3, 0));
    EXPECT_NE(values(0, 0), values(2, 0));
    EXPECT_EQ(values(0, 0)->foreground, kBlue);
    EXPECT_EQ(values(2, 0)->background, kRed);
}

TEST_F(GridResourcesTest, StringsAloneMakeNoRecord)
{
    make(3, 1);
    XmLGridCellRefValues *before = values(0, 0);
    XmString s = XmStringCreateSimple((char *)"hi");
    XtVaSetValues(mGrid, XmNcellString, s, NULL);
    XmStringFree(s);
    EXPECT_EQ(values(0, 0), before);
    EXPECT_EQ(text(2, 0), "hi");
    XmString back = nullptr;
    XtVaGetValues(mGrid, XmNrowPtr, GridRow(g(), 1), XmNcolumnPtr, GridColumn(g(), 0),
                  XmNcellString, &back, NULL);
    ASSERT_NE(back, nullptr);
    XmStringFree(back);     // a copy, the caller's to free
}

TEST_F(GridResourcesTest, ACellTakesItsOwnStringAgain)
{
    make(1, 2);
    XtVaSetValues(mGrid, XmNcolumn, 1, XmNcellType, XmICON_CELL, NULL);
    XmLGridSetStrings(mGrid, (char *)"string cell|icon cell");
    for (int c = 0; c < 2; c++) {
        std::string before = text(0, c);
        XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, c, XmNcellString,
                      CellGetString(GetCell(g(), 0, c)), NULL);
        EXPECT_EQ(text(0, c), before);
    }
}

TEST_F(GridResourcesTest, ARangeTakesTheStringOfOneOfItsCells)
{
    make(3, 1);
    XmLGridSetStrings(mGrid, (char *)"first\nsecond\nthird");
    XtVaSetValues(mGrid, XmNcellType, XmSTRING_CELL, XmNcellString,
                  CellGetString(GetCell(g(), 0, 0)), NULL);
    for (int r = 0; r < 3; r++)
        EXPECT_EQ(text(r, 0), "first") << r;
    XmString back = (XmString)&back;
    XtVaGetValues(mGrid, XmNcellString, &back, NULL);
    EXPECT_EQ(back, nullptr) << "no cell named: nothing, not the string given before";
}

TEST_F(GridResourcesTest, TypeCodesSetEditability)
{
    make(1, 1);
    XtVaSetValues(mGrid, XmNcellType, XmEDIT_STRING_CELL, NULL);
    EXPECT_EQ(values(0, 0)->type, XmSTRING_CELL);
    EXPECT_TRUE(values(0, 0)->editable);
    XtVaSetValues(mGrid, XmNcellType, XmFIXED_STRING_CELL, NULL);
    EXPECT_FALSE(values(0, 0)->editable);
}

TEST_F(GridResourcesTest, TypeCodesKeepTheCellsText)
{
    make(2, 1);
    XmLGridSetStrings(mGrid, (char *)"first\nsecond");
    XtVaSetValues(mGrid, XmNrow, 0, XmNcellType, XmEDIT_STRING_CELL, NULL);
    XtVaSetValues(mGrid, XmNrow, 1, XmNcellType, XmFIXED_STRING_CELL, NULL);
    EXPECT_EQ(text(0, 0), "first");
    EXPECT_EQ(text(1, 0), "second");
    XtVaSetValues(mGrid, XmNcellType, XmTOGGLE_CELL, NULL);
    EXPECT_EQ(text(0, 0), "") << "a real change of type still drops the string";
}

TEST_F(GridResourcesTest, SpansMarkTheCoveredCells)
{
    make(3, 3);
    XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, 0, XmNcellRowSpan, 1, XmNcellColumnSpan, 1, NULL);
    EXPECT_TRUE(CellInColumnSpan(GetCell(g(), 0, 1)));
    EXPECT_TRUE(CellInRowSpan(GetCell(g(), 1, 0)));
    EXPECT_TRUE(CellInRowSpan(GetCell(g(), 1, 1)));
    EXPECT_FALSE(CellInRowSpan(GetCell(g(), 2, 0)));
    XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, 0, XmNcellRowSpan, -1, XmNcellColumnSpan, 0, NULL);
    EXPECT_TRUE(warned("SetValues() - row span can't be < 0"));
    EXPECT_EQ(values(0, 0)->rowSpan, 0);
    EXPECT_FALSE(CellInRowSpan(GetCell(g(), 1, 0)));
    EXPECT_FALSE(CellInColumnSpan(GetCell(g(), 0, 1)));
}

TEST_F(GridResourcesTest, SpanMarksFollowTheirRows)
{
    make(4, 1);
    XtVaSetValues(mGrid, XmNrow, 1, XmNcellRowSpan, 1, NULL);
    XmLGridDeleteRows(mGrid, XmCONTENT, 1, 1);   // the span goes with its row
    XRectangle rect;
    ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 1, XmCONTENT, 0, True, &rect), 0);
    unsigned char rowType, columnType;
    int row = -1, column = -1;
    ASSERT_EQ(XmLGridXYToRowColumn(mGrid, rect.x + 1, rect.y + 1, &rowType, &row, &columnType,
                                   &column), 0);
    EXPECT_EQ(row, 1) << "the row that the span covered is a cell of its own again";
}

TEST_F(GridResourcesTest, HugeSpansStopAtTheLastRow)
{
    make(2, 2);
    XtVaSetValues(mGrid, XmNrow, 0, XmNcolumn, 0, XmNcellRowSpan, 0x7fffffff, NULL);
    EXPECT_TRUE(CellInRowSpan(GetCell(g(), 1, 0)));
    XRectangle rect;
    EXPECT_EQ(RowColToXY(g(), 0, 0, False, &rect), 0);
}

TEST_F(GridResourcesTest, HugeSpansAwayFromTheFirstRowStopAtTheLastRow)
{
    make(3, 3);
    XtVaSetValues(mGrid, XmNrowHeight, 20, XmNrowSizePolicy, XmCONSTANT, XmNcolumnWidth, 30,
                  XmNcolumnSizePolicy, XmCONSTANT, NULL);
    XtVaSetValues(mGrid, XmNrow, 1, XmNcolumn, 1, XmNcellRowSpan, 0x7fffffff,
                  XmNcellColumnSpan, 0x7fffffff, NULL);
    EXPECT_TRUE(CellInRowSpan(GetCell(g(), 2, 2)));
    XRectangle rect;
    ASSERT_EQ(RowColToXY(g(), 1, 1, False, &rect), 0);
    EXPECT_EQ(rect.height, 40) << "rows 1 and 2";
    EXPECT_EQ(rect.width, 60) << "columns 1 and 2";
}

TEST_F(GridResourcesTest, UnhidingAColumnCountsIt)
{
    make(1, 2);
    XtVaSetValues(mGrid, XmNcolumn, 1, XmNcolumnWidth, 0, NULL);
    EXPECT_EQ(part().hiddenColumns, 1);
    XtVaSetValues(mGrid, XmNcolumn, 1, XmNcolumnWidth, 8, NULL);
    EXPECT_EQ(part().hiddenColumns, 0);
}

TEST_F(GridResourcesTest, ANewFontListBecomesTheDefault)
{
    make(1, 1);
    XFontStruct *font = XLoadQueryFont(mDisplay, "fixed");
    ASSERT_NE(font, nullptr);
    XmFontList mine = XmFontListCreate(font, (char *)XmSTRING_DEFAULT_CHARSET);
    XmLGridCellRefValues *cellValues = values(0, 0);
    XtVaSetValues(mGrid, XmNfontList, mine, NULL);
    EXPECT_NE(part().fontList, mine) << "the grid keeps a copy";
    EXPECT_EQ(values(0, 0), cellValues) << "existing cells keep theirs";
    EXPECT_EQ(part().defaultCellValues->refCount, 1);
    XmFontListFree(mine);
    XFreeFont(mDisplay, font);
}

}  // namespace
