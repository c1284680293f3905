// Folder.cpp - XmLFolder: resources, class record, life cycle of the folder and its children.
#include "widgets/Folder.h"
#include "widgets/FolderP.h"
#include "widgets/XmLP.h"

#include <Xm/DrawnB.h>
#include <Xm/Label.h>
#include <Xm/Primitive.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

using namespace FolderP;

// ---- Declarations

static void    ClassInitialize(void);
static void    Initialize(Widget request, Widget nw, ArgList args, Cardinal *argCount);
static void    FolderRealize(Widget w, XtValueMask *mask, XSetWindowAttributes *attributes);
static void    FolderDestroy(Widget w);
static Boolean SetValues(Widget cur, Widget request, Widget nw, ArgList args, Cardinal *argCount);
static void    ConstraintInit(Widget request, Widget nw, ArgList args, Cardinal *argCount);
static void    ConstraintDestroy(Widget w);
static Boolean ConstraintSetValues(Widget cur, Widget request, Widget nw, ArgList args,
                                   Cardinal *argCount);
static void    GetCoreBackground(Widget w, int offset, XrmValue *value);
static void    GetManagerForeground(Widget w, int offset, XrmValue *value);
static Boolean CvtStringToCornerStyle(Display *display, XrmValuePtr args, Cardinal *argCount,
                                      XrmValuePtr from, XrmValuePtr to, XtPointer *data);
static Boolean CvtStringToFolderResizePolicy(Display *display, XrmValuePtr args,
                                             Cardinal *argCount, XrmValuePtr from,
                                             XrmValuePtr to, XtPointer *data);
static Boolean CvtStringToTabPlacement(Display *display, XrmValuePtr args, Cardinal *argCount,
                                       XrmValuePtr from, XrmValuePtr to, XtPointer *data);

// The tab array starts this large and doubles when full.
static const int sFirstTabAlloc = 32;

// ---- Resources, actions and translations

#define FOLDER_OFFSET(field) XtOffsetOf(XmLFolderRec, folder.field)
#define TAB_OFFSET(field)    XtOffsetOf(XmLFolderConstraintRec, folder.field)

