// grid_actions_test.cpp - XmLGrid mouse and keyboard actions: selection, activation, resizing,
// traversal and typing into cells.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <X11/keysym.h>
#include <Xm/Form.h>
#include <Xm/PushB.h>
#include <Xm/Text.h>

namespace {

class GridActionsTest : public GridTest {
protected:
    // A heading row and rows x 3 content cells of 20 by 40 pixels.
    void make(unsigned char policy, int rows = 5)
    {
        Arg args[7];
        Cardinal n = 0;
        XtSetArg(args[n], XmNrows, rows), n++;
        XtSetArg(args[n], XmNcolumns, 3), n++;
        XtSetArg(args[n], XmNheadingRows, 1), n++;
        XtSetArg(args[n], XmNselectionPolicy, policy), n++;
        XtSetArg(args[n], XmNautoSelect, False), n++;
        XtSetArg(args[n], XmNwidth, 300), n++;
        XtSetArg(args[n], XmNheight, 200), n++;
        grid(args, n);
        XtVaSetValues(mGrid, XmNrowType, XmALL_TYPES, XmNrowRangeStart, 0, XmNrowRangeEnd,
                      rows, XmNrowHeight, 20, XmNrowSizePolicy, XmCONSTANT, NULL);
        XtVaSetValues(mGrid, XmNcolumnWidth, 40, XmNcolumnSizePolicy, XmCONSTANT, NULL);
        show();
    }
    void button(int type, int x, int y, Time time, const char *param, unsigned state = 0)
    {
        XEvent e;
        memset(&e, 0, sizeof e);
        e.xbutton.type = type;
        e.xbutton.display = mDisplay;
        e.xbutton.window = XtWindow(mGrid);
        e.xbutton.x = x;
        e.xbutton.y = y;
        e.xbutton.time = time;
        e.xbutton.state = state;
        String params[1] = {(char *)param};
        XtCallActionProc(mGrid, (char *)"XmLGridSelect", &e, params, 1);
    }
    void motion(int x, int y)
    {
        XEvent e;
        memset(&e, 0, sizeof e);
        e.xmotion.type = MotionNotify;
        e.xmotion.display = mDisplay;
        e.xmotion.window = XtWindow(mGrid);
        e.xmotion.x = x;
        e.xmotion.y = y;
        XtCallActionProc(mGrid, (char *)"XmLGridButtonMotion", &e, nullptr, 0);
    }
    // A click at the middle of content cell (row, column).
    void click(int row, int col, Time time, const char *param = "BEGIN")
    {
        int x = 2 + col * 40 + 20, y = 2 + 20 + row * 20 + 10;
        button(ButtonPress, x, y, time, param);
        button(ButtonRelease, x, y, time, "END");
    }
    void key(const char *action, const char *param)
    {
        XEvent e = keyPress(NoSymbol);
        String params[1] = {(char *)param};
        XtCallActionProc(part().textWidget, (char *)action, &e, params, param ? 1 : 0);
    }
    void type(KeySym sym)
    {
        XEvent e = keyPress(sym);
        XtCallActionProc(part().textWidget, (char *)"self-insert", &e, nullptr, 0);
    }
};

TEST_F(GridActionsTest, ADoubleClickActivatesWithoutChangingTheSelection)
{
    make(XmSELECT_MULTIPLE_ROW);
    record(XmNactivateCallback);
    click(1, 0, 1000);
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 1);
    click(1, 0, 1100);
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 1) << "the second click selects nothing";
    EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_ACTIVATE, XmCONTENT, 1, XmCONTENT, 0}}));
    click(2, 0, 1200);
    EXPECT_EQ(mCalls.size(), 1u) << "another cell is a new click";
}

TEST_F(GridActionsTest, ClicksFollowTheSelectionPolicy)
{
    make(XmSELECT_MULTIPLE_ROW);
    click(0, 0, 1000);
    click(2, 0, 5000, "TOGGLE");
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 2);
    click(2, 0, 9000);
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0) << "a click on the only selected row";
    EXPECT_EQ(part().focusRow, 3);
}

TEST_F(GridActionsTest, HeadingClicksReachTheSelectCallback)
{
    make(XmSELECT_BROWSE_ROW);
    record(XmNselectCallback);
    button(ButtonPress, 2 + 60, 10, 1000, "BEGIN");
    button(ButtonRelease, 2 + 60, 10, 1000, "END");
    EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_SELECT_CELL, XmHEADING, 0, XmCONTENT, 1}}));
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0);
}

