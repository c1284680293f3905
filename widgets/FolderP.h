// FolderP.h - XmLFolder class, instance and constraint records, and the routines its files share.
#ifndef VIREO_WIDGETS_FOLDERP_H
#define VIREO_WIDGETS_FOLDERP_H

#include "widgets/Folder.h"

#include <Xm/ManagerP.h>

typedef struct {
    int unused;
} XmLFolderClassPart;

typedef struct _XmLFolderClassRec {
    CoreClassPart       core_class;
    CompositeClassPart  composite_class;
    ConstraintClassPart constraint_class;
    XmManagerClassPart  manager_class;
    XmLFolderClassPart  folder_class;
} XmLFolderClassRec;

extern XmLFolderClassRec xmlFolderClassRec;

typedef struct {
    int            debugLevel;              // resource
    Boolean        serverDrawsArcsLarge;    // private: the arc test's answer, made by Initialize
    unsigned char  cornerStyle;             // resources
    unsigned char  tabPlacement;
    unsigned char  resizePolicy;
    Boolean        rotateWhenLeftRight;
    Boolean        autoSelect;
    GC             gc;                      // private: made by Realize
    Pixel          inactiveBackground;      // resources
    Pixel          inactiveForeground;
    Pixel          blankBackground;
    Pixmap         blankBackgroundPixmap;
    WidgetList     tabWidgetList;           // read-only resource: the folder's own array
    int            tabCount;                // read-only resource
    int            tabAllocCount;           // private: slots of tabWidgetList
    Dimension      marginWidth;             // resources
    Dimension      marginHeight;
    Dimension      spacing;
    Dimension      cornerDimension;
    Dimension      highlightThickness;
    Dimension      pixmapMargin;
    Dimension      tabHeight;               // private: bar thickness at top or bottom, by Layout
    Dimension      tabWidth;                // private: the same at left or right, by Layout
    Dimension      tabBarHeight;            // read-only resource, set by Layout
    int            tabsPerRow;              // resource
    int            activeRow;               // private: the active tab's row in the last Layout
    XtTranslations tabTranslations;         // resource
    Widget         focusTab;                // private: the tab with the focus, by the focus actions
    Widget         activeTabWidget;         // private: set by SetActiveTab
    int            activeTab;               // read-only resource: activeTabWidget's position
    Boolean        allowLayout;             // private: False while the folder moves its children
    XtCallbackList activateCallback;        // resources
    XmFontList     fontList;                // the folder's own copy
} XmLFolderPart;

typedef struct _XmLFolderRec {
    CorePart       core;
    CompositePart  composite;
    ConstraintPart constraint;
    XmManagerPart  manager;
    XmLFolderPart  folder;
} XmLFolderRec;

typedef struct {
    Position  x, y;                         // private: the tab's area, by Layout
    Dimension width, height;
    Dimension maxPixmapWidth, maxPixmapHeight;
    Dimension pixmapWidth, pixmapHeight;
    Dimension inactPixmapWidth, inactPixmapHeight;
    int       row;                          // private: -1 until laid out, and while unmanaged
    Boolean   firstInRow;
    Boolean   tabFreePixmaps;               // constraint resources
    Pixmap    tabPixmap;
    Pixmap    tabInactivePixmap;
    String    tabManagedName;               // the folder's own copy
    Widget    tabManagedWidget;
    int       pixmapDepth;                  // private: depths of the two pixmaps, by Layout
    int       inactPixmapDepth;
} XmLFolderConstraintPart;

typedef struct _XmLFolderConstraintRec {
    XmManagerConstraintPart manager;
    XmLFolderConstraintPart folder;
} XmLFolderConstraintRec, *XmLFolderConstraint;

inline XmLFolderConstraintPart *XmLFolderConstraints(Widget child)
{
    return &((XmLFolderConstraint)child->core.constraints)->folder;
}

// The routines the folder's files share, under the names they have in the class.
namespace FolderP {

// A tab is a Primitive child; every other rectangle child is a body child.
Boolean IsTab(Widget child);
Boolean IsBody(Widget child);
// Neither the unspecified pixmap nor None: something to draw, measure or free.
Boolean HasPixmap(Pixmap pixmap);
void    Trace(XmLFolderWidget fw, int level, const char *format, ...)
    __attribute__((format(printf, 3, 4)));

// Layout and geometry management (FolderLayout.cpp).
void             Layout(XmLFolderWidget fw, Boolean resizeAllowed);
void             FolderResize(Widget w);
void             FolderChangeManaged(Widget w);
XtGeometryResult FolderGeometryManager(Widget child, XtWidgetGeometry *request,
                                       XtWidgetGeometry *reply);

// Drawing (FolderDraw.cpp).
enum { GCBottomShadow, GCTopShadow, GCBlank, GCReset };
void Redisplay(Widget w, XEvent *event, Region region);
void SetTabGC(XmLFolderWidget fw, int mode);
void GetTabRect(XmLFolderWidget fw, Widget tab, XRectangle *rect, Boolean extend);
void DrawTabHighlight(XmLFolderWidget fw, Widget tab);
void DrawTabPixmap(XmLFolderWidget fw, Widget tab, Boolean active);
void SetTabDrawnButton(XmLFolderWidget fw, Widget tab);

// Frames, tab outlines and the arc test (FolderOutline.cpp).

// An area seen from its bar: u runs along the bar, v across it toward the
// body, so one drawing serves all four placements. For a tab, v = 0 is its
// outer edge; for the body, v = 0 is the edge next to the bar.
typedef struct {
    int           x, y, width, height;
    unsigned char placement;
} Frame;
Frame      MakeFrame(const XRectangle *area, unsigned char placement);
int        FrameLength(const Frame *f);     // extent along the bar
int        FrameThickness(const Frame *f);  // extent across it
XPoint     FramePoint(const Frame *f, int u, int v);
XSegment   FrameSegment(const Frame *f, int u1, int v1, int u2, int v2);
XRectangle FrameRect(const Frame *f, int u, int v, int length, int thickness);

// A shadow st lines thick, drawn in one request: line i runs from
// (u1 + i du1, v1 + i dv1) to (u2 + i du2, v2 + i dv2) in the frame.
typedef struct {
    int u1, v1, u2, v2;
    int du1, dv1, du2, dv2;
} Shade;
void DrawShade(XmLFolderWidget fw, const Frame *f, int mode, const Shade &s);

void    DrawTabOutline(XmLFolderWidget fw, Widget tab);
Boolean TestArcDrawing(Display *display, int debug);

// Activation, focus and actions (FolderActivate.cpp).
void SetActiveTab(XmLFolderWidget fw, Widget tab, XEvent *event, Boolean notify);
void TabActivateCB(Widget tab, XtPointer clientData, XtPointer callData);
void Activate(Widget w, XEvent *event, String *params, Cardinal *count);
void PrimFocusIn(Widget w, XEvent *event, String *params, Cardinal *count);
void PrimFocusOut(Widget w, XEvent *event, String *params, Cardinal *count);

}   // namespace FolderP

#endif
