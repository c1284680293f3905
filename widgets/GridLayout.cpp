// GridLayout.cpp - XmLGrid layout passes, scroll bars, scrolling and size requests.
#include "widgets/GridP.h"

#include <Xm/ScrollBar.h>

#include <cstring>

// ---- One pass, for either direction

// What a layout pass needs to know about its direction. The vertical pass
// works on rows and heights, the horizontal one on columns and widths.
typedef struct {
    bool           vert;
    const char    *name;         // for traces and warnings: "VertLayout", "HorizLayout"
    int            count;        // rows or columns in all
    int            fixedStart;   // topFixedCount or leftFixedCount
    int            fixedEnd;     // bottomFixedCount or rightFixedCount
    int            headingAndContent;
    int            startMargin, endMargin;
    unsigned char  sizePolicy, displayPolicy;
    Widget         sb, otherSb;
    int           *scrollPos;
    int           *scrollTypePos;
    int            heading;
} Axis;

// The band of one direction as the pass works it out.
typedef struct {
    int startFixed, startSize;
    int endFixed, endStart, endSize;
    int midPos, midSize, midFirst, midCount;
    int avail, maxScroll;
    bool needSb;
    long long request;      // size to ask the parent for; -1 none
} Bands;

static Axis MakeAxis(XmLGridWidget g, bool vert)
{
    XmLGridPart *p = &g->grid;
    Axis a;
    a.vert = vert;
    a.name = vert ? "VertLayout" : "HorizLayout";
    a.count = vert ? RowCount(g) : ColCount(g);
    a.fixedStart = vert ? p->topFixedCount : p->leftFixedCount;
    a.fixedEnd = vert ? p->bottomFixedCount : p->rightFixedCount;
    a.headingAndContent = vert ? p->headingRows + p->rows : p->headingColumns + p->columns;
    a.startMargin = vert ? p->topFixedMargin : p->leftFixedMargin;
    a.endMargin = vert ? p->bottomFixedMargin : p->rightFixedMargin;
    a.sizePolicy = vert ? p->verticalSizePolicy : p->horizontalSizePolicy;
    a.displayPolicy = vert ? p->vsbDisplayPolicy : p->hsbDisplayPolicy;
    a.sb = vert ? p->verticalScrollBar : p->horizontalScrollBar;
    a.otherSb = vert ? p->horizontalScrollBar : p->verticalScrollBar;
    a.scrollPos = vert ? &p->scrollRowPos : &p->scrollColumnPos;
    a.scrollTypePos = vert ? &p->scrollRow : &p->scrollColumn;
    a.heading = vert ? p->headingRows : p->headingColumns;
    return a;
}

static long long Size(XmLGridWidget g, const Axis *a, int i)
{
    return a->vert ? GetRowHeight(g, i) : GetColWidth(g, i);
}

static long long SumSizes(XmLGridWidget g, const Axis *a, int from, int to)
{
    long long sum = 0;
    for (int i = from; i < to; i++)
        sum += Size(g, a, i);
    return sum;
}

static int ClampInt(long long v)
{
    return (int)(v > 0x3fffffff ? 0x3fffffff : v < -0x3fffffff ? -0x3fffffff : v);
}

static int OtherSbRoom(XmLGridWidget g, const Axis *a)
{
    if (!XtIsManaged(a->otherSb))
        return 0;
    Dimension size = a->vert ? a->otherSb->core.height : a->otherSb->core.width;
    return size + g->grid.scrollBarMargin;
}

static void FixedBands(XmLGridWidget g, const Axis *a, Bands *b)
{
    int s = 2 * g->manager.shadow_thickness;
    int n = a->count;
    b->startFixed = a->fixedStart < a->headingAndContent ? a->fixedStart : a->headingAndContent;
    if (b->startFixed > n)
        b->startFixed = n;
    b->startSize = b->startFixed ? ClampInt(s + SumSizes(g, a, 0, b->startFixed)) : 0;
    b->endFixed = a->fixedEnd;
    if (b->startFixed + b->endFixed > n)
        b->endFixed = n - b->startFixed;
    b->endStart = n - b->endFixed;
    b->endSize = b->endFixed ? ClampInt(s + SumSizes(g, a, b->endStart, n)) : 0;
    b->midPos = b->startFixed > 0 ? b->startSize + a->startMargin : 0;
    long long fixedTotal = b->midPos;
    if (b->endFixed > 0)
        fixedTotal += a->endMargin + b->endSize;
    fixedTotal += OtherSbRoom(g, a);
    int widgetSize = a->vert ? g->core.height : g->core.width;
    b->avail = ClampInt(widgetSize - fixedTotal);
    b->request = fixedTotal;
}

