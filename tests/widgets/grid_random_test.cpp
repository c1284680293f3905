// grid_random_test.cpp - XmLGrid under long runs of random public calls, actions and
// callbacks that change the grid back, and its callback lists too, checked after every step
// for a grid that still holds together, with any in-cell editor over the cell it edits, each
// edit's end reported once, after it is over, and no callback called through a list it has
// left. Run under the
// sanitizers (scripts/sanitize.sh) it also catches reads of freed memory; each seed is one
// bounded, repeatable run.
// GoogleTest comes before the X headers, whose None macro it would trip over.
#include <gtest/gtest.h>

#include "grid_fixture.h"

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <Xm/Text.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <deque>
#include <random>

namespace {

// The callback lists a run changes, all but the draw list.
const char *const kLists[] = {XmNaddCallback, XmNdeleteCallback, XmNselectCallback,
                              XmNdeselectCallback, XmNcellFocusCallback, XmNeditCallback,
                              XmNscrollCallback, XmNactivateCallback, XmNresizeCallback,
                              XmNcellPasteCallback};
const int kListCount = (int)(sizeof kLists / sizeof kLists[0]);

class GridRandomTest : public GridTest {
protected:
    void run(unsigned seed, int steps)
    {
        mRandom.seed(seed);
        make();
        for (mStep = 0; mStep < steps && !HasFatalFailure(); mStep++) {
            step();
            if (mStep % 16 == 0)
                settle();   // exposures: Redisplay and the draw callbacks
            check();
        }
        XFreePixmap(mDisplay, mPixmap);
    }

private:
    int pick(int n) { return n > 0 ? (int)(mRandom() % (unsigned)n) : 0; }
    bool chance(int percent) { return pick(100) < percent; }
    int anyType() { return chance(10) ? pick(6) : pick(3); }
    // A position near the type's rows: often one that exists, sometimes one that does not.
    int position(int count) { return chance(10) ? pick(count + 4) - 2 : pick(count + 1); }
    int span()
    {
        static const int spans[] = {0, 0, 1, 2, 3, -1, INT_MAX, INT_MAX - 1};
        return spans[pick(8)];
    }

    void make()
    {
        Arg args[12];
        Cardinal n = 0;
        XtSetArg(args[n], XmNrows, 8), n++;
        XtSetArg(args[n], XmNcolumns, 3), n++;
        XtSetArg(args[n], XmNheadingRows, 1), n++;
        XtSetArg(args[n], XmNfooterRows, 1), n++;
        XtSetArg(args[n], XmNheadingColumns, 1), n++;
        XtSetArg(args[n], XmNfooterColumns, 1), n++;
        XtSetArg(args[n], XmNtopFixedCount, 2), n++;
        XtSetArg(args[n], XmNleftFixedCount, 2), n++;
        XtSetArg(args[n], XmNwidth, 320), n++;
        XtSetArg(args[n], XmNheight, 200), n++;
        XtSetArg(args[n], XmNallowColumnResize, True), n++;
        XtSetArg(args[n], XmNallowRowResize, True), n++;
        grid(args, n);
        for (const char *list : kLists)
            XtAddCallback(mGrid, (char *)list, sCallbackCB, this);
        XtAddCallback(mGrid, XmNcellDrawCallback, sCallbackCB, this);
        show();
        mPixmap = XCreatePixmap(mDisplay, XtWindow(mGrid), 12, 12, 24);
        GC gc = makeGC(mGrid, kRed);
        XFillRectangle(mDisplay, mPixmap, gc, 0, 0, 12, 12);
        XFreeGC(mDisplay, gc);
    }

    // ---- Steps

