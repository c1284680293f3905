// FolderLayout.cpp - XmLFolder: rows of tabs, the folder's natural size, body children, geometry.
#include "widgets/FolderP.h"
#include "widgets/XmLP.h"

#include <Xm/XmP.h>

#include <climits>

using namespace FolderP;

// One row of tabs along the bar (a column of them when the bar is at a side).
typedef struct {
    int length;     // extent along the bar
    int thickness;  // extent across the bar
    int count;      // tabs in the row
    int offset;     // distance from the bar's outer edge
} Row;

// More rows than this and the layout gives up.
static const int sMaxRows = 63;

typedef struct {
    Row rows[sMaxRows];
    int count;
    int longest;    // the longest row's length, plus the inset room of spread rows
    int bar;        // the bar's thickness
} RowTable;

// The layout's measures, read once per layout. Along is the bar's direction.
typedef struct {
    bool vertical;  // the bar is at the left or right
    bool outerLow;  // the bar is at the top or left, so offsets count from 0
    int  st, ht, mw, mh, sp, pm, c;
    int  along;     // the folder's extent along the bar
    int  across;    // its extent across the bar
} Measures;

static Dimension ClampDimension(int value)
{
    return (Dimension)(value < 0 ? 0 : value > USHRT_MAX ? USHRT_MAX : value);
}

static Position ClampPosition(int value)
{
    return (Position)(value < SHRT_MIN ? SHRT_MIN : value > SHRT_MAX ? SHRT_MAX : value);
}

static int Max(int a, int b)
{
    return a > b ? a : b;
}

// The room kept on each side of a tab for its corners.
static int CornerAllowance(XmLFolderWidget fw)
{
    double cd = fw->folder.cornerDimension;
    switch (fw->folder.cornerStyle) {
    case XmCORNER_LINE:
        return (int)(0.5 * cd + 0.99);
    case XmCORNER_ARC:
        return (int)(0.3 * cd + 0.99);
    default:
        return 0;
    }
}

static void GetMeasures(XmLFolderWidget fw, Measures *m)
{
    unsigned char placement = fw->folder.tabPlacement;
    m->vertical = placement == XmFOLDER_LEFT || placement == XmFOLDER_RIGHT;
    m->outerLow = placement == XmFOLDER_TOP || placement == XmFOLDER_LEFT;
    m->st = fw->manager.shadow_thickness;
    m->ht = fw->folder.highlightThickness;
    m->mw = fw->folder.marginWidth;
    m->mh = fw->folder.marginHeight;
    m->sp = fw->folder.spacing;
    m->pm = fw->folder.pixmapMargin;
    m->c = CornerAllowance(fw);
    m->along = m->vertical ? fw->core.height : fw->core.width;
    m->across = m->vertical ? fw->core.width : fw->core.height;
}

static int Along(const Measures *m, int width, int height)
{
    return m->vertical ? height : width;
}

static int Across(const Measures *m, int width, int height)
{
    return m->vertical ? width : height;
}

static int BorderOf(Widget child)
{
    return XtIsWidget(child) ? child->core.border_width : 0;
}

// ---- Pass 1: rows

// Reads a pixmap's size and depth from the server; false when there is none.
static bool PixmapSize(Widget w, Pixmap pixmap, Dimension *width, Dimension *height, int *depth)
{
    if (!HasPixmap(pixmap))
        return false;
    Window root;
    int x, y;
    unsigned pw, ph, border, pd;
    XGetGeometry(XtDisplay(w), pixmap, &root, &x, &y, &pw, &ph, &border, &pd);
    *width = ClampDimension((int)pw);
    *height = ClampDimension((int)ph);
    *depth = (int)pd;
    return true;
}

static void MeasurePixmaps(XmLFolderWidget fw, Widget tab, const Measures *m, Row *row)
{
    XmLFolderConstraintPart *c = XmLFolderConstraints(tab);
    c->maxPixmapWidth = c->maxPixmapHeight = 0;
    c->pixmapWidth = c->pixmapHeight = c->inactPixmapWidth = c->inactPixmapHeight = 0;
    int room = m->c + m->st + 2 * m->mh + 2 * m->ht;
    if (PixmapSize((Widget)fw, c->tabPixmap, &c->pixmapWidth, &c->pixmapHeight,
                   &c->pixmapDepth)) {
        c->maxPixmapWidth = c->pixmapWidth;
        c->maxPixmapHeight = c->pixmapHeight;
        row->thickness = Max(row->thickness, room + Across(m, c->pixmapWidth, c->pixmapHeight));
    }
    if (PixmapSize((Widget)fw, c->tabInactivePixmap, &c->inactPixmapWidth,
                   &c->inactPixmapHeight, &c->inactPixmapDepth)) {
        if (c->inactPixmapWidth > c->maxPixmapWidth)
            c->maxPixmapWidth = c->inactPixmapWidth;
        if (c->inactPixmapHeight > c->maxPixmapHeight)
            c->maxPixmapHeight = c->inactPixmapHeight;
        row->thickness = Max(row->thickness,
                             room + Across(m, c->inactPixmapWidth, c->inactPixmapHeight));
    }
}