// Returns whether the scroll position moved.
static bool ConstantBands(XmLGridWidget g, const Axis *a, Bands *b)
{
    int s = 2 * g->manager.shadow_thickness;
    if (b->avail < s)
        b->avail = 0;
    long long sum = s;
    int r;
    for (r = b->endStart - 1; r >= b->startFixed; r--) {
        sum += Size(g, a, r);
        if (sum > b->avail)
            break;
    }
    int maxScroll = r >= b->startFixed ? r + 1 : b->startFixed;
    if (maxScroll > b->endStart - 1)
        maxScroll = b->endStart - 1;
    if (maxScroll < b->startFixed)
        maxScroll = b->startFixed;
    b->maxScroll = maxScroll;
    GridDebug(g, 1, "XmLGrid: %s max scroll %s %d\n", a->name, a->vert ? "row" : "col",
              maxScroll);
    int old = *a->scrollPos;
    b->midSize = b->avail;
    b->request = -1;
    if (maxScroll == b->startFixed) {
        GridDebug(g, 1, "XmLGrid: %s everything fits\n", a->name);
        *a->scrollPos = b->startFixed;
        b->midFirst = b->startFixed;
        b->midCount = a->count - b->startFixed - b->endFixed;
        b->needSb = false;
        return *a->scrollPos != old;
    }
    if (*a->scrollPos < b->startFixed) {
        GridDebug(g, 1, a->vert ? "XmLGrid: VertLayout scrolled < topRow\n"
                                : "XmLGrid: HorizLayout scroll < leftCol\n");
        *a->scrollPos = b->startFixed;
    }
    if (*a->scrollPos > maxScroll) {
        GridDebug(g, 1, a->vert ? "XmLGrid: VertLayout scrolled > maxRow\n"
                                : "XmLGrid: HorizLayout scroll > maxCol\n");
        *a->scrollPos = maxScroll;
    }
    int count = 0;
    sum = s;
    for (r = *a->scrollPos; r < b->endStart; r++) {
        sum += Size(g, a, r);
        count++;
        if (sum >= b->avail)
            break;
    }
    b->midFirst = *a->scrollPos;
    b->midCount = count;
    b->needSb = true;
    return *a->scrollPos != old;
}

static void VariableBands(XmLGridWidget g, const Axis *a, Bands *b)
{
    int s = 2 * g->manager.shadow_thickness;
    GridDebug(g, 1, "XmLGrid: %s VARIABLE %s\n", a->name, a->vert ? "height" : "width");
    long long mid = (b->endStart > b->startFixed ? s : 0) +
                    SumSizes(g, a, b->startFixed, b->endStart);
    b->midSize = ClampInt(mid);
    b->midFirst = b->startFixed;
    b->midCount = a->count - b->startFixed - b->endFixed;
    *a->scrollPos = b->startFixed;
    b->needSb = false;
    b->request += mid;
}

// Regions 0, 1, 2 are the top band, 3, 4, 5 the middle, 6, 7, 8 the bottom;
// the vertical pass sets the rows of each band, the horizontal one the columns.
static void SetRegions(XmLGridWidget g, const Axis *a, const Bands *b)
{
    int pos[3] = {0, b->midPos, b->midPos + b->midSize + (b->endFixed > 0 ? a->endMargin : 0)};
    int size[3] = {b->startSize, b->midSize, b->endSize};
    int first[3] = {0, b->midFirst, b->endStart};
    int num[3] = {b->startFixed, b->midCount, b->endFixed};
    for (int band = 0; band < 3; band++) {
        for (int k = 0; k < 3; k++) {
            GridReg *reg = &g->grid.reg[a->vert ? band * 3 + k : k * 3 + band];
            if (a->vert) {
                reg->y = pos[band];
                reg->height = size[band];
                reg->row = first[band];
                reg->nrow = num[band];
            } else {
                reg->x = pos[band];
                reg->width = size[band];
                reg->col = first[band];
                reg->ncol = num[band];
            }
        }
        static const char *vertNames[3] = {"T", "M", "B"}, *horizNames[3] = {"TOP", "MID", "BOT"};
        if (a->vert)
            GridDebug(g, 1, "XmLGrid: VertLayout %s y %d h %d r %d nr %d\n", vertNames[band],
                      pos[band], size[band], first[band], num[band]);
        else
            GridDebug(g, 1, "XmLGrid: HorizLayout %s x %d w %d c %d nc %d\n", horizNames[band],
                      pos[band], size[band], first[band], num[band]);
    }
}

