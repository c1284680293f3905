// GridActions.cpp - XmLGrid translations, action procedures, autoscroll and text-child callbacks.
#include "widgets/GridP.h"

#include <Xm/ScrollBar.h>
#include <Xm/Text.h>

#include <cstring>

// ---- Translations

const char xmlGridTranslations[] =
    "<Btn1Motion>: XmLGridButtonMotion()\n"
    "<MotionNotify>: XmLGridCursorMotion()\n"
    "~Ctrl ~Shift <Btn1Down>: XmLGridSelect(BEGIN)\n"
    "~Ctrl Shift <Btn1Down>: XmLGridSelect(EXTEND)\n"
    "Ctrl ~Shift <Btn1Down>: XmLGridSelect(TOGGLE)\n"
    "<Btn1Up>: XmLGridSelect(END)\n"
    "<Btn2Down>: XmLGridDragStart()\n"
    "<EnterWindow>: ManagerEnter()\n"
    "<LeaveWindow>: ManagerLeave()\n"
    "<FocusOut>: ManagerFocusOut()\n"
    "<FocusIn>: ManagerFocusIn()";

// Motif turns Home and End into osfBeginLine and osfEndLine before these tables see
// them, so each is bound under both names.
const char xmlGridTraverseTranslations[] =
    "~Ctrl ~Shift <Key>osfUp: XmLGridTraverse(UP)\n"
    "~Ctrl Shift <Key>osfUp: XmLGridTraverse(EXTEND_UP)\n"
    "Ctrl ~Shift <Key>osfUp: XmLGridTraverse(PAGE_UP)\n"
    "~Ctrl ~Shift <Key>osfDown: XmLGridTraverse(DOWN)\n"
    "~Ctrl Shift <Key>osfDown: XmLGridTraverse(EXTEND_DOWN)\n"
    "Ctrl ~Shift <Key>osfDown: XmLGridTraverse(PAGE_DOWN)\n"
    "~Ctrl ~Shift <Key>osfLeft: XmLGridTraverse(LEFT)\n"
    "~Ctrl Shift <Key>osfLeft: XmLGridTraverse(EXTEND_LEFT)\n"
    "Ctrl ~Shift <Key>osfLeft: XmLGridTraverse(PAGE_LEFT)\n"
    "~Ctrl ~Shift <Key>osfRight: XmLGridTraverse(RIGHT)\n"
    "~Ctrl Shift <Key>osfRight: XmLGridTraverse(EXTEND_RIGHT)\n"
    "Ctrl ~Shift <Key>osfRight: XmLGridTraverse(PAGE_RIGHT)\n"
    "~Ctrl ~Shift <Key>osfPageUp: XmLGridTraverse(PAGE_UP)\n"
    "~Ctrl Shift <Key>osfPageUp: XmLGridTraverse(EXTEND_PAGE_UP)\n"
    "Ctrl ~Shift <Key>osfPageUp: XmLGridTraverse(PAGE_LEFT)\n"
    "Ctrl Shift <Key>osfPageUp: XmLGridTraverse(EXTEND_PAGE_LEFT)\n"
    "~Ctrl ~Shift <Key>osfPageDown: XmLGridTraverse(PAGE_DOWN)\n"
    "~Ctrl Shift <Key>osfPageDown: XmLGridTraverse(EXTEND_PAGE_DOWN)\n"
    "Ctrl ~Shift <Key>osfPageDown: XmLGridTraverse(PAGE_RIGHT)\n"
    "Ctrl Shift <Key>osfPageDown: XmLGridTraverse(EXTEND_PAGE_RIGHT)\n"
    "~Ctrl ~Shift <Key>Tab: XmLGridTraverse(RIGHT)\n"
    "~Ctrl Shift <Key>Tab: XmLGridTraverse(LEFT)\n"
    "~Ctrl ~Shift <Key>Home: XmLGridTraverse(TO_TOP)\n"
    "~Ctrl ~Shift <Key>osfBeginLine: XmLGridTraverse(TO_TOP)\n"
    "Ctrl ~Shift <Key>Home: XmLGridTraverse(TO_TOP_LEFT)\n"
    "Ctrl ~Shift <Key>osfBeginLine: XmLGridTraverse(TO_TOP_LEFT)\n"
    "~Ctrl ~Shift <Key>End: XmLGridTraverse(TO_BOTTOM)\n"
    "~Ctrl ~Shift <Key>osfEndLine: XmLGridTraverse(TO_BOTTOM)\n"
    "Ctrl ~Shift <Key>End: XmLGridTraverse(TO_BOTTOM_RIGHT)\n"
    "Ctrl ~Shift <Key>osfEndLine: XmLGridTraverse(TO_BOTTOM_RIGHT)\n"
    "<Key>osfInsert: XmLGridEdit()\n"
    "<Key>F2: XmLGridEdit()\n"
    "~Ctrl ~Shift <KeyDown>space: XmLGridSelect(BEGIN)\n"
    "~Ctrl Shift <KeyDown>space: XmLGridSelect(EXTEND)\n"
    "Ctrl ~Shift <KeyDown>space: XmLGridSelect(TOGGLE)\n"
    "<KeyUp>space: XmLGridSelect(END)";