static XtResource resources[] = {
    {(char *)XmNactivateCallback, (char *)XmCCallback, XmRCallback, sizeof(XtCallbackList),
     FOLDER_OFFSET(activateCallback), XmRImmediate, (XtPointer)NULL},
    {(char *)XmNactiveTab, (char *)XmCActiveTab, XmRInt, sizeof(int),
     FOLDER_OFFSET(activeTab), XmRImmediate, (XtPointer)-1},
    {(char *)XmNautoSelect, (char *)XmCAutoSelect, XmRBoolean, sizeof(Boolean),
     FOLDER_OFFSET(autoSelect), XmRImmediate, (XtPointer)True},
    {(char *)XmNblankBackground, (char *)XmCBlankBackground, XmRPixel, sizeof(Pixel),
     FOLDER_OFFSET(blankBackground), XmRCallProc, (XtPointer)GetCoreBackground},
    {(char *)XmNblankBackgroundPixmap, (char *)XmCBlankBackgroundPixmap, XmRManForegroundPixmap,
     sizeof(Pixmap), FOLDER_OFFSET(blankBackgroundPixmap), XmRImmediate,
     (XtPointer)XmUNSPECIFIED_PIXMAP},
    {(char *)XmNcornerDimension, (char *)XmCCornerDimension, XmRDimension, sizeof(Dimension),
     FOLDER_OFFSET(cornerDimension), XmRImmediate, (XtPointer)2},
    {(char *)XmNcornerStyle, (char *)XmCCornerStyle, XmRCornerStyle, sizeof(unsigned char),
     FOLDER_OFFSET(cornerStyle), XmRImmediate, (XtPointer)XmCORNER_ARC},
    {(char *)XmNfontList, (char *)XmCFontList, XmRFontList, sizeof(XmFontList),
     FOLDER_OFFSET(fontList), XmRImmediate, (XtPointer)NULL},
    {(char *)XmNhighlightThickness, (char *)XmCHighlightThickness, XmRDimension,
     sizeof(Dimension), FOLDER_OFFSET(highlightThickness), XmRImmediate, (XtPointer)2},
    {(char *)XmNinactiveBackground, (char *)XmCInactiveBackground, XmRPixel, sizeof(Pixel),
     FOLDER_OFFSET(inactiveBackground), XmRCallProc, (XtPointer)GetCoreBackground},
    {(char *)XmNinactiveForeground, (char *)XmCInactiveForeground, XmRPixel, sizeof(Pixel),
     FOLDER_OFFSET(inactiveForeground), XmRCallProc, (XtPointer)GetManagerForeground},
    {(char *)XmNmarginHeight, (char *)XmCMarginHeight, XmRDimension, sizeof(Dimension),
     FOLDER_OFFSET(marginHeight), XmRImmediate, (XtPointer)0},
    {(char *)XmNmarginWidth, (char *)XmCMarginWidth, XmRDimension, sizeof(Dimension),
     FOLDER_OFFSET(marginWidth), XmRImmediate, (XtPointer)0},
    {(char *)XmNpixmapMargin, (char *)XmCPixmapMargin, XmRDimension, sizeof(Dimension),
     FOLDER_OFFSET(pixmapMargin), XmRImmediate, (XtPointer)2},
    {(char *)XmNresizePolicy, (char *)XmCFolderResizePolicy, XmRFolderResizePolicy,
     sizeof(unsigned char), FOLDER_OFFSET(resizePolicy), XmRImmediate,
     (XtPointer)XmRESIZE_STATIC},
    {(char *)XmNrotateWhenLeftRight, (char *)XmCRotateWhenLeftRight, XmRBoolean,
     sizeof(Boolean), FOLDER_OFFSET(rotateWhenLeftRight), XmRImmediate, (XtPointer)True},
    {(char *)XmNspacing, (char *)XmCSpacing, XmRDimension, sizeof(Dimension),
     FOLDER_OFFSET(spacing), XmRImmediate, (XtPointer)0},
    {(char *)XmNtabBarHeight, (char *)XmCTabBarHeight, XmRDimension, sizeof(Dimension),
     FOLDER_OFFSET(tabBarHeight), XmRImmediate, (XtPointer)0},
    {(char *)XmNtabCount, (char *)XmCTabCount, XmRInt, sizeof(int),
     FOLDER_OFFSET(tabCount), XmRImmediate, (XtPointer)0},
    {(char *)XmNtabPlacement, (char *)XmCTabPlacement, XmRTabPlacement, sizeof(unsigned char),
     FOLDER_OFFSET(tabPlacement), XmRImmediate, (XtPointer)XmFOLDER_TOP},
    {(char *)XmNtabsPerRow, (char *)XmCTabsPerRow, XmRInt, sizeof(int),
     FOLDER_OFFSET(tabsPerRow), XmRImmediate, (XtPointer)0},
    {(char *)XmNtabWidgetList, (char *)XmCReadOnly, XmRPointer, sizeof(XtPointer),
     FOLDER_OFFSET(tabWidgetList), XmRImmediate, (XtPointer)NULL},
    {(char *)XmNtabTranslations, (char *)XmCTranslations, XmRTranslationTable,
     sizeof(XtTranslations), FOLDER_OFFSET(tabTranslations), XmRString,
     (XtPointer)"<FocusIn>: XmLFolderPrimFocusIn() PrimitiveFocusIn()\n"
                "<FocusOut>: XmLFolderPrimFocusOut() PrimitiveFocusOut()"},
    {(char *)XmNdebugLevel, (char *)XmCDebugLevel, XmRInt, sizeof(int),
     FOLDER_OFFSET(debugLevel), XmRImmediate, (XtPointer)0},
    {(char *)XmNshadowThickness, (char *)XmCShadowThickness, XmRHorizontalDimension,
     sizeof(Dimension), XtOffsetOf(XmLFolderRec, manager.shadow_thickness), XmRImmediate,
     (XtPointer)2},
};

