// mainwin.h - MainWin, the program's main window: the server list, its query engine,
// the server-list update and the settings it saves.
#ifndef VIREO_BROWSER_MAINWIN_H
#define VIREO_BROWSER_MAINWIN_H

#include "browser/fetch.h"
#include "browser/options.h"
#include "framework/VkWindow.h"
#include "query/server.h"

#include <X11/Intrinsic.h>

#include <cstddef>
#include <cstdio>
#include <deque>
#include <list>
#include <string>
#include <vector>

class VkMenu;
class VkPopupMenu;
struct Settings;

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

    MainWin();
    ~MainWin() override;
    const char *className() override;
    void show() override;
    bool canQuit() override;
    Widget buildInterface(Widget parent) override;
    // Closing through the window manager saves the settings as quitting does.
    void onDeleteWindow() override;

    // ---- Window (mainwin.cpp)
    void setStatus(const char *format, ...) __attribute__((format(printf, 2, 3)));
    void updateCommandState();
    bool isBusy() const { return (mModeFlags & Mode_Busy) != 0; }
    int serverCount() const { return mServerCount; }
    void setManagedState(Widget w, bool managed);
    int rowCount() const;

    // ---- Settings (mainwin_settings.cpp)
    void readSettings();
    void parseFile(FILE *fp);
    bool writeSettings();
    void addServer(const Server &server);
    void addSource(const char *source);

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

    // ---- Server-list update (update.cpp)
    void updateList();
    void updateFromFile(FILE *fp, const char *name = nullptr);
    bool updateFromURL(const char *source);
    bool updateFromPath(const char *path);
    bool updateFromStream(FILE *fp, std::string *error);
    void scanServerLine(const char *line, size_t length);
    // How long a source may hold the window up; the tests shorten it.
    void setFetchLimits(const FetchLimits &limits) { mFetchLimits = limits; }

    // ---- Server pane (serverGrid.cpp)
    void buildServerList();
    void serverChanged(Server *s);
    void setViewTab(int view);
    void updateView();
    Server *selectedServer();
    int selectedCount();
    std::vector<Server *> selectedServers();

    // ---- Redial and launch (redial.cpp)
    void redialSelected();
    virtual void slotOpened(Server *s);
    void launchGame();

    // ---- Menus (menu.cpp)
    VkMenu *getMenu(const char *name);
    void updateMenus();
    void updatePaneLabels();

    // ---- Tool bar (tool.cpp)
    void updateToolbar();

    // Menu callbacks; the client data is the window.
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

private:
    static Boolean sWorkProc(XtPointer clientData);
    static void sRedialTimerCB(XtPointer clientData, XtIntervalId *);
    static void sViewTabCB(Widget w, XtPointer clientData, XtPointer callData);

    // mainwin.cpp
    Widget createStatusForm(Widget form);
    void applyPaneSettings();
    void abandonRun();
    void removeWorkAndTimer();

    // mainwin_settings.cpp
    void applySettings(const Settings &settings);

    // work.cpp
    Boolean workStep();
    bool workProc();
    bool handleMessage();
    bool handleReplies(const std::vector<Server *> &ready);
    void requeryWaiting();
    void giveUp(size_t index);
    void startQueries();
    void pauseRedial(Server *s);
    void resumeRedial();
    void trace(const char *format, ...) const __attribute__((format(printf, 2, 3)));

    // serverGrid.cpp, infoPane.cpp, tool.cpp, menu.cpp
    Widget createServerPane(Widget parent);
    Widget createTabButton(Widget parent, const char *name);
    Widget createInfoPane(Widget parent);
    void createToolBar(Widget toolBar);
    void createMenuBar();
    void updateFileMenu();
    void updateServerItems(VkMenu *menu);
    void updateServerMenu();
    void setItemSensitive(VkMenu *menu, const char *name, bool sensitive);
    void setItemLabel(VkMenu *menu, const char *name, const char *text);
    void viewTabChanged(Widget tab, bool set);

    Widget mServerGrid = nullptr;
    Widget mPlayerGrid = nullptr;
    Widget mRuleGrid = nullptr;
    Widget mMainPane = nullptr;
    Widget mStatus = nullptr;
    Widget mServerPane = nullptr;
    Widget mInfoPane = nullptr;
    Widget mProgress = nullptr;
    std::list<Server>        mServerList;       // owned; pointers into it stay valid
    int                      mServerCount = 0;
    std::deque<Server *>     mQueryQueue;       // in at the front, out at the back
    std::vector<Server *>    mWaitingList;      // queries in flight, in the order started
    Widget                   mTools[Tools] = {};
    XtWorkProcId             mWorkId = 0;
    unsigned int             mModeFlags = 0;
    ServerQueryInfo          mQueryInfo;
    int                      mView = 1;
    Widget                   mViewTabs[Views] = {};
    int                      mServerSortKey = 1;
    int                      mPlayerSortKey = 1;
    std::vector<std::string> mSources;
    Options                  mOptions;
    VkPopupMenu             *mPopupMenu = nullptr;

    // Start-up state from the settings file. Panes that are not built yet save what was read.
    bool        mDebug = false;
    std::string mGeometry;          // the shell's "geometry" resource points into it
    int         mInfoPaneHeight = 0;
    int         mRulePaneWidth = 0;
    bool        mShowRules = false;

    // The engine's waits: when the current silence of the waiting servers reaches its
    // limit (0: no silence is being timed), and the server of a redial pause.
    long long    mSilenceDeadline = 0;
    XtIntervalId mRedialTimer = 0;
    Server      *mRedialServer = nullptr;
    FetchLimits  mFetchLimits;
};

#endif
