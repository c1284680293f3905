// mainwin_harness.cpp - helpers for the tests that drive a real MainWin under X.
#include <gtest/gtest.h>

#include "tests/browser/mainwin_harness.h"

#include "browser/app.h"
#include "browser/clock.h"
#include "framework/VkErrorDialog.h"
#include "framework/VkMenu.h"
#include "tests/framework/fwtest.h"
#include "widgets/Grid.h"
#include "widgets/Progress.h"

#include <Xm/SashP.h>
#include <Xm/TextF.h>

#include <dirent.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace harness {

int openDescriptors(pid_t pid)
{
    int count = 0;
    DIR *dir = opendir(("/proc/" + std::to_string(pid) + "/fd").c_str());
    while (struct dirent *entry = dir ? readdir(dir) : nullptr)
        count += entry->d_name[0] != '.';
    if (dir)
        closedir(dir);
    return count;
}

TempHome::TempHome()
{
    char dir[] = "/tmp/vireo-home-XXXXXX";
    if (mkdtemp(dir))
        mPath = dir;
    setenv("HOME", mPath.c_str(), 1);
}

TempHome::~TempHome()
{
    std::error_code ignored;
    std::filesystem::remove_all(mPath, ignored);
}

void TempHome::writeSettings(const std::string &text) const
{
    std::ofstream out(settingsFile(), std::ios::binary);
    out << text;
}

