// XmLDrawnB.cpp - turned strings, and drawn buttons that show a shape or a turned label.
#include "widgets/XmL.h"
#include "widgets/XmLP.h"

#include <Xm/DrawnB.h>
#include <Xm/Manager.h>
#include <Xm/PrimitiveP.h>

#include <cassert>
#include <climits>
#include <cstdio>
#include <cstdlib>

// What a configured drawn button draws; freed by the button's destroy callback.
typedef struct {
    GC           gc;         // shapes: shared, with the foreground; string: private, made on first draw
    int          type;
    int          direction;
    XFontStruct *font;       // string only: the font of the private GC
} DrawnBRecord;

// ---- Turned strings

// The text as an image, one pixel set where the text is. It is drawn in the
// window's own depth so that any kind of font, core or Xft, can draw it.
static XImage *RenderText(Display *display, Window window, XmFontList fontList,
                          XmString string, int width, int height, unsigned char layout)
{
    Window root;
    int gx, gy;
    unsigned gw, gh, border, depth;
    XGetGeometry(display, window, &root, &gx, &gy, &gw, &gh, &border, &depth);
    XFontStruct *font = XLoadQueryFont(display, xmlFixedFontName);
    if (!font) {
        fprintf(stderr, "XmLStringDrawDirection: error - ");
        fprintf(stderr, "can't load fixed font\n");
        return NULL;
    }
    int screen = DefaultScreen(display);
    Pixmap pixmap = XCreatePixmap(display, window, (unsigned)width, (unsigned)height, depth);
    XGCValues values;
    values.font = font->fid;
    values.foreground = BlackPixel(display, screen);
    GC gc = XCreateGC(display, pixmap, GCFont | GCForeground, &values);
    XFillRectangle(display, pixmap, gc, 0, 0, (unsigned)width, (unsigned)height);
    XSetForeground(display, gc, WhitePixel(display, screen));
    XmStringDraw(display, pixmap, fontList, string, gc, 0, 0, (Dimension)width,
                 XmALIGNMENT_BEGINNING, layout, NULL);
    XFreeFont(display, font);
    XImage *image = XGetImage(display, pixmap, 0, 0, (unsigned)width, (unsigned)height,
                              AllPlanes, ZPixmap);
    XFreeGC(display, gc);
    XFreePixmap(display, pixmap);
    return image;
}

static XImage *NewBitmapImage(Display *display, int width, int height)
{
    int bytesPerLine = (width + 7) / 8;
    char *data = (char *)calloc((size_t)bytesPerLine * height, 1);
    return XCreateImage(display, DefaultVisual(display, DefaultScreen(display)), 1, XYBitmap,
                        0, data, (unsigned)width, (unsigned)height, 8, bytesPerLine);
}

static XImage *TurnImage(Display *display, XImage *text, unsigned long background,
                         unsigned char direction)
{
    int sw = text->width, sh = text->height;
    bool upright = direction == XmDRAWNB_UP || direction == XmDRAWNB_DOWN;
    XImage *turned = NewBitmapImage(display, upright ? sh : sw, upright ? sw : sh);
    for (int py = 0; py < sh; py++) {
        for (int px = 0; px < sw; px++) {
            int sx = direction == XmDRAWNB_RIGHT ? px : sw - 1 - px;
            if (XGetPixel(text, sx, py) == background)
                continue;
            if (direction == XmDRAWNB_RIGHT)
                XPutPixel(turned, px, py, 1);
            else if (direction == XmDRAWNB_LEFT)
                XPutPixel(turned, px, sh - 1 - py, 1);
            else if (direction == XmDRAWNB_UP)
                XPutPixel(turned, py, px, 1);
            else
                XPutPixel(turned, sh - 1 - py, sw - 1 - px, 1);
        }
    }
    return turned;
}

// Fills the turned text's pixels, and only those, with the caller's foreground.
static void StippleFill(Display *display, Window window, GC gc, XImage *image, int x, int y)
{
    int width = image->width, height = image->height;
    Pixmap stipple = XCreatePixmap(display, window, (unsigned)width, (unsigned)height, 1);
    GC bitGC = XCreateGC(display, stipple, 0, NULL);
    XSetForeground(display, bitGC, 1);
    XSetBackground(display, bitGC, 0);
    XPutImage(display, stipple, bitGC, image, 0, 0, 0, 0, (unsigned)width, (unsigned)height);
    XFreeGC(display, bitGC);
    XSetStipple(display, gc, stipple);
    XSetFillStyle(display, gc, FillStippled);
    XSetTSOrigin(display, gc, x % width, y % height);
    XFillRectangle(display, window, gc, x, y, (unsigned)width, (unsigned)height);
    XSetFillStyle(display, gc, FillSolid);
    XFreePixmap(display, stipple);
}

