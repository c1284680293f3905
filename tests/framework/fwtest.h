// fwtest.h - helpers for framework tests under X: the test process's application,
// an event pump, timers that answer posted dialogs, a watchdog and an X error trap.
// Include <gtest/gtest.h> before this header: the X headers define None and Bool,
// which trip GoogleTest up when they come first.
#ifndef VIREO_TESTS_FRAMEWORK_FWTEST_H
#define VIREO_TESTS_FRAMEWORK_FWTEST_H

#include <X11/Intrinsic.h>

#include <functional>
#include <string>

class VkApp;
class VkDialogManager;

namespace fwtest {

// The application of this test process, class "Vireo", program "fwtest", made on
// first use from $DISPLAY (never from a global constructor). Each test runs in its
// own process; a test that needs its own VkApp subclass makes it before this call.
// The first call also sets the input focus to no window, so that no test depends on
// where the pointer rests.
VkApp *app();
// A fresh argument vector {"fwtest", null} for such a subclass.
int *testArgc();
char **testArgv();

// Processes events for about ms milliseconds.
void pump(int ms = 50);
// Processes events until done() holds or timeoutMs passed; returns done().
bool pumpUntil(const std::function<bool()> &done, int timeoutMs = 5000);
// Runs action from the event loop after delayMs.
void later(int delayMs, std::function<void()> action);

enum Button { OK, Cancel, Apply };
// Activates a managed button of a dialog as a click would; false if it has none.
bool press(Widget dialog, Button button);
// From the event loop after delayMs, presses the button of the manager's last
// posted dialog, waiting for one to appear if need be.
void pressLater(VkDialogManager *manager, Button button, int delayMs = 30);

// Delivers a WM_PROTOCOLS client message (such as "WM_DELETE_WINDOW") to a
// shell through the server, as a window manager would.
void sendProtocol(Widget shell, const char *protocol);

// Ends the test process with a message instead of letting a bug hang the suite.
class Watchdog {
public:
    explicit Watchdog(int seconds = 30);
    ~Watchdog();
};

// Records X protocol errors instead of exiting; synchronises before counting.
class XErrorTrap {
public:
    XErrorTrap();
    ~XErrorTrap();
    int count();
    int lastErrorCode() const;
};

std::string messageText(Widget messageBox);     // its messageString
std::string labelText(Widget label);            // its labelString
std::string shellTitle(Widget shell);

} // namespace fwtest

#endif
