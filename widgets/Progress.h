// Progress.h - XmLProgress, a meter that shows how far a job has come: the public interface.
#ifndef VIREO_WIDGETS_PROGRESS_H
#define VIREO_WIDGETS_PROGRESS_H

#include "widgets/XmL.h"

// XmNvalue, XmCValue and XmNfontList come from Motif. The casts let C++ callers
// pass the names where Xt wants a String, as Motif's own names allow.
#define XmNcompleteValue  ((char *)"completeValue")
#define XmCCompleteValue  ((char *)"CompleteValue")
#define XmNnumBoxes       ((char *)"numBoxes")
#define XmCNumBoxes       ((char *)"NumBoxes")
#define XmNmeterStyle     ((char *)"meterStyle")
#define XmCMeterStyle     ((char *)"MeterStyle")
#define XmRMeterStyle     ((char *)"MeterStyle")
#define XmNshowTime       ((char *)"showTime")
#define XmCShowTime       ((char *)"ShowTime")
#define XmNshowPercentage ((char *)"showPercentage")
#define XmCShowPercentage ((char *)"ShowPercentage")

enum { XmMETER_BAR, XmMETER_BOXES };

extern WidgetClass xmlProgressWidgetClass;
typedef struct _XmLProgressClassRec *XmLProgressWidgetClass;
typedef struct _XmLProgressRec      *XmLProgressWidget;

Widget XmLCreateProgress(Widget parent, char *name, ArgList args, Cardinal argCount);

#endif