void XmLStringDrawDirection(Display *display, Window window, XmFontList fontList,
                            XmString string, GC gc, int x, int y, int length,
                            unsigned char alignment, unsigned char layoutDirection,
                            unsigned char drawingDirection)
{
    if (!fontList || !string)
        return;
    Dimension sw, sh;
    XmStringExtent(fontList, string, &sw, &sh);
    if (!sw || !sh)
        return;
    XImage *text = RenderText(display, window, fontList, string, sw, sh, layoutDirection);
    if (!text)
        return;
    XImage *turned = TurnImage(display, text, BlackPixel(display, DefaultScreen(display)),
                               drawingDirection);
    XDestroyImage(text);
    int shift = alignment == XmALIGNMENT_CENTER ? length / 2 - sw / 2
              : alignment == XmALIGNMENT_END    ? length - sw
                                                : 0;
    if (drawingDirection == XmDRAWNB_UP || drawingDirection == XmDRAWNB_DOWN)
        y += shift;
    else
        x += shift;
    StippleFill(display, window, gc, turned, x, y);
    XDestroyImage(turned);
}

// ---- Shapes

static void SetPoints(XPoint *points, int n, const int *xy)
{
    for (int i = 0; i < n; i++) {
        points[i].x = (short)xy[2 * i];
        points[i].y = (short)xy[2 * i + 1];
    }
}

// The shapes pointing right; the caller turns them.
static int RightShape(int type, int s, XPoint points[2][4], int counts[2])
{
    int a;
    switch (type) {
    case XmDRAWNB_ARROW: {
        a = s / 6;
        int tri[6] = {a, a, a, s - a, s - a, s / 2};
        SetPoints(points[0], counts[0] = 3, tri);
        return 1;
    }
    case XmDRAWNB_ARROWLINE: {
        a = s / 5;
        int tri[6] = {a, a, a, s - a, s - a, s / 2};
        int bar[8] = {s - a + 1, a, s - a + 1, s - a, s - s / 10, s - a, s - s / 10, a};
        SetPoints(points[0], counts[0] = 3, tri);
        SetPoints(points[1], counts[1] = 4, bar);
        return 2;
    }
    case XmDRAWNB_DOUBLEARROW: {
        a = s / 10;
        int first[6] = {a, a, a, s - a, s / 2, s / 2};
        int second[6] = {s - s / 2, a, s - s / 2, s - a, s - a, s / 2};
        SetPoints(points[0], counts[0] = 3, first);
        SetPoints(points[1], counts[1] = 3, second);
        return 2;
    }
    case XmDRAWNB_SQUARE: {
        a = s / 3;
        int square[8] = {a, a, a, s - a, s - a, s - a, s - a, a};
        SetPoints(points[0], counts[0] = 4, square);
        return 1;
    }
    default: {
        int t = s / 3, q = s / 4, m = s / 2 - s / 10, n = s - s / 2 + s / 10;
        int first[8] = {t, q, t, s - q, m, s - q, m, q};
        int second[8] = {s - t, q, s - t, s - q, n, s - q, n, q};
        SetPoints(points[0], counts[0] = 4, first);
        SetPoints(points[1], counts[1] = 4, second);
        return 2;
    }
    }
}

int XmLDrawnButtonShape(int type, int direction, int s, XPoint points[2][4], int counts[2])
{
    assert(type >= XmDRAWNB_ARROW && type <= XmDRAWNB_DOUBLEBAR);
    if (type == XmDRAWNB_DOUBLEARROW)
        s -= s % 2;     // both triangles meet in the middle
    counts[1] = 0;
    int polygons = RightShape(type, s, points, counts);
    for (int k = 0; k < polygons; k++) {
        for (int i = 0; i < counts[k]; i++) {
            short px = points[k][i].x, py = points[k][i].y;
            if (direction == XmDRAWNB_LEFT)
                points[k][i].x = (short)(s - px);
            else if (direction == XmDRAWNB_UP)
                points[k][i] = XPoint{py, (short)(s - px)};
            else if (direction == XmDRAWNB_DOWN)
                points[k][i] = XPoint{py, px};
        }
    }
    return polygons;
}