const char xmlGridEditTranslations[] =
    "~Ctrl ~Shift <Key>osfDown: XmLGridEditComplete(DOWN)\n"
    "~Ctrl Shift <Key>Tab: XmLGridEditComplete(LEFT)\n"
    "~Ctrl ~Shift <Key>Tab: XmLGridEditComplete(RIGHT)\n"
    "~Ctrl ~Shift <Key>osfUp: XmLGridEditComplete(UP)\n"
    "<Key>osfCancel: XmLGridEditCancel()";

// ---- Helpers

// Actions on the text child find the grid as its parent. Xt finds the grid's actions from
// any widget inside the grid; on one deeper down they would take the wrong widget for it.
XmLGridWidget ActionGrid(Widget w, const char *action)
{
    if (XtIsSubclass(w, xmlGridWidgetClass))
        return (XmLGridWidget)w;
    Widget parent = XtParent(w);
    if (parent && XtIsSubclass(parent, xmlGridWidgetClass))
        return (XmLGridWidget)parent;
    char text[128];
    snprintf(text, sizeof text, "%s() - widget not an XmLGrid or its text child", action);
    XmLWarning(w, text);
    return NULL;
}

static bool IsKey(XEvent *event)
{
    return event && (event->type == KeyPress || event->type == KeyRelease);
}

static bool IsPointer(XEvent *event)
{
    return event && (event->type == ButtonPress || event->type == ButtonRelease ||
                     event->type == MotionNotify);
}

static void FillCell(XmLGridWidget g, XmLGridCallbackData *cbs, int row, int col)
{
    cbs->rowType = RowPosToType(g, row);
    cbs->row = RowPosToTypePos(g, cbs->rowType, row);
    cbs->columnType = ColPosToType(g, col);
    cbs->column = ColPosToTypePos(g, cbs->columnType, col);
}

static void CallList(XmLGridWidget g, XtCallbackList list, int reason, XEvent *event, int row,
                     int col)
{
    XmLGridCallbackData cbs;
    memset(&cbs, 0, sizeof cbs);
    cbs.reason = reason;
    cbs.event = event;
    FillCell(g, &cbs, row, col);
    XtCallCallbackList((Widget)g, list, (XtPointer)&cbs);
}

void RemoveDragTimer(XmLGridWidget g)
{
    if (g->grid.dragScrollFlags && g->grid.dragTimerId)
        XtRemoveTimeOut(g->grid.dragTimerId);
    g->grid.dragTimerId = 0;
    g->grid.dragScrollFlags = 0;
}

// ---- Select

enum { SelBegin, SelExtend, SelToggle, SelEnd, SelActivate, SelUnknown };

static int SelectParam(const char *param)
{
    static const char *names[] = {"BEGIN", "EXTEND", "TOGGLE", "END", "ACTIVATE"};
    static XrmQuark quarks[5];
    if (!quarks[0])
        for (int i = 0; i < 5; i++)
            quarks[i] = XrmStringToQuark(names[i]);
    XrmQuark q = XrmStringToQuark(param);
    for (int i = 0; i < 5; i++)
        if (q == quarks[i])
            return i;
    return SelUnknown;
}