std::string TempHome::readSettings() const
{
    std::ifstream in(settingsFile(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

static long long sFrozenUs;
static int       sReadsSinceMove;

static long long sFrozenNow()
{
    sReadsSinceMove++;
    return sFrozenUs;
}

FrozenClock::FrozenClock()
{
    sFrozenUs = monotonicUs();
    setClockSource(sFrozenNow);
}

FrozenClock::~FrozenClock() { setClockSource(nullptr); }

void FrozenClock::advance(long long ms)
{
    sFrozenUs += ms * 1000;
    sReadsSinceMove = 0;
}

// The engine reads the clock at least three times a pass of its work procedure, and a test
// moves the clock only between passes: a dozen reads since take in whole passes that saw it.
bool FrozenClock::settle()
{
    return pumpUntil([] { return sReadsSinceMove >= 12; }, 15000);
}

void TestWin::slotOpened(Server *s)
{
    slotsOpened++;
    slotServer = s;
    MainWin::slotOpened(s);
}

TestWin *showWindow()
{
    if (!gApplication)
        new App("Vireo", fwtest::testArgc(), fwtest::testArgv());
    TestWin *win = new TestWin();
    win->show();
    fwtest::pump(50);
    return win;
}

static void sTick(XtPointer clientData, XtIntervalId *)
{
    *static_cast<XtIntervalId *>(clientData) =
        XtAppAddTimeOut(gApplication->appContext(), 5, sTick, clientData);
}

bool pumpUntil(const std::function<bool()> &done, int timeoutMs)
{
    XtAppContext context = gApplication->appContext();
    Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutMs);
    XtIntervalId tick = XtAppAddTimeOut(context, 5, sTick, &tick);
    while (!done() && Clock::now() < until)
        XtAppProcessEvent(context, XtIMAll);
    XtRemoveTimeOut(tick);
    return done();
}

bool runToEnd(MainWin *win, int timeoutMs)
{
    return pumpUntil([win] { return !win->running(); }, timeoutMs);
}

std::string statusText(MainWin *win)
{
    char *text = XmTextFieldGetString(win->statusWidget());
    std::string result = text ? text : "";
    XtFree(text);
    return result;
}

void recordStatus(Widget status, XtPointer clientData, XtPointer)
{
    char *text = XmTextFieldGetString(status);
    static_cast<std::vector<std::string> *>(clientData)->push_back(text);
    XtFree(text);
}

int progressValue(MainWin *win)
{
    int value = -1;
    XtVaGetValues(win->progressWidget(), XmNvalue, &value, nullptr);
    return value;
}

int progressComplete(MainWin *win)
{
    int value = -1;
    XtVaGetValues(win->progressWidget(), XmNcompleteValue, &value, nullptr);
    return value;
}

bool itemSensitive(MainWin *win, const char *menu, const char *item)
{
    VkMenu *found = win->getMenu(menu);
    VkMenuItem *entry = found ? found->findItem(item) : nullptr;
    return entry && entry->isSensitive();
}

FakeGameServer *FakeFleet::add(MainWin *win, const FakeGameScript &script)
{
    mServers.push_back(std::make_unique<FakeGameServer>(script));
    FakeGameServer *server = mServers.back().get();
    EXPECT_TRUE(server->Start());
    Server record;
    record.SetHost(server->HostText().c_str());
    win->addServer(record);
    return server;
}

Server *serverAt(MainWin *win, const std::string &hostText)
{
    Server wanted;
    wanted.SetHost(hostText.c_str());
    for (Server &s : win->servers()) {
        if (s == wanted)
            return &s;
    }
    return nullptr;
}

void selectServer(MainWin *win, Server *s)
{
    s->SetSelected(true);
    win->setViewTab(0);
    win->updateView();
}

FakeGameScript richScript(int rules, int players)
{
    FakeGameScript script;
    for (int i = 0; i < rules; i++)
        script.rules.push_back({"rule" + std::to_string(i), std::to_string(i * 10)});
    for (int i = 0; i < players; i++) {
        FakePlayer player;
        player.name = "player" + std::to_string(i);
        player.frags = i;
        script.players.push_back(player);
    }
    return script;
}

void pressKey(Widget w, KeySym key, unsigned int modifiers)
{
    // A window manager gives a new window the keyboard focus, and the toolkit puts it on
    // the first widget that takes it; on a bare display nothing does.
    if (!XmGetFocusWidget(w))
        XmProcessTraversal(w, XmTRAVERSE_CURRENT);
    Widget focus = XmGetFocusWidget(w);
    Widget target = focus ? focus : w;
    Display *display = XtDisplay(target);
    XEvent event = {};
    event.xkey.display = display;
    event.xkey.window = XtWindow(target);
    event.xkey.root = DefaultRootWindow(display);
    event.xkey.keycode = XKeysymToKeycode(display, key);
    event.xkey.state = modifiers;
    event.xkey.same_screen = True;
    for (int type : {KeyPress, KeyRelease}) {
        event.xkey.type = type;
        XtDispatchEvent(&event);
    }
}

void crossing(Widget w, int type)
{
    XCrossingEvent event;
    memset(&event, 0, sizeof event);
    event.type = type;
    event.display = XtDisplay(w);
    event.window = XtWindow(w);
    XtDispatchEvent((XEvent *)&event);
}

static Widget shownSash(Widget paned)
{
    WidgetList children = nullptr;
    Cardinal count = 0;
    XtVaGetValues(paned, XmNchildren, &children, XmNnumChildren, &count, nullptr);
    for (Cardinal i = 0; i < count; i++)
        if (XmIsSash(children[i]) && XtIsManaged(children[i]))
            return children[i];
    return nullptr;
}

bool dragSash(Widget paned, bool vertical, int distance)
{
    Widget sash = shownSash(paned);
    if (!sash)
        return false;
    int dx = vertical ? 0 : distance, dy = vertical ? distance : 0;
    Display *display = XtDisplay(sash);
    Position rootX = 0, rootY = 0;
    XtTranslateCoords(sash, 2, 2, &rootX, &rootY);
    XEvent press = {};
    press.xbutton = {ButtonPress, 0, False, display, XtWindow(sash), DefaultRootWindow(display),
                     0, CurrentTime, 2, 2, rootX, rootY, 0, Button1, True};
    XEvent motion = {};
    motion.xmotion = {MotionNotify, 0, False, display, XtWindow(sash),
                      DefaultRootWindow(display), 0, CurrentTime, 2 + dx, 2 + dy, rootX + dx,
                      rootY + dy, Button1Mask, NotifyNormal, True};
    XEvent release = press;
    release.xbutton.type = ButtonRelease;
    release.xbutton.x += dx, release.xbutton.y += dy;
    release.xbutton.x_root += dx, release.xbutton.y_root += dy;
    release.xbutton.state = Button1Mask;
    for (XEvent *event : {&press, &motion, &release})
        XtDispatchEvent(event);
    return true;
}

bool pressOnSash(Widget paned, KeySym key, unsigned int modifiers)
{
    Widget sash = shownSash(paned);
    if (!sash)
        return false;
    XmProcessTraversal(sash, XmTRAVERSE_CURRENT);     // as the user's Tab would
    pressKey(sash, key, modifiers);
    return true;
}

double msBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

void expectSendingsApart(const FakeGameServer *server, size_t count, double minMs,
                         double maxMs)
{
    std::vector<FakeRequest> sent = server->Requests();
    ASSERT_EQ(sent.size(), count);
    for (size_t i = 1; i < sent.size(); i++) {
        double gap = msBetween(sent[i - 1].time, sent[i].time);
        EXPECT_GT(gap, minMs) << "before request " << i;
        EXPECT_LT(gap, maxMs) << "before request " << i;
    }
}

void expectThreeSendingsTwoSecondsApart(const FakeGameServer *silent)
{
    expectSendingsApart(silent, 3, 1900, 3000);     // late on a busy machine, never early
}

std::string gridRowText(Widget grid, int row, int first, int count)
{
    FILE *fp = tmpfile();
    if (!fp)
        return "";
    XmLGridWritePos(grid, fp, XmFORMAT_DELIMITED, '|', False, XmCONTENT, row, XmCONTENT, first,
                    1, count);
    rewind(fp);
    std::string text;
    int c;
    while ((c = fgetc(fp)) != EOF && c != '\n')
        text += (char)c;
    fclose(fp);
    return text;
}

std::vector<std::string> shownAddresses(MainWin *win)
{
    std::vector<std::string> addresses;
    for (int row = 0; row < win->rowCount(); row++)
        addresses.push_back(gridRowText(win->serverGrid(), row, 3, 1));
    std::sort(addresses.begin(), addresses.end());
    return addresses;
}

} // namespace harness

void harness::readErrorLater(std::string *seen)
{
    fwtest::later(30, [seen] {
        Widget dialog = gErrorDialog->lastPostedDialog();
        if (!dialog || !fwtest::press(dialog, fwtest::OK)) {
            readErrorLater(seen);
            return;
        }
        *seen = fwtest::messageText(dialog);
    });
}

// Only a dialog up now is answered: the manager's last dialog may be one answered before.
static void answerShownError(std::shared_ptr<std::string> seen, std::shared_ptr<bool> waiting)
{
    fwtest::later(20, [seen, waiting] {
        if (!*waiting)
            return;
        Widget dialog = gErrorDialog->lastPostedDialog();
        if (!dialog || !XtIsManaged(dialog) || !fwtest::press(dialog, fwtest::OK)) {
            answerShownError(seen, waiting);
            return;
        }
        *seen = fwtest::messageText(dialog);
        *waiting = false;
    });
}

std::string harness::errorDuring(const std::function<void()> &action)
{
    auto seen = std::make_shared<std::string>();
    auto waiting = std::make_shared<bool>(true);
    answerShownError(seen, waiting);
    action();
    *waiting = false;
    return *seen;
}
