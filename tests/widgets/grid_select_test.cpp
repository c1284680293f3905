// grid_select_test.cpp - XmLGrid selection, focus and in-cell editing through the public functions.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <Xm/ScrollBar.h>
#include <Xm/Text.h>

#include <vector>

namespace {

class GridSelectTest : public GridTest {
protected:
    void make(unsigned char policy, int rows = 5, int columns = 3)
    {
        Arg args[5];
        XtSetArg(args[0], XmNrows, rows);
        XtSetArg(args[1], XmNcolumns, columns);
        XtSetArg(args[2], XmNheadingRows, 1);
        XtSetArg(args[3], XmNselectionPolicy, policy);
        XtSetArg(args[4], XmNautoSelect, False);
        grid(args, 5);
    }
    GridCall row(int reason, int r) { return {reason, XmCONTENT, r, XmCONTENT, -1}; }
};

TEST_F(GridSelectTest, BrowseSelectionDeselectsTheOldRowFirst)
{
    make(XmSELECT_BROWSE_ROW);
    XmLGridSelectRow(mGrid, 1, False);
    record(XmNselectCallback);
    record(XmNdeselectCallback);
    XmLGridSelectRow(mGrid, 3, True);
    EXPECT_EQ(mCalls, (std::vector<GridCall>{row(XmCR_DESELECT_ROW, 1), row(XmCR_SELECT_ROW, 3)}));
    mCalls.clear();
    XmLGridSelectRow(mGrid, 3, True);
    EXPECT_TRUE(mCalls.empty()) << "an already selected row reports nothing";
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 3);
}

TEST_F(GridSelectTest, SelectRowNamesContentRowsNotHeadings)
{
    make(XmSELECT_MULTIPLE_ROW);
    record(XmNselectCallback);
    XmLGridSelectRow(mGrid, 0, False);
    EXPECT_TRUE(mCalls.empty());
    EXPECT_TRUE(RowIsSelected(GridRow(g(), 1)));
    EXPECT_FALSE(RowIsSelected(GridRow(g(), 0)));
}

TEST_F(GridSelectTest, SelectAllNotifiesOncePerChangedRow)
{
    make(XmSELECT_MULTIPLE_ROW);
    XmLGridSelectRow(mGrid, 2, False);
    record(XmNselectCallback);
    XmLGridSelectAllRows(mGrid, True);
    EXPECT_EQ(mCalls.size(), 4u);
    mCalls.clear();
    record(XmNdeselectCallback);
    XmLGridDeselectAllRows(mGrid, True);
    EXPECT_EQ(mCalls.size(), 5u);
    EXPECT_EQ(mCalls[0], row(XmCR_DESELECT_ROW, 0));
}

TEST_F(GridSelectTest, SelectAllUnderOneRowPoliciesSelectsNothingNew)
{
    for (unsigned char policy : {XmSELECT_BROWSE_ROW, XmSELECT_SINGLE_ROW}) {
        make(policy, 200);
        XmLGridSelectRow(mGrid, 3, False);
        record(XmNselectCallback);
        record(XmNdeselectCallback);
        XmLGridSelectAllRows(mGrid, True);
        EXPECT_TRUE(mCalls.empty()) << (int)policy;
        EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 1);
        EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 3);
        XtDestroyWidget(mGrid);
        mCalls.clear();
    }
}

TEST_F(GridSelectTest, SelectedListsNeedTheExactCount)
{
    make(XmSELECT_MULTIPLE_ROW);
    XmLGridSelectRow(mGrid, 1, False);
    XmLGridSelectRow(mGrid, 4, False);
    int rows[3] = {-1, -1, -1};
    EXPECT_EQ(XmLGridGetSelectedRows(mGrid, rows, 2), 0);
    EXPECT_EQ(rows[0], 1);
    EXPECT_EQ(rows[1], 4);
    EXPECT_EQ(XmLGridGetSelectedRows(mGrid, rows, 3), -1);
    EXPECT_TRUE(warned("GetSelectedRows() - count is incorrect"));
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), -1) << "two rows are not one";
    int one[2] = {-1, -1};
    EXPECT_EQ(XmLGridGetSelectedRows(mGrid, one, 1), -1) << "and never writes past count";
    EXPECT_EQ(one[1], -1);
    EXPECT_EQ(rows[2], -1);
}