static void EndResize(XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    int row = p->resizeRow, col = p->resizeColumn;
    bool isRow = p->resizeIsRow;
    p->resizeRow = p->resizeColumn = -1;
    XRectangle rect;
    if (RowColToXY(g, row, col, False, &rect) == 0) {
        int start = isRow ? rect.y : rect.x;
        int extra = isRow ? rect.height - GetRowHeight(g, row) : rect.width - GetColWidth(g, col);
        int size = p->resizeLinePos > start ? p->resizeLinePos - start - extra : 0;
        if (size < 6 && !(isRow ? p->allowRowHide : p->allowColumnHide))
            size = 6;
        if (size < 0)
            size = 0;
        if (size > 65535)
            size = 65535;
        XmLGridCallbackData cbs;
        memset(&cbs, 0, sizeof cbs);
        FillCell(g, &cbs, row, col);
        if (isRow) {
            XtVaSetValues((Widget)g, XmNrowType, cbs.rowType, XmNrow, cbs.row, XmNrowHeight,
                          size, XmNrowSizePolicy, XmCONSTANT, NULL);
            cbs.reason = XmCR_RESIZE_ROW;
        } else {
            XtVaSetValues((Widget)g, XmNcolumnType, cbs.columnType, XmNcolumn, cbs.column,
                          XmNcolumnWidth, size, XmNcolumnSizePolicy, XmCONSTANT, NULL);
            cbs.reason = XmCR_RESIZE_COLUMN;
        }
        XtCallCallbackList((Widget)g, p->resizeCallback, (XtPointer)&cbs);
    }
    DrawResizeLine(g, 0, ResizeLineEnd);
    DefineCursor(g, CursorNone);
    p->dragMode = DragNone;
}

static bool BeginResize(XmLGridWidget g, XEvent *event)
{
    XmLGridPart *p = &g->grid;
    int row, col, isVert;
    if (!PosIsResize(g, event->xbutton.x, event->xbutton.y, &row, &col, &isVert))
        return false;
    p->resizeIsRow = isVert ? True : False;
    p->dragMode = DragResize;
    p->resizeLinePos = -1;
    p->resizeRow = row;
    p->resizeColumn = col;
    DrawResizeLine(g, isVert ? event->xbutton.y : event->xbutton.x, ResizeLineMove);
    DefineCursor(g, isVert ? CursorVResize : CursorHResize);
    return true;
}

// A row that is not there (a callback deleted it) counts as not selected.
static bool RowSelected(XmLGridWidget g, int row)
{
    XmLGridRow rec = GridRow(g, row);
    return rec && RowIsSelected(rec);
}

static bool ColumnSelected(XmLGridWidget g, int col)
{
    XmLGridColumn rec = GridColumn(g, col);
    return rec && ColumnIsSelected(rec);
}

static void SelectMultipleRow(XmLGridWidget g, int action, XEvent *event, int row, int col)
{
    int content = row - g->grid.headingRows;
    if (action == SelBegin) {
        bool was = RowSelected(g, row);
        SelectTypeArea(g, SelectRow, event, -1, 0, False, True);
        if (!was)
            SelectTypeArea(g, SelectRow, event, content, 0, True, True);
    } else if (action == SelToggle) {
        SelectTypeArea(g, SelectRow, event, content, 0, !RowSelected(g, row), True);
    } else if (IsPointer(event)) {
        ExtendSelect(g, event, False, row, col);
    } else {
        SelectTypeArea(g, SelectRow, event, content, 0, True, True);
    }
}

static void SelectCellPolicy(XmLGridWidget g, int action, XEvent *event, int row, int col)
{
    XmLGridPart *p = &g->grid;
    unsigned char rt = RowPosToType(g, row), ct = ColPosToType(g, col);
    if (action == SelBegin) {
        SelectTypeArea(g, SelectCell, event, -1, -1, False, True);
        SelectTypeArea(g, SelectRow, event, -1, 0, False, True);
        SelectTypeArea(g, SelectColumn, event, 0, -1, False, True);
    }
    if (action == SelToggle || rt == XmFOOTER || ct == XmFOOTER)
        ExtendSelect(g, event, False, -1, -1);
    if (action == SelExtend && IsPointer(event)) {
        ExtendSelect(g, event, False, row, col);
        return;
    }
    if (rt == XmCONTENT && ct == XmCONTENT) {
        int r = row - p->headingRows, c = col - p->headingColumns;
        XmLGridCell cell = GetCell(g, row, col);
        if (!cell)
            return;     // the deselect callbacks deleted it
        Boolean select = action == SelToggle ? !CellIsSelected(cell) : True;
        SelectTypeArea(g, SelectCell, event, r, c, select, True);
    } else if (rt == XmHEADING && ct == XmCONTENT) {
        if (action == SelToggle && ColumnSelected(g, col))
            p->extendSelects = False;
        ExtendSelect(g, event, True, row, col);
    } else if (rt == XmCONTENT && ct == XmHEADING) {
        if (action == SelToggle && RowSelected(g, row))
            p->extendSelects = False;
        ExtendSelect(g, event, True, row, col);
    }
}