TEST_F(GridActionsTest, MultipleRowGridsHearHeadingClicksToo)
{
    make(XmSELECT_MULTIPLE_ROW);
    record(XmNselectCallback);
    button(ButtonPress, 2 + 100, 10, 1000, "BEGIN");
    button(ButtonRelease, 2 + 100, 10, 1000, "END");
    EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_SELECT_CELL, XmHEADING, 0, XmCONTENT, 2}}));
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0);
}

TEST_F(GridActionsTest, DraggingAColumnBorderResizesIt)
{
    make(XmSELECT_BROWSE_ROW);
    XtVaSetValues(mGrid, XmNallowColumnResize, True, NULL);
    record(XmNresizeCallback);
    button(ButtonPress, 2 + 40 - 1, 10, 1000, "BEGIN");
    EXPECT_EQ(part().dragMode, DragResize);
    EXPECT_EQ(part().cursorType, CursorHResize);
    motion(2 + 3, 10);
    button(ButtonRelease, 2 + 3, 10, 1000, "END");
    EXPECT_EQ(GridColumn(g(), 0)->width, 6) << "held at the smallest width";
    EXPECT_EQ(part().dragMode, DragNone);
    EXPECT_EQ(part().cursorType, CursorNone);
    EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_RESIZE_COLUMN, XmHEADING, 0, XmCONTENT, 0}}));
    XtVaSetValues(mGrid, XmNallowColumnHide, True, NULL);
    button(ButtonPress, 2 + 6 - 1, 10, 2000, "BEGIN");
    motion(1, 10);
    button(ButtonRelease, 1, 10, 2000, "END");
    EXPECT_EQ(GridColumn(g(), 0)->width, 0) << "hidden";
    EXPECT_EQ(part().hiddenColumns, 1);
}

TEST_F(GridActionsTest, TheResizeLineSurvivesARedraw)
{
    make(XmSELECT_BROWSE_ROW);
    XtVaSetValues(mGrid, XmNallowColumnResize, True, NULL);
    settle();
    Pixel before;
    {
        Snapshot shot(mGrid);
        before = shot.at(200, 150);
    }
    button(ButtonPress, 2 + 40 - 1, 10, 1000, "BEGIN");
    motion(200, 10);
    XmLGridRedrawAll(mGrid);
    settle();
    {
        Snapshot shot(mGrid);
        EXPECT_NE(shot.at(200, 150), before) << "the line is there after the redraw";
    }
    button(ButtonRelease, 200, 10, 1000, "END");
    settle();
    Snapshot shot(mGrid);
    EXPECT_EQ(shot.at(200, 150), before) << "and gone after the drag";
}

TEST_F(GridActionsTest, ArrowKeysMoveTheFocusAndTheBrowseSelection)
{
    make(XmSELECT_BROWSE_ROW);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 0, 0), 0);
    key("XmLGridTraverse", "DOWN");
    key("XmLGridTraverse", "RIGHT");
    EXPECT_EQ(part().focusRow, 2);
    EXPECT_EQ(part().focusColumn, 1);
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 1);
    key("XmLGridTraverse", "TO_BOTTOM_RIGHT");
    EXPECT_EQ(part().focusRow, 5);
    EXPECT_EQ(part().focusColumn, 2);
    key("XmLGridTraverse", "EXTEND_UP");
    EXPECT_EQ(part().focusRow, 5) << "no extension under browse selection";
}

TEST_F(GridActionsTest, PageDownMovesFourRowsAndScrollsThemToTheTop)
{
    make(XmSELECT_BROWSE_ROW, 50);
    int last = part().reg[4].row + part().reg[4].nrow - 1;
    ASSERT_EQ(XmLGridSetFocus(mGrid, last - 1, 0), 0);
    key("XmLGridTraverse", "PAGE_DOWN");
    EXPECT_EQ(part().focusRow, last + 4);
    EXPECT_EQ(part().scrollRowPos, last + 4);
}

// Rows and columns fixed at the end can take the focus, but a page down or right from the last
// page stops at the last scrolling row or column, short of the fixed band after it.
TEST_F(GridActionsTest, PagingAtTheEndStopsBeforeTheRowsAndColumnsFixedThere)
{
    make(XmSELECT_CELL, 30);
    XtVaSetValues(mGrid, XmNcolumns, 12, NULL);
    XtVaSetValues(mGrid, XmNbottomFixedCount, 2, XmNrightFixedCount, 2, NULL);
    XtVaSetValues(mGrid, XmNscrollRow, 1000, XmNscrollColumn, 1000, NULL);
    int lastRow = RowCount(g()) - 2 - 1, lastColumn = ColCount(g()) - 2 - 1;
    ASSERT_LT(part().reg[4].row, lastRow) << "the rows scroll";
    ASSERT_LT(part().reg[4].col, lastColumn) << "the columns scroll";
    ASSERT_EQ(SetFocus(g(), part().reg[4].row, part().reg[4].col, 0, 0), 0);
    key("XmLGridTraverse", "PAGE_DOWN");
    EXPECT_EQ(part().focusRow, lastRow);
    key("XmLGridTraverse", "PAGE_RIGHT");
    EXPECT_EQ(part().focusColumn, lastColumn);
}