    void step()
    {
        switch (pick(16)) {
        case 0: addOrDelete(); break;
        case 1:
            openEdit();
            addOrDelete();
            break;
        case 2:
            openEdit();
            moveOrReorder();
            break;
        case 3: cellValues(); break;
        case 4: cellValues(); break;
        case 5: rowAndColumnValues(); break;
        case 6: widgetValues(); break;
        case 7: select(); break;
        case 8: focusAndEdit(); break;
        case 9: keys(); break;
        case 10: pointer(); break;
        case 11: readValues(); break;
        case 12: text(); break;
        case 13: select(); break;
        case 14: keys(); break;
        default: addOrDelete(); break;
        }
    }

    void addOrDelete()
    {
        XmLGridPart &p = part();
        int type = anyType();
        int rows = type == XmHEADING ? p.headingRows : type == XmFOOTER ? p.footerRows : p.rows;
        int cols = type == XmHEADING ? p.headingColumns
                 : type == XmFOOTER  ? p.footerColumns
                                     : p.columns;
        switch (pick(5)) {
        case 0:
            if (RowCount(g()) < 60)
                XmLGridAddRows(mGrid, (unsigned char)type, position(rows), 1 + pick(6));
            break;
        case 1:
            if (ColCount(g()) < 10)
                XmLGridAddColumns(mGrid, (unsigned char)type, position(cols), 1 + pick(2));
            break;
        case 2: XmLGridDeleteRows(mGrid, (unsigned char)type, position(rows), 1 + pick(4)); break;
        case 3:
            XmLGridDeleteColumns(mGrid, (unsigned char)type, position(cols), 1 + pick(2));
            break;
        default:
            if (chance(20))
                XmLGridDeleteAllRows(mGrid, (unsigned char)type);
            break;
        }
    }

    void moveOrReorder()
    {
        int rows = part().rows, cols = part().columns;
        int count = 1 + pick(3);
        switch (pick(4)) {
        case 0: XmLGridMoveRows(mGrid, position(rows), position(rows), count); break;
        case 1: XmLGridMoveColumns(mGrid, position(cols), position(cols), count); break;
        default: {
            bool isRows = pick(2);
            int n = isRows ? rows : cols;
            int start = position(n);
            std::vector<int> list((size_t)count);
            for (int i = 0; i < count; i++)
                list[(size_t)i] = chance(80) ? start + (count - 1 - i) : position(n);
            (isRows ? XmLGridReorderRows : XmLGridReorderColumns)(mGrid, list.data(), start,
                                                                   count);
            break;
        }
        }
    }

    // Selectors of one set-values call, then the values.
    static void addArg(std::vector<Arg> &args, const char *name, XtArgVal value)
    {
        Arg a;
        XtSetArg(a, (char *)name, value);
        args.push_back(a);
    }

    void selectors(std::vector<Arg> &args)
    {
        auto add = [&](const char *name, XtArgVal value) { addArg(args, name, value); };
        if (chance(50))
            add(XmNrowType, anyType());
        if (chance(50))
            add(XmNcolumnType, anyType());
        int rows = RowCount(g()), cols = ColCount(g());
        if (chance(30)) {
            add(XmNrowRangeStart, position(rows));
            add(XmNrowRangeEnd, position(rows));
        } else if (chance(50)) {
            add(XmNrow, position(rows));
        }
        if (chance(30)) {
            add(XmNcolumnRangeStart, position(cols));
            add(XmNcolumnRangeEnd, position(cols));
        } else if (chance(50)) {
            add(XmNcolumn, position(cols));
        }
        if (chance(10))
            add(XmNrowStep, pick(4));
        if (chance(10))
            add(XmNcolumnStep, pick(3));
        if (chance(10))
            add(XmNcellDefaults, True);
    }

