// FolderOutline.cpp - XmLFolder: tab outlines in each corner style and placement, and the arc test.
#include "widgets/FolderP.h"
#include "widgets/XmLP.h"

#include <X11/Xutil.h>

#include <cstdio>

using namespace FolderP;

// A full circle, in 1/64 degrees.
static const int sFullCircle = 360 * 64;

// ---- Frames: one drawing for the four placements

Frame FolderP::MakeFrame(const XRectangle *area, unsigned char placement)
{
    return Frame{area->x, area->y, area->width, area->height, placement};
}

static bool Turned(const Frame *f)
{
    return f->placement == XmFOLDER_LEFT || f->placement == XmFOLDER_RIGHT;
}

int FolderP::FrameLength(const Frame *f)
{
    return Turned(f) ? f->height : f->width;
}

int FolderP::FrameThickness(const Frame *f)
{
    return Turned(f) ? f->width : f->height;
}

XPoint FolderP::FramePoint(const Frame *f, int u, int v)
{
    switch (f->placement) {
    case XmFOLDER_BOTTOM:
        return XPoint{(short)(f->x + u), (short)(f->y + f->height - 1 - v)};
    case XmFOLDER_LEFT:
        return XPoint{(short)(f->x + v), (short)(f->y + u)};
    case XmFOLDER_RIGHT:
        return XPoint{(short)(f->x + f->width - 1 - v), (short)(f->y + u)};
    default:
        return XPoint{(short)(f->x + u), (short)(f->y + v)};
    }
}

XSegment FolderP::FrameSegment(const Frame *f, int u1, int v1, int u2, int v2)
{
    XPoint a = FramePoint(f, u1, v1), b = FramePoint(f, u2, v2);
    return XSegment{a.x, a.y, b.x, b.y};
}

XRectangle FolderP::FrameRect(const Frame *f, int u, int v, int length, int thickness)
{
    int x, y, width = Turned(f) ? thickness : length, height = Turned(f) ? length : thickness;
    switch (f->placement) {
    case XmFOLDER_BOTTOM:
        x = f->x + u, y = f->y + f->height - v - thickness;
        break;
    case XmFOLDER_LEFT:
        x = f->x + v, y = f->y + u;
        break;
    case XmFOLDER_RIGHT:
        x = f->x + f->width - v - thickness, y = f->y + u;
        break;
    default:
        x = f->x + u, y = f->y + v;
        break;
    }
    return XRectangle{(short)x, (short)y, (unsigned short)(width > 0 ? width : 0),
                      (unsigned short)(height > 0 ? height : 0)};
}

void FolderP::DrawShade(XmLFolderWidget fw, const Frame *f, int mode, const Shade &s)
{
    int st = fw->manager.shadow_thickness;
    if (st <= 0)
        return;
    XSegment *segments = (XSegment *)XmLCalloc((size_t)st, sizeof(XSegment));
    for (int i = 0; i < st; i++)
        segments[i] = FrameSegment(f, s.u1 + i * s.du1, s.v1 + i * s.dv1, s.u2 + i * s.du2,
                                   s.v2 + i * s.dv2);
    SetTabGC(fw, mode);
    XDrawSegments(XtDisplay(fw), XtWindow(fw), fw->folder.gc, segments, st);
    SetTabGC(fw, GCReset);
    free(segments);
}

// ---- Drawing in a tab's frame

typedef struct {
    XmLFolderWidget fw;
    Frame           frame;
    int             st;
    int             s;          // the side of a corner box
    int             length, thickness;
    int             ext;        // 1 for the active tab, whose sides run on into the body
    int             outerMode;  // shadow of the far edge
    Pixel           background; // the tab's own background
} TabPen;

static Display *Dpy(const TabPen *p)
{
    return XtDisplay(p->fw);
}

static Window Win(const TabPen *p)
{
    return XtWindow(p->fw);
}

static GC Gc(const TabPen *p)
{
    return p->fw->folder.gc;
}

static void DrawSide(const TabPen *p, int mode, const Shade &s)
{
    DrawShade(p->fw, &p->frame, mode, s);
}

static void FillBlankBox(const TabPen *p, int u)
{
    XRectangle box = FrameRect(&p->frame, u, 0, p->s, p->s);
    SetTabGC(p->fw, GCBlank);
    XFillRectangle(Dpy(p), Win(p), Gc(p), box.x, box.y, box.width, box.height);
    SetTabGC(p->fw, GCReset);
}

static void ClipTo(const TabPen *p, int u, int v, int length, int thickness)
{
    XRectangle clip = FrameRect(&p->frame, u, v, length, thickness);
    XSetClipRectangles(Dpy(p), Gc(p), 0, 0, &clip, 1, Unsorted);
}

static void Circle(const TabPen *p, const XRectangle *r)
{
    if (!r->width || !r->height)
        return;
    XFillArc(Dpy(p), Win(p), Gc(p), r->x, r->y, r->width, r->height, 0, sFullCircle);
    XDrawArc(Dpy(p), Win(p), Gc(p), r->x, r->y, r->width, r->height, 0, sFullCircle);
}

// A quarter ring st thick in the corner box at u: the quarter of a shadow
// circle that the box leaves, with the tab's background inside it.
static void ArcCorner(const TabPen *p, int u, int circleU, int innerU, int mode)
{
    int st = p->st, s = p->s;
    int d = 2 * s - (p->fw->folder.serverDrawsArcsLarge ? 1 : 0);
    FillBlankBox(p, u);
    ClipTo(p, u, 0, s, s);
    XRectangle outer = FrameRect(&p->frame, circleU, 0, d, d);
    SetTabGC(p->fw, mode);
    Circle(p, &outer);
    SetTabGC(p->fw, GCReset);
    ClipTo(p, innerU, st, s - st, s - st);
    XSetForeground(Dpy(p), Gc(p), p->background);
    XRectangle inner = FrameRect(&p->frame, circleU + st, st, d - 2 * st, d - 2 * st);
    Circle(p, &inner);
    XSetClipMask(Dpy(p), Gc(p), None);
}