static XtResource constraintResources[] = {
    {(char *)XmNtabFreePixmaps, (char *)XmCTabFreePixmaps, XmRBoolean, sizeof(Boolean),
     TAB_OFFSET(tabFreePixmaps), XmRImmediate, (XtPointer)False},
    {(char *)XmNtabInactivePixmap, (char *)XmCTabInactivePixmap, XmRPrimForegroundPixmap,
     sizeof(Pixmap), TAB_OFFSET(tabInactivePixmap), XmRImmediate,
     (XtPointer)XmUNSPECIFIED_PIXMAP},
    {(char *)XmNtabManagedName, (char *)XmCTabManagedName, XmRString, sizeof(String),
     TAB_OFFSET(tabManagedName), XmRImmediate, (XtPointer)NULL},
    {(char *)XmNtabManagedWidget, (char *)XmCTabManagedWidget, XmRWidget, sizeof(Widget),
     TAB_OFFSET(tabManagedWidget), XmRImmediate, (XtPointer)NULL},
    {(char *)XmNtabPixmap, (char *)XmCTabPixmap, XmRPrimForegroundPixmap, sizeof(Pixmap),
     TAB_OFFSET(tabPixmap), XmRImmediate, (XtPointer)XmUNSPECIFIED_PIXMAP},
};

static XtActionsRec actions[] = {
    {(char *)"XmLFolderActivate", Activate},
    {(char *)"XmLFolderPrimFocusIn", PrimFocusIn},
    {(char *)"XmLFolderPrimFocusOut", PrimFocusOut},
};

static const char sTranslations[] =
    "<Btn1Down>: XmLFolderActivate()\n"
    "<EnterWindow>:   ManagerEnter()\n"
    "<LeaveWindow>:   ManagerLeave()\n"
    "<FocusOut>:      ManagerFocusOut()\n"
    "<FocusIn>:       ManagerFocusIn()";

// ---- Class record

XmLFolderClassRec xmlFolderClassRec = {
    {   // core
        (WidgetClass)&xmManagerClassRec,    // superclass
        (char *)"XmLFolder",                // class_name
        sizeof(XmLFolderRec),               // widget_size
        ClassInitialize,                    // class_initialize
        NULL,                               // class_part_initialize
        False,                              // class_inited
        Initialize,                         // initialize
        NULL,                               // initialize_hook
        FolderRealize,                      // realize
        actions,                            // actions
        XtNumber(actions),                  // num_actions
        resources,                          // resources
        XtNumber(resources),                // num_resources
        NULLQUARK,                          // xrm_class
        True,                               // compress_motion
        XtExposeCompressMultiple,           // compress_exposure
        True,                               // compress_enterleave
        True,                               // visible_interest
        FolderDestroy,                      // destroy
        FolderResize,                       // resize
        Redisplay,                          // expose
        SetValues,                          // set_values
        NULL,                               // set_values_hook
        XtInheritSetValuesAlmost,           // set_values_almost
        NULL,                               // get_values_hook
        NULL,                               // accept_focus
        XtVersion,                          // version
        NULL,                               // callback_private
        (char *)sTranslations,              // tm_table
        NULL,                               // query_geometry
        NULL,                               // display_accelerator
        NULL,                               // extension
    },
    {   // composite
        FolderGeometryManager,              // geometry_manager
        FolderChangeManaged,                // change_managed
        XtInheritInsertChild,               // insert_child
        XtInheritDeleteChild,               // delete_child
        NULL,                               // extension
    },
    {   // constraint
        constraintResources,                // resources
        XtNumber(constraintResources),      // num_resources
        sizeof(XmLFolderConstraintRec),     // constraint_size
        ConstraintInit,                     // initialize
        ConstraintDestroy,                  // destroy
        ConstraintSetValues,                // set_values
        NULL,                               // extension
    },
    {   // manager
        XtInheritTranslations,              // translations
        NULL,                               // syn_resources
        0,                                  // num_syn_resources
        NULL,                               // syn_constraint_resources
        0,                                  // num_syn_constraint_resources
        XmInheritParentProcess,             // parent_process
        NULL,                               // extension
    },
    {   // folder
        0,                                  // unused
    },
};

