// Progress.cpp - XmLProgress: a bar or a row of boxes with percentage and times.
#include "widgets/Progress.h"
#include "widgets/ProgressP.h"
#include "widgets/XmLP.h"

#include <Xm/DrawP.h>

#include <cstdio>

// ---- Declarations

static void    ClassInitialize(void);
static void    Initialize(Widget request, Widget nw, ArgList args, Cardinal *argCount);
static void    Realize(Widget w, XtValueMask *mask, XSetWindowAttributes *attributes);
static void    Destroy(Widget w);
static void    Resize(Widget w);
static void    Redisplay(Widget w, XEvent *event, Region region);
static Boolean SetValues(Widget cur, Widget request, Widget nw, ArgList args, Cardinal *argCount);
static Boolean CvtStringToMeterStyle(Display *display, XrmValuePtr args, Cardinal *argCount,
                                     XrmValuePtr from, XrmValuePtr to, XtPointer *data);
static void    DrawBar(XmLProgressWidget pw, const XRectangle *inner);
static void    DrawBoxes(XmLProgressWidget pw, const XRectangle *inner);
static bool    MakeRect(int x, int y, int width, int height, XRectangle *rect);

static time_t SystemClock(void)
{
    return time(NULL);
}

time_t (*xmlProgressClock)(void) = SystemClock;

// Room between a time text and the meter's end.
static const int sTimeInset = 5;

// The warnings of the value repairs, in the order the checks run.
typedef const char *RepairTexts[4];
static const RepairTexts sInitializeTexts = {
    "Initialize() - complete value can't be < 1",
    "Initialize() - number of boxes can't be < 1",
    "Initialize() - value can't be < 0",
    "Initialize() - value can't be > completeValue",
};
static const RepairTexts sSetValuesTexts = {
    "SetValues() - complete value can't be < 1",
    "SetValues() - number of boxes can't be < 1",
    "SetValues() - value can't be < 0",
    "SetValues() - value can't be > completeValue",
};

// ---- Resources

static XtResource resources[] = {
    {(char *)XmNcompleteValue, (char *)XmCCompleteValue, XmRInt, sizeof(int),
     XtOffsetOf(XmLProgressRec, progress.completeValue), XmRImmediate, (XtPointer)100},
    {(char *)XmNnumBoxes, (char *)XmCNumBoxes, XmRInt, sizeof(int),
     XtOffsetOf(XmLProgressRec, progress.numBoxes), XmRImmediate, (XtPointer)10},
    {(char *)XmNvalue, (char *)XmCValue, XmRInt, sizeof(int),
     XtOffsetOf(XmLProgressRec, progress.value), XmRImmediate, (XtPointer)0},
    {(char *)XmNfontList, (char *)XmCFontList, XmRFontList, sizeof(XmFontList),
     XtOffsetOf(XmLProgressRec, progress.fontList), XmRImmediate, (XtPointer)NULL},
    {(char *)XmNmeterStyle, (char *)XmCMeterStyle, (char *)XmRMeterStyle, sizeof(unsigned char),
     XtOffsetOf(XmLProgressRec, progress.meterStyle), XmRImmediate, (XtPointer)XmMETER_BAR},
    {(char *)XmNshowTime, (char *)XmCShowTime, XmRBoolean, sizeof(Boolean),
     XtOffsetOf(XmLProgressRec, progress.showTime), XmRImmediate, (XtPointer)False},
    {(char *)XmNshowPercentage, (char *)XmCShowPercentage, XmRBoolean, sizeof(Boolean),
     XtOffsetOf(XmLProgressRec, progress.showPercentage), XmRImmediate, (XtPointer)True},
};

// ---- Class record

XmLProgressClassRec xmlProgressClassRec = {
    {   // core
        (WidgetClass)&xmPrimitiveClassRec,  // superclass
        (char *)"XmLProgress",              // class_name
        sizeof(XmLProgressRec),             // widget_size
        ClassInitialize,                    // class_initialize
        NULL,                               // class_part_initialize
        False,                              // class_inited
        Initialize,                         // initialize
        NULL,                               // initialize_hook
        Realize,                            // realize
        NULL,                               // actions
        0,                                  // num_actions
        resources,                          // resources
        XtNumber(resources),                // num_resources
        NULLQUARK,                          // xrm_class
        True,                               // compress_motion
        XtExposeNoCompress,                 // compress_exposure
        True,                               // compress_enterleave
        True,                               // visible_interest
        Destroy,                            // destroy
        Resize,                             // resize
        Redisplay,                          // expose
        SetValues,                          // set_values
        NULL,                               // set_values_hook
        XtInheritSetValuesAlmost,           // set_values_almost
        NULL,                               // get_values_hook
        NULL,                               // accept_focus
        XtVersion,                          // version
        NULL,                               // callback_private
        XtInheritTranslations,              // tm_table
        NULL,                               // query_geometry
        NULL,                               // display_accelerator
        NULL,                               // extension
    },
    {   // primitive
        XmInheritWidgetProc,                // border_highlight
        XmInheritWidgetProc,                // border_unhighlight
        XtInheritTranslations,              // translations
        NULL,                               // arm_and_activate
        NULL,                               // syn_resources
        0,                                  // num_syn_resources
        NULL,                               // extension
    },
    {   // progress
        NULL,                               // extension
    },
};

