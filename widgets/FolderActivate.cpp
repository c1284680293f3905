// FolderActivate.cpp - XmLFolder: tab activation, focus actions and the public functions.
#include "widgets/FolderP.h"
#include "widgets/XmLP.h"

#include <Xm/DrawnB.h>
#include <Xm/Form.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace FolderP;

// ---- Activation

static int TabPosition(XmLFolderWidget fw, Widget tab)
{
    for (int i = 0; i < fw->folder.tabCount; i++) {
        if (fw->folder.tabWidgetList[i] == tab)
            return i;
    }
    return -1;
}

static bool CanDraw(XmLFolderWidget fw)
{
    return XtIsRealized((Widget)fw) && fw->core.visible;
}

// Clears the tab's area and its opening in the body frame, so it is redrawn.
static void ClearTab(XmLFolderWidget fw, Widget tab)
{
    XRectangle r;
    GetTabRect(fw, tab, &r, True);
    // A width of 0 would tell the server to clear to the window's edge.
    if (r.width && r.height)
        XClearArea(XtDisplay(fw), XtWindow(fw), r.x, r.y, r.width, r.height, True);
}

// Warns on the tab whose page name matches no body child; any name length will do.
static void WarnPageNotFound(Widget tab, const char *name)
{
    const char *format = "SetActiveTab() - managed widget named %s not found";
    int length = snprintf(NULL, 0, format, name);
    char *text = (char *)XmLCalloc((size_t)length + 1, 1);
    snprintf(text, (size_t)length + 1, format, name);
    XmLWarning(tab, text);
    free(text);
}

// The body child a tab shows, or null. The last child that matches its page name wins.
static Widget PageOf(XmLFolderWidget fw, Widget tab)
{
    const char *name = XmLFolderConstraints(tab)->tabManagedName;
    if (!name)
        return XmLFolderConstraints(tab)->tabManagedWidget;
    Widget page = NULL;
    CompositePart *children = &fw->composite;
    for (Cardinal i = 0; i < children->num_children; i++) {
        Widget child = children->children[i];
        if (!IsBody(child))
            continue;
        const char *childName = XmLFolderConstraints(child)->tabManagedName;
        if (strcmp(XtName(child), name) == 0 || (childName && strcmp(childName, name) == 0))
            page = child;
    }
    if (!page)
        WarnPageNotFound(tab, name);
    return page;
}

// Shows the active tab's page and hides every other tab's.
static void ShowPages(XmLFolderWidget fw, Widget active)
{
    fw->folder.allowLayout = False;
    CompositePart *children = &fw->composite;
    for (Cardinal i = 0; i < children->num_children; i++) {
        Widget tab = children->children[i];
        if (!IsTab(tab))
            continue;
        Widget page = PageOf(fw, tab);
        if (!page || page->core.being_destroyed)
            continue;
        if (tab == active && !XtIsManaged(page))
            XtManageChild(page);
        else if (tab != active && XtIsManaged(page))
            XtUnmanageChild(page);
    }
    fw->folder.allowLayout = True;
}

static bool Going(Widget w)
{
    return w->core.being_destroyed;
}

static void MarkGoneCB(Widget, XtPointer clientData, XtPointer)
{
    *(bool *)clientData = true;
}

// Outside event dispatch Xt frees a destroyed widget at once, its callback lists
// too, even the one it is calling. So the callbacks are called from a copy, and
// the calls stop once the folder is gone.
static void CallActivateCallbacks(XmLFolderWidget fw, XmLFolderCallbackStruct *cbs,
                                  const bool *folderGone)
{
    XtCallbackList list = NULL;
    XtVaGetValues((Widget)fw, XmNactivateCallback, &list, NULL);
    std::vector<XtCallbackRec> calls;
    for (; list && list->callback; list++)
        calls.push_back(*list);
    for (const XtCallbackRec &call : calls) {
        call.callback((Widget)fw, call.closure, (XtPointer)cbs);
        if (*folderGone)
            return;
    }
}

// Calls activateCallback and tells whether the activation may go on: not when a
// callback refused it, nor when it destroyed the folder or the tab. A widget freed
// at once shows only through its destroy callback; inside event dispatch Xt just
// marks it, and a destroy in progress counts as gone too.
static bool AskToActivate(XmLFolderWidget fw, Widget tab, int pos, XEvent *event)
{
    XmLFolderCallbackStruct cbs;
    cbs.reason = XmCR_ACTIVATE;
    cbs.event = event;
    cbs.pos = pos;
    cbs.allowActivate = True;
    Trace(fw, 1, "XmLFolder: activated %d\n", pos);
    Widget w = (Widget)fw;
    bool folderGone = false, tabGone = false;
    XtAddCallback(w, XmNdestroyCallback, MarkGoneCB, &folderGone);
    XtAddCallback(tab, XmNdestroyCallback, MarkGoneCB, &tabGone);
    CallActivateCallbacks(fw, &cbs, &folderGone);
    if (folderGone)
        return false;           // freed, and its tabs with it
    XtRemoveCallback(w, XmNdestroyCallback, MarkGoneCB, &folderGone);
    if (tabGone)
        return false;
    XtRemoveCallback(tab, XmNdestroyCallback, MarkGoneCB, &tabGone);
    return cbs.allowActivate && !Going(w) && !Going(tab);
}