WidgetClass xmlFolderWidgetClass = (WidgetClass)&xmlFolderClassRec;

// ---- Shared helpers

Boolean FolderP::IsTab(Widget child)
{
    return XmIsPrimitive(child);
}

Boolean FolderP::IsBody(Widget child)
{
    return XtIsRectObj(child) && !XmIsPrimitive(child);
}

Boolean FolderP::HasPixmap(Pixmap pixmap)
{
    return pixmap != XmUNSPECIFIED_PIXMAP && pixmap != None;
}

void FolderP::Trace(XmLFolderWidget fw, int level, const char *format, ...)
{
    if (fw->folder.debugLevel < level)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
}

// A copy the caller frees; the name may be of any length.
static char *CopyString(const char *text)
{
    size_t length = strlen(text) + 1;
    char *copy = (char *)XmLCalloc(length, 1);
    memcpy(copy, text, length);
    return copy;
}

// ---- Class methods

static void ClassInitialize(void)
{
    XmLInitialize();
    XtSetTypeConverter(XmRString, XmRCornerStyle, CvtStringToCornerStyle, NULL, 0, XtCacheNone,
                       NULL);
    XtSetTypeConverter(XmRString, XmRFolderResizePolicy, CvtStringToFolderResizePolicy, NULL, 0,
                       XtCacheNone, NULL);
    XtSetTypeConverter(XmRString, XmRTabPlacement, CvtStringToTabPlacement, NULL, 0,
                       XtCacheNone, NULL);
}

static void FolderCopyFontList(XmLFolderWidget fw)
{
    XmFontList given = fw->folder.fontList;
    fw->folder.fontList = given ? XmFontListCopy(given) : XmLFontListCopyDefault((Widget)fw);
    if (!fw->folder.fontList)
        XmLWarning((Widget)fw, "- fatal error - font list NULL");
}

static void Initialize(Widget request, Widget nw, ArgList, Cardinal *)
{
    XmLFolderWidget fw = (XmLFolderWidget)nw;
    XmLFolderPart *f = &fw->folder;
    if (request->core.width == 0)
        nw->core.width = 100;
    if (request->core.height == 0)
        nw->core.height = 100;
    f->gc = NULL;
    f->tabAllocCount = sFirstTabAlloc;
    f->tabWidgetList = (WidgetList)XmLCalloc(sFirstTabAlloc, sizeof(Widget));
    f->tabHeight = f->tabWidth = 0;
    f->activeTabWidget = f->focusTab = NULL;
    f->allowLayout = True;
    f->activeRow = -1;
    FolderCopyFontList(fw);
    if (f->tabBarHeight) {
        XmLWarning(nw, "Initialize() - can't set tabBarHeight");
        f->tabBarHeight = 0;
    }
    if (f->tabCount) {
        XmLWarning(nw, "Initialize() - can't set tabCount");
        f->tabCount = 0;
    }
    if (f->activeTab != -1) {
        XmLWarning(nw, "Initialize() - can't set activeTab");
        f->activeTab = -1;
    }
    if (f->cornerDimension < 1) {
        XmLWarning(nw, "Initialize() - cornerDimension can't be < 1");
        f->cornerDimension = 1;
    }
    f->serverDrawsArcsLarge = TestArcDrawing(XtDisplay(nw), f->debugLevel);
}

static void FolderRealize(Widget w, XtValueMask *mask, XSetWindowAttributes *attributes)
{
    XmLFolderWidget fw = (XmLFolderWidget)w;
    (*xmlFolderClassRec.core_class.superclass->core_class.realize)(w, mask, attributes);
    if (fw->folder.gc)
        return;
    XGCValues values;
    values.foreground = fw->manager.foreground;
    fw->folder.gc = XCreateGC(XtDisplay(w), XtWindow(w), GCForeground, &values);
    if (fw->folder.autoSelect && fw->folder.tabCount > 0)
        XmLFolderSetActiveTab(w, 0, False);
}