    void cellValues()
    {
        std::vector<Arg> args;
        selectors(args);
        auto add = [&](const char *name, XtArgVal value) { addArg(args, name, value); };
        XmString string = nullptr;
        static const unsigned char types[] = {XmSTRING_CELL, XmICON_CELL, XmPIXMAP_CELL,
                                              XmTOGGLE_CELL, XmEDIT_STRING_CELL,
                                              XmFIXED_STRING_CELL};
        for (int i = 0, n = 1 + pick(3); i < n; i++) {
            switch (pick(12)) {
            case 0: add(XmNcellBackground, pick(2) ? kYellow : kWhite); break;
            case 1: add(XmNcellAlignment, pick(9)); break;
            case 2: add(XmNcellType, types[pick(6)]); break;
            case 3: add(XmNcellRowSpan, span()); break;
            case 4: add(XmNcellColumnSpan, span()); break;
            case 5: add(XmNcellMarginLeft, pick(30)); break;
            case 6: add(XmNcellEditable, pick(2)); break;
            case 7: add(XmNcellPixmap, chance(80) ? mPixmap : XmUNSPECIFIED_PIXMAP); break;
            case 8: add(XmNcellToggleSet, pick(2)); break;
            case 9: add(XmNcellTopBorderType, pick(3)); break;
            case 10: {
                XmLGridCell cell = GetCell(g(), pick(RowCount(g())), pick(ColCount(g())));
                XmString own = cell ? CellGetString(cell) : nullptr;
                if (own && chance(50)) {
                    add(XmNcellString, (XtArgVal)own);      // the cell's own string
                } else if (!string) {
                    string = XmStringCreateLtoR((char *)"one\ntwo", XmSTRING_DEFAULT_CHARSET);
                    add(XmNcellString, (XtArgVal)string);
                }
                break;
            }
            default: add(XmNcellUserData, (XtArgVal)this); break;
            }
        }
        XtSetValues(mGrid, args.data(), (Cardinal)args.size());
        if (string)
            XmStringFree(string);
    }

    void rowAndColumnValues()
    {
        std::vector<Arg> args;
        selectors(args);
        auto add = [&](const char *name, XtArgVal value) { addArg(args, name, value); };
        switch (pick(5)) {
        case 0: add(XmNrowHeight, chance(30) ? 0 : 1 + pick(30)); break;
        case 1: add(XmNcolumnWidth, chance(30) ? 0 : 1 + pick(40)); break;
        case 2: add(XmNrowSizePolicy, pick(2)); break;
        case 3: add(XmNcolumnSizePolicy, pick(2)); break;
        default: add(XmNrowUserData, (XtArgVal)this); break;
        }
        XtSetValues(mGrid, args.data(), (Cardinal)args.size());
    }

    void widgetValues()
    {
        static const char *widths[] = {"5c 6c", "70000c", "10p3c", "", "x", "3 c", "4c 4c 4c 4c"};
        static const char *headings[] = {"a|b", "", "a|b|c|d|e|f|g|h|i|j|k|l"};
        switch (pick(13)) {
        case 0: XtVaSetValues(mGrid, XmNtopFixedCount, pick(5), NULL); break;
        case 1: XtVaSetValues(mGrid, XmNbottomFixedCount, pick(4), NULL); break;
        case 2: XtVaSetValues(mGrid, XmNleftFixedCount, pick(4), NULL); break;
        case 3:
            XtVaSetValues(mGrid, XmNheadingRows, pick(3), XmNtopFixedCount, pick(4), NULL);
            break;
        case 4:
            XtVaSetValues(mGrid, XmNfooterColumns, pick(3), XmNrightFixedCount, pick(3), NULL);
            break;
        case 5: XtVaSetValues(mGrid, XmNrows, pick(30), NULL); break;
        case 6:
            XtVaSetValues(mGrid, XmNscrollRow, chance(10) ? INT_MAX : position(part().rows), NULL);
            break;
        case 7:
            XtVaSetValues(mGrid, XmNscrollColumn,
                          chance(10) ? INT_MAX : position(part().columns), NULL);
            break;
        case 8: XtVaSetValues(mGrid, XmNlayoutFrozen, !part().layoutFrozen, NULL); break;
        case 9: XtVaSetValues(mGrid, XmNsimpleWidths, widths[pick(7)], NULL); break;
        case 10: XtVaSetValues(mGrid, XmNselectionPolicy, 1 + pick(5), NULL); break;
        case 11: XtVaSetValues(mGrid, XmNsimpleHeadings, headings[pick(3)], NULL); break;
        default: XtVaSetValues(mGrid, XmNhighlightRowMode, pick(2), NULL); break;
        }
    }

