// GridGeom.cpp - XmLGrid addressing by type and position, cell rectangles and hit testing.
#include "widgets/GridP.h"

#include <algorithm>

// ---- Addressing

unsigned char RowPosToType(XmLGridWidget g, int pos)
{
    if (pos < g->grid.headingRows)
        return XmHEADING;
    if (pos < g->grid.headingRows + g->grid.rows)
        return XmCONTENT;
    return XmFOOTER;
}

unsigned char ColPosToType(XmLGridWidget g, int pos)
{
    if (pos < g->grid.headingColumns)
        return XmHEADING;
    if (pos < g->grid.headingColumns + g->grid.columns)
        return XmCONTENT;
    return XmFOOTER;
}

static int PosToTypePos(int heading, int content, unsigned char type, int pos)
{
    if (type == XmHEADING)
        return pos;
    if (type == XmCONTENT)
        return pos - heading;
    return pos - heading - content;
}

int RowPosToTypePos(XmLGridWidget g, unsigned char type, int pos)
{
    return PosToTypePos(g->grid.headingRows, g->grid.rows, type, pos);
}

int ColPosToTypePos(XmLGridWidget g, unsigned char type, int pos)
{
    return PosToTypePos(g->grid.headingColumns, g->grid.columns, type, pos);
}

static int TypePosToPos(int heading, int content, int footer, unsigned char type, int pos,
                        int allowEnd)
{
    if (pos < 0) {
        if (!allowEnd)
            return -1;
        if (type == XmHEADING)
            return heading;
        if (type == XmFOOTER || type == XmALL_TYPES)
            return heading + content + footer;
        return heading + content;
    }
    if (type == XmALL_TYPES)
        return pos;
    if (type == XmHEADING)
        return pos < heading ? pos : -1;
    if (type == XmFOOTER)
        return pos < footer ? pos + heading + content : -1;
    return pos < content ? pos + heading : -1;
}

int RowTypePosToPos(XmLGridWidget g, unsigned char type, int pos, int allowEnd)
{
    return TypePosToPos(g->grid.headingRows, g->grid.rows, g->grid.footerRows, type, pos,
                        allowEnd);
}

int ColTypePosToPos(XmLGridWidget g, unsigned char type, int pos, int allowEnd)
{
    return TypePosToPos(g->grid.headingColumns, g->grid.columns, g->grid.footerColumns, type,
                        pos, allowEnd);
}

XmLGridRow GridRow(XmLGridWidget g, int pos)
{
    return (XmLGridRow)XmLArrayGet(g->grid.rowArray, pos);
}

XmLGridColumn GridColumn(XmLGridWidget g, int pos)
{
    return (XmLGridColumn)XmLArrayGet(g->grid.colArray, pos);
}

int RowCount(XmLGridWidget g)
{
    return XmLArrayGetCount(g->grid.rowArray);
}

int ColCount(XmLGridWidget g)
{
    return XmLArrayGetCount(g->grid.colArray);
}

int GetRowHeight(XmLGridWidget g, int row)
{
    XmLGridRow r = GridRow(g, row);
    return r ? RowHeightInPixels(r) : 0;
}

int GetColWidth(XmLGridWidget g, int col)
{
    XmLGridColumn c = GridColumn(g, col);
    return c ? ColumnWidthInPixels(c) : 0;
}

XmLGridCell GetCell(XmLGridWidget g, int row, int col)
{
    XmLGridRow r = GridRow(g, row);
    return r ? (XmLGridCell)XmLArrayGet(r->cells, col) : NULL;
}

// ---- Visible positions

void VisPosChanged(XmLGridWidget g, int isVert)
{
    if (isVert)
        g->grid.rowVisPosDirty = True;
    else
        g->grid.colVisPosDirty = True;
}

void RecalcVisPos(XmLGridWidget g, int isVert)
{
    if (g->grid.layoutFrozen)
        XmLWarning((Widget)g, "RecalcVisPos() - layout is frozen");
    Boolean *dirty = isVert ? &g->grid.rowVisPosDirty : &g->grid.colVisPosDirty;
    if (!*dirty)
        return;
    int visPos = 0;
    if (isVert) {
        for (int i = 0; i < RowCount(g); i++) {
            XmLGridRow row = GridRow(g, i);
            RowSetVisPos(row, visPos);
            if (!RowIsHidden(row))
                visPos++;
        }
    } else {
        for (int i = 0; i < ColCount(g); i++) {
            XmLGridColumn col = GridColumn(g, i);
            ColumnSetVisPos(col, visPos);
            if (!ColumnIsHidden(col))
                visPos++;
        }
    }
    *dirty = False;
}