static void FolderDestroy(Widget w)
{
    XmLFolderWidget fw = (XmLFolderWidget)w;
    free(fw->folder.tabWidgetList);
    if (fw->folder.gc)
        XFreeGC(XtDisplay(w), fw->folder.gc);
    if (fw->folder.fontList)
        XmFontListFree(fw->folder.fontList);
}

// The fields only the folder sets: a caller's value is refused and the folder's kept.
static void KeepReadOnly(XmLFolderWidget was, XmLFolderWidget now)
{
    Widget w = (Widget)now;
    XmLFolderPart *a = &was->folder, *b = &now->folder;
    if (b->tabBarHeight != a->tabBarHeight) {
        XmLWarning(w, "SetValues() - can't set tabBarHeight");
        b->tabBarHeight = a->tabBarHeight;
    }
    if (b->tabCount != a->tabCount) {
        XmLWarning(w, "SetValues() - can't set tabCount");
        b->tabCount = a->tabCount;
    }
    if (b->activeTab != a->activeTab) {
        XmLWarning(w, "SetValues() - can't set activeTab");
        b->activeTab = a->activeTab;
    }
    if (b->tabWidgetList != a->tabWidgetList) {
        XmLWarning(w, "SetValues() - can't set tabWidgetList");
        b->tabWidgetList = a->tabWidgetList;
    }
    if (b->cornerDimension < 1) {
        XmLWarning(w, "SetValues() - cornerDimension can't be < 1");
        b->cornerDimension = a->cornerDimension;
    }
}

static void SetAllTabsDrawnButton(XmLFolderWidget fw)
{
    // The tabs' new sizes come back as geometry requests; one layout follows.
    fw->folder.allowLayout = False;
    for (int i = 0; i < fw->folder.tabCount; i++)
        SetTabDrawnButton(fw, fw->folder.tabWidgetList[i]);
    fw->folder.allowLayout = True;
}

static bool LayoutChanged(XmLFolderWidget was, XmLFolderWidget now)
{
    const XmLFolderPart *a = &was->folder, *b = &now->folder;
    return a->cornerDimension != b->cornerDimension || a->cornerStyle != b->cornerStyle ||
           a->highlightThickness != b->highlightThickness ||
           a->marginWidth != b->marginWidth || a->marginHeight != b->marginHeight ||
           a->pixmapMargin != b->pixmapMargin ||
           was->manager.shadow_thickness != now->manager.shadow_thickness ||
           a->tabsPerRow != b->tabsPerRow || a->spacing != b->spacing;
}

static Boolean SetValues(Widget cur, Widget, Widget nw, ArgList, Cardinal *)
{
    XmLFolderWidget was = (XmLFolderWidget)cur, now = (XmLFolderWidget)nw;
    const XmLFolderPart *a = &was->folder;
    XmLFolderPart *b = &now->folder;
    KeepReadOnly(was, now);
    bool layout = false;
    if (b->tabPlacement != a->tabPlacement || b->rotateWhenLeftRight != a->rotateWhenLeftRight) {
        SetAllTabsDrawnButton(now);
        layout = true;
    }
    bool redraw = b->inactiveBackground != a->inactiveBackground ||
                  b->blankBackground != a->blankBackground ||
                  b->blankBackgroundPixmap != a->blankBackgroundPixmap ||
                  b->inactiveForeground != a->inactiveForeground;
    layout = layout || LayoutChanged(was, now);
    if (b->fontList != a->fontList) {
        if (a->fontList)
            XmFontListFree(a->fontList);
        FolderCopyFontList(now);
    }
    if (layout)
        Layout(now, True);
    return redraw;
}

// ---- Constraint methods