// Edges reaching right of and below the centre take the top shadow, so the
// shape looks cut into the button face.
static void DrawEdges(Widget w, XPoint *points, int count)
{
    XmPrimitiveWidget pw = (XmPrimitiveWidget)w;
    int cx = 0, cy = 0;
    for (int i = 0; i < count; i++) {
        cx += points[i].x;
        cy += points[i].y;
    }
    cx /= count;
    cy /= count;
    for (int i = 0; i < count; i++) {
        XPoint a = points[i], b = points[(i + 1) % count];
        bool lit = (a.x > cx || b.x > cx) && (a.y > cy || b.y > cy);
        GC gc = lit ? pw->primitive.top_shadow_GC : pw->primitive.bottom_shadow_GC;
        XDrawLine(XtDisplay(w), XtWindow(w), gc, a.x, a.y, b.x, b.y);
    }
}

static void DrawnBDrawArrow(Widget w, XtPointer clientData, XtPointer)
{
    DrawnBRecord *record = (DrawnBRecord *)clientData;
    if (!XtWindow(w))
        return;
    XmPrimitiveWidget pw = (XmPrimitiveWidget)w;
    int width = w->core.width, height = w->core.height;
    int s = (width < height ? width : height) -
            2 * (pw->primitive.shadow_thickness + pw->primitive.highlight_thickness);
    if (s < 4)
        return;
    XPoint points[2][4];
    int counts[2];
    int polygons = XmLDrawnButtonShape(record->type, record->direction, s, points, counts);
    int dx = (width - s) / 2, dy = (height - s) / 2;
    for (int k = 0; k < polygons; k++) {
        for (int i = 0; i < counts[k]; i++) {
            points[k][i].x = (short)(points[k][i].x + dx);
            points[k][i].y = (short)(points[k][i].y + dy);
        }
        XFillPolygon(XtDisplay(w), XtWindow(w), record->gc, points[k], counts[k], Nonconvex,
                     CoordModeOrigin);
        DrawEdges(w, points[k], counts[k]);
    }
}

// ---- Turned labels

typedef struct {
    Dimension highlight, shadow, marginWidth, marginHeight;
    Dimension marginLeft, marginRight, marginTop, marginBottom;
    Dimension width, height;
    XmFontList fontList;
} LabelFrame;

static void GetLabelFrame(Widget w, LabelFrame *f)
{
    XtVaGetValues(w, XmNhighlightThickness, &f->highlight, XmNshadowThickness, &f->shadow,
                  XmNmarginWidth, &f->marginWidth, XmNmarginHeight, &f->marginHeight,
                  XmNmarginLeft, &f->marginLeft, XmNmarginRight, &f->marginRight,
                  XmNmarginTop, &f->marginTop, XmNmarginBottom, &f->marginBottom,
                  XmNwidth, &f->width, XmNheight, &f->height, XmNfontList, &f->fontList, NULL);
}

static int FrameWidth(const LabelFrame *f)
{
    return 2 * (f->highlight + f->shadow + f->marginWidth) + f->marginLeft + f->marginRight;
}

static int FrameHeight(const LabelFrame *f)
{
    return 2 * (f->highlight + f->shadow + f->marginHeight) + f->marginTop + f->marginBottom;
}

// A copy of the label for the caller to free.
static XmString DrawnBLabel(Widget w)
{
    XmString label = NULL;
    XtVaGetValues(w, XmNlabelString, &label, NULL);
    if (label)
        return label;
    return XmStringCreateSimple((char *)(XtName(w) ? XtName(w) : ""));
}

static Dimension ClampDimension(int value)
{
    return (Dimension)(value < 1 ? 1 : value > USHRT_MAX ? USHRT_MAX : value);
}

static void SizeToTurnedLabel(Widget w, int direction)
{
    LabelFrame frame;
    GetLabelFrame(w, &frame);
    XmString label = DrawnBLabel(w);
    Dimension sw = 0, sh = 0;
    if (frame.fontList)
        XmStringExtent(frame.fontList, label, &sw, &sh);
    XmStringFree(label);
    bool upright = direction == XmDRAWNB_UP || direction == XmDRAWNB_DOWN;
    int width = (upright ? sh : sw) + FrameWidth(&frame);
    int height = (upright ? sw : sh) + FrameHeight(&frame);
    // Two calls: a label that changes its type recomputes its size, and
    // takes a width equal to the current one as no request at all.
    XtVaSetValues(w, XmNlabelType, XmPIXMAP, NULL);
    XtVaSetValues(w, XmNwidth, ClampDimension(width), XmNheight, ClampDimension(height), NULL);
}