static int RecordVisPos(XmLGridWidget g, int pos, int isVert)
{
    if (isVert) {
        XmLGridRow row = GridRow(g, pos);
        return row ? RowVisPos(row) : -1;
    }
    XmLGridColumn col = GridColumn(g, pos);
    return col ? ColumnVisPos(col) : -1;
}

int PosToVisPos(XmLGridWidget g, int pos, int isVert)
{
    if ((isVert ? g->grid.hiddenRows : g->grid.hiddenColumns) == 0)
        return pos;
    RecalcVisPos(g, isVert);
    int visPos = RecordVisPos(g, pos, isVert);
    if (visPos < 0)
        XmLWarning((Widget)g, "PosToVisPos() - invalid pos");
    return visPos;
}

int VisPosToPos(XmLGridWidget g, int visPos, int isVert)
{
    if ((isVert ? g->grid.hiddenRows : g->grid.hiddenColumns) == 0)
        return visPos;
    int count = isVert ? RowCount(g) : ColCount(g);
    if (!count) {
        XmLWarning((Widget)g, isVert ? "VisPosToPos() - called when no rows exist"
                                     : "VisPosToPos() - called when no cols exist");
        return -1;
    }
    RecalcVisPos(g, isVert);
    if (visPos < RecordVisPos(g, 0, isVert) || visPos > RecordVisPos(g, count - 1, isVert)) {
        XmLWarning((Widget)g, isVert ? "VisPosToPos() - invalid Vert visPos"
                                     : "VisPosToPos() - invalid Horiz visPos");
        return -1;
    }
    int low = 0, high = count;
    for (int round = 0; round < 1001; round++) {
        int mid = low + (high - low) / 2;
        int v = RecordVisPos(g, mid, isVert);
        if (v == visPos)
            return mid;
        if (visPos < v)
            high = mid;
        else
            low = mid;
    }
    return -1;
}

// ---- Rectangles

// False, and nothing to draw, when the rectangle is empty or negative, or does
// not fit an XRectangle.
bool MakeRect(int x, int y, int width, int height, XRectangle *rect)
{
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535)
        return false;
    rect->x = (short)x;
    rect->y = (short)y;
    rect->width = (unsigned short)width;
    rect->height = (unsigned short)height;
    return true;
}

static void SetRect(XRectangle *rect, long long x, long long y, long long w, long long h)
{
    // Cells far outside the window are still given a rectangle; hold the
    // numbers inside what X can carry rather than wrap them round.
    auto clampPos = [](long long v) { return (short)(v < -32768 ? -32768 : v > 32767 ? 32767 : v); };
    auto clampSize = [](long long v) {
        return (unsigned short)(v < 0 ? 0 : v > 65535 ? 65535 : v);
    };
    rect->x = clampPos(x);
    rect->y = clampPos(y);
    rect->width = clampSize(w);
    rect->height = clampSize(h);
}

// A rectangle in wide numbers, before it is held to what an XRectangle carries.
typedef struct {
    long long x, y, width, height;
} WideRect;

// Cuts the rectangle to the region's inner area, to the window and to the coordinates X
// can draw at (16 bits): a region may be far larger than either. False when nothing is left.
static bool ClipWide(XmLGridWidget g, WideRect *r, const GridReg *reg)
{
    if (!reg->width || !reg->height)
        return false;
    int s = g->manager.shadow_thickness;
    auto cut = [](long long *pos, long long *size, long long from, long long to,
                  long long window) {
        long long start = std::max({*pos, from, 0LL});
        long long end = std::min({*pos + *size, to, window, 32767LL});
        *pos = start;
        *size = end > start ? end - start : 0;
        return end > start;
    };
    bool x = cut(&r->x, &r->width, (long long)reg->x + s, (long long)reg->x + reg->width - s,
                 g->core.width);
    bool y = cut(&r->y, &r->height, (long long)reg->y + s, (long long)reg->y + reg->height - s,
                 g->core.height);
    return x && y;
}