static void AppendTab(XmLFolderWidget fw, Widget tab)
{
    XmLFolderPart *f = &fw->folder;
    if (f->tabCount == f->tabAllocCount) {
        int size = f->tabAllocCount * 2;
        WidgetList list = (WidgetList)XmLCalloc((size_t)size, sizeof(Widget));
        memcpy(list, f->tabWidgetList, (size_t)f->tabCount * sizeof(Widget));
        free(f->tabWidgetList);
        f->tabWidgetList = list;
        f->tabAllocCount = size;
    }
    f->tabWidgetList[f->tabCount++] = tab;
}

// Motif's Labels have no activate callback list; asking Xt for one would warn.
static Boolean HasActivateCallback(Widget tab)
{
    return XtHasCallbacks(tab, XmNactivateCallback) != XtCallbackNoList;
}

static void InitTab(XmLFolderWidget fw, Widget tab)
{
    if (fw->folder.tabTranslations)
        XtOverrideTranslations(tab, fw->folder.tabTranslations);
    if (HasActivateCallback(tab))
        XtAddCallback(tab, XmNactivateCallback, TabActivateCB, NULL);
    XtVaSetValues(tab, XmNhighlightThickness, 0, XmNshadowThickness, 0, NULL);
    if (XmIsLabel(tab))
        XtVaSetValues(tab, XmNfillOnArm, False, NULL);
    AppendTab(fw, tab);
}

static void ConstraintInit(Widget, Widget nw, ArgList, Cardinal *)
{
    if (!XtIsRectObj(nw))
        return;
    XmLFolderWidget fw = (XmLFolderWidget)XtParent(nw);
    Trace(fw, 1, "XmLFolder: Constraint Init\n");
    XmLFolderConstraintPart *c = XmLFolderConstraints(nw);
    c->x = c->y = 0;
    c->width = c->height = 0;
    c->maxPixmapWidth = c->maxPixmapHeight = 0;
    c->pixmapWidth = c->pixmapHeight = c->inactPixmapWidth = c->inactPixmapHeight = 0;
    c->pixmapDepth = c->inactPixmapDepth = 0;
    c->row = -1;
    c->firstInRow = False;
    if (c->tabManagedName)
        c->tabManagedName = CopyString(c->tabManagedName);
    if (IsTab(nw))
        InitTab(fw, nw);
    if (XmIsDrawnButton(nw))
        SetTabDrawnButton(fw, nw);
}

// Drops the tab from the tab list, keeping order, and renumbers the active tab.
static void RemoveTab(XmLFolderWidget fw, Widget tab)
{
    XmLFolderPart *f = &fw->folder;
    if (HasActivateCallback(tab))
        XtRemoveCallback(tab, XmNactivateCallback, TabActivateCB, NULL);
    int kept = 0, active = -1;
    for (int i = 0; i < f->tabCount; i++) {
        if (f->tabWidgetList[i] == tab)
            continue;
        if (f->tabWidgetList[i] == f->activeTabWidget)
            active = kept;
        f->tabWidgetList[kept++] = f->tabWidgetList[i];
    }
    if (kept != f->tabCount - 1)
        XmLWarning((Widget)fw, "ConstraintDestroy() - bad child list");
    f->tabCount = kept;
    f->activeTab = active;
    if (active == -1)
        f->activeTabWidget = NULL;
}

// A tab that still named the child being destroyed as its page would later
// manage freed memory.
static void ForgetPage(XmLFolderWidget fw, Widget page)
{
    CompositePart *children = &fw->composite;
    for (Cardinal i = 0; i < children->num_children; i++) {
        Widget child = children->children[i];
        if (child != page && XtIsRectObj(child) &&
            XmLFolderConstraints(child)->tabManagedWidget == page)
            XmLFolderConstraints(child)->tabManagedWidget = NULL;
    }
}

static void FreeTabPixmaps(Widget w, XmLFolderConstraintPart *c)
{
    if (!c->tabFreePixmaps)
        return;
    if (HasPixmap(c->tabPixmap))
        XFreePixmap(XtDisplay(w), c->tabPixmap);
    // One pixmap may serve both states; a second free would be a BadPixmap error.
    if (HasPixmap(c->tabInactivePixmap) && c->tabInactivePixmap != c->tabPixmap)
        XFreePixmap(XtDisplay(w), c->tabInactivePixmap);
}