// Marks the tab active, shows its page and gives it the focus.
static void MakeActive(XmLFolderWidget fw, Widget tab)
{
    XmLFolderPart *f = &fw->folder;
    bool drawable = CanDraw(fw);
    if (drawable && f->activeTabWidget)
        ClearTab(fw, f->activeTabWidget);
    f->activeTab = TabPosition(fw, tab);
    f->activeTabWidget = tab;
    if (f->tabsPerRow > 0 && XmLFolderConstraints(tab)->row != f->activeRow)
        Layout(fw, False);      // the tab's row moves next to the body
    ShowPages(fw, tab);
    if (drawable) {
        ClearTab(fw, tab);
        XmProcessTraversal(tab, XmTRAVERSE_CURRENT);
    }
}

void FolderP::SetActiveTab(XmLFolderWidget fw, Widget tab, XEvent *event, Boolean notify)
{
    if (!tab || tab == fw->folder.activeTabWidget || Going((Widget)fw) || Going(tab))
        return;
    if (notify && !AskToActivate(fw, tab, TabPosition(fw, tab), event))
        return;
    // A callback may have activated this tab itself, or added and removed tabs.
    if (tab != fw->folder.activeTabWidget)
        MakeActive(fw, tab);
}

void FolderP::TabActivateCB(Widget tab, XtPointer, XtPointer callData)
{
    XmAnyCallbackStruct *cbs = (XmAnyCallbackStruct *)callData;
    SetActiveTab((XmLFolderWidget)XtParent(tab), tab, cbs ? cbs->event : NULL, True);
}

// ---- Actions

void FolderP::Activate(Widget w, XEvent *event, String *, Cardinal *)
{
    XmLFolderWidget fw = (XmLFolderWidget)w;
    if (!event || event->type != ButtonPress)
        return;
    int x = event->xbutton.x, y = event->xbutton.y;
    Trace(fw, 1, "XmLFolder: ButtonPress %d %d\n", x, y);
    for (int i = 0; i < fw->folder.tabCount; i++) {
        Widget tab = fw->folder.tabWidgetList[i];
        if (!XtIsManaged(tab) || !XtIsSensitive(tab))
            continue;
        XRectangle r;
        GetTabRect(fw, tab, &r, False);
        // The area's own edge pixels are not part of the tab.
        if (x > r.x && x < r.x + r.width && y > r.y && y < r.y + r.height) {
            Trace(fw, 1, "XmLFolder: Pressed tab %d\n", i);
            SetActiveTab(fw, tab, event, True);
            return;
        }
    }
}

// The folder of a tab whose focus actions run; null when the tab's parent is
// no folder (its translations may have been copied to another widget).
static XmLFolderWidget FolderOfTab(Widget tab)
{
    Widget parent = XtParent(tab);
    if (!parent || !XtIsSubclass(parent, xmlFolderWidgetClass))
        return NULL;
    return (XmLFolderWidget)parent;
}

void FolderP::PrimFocusIn(Widget w, XEvent *, String *, Cardinal *)
{
    XmLFolderWidget fw = FolderOfTab(w);
    if (!fw)
        return;
    Widget old = fw->folder.focusTab;
    fw->folder.focusTab = w;
    DrawTabHighlight(fw, w);
    if (old && old != w)
        DrawTabHighlight(fw, old);
    XmProcessTraversal(w, XmTRAVERSE_CURRENT);
}

void FolderP::PrimFocusOut(Widget w, XEvent *, String *, Cardinal *)
{
    XmLFolderWidget fw = FolderOfTab(w);
    if (!fw)
        return;
    Widget old = fw->folder.focusTab;
    fw->folder.focusTab = NULL;
    if (old)
        DrawTabHighlight(fw, old);
    DrawTabHighlight(fw, w);
}

// ---- Public functions

static XmLFolderWidget AsFolder(Widget w, const char *function)
{
    if (!w || !XtIsSubclass(w, xmlFolderWidgetClass)) {
        if (w) {
            std::string text = std::string(function) + "() - widget not a XmLFolder";
            XmLWarning(w, text.c_str());
        }
        return NULL;
    }
    return (XmLFolderWidget)w;
}

Widget XmLCreateFolder(Widget parent, char *name, ArgList args, Cardinal argCount)
{
    return XtCreateWidget(name, xmlFolderWidgetClass, parent, args, argCount);
}

