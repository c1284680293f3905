// GridDraw.cpp - XmLGrid drawing: requested areas, the expose method, resize line and cursors.
#include "widgets/GridP.h"

#include <Xm/DrawP.h>

#include <cstring>

// ---- Requested areas

static int InnerRect(XmLGridWidget g, const GridReg *reg, XRectangle *rect)
{
    int s = g->manager.shadow_thickness;
    if (!reg->width || !reg->height)
        return 0;
    return MakeRect(reg->x + s, reg->y + s, reg->width - 2 * s, reg->height - 2 * s, rect);
}

// The rectangles of one row or column in every region that shows it.
static int LineRects(XmLGridWidget g, bool isRow, int pos, XRectangle rects[9])
{
    int n = 0, s = g->manager.shadow_thickness;
    for (int i = 0; i < 9; i++) {
        const GridReg *reg = &g->grid.reg[i];
        if (!reg->width || !reg->height)
            continue;
        long long offset = 0;
        XRectangle r;
        if (isRow) {
            if (pos < reg->row || pos >= reg->row + reg->nrow)
                continue;
            for (int k = reg->row; k < pos; k++)
                offset += GetRowHeight(g, k);
            if (offset > 32767 ||
                !MakeRect(s + reg->x, (int)(s + reg->y + offset), reg->width - 2 * s,
                          GetRowHeight(g, pos), &r))
                continue;
        } else {
            if (pos < reg->col || pos >= reg->col + reg->ncol)
                continue;
            for (int k = reg->col; k < pos; k++)
                offset += GetColWidth(g, k);
            if (offset > 32767 ||
                !MakeRect((int)(s + reg->x + offset), s + reg->y, GetColWidth(g, pos),
                          reg->height - 2 * s, &r))
                continue;
        }
        ClipToRegion(g, &r, reg);
        rects[n++] = r;
    }
    return n;
}

static int AreaRects(XmLGridWidget g, int type, int row, int col, XRectangle rects[9])
{
    static const int hscroll[3] = {1, 4, 7}, vscroll[3] = {3, 4, 5};
    int n = 0;
    switch (type) {
    case DRAW_ALL:
        n = MakeRect(0, 0, g->core.width, g->core.height, &rects[0]);
        break;
    case DRAW_HSCROLL:
    case DRAW_VSCROLL:
        for (int i = 0; i < 3; i++) {
            int r = type == DRAW_HSCROLL ? hscroll[i] : vscroll[i];
            n += InnerRect(g, &g->grid.reg[r], &rects[n]);
        }
        break;
    case DRAW_ROW:
        n = LineRects(g, true, row, rects);
        break;
    case DRAW_COLUMN:
        n = LineRects(g, false, col, rects);
        break;
    case DRAW_CELL:
        n = RowColToXY(g, row, col, True, &rects[0]) == 0 ? 1 : 0;
        break;
    default:
        break;
    }
    return n;
}

void DrawArea(XmLGridWidget g, int type, int row, int col)
{
    Widget w = (Widget)g;
    if (g->grid.layoutFrozen || !XtWindow(w) || !w->core.visible)
        return;
    GridDebug(g, 2, "XmLGrid: DrawArea %d %d %d\n", type, row, col);
    XRectangle rects[9];
    int n = AreaRects(g, type, row, col, rects);
    for (int i = 0; i < n; i++) {
        XRectangle *r = &rects[i];
        if (!r->width || !r->height)
            continue;
        XEvent event;
        memset(&event, 0, sizeof event);
        event.xexpose.type = Expose;
        event.xexpose.send_event = True;
        event.xexpose.display = XtDisplay(w);
        event.xexpose.window = XtWindow(w);
        event.xexpose.x = r->x;
        event.xexpose.y = r->y;
        event.xexpose.width = r->width;
        event.xexpose.height = r->height;
        event.xexpose.count = 0;
        GridDebug(g, 2, "XmLGrid: DrawArea expose x %d y %d w %d h %d\n", r->x, r->y, r->width,
                  r->height);
        if (g->grid.immediateDraw) {
            Region region = XCreateRegion();
            XUnionRectWithRegion(r, region, region);
            Redisplay(w, &event, region);
            XDestroyRegion(region);
        } else {
            XSendEvent(XtDisplay(w), XtWindow(w), False, ExposureMask, &event);
        }
    }
}