// A button held down goes on selecting as the pointer moves, until its release. A key
// selects once: its release may never come (without a window manager the keyboard focus
// follows the pointer, and the release goes to the window under it, which need not take it).
static void HoldSelect(XmLGridWidget g, XEvent *event)
{
    if (!IsKey(event))
        g->grid.dragMode = DragSelect;
}

static void SelectByPolicy(XmLGridWidget g, int action, XEvent *event, int row, int col)
{
    XmLGridPart *p = &g->grid;
    bool contentRow = RowPosToType(g, row) == XmCONTENT;
    if (contentRow && ColPosToType(g, col) == XmCONTENT) {
        TextAction(g, TEXT_EDIT_COMPLETE);
        if (action == SelBegin || action == SelToggle) {
            SetFocus(g, row, col, 0, 0);
            ExtendSelect(g, event, False, -1, -1);
        }
        XmProcessTraversal(p->textWidget, XmTRAVERSE_CURRENT);
        // The edit and focus callbacks may have changed the rows under the click.
        if (!GetCell(g, row, col)) {
            HoldSelect(g, event);
            return;
        }
        contentRow = RowPosToType(g, row) == XmCONTENT;
    }
    unsigned char policy = p->selectionPolicy;
    if (policy == XmSELECT_MULTIPLE_ROW && contentRow) {
        SelectMultipleRow(g, action, event, row, col);
    } else if (policy == XmSELECT_CELL) {
        SelectCellPolicy(g, action, event, row, col);
    } else if (policy == XmSELECT_SINGLE_ROW && contentRow) {
        SelectTypeArea(g, SelectRow, event, row - p->headingRows, 0, !RowSelected(g, row), True);
    } else if (policy == XmSELECT_BROWSE_ROW && contentRow) {
        SelectTypeArea(g, SelectRow, event, row - p->headingRows, 0, True, True);
    } else if (policy != XmSELECT_CELL) {
        // Heading clicks are how an application learns to sort by a column;
        // the server grid selects multiple rows and still hears them.
        CallList(g, p->selectCallback, XmCR_SELECT_CELL, event, row, col);
    }
    HoldSelect(g, event);
}

void SelectAction(Widget w, XEvent *event, String *params, Cardinal *nparams)
{
    XmLGridWidget g = ActionGrid(w, "XmLGridSelect");
    if (!g || *nparams != 1 || !event)
        return;
    XmLGridPart *p = &g->grid;
    int action = SelectParam(params[0]);
    int row = -1, col = -1;
    bool key = IsKey(event);
    if (key) {
        row = p->focusRow;
        col = p->focusColumn;
    } else if (XYToRowCol(g, event->xbutton.x, event->xbutton.y, &row, &col) < 0) {
        row = col = -1;
    }
    bool valid = row >= 0 && col >= 0;
    if (action == SelBegin && key) {
        p->lastSelectTime = 0;
    } else if (action == SelBegin) {
        Time t = event->xbutton.time;
        unsigned long multi = (unsigned long)XtGetMultiClickTime(XtDisplay(w));
        if (valid && row == p->lastSelectRow && col == p->lastSelectColumn &&
            p->lastSelectTime && t >= p->lastSelectTime && t - p->lastSelectTime < multi)
            action = SelActivate;
        p->lastSelectRow = row;
        p->lastSelectColumn = col;
        p->lastSelectTime = t;
    }
    if (action == SelBegin && !key && BeginResize(g, event)) {
        // a border drag, not a selection
    } else if (action == SelEnd) {
        if (p->dragMode == DragResize) {
            EndResize(g);
        } else {
            p->dragMode = DragNone;
            RemoveDragTimer(g);
        }
    } else if ((action == SelBegin || action == SelExtend || action == SelToggle) &&
               p->dragMode == DragNone && valid) {
        SelectByPolicy(g, action, event, row, col);
    }
    if (action == SelActivate && valid)
        CallList(g, p->activateCallback, XmCR_ACTIVATE, event, row, col);
}