bool ClipToRegion(XmLGridWidget g, XRectangle *r, const GridReg *reg)
{
    WideRect wide = {r->x, r->y, r->width, r->height};
    if (!ClipWide(g, &wide, reg)) {
        r->width = r->height = 0;
        return false;
    }
    SetRect(r, wide.x, wide.y, wide.width, wide.height);
    return true;
}

static bool RegionHolds(const GridReg *reg, int row, int col)
{
    return reg->width && reg->height && row >= reg->row && row < reg->row + reg->nrow &&
           col >= reg->col && col < reg->col + reg->ncol;
}

// The last row (or column) a span reaches: row + span taken wide, held at the last one.
static int SpanEnd(int start, int span, int count)
{
    long long end = (long long)start + span;
    return end < count ? (int)end : count - 1;
}

static long long SpanHeight(XmLGridWidget g, int row, int span)
{
    long long h = 0;
    for (int i = row, end = SpanEnd(row, span, RowCount(g)); i <= end; i++)
        h += GetRowHeight(g, i);
    return h;
}

static long long SpanWidth(XmLGridWidget g, int col, int span)
{
    long long w = 0;
    for (int i = col, end = SpanEnd(col, span, ColCount(g)); i <= end; i++)
        w += GetColWidth(g, i);
    return w;
}

int RowColToXY(XmLGridWidget g, int row, int col, Boolean clipped, XRectangle *rect)
{
    XmLGridCell cell = GetCell(g, row, col);
    if (!cell)
        return -1;
    int s = g->manager.shadow_thickness;
    for (int i = 0; i < 9; i++) {
        const GridReg *reg = &g->grid.reg[i];
        if (!RegionHolds(reg, row, col))
            continue;
        long long y = s + reg->y, x = s + reg->x;
        for (int r = reg->row; r < row; r++)
            y += GetRowHeight(g, r);
        for (int c = reg->col; c < col; c++)
            x += GetColWidth(g, c);
        if (g->grid.pixelScroll)
            x -= g->grid.pixelScrollOffset;
        XmLGridCellRefValues *v = CellRefValues(cell);
        WideRect wide = {x, y, SpanWidth(g, col, v ? v->columnSpan : 0),
                         SpanHeight(g, row, v ? v->rowSpan : 0)};
        if (clipped && !ClipWide(g, &wide, reg))
            wide = {x, y, 0, 0};   // no part of it is on show
        SetRect(rect, wide.x, wide.y, wide.width, wide.height);
        return 0;
    }
    return -1;
}

int RowColFirstSpan(XmLGridWidget g, int row, int col, int *spanRow, int *spanCol,
                    XRectangle *rect, Boolean lookLeft, Boolean lookUp)
{
    for (;;) {
        XmLGridCell cell = GetCell(g, row, col);
        if (!cell)
            return -1;
        if (CellInRowSpan(cell)) {
            if (!lookUp || row == 0)
                return -1;
            row--;
            if (rect)
                rect->y -= GetRowHeight(g, row);
        } else if (CellInColumnSpan(cell)) {
            if (!lookLeft || col == 0)
                return -1;
            col--;
            if (rect)
                rect->x -= GetColWidth(g, col);
        } else {
            *spanRow = row;
            *spanCol = col;
            return 0;
        }
    }
}

void RowColSpanRect(XmLGridWidget g, int row, int col, XRectangle *rect)
{
    XmLGridCell cell = GetCell(g, row, col);
    XmLGridCellRefValues *v = cell ? CellRefValues(cell) : NULL;
    SetRect(rect, rect->x, rect->y, SpanWidth(g, col, v ? v->columnSpan : 0),
            SpanHeight(g, row, v ? v->rowSpan : 0));
}

// ---- Hit testing

static bool InRect(const WideRect *r, int x, int y)
{
    return x >= r->x && x < r->x + r->width && y >= r->y && y < r->y + r->height;
}

static int HitInRegion(XmLGridWidget g, const GridReg *reg, int x, int y, int *row, int *col)
{
    int s = g->manager.shadow_thickness;
    long long cy = s + reg->y;
    for (int r = reg->row; r < reg->row + reg->nrow; r++) {
        int h = GetRowHeight(g, r);
        long long cx = s + reg->x - (g->grid.pixelScroll ? g->grid.pixelScrollOffset : 0);
        for (int c = reg->col; c < reg->col + reg->ncol; c++) {
            int w = GetColWidth(g, c);
            WideRect rect = {cx, cy, w, h};
            if (ClipWide(g, &rect, reg) && InRect(&rect, x, y))
                return RowColFirstSpan(g, r, c, row, col, NULL, True, True);
            cx += w;
        }
        cy += h;
    }
    return -1;
}