    void select()
    {
        int rows = part().rows, cols = part().columns;
        Boolean notify = pick(2);
        switch (pick(9)) {
        case 0: XmLGridSelectRow(mGrid, position(rows), notify); break;
        case 1: XmLGridDeselectRow(mGrid, position(rows), notify); break;
        case 2: XmLGridSelectAllRows(mGrid, notify); break;
        case 3: XmLGridDeselectAllRows(mGrid, notify); break;
        case 4: XmLGridSelectCell(mGrid, position(rows), position(cols), notify); break;
        case 5: XmLGridSelectAllCells(mGrid, notify); break;
        case 6: XmLGridSelectColumn(mGrid, position(cols), notify); break;
        case 7: XmLGridDeselectAllCells(mGrid, notify); break;
        default: {
            int count = XmLGridGetSelectedRowCount(mGrid);
            std::vector<int> list((size_t)count + 1);
            XmLGridGetSelectedRows(mGrid, list.data(), count);
            break;
        }
        }
    }

    // An edit of a cell made editable for it, for the change that follows to move.
    void openEdit()
    {
        int rows = part().rows, cols = part().columns;
        if (rows < 1 || cols < 1)
            return;
        int row = pick(rows), col = pick(cols);
        XtVaSetValues(mGrid, XmNrowType, XmCONTENT, XmNrow, row, XmNcolumnType, XmCONTENT,
                      XmNcolumn, col, XmNcellType, XmSTRING_CELL, XmNcellEditable, True, NULL);
        XmLGridEditBegin(mGrid, pick(2), row, col);
    }

    void focusAndEdit()
    {
        switch (pick(5)) {
        case 0: XmLGridSetFocus(mGrid, position(part().rows), position(part().columns)); break;
        case 1:
            XmLGridEditBegin(mGrid, pick(2), position(part().rows), position(part().columns));
            break;
        case 2: XmLGridEditComplete(mGrid); break;
        case 3: XmLGridEditCancel(mGrid); break;
        default: {
            int row, col;
            Boolean in;
            XmLGridGetFocus(mGrid, &row, &col, &in);
            break;
        }
        }
    }

    void keys()
    {
        static const char *moves[] = {"UP", "DOWN", "LEFT", "RIGHT", "PAGE_UP", "PAGE_DOWN",
                                      "PAGE_LEFT", "PAGE_RIGHT", "TO_TOP", "TO_BOTTOM",
                                      "TO_TOP_LEFT", "TO_BOTTOM_RIGHT", "EXTEND_DOWN",
                                      "EXTEND_UP", "EXTEND_PAGE_DOWN", "EXTEND_RIGHT"};
        static const char *selects[] = {"BEGIN", "EXTEND", "TOGGLE", "END", "ACTIVATE"};
        Widget text = part().textWidget;
        XEvent e = keyPress(XK_a, (Time)(1000 + mStep));
        String param[1];
        switch (pick(6)) {
        case 0:
            param[0] = (char *)moves[pick(16)];
            XtCallActionProc(text, (char *)"XmLGridTraverse", &e, param, 1);
            break;
        case 1:
            param[0] = (char *)selects[pick(5)];
            XtCallActionProc(text, (char *)"XmLGridSelect", &e, param, 1);
            break;
        case 2: XtCallActionProc(text, (char *)"self-insert", &e, nullptr, 0); break;
        case 3:
            param[0] = (char *)moves[pick(4)];
            XtCallActionProc(text, (char *)"XmLGridEditComplete", &e, param, 1);
            break;
        case 4: XtCallActionProc(text, (char *)"XmLGridEdit", &e, nullptr, 0); break;
        default: XtCallActionProc(text, (char *)"activate", &e, nullptr, 0); break;
        }
    }

