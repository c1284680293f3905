// XmL.h - what Vireo's widgets share: pointer arrays, sort, converters, warnings, drawing.
#ifndef VIREO_WIDGETS_XML_H
#define VIREO_WIDGETS_XML_H

#include <Xm/Xm.h>

// Resource names used by more than one of our widget classes live here, once.
#define XmNdebugLevel ((char *)"debugLevel")
#define XmCDebugLevel ((char *)"DebugLevel")

// Cell alignments. Motif's own XmALIGNMENT_CENTER is 1 and doubles as ours.
enum {
    XmALIGNMENT_LEFT = 0,
    XmALIGNMENT_RIGHT = 2,
    XmALIGNMENT_TOP_LEFT,
    XmALIGNMENT_TOP,
    XmALIGNMENT_TOP_RIGHT,
    XmALIGNMENT_BOTTOM_LEFT,
    XmALIGNMENT_BOTTOM,
    XmALIGNMENT_BOTTOM_RIGHT
};

// Drawn-button shapes and the directions they point in.
enum {
    XmDRAWNB_ARROW,
    XmDRAWNB_ARROWLINE,
    XmDRAWNB_DOUBLEARROW,
    XmDRAWNB_SQUARE,
    XmDRAWNB_DOUBLEBAR,
    XmDRAWNB_STRING
};
enum { XmDRAWNB_RIGHT, XmDRAWNB_LEFT, XmDRAWNB_UP, XmDRAWNB_DOWN };

// Results of XmLDrawPosition.
enum { XmLDrawNothing = 0, XmLDrawFits = 1, XmLDrawClipped = 2 };

// Results of XmLRectIntersect: where rectangle a lies against b.
enum { XmLRectInside = 0, XmLRectOutside = 1, XmLRectPartial = 2 };

// Answers of XmLMessageBox.
enum { XmLAnswerOk = 1, XmLAnswerCancel = 2, XmLAnswerHelp = 3 };

// ---- Growable pointer arrays
typedef struct _XmLArrayRec *XmLArray;

// Negative when left sorts first. For XmLArraySort, left and right point at
// slots of the array, that is at item pointers.
typedef int (*XmLArrayCompareProc)(void *userData, void *left, void *right);

XmLArray XmLArrayNew(char autoNumber, char growFast);
void     XmLArrayFree(XmLArray array);
void     XmLArrayAdd(XmLArray array, int pos, int count);
int      XmLArrayDel(XmLArray array, int pos, int count);
int      XmLArraySet(XmLArray array, int pos, void *item);
void    *XmLArrayGet(XmLArray array, int pos);
int      XmLArrayGetCount(XmLArray array);
int      XmLArrayMove(XmLArray array, int newPos, int pos, int count);
int      XmLArrayReorder(XmLArray array, int *newPositions, int pos, int count);
int      XmLArraySort(XmLArray array, XmLArrayCompareProc compare, void *userData,
                      int pos, int count);

void XmLSort(void *base, int count, int size, XmLArrayCompareProc compare, void *userData);

// ---- Converters, warnings and small services

// One keyword of an enumeration converter; a table ends with a null name.
typedef struct {
    const char   *name;
    unsigned char value;
} XmLStringToUCharMap;

Boolean XmLCvtStringToUChar(Display *display, const char *typeName,
                            const XmLStringToUCharMap *map, XrmValuePtr from, XrmValuePtr to);
void    XmLWarning(Widget w, const char *text);
void    XmLInitialize(void);
Widget  XmLShellOfWidget(Widget w);
int     XmLRectIntersect(XRectangle *a, XRectangle *b);
int     XmLMessageBox(Widget w, const char *text, Boolean okOnly);
int     XmLDateDaysInMonth(int month, int year);
int     XmLDateWeekDay(int month, int day, int year);

// ---- Font lists and drawing
XmFontList XmLFontListCopyDefault(Widget w);
void       XmLFontListGetDimensions(XmFontList fontList, Dimension *width, Dimension *height,
                                    Boolean useAverageWidth);
int  XmLDrawPosition(Widget w, int width, int height, unsigned char alignment,
                     XRectangle *rect, XRectangle *clip, int *x, int *y);
void XmLStringDraw(Widget w, XmString string, XmStringDirection direction,
                   XmFontList fontList, unsigned char alignment, GC gc,
                   XRectangle *rect, XRectangle *clip);
void XmLPixmapDraw(Widget w, Pixmap pixmap, Pixmap mask, int pixmapWidth, int pixmapHeight,
                   unsigned char alignment, GC gc, XRectangle *rect, XRectangle *clip);
void XmLDrawToggle(Widget w, Boolean set, int size, unsigned char alignment, GC gc,
                   Pixel background, Pixel top, Pixel bottom, Pixel check,
                   XRectangle *rect, XRectangle *clip);
void XmLStringDrawDirection(Display *display, Window window, XmFontList fontList,
                            XmString string, GC gc, int x, int y, int length,
                            unsigned char alignment, unsigned char layoutDirection,
                            unsigned char drawingDirection);
void XmLDrawnButtonSetType(Widget w, int type, int direction);

#endif
