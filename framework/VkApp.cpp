// VkApp.cpp - application object: display and shell, window list, event loop, busy state.
#include "framework/VkApp.h"

#include "framework/VkBusyDialog.h"
#include "framework/VkCursorList.h"
#include "framework/VkInfoDialog.h"
#include "framework/VkSimpleWindow.h"

#include <Xm/Xm.h>
#include <X11/Shell.h>
#include <X11/cursorfont.h>

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

VkApp *gApplication = nullptr;

const char *const VkApp::resourceDumpPath = "/usr/tmp/resources.db";

static const char *const sFallbackResources[] = {
    "-*debugResources:             False",
    "-*busyCursorForeground:       White",
    "-*busyCursorBackground:       Black",
    "-*normalCursorForeGround:     White",
    "-*normalCursorBackground:     Black",
    "-*debugXtMode:                False",
    "-*silenceWarnings:            False",
    nullptr,
};

VkApp::VkApp(const char *appClassName, int *argc, char **argv, XrmOptionDescRec *options,
             Cardinal numOptions)
    : VkComponent(appClassName),
      _className(strdup(appClassName)),
      _busyDialog(gBusyDialog),
      _infoDialog(nullptr),
      _argv(new char *[*argc + 1]),
      _argc(*argc)
{
    gApplication = this;
    // Copied before the toolkit takes its own options out of argv.
    for (int i = 0; i < _argc; i++)
        _argv[i] = strdup(argv[i]);
    _argv[_argc] = nullptr;

    XtToolkitInitialize();
    _appContext = XtCreateApplicationContext();
    _dpy = XtOpenDisplay(_appContext, nullptr, _className, _className, options, numOptions,
                         argc, argv);
    if (!_dpy) {
        fprintf(stderr, "VkApp::VkApp() : Couldn't open display <%s>, bombing.\n",
                XDisplayName(nullptr));
        exit(1);
    }
    _busyCursor = XCreateFontCursor(_dpy, XC_watch);

    // The shell parents every window and parentless dialog but is never mapped
    // itself; it is realized so that dialogs always have a window to belong to.
    Arg args[3];
    XtSetArg(args[0], XmNmappedWhenManaged, False);
    XtSetArg(args[1], XmNwidth, 1);
    XtSetArg(args[2], XmNheight, 1);
    _baseWidget = XtAppCreateShell(applicationName(), _className, applicationShellWidgetClass,
                                   _dpy, args, 3);
    XtRealizeWidget(_baseWidget);
    _infoDialog = gInfoDialog;
    mergeFallbackResources();
}

VkApp::~VkApp()
{
    for (int i = 0; i < _argc; i++)
        free(_argv[i]);
    delete[] _argv;
    free(_productInfo);
    free(_className);
    if (gApplication == this)
        gApplication = nullptr;
}

void VkApp::afterFirstShow()
{
}

Widget VkApp::baseWidget() const
{
    return _baseWidget;
}

const char *VkApp::className()
{
    return _className;
}

void VkApp::widgetDestroyed()
{
    VkComponent::widgetDestroyed();
}

bool VkApp::canQuit()
{
    return true;
}

// ---- The window list

VkSimpleWindow *VkApp::window(int index) const
{
    return static_cast<VkSimpleWindow *>(_winList[index]);
}

void VkApp::registerWindow(VkSimpleWindow *win)
{
    assert(win != nullptr);
    if (!_mainWindow)
        _mainWindow = win;
    _winList.add(win);
}

// Every window leaves the list when it is deleted, whatever it would answer to
// canQuit: a deleted window kept in the list would be used after it was freed.
void VkApp::unregisterWindow(VkSimpleWindow *win)
{
    assert(win != nullptr);
    if (!_winList.contains(win))
        return;
    _winList.remove(win);
    if (_mainWindow == win)
        _mainWindow = _winList.size() > 0 ? window(0) : nullptr;
    if (_winList.size() == 0)
        exitApp(0);
}

// A window's operation may delete windows (its own or others), so the loops work
// on a copy of the list and skip every window that has left it meanwhile.
static std::vector<VkSimpleWindow *> snapshot(const VkApp *app)
{
    std::vector<VkSimpleWindow *> windows;
    for (int i = 0; i < app->numWindows(); i++) {
        VkSimpleWindow *win = app->window(i);
        assert(win != nullptr);
        windows.push_back(win);
    }
    return windows;
}

static bool isRegistered(const VkApp *app, VkSimpleWindow *win)
{
    for (int i = 0; i < app->numWindows(); i++)
        if (app->window(i) == win)
            return true;
    return false;
}