    void pointer()
    {
        static const char *selects[] = {"BEGIN", "EXTEND", "TOGGLE", "END"};
        XEvent e;
        memset(&e, 0, sizeof e);
        e.xbutton.type = pick(2) ? ButtonPress : ButtonRelease;
        e.xbutton.display = mDisplay;
        e.xbutton.window = XtWindow(mGrid);
        e.xbutton.x = pick(340) - 10;
        e.xbutton.y = pick(220) - 10;
        e.xbutton.button = Button1;
        e.xbutton.time = (Time)(1000 + 10 * mStep);
        String param[1] = {(char *)selects[pick(4)]};
        if (chance(60)) {
            XtCallActionProc(mGrid, (char *)"XmLGridSelect", &e, param, 1);
        } else {
            e.xmotion.type = MotionNotify;
            XtCallActionProc(mGrid, pick(2) ? (char *)"XmLGridButtonMotion"
                                            : (char *)"XmLGridCursorMotion",
                             &e, nullptr, 0);
        }
        if (part().dragScrollFlags && chance(50))
            XtAppProcessEvent(mApp, XtIMTimer);
    }

    // Records are kept across steps on purpose: some are deleted by the time they are read.
    void readValues()
    {
        if (mRows.size() < 16 && RowCount(g()))
            mRows.push_back(XmLGridGetRow(mGrid, XmALL_TYPES, pick(RowCount(g()))));
        if (mColumns.size() < 16 && ColCount(g()))
            mColumns.push_back(XmLGridGetColumn(mGrid, XmALL_TYPES, pick(ColCount(g()))));
        if (mRows.empty() || mColumns.empty())
            return;
        XmLGridRow row = mRows[(size_t)pick((int)mRows.size())];
        XmLGridColumn column = mColumns[(size_t)pick((int)mColumns.size())];
        XtPointer data;
        Dimension size;
        unsigned char type;
        XmString string = nullptr;
        XtVaGetValues(mGrid, XmNrowPtr, row, XmNcolumnPtr, column, XmNrowUserData, &data,
                      XmNcolumnWidth, &size, XmNcellType, &type, XmNcellString, &string, NULL);
        // A copy only when both records were read; otherwise whatever the resource held.
        if (string && RecordIsLive(g(), true, row) && RecordIsLive(g(), false, column))
            XmStringFree(string);
    }

    void text()
    {
        switch (pick(5)) {
        case 0:
            XmLGridSetStringsPos(mGrid, (unsigned char)anyType(), position(part().rows),
                                 (unsigned char)anyType(), position(part().columns),
                                 (char *)"a|b\\nc|d\nee|f");
            break;
        case 1: {
            FILE *file = tmpfile();
            XmLGridWrite(mGrid, file, 1 + pick(5), '|', pick(2));
            rewind(file);
            XmLGridRead(mGrid, file, 1 + pick(5), ',');
            fclose(file);
            break;
        }
        case 2: {
            char *copy = CopyDataToBuffer(g(), pick(2), pick(RowCount(g()) + 1),
                                          pick(ColCount(g()) + 1), pick(5), pick(5));
            free(copy);
            break;
        }
        case 3: {
            static const Atom types[] = {XA_STRING, XA_ATOM, XA_INTEGER};
            Atom type = types[pick(3)], selection = XA_PRIMARY;
            int format = pick(2) ? 8 : 32;
            const char data[] = "x\ty\nz";
            unsigned long length = sizeof data - 1;
            char *value = XtMalloc(length);
            memcpy(value, data, length);
            part().dropRow = pick(RowCount(g()) + 1);
            part().dropColumn = pick(ColCount(g()) + 1);
            DropTransfer(mGrid, (XtPointer)g(), &selection, &type, value, &length, &format);
            break;
        }
        default: XmLGridRedrawAll(mGrid); break;
        }
    }

    // ---- Callbacks that change the grid back