static bool ManageSb(Widget sb, bool manage)
{
    if (manage == (bool)XtIsManaged(sb))
        return false;
    if (manage)
        XtManageChild(sb);
    else
        XtUnmanageChild(sb);
    return true;
}

static void SetSbValues(Widget sb, int minimum, int maximum, int slider, int page, int value)
{
    if (maximum <= minimum)
        maximum = minimum + 1;
    if (slider > maximum - minimum)
        slider = maximum - minimum;
    if (slider < 1)
        slider = 1;
    if (value > maximum - slider)
        value = maximum - slider;
    if (value < minimum)
        value = minimum;
    if (page < 1)
        page = 1;
    XtVaSetValues(sb, XmNminimum, minimum, XmNmaximum, maximum, XmNsliderSize, slider,
                  XmNpageIncrement, page, XmNvalue, value, NULL);
}

// Returns whether the scroll bar was managed or unmanaged.
static bool UpdateSb(XmLGridWidget g, const Axis *a, const Bands *b)
{
    if (b->needSb) {
        bool changed = ManageSb(a->sb, true);
        GridDebug(g, 1, "XmLGrid: %s set sb values\n", a->name);
        int last = PosToVisPos(g, b->endStart - 1, a->vert);
        int slider = last - PosToVisPos(g, b->maxScroll, a->vert) + 1;
        SetSbValues(a->sb, PosToVisPos(g, b->startFixed, a->vert), last + 1, slider, slider,
                    PosToVisPos(g, *a->scrollPos, a->vert));
        return changed;
    }
    if (a->sizePolicy == XmCONSTANT && a->displayPolicy == XmSTATIC) {
        GridDebug(g, 1, a->vert ? "XmLGrid: VertLayout vsb not needed but static\n"
                                : "XmLGrid: HorizLayout hsb not needed - static\n");
        bool changed = ManageSb(a->sb, true);
        SetSbValues(a->sb, 0, 1, 1, 1, 0);
        return changed;
    }
    return ManageSb(a->sb, false);
}

// A single content column wider than the window scrolls by pixels. Answers
// 0 when it does not, 1 when it does, 2 when the scroll bar was managed for it.
static int PixelScroll(XmLGridWidget g, const Bands *b)
{
    XmLGridPart *p = &g->grid;
    int s = 2 * g->manager.shadow_thickness;
    long long width = ColCount(g) == 1 ? GetColWidth(g, 0) + s : 0;
    if (p->horizontalSizePolicy != XmCONSTANT || ColCount(g) != 1 || p->columns != 1 ||
        width <= b->avail) {
        p->pixelScroll = False;
        return 0;
    }
    int excess = ClampInt(width - b->avail);
    int offset = 0;
    if (p->pixelScroll && p->pixelScrollOffset >= 0)
        offset = p->pixelScrollOffset < excess ? p->pixelScrollOffset : excess;
    bool changed = ManageSb(p->horizontalScrollBar, true);
    SetSbValues(p->horizontalScrollBar, 0, excess + 1, 1, excess / 4 + 1, offset);
    p->pixelScroll = True;
    p->pixelScrollOffset = offset;
    return changed ? 2 : 1;
}