void VkApp::show()
{
    for (VkSimpleWindow *win : snapshot(this))
        if (isRegistered(this, win))
            win->show();
}

void VkApp::hide()
{
    for (VkSimpleWindow *win : snapshot(this))
        if (isRegistered(this, win))
            win->hide();
}

void VkApp::iconify()
{
    for (VkSimpleWindow *win : snapshot(this))
        if (isRegistered(this, win))
            win->iconify();
}

void VkApp::open()
{
    for (VkSimpleWindow *win : snapshot(this))
        if (isRegistered(this, win))
            win->open();
}

void VkApp::raise()
{
    for (VkSimpleWindow *win : snapshot(this))
        if (isRegistered(this, win))
            win->raise();
}

void VkApp::lower()
{
    for (VkSimpleWindow *win : snapshot(this))
        if (isRegistered(this, win))
            win->lower();
}

void VkApp::quitYourself()
{
    assert(_mainWindow != nullptr);
    bool refused = false;
    std::vector<VkSimpleWindow *> windows = snapshot(this);
    for (size_t i = windows.size(); i-- > 0;) {
        VkSimpleWindow *win = windows[i];
        if (win == _mainWindow || !isRegistered(this, win))
            continue;
        if (win->canQuit())
            delete win;
        else
            refused = true;
    }
    VkSimpleWindow *main = _mainWindow;
    if (main && isRegistered(this, main)) {
        if (main->canQuit())
            delete main;        // the last window's deletion exits
        else
            refused = true;
    }
    // A window made while quitting would otherwise keep the program alive.
    if (!refused && _winList.size() > 0)
        exitApp(0);
}

void VkApp::exitApp(int status)
{
    exit(status);
}

// ---- Events

void VkApp::handleRawEvent(XEvent *event)
{
    std::vector<VkSimpleWindow *> windows = snapshot(this);
    for (size_t i = windows.size(); i-- > 0;)
        if (isRegistered(this, windows[i]))
            windows[i]->handleRawEvent(event);
}

void VkApp::dispatchPending()
{
    XtInputMask mask;
    while ((mask = XtAppPending(_appContext)) != 0) {
        if (mask & XtIMXEvent) {
            XEvent event;
            XtAppNextEvent(_appContext, &event);
            if (!XtDispatchEvent(&event))
                handleRawEvent(&event);
        } else {
            XtAppProcessEvent(_appContext, mask);
        }
    }
}

void VkApp::run()
{
    writeResourceDump(XtDatabase(_dpy), resourceDumpPath);
    if (_currentCursor != None)
        showCursor(_currentCursor);
    for (;;) {
        XEvent event;
        XtAppNextEvent(_appContext, &event);
        if (!XtDispatchEvent(&event))
            handleRawEvent(&event);
    }
}

// ---- Resources

void VkApp::mergeFallbackResources()
{
    mergeDefaultResources(_baseWidget, sFallbackResources);
}

static void putEscaped(FILE *out, const char *value, size_t length)
{
    for (size_t i = 0; i < length && value[i]; i++) {
        char c = value[i];
        if (c == '\\')
            fputs("\\\\", out);
        else if (c == '\n')
            fputs("\\n", out);
        else if (i == 0 && (c == ' ' || c == '\t'))
            fprintf(out, "\\%c", c);   // leading blanks would be dropped when read back
        else
            fputc(c, out);
    }
}

static Bool sDumpEntry(XrmDatabase *, XrmBindingList bindings, XrmQuarkList quarks,
                       XrmRepresentation *type, XrmValue *value, XPointer closure)
{
    FILE *out = (FILE *)closure;
    if (*type != XrmPermStringToQuark(XtRString))
        return False;
    for (int i = 0; quarks[i] != NULLQUARK; i++) {
        if (bindings[i] == XrmBindLoosely)
            fputc('*', out);
        else if (i > 0)
            fputc('.', out);
        fputs(XrmQuarkToString(quarks[i]), out);
    }
    fputs(":\t", out);
    putEscaped(out, (const char *)value->addr, value->size);
    fputc('\n', out);
    return False;
}

// The dump goes to a fixed name in a shared folder: opening it must not follow a
// link planted there, nor hang on a FIFO, and a missing folder is no error.
bool VkApp::writeResourceDump(XrmDatabase db, const char *path)
{
    int fd = ::open(path, O_WRONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || ftruncate(fd, 0) != 0) {
        close(fd);
        return false;
    }
    FILE *out = fdopen(fd, "w");
    if (!out) {
        close(fd);
        return false;
    }
    XrmQuark none[] = {NULLQUARK};
    if (db)
        XrmEnumerateDatabase(db, none, none, XrmEnumAllLevels, sDumpEntry, (XPointer)out);
    return fclose(out) == 0;
}

