// FolderDraw.cpp - XmLFolder: expose drawing, body frame, tab colours, pixmaps and highlight.
#include "widgets/FolderP.h"
#include "widgets/XmLP.h"

#include <Xm/DrawnB.h>
#include <Xm/PrimitiveP.h>

using namespace FolderP;

static bool Vertical(XmLFolderWidget fw)
{
    unsigned char placement = fw->folder.tabPlacement;
    return placement == XmFOLDER_LEFT || placement == XmFOLDER_RIGHT;
}

// True for the placements whose bar is at the top or left: their near edge
// takes the top shadow and their far edge the bottom shadow.
static bool OuterLow(XmLFolderWidget fw)
{
    unsigned char placement = fw->folder.tabPlacement;
    return placement == XmFOLDER_TOP || placement == XmFOLDER_LEFT;
}

// ---- GC modes

static void SetShadeGC(XmLFolderWidget fw, Pixel foreground, Pixmap tile)
{
    Display *display = XtDisplay(fw);
    GC gc = fw->folder.gc;
    XSetForeground(display, gc, foreground);
    if (HasPixmap(tile)) {
        XSetTile(display, gc, tile);
        XSetFillStyle(display, gc, FillTiled);
    }
}

void FolderP::SetTabGC(XmLFolderWidget fw, int mode)
{
    switch (mode) {
    case GCBottomShadow:
        SetShadeGC(fw, fw->manager.bottom_shadow_color, fw->manager.bottom_shadow_pixmap);
        break;
    case GCTopShadow:
        SetShadeGC(fw, fw->manager.top_shadow_color, fw->manager.top_shadow_pixmap);
        break;
    case GCBlank:
        SetShadeGC(fw, fw->folder.blankBackground, fw->folder.blankBackgroundPixmap);
        break;
    default:
        XSetFillStyle(XtDisplay(fw), fw->folder.gc, FillSolid);
        break;
    }
}

static void FillRect(XmLFolderWidget fw, int x, int y, int width, int height)
{
    if (width > 0 && height > 0)
        XFillRectangle(XtDisplay(fw), XtWindow(fw), fw->folder.gc, x, y, (unsigned)width,
                       (unsigned)height);
}

static void FillBlank(XmLFolderWidget fw, int x, int y, int width, int height)
{
    if (width <= 0 || height <= 0)
        return;
    SetTabGC(fw, GCBlank);
    FillRect(fw, x, y, width, height);
    SetTabGC(fw, GCReset);
}

// ---- Tab geometry

void FolderP::GetTabRect(XmLFolderWidget fw, Widget tab, XRectangle *rect, Boolean extend)
{
    const XmLFolderConstraintPart *c = XmLFolderConstraints(tab);
    rect->x = c->x;
    rect->y = c->y;
    rect->width = c->width;
    rect->height = c->height;
    if (!extend)
        return;
    // Reaching into the body frame takes in the active tab's opening.
    unsigned short st = fw->manager.shadow_thickness;
    switch (fw->folder.tabPlacement) {
    case XmFOLDER_TOP:
        rect->height = (unsigned short)(rect->height + st);
        break;
    case XmFOLDER_BOTTOM:
        rect->y = (short)(rect->y - st);
        rect->height = (unsigned short)(rect->height + st);
        break;
    case XmFOLDER_LEFT:
        rect->width = (unsigned short)(rect->width + st);
        break;
    default:
        rect->x = (short)(rect->x - st);
        rect->width = (unsigned short)(rect->width + st);
        break;
    }
}

// ---- Body frame

// The body: the window less the bar. False when nothing of it is left.
static bool BodyRect(XmLFolderWidget fw, XRectangle *body)
{
    int width = fw->core.width, height = fw->core.height, x = 0, y = 0;
    int bar = Vertical(fw) ? fw->folder.tabWidth : fw->folder.tabHeight;
    switch (fw->folder.tabPlacement) {
    case XmFOLDER_TOP:
        y = bar;
        height -= bar;
        break;
    case XmFOLDER_BOTTOM:
        height -= bar;
        break;
    case XmFOLDER_LEFT:
        x = bar;
        width -= bar;
        break;
    default:
        width -= bar;
        break;
    }
    if (width <= 0 || height <= 0)
        return false;
    *body = XRectangle{(short)x, (short)y, (unsigned short)width, (unsigned short)height};
    return true;
}