TEST_F(GridSelectTest, CellsAndColumnsSelectApart)
{
    make(XmSELECT_CELL);
    XmLGridSelectCell(mGrid, 1, 2, False);
    XmLGridSelectColumn(mGrid, 0, False);
    int rows[1], cols[1];
    EXPECT_EQ(XmLGridGetSelectedCells(mGrid, rows, cols, 1), 0);
    EXPECT_EQ(rows[0], 1);
    EXPECT_EQ(cols[0], 2);
    EXPECT_EQ(XmLGridGetSelectedColumnCount(mGrid), 1);
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0);
    XmLGridSelectColumn(mGrid, 2, False);
    int one[2] = {-1, -1};
    EXPECT_EQ(XmLGridGetSelectedColumns(mGrid, one, 1), -1);
    EXPECT_EQ(one[1], -1) << "never past the count";
}

TEST_F(GridSelectTest, MissingPositionsWarnOnce)
{
    make(XmSELECT_MULTIPLE_ROW);
    XmLGridSelectRow(mGrid, 5, False);
    XmLGridSelectCell(mGrid, -3, 0, False);
    EXPECT_EQ(sWarnings, (std::vector<std::string>{warning("SelectTypeArea() - bad position"),
                                                   warning("SelectTypeArea() - bad position")}));
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0) << "the footer or nothing is not selected";
}

TEST_F(GridSelectTest, FocusMovesReportOutBeforeIn)
{
    make(XmSELECT_BROWSE_ROW);
    record(XmNcellFocusCallback);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 2, 1), 0);
    mCalls.clear();
    ASSERT_EQ(XmLGridSetFocus(mGrid, 3, 1), 0);
    EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_CELL_FOCUS_OUT, XmCONTENT, 2, XmCONTENT, 1},
                                              {XmCR_CELL_FOCUS_IN, XmCONTENT, 3, XmCONTENT, 1}}));
    int r, c;
    Boolean in = True;
    XmLGridGetFocus(mGrid, &r, &c, &in);
    EXPECT_EQ(r, 3);
    EXPECT_EQ(c, 1);
    EXPECT_FALSE(in);
    EXPECT_EQ(XmLGridSetFocus(mGrid, 5, 0), -1);
    EXPECT_TRUE(warned("SetFocus() - invalid row"));
}

TEST_F(GridSelectTest, FocusSearchStartsInsideTheContent)
{
    make(XmSELECT_BROWSE_ROW);
    int r, c;
    ASSERT_EQ(FindNextFocus(g(), 0, 0, 0, 0, &r, &c), 0);
    EXPECT_EQ(r, 1) << "the heading row is clamped to the first content row";
    XtVaSetValues(mGrid, XmNrow, 0, XmNrowHeight, 0, NULL);
    EXPECT_EQ(FindNextFocus(g(), 0, 0, 0, 0, &r, &c), -1) << "hidden, no steps";
    ASSERT_EQ(FindNextFocus(g(), 0, 0, 1, 0, &r, &c), 0);
    EXPECT_EQ(r, 2);
}

TEST_F(GridSelectTest, FocusInAHeadingIsReportedAsNone)
{
    make(XmSELECT_BROWSE_ROW);
    part().focusRow = 0;
    part().focusColumn = 0;
    int r = 7, c = 7;
    Boolean in;
    XmLGridGetFocus(mGrid, &r, &c, &in);
    EXPECT_EQ(r, -1);
    EXPECT_EQ(c, -1);
    EXPECT_TRUE(warned("GetFocus() - focus row/column invalid\n"));
}