static void MeasureTab(XmLFolderWidget fw, Widget tab, const Measures *m, Row *row)
{
    int bw = tab->core.border_width;
    int across = Across(m, tab->core.width, tab->core.height);
    int along = Along(m, tab->core.width, tab->core.height);
    row->thickness = Max(row->thickness,
                         m->c + m->st + across + 2 * bw + 2 * m->mh + 2 * m->ht);
    MeasurePixmaps(fw, tab, m, row);
    XmLFolderConstraintPart *c = XmLFolderConstraints(tab);
    row->length += along + 2 * (m->c + m->st + m->mw + m->ht) + 2 * bw;
    int pixmapAlong = Along(m, c->maxPixmapWidth, c->maxPixmapHeight);
    if (pixmapAlong)
        row->length += pixmapAlong + m->pm;
    row->length += m->sp;
}

static void CloseRow(XmLFolderWidget fw, const Measures *m, RowTable *table, Row *row)
{
    if (row->length)
        row->length -= m->sp;       // no spacing after a row's last tab
    int index = table->count++;
    table->rows[index] = *row;
    if (m->vertical)
        Trace(fw, 1, "XmLFolder: Layout: row %d: x %d w %d h %d numTabs %d\n", index,
              row->offset, row->thickness, row->length, row->count);
    else
        Trace(fw, 1, "XmLFolder: Layout: row %d: y %d w %d h %d numTabs %d\n", index,
              row->offset, row->length, row->thickness, row->count);
    table->longest = Max(table->longest, row->length);
    int offset = row->offset + row->thickness;
    *row = Row{0, 0, 0, offset};
}

// False when the tabs need more rows than there may be.
static bool MeasureRows(XmLFolderWidget fw, const Measures *m, RowTable *table)
{
    const XmLFolderPart *f = &fw->folder;
    Row row = {0, 0, 0, 0};
    table->count = table->longest = 0;
    for (int i = 0; i < f->tabCount; i++) {
        Widget tab = f->tabWidgetList[i];
        XmLFolderConstraintPart *c = XmLFolderConstraints(tab);
        if (!XtIsManaged(tab)) {
            c->row = -1;    // an unmanaged tab is in no row, active or not
            continue;
        }
        c->firstInRow = row.count == 0;
        if (f->tabsPerRow > 0 && row.count == f->tabsPerRow) {
            c->firstInRow = True;
            CloseRow(fw, m, table, &row);
            if (table->count == sMaxRows) {
                XmLWarning((Widget)fw, "Layout ERROR - too many rows\n");
                return false;
            }
        }
        MeasureTab(fw, tab, m, &row);
        row.count++;
        c->row = table->count;
    }
    CloseRow(fw, m, table, &row);
    table->bar = table->rows[table->count - 1].offset + table->rows[table->count - 1].thickness;
    if (f->tabsPerRow > 0 && table->longest)
        table->longest += 4;        // the rows away from the body are inset by 2 at each end
    return true;
}

static void StoreBar(XmLFolderWidget fw, const Measures *m, const RowTable *table)
{
    Dimension bar = ClampDimension(table->bar);
    if (m->vertical)
        fw->folder.tabWidth = bar;
    else
        fw->folder.tabHeight = bar;
    fw->folder.tabBarHeight = bar;
    if (m->vertical)
        Trace(fw, 1, "XmLFolder: Layout: tab bar minimum w %d h %d\n", bar, table->longest);
    else
        Trace(fw, 1, "XmLFolder: Layout: tab bar minimum w %d h %d\n", table->longest, bar);
}

// ---- Pass 2: natural size