// The near edge, open where the active tab joins the body.
static void DrawNearEdge(XmLFolderWidget fw, const Frame *frame, int mode)
{
    int length = FrameLength(frame);
    Widget active = fw->folder.activeTabWidget;
    if (!active || !XtIsManaged(active) || XmLFolderConstraints(active)->row < 0) {
        DrawShade(fw, frame, mode, Shade{0, 0, length - 1, 0, 1, 1, -1, 1});
        return;
    }
    const XmLFolderConstraintPart *a = XmLFolderConstraints(active);
    int start = Vertical(fw) ? a->y - frame->y : a->x - frame->x;
    int end = start + (Vertical(fw) ? a->height : a->width);
    if (start != 0)
        DrawShade(fw, frame, mode, Shade{0, 0, start, 0, 1, 1, 1, 1});
    if (end != length)
        DrawShade(fw, frame, mode, Shade{end - 1, 0, length - 1, 0, -1, 1, -1, 1});
}

static void DrawBodyFrame(XmLFolderWidget fw, const XRectangle *body)
{
    if (fw->manager.shadow_thickness == 0)
        return;
    Frame frame = MakeFrame(body, fw->folder.tabPlacement);
    int length = FrameLength(&frame), thickness = FrameThickness(&frame);
    DrawNearEdge(fw, &frame, OuterLow(fw) ? GCTopShadow : GCBottomShadow);
    DrawShade(fw, &frame, GCTopShadow, Shade{0, 0, 0, thickness - 1, 1, 1, 1, -1});
    DrawShade(fw, &frame, GCBottomShadow,
              Shade{length - 1, 0, length - 1, thickness - 1, -1, 1, -1, -1});
    DrawShade(fw, &frame, OuterLow(fw) ? GCBottomShadow : GCTopShadow,
              Shade{0, thickness - 1, length - 1, thickness - 1, 1, -1, -1, -1});
}

// ---- Tabs

static void SetTabColours(Widget tab, Pixel background, Pixel foreground)
{
    // Only a real change: each one makes the tab redraw itself.
    Pixel oldForeground = XmIsPrimitive(tab) ? ((XmPrimitiveWidget)tab)->primitive.foreground
                                             : foreground;
    if (tab->core.background_pixel == background && oldForeground == foreground)
        return;
    XtVaSetValues(tab, XmNbackground, background, XmNforeground, foreground, NULL);
}

// The rectangle whose damage redraws the tab: its area with the spacing after
// it, and the 2-pixel insets of a spread row.
static XRectangle DamageRect(XmLFolderWidget fw, const XRectangle *t)
{
    XRectangle e = *t;
    int sp = fw->folder.spacing, W = fw->core.width, H = fw->core.height;
    if (Vertical(fw))
        e.height = (unsigned short)(e.height + sp);
    else
        e.width = (unsigned short)(e.width + sp);
    if (fw->folder.tabsPerRow <= 0)
        return e;
    if (t->x == 2) {
        e.x = 0;
        e.width = (unsigned short)(e.width + 2);
    }
    if (t->y == 2) {
        e.y = 0;
        e.height = (unsigned short)(e.height + 2);
    }
    if (t->x + t->width == W - 2)
        e.width = (unsigned short)(e.width + 2);
    if (t->y + t->height == H - 2)
        e.height = (unsigned short)(e.height + 2);
    return e;
}

