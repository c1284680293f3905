// grid_class_test.cpp - XmLGrid creation, resources, converters, records and simple headings.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <Xm/PushB.h>

namespace {

TEST_F(GridTest, CreatedWithoutASizeIs100By100)
{
    grid();
    EXPECT_EQ(mGrid->core.width, 100);
    EXPECT_EQ(mGrid->core.height, 100);
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(GridTest, CountsGivenAtCreationBecomeRowsHeadingFirst)
{
    Arg args[3];
    XtSetArg(args[0], XmNrows, 5);
    XtSetArg(args[1], XmNheadingRows, 1);
    XtSetArg(args[2], XmNcolumns, 2);
    grid(args, 3);
    EXPECT_EQ(RowCount(g()), 6);
    EXPECT_EQ(ColCount(g()), 2);
    EXPECT_EQ(part().topFixedCount, 1);
    EXPECT_EQ(RowPosToType(g(), 0), XmHEADING);
    EXPECT_EQ(RowPosToType(g(), 1), XmCONTENT);
    for (int r = 0; r < 6; r++) {
        EXPECT_EQ(RowPos(GridRow(g(), r)), r);
        EXPECT_EQ(XmLArrayGetCount(RowCells(GridRow(g(), r))), 2) << "a cell per column";
    }
}

// At creation the fixed counts mean what they mean in set-values: all fixed rows (or
// columns) of that edge, headings and footers included, never fewer than those.
TEST_F(GridTest, FixedCountsGivenAtCreationCountTheHeadingsIn)
{
    Arg args[11];
    Cardinal n = 0;
    XtSetArg(args[n], XmNrows, 5), n++;
    XtSetArg(args[n], XmNheadingRows, 1), n++;
    XtSetArg(args[n], XmNtopFixedCount, 1), n++;
    XtSetArg(args[n], XmNfooterRows, 2), n++;
    XtSetArg(args[n], XmNbottomFixedCount, 3), n++;
    XtSetArg(args[n], XmNcolumns, 4), n++;
    XtSetArg(args[n], XmNheadingColumns, 2), n++;
    XtSetArg(args[n], XmNleftFixedCount, 0), n++;
    XtSetArg(args[n], XmNfooterColumns, 1), n++;
    XtSetArg(args[n], XmNrightFixedCount, 1), n++;
    grid(args, n);
    EXPECT_EQ(part().topFixedCount, 1) << "the heading row alone";
    EXPECT_EQ(part().bottomFixedCount, 3) << "two footer rows and a content row";
    EXPECT_EQ(part().leftFixedCount, 2) << "never fewer than the heading columns";
    EXPECT_EQ(part().rightFixedCount, 1);
}

TEST_F(GridTest, OneSetValuesCallKeepsTheHeadingsFixed)
{
    Arg args[1];
    XtSetArg(args[0], XmNrows, 5);
    grid(args, 1);
    XtVaSetValues(mGrid, XmNheadingRows, 2, XmNtopFixedCount, 1, XmNfooterColumns, 2,
                  XmNrightFixedCount, 1, NULL);
    EXPECT_EQ(part().topFixedCount, 2);
    EXPECT_EQ(part().rightFixedCount, 2);
    EXPECT_TRUE(warned("SetValues() - can't set topFixedCount < headingRowCount"));
    XtVaSetValues(mGrid, XmNheadingRows, 3, XmNtopFixedCount, 4, NULL);
    EXPECT_EQ(part().topFixedCount, 4) << "a count at or above the headings is taken";
}

TEST_F(GridTest, SelectionColoursAreTheWidgetColoursExchanged)
{
    Arg args[2];
    XtSetArg(args[0], XmNforeground, kBlue);
    XtSetArg(args[1], XmNbackground, kYellow);
    grid(args, 2);
    EXPECT_EQ(part().selectBackground, kBlue);
    EXPECT_EQ(part().selectForeground, kYellow);
    EXPECT_EQ(part().blankBackground, kYellow);
    EXPECT_EQ(part().toggleTopColor, kBlue);
}

TEST_F(GridTest, BrowseGridSelectsItsFirstRowWhenRealized)
{
    Arg args[2];
    XtSetArg(args[0], XmNrows, 3);
    XtSetArg(args[1], XmNcolumns, 1);
    grid(args, 2);
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0);
    show();
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 0);
}

