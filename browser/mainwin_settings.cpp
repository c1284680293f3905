// mainwin_settings.cpp - MainWin and the settings file: what is read at start and saved at
// quit, and the server and source lists the file fills.
#include "browser/mainwin.h"

#include "browser/settings.h"

#include <Xm/Xm.h>
#include <X11/Xutil.h>

#include <cassert>
#include <cctype>
#include <cstdio>
#include <cstring>
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
    Screen *screen = XtScreen(baseWidget());
    // A size of nothing or a place off the screen would hide the window: the default then.
    // The shell keeps the pointer, not a copy.
    if (usableGeometry(s.geometry.c_str(), WidthOfScreen(screen), HeightOfScreen(screen))) {
        mGeometry = s.geometry;
        XtVaSetValues(baseWidget(), XmNgeometry, mGeometry.c_str(), nullptr);
    }
    if (const char *given = givenGeometry()) {
        mGivenGeometry = given;
        XtVaSetValues(baseWidget(), XmNgeometry, mGivenGeometry.c_str(), nullptr);
    }
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
    s.geometry = geometryToSave();
    Screen *screen = XtScreen(baseWidget());
    // Never one that would hide the window at the next start: what was read, or none.
    if (!usableGeometry(s.geometry.c_str(), WidthOfScreen(screen), HeightOfScreen(screen)))
        s.geometry = mGeometry;
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

// Smaller than this the window shows nothing of use; X sizes stop at 32767; and a window
// must keep this much of itself on the screen to be found and dragged back.
static const int MinGeometryWidth = 200;
static const int MinGeometryHeight = 100;
static const int MaxGeometrySize = 32767;
static const int MinOnScreen = 32;

// The part of [start, start + length) that lies within [0, limit).
static int overlap(int start, int length, int limit)
{
    int from = start > 0 ? start : 0;
    int to = start + length < limit ? start + length : limit;
    return to - from;
}

bool MainWin::usableGeometry(const char *geometry, int screenWidth, int screenHeight)
{
    assert(geometry);
    // Numbers longer than this cannot be a size or place, and would overflow the parser.
    for (const char *c = geometry; *c; c++) {
        if (strspn(c, "0123456789") > 5)
            return false;
    }
    int x = 0, y = 0;
    unsigned int width = MinGeometryWidth, height = MinGeometryHeight;
    int mask = XParseGeometry(geometry, &x, &y, &width, &height);
    if (mask == NoValue)
        return false;
    if (width < (unsigned)MinGeometryWidth || height < (unsigned)MinGeometryHeight
        || width > (unsigned)MaxGeometrySize || height > (unsigned)MaxGeometrySize)
        return false;
    if (mask & XNegative)
        x += screenWidth - (int)width;
    if (mask & YNegative)
        y += screenHeight - (int)height;
    if ((mask & XValue) && overlap(x, (int)width, screenWidth) < MinOnScreen)
        return false;
    return !(mask & YValue) || overlap(y, (int)height, screenHeight) >= MinOnScreen;
}

void MainWin::addSource(const char *source)
{
    assert(source);
    mSources.push_back(source);
}