int VkApp::parseArguments(XrmOptionDescRec *options, Cardinal numOptions)
{
    // Parse a copy of the pointers so that removed arguments can be freed.
    std::vector<char *> args(_argv, _argv + _argc + 1);
    int count = _argc;
    XrmDatabase commandDb = nullptr;
    XrmParseCommand(&commandDb, options, (int)numOptions, _name, &count, args.data());
    for (int i = 0; i < _argc; i++) {
        bool kept = false;
        for (int j = 0; j < count; j++)
            kept = kept || args[j] == _argv[i];
        if (!kept)
            free(_argv[i]);
    }
    for (int i = 0; i < count; i++)
        _argv[i] = args[i];
    _argv[count] = nullptr;
    _argc = count;

    if (const char *serverString = XResourceManagerString(_dpy)) {
        XrmDatabase serverDb = XrmGetStringDatabase(serverString);
        XrmCombineDatabase(serverDb, &commandDb, True);
    }
    // Merged over the display's database, not in its place: the class resource
    // file and the fallback lines stay in force.
    XrmDatabase displayDb = XtDatabase(_dpy);
    if (commandDb)
        XrmCombineDatabase(commandDb, &displayDb, True);
    XrmSetDatabase(_dpy, displayDb);

    struct { Boolean iconic; Boolean debugResources; } values = {False, False};
    XtResource resources[] = {
        {(char *)"iconic", (char *)"Iconic", XtRBoolean, sizeof(Boolean),
         XtOffsetOf(decltype(values), iconic), XtRImmediate, (XtPointer)False},
        {(char *)"debugResources", (char *)"DebugResources", XtRBoolean, sizeof(Boolean),
         XtOffsetOf(decltype(values), debugResources), XtRImmediate, (XtPointer)False},
    };
    XtGetApplicationResources(_baseWidget, &values, resources, XtNumber(resources), nullptr, 0);
    _iconic = values.iconic;
    _debugResources = values.debugResources;
    return _argc;
}

// ---- Accessors

void VkApp::setProductInfo(const char *text)
{
    free(_productInfo);
    _productInfo = text ? strdup(text) : nullptr;
}

void VkApp::setBusyDialog(VkBusyDialog *dialog)
{
    _busyDialog = dialog ? dialog : gBusyDialog;
}

void VkApp::setCursorList(VkCursorList *list)
{
    _cursorList = list;
    if (list)
        list->create();
    _useStaticBusyCursor = list == nullptr;
}

void VkApp::setBusyCursor(Cursor cursor)
{
    _busyCursor = cursor;
    _useStaticBusyCursor = true;
}

const char *VkApp::applicationName() const
{
    if (_argc < 1 || !_argv[0])
        return _className;
    const char *slash = strrchr(_argv[0], '/');
    return slash ? slash + 1 : _argv[0];
}

const char *VkApp::argv(int index) const
{
    return index >= 0 && index < _argc ? _argv[index] : nullptr;
}

// ---- Cursors and busy state

Cursor VkApp::currentCursor()
{
    return _currentCursor;
}

Cursor VkApp::busyCursor()
{
    if (_useStaticBusyCursor || !_cursorList)
        return _busyCursor;
    return _cursorList->current();
}

void VkApp::showCursor(Cursor cursor)
{
    Cursor shown = cursor != None ? cursor : _currentCursor;
    for (VkSimpleWindow *win : snapshot(this)) {
        Widget mainWindow = win->mainWindowWidget();
        if (mainWindow && XtIsRealized(mainWindow))
            XDefineCursor(_dpy, XtWindow(mainWindow), shown);
    }
    dispatchPending();
}

void VkApp::setNormalCursor(Cursor cursor)
{
    _currentCursor = cursor;
    showCursor(None);
}

void VkApp::enterBusy(const char *message, VkComponent *parent)
{
    _busyCount++;
    showCursor(busyCursor());
    if (message && _busyDialog)
        _busyDialog->post(message, nullptr, nullptr, nullptr, nullptr, nullptr, parent);
    dispatchPending();
}

void VkApp::stepBusy(const char *message)
{
    if (!_useStaticBusyCursor && _cursorList) {
        _cursorList->next();
        showCursor(busyCursor());
    }
    if (message && _busyDialog)
        _busyDialog->post(message, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
}

void VkApp::leaveBusy()
{
    if (_busyCount > 0 && --_busyCount > 0)
        return;
    setNormalCursor(None);
    if (_busyDialog)
        _busyDialog->unpostAll();
}