// ---- The expose method

static void DrawFrame(XmLGridWidget g, int index, const XRectangle *exposed)
{
    const GridReg *reg = &g->grid.reg[index];
    int s = g->manager.shadow_thickness;
    XRectangle inner, outer;
    if (s <= 0 || !MakeRect(reg->x, reg->y, reg->width, reg->height, &outer))
        return;
    if (MakeRect(reg->x + s, reg->y + s, reg->width - 2 * s, reg->height - 2 * s, &inner) &&
        XmLRectIntersect((XRectangle *)exposed, &inner) == XmLRectInside)
        return;
    Widget w = (Widget)g;
    if (g->grid.shadowRegions & (1 << index))
        XmeDrawShadows(XtDisplay(w), XtWindow(w), g->manager.top_shadow_GC,
                       g->manager.bottom_shadow_GC, outer.x, outer.y, outer.width,
                       outer.height, (Dimension)s, g->grid.shadowType);
    else
        XmeClearBorder(XtDisplay(w), XtWindow(w), outer.x, outer.y, outer.width, outer.height,
                       (Dimension)s);
}

static int FocusType(XmLGridWidget g, int row, int col)
{
    XmLGridPart *p = &g->grid;
    if (row != p->focusRow || !p->hasFocus)
        return XmDRAW_FOCUS_NONE;
    if (!p->highlightRowMode)
        return col == p->focusColumn ? XmDRAW_FOCUS_CELL : XmDRAW_FOCUS_NONE;
    int v = PosToVisPos(g, col, 0);
    int last = ColCount(g) - p->hiddenColumns - 1;
    if (v == 0 && last == 0)
        return XmDRAW_FOCUS_CELL;
    if (v == 0)
        return XmDRAW_FOCUS_LEFT;
    if (v == last)
        return XmDRAW_FOCUS_RIGHT;
    return XmDRAW_FOCUS_MID;
}

static Boolean DrawSelected(XmLGridWidget g, int row, int col, XmLGridCell cell)
{
    XmLGridPart *p = &g->grid;
    if (p->selectionPolicy == XmSELECT_CELL && p->hasFocus && row == p->focusRow &&
        col == p->focusColumn)
        return False;
    XmLGridRow r = GridRow(g, row);
    XmLGridColumn c = GridColumn(g, col);
    return (r && RowIsSelected(r)) || (c && ColumnIsSelected(c)) || CellIsSelected(cell);
}

static void DrawOneCell(XmLGridWidget g, XEvent *event, int row, int col, XRectangle *cellRect,
                        XRectangle *clip, Boolean hasDrawCallbacks)
{
    XmLGridCell cell = GetCell(g, row, col);
    XmLGridCellRefValues *v = CellRefValues(cell);
    XmLGridDrawInfo ds;
    ds.gc = g->grid.gc;
    ds.cellRect = cellRect;
    ds.topMargin = v->topMargin;
    ds.bottomMargin = v->bottomMargin;
    ds.leftMargin = v->leftMargin;
    ds.rightMargin = v->rightMargin;
    ds.foreground = v->foreground;
    ds.background = v->background;
    ds.selectForeground = g->grid.selectForeground;
    ds.selectBackground = g->grid.selectBackground;
    ds.fontList = v->fontList;
    ds.alignment = v->alignment;
    ds.drawSelected = DrawSelected(g, row, col, cell);
    ds.drawFocusType = FocusType(g, row, col);
    ds.stringDirection = g->manager.string_direction;
    XmLGridCallbackData cbs;
    memset(&cbs, 0, sizeof cbs);
    cbs.reason = XmCR_CELL_DRAW;
    cbs.event = event;
    cbs.rowType = RowPosToType(g, row);
    cbs.row = RowPosToTypePos(g, cbs.rowType, row);
    cbs.columnType = ColPosToType(g, col);
    cbs.column = ColPosToTypePos(g, cbs.columnType, col);
    cbs.clipRect = clip;
    cbs.drawInfo = &ds;
    CellAction(cell, (Widget)g, &cbs);
    if (hasDrawCallbacks)
        XtCallCallbackList((Widget)g, g->grid.cellDrawCallback, (XtPointer)&cbs);
}