static bool MakeStringGC(Widget w, DrawnBRecord *record)
{
    XFontStruct *font = XLoadQueryFont(XtDisplay(w), xmlFixedFontName);
    if (!font) {
        XmLWarning(w, "DrawnBDrawString() - FATAL can't load fixed font");
        return false;
    }
    XGCValues values;
    values.font = font->fid;
    record->gc = XCreateGC(XtDisplay(w), XtWindow(w), GCFont, &values);
    record->font = font;
    return true;
}

static void DrawnBDrawString(Widget w, XtPointer clientData, XtPointer)
{
    DrawnBRecord *record = (DrawnBRecord *)clientData;
    if (!XtWindow(w) || (!record->gc && !MakeStringGC(w, record)))
        return;
    LabelFrame frame;
    GetLabelFrame(w, &frame);
    Pixel foreground;
    unsigned char alignment;
    XtVaGetValues(w, XmNforeground, &foreground, XmNalignment, &alignment, NULL);
    unsigned char layout = XmSTRING_DIRECTION_L_TO_R;
    if (XmIsManager(XtParent(w)))
        XtVaGetValues(XtParent(w), XmNstringDirection, &layout, NULL);
    bool upright = record->direction == XmDRAWNB_UP || record->direction == XmDRAWNB_DOWN;
    int x = frame.highlight + frame.shadow + frame.marginLeft + frame.marginWidth;
    int y = frame.highlight + frame.shadow + frame.marginTop + frame.marginHeight;
    int length = upright ? frame.height - FrameHeight(&frame) : frame.width - FrameWidth(&frame);
    XSetForeground(XtDisplay(w), record->gc, foreground);
    XmString label = DrawnBLabel(w);
    XmLStringDrawDirection(XtDisplay(w), XtWindow(w), frame.fontList, label, record->gc, x, y,
                           length, alignment, layout, (unsigned char)record->direction);
    XmStringFree(label);
}

static void DrawnBDestroy(Widget w, XtPointer clientData, XtPointer)
{
    DrawnBRecord *record = (DrawnBRecord *)clientData;
    if (record->type != XmDRAWNB_STRING) {
        XtReleaseGC(w, record->gc);
    } else {
        if (record->gc)
            XFreeGC(XtDisplay(w), record->gc);
        if (record->font)
            XFreeFont(XtDisplay(w), record->font);
    }
    free(record);
}

// A button keeps one record. A folder sets its turned labels anew at every label
// change, and each record may hold a context and a font.
static void ForgetRecord(Widget w)
{
    XtCallbackList list = NULL;
    XtVaGetValues(w, XmNdestroyCallback, &list, NULL);
    XtPointer record = NULL;
    for (; list && list->callback; list++) {
        if (list->callback == DrawnBDestroy) {
            record = list->closure;
            break;
        }
    }
    if (!record)
        return;
    XtRemoveCallback(w, XmNdestroyCallback, DrawnBDestroy, record);
    DrawnBDestroy(w, record, NULL);
}

void XmLDrawnButtonSetType(Widget w, int type, int direction)
{
    if (!XmIsDrawnButton(w)) {
        XmLWarning(w, "DrawnButtonSetType() - not an XmDrawnButton");
        return;
    }
    assert(type >= XmDRAWNB_ARROW && type <= XmDRAWNB_STRING);
    assert(direction >= XmDRAWNB_RIGHT && direction <= XmDRAWNB_DOWN);
    XtVaSetValues(w, XmNpushButtonEnabled, True, NULL);
    XtRemoveAllCallbacks(w, XmNexposeCallback);
    XtRemoveAllCallbacks(w, XmNresizeCallback);
    ForgetRecord(w);
    if (type == XmDRAWNB_STRING && direction == XmDRAWNB_RIGHT) {
        XtVaSetValues(w, XmNlabelType, XmSTRING, NULL);
        return;
    }
    DrawnBRecord *record = (DrawnBRecord *)XmLCalloc(1, sizeof(DrawnBRecord));
    record->type = type;
    record->direction = direction;
    XtCallbackProc draw = DrawnBDrawString;
    if (type == XmDRAWNB_STRING) {
        SizeToTurnedLabel(w, direction);
    } else {
        XGCValues values;
        XtVaGetValues(w, XmNforeground, &values.foreground, NULL);
        record->gc = XtGetGC(w, GCForeground, &values);
        draw = DrawnBDrawArrow;
    }
    XtAddCallback(w, XmNexposeCallback, draw, (XtPointer)record);
    XtAddCallback(w, XmNresizeCallback, draw, (XtPointer)record);
    XtAddCallback(w, XmNdestroyCallback, DrawnBDestroy, (XtPointer)record);
}