WidgetClass xmlProgressWidgetClass = (WidgetClass)&xmlProgressClassRec;

// ---- Class methods

static void ClassInitialize(void)
{
    XmLInitialize();
    XtSetTypeConverter(XmRString, XmRMeterStyle, CvtStringToMeterStyle, NULL, 0, XtCacheNone,
                       NULL);
}

static void CopyFontList(XmLProgressWidget pw)
{
    XmFontList given = pw->progress.fontList;
    pw->progress.fontList = given ? XmFontListCopy(given) : XmLFontListCopyDefault((Widget)pw);
    if (!pw->progress.fontList)
        XmLWarning((Widget)pw, "- fatal error - font list NULL");
}

// Every drawing relies on 1 <= completeValue, 1 <= numBoxes, 0 <= value <= completeValue.
static void Repair(XmLProgressWidget pw, const RepairTexts texts)
{
    XmLProgressPart *p = &pw->progress;
    if (p->completeValue < 1) {
        XmLWarning((Widget)pw, texts[0]);
        p->completeValue = 1;
    }
    if (p->numBoxes < 1) {
        XmLWarning((Widget)pw, texts[1]);
        p->numBoxes = 1;
    }
    if (p->value < 0) {
        XmLWarning((Widget)pw, texts[2]);
        p->value = 0;
    }
    if (p->value > p->completeValue) {
        XmLWarning((Widget)pw, texts[3]);
        p->value = p->completeValue;
    }
}

static void Initialize(Widget request, Widget nw, ArgList, Cardinal *)
{
    XmLProgressWidget pw = (XmLProgressWidget)nw;
    // The request, not the new widget: the primitive class has already made
    // room for its shadow and highlight in a size left at 0.
    if (request->core.width == 0)
        nw->core.width = 200;
    if (request->core.height == 0)
        nw->core.height = 30;
    pw->progress.gc = NULL;
    pw->progress.font = NULL;
    pw->progress.startTime = xmlProgressClock();
    CopyFontList(pw);
    Repair(pw, sInitializeTexts);
    pw->primitive.traversal_on = False;     // a meter never takes the keyboard
}

static void Realize(Widget w, XtValueMask *mask, XSetWindowAttributes *attributes)
{
    XmLProgressWidget pw = (XmLProgressWidget)w;
    (*xmlProgressClassRec.core_class.superclass->core_class.realize)(w, mask, attributes);
    if (pw->progress.gc)
        return;
    // Text is drawn with the font list, which sets its own fonts; "fixed" only
    // gives the context a font to start with, so the meter does without it.
    pw->progress.font = XLoadQueryFont(XtDisplay(w), xmlFixedFontName);
    XGCValues values;
    unsigned long valueMask = 0;
    if (pw->progress.font) {
        values.font = pw->progress.font->fid;
        valueMask = GCFont;
    }
    pw->progress.gc = XCreateGC(XtDisplay(w), XtWindow(w), valueMask, &values);
}

static void Destroy(Widget w)
{
    XmLProgressWidget pw = (XmLProgressWidget)w;
    if (pw->progress.gc)
        XFreeGC(XtDisplay(w), pw->progress.gc);
    if (pw->progress.font)
        XFreeFont(XtDisplay(w), pw->progress.font);
    if (pw->progress.fontList)
        XmFontListFree(pw->progress.fontList);
}

static void Resize(Widget w)
{
    if (XtWindow(w))
        XClearArea(XtDisplay(w), XtWindow(w), 0, 0, 0, 0, True);
}