    static void sCallbackCB(Widget, XtPointer clientData, XtPointer callData)
    {
        static_cast<GridRandomTest *>(clientData)->callback((XmLGridCallbackData *)callData);
    }

    // Not from the draw callbacks: how many exposures reach the grid depends on the server,
    // and a run must be the same each time.
    void callback(XmLGridCallbackData *cbs)
    {
        if (cbs->reason == XmCR_EDIT_BEGIN || cbs->reason == XmCR_EDIT_INSERT) {
            mEdited = GetCell(g(), part().headingRows + cbs->row,
                              part().headingColumns + cbs->column);
            mOpen = true;
        }
        if (cbs->reason == XmCR_DELETE_ROW || cbs->reason == XmCR_DELETE_COLUMN)
            mDeleted = true;
        if (cbs->reason == XmCR_EDIT_CANCEL || cbs->reason == XmCR_EDIT_COMPLETE) {
            editEnded();
            return;
        }
        if (cbs->reason == XmCR_CELL_DRAW || mDepth > 0 || !chance(4))
            return;
        mDepth++;
        switch (pick(7)) {
        case 0: addOrDelete(); break;
        case 1: select(); break;
        case 2: moveOrReorder(); break;
        case 3: focusAndEdit(); break;
        case 4: widgetValues(); break;
        case 5: changeLists(); break;
        default: cellValues(); break;
        }
        mDepth--;
    }

    // The edit is over when its end is reported, once; what the callback does then meets a
    // grid with no edit open, and an edit it begins stays open.
    void editEnded()
    {
        if (part().inEdit)
            fault("an edit's end reported while it is open");
        if (!mOpen)
            fault("an edit's end reported twice");
        mOpen = false;
        if (mDepth > 0 || !chance(30))
            return;
        mDepth++;
        switch (pick(4)) {
        case 0: layOut(); break;
        case 1: XmLGridEditComplete(mGrid); break;
        case 2: openEdit(); break;
        default: focusAndEdit(); break;
        }
        mDepth--;
    }

    void layOut()
    {
        XmLGridPart &p = part();
        switch (pick(4)) {
        case 0: XtVaSetValues(mGrid, XmNscrollRow, position(p.rows), NULL); break;
        case 1: XtVaSetValues(mGrid, XmNscrollColumn, position(p.columns), NULL); break;
        case 2: XtVaSetValues(mGrid, XmNwidth, 200 + pick(200), NULL); break;
        default:
            // The edited column, of no width at times: the editor has no room there.
            XtVaSetValues(mGrid, XmNcolumnType, XmALL_TYPES, XmNcolumn, p.focusColumn > 0 ? p.focusColumn : 0,
                          XmNcolumnWidth, pick(3) * 8, NULL);
            break;
        }
    }

    // ---- Callbacks that change the callback lists

    // Another callback on a list beside the checking one: it stays until a callback takes
    // it off, takes itself off when first called, or puts a one-shot on its own list each
    // time it is called. Not on the draw list, whose calls depend on the server.
    enum ExtraKind { Stays, OneShot, Breeds };
    struct Extra {
        GridRandomTest *test;
        const char     *list;
        int             kind;
        bool            live;
        int             leftStep, leftDepth;    // when it left its list
    };

    void changeLists()
    {
        std::vector<Extra *> live;
        for (Extra &e : mExtras)
            if (e.live)
                live.push_back(&e);
        if (!live.empty() && chance(40))
            takeOff(live[(size_t)pick((int)live.size())]);
        else
            putOn(kLists[pick(kListCount)], pick(3));
    }

    // A few at a time, and a bound on the records kept for the whole run.
    void putOn(const char *list, int kind)
    {
        if (mLiveExtras >= 12 || mExtras.size() >= 20000)
            return;
        mExtras.push_back({this, list, kind, true, 0, 0});
        mLiveExtras++;
        XtAddCallback(mGrid, (char *)list, sExtraCB, &mExtras.back());
    }

