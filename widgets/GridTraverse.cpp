// GridTraverse.cpp - XmLGrid keyboard traversal and the callbacks of its text child.
#include "widgets/GridP.h"

#include <Xm/Text.h>

#include <cstring>

// ---- Traversal

enum {
    TravUp, TravDown, TravLeft, TravRight, TravPageUp, TravPageDown, TravPageLeft,
    TravPageRight, TravToTop, TravToBottom, TravToLeft, TravToRight, TravToTopLeft,
    TravToBottomRight, TravNone
};

typedef struct {
    const char *name;
    int         direction;
    bool        extend;
    XrmQuark    quark;
} TraverseParam;

static TraverseParam sParams[] = {
    {"UP", TravUp, false, 0},
    {"DOWN", TravDown, false, 0},
    {"LEFT", TravLeft, false, 0},
    {"RIGHT", TravRight, false, 0},
    {"PAGE_UP", TravPageUp, false, 0},
    {"PAGE_DOWN", TravPageDown, false, 0},
    {"PAGE_LEFT", TravPageLeft, false, 0},
    {"PAGE_RIGHT", TravPageRight, false, 0},
    {"TO_TOP", TravToTop, false, 0},
    {"TO_BOTTOM", TravToBottom, false, 0},
    {"TO_LEFT", TravToLeft, false, 0},
    {"TO_RIGHT", TravToRight, false, 0},
    {"TO_TOP_LEFT", TravToTopLeft, false, 0},
    {"TO_BOTTOM_RIGHT", TravToBottomRight, false, 0},
    {"EXTEND_UP", TravUp, true, 0},
    {"EXTEND_DOWN", TravDown, true, 0},
    {"EXTEND_LEFT", TravLeft, true, 0},
    {"EXTEND_RIGHT", TravRight, true, 0},
    {"EXTEND_PAGE_UP", TravPageUp, true, 0},
    {"EXTEND_PAGE_DOWN", TravPageDown, true, 0},
    {"EXTEND_PAGE_LEFT", TravPageLeft, true, 0},
    {"EXTEND_PAGE_RIGHT", TravPageRight, true, 0},
};

static const TraverseParam *FindParam(const char *name)
{
    XrmQuark q = XrmStringToQuark(name);
    for (size_t i = 0; i < XtNumber(sParams); i++) {
        if (!sParams[i].quark)
            sParams[i].quark = XrmStringToQuark(sParams[i].name);
        if (sParams[i].quark == q)
            return &sParams[i];
    }
    return NULL;
}

static int Band(int pos, int startFixed, int count, int endFixed)
{
    if (pos < startFixed)
        return 0;
    if (pos >= count - endFixed)
        return 2;
    return 1;
}

typedef struct {
    int row, col;           // target
    int rowDir, colDir;     // search direction
} Move;

static void PageTarget(XmLGridWidget g, Move *m, int direction, int r, int c, int rowBand,
                       int colBand)
{
    XmLGridPart *p = &g->grid;
    const GridReg *mid = &p->reg[4];
    switch (direction) {
    case TravPageUp:
        m->row = rowBand == 1 ? mid->row - 1 : r;
        if (m->row == p->focusRow)
            m->row -= 4;
        m->rowDir = -1;
        break;
    case TravPageDown:
        m->row = rowBand == 1 ? mid->row + mid->nrow - 1 : r;
        if (m->row == p->focusRow)
            m->row += 4;
        m->rowDir = 1;
        break;
    case TravPageLeft:
        m->col = colBand == 1 ? mid->col - 1 : c;
        if (m->col == p->focusColumn)
            m->col -= 4;
        m->colDir = -1;
        break;
    case TravPageRight:
        m->col = colBand == 1 ? mid->col + mid->ncol - 1 : c;
        if (m->col == p->focusColumn)
            m->col += 4;
        m->colDir = 1;
        break;
    default:
        break;
    }
}

static void Target(XmLGridWidget g, Move *m, int direction, int r, int c, int rowBand,
                   int colBand)
{
    int lastRow = RowCount(g) - 1, lastCol = ColCount(g) - 1;
    *m = Move{r, c, 0, 0};
    switch (direction) {
    case TravUp: *m = Move{r - 1, c, -1, 0}; break;
    case TravDown: *m = Move{r + 1, c, 1, 0}; break;
    case TravLeft: *m = Move{r, c - 1, 0, -1}; break;
    case TravRight: *m = Move{r, c + 1, 0, 1}; break;
    case TravToTop: *m = Move{0, c, 1, 0}; break;
    case TravToBottom: *m = Move{lastRow, c, -1, 0}; break;
    case TravToLeft: *m = Move{r, 0, 0, 1}; break;
    case TravToRight: *m = Move{r, lastCol, 0, -1}; break;
    case TravToTopLeft: *m = Move{0, 0, 1, 1}; break;
    case TravToBottomRight: *m = Move{lastRow, lastCol, -1, -1}; break;
    default: PageTarget(g, m, direction, r, c, rowBand, colBand); break;
    }
}

