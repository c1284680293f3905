// mainwin_harness.h - helpers for the tests that drive a real MainWin under X: a private
// home folder, the application, fake game servers and the window's visible state.
// Include <gtest/gtest.h> before this header (the X headers define None and Bool).
#ifndef VIREO_TESTS_BROWSER_MAINWIN_HARNESS_H
#define VIREO_TESTS_BROWSER_MAINWIN_HARNESS_H

#include "browser/mainwin.h"
#include "tests/support/fake_game_server.h"

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace harness {

using Clock = std::chrono::steady_clock;

// The descriptors process pid has open.
int openDescriptors(pid_t pid);

// A fresh folder as HOME for the test's process; removed again at the end.
class TempHome {
public:
    TempHome();
    ~TempHome();
    const std::string &path() const { return mPath; }
    std::string settingsFile() const { return mPath + "/.vireorc"; }
    void writeSettings(const std::string &text) const;
    std::string readSettings() const;       // empty when there is no file

private:
    std::string mPath;
};

// Holds the program's clock still while it lives; advance() moves it on. Waits, bounds and
// paces the window times then fall due when the test says, however busy the machine.
class FrozenClock {
public:
    FrozenClock();
    ~FrozenClock();
    void advance(long long ms);
    // Processes events until the program has looked at the time since the latest move often
    // enough to have acted on it: what fell due is done by then, and nothing else is.
    bool settle();
};

// A main window that records the slots its redials find, and the game commands it would
// hand to the shell instead of running them.
class TestWin : public MainWin {
public:
    void slotOpened(Server *s) override;
    void runCommand(const char *command) override { commands.push_back(command); }
    void walkedTo(Window window) override { if (onWalk) onWalk(window); }
    int     slotsOpened = 0;
    Server *slotServer = nullptr;
    std::vector<std::string> commands;
    std::function<void(Window)> onWalk;     // each window the walk to the frame reaches
};

// Makes the application (class "Vireo") on first use, then a shown window that has read
// the settings file of the current HOME.
TestWin *showWindow();

// Processes events, timers and work procedures until done() holds or timeoutMs passed;
// returns done(). A ticking timer brings the loop back to look even while only the
// window's work procedure runs, which by itself never returns to the caller.
bool pumpUntil(const std::function<bool()> &done, int timeoutMs = 5000);
// Processes events until the window's run has ended; false on a time-out.
bool runToEnd(MainWin *win, int timeoutMs = 15000);

std::string statusText(MainWin *win);
// For the status line's XmNvalueChangedCallback: appends each text it shows to the
// std::vector<std::string> given as client data.
void recordStatus(Widget status, XtPointer clientData, XtPointer);
int progressValue(MainWin *win);
int progressComplete(MainWin *win);
bool itemSensitive(MainWin *win, const char *menu, const char *item);

// Started fake servers, each added to the window's list in order.
class FakeFleet {
public:
    FakeGameServer *add(MainWin *win, const FakeGameScript &script = FakeGameScript());
    FakeGameServer *at(size_t i) { return mServers[i].get(); }
    size_t size() const { return mServers.size(); }

private:
    std::vector<std::unique_ptr<FakeGameServer>> mServers;
};

// The window's record of a server, found by address text "127.0.0.1:port".
Server *serverAt(MainWin *win, const std::string &hostText);
// Adds s to the selection as the user would see it: flagged, on the "all" tab (which shows
// servers that never answered), its row selected by the rebuild.
void selectServer(MainWin *win, Server *s);

// A script whose server has rules and players to fetch.
FakeGameScript richScript(int rules, int players);

double msBetween(Clock::time_point from, Clock::time_point to);
// The server got count requests, each from minMs to maxMs after the one before.
void expectSendingsApart(const FakeGameServer *server, size_t count, double minMs,
                         double maxMs);
// A silent server's query as the engine runs it: the first sending and two resends.
void expectThreeSendingsTwoSecondsApart(const FakeGameServer *silent);

// Presses and releases key where the keyboard focus of w's window is (at w when it has
// none yet), as the keyboard would.
void pressKey(Widget w, KeySym key, unsigned int modifiers = 0);
// Dispatches an EnterNotify or LeaveNotify to w, as the pointer crossing its border would.
void crossing(Widget w, int type);
// Drags the sash of a paned window (the one shown between its panes) by distance pixels,
// down or right, as the mouse would; false when it has no sash shown.
bool dragSash(Widget paned, bool vertical, int distance);
// Presses key (XK_Up, XK_Left...) with modifiers on the sash of a paned window, as the
// keyboard would; false when it has no sash shown.
bool pressOnSash(Widget paned, KeySym key, unsigned int modifiers);

// The texts of columns first .. first + count - 1 of a grid's content row, "|" between them.
std::string gridRowText(Widget grid, int row, int first, int count);
// The address cell of every row the server grid shows ("10.0.0.1", "10.0.0.2:27500"),
// sorted: what the user sees listed, whatever the window's records say.
std::vector<std::string> shownAddresses(MainWin *win);

// Reads the message of the error dialog that the next post shows, then answers OK.
void readErrorLater(std::string *seen);
// Runs action and returns the message of the error dialog it posted and waited on, which
// is answered OK; empty when it posted none.
std::string errorDuring(const std::function<void()> &action);

} // namespace harness

#endif