TEST_F(GridActionsTest, ExtendingSelectsARangeOfRows)
{
    make(XmSELECT_MULTIPLE_ROW);
    click(1, 0, 1000);
    key("XmLGridTraverse", "EXTEND_DOWN");
    key("XmLGridTraverse", "EXTEND_DOWN");
    int rows[3];
    ASSERT_EQ(XmLGridGetSelectedRows(mGrid, rows, 3), 0);
    EXPECT_EQ(rows[0], 1);
    EXPECT_EQ(rows[2], 3);
    key("XmLGridTraverse", "EXTEND_UP");
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 2);
    for (int i = 0; i < 3; i++)
        key("XmLGridTraverse", "EXTEND_DOWN");      // to the last row and against it
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 4);
}

TEST_F(GridActionsTest, TypingStartsAnEditOnlyInEditableCells)
{
    make(XmSELECT_BROWSE_ROW);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 0, 0), 0);
    type(XK_a);
    EXPECT_FALSE(part().inEdit);
    char *s = XmTextGetString(part().textWidget);
    EXPECT_STREQ(s, "") << "the letter was refused";
    XtFree(s);
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    type(XK_b);
    EXPECT_TRUE(part().inEdit);
    s = XmTextGetString(part().textWidget);
    EXPECT_STREQ(s, "b");
    XtFree(s);
    key("XmLGridEditComplete", "DOWN");
    EXPECT_EQ(text(1, 0), "b");
    EXPECT_EQ(part().focusRow, 2);
}

TEST_F(GridActionsTest, DraggingPastTheBottomScrollsWhileSelecting)
{
    make(XmSELECT_BROWSE_ROW, 50);
    click(0, 0, 1000);
    button(ButtonPress, 10, 30, 5000, "BEGIN");
    motion(10, 500);
    EXPECT_EQ(part().dragScrollFlags, 8);
    int before = part().scrollRowPos;
    for (int i = 0; i < 30 && part().scrollRowPos == before; i++) {
        XtAppProcessEvent(mApp, XtIMTimer);
    }
    EXPECT_GT(part().scrollRowPos, before);
    button(ButtonRelease, 10, 500, 6000, "END");
    EXPECT_EQ(part().dragScrollFlags, 0) << "the timer stops";
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 1);
}

// Xt finds the grid's actions from any widget inside it; only the grid and its text child
// can take them.
TEST_F(GridActionsTest, ActionsOnAWidgetDeeperInsideTheGridOnlyWarn)
{
    make(XmSELECT_BROWSE_ROW);
    Widget form = XtVaCreateManagedWidget("form", xmFormWidgetClass, mGrid, XmNwidth, 60,
                                          XmNheight, 30, NULL);
    Widget button = XtVaCreateManagedWidget("button", xmPushButtonWidgetClass, form, NULL);
    settle();
    XEvent e;
    memset(&e, 0, sizeof e);
    e.xbutton.type = ButtonPress;
    e.xbutton.display = mDisplay;
    e.xbutton.window = XtWindow(button);
    e.xbutton.x = e.xbutton.y = 5;
    e.xbutton.button = Button1;
    e.xbutton.time = 1000;
    const char *actions[][2] = {
        {"XmLGridSelect", "BEGIN"},   {"XmLGridButtonMotion", nullptr},
        {"XmLGridCursorMotion", nullptr}, {"XmLGridEdit", nullptr},
        {"XmLGridEditCancel", nullptr}, {"XmLGridEditComplete", "DOWN"},
        {"XmLGridDragStart", nullptr}, {"XmLGridTraverse", "DOWN"},
    };
    for (auto &a : actions) {
        sWarnings.clear();
        String params[1] = {(char *)a[1]};
        XtCallActionProc(button, (char *)a[0], &e, params, a[1] ? 1 : 0);
        EXPECT_EQ(sWarnings.size(), 1u) << a[0];
    }
    XtOverrideTranslations(button, XtParseTranslationTable("<Btn1Down>: XmLGridSelect(BEGIN)"));
    sWarnings.clear();
    XSendEvent(mDisplay, XtWindow(button), True, ButtonPressMask, &e);
    settle();
    EXPECT_EQ(sWarnings.size(), 1u) << "a click through the server";
    EXPECT_EQ(XmLGridGetSelectedRowCount(mGrid), 0);
}

}  // namespace