static void Redisplay(Widget w, XEvent *, Region)
{
    XmLProgressWidget pw = (XmLProgressWidget)w;
    if (!XtWindow(w) || !w->core.visible || !pw->progress.gc)
        return;
    int st = pw->primitive.shadow_thickness;
    XRectangle inner;
    if (MakeRect(st, st, w->core.width - 2 * st, w->core.height - 2 * st, &inner)) {
        if (pw->progress.meterStyle == XmMETER_BOXES)
            DrawBoxes(pw, &inner);
        else
            DrawBar(pw, &inner);
    }
    XmeDrawShadows(XtDisplay(w), XtWindow(w), pw->primitive.top_shadow_GC,
                   pw->primitive.bottom_shadow_GC, 0, 0, w->core.width, w->core.height,
                   pw->primitive.shadow_thickness, XmSHADOW_IN);
}

static bool Changed(XmLProgressWidget was, XmLProgressWidget now)
{
    const XmLProgressPart *a = &was->progress, *b = &now->progress;
    return was->core.background_pixel != now->core.background_pixel ||
           was->primitive.foreground != now->primitive.foreground ||
           was->primitive.shadow_thickness != now->primitive.shadow_thickness ||
           a->value != b->value || a->completeValue != b->completeValue ||
           a->fontList != b->fontList || a->showTime != b->showTime ||
           a->showPercentage != b->showPercentage || a->meterStyle != b->meterStyle ||
           a->numBoxes != b->numBoxes;
}

static Boolean SetValues(Widget cur, Widget, Widget nw, ArgList, Cardinal *)
{
    XmLProgressWidget was = (XmLProgressWidget)cur, now = (XmLProgressWidget)nw;
    if (now->progress.value == 0)
        now->progress.startTime = xmlProgressClock();
    Repair(now, sSetValuesTexts);
    if (now->progress.fontList != was->progress.fontList) {
        if (was->progress.fontList)
            XmFontListFree(was->progress.fontList);
        CopyFontList(now);
    }
    if (Changed(was, now)) {
        // Drawn here and now: the job that sets the value keeps the event loop waiting.
        Redisplay(nw, NULL, NULL);
        XFlush(XtDisplay(nw));
        XmUpdateDisplay(nw);
    }
    return False;
}

// ---- Converter

static Boolean CvtStringToMeterStyle(Display *display, XrmValuePtr, Cardinal *,
                                     XrmValuePtr from, XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"METER_BAR", XmMETER_BAR},
        {"METER_BOXES", XmMETER_BOXES},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRMeterStyle", map, from, to);
}

// ---- Layout: what the meter says

static void FormatTime(long long t, char *text, size_t size)
{
    long long s = t % 60, m = (t / 60) % 60, h = t / 3600;
    if (h > 99)
        h = 99;
    if (h > 0)
        snprintf(text, size, m <= 9 ? "%lld:0%lld hr" : "%lld:%lld hr", h, m);
    else if (m > 0)
        snprintf(text, size, s <= 9 ? "%lld:0%lld min" : "%lld:%lld min", m, s);
    else
        snprintf(text, size, "%lld sec", s);
}

void XmLProgressGetTexts(XmLProgressWidget pw, XmLProgressTexts *texts)
{
    const XmLProgressPart *p = &pw->progress;
    // Widened: value * 100 overflows an int long before value itself does.
    long long value = p->value, complete = p->completeValue;
    long long percent = complete > 0 ? value * 100 / complete : 0;
    long long elapsed = (long long)(xmlProgressClock() - p->startTime);
    if (elapsed < 0)
        elapsed = 0;    // the clock was set back; no time has been seen to pass
    long long remaining = percent ? elapsed * 100 / percent - elapsed : 0;
    texts->percent[0] = texts->elapsed[0] = texts->remaining[0] = '\0';
    if (p->showPercentage)
        snprintf(texts->percent, sizeof texts->percent, "%lld%c", percent, '%');
    if (p->showTime && value != 0 && value != complete && elapsed != 0)
        FormatTime(elapsed, texts->elapsed, sizeof texts->elapsed);
    if (p->showTime && percent != 0 && percent != 100 && remaining != 0)
        FormatTime(remaining, texts->remaining, sizeof texts->remaining);
}

// ---- Drawing

// False, and nothing to draw, when the rectangle is empty or negative.
static bool MakeRect(int x, int y, int width, int height, XRectangle *rect)
{
    if (width <= 0 || height <= 0)
        return false;
    rect->x = (short)x;
    rect->y = (short)y;
    rect->width = (unsigned short)width;
    rect->height = (unsigned short)height;
    return true;
}

static void FillRect(XmLProgressWidget pw, int x, int y, int width, int height, Pixel pixel)
{
    XRectangle r;
    if (!MakeRect(x, y, width, height, &r))
        return;
    XSetForeground(XtDisplay(pw), pw->progress.gc, pixel);
    XFillRectangle(XtDisplay(pw), XtWindow(pw), pw->progress.gc, r.x, r.y, r.width, r.height);
}