TEST_F(GridTest, MultipleRowGridSelectsNothingWhenRealized)
{
    Arg args[3];
    XtSetArg(args[0], XmNrows, 3);
    XtSetArg(args[1], XmNcolumns, 1);
    XtSetArg(args[2], XmNselectionPolicy, XmSELECT_MULTIPLE_ROW);
    grid(args, 3);
    show();
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0);
}

TEST_F(GridTest, CellValuesAtCreationAreRefusedOnce)
{
    Arg args[4];
    XtSetArg(args[0], XmNrows, 2);
    XtSetArg(args[1], XmNcolumns, 2);
    XtSetArg(args[2], XmNcellEditable, True);
    XtSetArg(args[3], XmNrowHeight, 5);
    grid(args, 4);
    EXPECT_EQ(sWarnings, std::vector<std::string>{
                             warning("Initialize() - can't set row,column or cell values in init")});
    EXPECT_FALSE(CellRefValues(GetCell(g(), 0, 0))->editable);
    EXPECT_EQ(GridRow(g(), 0)->height, 1);
}

TEST_F(GridTest, HiddenCountsAtCreationAreZeroed)
{
    Arg args[1];
    XtSetArg(args[0], XmNhiddenRows, 3);
    grid(args, 1);
    EXPECT_EQ(part().hiddenRows, 0);
    EXPECT_TRUE(warned("Initialize() - can't set hidden rows or columns"));
}

TEST_F(GridTest, ConvertersReadTheResourceDatabase)
{
    XrmDatabase database = XtDatabase(mDisplay);
    XrmPutLineResource(&database, "*grid.selectionPolicy: SELECT_CELL");
    XrmPutLineResource(&database, "*grid.verticalSizePolicy: VARIABLE");
    grid();
    EXPECT_EQ(part().selectionPolicy, XmSELECT_CELL);
    EXPECT_EQ(part().verticalSizePolicy, XmVARIABLE);
}

TEST_F(GridTest, ConvertersAreCaseSensitive)
{
    Arg args[2];
    XtSetArg(args[0], XmNrows, 1);
    XtSetArg(args[1], XmNcolumns, 1);
    grid(args, 2);
    XtVaSetValues(mGrid, XtVaTypedArg, XmNhorizontalSizePolicy, XmRString, "constant", 9, NULL);
    ASSERT_FALSE(sWarnings.empty());
    EXPECT_EQ(sWarnings[0], "Cannot convert string \"constant\" to type XmRGridSizePolicy");
    XtVaSetValues(mGrid, XtVaTypedArg, XmNcellType, XmRString, "TOGGLE_CELL", 12, NULL);
    EXPECT_EQ(CellRefValues(GetCell(g(), 0, 0))->type, XmTOGGLE_CELL);
}

TEST_F(GridTest, FunctionsOnOtherWidgetsWarnWithTheirName)
{
    grid();
    Widget button = XtVaCreateWidget("button", xmPushButtonWidgetClass, mShell, NULL);
    sWarnings.clear();
    XmLGridAddRows(button, XmCONTENT, -1, 1);
    EXPECT_EQ(XmLGridGetSelectedRowCount(button), -1);
    ASSERT_EQ(sWarnings.size(), 2u);
    EXPECT_EQ(sWarnings[0], "XmPushButton: button: AddRows() - widget not an XmLGrid\n");
    EXPECT_EQ(sWarnings[1],
              "XmPushButton: button: GetSelectedRowCount() - widget not an XmLGrid\n");
}

// ---- Simple widths and headings

