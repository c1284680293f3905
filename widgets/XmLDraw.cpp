// XmLDraw.cpp - font lists, and placing strings, pixmaps and toggles in cell rectangles.
#include "widgets/XmL.h"
#include "widgets/XmLP.h"

#include <Xm/BulletinB.h>
#include <Xm/MenuShell.h>
#include <Xm/VendorS.h>

#include <algorithm>
#include <climits>

const char *xmlFixedFontName = "fixed";

// Space kept free on each side of a cell rectangle.
static const int sMargin = 2;

// ---- Font lists

static XmFontList AncestorFontList(Widget w)
{
    for (Widget p = XtParent(w); p; p = XtParent(p)) {
        XmFontList fontList = NULL;
        if (XmIsVendorShell(p) || XmIsMenuShell(p))
            XtVaGetValues(p, XmNdefaultFontList, &fontList, NULL);
        else if (XmIsBulletinBoard(p))
            XtVaGetValues(p, XmNbuttonFontList, &fontList, NULL);
        if (fontList)
            return fontList;
    }
    return NULL;
}

// Motif would put another font in place of a missing one, so the name is checked first.
static bool FontExists(Display *display, const char *name)
{
    int count = 0;
    char **names = XListFonts(display, name, 1, &count);
    if (names)
        XFreeFontNames(names);
    return count > 0;
}

// A font that Motif loads by name is loaded once per display and released with it;
// a font loaded here would stay behind when the list is freed, 3.5 KB a list.
XmFontList XmLFontListCopyDefault(Widget w)
{
    XmFontList inherited = AncestorFontList(w);
    if (inherited)
        return XmFontListCopy(inherited);
    Display *display = XtDisplay(w);
    XmFontListEntry entry = NULL;
    if (FontExists(display, xmlFixedFontName))
        entry = XmFontListEntryLoad(display, (char *)xmlFixedFontName, XmFONT_IS_FONT,
                                    (char *)XmSTRING_DEFAULT_CHARSET);
    if (!entry) {
        XmLWarning(w, "FontListCopyDefault() - FATAL ERROR - can't load fixed font");
        return NULL;
    }
    XmFontList list = XmFontListAppendEntry(NULL, entry);
    XmFontListEntryFree(&entry);
    return list;
}

int XmLFontAverageWidth(XFontStruct *font)
{
    if (!font->per_char)
        return font->min_bounds.width;
    int columns = (int)font->max_char_or_byte2 - (int)font->min_char_or_byte2 + 1;
    int rows = (int)font->max_byte1 - (int)font->min_byte1 + 1;
    long sum = 0, counted = 0;
    for (long i = 0; columns > 0 && rows > 0 && i < (long)columns * rows; i++) {
        if (font->per_char[i].width) {
            sum += font->per_char[i].width;
            counted++;
        }
    }
    return counted ? (int)(sum / counted) : font->min_bounds.width;
}

static void FontDimensions(XFontStruct *font, Boolean average, int *width, int *height)
{
    *width = average ? XmLFontAverageWidth(font) : font->max_bounds.width;
    *height = font->max_bounds.ascent + font->max_bounds.descent;
}

static void FontSetDimensions(XFontSet fontSet, Boolean average, int *width, int *height)
{
    XFontStruct **fonts;
    char **names;
    int count = XFontsOfFontSet(fontSet, &fonts, &names);
    *width = *height = 0;
    for (int i = 0; i < count; i++) {
        int w, h;
        FontDimensions(fonts[i], average, &w, &h);
        if (w > *width)
            *width = w;
        if (h > *height)
            *height = h;
    }
}

// Fonts that are no core fonts (client-side Xft fonts) have no metrics of
// their own here, so a sample text is measured through Motif instead.
static void SampleDimensions(XmFontList fontList, XmFontListEntry entry, Boolean average,
                             int *width, int *height)
{
    static const char sample[] = "abcdefghijklmnopqrstuvwxyz";
    char *tag = XmFontListEntryGetTag(entry);
    XmString text = XmStringCreate((char *)(average ? sample : "M"), tag);
    Dimension w = 0, h = 0;
    XmStringExtent(fontList, text, &w, &h);
    XmStringFree(text);
    XtFree(tag);
    *width = average ? w / (int)(sizeof(sample) - 1) : w;
    *height = h;
}

static Dimension ToDimension(int value)
{
    return (Dimension)(value < 0 ? 0 : value > USHRT_MAX ? USHRT_MAX : value);
}