static void RequestSize(XmLGridWidget g, const Axis *a, long long size)
{
    XtWidgetGeometry request, reply;
    memset(&request, 0, sizeof request);
    long long want = size < 1 ? 1 : size > 32767 ? 32767 : size;
    GridDebug(g, 1, "XmLGrid: %s Req %c %d\n", a->name, a->vert ? 'h' : 'w', (int)want);
    request.request_mode = a->vert ? CWHeight : CWWidth;
    if (a->vert)
        request.height = (Dimension)want;
    else
        request.width = (Dimension)want;
    XtMakeGeometryRequest((Widget)g, &request, &reply);
    PlaceScrollbars(g);
}

static void ReportScroll(XmLGridWidget g, const Axis *a)
{
    int typePos = *a->scrollPos - a->heading;
    if (typePos == *a->scrollTypePos)
        return;
    *a->scrollTypePos = typePos;
    XmLGridCallbackData cbs;
    memset(&cbs, 0, sizeof cbs);
    cbs.reason = a->vert ? XmCR_SCROLL_ROW : XmCR_SCROLL_COLUMN;
    cbs.rowType = cbs.columnType = XmCONTENT;
    cbs.row = a->vert ? typePos : -1;
    cbs.column = a->vert ? -1 : typePos;
    XtCallCallbackList((Widget)g, g->grid.scrollCallback, (XtPointer)&cbs);
}

static void Layout(XmLGridWidget g, bool vert, int resizeIfNeeded)
{
    XmLGridPart *p = &g->grid;
    if (p->layoutFrozen) {
        // The editor cannot be placed before the regions are worked out; until the
        // layout runs again it would stand over a cell it does not edit.
        TextAction(g, TEXT_HIDE);
        (vert ? p->needsVertLayout : p->needsHorizLayout) = True;
        return;
    }
    bool sbChanged = false;
    XmLGridPreLayoutProc pre = GridClassPart(g)->preLayoutProc;
    if (pre != XmInheritGridPreLayout && pre && p->layoutDepth <= 1)
        sbChanged = pre((Widget)g, vert ? 1 : 0);
    TextAction(g, TEXT_HIDE);
    Axis a = MakeAxis(g, vert);
    Bands b;
    memset(&b, 0, sizeof b);
    FixedBands(g, &a, &b);
    bool scrolled = false;
    if (a.sizePolicy == XmCONSTANT)
        scrolled = ConstantBands(g, &a, &b);
    else
        VariableBands(g, &a, &b);
    SetRegions(g, &a, &b);
    // The pixel scroll bar replaces the ordinary one.
    int pixel = vert ? 0 : PixelScroll(g, &b);
    if (pixel == 2 || (pixel == 0 && UpdateSb(g, &a, &b)))
        sbChanged = true;
    if (b.request >= 0 && resizeIfNeeded)
        RequestSize(g, &a, b.request);
    if (scrolled)
        DrawArea(g, vert ? DRAW_VSCROLL : DRAW_HSCROLL, 0, 0);
    TextAction(g, TEXT_SHOW);
    ReportScroll(g, &a);
    if (!sbChanged)
        return;
    if (p->layoutDepth < 3) {
        p->layoutDepth++;
        Layout(g, !vert, resizeIfNeeded);
        p->layoutDepth--;
    } else {
        XmLWarning((Widget)g, vert ? "VertLayout() - recursion error"
                                   : "HorizLayout() - recursion error");
    }
    PlaceScrollbars(g);
}

void VertLayout(XmLGridWidget g, int resizeIfNeeded)
{
    Layout(g, true, resizeIfNeeded);
}

void HorizLayout(XmLGridWidget g, int resizeIfNeeded)
{
    Layout(g, false, resizeIfNeeded);
}

void PlaceScrollbars(XmLGridWidget g)
{
    Widget hsb = g->grid.horizontalScrollBar, vsb = g->grid.verticalScrollBar;
    int width = g->core.width - (XtIsManaged(vsb) ? vsb->core.width : 0);
    if (width < 1)
        width = 1;
    XtConfigureWidget(hsb, 0, (Position)(g->core.height - hsb->core.height), (Dimension)width,
                      hsb->core.height, 0);
    int height = g->core.height - (XtIsManaged(hsb) ? hsb->core.height : 0);
    if (height < 1)
        height = 1;
    XtConfigureWidget(vsb, (Position)(g->core.width - vsb->core.width), 0, vsb->core.width,
                      (Dimension)height, 0);
}

