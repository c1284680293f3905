// mainwin_settings.cpp - MainWin and the settings file: what is read at start and saved at
// quit, and the server and source lists the file fills.
#include "browser/mainwin.h"

#include "browser/geometry.h"
#include "browser/settings.h"

#include <Xm/Xm.h>
#include <X11/Xutil.h>

#include <cassert>
#include <cctype>
#include <cstdio>
#include <functional>
#include <string>

// A file that is there but was not read whole is the user's, not ours: saving what was read
// over it at quit would lose the rest (every server of a file this user may not read).
void MainWin::readSettings()
{
    Settings settings;
    std::string path = settingsPath();
    bool read = ::readSettings(path.c_str(), &settings, &mSettingsUnread);
    mSettingsRead = true;
    if (!mSettingsUnread.empty())
        fprintf(stderr, "Vireo: %s: %s; %s, and it will not be replaced at quit\n", path.c_str(),
                mSettingsUnread.c_str(), read ? "only part of it was read" : "defaults used");
    applySettings(settings);
}

void MainWin::parseFile(FILE *fp)
{
    assert(fp);
    Settings settings;
    parseSettings(fp, &settings);
    applySettings(settings);
}

void MainWin::applySettings(const Settings &s)
{
    mDebug = s.debug;
    applyGeometry(s.geometry);
    mInfoHold.chosen = s.infoPaneHeight;
    mRulesHold.chosen = s.rulePaneWidth;
    mShowRules = s.showRules;
    mModeFlags &= ~(unsigned int)(Mode_ShowInfo | Mode_ShowRules);
    if (s.showInfo)
        mModeFlags |= Mode_ShowInfo;
    if (s.showRules)
        mModeFlags |= Mode_ShowRules;
    mView = s.view;
    mServerSortKey = s.serverSortKey;
    mPlayerSortKey = s.playerSortKey;
    mOptions = s.options;
    for (const std::string &source : s.sources)
        addSource(source.c_str());
    for (const ServerEntry &entry : s.servers)
        addServerLine(entry);
}

// ---- The window's size and place

// The saved size and place fitted to this screen (one saved on a larger screen is cut to it
// or moved onto it), then -geometry's parts over them for this run. Without either the
// shell keeps the toolkit's default.
void MainWin::applyGeometry(const std::string &saved)
{
    Screen *screen = XtScreen(baseWidget());
    int screenWidth = WidthOfScreen(screen), screenHeight = HeightOfScreen(screen);
    WindowGeometry geometry = resourceSize(), read;
    std::string why;
    bool changed = false;
    if (readGeometry(saved.c_str(), &read, &why)) {
        geometry = mergeGeometry(geometry, read);
        fitGeometry(&geometry, screenWidth, screenHeight);
        mGeometry = geometryText(geometry);
        changed = true;
    }
    if (const char *option = givenGeometry())
        changed = takeGivenGeometry(option, &geometry) || changed;
    if (!changed)
        return;
    mShellGeometry = geometryText(geometry);
    XtVaSetValues(baseWidget(), XmNgeometry, mShellGeometry.c_str(), nullptr);  // not copied
}

// The size the resources give the window (none when they give none): a place given alone
// is checked against the screen with it.
WindowGeometry MainWin::resourceSize()
{
    Dimension width = 0, height = 0;
    XtVaGetValues(baseWidget(), XmNwidth, &width, XmNheight, &height, nullptr);
    WindowGeometry size;
    size.width = width;
    size.height = height;
    size.mask = (width ? WidthValue : 0) | (height ? HeightValue : 0);
    return size;
}

// The parts -geometry gives replace those of *geometry. One that cannot be read, or that
// would hide the window, is told and left out; a size larger than the screen is cut to it.
bool MainWin::takeGivenGeometry(const char *option, WindowGeometry *geometry)
{
    Screen *screen = XtScreen(baseWidget());
    int screenWidth = WidthOfScreen(screen), screenHeight = HeightOfScreen(screen);
    WindowGeometry read;
    std::string why;
    if (readGeometry(option, &read, &why)) {
        WindowGeometry merged = mergeGeometry(*geometry, read);
        if (!(read.mask & (XValue | YValue)) ||
            placeOnScreen(merged, screenWidth, screenHeight)) {
            fitGeometry(&merged, screenWidth, screenHeight);
            *geometry = merged;
            return true;
        }
        why = "the window would be off the screen";
    }
    fprintf(stderr, "Vireo: -geometry %s ignored: %s\n", option, why.c_str());
    return false;
}

