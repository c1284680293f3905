// grid_keys_test.cpp - XmLGrid driven by key events sent through the X server to its text
// child, so that Motif's virtual keys and the text child's own translations take part.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <X11/keysym.h>
#include <Xm/Text.h>

namespace {

class GridKeysTest : public GridTest {
protected:
    // A heading row over rows x 3 content cells, shown, with the keyboard on the grid.
    void make(int rows = 5)
    {
        Arg args[6];
        Cardinal n = 0;
        XtSetArg(args[n], XmNrows, rows), n++;
        XtSetArg(args[n], XmNcolumns, 3), n++;
        XtSetArg(args[n], XmNheadingRows, 1), n++;
        XtSetArg(args[n], XmNautoSelect, False), n++;
        XtSetArg(args[n], XmNwidth, 300), n++;
        XtSetArg(args[n], XmNheight, 200), n++;
        grid(args, n);
        show();
        XmProcessTraversal(part().textWidget, XmTRAVERSE_CURRENT);
        settle();
    }
    // Sends one key press and release to the text child's window and handles them.
    void press(KeySym sym, unsigned state = 0)
    {
        XEvent e = keyPress(sym, ++mTime);
        e.xkey.state = state;
        for (int type : {KeyPress, KeyRelease}) {
            e.xkey.type = type;
            XSendEvent(mDisplay, e.xkey.window, True, KeyPressMask | KeyReleaseMask, &e);
        }
        settle();
    }
    // Sends a key press alone: without a window manager the keyboard focus follows the
    // pointer, and the release goes to the window under it, which need not take it.
    void pressAlone(KeySym sym, unsigned state = 0)
    {
        XEvent e = keyPress(sym, ++mTime);
        e.xkey.state = state;
        XSendEvent(mDisplay, e.xkey.window, True, KeyPressMask, &e);
        settle();
    }
    // Clicks content cell (row, column) through the server.
    void click(int row, int column)
    {
        XRectangle rect;
        ASSERT_EQ(XmLGridRowColumnToXY(mGrid, XmCONTENT, row, XmCONTENT, column, True, &rect), 0);
        XEvent e;
        memset(&e, 0, sizeof e);
        e.xbutton.display = mDisplay;
        e.xbutton.window = XtWindow(mGrid);
        e.xbutton.x = rect.x + 2;
        e.xbutton.y = rect.y + 2;
        e.xbutton.button = Button1;
        e.xbutton.same_screen = True;
        e.xbutton.time = mTime += 1000;     // never a double click
        for (int type : {ButtonPress, ButtonRelease}) {
            e.xbutton.type = type;
            e.xbutton.state = type == ButtonRelease ? Button1Mask : 0;
            XSendEvent(mDisplay, e.xbutton.window, True, ButtonPressMask | ButtonReleaseMask, &e);
        }
        settle();
    }
    void typeText(const char *s)
    {
        for (; *s; s++)
            press(XStringToKeysym(std::string(1, *s).c_str()));
    }
    // Completing an edit begins one on the row below, the way data entry goes down a
    // column; an edit is open on content cell (1, 1) and the edit callback recorded after it.
    void editRowsInTurn()
    {
        make();
        XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
        record(XmNeditCallback);
        XtAddCallback(mGrid, XmNeditCallback, sEditBelowCB, nullptr);
        ASSERT_EQ(XmLGridEditBegin(mGrid, True, 1, 1), 0);
        mCalls.clear();
    }
    static void sEditBelowCB(Widget w, XtPointer, XtPointer callData)
    {
        auto *cbs = (XmLGridCallbackData *)callData;
        if (cbs->reason == XmCR_EDIT_COMPLETE)
            XmLGridEditBegin(w, True, cbs->row + 1, cbs->column);
    }
    // The edit of (1, 1) completed, and the one the callback began on (2, 1) open.
    void expectEditBelowOpen()
    {
        EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_EDIT_COMPLETE, XmCONTENT, 1, XmCONTENT, 1},
                                                  {XmCR_EDIT_BEGIN, XmCONTENT, 2, XmCONTENT, 1}}));
        EXPECT_TRUE(part().inEdit);
        EXPECT_EQ(part().focusRow, 1 + 2);
        EXPECT_EQ(part().focusColumn, 1);
    }
    std::string editorText()
    {
        char *s = XmTextGetString(part().textWidget);
        std::string t = s ? s : "";
        XtFree(s);
        return t;
    }
    Time mTime = 1000;
};

