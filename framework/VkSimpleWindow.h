// VkSimpleWindow.h - a top-level window: an application shell holding a main window
// whose view the subclass builds on first show.
#ifndef VIREO_FRAMEWORK_VKSIMPLEWINDOW_H
#define VIREO_FRAMEWORK_VKSIMPLEWINDOW_H

#include "framework/VkComponent.h"

#include <X11/Intrinsic.h>

class VkSimpleWindow : public VkComponent {
public:
    enum { IconNormal = 0, IconIconic = 1, IconUnknown = 2 };
    enum { Shown = 0, Hidden = 1, NeverShown = 2 };
    enum { OnTop = 0, AtBottom = 1, InBetween = 2 };

    VkSimpleWindow(const char *name, ArgList args = nullptr, Cardinal argCount = 0);

    void afterFirstShow() override;
    ~VkSimpleWindow() override;
    Widget baseWidget() const override;
    const char *className() override;
    void show() override;
    void hide() override;
    void widgetDestroyed() override;
    bool canQuit() override;
    // Makes the view on first show; a null result leaves the main window empty.
    virtual Widget buildInterface(Widget mainWindow);
    virtual void iconify();
    virtual void open();
    virtual void raise();
    virtual void lower();
    virtual Widget mainWindowWidget() const;
    virtual Widget viewWidget() const;
    // The window manager's WM_DELETE_WINDOW: deletes this window.
    virtual void onDeleteWindow();
    // The window manager's _WM_QUIT_APP: quits the application.
    virtual void onQuitApp();
    virtual void setWmProperties();
    virtual void setIconicState(int state);
    // Events the toolkit did not dispatch, from the application's loop.
    virtual void handleRawEvent(XEvent *event);

    void setTitle(const char *title);
    const char *title() const { return _title; }
    void setIconName(const char *iconName);
    const char *iconName() const { return _iconName; }
    void setIconPixmap(Pixmap pixmap);
    void setView(Widget view);
    void setView(VkComponent *view);
    void clearView();

    bool visible() const { return _visibleState == Shown; }
    bool iconic() const { return _iconState == IconIconic; }
    int iconState() const { return _iconState; }
    int visibleState() const { return _visibleState; }
    int stackingState() const { return _stackingState; }

private:
    static void sDeleteWindowCB(Widget, XtPointer clientData, XtPointer);
    static void sQuitAppCB(Widget, XtPointer clientData, XtPointer);
    static void sStackingHandler(Widget, XtPointer clientData, XEvent *event, Boolean *);
    void trackStacking(const XEvent *event);
    void firstShow();

    char  *_title;
    char  *_iconName;
    Widget _viewWidget = nullptr;
    int    _iconState = IconUnknown;
    int    _visibleState = NeverShown;
    int    _stackingState = InBetween;
    Widget _mainWindowWidget = nullptr;
    bool   _stackingHandlerAdded = false;
};

#endif