// The text in the background colour over the filled part and in the
// foreground colour over the rest, so it reads on both.
static void DrawSplitText(XmLProgressWidget pw, XmString text, int x, int y, int width,
                          const XRectangle *filled, const XRectangle *rest)
{
    Display *display = XtDisplay(pw);
    GC gc = pw->progress.gc;
    const XRectangle *parts[2] = {filled, rest};
    Pixel colours[2] = {pw->core.background_pixel, pw->primitive.foreground};
    for (int i = 0; i < 2; i++) {
        if (!parts[i]->width || !parts[i]->height)
            continue;
        XRectangle clip = *parts[i];
        XSetForeground(display, gc, colours[i]);
        XSetClipRectangles(display, gc, 0, 0, &clip, 1, Unsorted);
        XmStringDraw(display, XtWindow(pw), pw->progress.fontList, text, gc, (Position)x,
                     (Position)y, (Dimension)width, XmALIGNMENT_BEGINNING,
                     XmSTRING_DIRECTION_L_TO_R, &clip);
        XSetClipMask(display, gc, None);
    }
}

typedef enum { PlaceLeft, PlaceCentre, PlaceRight } TextPlace;

static void DrawText(XmLProgressWidget pw, const char *text, TextPlace place,
                     const XRectangle *inner, const XRectangle *filled, const XRectangle *rest)
{
    if (!*text || !pw->progress.fontList)
        return;
    XmString string = XmStringCreateSimple((char *)text);
    Dimension width, height;
    XmStringExtent(pw->progress.fontList, string, &width, &height);
    int x = place == PlaceLeft    ? inner->x + sTimeInset
          : place == PlaceCentre  ? inner->x + inner->width / 2 - width / 2
                                  : inner->x + inner->width - width - sTimeInset;
    int y = inner->y + inner->height / 2 - height / 2;
    if (width > 0)
        DrawSplitText(pw, string, x, y, width, filled, rest);
    XmStringFree(string);
}

static void DrawBar(XmLProgressWidget pw, const XRectangle *inner)
{
    const XmLProgressPart *p = &pw->progress;
    int fill = (int)((long long)inner->width * p->value / p->completeValue);
    XRectangle filled = *inner, rest = *inner;
    filled.width = (unsigned short)fill;
    rest.x = (short)(inner->x + fill);
    rest.width = (unsigned short)(inner->width - fill);
    FillRect(pw, filled.x, filled.y, filled.width, filled.height, pw->primitive.foreground);
    FillRect(pw, rest.x, rest.y, rest.width, rest.height, pw->core.background_pixel);
    XmLProgressTexts texts;
    XmLProgressGetTexts(pw, &texts);
    DrawText(pw, texts.percent, PlaceCentre, inner, &filled, &rest);
    DrawText(pw, texts.elapsed, PlaceLeft, inner, &filled, &rest);
    DrawText(pw, texts.remaining, PlaceRight, inner, &filled, &rest);
}

static void DrawBoxes(XmLProgressWidget pw, const XRectangle *inner)
{
    const XmLProgressPart *p = &pw->progress;
    long long n = p->numBoxes, st = pw->primitive.shadow_thickness;
    // Boxes narrower than a pixel cannot be shown, and would cost a loop as
    // long as numBoxes for nothing.
    if (n * st * 2 > inner->width || n > inner->width)
        return;
    long long done = n * p->value / p->completeValue;
    int x0 = 0;
    for (int i = 0; i < n; i++) {
        int x1 = (int)(inner->width * (i + 1LL) / n);
        Pixel fill = i < done ? pw->primitive.foreground : pw->core.background_pixel;
        FillRect(pw, inner->x + x0 + (int)st, inner->y + (int)st, x1 - x0 - 2 * (int)st,
                 inner->height - 2 * (int)st, fill);
        if (x1 > x0)
            XmeDrawShadows(XtDisplay(pw), XtWindow(pw), pw->primitive.top_shadow_GC,
                           pw->primitive.bottom_shadow_GC, (Position)(inner->x + x0), inner->y,
                           (Dimension)(x1 - x0), inner->height, (Dimension)st, XmSHADOW_IN);
        x0 = x1;
    }
}

// ---- Public functions

Widget XmLCreateProgress(Widget parent, char *name, ArgList args, Cardinal argCount)
{
    return XtCreateWidget(name, xmlProgressWidgetClass, parent, args, argCount);
}
