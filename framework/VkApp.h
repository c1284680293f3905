// VkApp.h - the application object: display, application shell, window list,
// event loop, busy state and quitting.
#ifndef VIREO_FRAMEWORK_VKAPP_H
#define VIREO_FRAMEWORK_VKAPP_H

#include "framework/VkComponent.h"
#include "framework/VkComponentList.h"

#include <X11/Intrinsic.h>

class VkSimpleWindow;
class VkBusyDialog;
class VkInfoDialog;
class VkCursorList;

class VkApp : public VkComponent {
public:
    // Opens the display (or exits with status 1) and creates the application shell.
    VkApp(const char *appClassName, int *argc, char **argv,
          XrmOptionDescRec *options = nullptr, Cardinal numOptions = 0);

    void afterFirstShow() override;
    ~VkApp() override;
    Widget baseWidget() const override;
    const char *className() override;
    void show() override;
    void hide() override;
    void widgetDestroyed() override;
    bool canQuit() override;
    // Writes the resource dump, then dispatches events for ever.
    virtual void run();
    virtual void handleRawEvent(XEvent *event);
    virtual void dispatchPending();
    // Asks every window, main window last; exits with status 0 unless one refused.
    virtual void quitYourself();
    virtual void exitApp(int status);
    virtual void iconify();
    virtual void open();
    virtual void raise();
    virtual void lower();
    virtual Cursor currentCursor();
    virtual Cursor busyCursor();
    // Busy states nest; only the outermost leaveBusy restores the cursor.
    virtual void enterBusy(const char *message = nullptr, VkComponent *parent = nullptr);
    virtual void stepBusy(const char *message = nullptr);
    virtual void leaveBusy();

    XtAppContext appContext() const { return _appContext; }
    Display *display() const { return _dpy; }
    VkSimpleWindow *mainWindow() const { return _mainWindow; }
    void setMainWindow(VkSimpleWindow *win) { _mainWindow = win; }
    void setProductInfo(const char *text);
    const char *productInfo() const { return _productInfo; }
    void setBusyDialog(VkBusyDialog *dialog);
    VkBusyDialog *busyDialog() const { return _busyDialog; }
    void setInfoDialog(VkInfoDialog *dialog) { _infoDialog = dialog; }
    VkInfoDialog *infoDialog() const { return _infoDialog; }
    void setCursorList(VkCursorList *list);
    void setBusyCursor(Cursor cursor);
    // The program's own name: its first argument after the last '/'.
    const char *applicationName() const;
    int argc() const { return _argc; }
    char **argv() const { return _argv; }
    const char *argv(int index) const;
    void setIconic(bool iconic) { _iconic = iconic; }
    bool iconic() const { return _iconic; }
    bool debugResources() const { return _debugResources; }
    int busyCount() const { return _busyCount; }

    // Defines cursor on every realized window; None stands for the current cursor.
    void showCursor(Cursor cursor);
    void setNormalCursor(Cursor cursor);

    void registerWindow(VkSimpleWindow *win);
    void unregisterWindow(VkSimpleWindow *win);
    int numWindows() const { return _winList.size(); }
    VkSimpleWindow *window(int index) const;

    // Reads the command-line options and the application resources iconic and
    // debugResources; returns the number of arguments left.
    int parseArguments(XrmOptionDescRec *options, Cardinal numOptions);

    // Where run writes the merged resource database.
    static const char *const resourceDumpPath;      // "/usr/tmp/resources.db"
    // Writes db to path, never through a symbolic link; false when it could not.
    static bool writeResourceDump(XrmDatabase db, const char *path);

private:
    void mergeFallbackResources();

    XtAppContext    _appContext = nullptr;
    Display        *_dpy = nullptr;
    char           *_className;
    VkSimpleWindow *_mainWindow = nullptr;
    char           *_productInfo = nullptr;
    Cursor          _currentCursor = None;
    Cursor          _busyCursor = None;
    VkBusyDialog   *_busyDialog;
    VkInfoDialog   *_infoDialog;
    bool            _useStaticBusyCursor = true;
    VkCursorList   *_cursorList = nullptr;
    char          **_argv;
    int             _argc;
    int             _busyCount = 0;
    bool            _iconic = false;
    bool            _debugResources = false;
    VkComponentList _winList;
};

// The single application object, set by its constructor.
extern VkApp *gApplication;

#endif