TEST_F(GridSelectTest, EditBeginChecksTheColumnFirst)
{
    make(XmSELECT_BROWSE_ROW);
    EXPECT_EQ(XmLGridEditBegin(mGrid, True, 99, 99), -1);
    EXPECT_EQ(sWarnings, std::vector<std::string>{warning("EditBegin() - invalid column")});
    XtVaSetValues(mGrid, XmNheight, 400, NULL);     // every row in sight
    show();
    EXPECT_EQ(XmLGridEditBegin(mGrid, True, 5, 0), -1);
    EXPECT_TRUE(warned("EditBegin() - invalid row"));
    sWarnings.clear();
    EXPECT_EQ(XmLGridEditBegin(mGrid, True, 4, 0), 0) << "the last row";
    EXPECT_TRUE(sWarnings.empty());
}

TEST_F(GridSelectTest, ANonEditableCellRefusesTheEdit)
{
    make(XmSELECT_BROWSE_ROW);
    record(XmNeditCallback);
    show();
    EXPECT_EQ(XmLGridEditBegin(mGrid, True, 1, 1), 0);
    EXPECT_FALSE(part().inEdit);
    EXPECT_TRUE(mCalls.empty());
}

TEST_F(GridSelectTest, EditingKeepsLineBreaksAndEmptiesCells)
{
    make(XmSELECT_BROWSE_ROW);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    XmLGridSetStringsPos(mGrid, XmCONTENT, 1, XmCONTENT, 0, (char *)"one\\ntwo");
    record(XmNeditCallback);
    show();
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 1, 0), 0);
    EXPECT_TRUE(part().inEdit);
    char *s = XmTextGetString(part().textWidget);
    EXPECT_STREQ(s, "one\\ntwo") << "a line break shows as backslash and n";
    XtFree(s);
    XmTextSetString(part().textWidget, (char *)"three\\nfour");
    XmLGridEditComplete(mGrid);
    EXPECT_FALSE(part().inEdit);
    EXPECT_EQ(text(2, 0), "three\\nfour");
    EXPECT_EQ(XmStringLineCount(CellGetString(GetCell(g(), 2, 0))), 2);
    XmLGridEditBegin(mGrid, True, 1, 0);
    XmTextSetString(part().textWidget, (char *)"");
    XmLGridEditComplete(mGrid);
    EXPECT_EQ(CellGetString(GetCell(g(), 2, 0)), nullptr) << "an empty text leaves no value";
    EXPECT_EQ(mCalls.size(), 4u);
    EXPECT_EQ(mCalls[0].reason, XmCR_EDIT_BEGIN);
    EXPECT_EQ(mCalls[1].reason, XmCR_EDIT_COMPLETE);
}

// Handed no font list, the text child would borrow the shell's default render table and
// free it when destroyed, under the next grid made beneath the same shell.
TEST_F(GridSelectTest, ACellWithoutAFontListIsEditedInTheGridsFont)
{
    XmFontListEntry entry = XmFontListEntryLoad(mDisplay, (char *)"10x20", XmFONT_IS_FONT,
                                                (char *)XmFONTLIST_DEFAULT_TAG);
    ASSERT_NE(entry, nullptr);
    XmFontList large = XmFontListAppendEntry(nullptr, entry);
    XmFontListEntryFree(&entry);
    Arg args[3];
    XtSetArg(args[0], XmNrows, 2);
    XtSetArg(args[1], XmNcolumns, 1);
    XtSetArg(args[2], XmNfontList, large);
    grid(args, 3);
    XmFontListFree(large);
    XtVaSetValues(mGrid, XmNcellEditable, True, XmNcellFontList, NULL, NULL);
    show();
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 0, 0), 0);
    XmFontList used = nullptr;
    XtVaGetValues(part().textWidget, XmNfontList, &used, NULL);
    Dimension width, height, gridWidth, gridHeight;
    XmLFontListGetDimensions(used, &width, &height, True);
    XmLFontListGetDimensions(part().fontList, &gridWidth, &gridHeight, True);
    EXPECT_EQ(height, gridHeight);
    XtDestroyWidget(mGrid);
    // The next text child copies the shell's render table: under the sanitizers a freed
    // one would stop the test here.
    mGrid = XmLCreateGrid(mShell, (char *)"next", nullptr, 0);
}