    void takeOff(Extra *e)
    {
        XtRemoveCallback(mGrid, (char *)e->list, sExtraCB, e);
        mLiveExtras--;
        e->live = false;
        e->leftStep = mStep;
        e->leftDepth = mDepth;
    }

    static void sExtraCB(Widget, XtPointer clientData, XtPointer)
    {
        Extra *e = (Extra *)clientData;
        e->test->extraCalled(e);
    }

    // Xt goes on through the copy of a list that a call in progress holds, so the calls
    // already under way when a callback left its list (those of callbacks nested less
    // deeply, in the same step) may still reach it; any call after them reads the list as
    // it is.
    void extraCalled(Extra *e)
    {
        if (!e->live) {
            if (mStep > e->leftStep || mDepth >= e->leftDepth)
                fault("a callback called through a list it had left");
            return;
        }
        if (e->kind == OneShot)
            takeOff(e);
        else if (e->kind == Breeds)
            putOn(e->list, OneShot);
    }

    void fault(const char *what)
    {
        if (mFault.empty())
            mFault = what;
    }

    // ---- What must hold after every step

    void check()
    {
        XmLGridPart &p = part();
        ASSERT_EQ(p.structureDepth, 0) << "step " << mStep;
        ASSERT_EQ(RowCount(g()), p.headingRows + p.rows + p.footerRows) << "step " << mStep;
        ASSERT_EQ(ColCount(g()), p.headingColumns + p.columns + p.footerColumns)
            << "step " << mStep;
        ASSERT_GE(p.topFixedCount, p.headingRows) << "step " << mStep;
        ASSERT_GE(p.bottomFixedCount, p.footerRows) << "step " << mStep;
        ASSERT_GE(p.leftFixedCount, p.headingColumns) << "step " << mStep;
        ASSERT_GE(p.rightFixedCount, p.footerColumns) << "step " << mStep;
        int hidden = 0;
        for (int r = 0; r < RowCount(g()); r++) {
            XmLGridRow row = GridRow(g(), r);
            ASSERT_NE(row, nullptr) << "step " << mStep;
            ASSERT_EQ(row->pos, r) << "step " << mStep;
            ASSERT_TRUE(RecordIsLive(g(), true, row));
            ASSERT_EQ(XmLArrayGetCount(row->cells), ColCount(g())) << "step " << mStep;
            hidden += RowIsHidden(row);
        }
        ASSERT_EQ(p.hiddenRows, hidden) << "step " << mStep;
        hidden = 0;
        for (int c = 0; c < ColCount(g()); c++) {
            ASSERT_EQ(GridColumn(g(), c)->pos, c) << "step " << mStep;
            hidden += ColumnIsHidden(GridColumn(g(), c));
        }
        ASSERT_EQ(p.hiddenColumns, hidden) << "step " << mStep;
        ASSERT_LT(p.focusRow, RowCount(g())) << "step " << mStep;
        ASSERT_LT(p.focusColumn, ColCount(g())) << "step " << mStep;
        ASSERT_EQ(mFault, "") << "step " << mStep;
        // Only a cell deleted under an edit ends it without a word, the delete reported.
        if (mOpen && !p.inEdit) {
            ASSERT_TRUE(mDeleted) << "an edit ended without a report, step " << mStep;
            mOpen = false;
        }
        ASSERT_EQ(p.inEdit, mOpen) << "step " << mStep;
        mDeleted = false;
        checkEditor();
        checkSpanMarks();
        for (const std::string &w : sWarnings)
            ASSERT_EQ(w.find("sanity check"), std::string::npos) << w << " step " << mStep;
        sWarnings.clear();
    }

