// mainwin.h - MainWin, the program's main window: the server list, its query engine,
// the server-list update and the settings it saves.
#ifndef VIREO_BROWSER_MAINWIN_H
#define VIREO_BROWSER_MAINWIN_H

#include "browser/fetch.h"
#include "browser/options.h"
#include "framework/VkWindow.h"
#include "query/server.h"

#include <X11/Intrinsic.h>

#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <deque>
#include <list>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class AboutDialog;
class AddDialog;
class GameStarter;
class OptionsDialog;
class Player;
class RedialDialog;
class VkMenu;
class VkMenuBar;
class VkPopupMenu;
struct MenuDescription;
struct ServerEntry;
struct Settings;
struct WindowGeometry;

class MainWin : public VkWindow {
public:
    enum {
        Mode_Busy = 1,
        Mode_ShowInfo = 16,
        Mode_ShowRules = 32,
        Mode_Redial = 64,
        Mode_Stop = 128,
    };
    enum { Tools = 14, Views = 5 };
    // One list update (or list file) adds at most this many servers.
    enum { MaxServersPerUpdate = 20000 };
    // A bottom pane's size as last chosen (by its sash, or read at start; 0: none), which is
    // what is saved, and the size the paned window first gave it, which stands in this run
    // while none is chosen.
    struct PaneHold {
        int chosen = 0;
        int natural = 0;
        // The least at which the pane shows something of use; its paneMinimum is lower
        // while the window is held below its own least.
        int least = 0;
    };

    MainWin();
    ~MainWin() override;
    const char *className() override;
    void show() override;
    bool canQuit() override;
    Widget buildInterface(Widget parent) override;
    // Closing through the window manager saves the settings as quitting does.
    void onDeleteWindow() override;
    // From now on a display that goes away leaves the settings saved (displayLost.cpp).
    void saveWhenDisplayLost();
    // The walk up to the manager's frame has reached window, one of its ancestors; the tests
    // take the frame away there, as a manager that restarts may.
    virtual void walkedTo(Window) {}

