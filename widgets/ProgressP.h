// ProgressP.h - XmLProgress class and instance records, for Progress.cpp, subclasses and tests.
#ifndef VIREO_WIDGETS_PROGRESSP_H
#define VIREO_WIDGETS_PROGRESSP_H

#include "widgets/Progress.h"

#include <Xm/PrimitiveP.h>

#include <ctime>

typedef struct {
    XtPointer extension;
} XmLProgressClassPart;

typedef struct _XmLProgressClassRec {
    CoreClassPart        core_class;
    XmPrimitiveClassPart primitive_class;
    XmLProgressClassPart progress_class;
} XmLProgressClassRec;

extern XmLProgressClassRec xmlProgressClassRec;

typedef struct {
    int           completeValue;    // resources
    int           numBoxes;
    int           value;
    XmFontList    fontList;         // the meter's own copy, made by Initialize and SetValues
    unsigned char meterStyle;
    Boolean       showTime;
    Boolean       showPercentage;
    GC            gc;               // private: made by Realize
    XFontStruct  *font;             // private: loaded by Realize for gc; null when missing
    time_t        startTime;        // private: set at creation and whenever value is set to 0
} XmLProgressPart;

typedef struct _XmLProgressRec {
    CorePart        core;
    XmPrimitivePart primitive;
    XmLProgressPart progress;
} XmLProgressRec;

// The texts a meter shows at this moment; a text not shown is empty.
typedef struct {
    char percent[16];
    char elapsed[24];
    char remaining[24];
} XmLProgressTexts;

void XmLProgressGetTexts(XmLProgressWidget pw, XmLProgressTexts *texts);

// The clock the times count by, in seconds; tests put a clock of their own here.
extern time_t (*xmlProgressClock)(void);

#endif