    // An edit stays with the cell it began on, wherever that moves. A shown editor lies
    // exactly over it; one that is not shown edits a cell off screen. While the layout is
    // frozen the regions are not worked out anew, so an edit may stay hidden until the
    // layout runs again.
    void checkEditor()
    {
        XmLGridPart &p = part();
        if (p.inEdit) {
            ASSERT_EQ(GetCell(g(), p.focusRow, p.focusColumn), mEdited) << "step " << mStep;
        }
        XWindowAttributes editor;
        ASSERT_TRUE(XGetWindowAttributes(mDisplay, XtWindow(p.textWidget), &editor));
        bool shown = editor.map_state != IsUnmapped;
        ASSERT_EQ(shown, !p.textHidden) << "step " << mStep;
        XRectangle rect;
        bool onScreen = p.inEdit && p.focusRow >= 0 && p.focusColumn >= 0 &&
                        RowColToXY(g(), p.focusRow, p.focusColumn, True, &rect) == 0;
        if (!shown) {
            ASSERT_TRUE(!onScreen || p.layoutFrozen) << "step " << mStep;
            return;
        }
        ASSERT_TRUE(onScreen) << "step " << mStep;
        ASSERT_EQ(editor.x, rect.x) << "step " << mStep;
        ASSERT_EQ(editor.y, rect.y) << "step " << mStep;
        ASSERT_EQ(editor.width, rect.width) << "step " << mStep;
        ASSERT_EQ(editor.height, rect.height) << "step " << mStep;
    }

    // Hit tests and drawing go from a marked cell to the cell whose span covers it: a
    // cell is marked exactly when the span of an unmarked cell covers it, in a row
    // below that cell's (in-row mark) or in its row (in-column mark).
    void checkSpanMarks()
    {
        struct Origin {
            int row, col;
            long long lastRow, lastCol;
        };
        std::vector<Origin> origins;
        for (int r = 0; r < RowCount(g()); r++)
            for (int c = 0; c < ColCount(g()); c++) {
                XmLGridCell cell = GetCell(g(), r, c);
                XmLGridCellRefValues *v = CellRefValues(cell);
                if ((v->rowSpan || v->columnSpan) && !CellInRowSpan(cell) &&
                    !CellInColumnSpan(cell))
                    origins.push_back({r, c, (long long)r + v->rowSpan,
                                       (long long)c + v->columnSpan});
            }
        for (int r = 0; r < RowCount(g()); r++)
            for (int c = 0; c < ColCount(g()); c++) {
                bool below = false, beside = false;
                for (const Origin &o : origins)
                    if ((o.row != r || o.col != c) && o.row <= r && r <= o.lastRow &&
                        o.col <= c && c <= o.lastCol)
                        (o.row == r ? beside : below) = true;
                XmLGridCell cell = GetCell(g(), r, c);
                bool inRow = CellInRowSpan(cell), inCol = CellInColumnSpan(cell);
                ASSERT_EQ(inRow || inCol, below || beside)
                    << "cell " << r << "," << c << " step " << mStep;
                ASSERT_TRUE(!inRow || below) << "cell " << r << "," << c << " step " << mStep;
                ASSERT_TRUE(!inCol || beside) << "cell " << r << "," << c << " step " << mStep;
            }
    }

    std::mt19937 mRandom;
    int mStep = 0;
    int mDepth = 0;
    Pixmap mPixmap = 0;
    XmLGridCell mEdited = nullptr;      // the cell the last edit began on
    bool mOpen = false;                 // an edit's begin was reported and not its end
    bool mDeleted = false;              // a row or column was deleted in this step
    std::string mFault;                 // the first fault a callback saw
    std::vector<XmLGridRow> mRows;
    std::vector<XmLGridColumn> mColumns;
    std::deque<Extra> mExtras;          // grows only: the lists hold their addresses
    int mLiveExtras = 0;                // those on a list now
};

TEST_F(GridRandomTest, HoldsTogetherThroughRun1) { run(1, 4000); }
TEST_F(GridRandomTest, HoldsTogetherThroughRun2) { run(2, 4000); }
TEST_F(GridRandomTest, HoldsTogetherThroughRun3) { run(3, 4000); }
TEST_F(GridRandomTest, HoldsTogetherThroughRun4) { run(4, 4000); }

}  // namespace