static void FillTabSurroundings(XmLFolderWidget fw, const XRectangle *t)
{
    int W = fw->core.width, H = fw->core.height, sp = fw->folder.spacing;
    if (fw->folder.tabsPerRow > 0) {
        if (t->x == 2)
            FillBlank(fw, 0, t->y, 2, t->height);
        if (t->y == 2)
            FillBlank(fw, t->x, 0, t->width, 2);
        if (t->x + t->width == W - 2)
            FillBlank(fw, W - 2, t->y, 2, t->height);
        if (t->y + t->height == H - 2)
            FillBlank(fw, t->x, H - 2, t->width, 2);
    }
    if (sp > 0 && Vertical(fw))
        FillBlank(fw, t->x, t->y + t->height, t->width, sp);
    else if (sp > 0)
        FillBlank(fw, t->x + t->width, t->y, sp, t->height);
}

static void DrawTabPixmapOfState(XmLFolderWidget fw, Widget tab, bool active)
{
    const XmLFolderConstraintPart *c = XmLFolderConstraints(tab);
    if (!c->maxPixmapWidth && !c->maxPixmapHeight)
        return;
    if (HasPixmap(active ? c->tabPixmap : c->tabInactivePixmap))
        DrawTabPixmap(fw, tab, active);
}

static void DrawTab(XmLFolderWidget fw, Widget tab, const XRectangle *t)
{
    bool active = tab == fw->folder.activeTabWidget;
    if (active) {
        SetTabColours(tab, fw->core.background_pixel, fw->manager.foreground);
    } else {
        XSetForeground(XtDisplay(fw), fw->folder.gc, fw->folder.inactiveBackground);
        FillRect(fw, t->x, t->y, t->width, t->height);
        SetTabColours(tab, fw->folder.inactiveBackground, fw->folder.inactiveForeground);
    }
    DrawTabOutline(fw, tab);
    if (tab == fw->folder.focusTab)
        DrawTabHighlight(fw, tab);
    DrawTabPixmapOfState(fw, tab, active);
    FillTabSurroundings(fw, t);
}

// With all tabs in one row, the bar beyond the last tab is blank.
static void FillRestOfRow(XmLFolderWidget fw, const XRectangle *t)
{
    int W = fw->core.width, H = fw->core.height, sp = fw->folder.spacing;
    unsigned char placement = fw->folder.tabPlacement;
    if (Vertical(fw)) {
        int y = t->y + t->height + sp, bar = fw->folder.tabWidth;
        if (y < H)
            FillBlank(fw, placement == XmFOLDER_LEFT ? 0 : W - bar, y, bar, H - y);
    } else {
        int x = t->x + t->width + sp, bar = fw->folder.tabHeight;
        if (x < W)
            FillBlank(fw, x, placement == XmFOLDER_TOP ? 0 : H - bar, W - x, bar);
    }
}

void FolderP::Redisplay(Widget w, XEvent *event, Region region)
{
    XmLFolderWidget fw = (XmLFolderWidget)w;
    if (!XtIsRealized(w) || !w->core.visible || !fw->folder.gc)
        return;
    XRectangle exposed = {0, 0, w->core.width, w->core.height};
    if (event) {
        const XExposeEvent *e = &event->xexpose;
        exposed = XRectangle{(short)e->x, (short)e->y, (unsigned short)e->width,
                             (unsigned short)e->height};
        Trace(fw, 2, "XmLFolder: Redisplay x %d y %d w %d h %d\n", e->x, e->y, e->width,
              e->height);
    }
    if (!exposed.width || !exposed.height)
        return;
    XRectangle body;
    if (BodyRect(fw, &body) && XmLRectIntersect(&exposed, &body) != XmLRectOutside)
        DrawBodyFrame(fw, &body);
    if (fw->folder.tabCount == 0)
        return;
    XRectangle t = {0, 0, 0, 0};
    for (int i = 0; i < fw->folder.tabCount; i++) {
        Widget tab = fw->folder.tabWidgetList[i];
        if (!XtIsManaged(tab))
            continue;
        GetTabRect(fw, tab, &t, False);
        XRectangle e = DamageRect(fw, &t);
        if (XmLRectIntersect(&e, &exposed) == XmLRectOutside)
            continue;
        if (event && region &&
            XRectInRegion(region, e.x, e.y, e.width, e.height) == RectangleOut)
            continue;
        Trace(fw, 2, "XmLFolder: Redisplay tab for widget %d\n", i);
        DrawTab(fw, tab, &t);
    }
    if (fw->folder.tabsPerRow <= 0)
        FillRestOfRow(fw, &t);
}