// While the layout is frozen the regions keep their old size; a cell they no longer
// reach has no room for the editor, which X would refuse at a size of 0.
TEST_F(GridSelectTest, AnEditNeedsRoomForTheEditor)
{
    make(XmSELECT_BROWSE_ROW);
    XtVaSetValues(mGrid, XmNcellEditable, True, XmNtopFixedCount, 2, NULL);
    record(XmNeditCallback);
    show();
    XtVaSetValues(mGrid, XmNlayoutFrozen, True, NULL);
    XtVaSetValues(mGrid, XmNrowType, XmHEADING, XmNrowHeight, 60, XmNrowSizePolicy, XmCONSTANT,
                  NULL);
    XmLGridEditBegin(mGrid, True, 0, 0);
    EXPECT_FALSE(part().inEdit);
    EXPECT_TRUE(mCalls.empty());
    XtVaSetValues(mGrid, XmNlayoutFrozen, False, NULL);
    EXPECT_EQ(XmLGridEditBegin(mGrid, True, 0, 0), 0);
    EXPECT_TRUE(part().inEdit) << "with the layout done, the cell has room";
    settle();
}

TEST_F(GridSelectTest, CancelledEditsLeaveTheCell)
{
    make(XmSELECT_BROWSE_ROW);
    XtVaSetValues(mGrid, XmNcellType, XmEDIT_STRING_CELL, NULL);
    XmLGridSetStringsPos(mGrid, XmCONTENT, 0, XmCONTENT, 0, (char *)"keep");
    show();
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 0, 0), 0);
    XmTextSetString(part().textWidget, (char *)"lost");
    XmLGridEditCancel(mGrid);
    EXPECT_EQ(text(1, 0), "keep");
    EXPECT_TRUE(part().textHidden);
}

TEST_F(GridSelectTest, ScrollingTheEditedCellAwayHidesTheEditor)
{
    make(XmSELECT_BROWSE_ROW, 100, 1);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    show();
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 0, 0), 0);
    EXPECT_FALSE(part().textHidden);
    XtVaSetValues(mGrid, XmNscrollRow, 50, NULL);
    EXPECT_TRUE(part().textHidden);
    EXPECT_TRUE(part().inEdit);
    XtVaSetValues(mGrid, XmNscrollRow, 0, NULL);
    EXPECT_FALSE(part().textHidden) << "shown over the cell again";
}

// The pixel scroll of a single column moved the cell and left the editor where it was:
// larger than what shows of a fixed column, or shown once none of it did.
TEST_F(GridSelectTest, AScrollByPixelsPlacesTheEditorOverWhatShowsOfItsCell)
{
    Arg args[4];
    XtSetArg(args[0], XmNrows, 3);
    XtSetArg(args[1], XmNcolumns, 1);
    XtSetArg(args[2], XmNleftFixedCount, 1);
    XtSetArg(args[3], XmNwidth, 200);
    grid(args, 4);
    XtVaSetValues(mGrid, XmNcellEditable, True, XmNcolumnWidth, 400, XmNcolumnSizePolicy,
                  XmCONSTANT, NULL);
    show();
    ASSERT_TRUE(part().pixelScroll);
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 1, 0), 0);
    Widget editor = part().textWidget, scrollBar = part().horizontalScrollBar;
    int maximum = 0;
    XtVaGetValues(scrollBar, XmNmaximum, &maximum, NULL);
    ASSERT_GT(maximum, 300);
    XmScrollBarSetValues(scrollBar, 300, 1, 1, 1, True);
    XRectangle cell;
    ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 1, XmCONTENT, 0, True, &cell), 0);
    ASSERT_GT(cell.width, 0);
    EXPECT_TRUE(viewable(XtWindow(editor)));
    EXPECT_EQ(editor->core.x, cell.x);
    EXPECT_EQ(editor->core.width, cell.width);
    XmScrollBarSetValues(scrollBar, maximum - 1, 1, 1, 1, True);
    EXPECT_FALSE(viewable(XtWindow(editor))) << "no part of the cell shows";
}

