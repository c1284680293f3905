// fwtest.cpp - X helpers shared by the framework tests.
#include "tests/framework/fwtest.h"

#include "framework/VkApp.h"
#include "framework/VkDialogManager.h"

#include <Xm/PushB.h>
#include <Xm/Xm.h>

#include <csignal>
#include <cstring>
#include <unistd.h>

namespace fwtest {

static int sArgc = 1;
static char sArg0[] = "fwtest";
static char *sArgv[] = {sArg0, nullptr};

int *testArgc()
{
    return &sArgc;
}

char **testArgv()
{
    return sArgv;
}

// The server starts with the focus following the pointer, so a window the pointer
// happens to rest over would take it; no test may depend on where the pointer is.
static void takeFocusAway(Display *display)
{
    XSetInputFocus(display, None, RevertToNone, CurrentTime);
    XSync(display, False);
}

VkApp *app()
{
    static bool focusSet = false;
    if (!gApplication)
        new VkApp("Vireo", testArgc(), testArgv());
    if (!focusSet) {
        takeFocusAway(gApplication->display());
        focusSet = true;
    }
    return gApplication;
}

static void sSetFlag(XtPointer clientData, XtIntervalId *)
{ *static_cast<bool *>(clientData) = true; }

void pump(int ms)
{
    pumpUntil([] { return false; }, ms);
}

bool pumpUntil(const std::function<bool()> &done, int timeoutMs)
{
    XtAppContext context = app()->appContext();
    bool expired = false;
    XtIntervalId timer = XtAppAddTimeOut(context, timeoutMs, sSetFlag, &expired);
    XFlush(app()->display());
    while (!done() && !expired)
        XtAppProcessEvent(context, XtIMAll);
    if (!expired)
        XtRemoveTimeOut(timer);
    return done();
}

static void sRunLater(XtPointer clientData, XtIntervalId *)
{
    auto *action = static_cast<std::function<void()> *>(clientData);
    (*action)();
    delete action;
}

void later(int delayMs, std::function<void()> action)
{
    XtAppAddTimeOut(app()->appContext(), delayMs, sRunLater,
                    new std::function<void()>(std::move(action)));
}

bool press(Widget dialog, Button button)
{
    int child = button == OK ? XmDIALOG_OK_BUTTON
              : button == Cancel ? XmDIALOG_CANCEL_BUTTON : XmDIALOG_APPLY_BUTTON;
    Widget w = VkDialogManager::dialogChild(dialog, child);
    if (!w || !XtIsManaged(w) || !XtIsSensitive(w))
        return false;
    XButtonEvent event;
    memset(&event, 0, sizeof event);
    event.type = ButtonRelease;
    event.display = XtDisplayOfObject(w);
    event.window = XtWindowOfObject(w);
    event.button = Button1;
    XmPushButtonCallbackStruct data = {XmCR_ACTIVATE, (XEvent *)&event, 1};
    XtCallCallbacks(w, XmNactivateCallback, &data);
    return true;
}

void pressLater(VkDialogManager *manager, Button button, int delayMs)
{
    later(delayMs, [manager, button] {
        Widget dialog = manager->lastPostedDialog();
        if (!dialog || !press(dialog, button))
            pressLater(manager, button, 20);
    });
}

void sendProtocol(Widget shell, const char *protocol)
{
    Display *dpy = XtDisplay(shell);
    XClientMessageEvent event;
    memset(&event, 0, sizeof event);
    event.type = ClientMessage;
    event.display = dpy;
    event.window = XtWindow(shell);
    event.message_type = XInternAtom(dpy, "WM_PROTOCOLS", False);
    event.format = 32;
    event.data.l[0] = (long)XInternAtom(dpy, protocol, False);
    event.data.l[1] = CurrentTime;
    XSendEvent(dpy, XtWindow(shell), False, NoEventMask, (XEvent *)&event);
    XFlush(dpy);
}

// ---- Watchdog

static void sWatchdogFired(int)
{
    static const char message[] = "\nfwtest watchdog: the test hung and was stopped\n";
    ssize_t ignored = write(STDERR_FILENO, message, sizeof message - 1);
    (void)ignored;
    _exit(3);
}

Watchdog::Watchdog(int seconds)
{
    signal(SIGALRM, sWatchdogFired);
    alarm(seconds);
}

Watchdog::~Watchdog()
{
    alarm(0);
}

// ---- X errors

static int sErrorCount;
static int sLastErrorCode;
static XErrorHandler sPreviousHandler;

static int sRecordError(Display *, XErrorEvent *event)
{
    sErrorCount++;
    sLastErrorCode = event->error_code;
    return 0;
}

XErrorTrap::XErrorTrap()
{
    sErrorCount = 0;
    sLastErrorCode = 0;
    sPreviousHandler = XSetErrorHandler(sRecordError);
}

XErrorTrap::~XErrorTrap()
{
    XSync(app()->display(), False);
    XSetErrorHandler(sPreviousHandler);
}

int XErrorTrap::count()
{
    XSync(app()->display(), False);
    return sErrorCount;
}

int XErrorTrap::lastErrorCode() const
{
    return sLastErrorCode;
}

// ---- Texts

static std::string unparse(XmString string)
{
    if (!string)
        return std::string();
    char *text = (char *)XmStringUnparse(string, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT,
                                         nullptr, 0, XmOUTPUT_ALL);
    std::string result = text ? text : "";
    XtFree(text);
    XmStringFree(string);
    return result;
}

std::string messageText(Widget messageBox)
{
    XmString string = nullptr;
    XtVaGetValues(messageBox, XmNmessageString, &string, nullptr);
    return unparse(string);
}

std::string labelText(Widget label)
{
    XmString string = nullptr;
    XtVaGetValues(label, XmNlabelString, &string, nullptr);
    return unparse(string);
}

std::string shellTitle(Widget shell)
{
    char *title = nullptr;
    XtVaGetValues(shell, XmNtitle, &title, nullptr);
    return title ? title : "";
}

} // namespace fwtest