// Scrolls so that the reached row (or column) shows, the way the move asks.
static void ScrollTo(XmLGridWidget g, bool vert, int direction, int reached, int startBand)
{
    XmLGridPart *p = &g->grid;
    if ((vert ? p->verticalSizePolicy : p->horizontalSizePolicy) != XmCONSTANT)
        return;
    int count = vert ? RowCount(g) : ColCount(g);
    int startFixed = vert ? p->topFixedCount : p->leftFixedCount;
    int endFixed = vert ? p->bottomFixedCount : p->rightFixedCount;
    int pageBack = vert ? TravPageUp : TravPageLeft;
    int pageOn = vert ? TravPageDown : TravPageRight;
    int otherBack = vert ? TravPageLeft : TravPageUp;
    int otherOn = vert ? TravPageRight : TravPageDown;
    int target = -1;
    if (direction == pageBack)
        target = vert ? ScrollRowBottomPos(g, reached) : ScrollColumnRightPos(g, reached);
    else if (direction == pageOn)
        target = reached;
    else if (direction != otherBack && direction != otherOn) {
        int band = Band(reached, startFixed, count, endFixed);
        if (band == 0 && startBand != 0)
            target = startFixed;
        else if (band == 2 && startBand != 2)
            target = count - endFixed - 1;
    }
    if (target < 0) {
        if (vert)
            MakeRowVisible(g, reached);
        else
            MakeColVisible(g, reached);
        return;
    }
    int *pos = vert ? &p->scrollRowPos : &p->scrollColumnPos;
    int old = *pos;
    *pos = target;
    if (vert)
        VertLayout(g, 0);
    else
        HorizLayout(g, 0);
    if (*pos != old)
        DrawArea(g, vert ? DRAW_VSCROLL : DRAW_HSCROLL, 0, 0);
}

void TraverseAction(Widget w, XEvent *event, String *params, Cardinal *nparams)
{
    XmLGridWidget g = ActionGrid(w, "XmLGridTraverse");
    if (!g || *nparams != 1)
        return;
    XmLGridPart *p = &g->grid;
    const TraverseParam *param = FindParam(params[0]);
    if (!param)
        return;
    bool extend = param->extend;
    if (extend && p->selectionPolicy != XmSELECT_MULTIPLE_ROW &&
        p->selectionPolicy != XmSELECT_CELL)
        return;
    bool anchored = p->extendRow != -1 && p->extendColumn != -1;
    int r = extend && anchored ? p->extendToRow : p->focusRow;
    int c = extend && anchored ? p->extendToColumn : p->focusColumn;
    int rowBand = Band(r, p->topFixedCount, RowCount(g), p->bottomFixedCount);
    int colBand = Band(c, p->leftFixedCount, ColCount(g), p->rightFixedCount);
    Move m;
    Target(g, &m, param->direction, r, c, rowBand, colBand);
    int reachedRow, reachedCol;
    if (extend) {
        if (FindNextFocus(g, m.row, m.col, m.rowDir, m.colDir, &reachedRow, &reachedCol) < 0)
            return;
        ExtendSelect(g, event, False, reachedRow, reachedCol);
    } else {
        if (SetFocus(g, m.row, m.col, m.rowDir, m.colDir) < 0)
            return;
        ExtendSelect(g, event, False, -1, -1);
        reachedRow = p->focusRow;
        reachedCol = p->focusColumn;
        if (reachedRow < 0 || reachedCol < 0)
            return;     // a focus callback deleted the rows or columns
        if (p->selectionPolicy == XmSELECT_CELL) {
            SelectTypeArea(g, SelectRow, event, -1, 0, False, True);
            SelectTypeArea(g, SelectColumn, event, 0, -1, False, True);
            SelectTypeArea(g, SelectCell, event, -1, -1, False, True);
            SelectTypeArea(g, SelectCell, event, reachedRow - p->headingRows,
                           reachedCol - p->headingColumns, True, True);
        } else if (p->selectionPolicy == XmSELECT_BROWSE_ROW) {
            SelectTypeArea(g, SelectRow, event, reachedRow - p->headingRows, 0, True, True);
        }
    }
    ScrollTo(g, true, param->direction, reachedRow, rowBand);
    ScrollTo(g, false, param->direction, reachedCol, colBand);
}

// ---- Text child callbacks

void TextActivateCB(Widget, XtPointer clientData, XtPointer callData)
{
    XmLGridWidget g = (XmLGridWidget)clientData;
    XEvent *event = ((XmAnyCallbackStruct *)callData)->event;
    if (g->grid.inEdit) {
        Cardinal none = 0;
        EditCompleteAction((Widget)g, event, NULL, &none);
        return;
    }
    String params[1] = {(char *)"ACTIVATE"};
    Cardinal one = 1;
    if (event)
        SelectAction((Widget)g, event, params, &one);
}

void TextFocusCB(Widget, XtPointer clientData, XtPointer callData)
{
    XmLGridWidget g = (XmLGridWidget)clientData;
    XmLGridPart *p = &g->grid;
    p->hasFocus = ((XmAnyCallbackStruct *)callData)->reason == XmCR_FOCUS;
    if (p->focusRow < 0 || p->focusColumn < 0)
        return;
    DrawArea(g, p->highlightRowMode ? DRAW_ROW : DRAW_CELL, p->focusRow, p->focusColumn);
}

void TextMapCB(Widget w, XtPointer clientData, XEvent *event, Boolean *)
{
    XmLGridWidget g = (XmLGridWidget)clientData;
    // The text child is managed from the start; it shows only while editing.
    if (event->type == MapNotify && g->grid.textHidden)
        XtUnmapWidget(w);
}

void TextModifyVerifyCB(Widget, XtPointer clientData, XtPointer callData)
{
    XmLGridWidget g = (XmLGridWidget)clientData;
    XmTextVerifyCallbackStruct *cbs = (XmTextVerifyCallbackStruct *)callData;
    if (!cbs->event || g->grid.inEdit)
        return;
    TextAction(g, TEXT_EDIT_INSERT);
    if (!g->grid.inEdit)
        cbs->doit = False;
}