// ---- Scrolling

void ScrollCB(Widget w, XtPointer clientData, XtPointer callData)
{
    XmLGridWidget g = (XmLGridWidget)clientData;
    XmScrollBarCallbackStruct *cbs = (XmScrollBarCallbackStruct *)callData;
    XmLGridPart *p = &g->grid;
    bool vert = w == p->verticalScrollBar;
    if (!vert && p->pixelScroll) {
        // The editor moves with its cell, or is clipped with it, as in a layout pass.
        TextAction(g, TEXT_HIDE);
        p->pixelScrollOffset = cbs->value;
        DrawArea(g, DRAW_HSCROLL, 0, 0);
        TextAction(g, TEXT_SHOW);
        return;
    }
    int *scrollPos = vert ? &p->scrollRowPos : &p->scrollColumnPos;
    if (cbs->value == PosToVisPos(g, *scrollPos, vert))
        return;
    int pos = VisPosToPos(g, cbs->value, vert);
    if (pos < 0)
        return;
    *scrollPos = pos;
    Layout(g, vert, 0);
    DrawArea(g, vert ? DRAW_VSCROLL : DRAW_HSCROLL, 0, 0);
}

static void MakeVisible(XmLGridWidget g, bool vert, int pos)
{
    XmLGridPart *p = &g->grid;
    Axis a = MakeAxis(g, vert);
    if (a.sizePolicy != XmCONSTANT || pos < a.fixedStart || pos >= a.count - a.fixedEnd)
        return;
    int s = 2 * g->manager.shadow_thickness;
    int old = *a.scrollPos, target = old;
    if (pos < old) {
        target = pos;
    } else {
        long long room = (vert ? p->reg[4].height : p->reg[4].width) - s, sum = 0;
        int r;
        for (r = pos; r >= a.fixedStart; r--) {
            sum += Size(g, &a, r);
            if (sum > room)
                break;
        }
        target = r + 1;
        if (target > pos)
            target = pos;
        if (target < old)
            target = old;
    }
    if (target == old)
        return;
    *a.scrollPos = target;
    Layout(g, vert, 0);
    if (*a.scrollPos != old)
        DrawArea(g, vert ? DRAW_VSCROLL : DRAW_HSCROLL, 0, 0);
}

void MakeRowVisible(XmLGridWidget g, int row)
{
    MakeVisible(g, true, row);
}

void MakeColVisible(XmLGridWidget g, int col)
{
    MakeVisible(g, false, col);
}

// ---- Sizes asked for in rows and columns

static Dimension ClampDimension(long long v)
{
    return (Dimension)(v < 1 ? 1 : v > 32767 ? 32767 : v);
}

void ApplyVisibleRows(XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    if (p->verticalSizePolicy != XmCONSTANT) {
        XmLWarning((Widget)g, "verticalSizePolicy must be XmCONSTANT to set visibleRows");
        return;
    }
    const XmLGridCellRefValues *d = p->defaultCellValues;
    long long height = (long long)(d->topMargin + d->fontHeight + 4 + d->bottomMargin) *
                           p->visibleRows + 2 * g->manager.shadow_thickness;
    if (p->horizontalSizePolicy == XmCONSTANT && p->hsbDisplayPolicy == XmSTATIC)
        height += p->scrollBarMargin + p->horizontalScrollBar->core.height;
    g->core.height = ClampDimension(height);
}

void ApplyVisibleColumns(XmLGridWidget g)
{
    XmLGridPart *p = &g->grid;
    if (p->horizontalSizePolicy != XmCONSTANT) {
        XmLWarning((Widget)g, "horizontalSizePolicy must be XmCONSTANT to set visibleColumns");
        return;
    }
    const XmLGridCellRefValues *d = p->defaultCellValues;
    long long width = (long long)(d->leftMargin + 4 + 8 * d->fontWidth + d->rightMargin) *
                          p->visibleColumns + 2 * g->manager.shadow_thickness;
    if (p->verticalSizePolicy == XmCONSTANT && p->vsbDisplayPolicy == XmSTATIC)
        width += p->scrollBarMargin + p->verticalScrollBar->core.width;
    g->core.width = ClampDimension(width);
}