int XYToRowCol(XmLGridWidget g, int x, int y, int *row, int *col)
{
    int s = g->manager.shadow_thickness;
    for (int i = 0; i < 9; i++) {
        const GridReg *reg = &g->grid.reg[i];
        if (!reg->width || !reg->height)
            continue;
        if (x < reg->x + s || x >= reg->x + reg->width - s || y < reg->y + s ||
            y >= reg->y + reg->height - s)
            continue;
        return HitInRegion(g, reg, x, y, row, col);
    }
    return -1;
}

// rows are resized from the heading columns only, columns from the heading rows.
int PosIsResize(XmLGridWidget g, int x, int y, int *row, int *col, int *isVert)
{
    int r, c;
    XRectangle rect;
    if (g->grid.allowRowResize) {
        for (int pass = 0; pass < 2; pass++) {
            int py = pass ? y - 4 : y;
            if (XYToRowCol(g, x, py, &r, &c) < 0 || RowColToXY(g, r, c, False, &rect) < 0)
                continue;
            int d = y - (rect.y + rect.height) + 4;
            if (ColPosToType(g, c) == XmHEADING && d >= 0 && d <= 8) {
                *row = r;
                *col = c;
                *isVert = 1;
                return 1;
            }
        }
    }
    if (g->grid.allowColumnResize) {
        for (int pass = 0; pass < 2; pass++) {
            int px = pass ? x - 4 : x;
            if (XYToRowCol(g, px, y, &r, &c) < 0 || RowColToXY(g, r, c, False, &rect) < 0)
                continue;
            int d = x - (rect.x + rect.width) + 4;
            if (RowPosToType(g, r) == XmHEADING && d >= 0 && d <= 8) {
                *row = r;
                *col = c;
                *isVert = 0;
                return 1;
            }
        }
    }
    return 0;
}

static bool InRegionRows(const GridReg *reg, int row)
{
    return row >= reg->row && row < reg->row + reg->nrow;
}

static bool InRegionCols(const GridReg *reg, int col)
{
    return col >= reg->col && col < reg->col + reg->ncol;
}

int RowIsVisible(XmLGridWidget g, int row)
{
    XmLGridRow r = GridRow(g, row);
    if (!r) {
        XmLWarning((Widget)g, "RowIsVisible() - invalid row");
        return -1;
    }
    if (RowIsHidden(r))
        return 0;
    if (g->grid.verticalSizePolicy == XmVARIABLE)
        return 1;
    const GridReg *reg = g->grid.reg;
    return InRegionRows(&reg[0], row) || InRegionRows(&reg[3], row) ||
           InRegionRows(&reg[6], row);
}

int ColIsVisible(XmLGridWidget g, int col)
{
    XmLGridColumn c = GridColumn(g, col);
    if (!c) {
        XmLWarning((Widget)g, "ColumnIsVisible() - invalid column");
        return -1;
    }
    if (ColumnIsHidden(c))
        return 0;
    if (g->grid.horizontalSizePolicy == XmVARIABLE)
        return 1;
    const GridReg *reg = g->grid.reg;
    return InRegionCols(&reg[0], col) || InRegionCols(&reg[1], col) ||
           InRegionCols(&reg[2], col);
}

// ---- Paging

int ScrollRowBottomPos(XmLGridWidget g, int row)
{
    if (g->grid.verticalSizePolicy == XmVARIABLE)
        return -1;
    long long height = 0;
    int r;
    for (r = row; r >= 0; r--) {
        height += GetRowHeight(g, r);
        if (height > g->grid.reg[4].height)
            break;
    }
    if (r < 0)
        return 0;   // everything down to the first row fits
    return r == row ? row : r + 1;
}

int ScrollColumnRightPos(XmLGridWidget g, int col)
{
    if (g->grid.horizontalSizePolicy == XmVARIABLE)
        return -1;
    long long width = 0;
    int c;
    for (c = col; c >= 0; c--) {
        width += GetColWidth(g, c);
        if (width >= g->grid.reg[4].width)
            break;
    }
    if (c < 0)
        return 0;
    return c == col ? col : c + 1;
}