// Never one the next start cannot show whole: fitted to the screen, or, when the window's
// own cannot be read, the one read at start.
std::string MainWin::fileGeometry(const std::string &now)
{
    WindowGeometry geometry;
    std::string why;
    if (!readGeometry(now.c_str(), &geometry, &why))
        return mGeometry;
    Screen *screen = XtScreen(baseWidget());
    fitGeometry(&geometry, WidthOfScreen(screen), HeightOfScreen(screen));
    return geometryText(geometry);
}

// ---- Servers

// A server named in two ways (a name and its address) is one record, under the name its first
// line gives; where a later line's marks differ, the first line's hold, and the user hears so
// before the next save drops the other for good.
void MainWin::addServerLine(const ServerEntry &entry)
{
    Server server;
    makeServer(entry, &server);
    Server *listed = listedServer(server);
    if (!listed) {
        addServer(server);
        return;
    }
    if (!joinServerMarks(&listed->mFlags, entry.kind)) {
        ServerEntry first = serverEntry(*listed);
        fprintf(stderr, "~/.vireorc line %d: %s %s:%d: the same server as %s:%d, marked "
                "otherwise before, ignored\n", entry.line, serverMarkWords(entry.kind).c_str(),
                entry.host.c_str(), entry.port, first.host.c_str(), first.port);
    }
}

// Saves the window as it is now; a pane that is not built yet keeps what was read, so a run
// of this program never drops a setting it does not use.
bool MainWin::writeSettings()
{
    if (!mSettingsUnread.empty()) {
        fprintf(stderr, "Vireo: %s not saved: it could not be read whole at start (%s)\n",
                settingsPath().c_str(), mSettingsUnread.c_str());
        return false;
    }
    Settings s;
    s.debug = mDebug;
    s.geometry = fileGeometry(geometryToSave());
    // The sizes last chosen, not those a small window cut them to: a start in a window with
    // room shows them again.
    s.infoPaneHeight = mInfoHold.chosen;
    s.rulePaneWidth = mRulesHold.chosen;
    s.showRules = mRuleGrid ? XtIsManaged(mRuleGrid) : mShowRules;
    s.showInfo = mInfoPane ? XtIsManaged(mInfoPane) : (mModeFlags & Mode_ShowInfo) != 0;
    s.view = mView;
    s.serverSortKey = mServerSortKey;
    s.playerSortKey = mPlayerSortKey;
    s.options = mOptions;
    s.sources = mSources;
    for (const Server &server : mServerList)
        s.servers.push_back(serverEntry(server));

    std::string path = settingsPath();
    if (path.empty()) {
        fprintf(stderr, "Vireo: no home folder known, the settings were not saved\n");
        return false;
    }
    std::string why;
    if (!::writeSettings(path.c_str(), s, &why)) {
        fprintf(stderr, "Vireo: could not save the settings in %s: %s\n", path.c_str(),
                why.c_str());
        return false;
    }
    return true;
}

// Equal servers (Server::operator==) have equal keys.
static unsigned long long serverKey(const Server &s)
{
    if (s.mAddress.HasAddress())
        return (unsigned long long)s.mAddress.Address() << 16 | s.mPort;
    // A name without an address is told apart by its name; the top bit keeps such keys
    // clear of every address's.
    std::string name = s.mAddress.KnownHostName();
    for (char &c : name)
        c = (char)tolower((unsigned char)c);
    return std::hash<std::string>()(name + ":" + std::to_string(s.mPort)) | 1ULL << 63;
}

// Settings files and list sources bring tens of thousands of servers; a scan of the list
// for each made start-up quadratic.
Server *MainWin::listedServer(const Server &server)
{
    if (mServerKeys.size() != mServerList.size()) {
        // Deleting servers only shortens the list; the keys follow here, once.
        mServerKeys.clear();
        for (Server &known : mServerList)
            mServerKeys.emplace(serverKey(known), &known);
    }
    auto found = mServerKeys.find(serverKey(server));
    return found == mServerKeys.end() ? nullptr : found->second;
}

void MainWin::addServer(const Server &server)
{
    if (listedServer(server))
        return;
    mServerList.push_back(server);
    Server &added = mServerList.back();
    added.mRow = -1;        // a copy of a shown server has no row of its own
    mServerKeys.emplace(serverKey(added), &added);
    mServerCount++;
}

void MainWin::addSource(const char *source)
{
    assert(source);
    mSources.push_back(source);
}