// ---- Highlight, pixmaps and labels

void FolderP::DrawTabHighlight(XmLFolderWidget fw, Widget tab)
{
    if (!XtIsRealized(tab) || !fw->core.visible || !fw->folder.gc)
        return;
    Pixel colour = tab == fw->folder.focusTab          ? fw->manager.highlight_color
                 : tab == fw->folder.activeTabWidget   ? fw->core.background_pixel
                                                       : fw->folder.inactiveBackground;
    XSetForeground(XtDisplay(fw), fw->folder.gc, colour);
    int ht = fw->folder.highlightThickness, bw = tab->core.border_width;
    FillRect(fw, tab->core.x - ht, tab->core.y - ht, tab->core.width + 2 * bw + 2 * ht,
             tab->core.height + 2 * bw + 2 * ht);
}

// Where a w by h pixmap goes: before the tab's child, or above it on a side bar.
static XPoint PixmapPlace(XmLFolderWidget fw, Widget tab, int w, int h)
{
    int ht = fw->folder.highlightThickness, pm = fw->folder.pixmapMargin;
    int cx = tab->core.x, cy = tab->core.y, cw = tab->core.width, ch = tab->core.height;
    switch (fw->folder.tabPlacement) {
    case XmFOLDER_TOP:
        return XPoint{(short)(cx - w - ht - pm), (short)(cy + ch - h)};
    case XmFOLDER_BOTTOM:
        return XPoint{(short)(cx - w - ht - pm), (short)cy};
    case XmFOLDER_LEFT:
        return XPoint{(short)(cx + cw - w), (short)(cy - h - pm - ht)};
    default:
        return XPoint{(short)cx, (short)(cy - h - pm - ht)};
    }
}

void FolderP::DrawTabPixmap(XmLFolderWidget fw, Widget tab, Boolean active)
{
    const XmLFolderConstraintPart *c = XmLFolderConstraints(tab);
    Pixmap pixmap = active ? c->tabPixmap : c->tabInactivePixmap;
    int w = active ? c->pixmapWidth : c->inactPixmapWidth;
    int h = active ? c->pixmapHeight : c->inactPixmapHeight;
    int depth = active ? c->pixmapDepth : c->inactPixmapDepth;
    if (w <= 0 || h <= 0)
        return;
    XPoint at = PixmapPlace(fw, tab, w, h);
    Display *display = XtDisplay(fw);
    GC gc = fw->folder.gc;
    if (depth == (int)fw->core.depth) {
        XCopyArea(display, pixmap, XtWindow(fw), gc, 0, 0, (unsigned)w, (unsigned)h, at.x, at.y);
    } else if (depth == 1) {
        // A bitmap of another depth would be refused by the server; it shows
        // in the tab's own colours instead.
        XSetForeground(display, gc, active ? fw->manager.foreground
                                           : fw->folder.inactiveForeground);
        XSetBackground(display, gc, active ? fw->core.background_pixel
                                           : fw->folder.inactiveBackground);
        XCopyPlane(display, pixmap, XtWindow(fw), gc, 0, 0, (unsigned)w, (unsigned)h, at.x,
                   at.y, 1);
    }
}

void FolderP::SetTabDrawnButton(XmLFolderWidget fw, Widget tab)
{
    if (!XmIsDrawnButton(tab))
        return;
    int direction = XmDRAWNB_RIGHT;
    if (fw->folder.rotateWhenLeftRight && fw->folder.tabPlacement == XmFOLDER_LEFT)
        direction = XmDRAWNB_UP;
    else if (fw->folder.rotateWhenLeftRight && fw->folder.tabPlacement == XmFOLDER_RIGHT)
        direction = XmDRAWNB_DOWN;
    XmLDrawnButtonSetType(tab, XmDRAWNB_STRING, direction);
    if (XtIsRealized(tab))
        XClearArea(XtDisplay(tab), XtWindow(tab), 0, 0, 0, 0, True);
}