void XmLFontListGetDimensions(XmFontList fontList, Dimension *width, Dimension *height,
                              Boolean useAverageWidth)
{
    *width = *height = 0;
    XmFontContext context;
    if (!fontList || !XmFontListInitFontContext(&context, fontList))
        return;
    int maxWidth = 0, maxHeight = 0;
    XmFontListEntry entry;
    while ((entry = XmFontListNextEntry(context)) != NULL) {
        XmFontType type;
        XtPointer font = XmFontListEntryGetFont(entry, &type);
        int w, h;
        if (font && type == XmFONT_IS_FONT)
            FontDimensions((XFontStruct *)font, useAverageWidth, &w, &h);
        else if (font && type == XmFONT_IS_FONTSET)
            FontSetDimensions((XFontSet)font, useAverageWidth, &w, &h);
        else
            SampleDimensions(fontList, entry, useAverageWidth, &w, &h);
        if (w > maxWidth)
            maxWidth = w;
        if (h > maxHeight)
            maxHeight = h;
    }
    XmFontListFreeFontContext(context);
    *width = ToDimension(maxWidth);
    *height = ToDimension(maxHeight);
}

// ---- Placement

static unsigned char MotifAlignment(unsigned char alignment)
{
    static const unsigned char column[3] = {
        XmALIGNMENT_BEGINNING, XmALIGNMENT_CENTER, XmALIGNMENT_END
    };
    return column[alignment % 3];
}

static bool SameRect(const XRectangle *a, const XRectangle *b)
{
    return a->x == b->x && a->y == b->y && a->width == b->width && a->height == b->height;
}

int XmLDrawPosition(Widget w, int width, int height, unsigned char alignment,
                    XRectangle *rect, XRectangle *clip, int *x, int *y)
{
    if (rect->width <= 2 * sMargin || rect->height <= 2 * sMargin || clip->width <= 2 ||
        clip->height <= 2 || width <= 0 || height <= 0 || !XtWindow(w) ||
        XmLRectIntersect(rect, clip) == XmLRectOutside)
        return XmLDrawNothing;
    int column = alignment % 3, row = alignment / 3;
    if (column == 0)
        *x = rect->x + sMargin;
    else if (column == 1)
        *x = rect->x + ((int)rect->width - width) / 2;
    else
        *x = rect->x + rect->width - width - sMargin;
    if (row == 1)
        *y = rect->y + sMargin;
    else if (row == 2)
        *y = rect->y + rect->height - height - sMargin;
    else
        *y = rect->y + ((int)rect->height - height) / 2;
    if (!SameRect(rect, clip) || width + 2 * sMargin > clip->width ||
        height + 2 * sMargin > clip->height)
        return XmLDrawClipped;
    return XmLDrawFits;
}

// ---- Strings, pixmaps and toggles

// The part of clip inside the text's room: the rectangle less its side margins. A text too
// long for its cell ends there, apart from the next cell's text, not at the cell's edge.
static XRectangle TextClip(const XRectangle *rect, const XRectangle *clip)
{
    int left = std::max((int)clip->x, rect->x + sMargin);
    int right = std::min(clip->x + (int)clip->width, rect->x + (int)rect->width - sMargin);
    XRectangle room = *clip;
    room.x = (short)left;
    room.width = (unsigned short)std::max(0, right - left);
    return room;
}

void XmLStringDraw(Widget w, XmString string, XmStringDirection direction,
                   XmFontList fontList, unsigned char alignment, GC gc,
                   XRectangle *rect, XRectangle *clip)
{
    if (!string || !fontList)
        return;
    Dimension width, height;
    XmStringExtent(fontList, string, &width, &height);
    int x, y;
    int place = XmLDrawPosition(w, width, height, alignment, rect, clip, &x, &y);
    if (place == XmLDrawNothing)
        return;
    Display *display = XtDisplay(w);
    XRectangle room = TextClip(rect, clip);
    if (place == XmLDrawClipped)
        XSetClipRectangles(display, gc, 0, 0, &room, 1, Unsorted);
    // Motif clips Xft text by the rectangle it is given, not by the GC.
    XmStringDraw(display, XtWindow(w), fontList, string, gc, rect->x + sMargin, y,
                 rect->width - 2 * sMargin, MotifAlignment(alignment), direction,
                 place == XmLDrawClipped ? &room : NULL);
    if (place == XmLDrawClipped)
        XSetClipMask(display, gc, None);
}

// Cuts the span [*start, *start + *length) to the clip span, moving the
// source offset along with its start.
static void CutSpan(int clipStart, int clipLength, int *start, int *source, int *length)
{
    if (clipStart > *start) {
        int cut = clipStart - *start;
        *source += cut;
        *start = clipStart;
        *length -= cut;
    }
    if (clipStart + clipLength < *start + *length)
        *length = clipStart + clipLength - *start;
}

