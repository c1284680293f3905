// VkSimpleWindow.cpp - top-level window: shell, main window, protocols, visible and stacking state.
#include "framework/VkSimpleWindow.h"

#include "framework/VkApp.h"

#include <Xm/MainW.h>
#include <Xm/Protocols.h>
#include <Xm/Xm.h>
#include <X11/Shell.h>
#include <X11/Xmu/Editres.h>
#include <X11/Xutil.h>

#include <cassert>
#include <cstdlib>
#include <cstring>

VkSimpleWindow::VkSimpleWindow(const char *name, ArgList args, Cardinal argCount)
    : VkComponent(name),
      _title(strdup(name ? name : "")),
      _iconName(strdup(name ? name : ""))
{
    assert(gApplication != nullptr);
    const char *widgetName = name ? name : "";
    Display *dpy = gApplication->display();
    Atom deleteWindow = XInternAtom(dpy, "WM_DELETE_WINDOW", False);
    Atom quitApp = XInternAtom(dpy, "_WM_QUIT_APP", True);

    _baseWidget = XtCreatePopupShell(widgetName, applicationShellWidgetClass,
                                     gApplication->baseWidget(), args, argCount);
    // onDeleteWindow deletes the window; the shell must not destroy itself too.
    XtVaSetValues(_baseWidget, XmNdeleteResponse, XmDO_NOTHING, nullptr);
    XmAddWMProtocolCallback(_baseWidget, deleteWindow, &VkSimpleWindow::sDeleteWindowCB, this);
    if (quitApp != None)
        XmAddWMProtocolCallback(_baseWidget, quitApp, &VkSimpleWindow::sQuitAppCB, this);
    XtAddEventHandler(_baseWidget, NoEventMask, True, _XEditResCheckMessages, nullptr);
    addDestroyHandler();

    _mainWindowWidget = XmCreateMainWindow(_baseWidget, (char *)widgetName, args, argCount);
    XtManageChild(_mainWindowWidget);
    gApplication->registerWindow(this);
}

VkSimpleWindow::~VkSimpleWindow()
{
    free(_title);
    _title = nullptr;
    free(_iconName);
    _iconName = nullptr;
    if (gApplication)
        gApplication->unregisterWindow(this);     // exits when this was the last window
    if (_baseWidget && _stackingHandlerAdded)
        XtRemoveEventHandler(_baseWidget, StructureNotifyMask, False,
                             &VkSimpleWindow::sStackingHandler, this);
}

void VkSimpleWindow::afterFirstShow()
{
}

Widget VkSimpleWindow::baseWidget() const
{
    return _baseWidget;
}

const char *VkSimpleWindow::className()
{
    return "VkSimpleWindow";
}

void VkSimpleWindow::widgetDestroyed()
{
    VkComponent::widgetDestroyed();
    _mainWindowWidget = nullptr;
    _viewWidget = nullptr;
}

bool VkSimpleWindow::canQuit()
{
    return true;
}

Widget VkSimpleWindow::buildInterface(Widget)
{
    return nullptr;
}

Widget VkSimpleWindow::mainWindowWidget() const
{
    return _mainWindowWidget;
}

Widget VkSimpleWindow::viewWidget() const
{
    return _viewWidget;
}

// ---- Showing and hiding

void VkSimpleWindow::show()
{
    if (!_baseWidget)
        return;
    if (_visibleState == NeverShown) {
        firstShow();
    } else if (_visibleState == Hidden && _iconState != IconIconic) {
        XtPopup(_baseWidget, XtGrabNone);
        _visibleState = Shown;
    }
}

void VkSimpleWindow::firstShow()
{
    // An iconify asked for before the first show counts like the iconic resource.
    if (gApplication->iconic() || _iconState == IconIconic) {
        XtVaSetValues(_baseWidget, XmNiconic, True, nullptr);
        _iconState = IconIconic;
    } else {
        _iconState = IconNormal;
    }
    if (!_viewWidget) {
        Widget view = buildInterface(mainWindowWidget());
        if (view)
            setView(view);
    }
    XtPopup(_baseWidget, XtGrabNone);
    _visibleState = Shown;
    XtAddEventHandler(_baseWidget, StructureNotifyMask, False,
                      &VkSimpleWindow::sStackingHandler, this);
    _stackingHandlerAdded = true;
    setWmProperties();
    afterFirstShow();
}

// A window never shown stays so: the first show must still build it.
void VkSimpleWindow::hide()
{
    if (!_baseWidget || _visibleState == NeverShown)
        return;
    XtPopdown(_baseWidget);
    _visibleState = Hidden;
}

// Before the shell has a window, the iconic resource makes it start iconic.
void VkSimpleWindow::iconify()
{
    if (!_baseWidget || _visibleState == Hidden || _iconState == IconIconic)
        return;
    if (XtIsRealized(_baseWidget)) {
        Display *dpy = XtDisplay(_baseWidget);
        XIconifyWindow(dpy, XtWindow(_baseWidget), XScreenNumberOfScreen(XtScreen(_baseWidget)));
    } else {
        XtVaSetValues(_baseWidget, XmNiconic, True, nullptr);
    }
    setIconicState(IconIconic);
}