// Rows added above the edited cell move it beyond the rows the old layout showed.
TEST_F(GridSelectTest, TheEditorGoesWithItsCellWhenRowsAreAddedAbove)
{
    make(XmSELECT_BROWSE_ROW, 8, 1);
    XtVaSetValues(mGrid, XmNcellEditable, True, XmNwidth, 200, XmNheight, 400, NULL);
    XmLGridSetStringsPos(mGrid, XmCONTENT, 6, XmCONTENT, 0, (char *)"six");
    show();
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 6, 0), 0);
    XmLGridAddRows(mGrid, XmCONTENT, 0, 2);
    XRectangle cell;
    ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 8, XmCONTENT, 0, True, &cell), 0);
    Widget editor = part().textWidget;
    EXPECT_TRUE(viewable(XtWindow(editor)));
    EXPECT_EQ(editor->core.x, cell.x);
    EXPECT_EQ(editor->core.y, cell.y);
    EXPECT_EQ(editor->core.width, cell.width);
    EXPECT_EQ(editor->core.height, cell.height);
    XEvent key = keyPress(XK_x);
    XtCallActionProc(editor, (char *)"self-insert", &key, nullptr, 0);
    XmLGridEditComplete(mGrid);
    EXPECT_EQ(text(9, 0), "sixx");
}

TEST_F(GridSelectTest, AnEditGoesWithItsRowWhenRowsMove)
{
    make(XmSELECT_BROWSE_ROW, 5, 1);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    XmLGridSetStringsPos(mGrid, XmCONTENT, 1, XmCONTENT, 0, (char *)"one");
    show();
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 1, 0), 0);
    XmLGridMoveRows(mGrid, 3, 1, 1);
    XRectangle cell;
    ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 3, XmCONTENT, 0, True, &cell), 0);
    EXPECT_EQ(part().textWidget->core.y, cell.y);
    XmTextInsert(part().textWidget, XmTextGetLastPosition(part().textWidget), (char *)"x");
    XmLGridEditComplete(mGrid);
    EXPECT_EQ(text(4, 0), "onex");
    EXPECT_EQ(text(2, 0), "") << "the row moved up into the old place keeps its text";
}

TEST_F(GridSelectTest, MovingTheFocusCompletesTheEditInItsCell)
{
    make(XmSELECT_BROWSE_ROW, 5, 1);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    show();
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 1, 0), 0);
    XmTextSetString(part().textWidget, (char *)"typed");
    ASSERT_EQ(XmLGridSetFocus(mGrid, 3, 0), 0);
    EXPECT_FALSE(part().inEdit);
    EXPECT_EQ(text(2, 0), "typed");
    EXPECT_EQ(text(4, 0), "");
}

// The end of an edit was reported while the edit was open: a callback that laid out found
// it open and ended it again, without bound, and an edit it began was wiped on its return.
struct EndCallback {
    std::vector<int> reasons;
    int beginRow = -1;      // the row an edit is begun on at the next end
};

static void sScrollOnEndCB(Widget w, XtPointer clientData, XtPointer callData)
{
    auto *seen = (EndCallback *)clientData;
    int reason = ((XmLGridCallbackData *)callData)->reason;
    seen->reasons.push_back(reason);
    if ((reason != XmCR_EDIT_CANCEL && reason != XmCR_EDIT_COMPLETE) || seen->reasons.size() > 8)
        return;
    int row = 0;
    XtVaGetValues(w, XmNscrollRow, &row, NULL);
    XtVaSetValues(w, XmNscrollRow, row ? 0 : 1, NULL);
    if (seen->beginRow >= 0)
        XmLGridEditBegin(w, True, seen->beginRow, 0);
    seen->beginRow = -1;
}