TEST_F(GridKeysTest, ReturnCompletesAnEditWithTheTextTyped)
{
    make();
    XtVaSetValues(mGrid, XmNcellEditable, True, NULL);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 1, 1), 0);
    record(XmNeditCallback);
    typeText("ab");
    ASSERT_TRUE(part().inEdit) << "typing began an edit";
    press(XK_Return);
    typeText("cd");
    EXPECT_EQ(text(2, 1), "ab") << "Return ended the edit before cd was typed";
    ASSERT_GE(mCalls.size(), 2u);
    EXPECT_EQ(mCalls[0], (GridCall{XmCR_EDIT_INSERT, XmCONTENT, 1, XmCONTENT, 1}));
    EXPECT_EQ(mCalls[1], (GridCall{XmCR_EDIT_COMPLETE, XmCONTENT, 1, XmCONTENT, 1}));
}

TEST_F(GridKeysTest, ReturnOutsideAnEditActivatesTheFocusCell)
{
    make();
    ASSERT_EQ(XmLGridSetFocus(mGrid, 2, 0), 0);
    record(XmNactivateCallback);
    press(XK_Return);
    EXPECT_EQ(mCalls, (std::vector<GridCall>{{XmCR_ACTIVATE, XmCONTENT, 2, XmCONTENT, 0}}));
    EXPECT_FALSE(part().inEdit);
    EXPECT_EQ(editorText(), "") << "no line break went into the editor";
}

TEST_F(GridKeysTest, ControlHomeAndEndReachTheCorners)
{
    make(8);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 3, 1), 0);
    press(XK_End, ControlMask);
    EXPECT_EQ(part().focusRow, 8);
    EXPECT_EQ(part().focusColumn, 2);
    press(XK_Home, ControlMask);
    EXPECT_EQ(part().focusRow, 1);
    EXPECT_EQ(part().focusColumn, 0);
}

TEST_F(GridKeysTest, PlainHomeAndEndKeepTheColumn)
{
    make(8);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 3, 1), 0);
    press(XK_End);
    EXPECT_EQ(part().focusRow, 8);
    EXPECT_EQ(part().focusColumn, 1);
    press(XK_Home);
    EXPECT_EQ(part().focusRow, 1);
    EXPECT_EQ(part().focusColumn, 1);
}

// Space selected the focus row and then refused every selection until its release came.
TEST_F(GridKeysTest, SpaceSelectsWithoutWaitingForItsRelease)
{
    make(8);
    XtVaSetValues(mGrid, XmNselectionPolicy, XmSELECT_MULTIPLE_ROW, NULL);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 2, 0), 0);
    pressAlone(XK_space);
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 2);
    press(XK_Down);
    press(XK_Down);
    pressAlone(XK_space);
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 4) << "the next Space";
    click(6, 0);
    EXPECT_EQ(XmLGridGetSelectedRow(mGrid), 6) << "the next click";
}

// From the keyboard Shift+Space adds the focus row alone, as the README says; the rows
// between it and the last one selected stay as they are.
TEST_F(GridKeysTest, ShiftSpaceAddsTheFocusRowAlone)
{
    make(8);
    XtVaSetValues(mGrid, XmNselectionPolicy, XmSELECT_MULTIPLE_ROW, NULL);
    ASSERT_EQ(XmLGridSetFocus(mGrid, 2, 0), 0);
    pressAlone(XK_space);
    press(XK_Down);
    press(XK_Down);
    pressAlone(XK_space, ShiftMask);
    int rows[2];
    ASSERT_EQ(XmLGridGetSelectedRowCount(mGrid), 2);
    ASSERT_EQ(XmLGridGetSelectedRows(mGrid, rows, 2), 0);
    EXPECT_EQ(rows[0], 2);
    EXPECT_EQ(rows[1], 4);
}

// The key that completes an edit moves the focus only when no callback has begun another.
TEST_F(GridKeysTest, DownLeavesAnEditTheCallbackBeganOpen)
{
    editRowsInTurn();
    press(XK_Down);
    expectEditBelowOpen();
}

TEST_F(GridKeysTest, UpLeavesAnEditTheCallbackBeganOpen)
{
    editRowsInTurn();
    press(XK_Up);
    expectEditBelowOpen();
}

TEST_F(GridKeysTest, TabLeavesAnEditTheCallbackBeganOpen)
{
    editRowsInTurn();
    press(XK_Tab);
    expectEditBelowOpen();
}

TEST_F(GridKeysTest, ShiftTabLeavesAnEditTheCallbackBeganOpen)
{
    editRowsInTurn();
    press(XK_Tab, ShiftMask);
    expectEditBelowOpen();
}

}  // namespace