TEST(GridSimpleWidthsTest, ItemsParseWithOrWithoutSpaces)
{
    int widths[8];
    unsigned char policies[8];
    ASSERT_EQ(ParseSimpleWidths("22c 6c 5c", widths, policies, 8), 3);
    EXPECT_EQ(widths[0], 22);
    EXPECT_EQ(widths[2], 5);
    ASSERT_EQ(ParseSimpleWidths("22c6C10p", widths, policies, 8), 3);
    EXPECT_EQ(policies[1], XmVARIABLE);
    EXPECT_EQ(widths[2], 10);
    EXPECT_EQ(policies[2], XmCONSTANT);
}

TEST(GridSimpleWidthsTest, BrokenTextsAreRefused)
{
    int widths[8];
    unsigned char policies[8];
    EXPECT_EQ(ParseSimpleWidths("22 c", widths, policies, 8), -1);
    EXPECT_EQ(ParseSimpleWidths("c22", widths, policies, 8), -1);
    EXPECT_EQ(ParseSimpleWidths("22x", widths, policies, 8), -1);
    EXPECT_EQ(ParseSimpleWidths("22", widths, policies, 8), -1);
    EXPECT_EQ(ParseSimpleWidths("1c2c3c", widths, policies, 2), -1) << "no room past the table";
    EXPECT_EQ(ParseSimpleWidths("", widths, policies, 1), 0);
}

TEST(GridSimpleWidthsTest, NumbersPast16BitsAreRefused)
{
    int widths[2];
    unsigned char policies[2];
    ASSERT_EQ(ParseSimpleWidths("65535c", widths, policies, 2), 1);
    EXPECT_EQ(widths[0], 65535);
    EXPECT_EQ(ParseSimpleWidths("65536c", widths, policies, 2), kSimpleWidthTooLarge)
        << "it would wrap to 0 and hide the column";
    EXPECT_EQ(ParseSimpleWidths("3c 99999999999999999999p", widths, policies, 2),
              kSimpleWidthTooLarge);
}