TEST_F(GridSelectTest, AnEditIsOverWhenItsEndIsReported)
{
    make(XmSELECT_BROWSE_ROW, 100, 1);
    XtVaSetValues(mGrid, XmNcellEditable, True, XmNheight, 300, NULL);
    EndCallback seen;
    XtAddCallback(mGrid, XmNeditCallback, sScrollOnEndCB, &seen);
    show();
    // No room for the editor ends the edit; the layout the callback makes ends nothing more.
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 5, 0), 0);
    XtVaSetValues(mGrid, XmNcolumnType, XmCONTENT, XmNcolumn, 0, XmNcolumnWidth, 0, NULL);
    EXPECT_EQ(seen.reasons, (std::vector<int>{XmCR_EDIT_BEGIN, XmCR_EDIT_CANCEL}));
    EXPECT_FALSE(part().inEdit);
    XtVaSetValues(mGrid, XmNcolumnType, XmCONTENT, XmNcolumn, 0, XmNcolumnWidth, 10, NULL);
    seen.reasons.clear();
    ASSERT_EQ(XmLGridEditBegin(mGrid, True, 5, 0), 0);
    seen.beginRow = 6;
    XmLGridEditComplete(mGrid);
    EXPECT_EQ(seen.reasons, (std::vector<int>{XmCR_EDIT_BEGIN, XmCR_EDIT_COMPLETE,
                                              XmCR_EDIT_BEGIN}));
    EXPECT_TRUE(part().inEdit) << "the edit begun when the last one ended";
    EXPECT_EQ(part().focusRow, 7);
    EXPECT_TRUE(viewable(XtWindow(part().textWidget)));
    // Nor does deleting the edited row end one begun on a row that stays.
    seen.beginRow = 2;
    XmLGridDeleteRows(mGrid, XmCONTENT, 6, 1);
    EXPECT_EQ(seen.reasons.size(), 5u);
    EXPECT_TRUE(part().inEdit);
    EXPECT_EQ(part().focusRow, 3);
}

TEST_F(GridSelectTest, GeometryFunctionsSpeakInTypes)
{
    make(XmSELECT_BROWSE_ROW);
    XRectangle rect;
    ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 0, XmCONTENT, 0, False, &rect), 0);
    unsigned char rt, ct;
    int r, c;
    ASSERT_EQ(XmLGridXYToRowColumn(mGrid, rect.x + 1, rect.y + 1, &rt, &r, &ct, &c), 0);
    EXPECT_EQ(rt, XmCONTENT);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, 9, XmCONTENT, 0, False, &rect), -1);
    EXPECT_TRUE(warned("RowColumnToXY() - invalid position"));
    // Counted over all types the rows are the heading and five content rows.
    XtVaSetValues(mGrid, XmNheight, 400, NULL);
    EXPECT_EQ(XmLGridRowColumnToXY(mGrid, XmALL_TYPES, 5, XmCONTENT, 0, False, &rect), 0);
    EXPECT_EQ(XmLGridRowColumnToXY(mGrid, XmALL_TYPES, 6, XmCONTENT, 0, False, &rect), -1);
    EXPECT_EQ(XmLGridRowIsVisible(mGrid, 0), 1);
    EXPECT_EQ(XmLGridColumnIsVisible(mGrid, 7), 0);
}

TEST_F(GridSelectTest, PasteNeedsAFocusCell)
{
    make(XmSELECT_BROWSE_ROW, 0, 0);
    EXPECT_FALSE(XmLGridPaste(mGrid));
    EXPECT_TRUE(warned("Paste() - no cell has focus"));
}

}  // namespace