static Widget AddTab(XmLFolderWidget fw, XmString label, Pixmap active, Pixmap inactive)
{
    char name[32];
    snprintf(name, sizeof name, "tab%d", fw->folder.tabCount);
    Arg args[7];
    Cardinal n = 0;
    XtSetArg(args[n], XmNfontList, fw->folder.fontList); n++;
    XtSetArg(args[n], XmNmarginWidth, 0); n++;
    XtSetArg(args[n], XmNmarginHeight, 0); n++;
    XtSetArg(args[n], XmNlabelString, label); n++;
    if (active != XmUNSPECIFIED_PIXMAP) {
        XtSetArg(args[n], XmNtabPixmap, active); n++;
        XtSetArg(args[n], XmNtabInactivePixmap, inactive); n++;
        XtSetArg(args[n], XmNtabFreePixmaps, True); n++;
    }
    return XtCreateManagedWidget(name, xmDrawnButtonWidgetClass, (Widget)fw, args, n);
}

Widget XmLFolderAddTab(Widget w, XmString label)
{
    XmLFolderWidget fw = AsFolder(w, "AddTab");
    return fw ? AddTab(fw, label, XmUNSPECIFIED_PIXMAP, XmUNSPECIFIED_PIXMAP) : NULL;
}

// The bitmap in the given colours, at the depth of the folder's own window,
// which the folder copies it to.
static Pixmap BitmapPixmap(XmLFolderWidget fw, char *data, int width, int height,
                           Pixel foreground, Pixel background)
{
    Screen *screen = XtScreen(fw);
    return XCreatePixmapFromBitmapData(XtDisplay(fw), RootWindowOfScreen(screen), data,
                                       (unsigned)width, (unsigned)height, foreground,
                                       background, fw->core.depth);
}

static Widget AddBitmapTab(XmLFolderWidget fw, XmString label, char *data, int width,
                           int height, const char *function)
{
    if (!data || width <= 0 || height <= 0 || width > SHRT_MAX || height > SHRT_MAX) {
        std::string text = std::string(function) + "() - bad bitmap, tab made without it";
        XmLWarning((Widget)fw, text.c_str());
        return AddTab(fw, label, XmUNSPECIFIED_PIXMAP, XmUNSPECIFIED_PIXMAP);
    }
    Pixmap active = BitmapPixmap(fw, data, width, height, fw->manager.foreground,
                                 fw->core.background_pixel);
    Pixmap inactive = BitmapPixmap(fw, data, width, height, fw->folder.inactiveForeground,
                                   fw->folder.inactiveBackground);
    return AddTab(fw, label, active, inactive);
}

Widget XmLFolderAddBitmapTab(Widget w, XmString label, char *bitmapData, int bitmapWidth,
                             int bitmapHeight)
{
    XmLFolderWidget fw = AsFolder(w, "AddBitmapTab");
    if (!fw)
        return NULL;
    return AddBitmapTab(fw, label, bitmapData, bitmapWidth, bitmapHeight, "AddBitmapTab");
}

// The page for a tab just made; its name counts the new tab already.
static Widget AddForm(XmLFolderWidget fw, Widget tab)
{
    char name[32];
    snprintf(name, sizeof name, "form%d", fw->folder.tabCount);
    Widget form = XtVaCreateManagedWidget(name, xmFormWidgetClass, (Widget)fw, XmNbackground,
                                          fw->core.background_pixel, NULL);
    XtVaSetValues(tab, XmNtabManagedWidget, form, NULL);
    return form;
}

Widget XmLFolderAddTabForm(Widget w, XmString label)
{
    XmLFolderWidget fw = AsFolder(w, "AddTabForm");
    if (!fw)
        return NULL;
    return AddForm(fw, AddTab(fw, label, XmUNSPECIFIED_PIXMAP, XmUNSPECIFIED_PIXMAP));
}

Widget XmLFolderAddBitmapTabForm(Widget w, XmString label, char *bitmapData, int bitmapWidth,
                                 int bitmapHeight)
{
    XmLFolderWidget fw = AsFolder(w, "AddBitmapTabForm");
    if (!fw)
        return NULL;
    Widget tab = AddBitmapTab(fw, label, bitmapData, bitmapWidth, bitmapHeight,
                              "AddBitmapTabForm");
    return AddForm(fw, tab);
}

void XmLFolderSetActiveTab(Widget w, int position, Boolean notify)
{
    XmLFolderWidget fw = AsFolder(w, "SetActiveTab");
    if (!fw)
        return;
    if (position < 0 || position >= fw->folder.tabCount) {
        XmLWarning(w, "SetActiveTab() - invalid position");
        return;
    }
    SetActiveTab(fw, fw->folder.tabWidgetList[position], NULL, notify);
}