// ---- Motion and autoscroll

static void DragTimer(XtPointer clientData, XtIntervalId *);

static void ExtendToCell(XmLGridWidget g, XEvent *event, int row, int col)
{
    ExtendSelect(g, event, False, row, col);
}

static void BrowseTo(XmLGridWidget g, int row)
{
    XmLGridPart *p = &g->grid;
    int old = p->focusRow;
    if (SetFocus(g, row, p->focusColumn, 0, 0) == 0 && p->focusRow != old)
        SelectTypeArea(g, SelectRow, NULL, p->focusRow - p->headingRows, 0, True, True);
}

static unsigned char ScrollDirections(XmLGridWidget g, int x, int y)
{
    XmLGridPart *p = &g->grid;
    const GridReg *r = &p->reg[4];
    bool cellPolicy = p->selectionPolicy == XmSELECT_CELL && p->extendRow != -1;
    unsigned char flags = 0;
    if (p->verticalSizePolicy == XmCONSTANT) {
        if (y < r->y && !(cellPolicy && RowPosToType(g, p->extendRow) == XmHEADING))
            flags |= 4;
        if (y > r->y + r->height)
            flags |= 8;
    }
    if (p->horizontalSizePolicy == XmCONSTANT) {
        if (x < r->x && !(cellPolicy && ColPosToType(g, p->extendColumn) == XmHEADING))
            flags |= 1;
        if (x > r->x + r->width)
            flags |= 2;
    }
    return flags;
}

void ButtonMotionAction(Widget w, XEvent *event, String *, Cardinal *)
{
    XmLGridWidget g = ActionGrid(w, "XmLGridButtonMotion");
    if (!g || !event || event->type != MotionNotify)
        return;
    XmLGridPart *p = &g->grid;
    int x = event->xmotion.x, y = event->xmotion.y;
    if (p->dragMode == DragResize) {
        DrawResizeLine(g, p->resizeIsRow ? y : x, ResizeLineMove);
        return;
    }
    if (p->dragMode != DragSelect)
        return;
    unsigned char flags = ScrollDirections(g, x, y);
    if (!p->dragScrollFlags && flags)
        p->dragTimerId = XtAppAddTimeOut(XtWidgetToApplicationContext(w), 80, DragTimer,
                                         (XtPointer)g);
    else if (p->dragScrollFlags && !flags)
        RemoveDragTimer(g);
    p->dragScrollFlags = flags;
    int row, col;
    if (XYToRowCol(g, x, y, &row, &col) < 0)
        return;
    bool contentRow = RowPosToType(g, row) == XmCONTENT;
    if ((p->selectionPolicy == XmSELECT_MULTIPLE_ROW && contentRow) ||
        p->selectionPolicy == XmSELECT_CELL)
        ExtendToCell(g, event, row, col);
    else if (p->selectionPolicy == XmSELECT_BROWSE_ROW && contentRow)
        BrowseTo(g, row);
}

// Moves a scroll bar by one step; false when it is at its end.
static bool StepScrollBar(Widget sb, int step)
{
    int minimum, maximum, value, slider, increment, page;
    XtVaGetValues(sb, XmNminimum, &minimum, XmNmaximum, &maximum, XmNvalue, &value,
                  XmNsliderSize, &slider, XmNincrement, &increment, XmNpageIncrement, &page,
                  NULL);
    value += step;
    if (value < minimum || value > maximum - slider)
        return false;
    XmScrollBarSetValues(sb, value, slider, increment, page, True);
    return true;
}

