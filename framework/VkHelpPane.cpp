// VkHelpPane.cpp - the Help menu: context help, the help entries and product information.
#include "framework/VkHelpPane.h"

#include "framework/VkApp.h"
#include "framework/VkInfoDialog.h"
#include "framework/VkResource.h"
#include "framework/VkSimpleWindow.h"

#include <Xm/Xm.h>

#include <X11/cursorfont.h>

const char *const VkHelpPane::sDefaultResources[] = {
    ".labelString: Help",
    ".mnemonic: H",
    "*helpOnContextMenuItem.labelString: Click for Help",
    "*helpOnContextMenuItem.mnemonic: C",
    "*helpOnContextMenuItem.accelerator: Shift<Key>F1",
    "*helpOnContextMenuItem.acceleratorText: Shift+F1",
    "*helpOverviewMenuItem.labelString: Overview",
    "*helpOverviewMenuItem.mnemonic: O",
    "*helpIndexMenuItem.labelString: Index",
    "*helpIndexMenuItem.mnemonic: I",
    "*helpKeysMenuItem.labelString: Keys & ShortCuts",
    "*helpKeysMenuItem.mnemonic: K",
    "*helpVersionMenuItem.labelString: Product Info",
    "*helpVersionMenuItem.mnemonic: P",
    nullptr,
};

VkHelpPane::VkHelpPane(const char *name, MenuDescription *table, XtPointer clientData)
    : VkSubMenu(name)
{
    addFromTable(table, clientData, false);
    addStandardItems();
}

VkHelpPane::VkHelpPane(Widget parent, const char *name, MenuDescription *table,
                       XtPointer clientData)
    : VkSubMenu(name)
{
    addFromTable(table, clientData, false);
    addStandardItems();
    build(parent);
}

VkHelpPane::~VkHelpPane()
{
    if (_helpCursor != None)
        XFreeCursor(_display, _helpCursor);
}

const char *VkHelpPane::className() { return "VkHelpPane"; }

void VkHelpPane::build(Widget parent)
{
    if (_isBuilt)
        return;
    mergeDefaultResources(parent, sDefaultResources);
    if (_helpCursor == None) {
        _display = XtDisplayOfObject(parent);
        _helpCursor = XCreateFontCursor(_display, XC_question_arrow);
    }
    buildSubMenu(parent, False);
}

std::string VkHelpPane::widgetPath(Widget w)
{
    if (!w)
        return std::string();
    Widget top = gApplication ? gApplication->baseWidget() : nullptr;
    std::string path = XtName(w);
    // A widget outside the application's shell still ends at the root of its tree.
    for (Widget parent = XtParent(w); parent && parent != top; parent = XtParent(parent))
        path = std::string(XtName(parent)) + "." + path;
    return path;
}

void VkHelpPane::addStandardItems()
{
    addAction("helpOnContextMenuItem", sContextHelpCB, this);
    addAction("helpOverviewMenuItem", sNoHelpCB, this);
    addSeparator("separator");
    addAction("helpIndexMenuItem", sNoHelpCB, this);
    addAction("helpKeysMenuItem", sNoHelpCB, this);
    addSeparator("separator");
    addAction("helpVersionMenuItem", sProductInfoCB, this);
}

void VkHelpPane::sContextHelpCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<VkHelpPane *>(clientData)->contextHelpCallback(); }

void VkHelpPane::sNoHelpCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<VkHelpPane *>(clientData)->noHelpCallback(); }

void VkHelpPane::sProductInfoCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<VkHelpPane *>(clientData)->productInfoCallback(); }

void VkHelpPane::contextHelpCallback()
{
    VkSimpleWindow *main = gApplication->mainWindow();
    if (!main || !main->baseWidget())
        return;
    XEvent event;
    Widget picked = XmTrackingEvent(main->baseWidget(), _helpCursor, False, &event);
    if (!picked)
        return;
    gApplication->enterBusy();
    _contextPath = widgetPath(picked);
    gApplication->leaveBusy();
}

// Overview, index and keys have no help text of their own to show.
void VkHelpPane::noHelpCallback()
{
    gApplication->enterBusy();
    Widget w = _baseWidget;
    while (w && !XtIsShell(w))
        w = XtParent(w);
    gApplication->leaveBusy();
}

void VkHelpPane::productInfoCallback()
{
    gApplication->enterBusy();
    VkInfoDialog *info = gApplication->infoDialog();
    info->setTitle(gApplication->applicationName());
    const char *text = gApplication->productInfo();
    std::string message = text ? std::string(text)
                               : expandApplicationName("Application Name: <application>");
    info->post(message.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr,
               gApplication->mainWindow());
    gApplication->leaveBusy();
}