static void RequestNaturalSize(XmLFolderWidget fw, const Measures *m, const RowTable *table,
                               Boolean resizeAllowed)
{
    int minAlong = table->longest, minAcross = table->bar;
    CompositePart *children = &fw->composite;
    for (Cardinal i = 0; i < children->num_children; i++) {
        Widget child = children->children[i];
        if (!IsBody(child))
            continue;
        int border = 2 * BorderOf(child);
        int along = Along(m, child->core.width, child->core.height) + 2 * m->st + border;
        int across = Across(m, child->core.width, child->core.height) + table->bar +
                     2 * m->st + border;
        minAlong = Max(minAlong, along);
        minAcross = Max(minAcross, across);
    }
    Dimension width = ClampDimension(m->vertical ? minAcross : minAlong);
    Dimension height = ClampDimension(m->vertical ? minAlong : minAcross);
    Trace(fw, 1, "XmLFolder: Layout: with non-tabs minimum w %d h %d\n", width, height);
    if (!resizeAllowed || fw->folder.resizePolicy == XmRESIZE_NONE)
        return;
    if (!width)
        width = 1;
    if (!height)
        height = 1;
    Dimension offeredWidth, offeredHeight;
    if (XtMakeResizeRequest((Widget)fw, width, height, &offeredWidth, &offeredHeight) ==
        XtGeometryAlmost)
        XtMakeResizeRequest((Widget)fw, offeredWidth, offeredHeight, NULL, NULL);
}

// ---- Pass 3: the active row goes next to the body

static void MoveActiveRow(XmLFolderWidget fw, RowTable *table)
{
    XmLFolderPart *f = &fw->folder;
    f->activeRow = -1;
    if (!f->activeTabWidget)
        return;
    int active = XmLFolderConstraints(f->activeTabWidget)->row;
    if (active < 0 || active >= table->count)
        return;         // the active tab is not laid out; no row is moved
    f->activeRow = active;
    int thickness = table->rows[active].thickness;
    table->rows[active].offset = table->bar - thickness;
    for (int r = active + 1; r < table->count; r++)
        table->rows[r].offset -= thickness;
}

// ---- Pass 4: placing the tabs

// A tab's area from its extents along and across the bar.
static void SetArea(XmLFolderConstraintPart *c, const Measures *m, int along, int across,
                    int alongSize, int acrossSize)
{
    c->x = ClampPosition(m->vertical ? across : along);
    c->y = ClampPosition(m->vertical ? along : across);
    c->width = ClampDimension(m->vertical ? acrossSize : alongSize);
    c->height = ClampDimension(m->vertical ? alongSize : acrossSize);
}

// Spreading a row of a multi-row bar over the folder's length: the room before
// and after each tab's child.
static void Spread(XmLFolderWidget fw, const Measures *m, const Row *row, int r, bool first,
                   int *lead, int *trail)
{
    int free = m->along - row->length - (r != fw->folder.activeRow ? 4 : 0);
    *lead = *trail = 0;
    if (fw->folder.tabsPerRow <= 0 || free <= 0)
        return;
    *lead = free / (2 * row->count);
    *trail = *lead;
    if (first)
        *trail = *lead + (free - 2 * *lead * row->count);
}

static int PlaceTab(XmLFolderWidget fw, Widget tab, const Measures *m, const Row *row, int p)
{
    XmLFolderConstraintPart *c = XmLFolderConstraints(tab);
    int start = p, bw = tab->core.border_width;
    p += m->mw + m->st + m->c + m->ht;
    int pixmapAlong = Along(m, c->maxPixmapWidth, c->maxPixmapHeight);
    if (pixmapAlong)
        p += pixmapAlong + m->pm;
    int childAcross = Across(m, tab->core.width, tab->core.height);
    int across, childPos;
    if (m->outerLow) {
        across = row->offset;
        childPos = across + row->thickness - m->mh - m->ht - childAcross - 2 * bw;
    } else {
        across = m->across - row->offset - row->thickness;
        childPos = across + m->mh + m->ht;
    }
    int lead, trail;
    Spread(fw, m, row, c->row, c->firstInRow, &lead, &trail);
    p += lead;
    if (m->vertical)
        XtMoveWidget(tab, ClampPosition(childPos), ClampPosition(p));
    else
        XtMoveWidget(tab, ClampPosition(p), ClampPosition(childPos));
    p += Along(m, tab->core.width, tab->core.height) + trail + 2 * bw + m->ht + m->mw + m->c +
         m->st;
    SetArea(c, m, start, across, p - start, row->thickness);
    return p + m->sp;
}