static void ConstraintDestroy(Widget w)
{
    if (!XtIsRectObj(w))
        return;
    XmLFolderWidget fw = (XmLFolderWidget)XtParent(w);
    Trace(fw, 1, "XmLFolder: Constraint Destroy\n");
    if (fw->folder.focusTab == w)
        fw->folder.focusTab = NULL;
    XmLFolderConstraintPart *c = XmLFolderConstraints(w);
    free(c->tabManagedName);
    c->tabManagedName = NULL;
    FreeTabPixmaps(w, c);
    if (IsTab(w))
        RemoveTab(fw, w);
    // While the folder itself goes, its child list holds children already freed.
    if (!fw->core.being_destroyed)
        ForgetPage(fw, w);
}

static bool ArgsHold(ArgList args, Cardinal count, const char *name)
{
    for (Cardinal i = 0; i < count; i++) {
        if (strcmp(args[i].name, name) == 0)
            return true;
    }
    return false;
}

static Boolean ConstraintSetValues(Widget cur, Widget, Widget nw, ArgList args,
                                   Cardinal *argCount)
{
    if (!XtIsRectObj(nw))
        return False;
    XmLFolderWidget fw = (XmLFolderWidget)XtParent(nw);
    XmLFolderConstraintPart *was = XmLFolderConstraints(cur), *now = XmLFolderConstraints(nw);
    if (now->tabManagedName != was->tabManagedName) {
        free(was->tabManagedName);
        if (now->tabManagedName)
            now->tabManagedName = CopyString(now->tabManagedName);
    }
    unsigned char placement = fw->folder.tabPlacement;
    if (IsTab(nw) && ArgsHold(args, *argCount, XmNlabelString)) {
        if (placement == XmFOLDER_LEFT || placement == XmFOLDER_RIGHT)
            SetAllTabsDrawnButton(fw);
        Layout(fw, True);
    } else if (now->tabPixmap != was->tabPixmap ||
               now->tabInactivePixmap != was->tabInactivePixmap) {
        Layout(fw, True);
    }
    return False;
}

// ---- Resource defaults and converters

static void GetCoreBackground(Widget w, int, XrmValue *value)
{
    static Pixel pixel;
    pixel = w->core.background_pixel;
    value->addr = (XPointer)&pixel;
    value->size = sizeof(Pixel);
}

static void GetManagerForeground(Widget w, int, XrmValue *value)
{
    static Pixel pixel;
    pixel = ((XmManagerWidget)w)->manager.foreground;
    value->addr = (XPointer)&pixel;
    value->size = sizeof(Pixel);
}

static Boolean CvtStringToCornerStyle(Display *display, XrmValuePtr, Cardinal *,
                                      XrmValuePtr from, XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"CORNER_NONE", XmCORNER_NONE},
        {"CORNER_LINE", XmCORNER_LINE},
        {"CORNER_ARC", XmCORNER_ARC},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRCornerStyle", map, from, to);
}

static Boolean CvtStringToFolderResizePolicy(Display *display, XrmValuePtr, Cardinal *,
                                             XrmValuePtr from, XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"RESIZE_NONE", XmRESIZE_NONE},
        {"RESIZE_STATIC", XmRESIZE_STATIC},
        {"RESIZE_DYNAMIC", XmRESIZE_DYNAMIC},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRFolderResizePolicy", map, from, to);
}

static Boolean CvtStringToTabPlacement(Display *display, XrmValuePtr, Cardinal *,
                                       XrmValuePtr from, XrmValuePtr to, XtPointer *)
{
    static const XmLStringToUCharMap map[] = {
        {"FOLDER_TOP", XmFOLDER_TOP},
        {"FOLDER_LEFT", XmFOLDER_LEFT},
        {"FOLDER_BOTTOM", XmFOLDER_BOTTOM},
        {"FOLDER_RIGHT", XmFOLDER_RIGHT},
        {NULL, 0},
    };
    return XmLCvtStringToUChar(display, "XmRTabPlacement", map, from, to);
}