static void Triangle(const TabPen *p, const int uv[6])
{
    XPoint points[4];
    for (int k = 0; k < 3; k++)
        points[k] = FramePoint(&p->frame, uv[2 * k], uv[2 * k + 1]);
    points[3] = points[0];
    XFillPolygon(Dpy(p), Win(p), Gc(p), points, 3, Convex, CoordModeOrigin);
    XDrawLines(Dpy(p), Win(p), Gc(p), points, 4, CoordModeOrigin);
}

// A diagonal band st wide cut across the corner box at u. The triangle's
// first point moves by du, its second by st toward the body.
static void LineCorner(const TabPen *p, int u, const int uv[6], int du, int mode)
{
    FillBlankBox(p, u);
    SetTabGC(p->fw, mode);
    Triangle(p, uv);
    SetTabGC(p->fw, GCReset);
    int inner[6] = {uv[0] + du, uv[1], uv[2], uv[3] + p->st, uv[4], uv[5]};
    XSetForeground(Dpy(p), Gc(p), p->background);
    Triangle(p, inner);
}

// ---- The three corner styles

static void DrawSides(const TabPen *p, int from)
{
    int len = p->length, thick = p->thickness;
    int step = from ? 0 : 1;
    DrawSide(p, GCTopShadow, Shade{0, from, 0, thick - 1, 1, step, 1, p->ext});
    DrawSide(p, GCBottomShadow, Shade{len - 1, from, len - 1, thick - 1, -1, step, -1, p->ext});
}

static void DrawNone(const TabPen *p)
{
    DrawSides(p, 0);
    DrawSide(p, p->outerMode, Shade{1, 0, p->length - 1, 0, 1, 1, -1, 1});
}

static void DrawCornerSides(const TabPen *p)
{
    int s = p->s;
    DrawSides(p, s);
    DrawSide(p, p->outerMode, Shade{s, 0, p->length - s - 1, 0, 0, 1, 0, 1});
}

static void DrawArc(const TabPen *p)
{
    int s = p->s, len = p->length, st = p->st;
    DrawCornerSides(p);
    ArcCorner(p, 0, 0, st, GCTopShadow);
    ArcCorner(p, len - s, len - 2 * s, len - s, GCBottomShadow);
}

static void DrawLine(const TabPen *p)
{
    int s = p->s, len = p->length, st = p->st;
    DrawCornerSides(p);
    const int first[6] = {0, s - 1, s - 1, 0, s - 1, s - 1};
    LineCorner(p, 0, first, st, GCTopShadow);
    const int second[6] = {len - 1, s - 1, len - s, 0, len - s, s - 1};
    int mode = p->frame.placement == XmFOLDER_TOP ? GCTopShadow : GCBottomShadow;
    LineCorner(p, len - s, second, -st, mode);
}

void FolderP::DrawTabOutline(XmLFolderWidget fw, Widget tab)
{
    TabPen p;
    p.fw = fw;
    p.st = fw->manager.shadow_thickness;
    if (p.st == 0)
        return;
    XRectangle area;
    GetTabRect(fw, tab, &area, False);
    p.frame = MakeFrame(&area, fw->folder.tabPlacement);
    p.s = fw->folder.cornerDimension + p.st;
    p.length = FrameLength(&p.frame);
    p.thickness = FrameThickness(&p.frame);
    bool active = tab == fw->folder.activeTabWidget;
    p.ext = active ? 1 : 0;
    unsigned char placement = fw->folder.tabPlacement;
    p.outerMode = placement == XmFOLDER_TOP || placement == XmFOLDER_LEFT ? GCTopShadow
                                                                         : GCBottomShadow;
    p.background = active ? fw->core.background_pixel : fw->folder.inactiveBackground;
    switch (fw->folder.cornerStyle) {
    case XmCORNER_LINE:
        DrawLine(&p);
        break;
    case XmCORNER_ARC:
        DrawArc(&p);
        break;
    default:
        DrawNone(&p);
        break;
    }
}

// ---- The arc test

static void PrintArcTest(XImage *image, int size)
{
    fprintf(stderr, "Test X server drawn arc (%d by %d):\n", size, size);
    for (int y = 0; y < size; y++) {
        fprintf(stderr, " ");
        for (int x = 0; x < size; x++)
            fprintf(stderr, "%s", XGetPixel(image, x, y) ? "X" : ".");
        fprintf(stderr, "\n");
    }
}

Boolean FolderP::TestArcDrawing(Display *display, int debug)
{
    const int size = 5;
    Window root = RootWindow(display, DefaultScreen(display));
    Pixmap pixmap = XCreatePixmap(display, root, size, size, 1);
    GC gc = XCreateGC(display, pixmap, 0, NULL);
    XSetForeground(display, gc, 0);
    XFillRectangle(display, pixmap, gc, 0, 0, size, size);
    XSetForeground(display, gc, 1);
    XDrawArc(display, pixmap, gc, 0, 0, size, size, 0, sFullCircle);
    XImage *image = XGetImage(display, pixmap, 0, 0, size, size, AllPlanes, ZPixmap);
    bool within = XGetPixel(image, size - 1, size / 2) == 1;
    if (debug) {
        PrintArcTest(image, size);
        fprintf(stderr, within ? "X Server Draws Arcs Within Bounds\n"
                               : "X Server Draws Arcs 1 Pixel Large\n");
    }
    XDestroyImage(image);
    XFreeGC(display, gc);
    XFreePixmap(display, pixmap);
    return !within;
}