static void PlaceTabs(XmLFolderWidget fw, const Measures *m, const RowTable *table)
{
    const XmLFolderPart *f = &fw->folder;
    int p = 0;
    for (int i = 0; i < f->tabCount; i++) {
        Widget tab = f->tabWidgetList[i];
        if (!XtIsManaged(tab))
            continue;
        const XmLFolderConstraintPart *c = XmLFolderConstraints(tab);
        if (c->firstInRow)
            p = f->tabsPerRow <= 0 || c->row == f->activeRow ? 0 : 2;
        p = PlaceTab(fw, tab, m, &table->rows[c->row], p);
    }
}

// ---- Pass 5: body children

// Shown or not, every body child takes the body's geometry, so the one a tab
// later shows appears in place. A hidden one is managed unmapped for this.
static void ConfigureBody(Widget child, int x, int y, int width, int height)
{
    bool widget = XtIsWidget(child);
    bool manageHere = widget && !XtIsManaged(child) && !child->core.being_destroyed;
    Boolean mapped = False;
    if (manageHere) {
        mapped = child->core.mapped_when_managed;
        XtSetMappedWhenManaged(child, False);
        XtManageChild(child);
    }
    XtConfigureWidget(child, ClampPosition(x), ClampPosition(y), ClampDimension(width),
                      ClampDimension(height), (Dimension)BorderOf(child));
    if (manageHere) {
        XtUnmanageChild(child);
        XtSetMappedWhenManaged(child, mapped);
    }
}

static void FitBody(XmLFolderWidget fw, const Measures *m)
{
    if (fw->folder.resizePolicy == XmRESIZE_NONE)
        return;
    int st = m->st, bar = m->vertical ? fw->folder.tabWidth : fw->folder.tabHeight;
    int width = fw->core.width - 2 * st - (m->vertical ? bar : 0);
    int height = fw->core.height - 2 * st - (m->vertical ? 0 : bar);
    if (width <= 0 || height <= 0)
        return;
    int x = st + (fw->folder.tabPlacement == XmFOLDER_LEFT ? bar : 0);
    int y = st + (fw->folder.tabPlacement == XmFOLDER_TOP ? bar : 0);
    CompositePart *children = &fw->composite;
    for (Cardinal i = 0; i < children->num_children; i++) {
        if (IsBody(children->children[i]))
            ConfigureBody(children->children[i], x, y, width, height);
    }
}

// ---- Layout and geometry management

static void LayoutBar(XmLFolderWidget fw, Boolean resizeAllowed)
{
    Measures m;
    GetMeasures(fw, &m);
    RowTable table;
    if (!MeasureRows(fw, &m, &table))
        return;
    StoreBar(fw, &m, &table);
    RequestNaturalSize(fw, &m, &table, resizeAllowed);
    GetMeasures(fw, &m);        // the parent may have changed the folder's size
    MoveActiveRow(fw, &table);
    PlaceTabs(fw, &m, &table);
    FitBody(fw, &m);
}

void FolderP::Layout(XmLFolderWidget fw, Boolean resizeAllowed)
{
    if (!fw->folder.allowLayout)
        return;
    // What the layout itself manages, moves and resizes starts no layout of its own.
    fw->folder.allowLayout = False;
    LayoutBar(fw, resizeAllowed);
    if (XtIsRealized((Widget)fw) && fw->core.visible)
        XClearArea(XtDisplay(fw), XtWindow(fw), 0, 0, 0, 0, True);
    fw->folder.allowLayout = True;
}

void FolderP::FolderResize(Widget w)
{
    Layout((XmLFolderWidget)w, False);
}

void FolderP::FolderChangeManaged(Widget w)
{
    Layout((XmLFolderWidget)w, True);
    XmeNavigChangeManaged(w);
}

XtGeometryResult FolderP::FolderGeometryManager(Widget child, XtWidgetGeometry *request,
                                                XtWidgetGeometry *)
{
    XmLFolderWidget fw = (XmLFolderWidget)XtParent(child);
    if (fw->folder.resizePolicy == XmRESIZE_STATIC && !IsTab(child))
        return XtGeometryNo;        // a page takes the body's size, not its own
    XtGeometryMask mode = request->request_mode;
    if (mode & XtCWQueryOnly)
        return XtGeometryYes;
    if (mode & CWWidth)
        child->core.width = request->width;
    if (mode & CWHeight)
        child->core.height = request->height;
    if (mode & CWX)
        child->core.x = request->x;
    if (mode & CWY)
        child->core.y = request->y;
    if (mode & CWBorderWidth)
        child->core.border_width = request->border_width;
    Layout(fw, True);
    return XtGeometryYes;
}