static void CopyPixmap(Widget w, Pixmap pixmap, Pixmap mask, GC gc, int sourceX, int sourceY,
                       int width, int height, int x, int y)
{
    Display *display = XtDisplay(w);
    bool masked = mask != XmUNSPECIFIED_PIXMAP && mask != None;
    if (masked) {
        XSetClipMask(display, gc, mask);
        XSetClipOrigin(display, gc, x - sourceX, y - sourceY);
    }
    // A copy would otherwise answer with expose events of its own.
    XSetGraphicsExposures(display, gc, False);
    XCopyArea(display, pixmap, XtWindow(w), gc, sourceX, sourceY, (unsigned)width,
              (unsigned)height, x, y);
    XSetGraphicsExposures(display, gc, True);
    if (masked) {
        XSetClipMask(display, gc, None);
        XSetClipOrigin(display, gc, 0, 0);
    }
}

void XmLPixmapDraw(Widget w, Pixmap pixmap, Pixmap mask, int pixmapWidth, int pixmapHeight,
                   unsigned char alignment, GC gc, XRectangle *rect, XRectangle *clip)
{
    if (pixmap == XmUNSPECIFIED_PIXMAP || pixmap == None)
        return;
    if (pixmapWidth <= 0 || pixmapHeight <= 0) {
        pixmapWidth = clip->width - 2 * sMargin;
        pixmapHeight = clip->height - 2 * sMargin;
        alignment = XmALIGNMENT_TOP_LEFT;
    }
    int x, y;
    if (XmLDrawPosition(w, pixmapWidth, pixmapHeight, alignment, rect, clip, &x, &y) ==
        XmLDrawNothing)
        return;
    int sourceX = 0, sourceY = 0, width = pixmapWidth, height = pixmapHeight;
    CutSpan(clip->x, clip->width, &x, &sourceX, &width);
    CutSpan(clip->y, clip->height, &y, &sourceY, &height);
    if (width <= 0 || height <= 0)
        return;     // placed beside the clip rectangle: nothing of it shows
    CopyPixmap(w, pixmap, mask, gc, sourceX, sourceY, width, height, x, y);
}

static void DrawCheck(Display *display, Window window, GC gc, int x, int y, int s)
{
    XPoint points[5] = {
        {(short)(x + 1), (short)(y + 1 + (s - 3) / 2)},
        {(short)(x + 1 + (s - 3) / 3), (short)(y + s - 2)},
        {(short)(x + s - 2), (short)(y + 1)},
        {(short)(x + 1 + (s - 3) / 3), (short)(y + 1 + (2 * (s - 3)) / 3)},
    };
    points[4] = points[0];
    XFillPolygon(display, window, gc, points, 4, Nonconvex, CoordModeOrigin);
    XDrawLines(display, window, gc, points, 5, CoordModeOrigin);
}

void XmLDrawToggle(Widget w, Boolean set, int size, unsigned char alignment, GC gc,
                   Pixel background, Pixel top, Pixel bottom, Pixel check,
                   XRectangle *rect, XRectangle *clip)
{
    int x, y;
    if (size < 3)
        return;
    int place = XmLDrawPosition(w, size, size, alignment, rect, clip, &x, &y);
    if (place == XmLDrawNothing)
        return;
    Display *display = XtDisplay(w);
    Window window = XtWindow(w);
    if (place == XmLDrawClipped)
        XSetClipRectangles(display, gc, 0, 0, clip, 1, Unsorted);
    XSetForeground(display, gc, background);
    XFillRectangle(display, window, gc, x, y, (unsigned)size, (unsigned)size);
    short left = (short)x, topEdge = (short)y;
    short right = (short)(x + size - 1), bottomEdge = (short)(y + size - 1);
    XSegment lit[2] = {{left, bottomEdge, left, topEdge}, {left, topEdge, right, topEdge}};
    XSegment dark[2] = {{left, bottomEdge, right, bottomEdge}, {right, bottomEdge, right, topEdge}};
    XSetForeground(display, gc, top);
    XDrawSegments(display, window, gc, lit, 2);
    XSetForeground(display, gc, bottom);
    XDrawSegments(display, window, gc, dark, 2);
    if (set) {
        XSetForeground(display, gc, check);
        DrawCheck(display, window, gc, x, y, size);
    }
    if (place == XmLDrawClipped)
        XSetClipMask(display, gc, None);
}
