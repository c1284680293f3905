// XmLP.h - the utilities' records and inner helpers, for the widget classes and their tests.
#ifndef VIREO_WIDGETS_XMLP_H
#define VIREO_WIDGETS_XMLP_H

#include "widgets/XmL.h"

#include <X11/Intrinsic.h>

#include <cstdlib>

// Our own blocks come from the C library, not XtMalloc, so that a leak
// report starts in our code rather than inside the toolkit.
// Like XtMalloc, running out of memory ends the program through Xt.
inline void *XmLCalloc(size_t count, size_t size)
{
    void *block = calloc(count ? count : 1, size ? size : 1);
    if (!block)
        XtError((char *)"XmL: out of memory");
    return block;
}

// The array owns items, never the records they point at.
struct _XmLArrayRec {
    char   autoNumber;  // each item starts with an int kept equal to its index
    char   growFast;    // grow by doubling instead of to the exact count
    int    count;       // slots in use
    int    size;        // slots allocated; 0 exactly when items is null
    void **items;
};

// The font every drawing context starts with. Tests point it at a font that
// does not exist to prove the widgets survive without it.
extern const char *xmlFixedFontName;

// Mean width of a font's non-zero character widths, or its minimum width.
int XmLFontAverageWidth(XFontStruct *font);

// The polygons of a drawn-button shape in an s by s square: up to two
// polygons of up to four points. Returns how many polygons there are.
int XmLDrawnButtonShape(int type, int direction, int s, XPoint points[2][4], int counts[2]);

#endif