TEST_F(GridTest, SimpleWidthsSetTheFirstColumns)
{
    Arg args[2];
    XtSetArg(args[0], XmNcolumns, 6);
    XtSetArg(args[1], XmNsimpleWidths, "22c 6c 10p");
    grid(args, 2);
    EXPECT_EQ(GridColumn(g(), 0)->width, 22);
    EXPECT_EQ(GridColumn(g(), 1)->width, 6);
    EXPECT_EQ(GridColumn(g(), 2)->width, 10);
    EXPECT_EQ(GridColumn(g(), 2)->sizePolicy, XmCONSTANT);
    EXPECT_EQ(ColumnWidthInPixels(GridColumn(g(), 2)), 10);
    EXPECT_EQ(GridColumn(g(), 3)->width, 8) << "the rest keep their width";
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(GridTest, SimpleWidthsForMissingColumnsSetNothing)
{
    Arg args[1];
    XtSetArg(args[0], XmNcolumns, 1);
    grid(args, 1);
    XtVaSetValues(mGrid, XmNsimpleWidths, "3c 4c", NULL);
    EXPECT_EQ(GridColumn(g(), 0)->width, 8);
    EXPECT_TRUE(warned("SetSimpleWidths() - widths given for non-existing columns"));
    XtVaSetValues(mGrid, XmNsimpleWidths, "3 c", NULL);
    EXPECT_TRUE(warned("SetSimpleWidths() - invalid widths string"));
    XtVaSetValues(mGrid, XmNsimpleWidths, "65536c", NULL);
    EXPECT_TRUE(warned("SetSimpleWidths() - widths must be below 65536"));
    EXPECT_EQ(GridColumn(g(), 0)->width, 8);
    XtVaSetValues(mGrid, XmNsimpleWidths, "5c", NULL);     // one for each column there is
    EXPECT_EQ(GridColumn(g(), 0)->width, 5);
}

TEST_F(GridTest, SimpleHeadingsFillTheFirstHeadingRow)
{
    Arg args[3];
    XtSetArg(args[0], XmNcolumns, 3);
    XtSetArg(args[1], XmNheadingRows, 1);
    XtSetArg(args[2], XmNsimpleHeadings, "Server Name|Ping|T/O");
    grid(args, 3);
    EXPECT_EQ(text(0, 0), "Server Name");
    EXPECT_EQ(text(0, 2), "T/O");
    XtVaSetValues(mGrid, XmNsimpleHeadings, "a|b|c|d", NULL);
    EXPECT_TRUE(warned("SetSimpleHeadings() - headings given for non-existing columns"));
    EXPECT_EQ(text(0, 0), "Server Name");
}

TEST_F(GridTest, SimpleHeadingsNeedAHeadingRow)
{
    Arg args[1];
    XtSetArg(args[0], XmNcolumns, 2);
    grid(args, 1);
    XtVaSetValues(mGrid, XmNsimpleHeadings, "a|b", NULL);
    EXPECT_EQ(sWarnings, std::vector<std::string>{
                             warning("SetSimpleHeadings() - no heading row exists")});
}

// ---- Row and column records

TEST_F(GridTest, HiddenRowsMeasureNothing)
{
    Arg args[2];
    XtSetArg(args[0], XmNrows, 1);
    XtSetArg(args[1], XmNcolumns, 1);
    grid(args, 2);
    XmLGridRow row = GridRow(g(), 0);
    row->height = 0;
    RowHeightChanged(row);
    EXPECT_EQ(RowHeightInPixels(row), 0);
    row->sizePolicy = XmCONSTANT;
    EXPECT_EQ(RowHeightInPixels(row), 0);
}

TEST_F(GridTest, RowWithoutCellsUsesTheDefaultFont)
{
    Arg args[1];
    XtSetArg(args[0], XmNrows, 1);
    grid(args, 1);
    const XmLGridCellRefValues *d = part().defaultCellValues;
    ASSERT_GT(d->fontHeight, 0);
    GridRow(g(), 0)->height = 2;
    RowHeightChanged(GridRow(g(), 0));
    EXPECT_EQ(RowHeightInPixels(GridRow(g(), 0)), 2 * d->fontHeight + 4);
}

TEST_F(GridTest, RowHeightIsCachedUntilChanged)
{
    Arg args[2];
    XtSetArg(args[0], XmNrows, 1);
    XtSetArg(args[1], XmNcolumns, 1);
    grid(args, 2);
    XmLGridRow row = GridRow(g(), 0);
    int fontHeight = part().defaultCellValues->fontHeight;
    EXPECT_EQ(RowHeightInPixels(row), fontHeight + 4);
    row->height = 3;
    EXPECT_EQ(RowHeightInPixels(row), fontHeight + 4) << "the cached value";
    RowHeightChanged(row);
    EXPECT_EQ(RowHeightInPixels(row), 3 * fontHeight + 4);
}

TEST_F(GridTest, ColumnWidthIsTheWidestCellOfAllRows)
{
    Arg args[3];
    XtSetArg(args[0], XmNrows, 2);
    XtSetArg(args[1], XmNheadingRows, 1);
    XtSetArg(args[2], XmNcolumns, 1);
    grid(args, 3);
    int fontWidth = part().defaultCellValues->fontWidth;
    EXPECT_EQ(GetColWidth(g(), 0), 8 * fontWidth + 4);
    XtVaSetValues(mGrid, XmNrowType, XmHEADING, XmNcellMarginLeft, 10, NULL);
    EXPECT_EQ(GetColWidth(g(), 0), 8 * fontWidth + 14) << "the heading row counts too";
}

TEST_F(GridTest, HugeWidthsStayAtTheLargestSize)
{
    Arg args[2];
    XtSetArg(args[0], XmNrows, 1);
    XtSetArg(args[1], XmNcolumns, 1);
    grid(args, 2);
    XtVaSetValues(mGrid, XmNcolumnWidth, 60000, NULL);
    EXPECT_EQ(GetColWidth(g(), 0), 65535) << "characters times width held, not wrapped";
}

}  // namespace