void VkSimpleWindow::open()
{
    if (!_baseWidget || _iconState != IconIconic)
        return;
    XtVaSetValues(_baseWidget, XmNiconic, False, nullptr);
    if (_visibleState != NeverShown) {
        XtPopup(_baseWidget, XtGrabNone);
        // Mapping an iconic window again is how a client asks to open it.
        if (XtIsRealized(_baseWidget))
            XMapWindow(XtDisplay(_baseWidget), XtWindow(_baseWidget));
        _visibleState = Shown;
    }
    setIconicState(IconNormal);
}

void VkSimpleWindow::raise()
{
    if (_baseWidget && XtIsRealized(_baseWidget))
        XRaiseWindow(XtDisplay(_baseWidget), XtWindow(_baseWidget));
}

void VkSimpleWindow::lower()
{
    if (_baseWidget && XtIsRealized(_baseWidget))
        XLowerWindow(XtDisplay(_baseWidget), XtWindow(_baseWidget));
}

void VkSimpleWindow::setIconicState(int state)
{
    _iconState = state;
}

void VkSimpleWindow::handleRawEvent(XEvent *)
{
}

// ---- Window manager

void VkSimpleWindow::sDeleteWindowCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<VkSimpleWindow *>(clientData)->onDeleteWindow(); }

void VkSimpleWindow::sQuitAppCB(Widget, XtPointer clientData, XtPointer)
{ static_cast<VkSimpleWindow *>(clientData)->onQuitApp(); }

void VkSimpleWindow::onDeleteWindow()
{
    delete this;
}

void VkSimpleWindow::onQuitApp()
{
    gApplication->quitYourself();
}

void VkSimpleWindow::setWmProperties()
{
    if (!_baseWidget || !XtIsRealized(_baseWidget))
        return;
    XTextProperty titleProperty = {nullptr, None, 0, 0};
    XTextProperty iconProperty = {nullptr, None, 0, 0};
    bool haveTitle = _title && XStringListToTextProperty(&_title, 1, &titleProperty);
    bool haveIcon = _iconName && XStringListToTextProperty(&_iconName, 1, &iconProperty);
    XSetWMProperties(XtDisplay(_baseWidget), XtWindow(_baseWidget),
                     haveTitle ? &titleProperty : nullptr, haveIcon ? &iconProperty : nullptr,
                     gApplication->argv(), gApplication->argc(), nullptr, nullptr, nullptr);
    if (haveTitle)
        XFree(titleProperty.value);
    if (haveIcon)
        XFree(iconProperty.value);
}

// The shell's resources carry title and icon name, so they also work before the
// shell has a window; once it has one, the window manager's properties follow.
void VkSimpleWindow::setTitle(const char *title)
{
    char *copy = strdup(title ? title : "");
    free(_title);
    _title = copy;
    if (!_baseWidget)
        return;
    XtVaSetValues(_baseWidget, XmNtitle, _title, nullptr);
    XTextProperty property;
    if (XtIsRealized(_baseWidget) && XStringListToTextProperty(&_title, 1, &property)) {
        XSetWMName(XtDisplay(_baseWidget), XtWindow(_baseWidget), &property);
        XFree(property.value);
    }
}

void VkSimpleWindow::setIconName(const char *iconName)
{
    char *copy = strdup(iconName ? iconName : "");
    free(_iconName);
    _iconName = copy;
    if (!_baseWidget)
        return;
    XtVaSetValues(_baseWidget, XmNiconName, _iconName, nullptr);
    XTextProperty property;
    if (XtIsRealized(_baseWidget) && XStringListToTextProperty(&_iconName, 1, &property)) {
        XSetWMIconName(XtDisplay(_baseWidget), XtWindow(_baseWidget), &property);
        XFree(property.value);
    }
}

void VkSimpleWindow::setIconPixmap(Pixmap pixmap)
{
    if (_baseWidget)
        XtVaSetValues(_baseWidget, XmNiconPixmap, pixmap, nullptr);
}

// ---- View

void VkSimpleWindow::setView(Widget view)
{
    clearView();
    if (!view)
        return;
    XtManageChild(view);
    _viewWidget = view;
    XtVaSetValues(_mainWindowWidget, XmNworkWindow, view, nullptr);
}

void VkSimpleWindow::setView(VkComponent *view)
{
    setView(view ? view->baseWidget() : nullptr);
}

void VkSimpleWindow::clearView()
{
    if (_viewWidget)
        XtUnmanageChild(_viewWidget);
    _viewWidget = nullptr;
}

// ---- Stacking

void VkSimpleWindow::sStackingHandler(Widget, XtPointer clientData, XEvent *event, Boolean *)
{ static_cast<VkSimpleWindow *>(clientData)->trackStacking(event); }

void VkSimpleWindow::trackStacking(const XEvent *event)
{
    if (event->type == ConfigureNotify)
        _stackingState = event->xconfigure.above == None ? AtBottom : InBetween;
    else if (event->type == CirculateNotify)
        _stackingState = event->xcirculate.place == PlaceOnTop ? OnTop : AtBottom;
}