// A cell covered by a span is drawn only at the band's first row or column,
// from its origin; elsewhere the origin draws it. Answers false to skip.
static bool SpanOrigin(XmLGridWidget g, const GridReg *reg, int *row, int *col,
                       XRectangle *rect)
{
    XmLGridCell cell = GetCell(g, *row, *col);
    bool inRow = CellInRowSpan(cell), inCol = CellInColumnSpan(cell);
    XmLGridCellRefValues *v = CellRefValues(cell);
    if (!inRow && !inCol && !v->rowSpan && !v->columnSpan)
        return true;
    if (inRow && *row != reg->row)
        return false;
    if (!inRow && inCol && *col != reg->col)
        return false;
    bool lookLeft = inCol || (inRow && *col == reg->col);
    if ((inRow || inCol) &&
        RowColFirstSpan(g, *row, *col, row, col, rect, lookLeft, inRow) < 0)
        return false;
    RowColSpanRect(g, *row, *col, rect);
    return true;
}

static void DrawRegionCells(XmLGridWidget g, const GridReg *reg, XEvent *event, Region region,
                            Boolean hasDrawCallbacks)
{
    int s = g->manager.shadow_thickness;
    long long y = 0;
    for (int r = reg->row; r < reg->row + reg->nrow; r++) {
        int h = GetRowHeight(g, r);
        if (h == 0 && !g->grid.hasSpans)
            continue;
        long long x = 0;
        for (int c = reg->col; c < reg->col + reg->ncol; c++) {
            int w = GetColWidth(g, c);
            long long cx = s + reg->x + x - (g->grid.pixelScroll ? g->grid.pixelScrollOffset : 0);
            x += w;
            int row = r, col = c;
            XRectangle rect;
            if (!GetCell(g, r, c) || cx < -32768 || cx > 32767 || s + reg->y + y > 32767)
                continue;
            rect.x = (short)cx;
            rect.y = (short)(s + reg->y + y);
            rect.width = (unsigned short)w;
            rect.height = (unsigned short)h;
            if (!SpanOrigin(g, reg, &row, &col, &rect) || !rect.width || !rect.height)
                continue;
            XRectangle clip = rect;
            ClipToRegion(g, &clip, reg);
            if (!clip.width || !clip.height)
                continue;
            if (region && XRectInRegion(region, clip.x, clip.y, clip.width, clip.height) ==
                              RectangleOut)
                continue;
            DrawOneCell(g, event, row, col, &rect, &clip, hasDrawCallbacks);
        }
        y += h;
    }
}

static void ClearIfExposed(XmLGridWidget g, const XRectangle *exposed, int x, int y, int width,
                           int height)
{
    XRectangle r;
    if (!MakeRect(x, y, width, height, &r) ||
        XmLRectIntersect(&r, (XRectangle *)exposed) == XmLRectOutside)
        return;
    XClearArea(XtDisplay(g), XtWindow(g), r.x, r.y, r.width, r.height, False);
}

static void FillIfExposed(XmLGridWidget g, const XRectangle *exposed, int x, int y, int width,
                          int height)
{
    XRectangle r;
    if (!MakeRect(x, y, width, height, &r) ||
        XmLRectIntersect(&r, (XRectangle *)exposed) == XmLRectOutside)
        return;
    XFillRectangle(XtDisplay(g), XtWindow(g), g->grid.gc, r.x, r.y, r.width, r.height);
}