    // ---- Window (mainwin.cpp)
    void setStatus(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // A message that stays on the status line for a while: the count line does not
    // replace it meanwhile, a new message does.
    void holdStatus(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // A tool's tip; leaving the tool puts back the count line or the held message.
    void showTip(const char *tip);
    std::string statusText() const;
    // How long holdStatus keeps a message (ms); the tests shorten it.
    void setStatusHold(int ms) { mStatusHoldMs = ms; }
    void updateCommandState();
    bool isBusy() const { return (mModeFlags & Mode_Busy) != 0; }
    int serverCount() const { return mServerCount; }
    void setManagedState(Widget w, bool managed);
    int rowCount() const;
    // The options dialog, made on first use (View > Options and the options tool).
    void showOptionsDialog();
    static void optionsCB(Widget, XtPointer clientData, XtPointer);

    // ---- Settings (mainwin_settings.cpp)
    void readSettings();
    void parseFile(FILE *fp);
    bool writeSettings();
    void addServer(const Server &server);
    void addSource(const char *source);
    // The options dialog's edited list takes the place of the sources.
    void setSources(const std::vector<std::string> &sources) { mSources = sources; }

    // ---- Query engine (work.cpp)
    void queueServer(Server *s);
    void startWorkProc();
    void stopWorkProc();
    void stop();
    void stepProgress();
    void refreshSelected();
    void refreshAll();
    bool isRedialing() const { return (mModeFlags & Mode_Redial) != 0; }
    bool stopRequested() const { return (mModeFlags & Mode_Stop) != 0; }
    // The longest a query of one server may last (ms); the tests shorten it.
    void setQueryLimit(int ms) { mQueryLimitMs = ms; }

    // ---- Server-list update (update.cpp)
    void updateList();
    // False, with *error saying why, when reading the file failed part-way; name (may be
    // null) is shown on the status line while the file is read.
    bool updateFromFile(FILE *fp, const char *name, std::string *error);
    bool updateFromURL(const char *source);
    bool updateFromPath(const char *path);
    bool updateFromStream(FILE *fp, std::string *error);
    // Adds the line's server, if any; false once the update has added all it may.
    bool scanServerLine(const char *line, size_t length);
    // A line of a list file opened by the user (listFile.cpp); false as scanServerLine.
    bool readListLine(const char *line, size_t length);
    // Adds a server a source or list file named; false once the update has added all it may.
    bool addUpdatedServer(const Server &server);
    // How long a source and a whole update may hold the window up; the tests shorten it.
    void setFetchLimits(const FetchLimits &limits) { mFetchLimits = limits; }

    // ---- Server pane (serverGrid.cpp)
    // Brings every row up to date now and refills the info panes.
    void buildServerList();
    // Notes a server whose answer changed; the grid follows a few times a second.
    void serverChanged(Server *s);
    // Brings the grid up to date now when changes wait for it (the end of a run).
    void catchUpServerGrid();
    void updateServerLine(Server *server);
    void setViewTab(int view);
    void updateView();
    // The selection as the grid shows it: rows of the current view, in the grid's order.
    Server *selectedServer();
    int selectedCount();
    std::vector<Server *> selectedServers();
    static void selectCB(Widget, XtPointer clientData, XtPointer callData);
    static void sGridEventHandler(Widget, XtPointer clientData, XEvent *event, Boolean *);
    // A server's row, "|" between the cells; server texts cannot reach another cell.
    static std::string serverRowText(const Server &s);
    static std::string cellText(const std::string &text);
    // A server's name for a sentence: as the grid shows it, at most MaxShownName characters.
    enum { MaxShownName = 64 };
    static std::string shownName(const char *name);
    Widget serverGrid() const { return mServerGrid; }

    // ---- Info panes (infoPane.cpp)
    enum { Swatches = 14 };
    void fillRuleGrid(Server *server);
    void fillPlayerGrid(Server *server);
    static std::string playerRowText(const Player &p);
    static std::string connectTimeText(int seconds);
    Widget playerGrid() const { return mPlayerGrid; }
    Widget ruleGrid() const { return mRuleGrid; }
    Pixmap swatch(int colour) const;

    // ---- View choices (view.cpp)
    bool filterServer(const Server &s) const;
    // Selected, and shown by the current view: what a command on the selection acts on.
    bool isShownSelected(const Server &s) const;
    void selectAll();
    void sortServers(Server **array, int total);
    void sortPlayers(Player **array, int total);
    void setServerSortKey(int key);
    void setPlayerSortKey(int key);
    int view() const { return mView; }
    int serverSortKey() const { return mServerSortKey; }
    int playerSortKey() const { return mPlayerSortKey; }

    // ---- Printable list (print.cpp)
    void printServers();

    // ---- Redial (redial.cpp) and launch (launch.cpp)
    void redialSelected();
    virtual void slotOpened(Server *s);
    // The slot dialog's OK: joins the server whose slot opened, whatever is selected now.
    void joinSlotServer();
    void launchGame();
    void launchOn(Server *s);
    // False, with *reason (when given) saying why, when the file was not written whole; a
    // link, a pipe or a device in its place is not written at all.
    bool writeConnectFile(const char *path, const Server &s, std::string *reason = nullptr);
    // The game command for a server's port, or false when the options cannot make one.
    static bool launchCommand(const Options &options, unsigned int port, std::string *command);
    // Starts the command through the shell without waiting for it; a command the shell
    // cannot run is told in the error dialog. The tests record it instead.
    virtual void runCommand(const char *command);
    static void launchCB(Widget, XtPointer clientData, XtPointer);
    static void aboutCB(Widget, XtPointer clientData, XtPointer);

    // ---- Add dialog, favorites and never-ping marks (marks.cpp)
    void showAddDialog();
    // After an add: a view that shows the new server, rebuilt.
    void showAdded(const Server &s);
    void toggleFavorites();
    void toggleNeverPing();
    void copyCB();

    // ---- Menus (menu.cpp)
    VkMenu *getMenu(const char *name);
    void updateMenus();
    void updatePaneLabels();
    void toggleBottomPane();
    void toggleRulesPane();
    void postPopup(XEvent *event);

    // ---- Tool bar (tool.cpp) and the list commands (listFile.cpp)
    void updateToolbar();
    void notImplemented();
    void deleteServers();
    void loadServers();
    void saveServers();
    void writeServerFile(FILE *fp);
    void reportLeftOutHosts();
    void reportLeftOut(const char *why, std::vector<std::string> *hosts);

    // Menu callbacks; the client data is the window.
    template <void (MainWin::*Command)()>
    static void sCommandCB(Widget, XtPointer clientData, XtPointer)
    { (static_cast<MainWin *>(clientData)->*Command)(); }
    static void sViewCB(Widget w, XtPointer clientData, XtPointer);
    static void sSortServersCB(Widget w, XtPointer clientData, XtPointer callData);
    static void sSortPlayersCB(Widget w, XtPointer clientData, XtPointer callData);
    static void sExitCB(Widget, XtPointer, XtPointer);
    static void sUpdateListCB(Widget, XtPointer clientData, XtPointer);
    static void sRedialCB(Widget, XtPointer clientData, XtPointer);
    static void sRefreshSelectedCB(Widget, XtPointer clientData, XtPointer);
    static void sRefreshAllCB(Widget, XtPointer clientData, XtPointer);
    static void sStopCB(Widget, XtPointer clientData, XtPointer);

    // Read by the tests and the benchmark as the rest of the program reads them.
    std::list<Server> &servers() { return mServerList; }
    const std::vector<std::string> &sources() const { return mSources; }
    Options &options() { return mOptions; }
    unsigned int modeFlags() const { return mModeFlags; }
    bool running() const { return mWorkId != 0 || mRedialTimer != 0; }
    Widget statusWidget() const { return mStatus; }
    Widget progressWidget() const { return mProgress; }
    OptionsDialog *optionsDialog() const { return mOptionsDialog; }

private:
    static Boolean sWorkProc(XtPointer clientData);
    static void sStatusTimerCB(XtPointer clientData, XtIntervalId *);
    static void sRedialTimerCB(XtPointer clientData, XtIntervalId *);
    static void sViewTabCB(Widget w, XtPointer clientData, XtPointer callData);
    static void sGridTimerCB(XtPointer clientData, XtIntervalId *);

    // mainwin.cpp
    Widget createStatusForm(Widget form);
    void showStatus(const char *text);
    static std::string displayedStatus(const char *text);
    void releaseStatus();
    void statusHeldOut();
    void abandonRun();
    void removeWorkAndTimer();

    // panes.cpp
    void applyPaneSettings();
    static void sSashCB(Widget sash, XtPointer clientData, XtPointer callData);
    void sashMoved(Widget paned);
    void watchSashes(Widget paned);
    static void sMainPaneEH(Widget, XtPointer clientData, XEvent *event, Boolean *);
    void fitPanes();
    void shareShortRoom();
    void leastSize(int *width, int *height);
    void keepLeastSize();
    void raiseToLeast();

    // displayLost.cpp
    static int sDisplayLost(Display *display);
    void saveWithoutDisplay();

    // place.cpp
    static const char *givenGeometry();
    Window frameWindow(Display *display, Window window);
    std::string geometryNow();
    bool sizedByManager();
    std::string geometryToSave();
    void watchPlace();
    static void sPlaceEH(Widget, XtPointer clientData, XEvent *event, Boolean *);
    void placeChanged(const XEvent *event);
    static void sPlaceTimerCB(XtPointer clientData, XtIntervalId *);
    void notePlace();
    void fitFrame();

    // mainwin_settings.cpp
    void applySettings(const Settings &settings);
    void applyGeometry(const std::string &saved);
    WindowGeometry resourceSize();
    bool takeGivenGeometry(const char *option, WindowGeometry *geometry);
    std::string fileGeometry(const std::string &now);
    void addServerLine(const ServerEntry &entry);
    // The server of the list with the same address and port (Server::operator==), or null.
    Server *listedServer(const Server &server);

    // update.cpp
    struct SourceTally {
        int  total = 0, read = 0, failed = 0;
        bool timedOut = false;  // the update's time ran out and the rest went unread
        std::string lastFailure;
    };
    bool updateCapReached() const;
    void showUpdateCap();
    SourceTally readSources();
    void tellUpdateEnd(const SourceTally &tally);
    void refreshAfterUpdate();
    void showStatusAfterRun();

    // work.cpp
    Boolean workStep();
    bool workProc();
    bool handleMessage();
    bool handleReplies(const std::vector<Server *> &ready);
    long long answeredQuietUntil(const Server *s) const;
    void requeryOverdue();
    void endStoppedQueries();
    void giveUp(size_t index);
    void startQueries();
    void pauseRedial(Server *s);
    void resumeRedial();
    // True when what *shownAt times was last shown long enough ago; it then counts as
    // shown now. Paces progress shown from inside long work.
    static bool progressDue(long long *shownAt);
    void showProgress();
    // setStatus at the pace of progressDue; what is held back shows later.
    void setStatusPaced(const char *format, ...) __attribute__((format(printf, 2, 3)));
    // A status line text, cut to what the line holds.
    static std::string statusText(const char *format, va_list args);
    void startPassWork();
    bool passWorkDone() const;
    void trace(const char *format, ...) const __attribute__((format(printf, 2, 3)));

    // marks.cpp, launch.cpp
    void markSelected(unsigned int flag, int removingView);
    // The server to launch on: s with an address, looked up again if need be (or the server
    // listed already at the address found); null, the user told, when none is found.
    Server *findAddress(Server *s);
    Server *joinListed(Server *found);

    // serverGrid.cpp, infoPane.cpp, tool.cpp, menu.cpp
    Widget createServerPane(Widget parent);
    Widget createTabButton(Widget parent, const char *name);
    Widget createServerGrid(Widget pane, Widget folder);
    Dimension serverPaneLeast(Widget folder);
    void scheduleGridSync(long delayMs);
    void cancelGridSync();
    void syncServerGrid(bool everyRow);
    std::vector<Server *> shownServers();
    std::vector<bool> placeRows(const std::vector<Server *> &shown);
    std::vector<bool> planRows(const std::vector<Server *> &shown, std::vector<int> *from);
    void writeRows(const std::vector<Server *> &shown, const std::vector<bool> &fresh,
                   bool everyRow);
    void matchSelection(const std::vector<Server *> &shown);
    void writeServerRow(const Server &s);
    static const char *dottedAddress(const Server &s);     // "-" when it has none
    static std::string addressText(const Server &s);
    void selectionChanged(bool heading, int column);
    Server *rowServer(int row);
    void fillInfoPanes(Server *s);
    Widget createInfoPane(Widget parent);
    Widget createPlayerGrid(Widget pane);
    Widget createRuleGrid(Widget pane);
    void createSwatches();
    int playerRowHeight();
    void writePlayerRow(const Player &p, int row);
    void createToolBar(Widget toolBar);
    Widget createToolButton(Widget parent, const char *name, const char **picture,
                            const char **insensitive);
    Pixmap createPixmap(Widget w, const char **data);
    Widget createSpacer(Widget parent);
    static void sToolCB(Widget w, XtPointer clientData, XtPointer);
    static void sToolEventHandler(Widget w, XtPointer clientData, XEvent *event, Boolean *);
    void runTool(int tool);
    void createMenuBar();
    void addAboutItem(VkMenuBar *bar);
    static int itemIndex(const MenuDescription *table, const char *name);
    void updateFileMenu();
    void updateEditMenu();
    void updateServerItems(VkMenu *menu);
    void updateServerMenu();
    void updateViewMenu();
    void setItemSensitive(VkMenu *menu, const char *label, bool sensitive);
    void setItemState(VkMenu *menu, const char *label, bool state);
    void setItemLabel(VkMenu *menu, const char *label, const char *text);
    void viewTabChanged(Widget tab, bool set);

    Widget mServerGrid = nullptr;
    Widget mPlayerGrid = nullptr;
    Widget mRuleGrid = nullptr;
    Widget mMainPane = nullptr;
    Widget mToolBar = nullptr;
    Widget mStatus = nullptr;
    Widget mServerPane = nullptr;
    Widget mInfoPane = nullptr;
    Widget mProgress = nullptr;
    std::list<Server>        mServerList;       // owned; pointers into it stay valid
    // Each server by its address and port; rebuilt when the list is shorter.
    std::unordered_map<unsigned long long, Server *> mServerKeys;
    int                      mServerCount = 0;
    std::deque<Server *>     mQueryQueue;       // in at the front, out at the back
    std::vector<Server *>    mWaitingList;      // queries in flight, in the order started
    Widget                   mTools[Tools] = {};
    XtWorkProcId             mWorkId = 0;
    unsigned int             mModeFlags = 0;
    ServerQueryInfo          mQueryInfo;
    int                      mView = 1;
    Widget                   mViewTabs[Views] = {};
    Pixmap                   mSwatches[Swatches] = {};  // by colour number, made with the panes
    int                      mServerSortKey = 1;
    int                      mPlayerSortKey = 1;
    std::vector<std::string> mSources;
    Options                  mOptions;
    VkPopupMenu             *mPopupMenu = nullptr;
    // The program's dialogs, made on first use and kept while the window lives.
    AddDialog               *mAddDialog = nullptr;
    RedialDialog            *mRedialDialog = nullptr;
    AboutDialog             *mAboutDialog = nullptr;
    OptionsDialog           *mOptionsDialog = nullptr;
    // The server the redial dialog offers; cleared when that server is deleted.
    Server                  *mSlotServer = nullptr;
    GameStarter             *mGameStarter = nullptr;   // made by the first game start

    // Hosts of the list file being read that were left out, to be reported: names that did
    // not resolve, and addresses no server can be at.
    std::vector<std::string> mUnfoundHosts;
    std::vector<std::string> mNoServerHosts;

    // Start-up state from the settings file. Panes that are not built yet save what was read.
    bool        mDebug = false;
    std::string mGeometry;          // the saved one, fitted to the screen; "": none
    std::string mShellGeometry;     // the shell's "geometry" resource points into it
    // The window's size and place as the user last gave them, kept while the manager has
    // it maximized; mPlaceTimer looks at the window once the manager is done with it.
    std::string  mOwnGeometry;
    XtIntervalId mPlaceTimer = 0;
    bool         mFitFrame = false;     // the frame is to be fitted to the screen when it comes
    PaneHold    mInfoHold, mRulesHold;     // the bottom pane's height, the rules pane's width
    PaneHold    mServerHold;               // the server pane's least
    bool        mShowRules = false;
    std::string mSettingsUnread;    // why the file was not read whole; empty: it was, or none
    bool        mSettingsRead = false;
    // The window that saves when the display goes, and the display gone: the settings are
    // then saved from what was noted of it.
    static MainWin *sSessionWindow;
    bool        mDisplayGone = false;

    // The engine's waits: for each waiting server, when its current request counts as
    // unanswered and when its whole query must end; when a stop ends the queries still in
    // flight; and the server of a redial pause.
    struct QueryWait {
        long long quietUntil;       // microseconds of monotonicUs
        long long endBy;
    };
    std::unordered_map<const Server *, QueryWait> mWaits;
    long long    mStopDeadline = 0;
    int          mQueryLimitMs = 120000;
    XtIntervalId mRedialTimer = 0;
    Server      *mRedialServer = nullptr;
    FetchLimits  mFetchLimits;
    // The list update under way: servers it added, when it must end (0: no update), and
    // the source or file being read (empty: none, or a file without a name).
    int          mUpdateAdded = 0;
    long long    mUpdateDeadline = 0;
    std::string  mReading;

    // The message holdStatus keeps on the status line while mStatusTimer runs.
    std::string  mHeldStatus;
    XtIntervalId mStatusTimer = 0;
    int          mStatusHoldMs = 10000;
    // What the status line says again when the present run ends (empty: the count line).
    std::string  mStatusAfterRun;

    // The window's least size, and the size it was last raised from and to (0 0: none).
    int                 mLeastWidth = 0, mLeastHeight = 0;
    std::pair<int, int> mRaisedFrom{0, 0}, mRaisedTo{0, 0};

    long long    mPassEnd = 0;          // when this call of the work procedure is to return
    int          mMeterValue = -1;      // a step not shown yet; -1: none
    std::string  mStatusPending;        // a status not shown yet
    long long    mMeterShownAt = 0;     // monotonic ms; 0: not yet
    long long    mStatusShownAt = 0;

    // The server grid as the last sync left it: row i shows mRowServers[i] with the text
    // mRowTexts[i]. Servers that changed since wait in mChangedServers for the timer.
    // Pointers here are only compared: a deleted server's may linger until the next sync.
    std::vector<Server *>        mRowServers;
    std::vector<std::string>     mRowTexts;
    std::unordered_set<Server *> mChangedServers;
    XtIntervalId                 mGridTimer = 0;
    long long                    mGridSyncedAt = 0;     // monotonic ms
    long                         mGridSyncMs = 0;       // how long the last sync took
};

// A player's name in the game's character set as plain ASCII, in a static buffer that the
// next call overwrites; at most 255 characters.
const char *quakeNameToAscii(const char *name);

#endif