static void DragTimer(XtPointer clientData, XtIntervalId *)
{
    XmLGridWidget g = (XmLGridWidget)clientData;
    XmLGridPart *p = &g->grid;
    const GridReg *r = &p->reg[4];
    int targetRow = -1, targetCol = -1;
    if ((p->dragScrollFlags & 12) && p->verticalSizePolicy == XmCONSTANT &&
        StepScrollBar(p->verticalScrollBar, (p->dragScrollFlags & 4) ? -1 : 1)) {
        int edge = (p->dragScrollFlags & 4) ? r->row : r->row + r->nrow - 1;
        XRectangle rect;
        if (r->nrow && GridRow(g, edge) && RowColToXY(g, edge, 0, True, &rect) == 0 &&
            rect.height < GetRowHeight(g, edge))
            edge--;
        if (p->selectionPolicy == XmSELECT_BROWSE_ROW)
            BrowseTo(g, edge);
        else if (p->selectionPolicy == XmSELECT_MULTIPLE_ROW)
            ExtendSelect(g, NULL, False, edge, p->focusColumn);
        else if (p->selectionPolicy == XmSELECT_CELL)
            targetRow = edge, targetCol = p->extendToColumn;
    }
    if ((p->dragScrollFlags & 3) && p->horizontalSizePolicy == XmCONSTANT &&
        StepScrollBar(p->horizontalScrollBar, (p->dragScrollFlags & 1) ? -1 : 1) &&
        p->selectionPolicy == XmSELECT_CELL) {
        int edge = (p->dragScrollFlags & 1) ? r->col : r->col + r->ncol - 1;
        XRectangle rect;
        if (r->ncol && GridColumn(g, edge) && RowColToXY(g, 0, edge, True, &rect) == 0 &&
            rect.width < GetColWidth(g, edge))
            edge--;
        targetCol = edge;
        if (targetRow == -1)
            targetRow = p->extendToRow;
    }
    if (targetRow != -1 && targetCol != -1)
        ExtendSelect(g, NULL, False, targetRow, targetCol);
    p->dragTimerId = XtAppAddTimeOut(XtWidgetToApplicationContext((Widget)g), 80, DragTimer,
                                     (XtPointer)g);
}

void CursorMotionAction(Widget w, XEvent *event, String *, Cardinal *)
{
    XmLGridWidget g = ActionGrid(w, "XmLGridCursorMotion");
    if (!g || !event || event->type != MotionNotify)
        return;
    if (g->grid.dragMode == DragResize)
        return;     // the drag keeps its cursor
    int row, col, isVert;
    if (PosIsResize(g, event->xmotion.x, event->xmotion.y, &row, &col, &isVert))
        DefineCursor(g, isVert ? CursorVResize : CursorHResize);
    else
        DefineCursor(g, CursorNone);
}

// ---- Editing and dragging

void EditAction(Widget w, XEvent *, String *, Cardinal *)
{
    if (XmLGridWidget g = ActionGrid(w, "XmLGridEdit"))
        TextAction(g, TEXT_EDIT);
}

void EditCancelAction(Widget w, XEvent *, String *, Cardinal *)
{
    if (XmLGridWidget g = ActionGrid(w, "XmLGridEditCancel"))
        TextAction(g, TEXT_EDIT_CANCEL);
}

void EditCompleteAction(Widget w, XEvent *event, String *params, Cardinal *nparams)
{
    XmLGridWidget g = ActionGrid(w, "XmLGridEditComplete");
    if (!g)
        return;
    TextAction(g, TEXT_EDIT_COMPLETE);
    // An edit open now was begun by the edit callback, which chose where the focus goes:
    // moving on would complete that edit too.
    if (*nparams == 1 && !g->grid.inEdit)
        TraverseAction(w, event, params, nparams);
}

void DragStartAction(Widget w, XEvent *event, String *, Cardinal *)
{
    XmLGridWidget g = ActionGrid(w, "XmLGridDragStart");
    int row, col;
    if (!g || !g->grid.allowDragSelected || !event || event->type != ButtonPress ||
        XYToRowCol(g, event->xbutton.x, event->xbutton.y, &row, &col) < 0)
        return;
    XmLGridCell cell = GetCell(g, row, col);
    if (RowIsSelected(GridRow(g, row)) || ColumnIsSelected(GridColumn(g, col)) ||
        (cell && CellIsSelected(cell)))
        DragStart(g, event);
}