static void DrawMargins(XmLGridWidget g, const XRectangle *e)
{
    XmLGridPart *p = &g->grid;
    const GridReg *reg = p->reg;
    int W = g->core.width, H = g->core.height;
    if (reg[0].width && p->leftFixedMargin)
        ClearIfExposed(g, e, reg[0].width, 0, p->leftFixedMargin, H);
    int left = reg[0].ncol ? reg[0].width + p->leftFixedMargin : 0;
    if (reg[2].width && p->rightFixedMargin)
        ClearIfExposed(g, e, left + (reg[1].ncol ? reg[1].width : 0), 0, p->rightFixedMargin, H);
    if (reg[0].height && p->topFixedMargin)
        ClearIfExposed(g, e, 0, reg[0].height, W, p->topFixedMargin);
    int top = reg[0].nrow ? reg[0].height + p->topFixedMargin : 0;
    if (reg[6].height && p->bottomFixedMargin)
        ClearIfExposed(g, e, 0, top + (reg[3].nrow ? reg[3].height : 0), W, p->bottomFixedMargin);
    int x = reg[1].width + left + (reg[2].ncol ? p->rightFixedMargin + reg[2].width : 0);
    if (x < W)
        ClearIfExposed(g, e, x, 0, W - x, H);
    int y = reg[3].height + top + (reg[6].nrow ? p->bottomFixedMargin + reg[6].height : 0);
    if (y < H)
        ClearIfExposed(g, e, 0, y, W, H - y);
}

// The part of the scrolling bands that no column or row reaches.
static void DrawBlank(XmLGridWidget g, const XRectangle *e)
{
    XmLGridPart *p = &g->grid;
    const GridReg *reg = p->reg;
    int s = g->manager.shadow_thickness;
    XSetForeground(XtDisplay(g), p->gc, p->blankBackground);
    if (reg[1].width) {
        long long w = 0;
        for (int c = reg[1].col; c < reg[1].col + reg[1].ncol; c++)
            w += GetColWidth(g, c);
        static const int bands[3] = {1, 4, 7};
        for (int i = 0; i < 3; i++) {
            const GridReg *r = &reg[bands[i]];
            if (r->height && w < r->width - 2 * s)
                FillIfExposed(g, e, (int)(s + r->x + w), r->y + s,
                              (int)(r->width - 2 * s - w), r->height - 2 * s);
        }
    }
    if (reg[3].height) {
        long long h = 0;
        for (int k = reg[3].row; k < reg[3].row + reg[3].nrow; k++)
            h += GetRowHeight(g, k);
        static const int bands[3] = {3, 4, 5};
        for (int i = 0; i < 3; i++) {
            const GridReg *r = &reg[bands[i]];
            if (r->width && h < r->height - 2 * s)
                FillIfExposed(g, e, r->x + s, (int)(s + r->y + h), r->width - 2 * s,
                              (int)(r->height - 2 * s - h));
        }
    }
}

