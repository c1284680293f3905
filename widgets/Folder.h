// Folder.h - XmLFolder, a tab folder: a bar of tabs beside pages that they show.
#ifndef VIREO_WIDGETS_FOLDER_H
#define VIREO_WIDGETS_FOLDER_H

#include "widgets/XmL.h"

// Motif already names activateCallback, fontList, highlightThickness, marginWidth,
// marginHeight, resizePolicy, spacing and shadowThickness. autoSelect and
// blankBackground are the grid's as well; both headers say the same.
#define XmNactiveTab                   ((char *)"activeTab")
#define XmCActiveTab                   ((char *)"ActiveTab")
#ifndef XmNautoSelect
#define XmNautoSelect                  ((char *)"autoSelect")
#define XmCAutoSelect                  ((char *)"AutoSelect")
#endif
#ifndef XmNblankBackground
#define XmNblankBackground             ((char *)"blankBackground")
#define XmCBlankBackground             ((char *)"BlankBackground")
#endif
#define XmNblankBackgroundPixmap       ((char *)"blankBackgroundPixmap")
#define XmCBlankBackgroundPixmap       ((char *)"BlankBackgroundPixmap")
#define XmNcornerDimension             ((char *)"cornerDimension")
#define XmCCornerDimension             ((char *)"CornerDimension")
#define XmNcornerStyle                 ((char *)"cornerStyle")
#define XmCCornerStyle                 ((char *)"CornerStyle")
#define XmRCornerStyle                 ((char *)"CornerStyle")
#define XmNinactiveBackground          ((char *)"inactiveBackground")
#define XmCInactiveBackground          ((char *)"InactiveBackground")
#define XmNinactiveForeground          ((char *)"inactiveForeground")
#define XmCInactiveForeground          ((char *)"InactiveForeground")
#define XmNpixmapMargin                ((char *)"pixmapMargin")
#define XmCPixmapMargin                ((char *)"PixmapMargin")
#define XmCFolderResizePolicy          ((char *)"FolderResizePolicy")
#define XmRFolderResizePolicy          ((char *)"FolderResizePolicy")
#define XmNrotateWhenLeftRight         ((char *)"rotateWhenLeftRight")
#define XmCRotateWhenLeftRight         ((char *)"RotateWhenLeftRight")
#define XmNtabBarHeight                ((char *)"tabBarHeight")
#define XmCTabBarHeight                ((char *)"TabBarHeight")
#define XmNtabCount                    ((char *)"tabCount")
#define XmCTabCount                    ((char *)"TabCount")
#define XmNtabPlacement                ((char *)"tabPlacement")
#define XmCTabPlacement                ((char *)"TabPlacement")
#define XmRTabPlacement                ((char *)"TabPlacement")
#define XmNtabsPerRow                  ((char *)"tabsPerRow")
#define XmCTabsPerRow                  ((char *)"TabsPerRow")
#define XmNtabWidgetList               ((char *)"tabWidgetList")
#define XmNtabTranslations             ((char *)"tabTranslations")

// Constraint resources of every child of a folder.
#define XmNtabFreePixmaps              ((char *)"tabFreePixmaps")
#define XmCTabFreePixmaps              ((char *)"TabFreePixmaps")
#define XmNtabInactivePixmap           ((char *)"tabInactivePixmap")
#define XmCTabInactivePixmap           ((char *)"TabInactivePixmap")
#define XmNtabManagedName              ((char *)"tabManagedName")
#define XmCTabManagedName              ((char *)"TabManagedName")
#define XmNtabManagedWidget            ((char *)"tabManagedWidget")
#define XmCTabManagedWidget            ((char *)"TabManagedWidget")
#define XmNtabPixmap                   ((char *)"tabPixmap")
#define XmCTabPixmap                   ((char *)"TabPixmap")

enum { XmCORNER_NONE = 0, XmCORNER_LINE = 1, XmCORNER_ARC = 2 };
// XmRESIZE_NONE (0) is Motif's own.
enum { XmRESIZE_STATIC = 10, XmRESIZE_DYNAMIC = 11 };
enum { XmFOLDER_TOP = 0, XmFOLDER_LEFT = 1, XmFOLDER_BOTTOM = 2, XmFOLDER_RIGHT = 3 };

// What activateCallback receives. A callback that clears allowActivate keeps
// the old tab active.
typedef struct {
    int     reason;         // XmCR_ACTIVATE
    XEvent *event;          // null when the program activated the tab
    int     pos;            // the tab's position in the tab list, -1 when not in it
    int     allowActivate;
} XmLFolderCallbackStruct;

extern WidgetClass xmlFolderWidgetClass;
typedef struct _XmLFolderClassRec *XmLFolderWidgetClass;
typedef struct _XmLFolderRec      *XmLFolderWidget;

Widget XmLCreateFolder(Widget parent, char *name, ArgList args, Cardinal argCount);
Widget XmLFolderAddTab(Widget w, XmString label);
Widget XmLFolderAddBitmapTab(Widget w, XmString label, char *bitmapData, int bitmapWidth,
                             int bitmapHeight);
Widget XmLFolderAddTabForm(Widget w, XmString label);
Widget XmLFolderAddBitmapTabForm(Widget w, XmString label, char *bitmapData, int bitmapWidth,
                                 int bitmapHeight);
void   XmLFolderSetActiveTab(Widget w, int position, Boolean notify);

#endif