// Every exposure is drawn, whatever core.visible says: the toolkit merges all pending
// exposures into the first, which can reach the grid before the visibility change that
// uncovered it, and a dropped exposure leaves the grid blank until the next one.
void Redisplay(Widget w, XEvent *event, Region region)
{
    XmLGridWidget g = (XmLGridWidget)w;
    if (!XtWindow(w) || !g->grid.gc)
        return;
    if (g->grid.layoutFrozen)
        XmLWarning(w, "Redisplay() - layout frozen is True during redraw");
    XRectangle exposed;
    bool ok = event ? MakeRect(event->xexpose.x, event->xexpose.y, event->xexpose.width,
                               event->xexpose.height, &exposed)
                    : MakeRect(0, 0, w->core.width, w->core.height, &exposed);
    if (event)
        GridDebug(g, 2, "XmLGrid: Redisplay x %d y %d w %d h %d\n", event->xexpose.x,
                  event->xexpose.y, event->xexpose.width, event->xexpose.height);
    if (!ok)
        return;
    DrawResizeLine(g, 0, ResizeLineRefresh);
    Boolean hasDrawCallbacks = XtHasCallbacks(w, XmNcellDrawCallback) == XtCallbackHasSome;
    for (int i = 0; i < 9; i++) {
        const GridReg *reg = &g->grid.reg[i];
        GridDebug(g, 2, "XmLGrid: Redisplay region %d phase 0\n", i);
        XRectangle rect;
        if (!MakeRect(reg->x, reg->y, reg->width, reg->height, &rect) ||
            XmLRectIntersect(&rect, &exposed) == XmLRectOutside)
            continue;
        GridDebug(g, 2, "XmLGrid: Redisplay region %d phase 1\n", i);
        DrawFrame(g, i, &exposed);
        GridDebug(g, 2, "XmLGrid: Redisplay region %d phase 2\n", i);
        DrawRegionCells(g, reg, event, region, hasDrawCallbacks);
    }
    GridDebug(g, 2, "XmLGrid: Redisplay non-cell areas\n");
    DrawMargins(g, &exposed);
    DrawBlank(g, &exposed);
    DrawResizeLine(g, 0, ResizeLineRefresh);
}

// ---- Resize line and cursors

void DrawResizeLine(XmLGridWidget g, int pos, int mode)
{
    XmLGridPart *p = &g->grid;
    Widget w = (Widget)g;
    if (p->dragMode != DragResize || !XtWindow(w) || !p->gc)
        return;
    Display *dpy = XtDisplay(w);
    int width = w->core.width, height = w->core.height;
    if (XtIsManaged(p->verticalScrollBar))
        width -= p->verticalScrollBar->core.width + p->scrollBarMargin;
    if (XtIsManaged(p->horizontalScrollBar))
        height -= p->horizontalScrollBar->core.height + p->scrollBarMargin;
    XSetFunction(dpy, p->gc, GXxor);
    XSetForeground(dpy, p->gc,
                   BlackPixelOfScreen(XtScreen(w)) ^ WhitePixelOfScreen(XtScreen(w)));
    XRectangle r;
    if (p->resizeLinePos != -1) {
        bool ok = p->resizeIsRow ? MakeRect(0, p->resizeLinePos, width, 2, &r)
                                 : MakeRect(p->resizeLinePos, 0, 2, height, &r);
        if (ok)
            XFillRectangle(dpy, XtWindow(w), p->gc, r.x, r.y, r.width, r.height);
    }
    if (mode == ResizeLineMove) {
        int limit = p->resizeIsRow ? height : width;
        if (pos > limit)
            pos = limit - 2;
        if (pos < 0)
            pos = 0;
        bool ok = p->resizeIsRow ? MakeRect(0, pos, width, 2, &r) : MakeRect(pos, 0, 2, height, &r);
        if (ok)
            XFillRectangle(dpy, XtWindow(w), p->gc, r.x, r.y, r.width, r.height);
        p->resizeLinePos = pos;
    } else if (mode == ResizeLineEnd) {
        p->resizeLinePos = -1;
    }
    // A refresh only toggles the line: Redisplay removes it before drawing
    // and puts it back after.
    XSetFunction(dpy, p->gc, GXcopy);
}

void DefineCursor(XmLGridWidget g, int type)
{
    Widget w = (Widget)g;
    if (!XtWindow(w) || type == g->grid.cursorType)
        return;
    XUndefineCursor(XtDisplay(w), XtWindow(w));
    if (type == CursorHResize)
        XDefineCursor(XtDisplay(w), XtWindow(w), g->grid.hResizeCursor);
    else if (type == CursorVResize)
        XDefineCursor(XtDisplay(w), XtWindow(w), g->grid.vResizeCursor);
    g->grid.cursorType = (unsigned char)type;
}
