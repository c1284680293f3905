// mainwin_settings.cpp - MainWin and the settings file: what is read at start and saved at
// quit, and the server and source lists the file fills.
#include "browser/mainwin.h"

#include "browser/settings.h"

#include <Xm/Xm.h>

#include <cassert>
#include <cstdio>
#include <cstring>

void MainWin::readSettings()
{
    Settings settings;
    // A file that cannot be read leaves the defaults, with the default source.
    std::string problem;
    ::readSettings(settingsPath().c_str(), &settings, &problem);
    if (!problem.empty())
        fprintf(stderr, "Vireo: %s\n", problem.c_str());
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
    if (!s.geometry.empty()) {
        // The shell keeps the pointer, not a copy.
        mGeometry = s.geometry;
        XtVaSetValues(baseWidget(), XmNgeometry, mGeometry.c_str(), nullptr);
    }
    mInfoPaneHeight = s.infoPaneHeight;
    mRulePaneWidth = s.rulePaneWidth;
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
    for (const ServerEntry &entry : s.servers) {
        Server server;
        makeServer(entry, &server);
        addServer(server);
    }
}

// Saves what the window shows now; a pane that is not built yet keeps what was read,
// so a run of this program never drops a setting it does not use.
bool MainWin::writeSettings()
{
    Settings s;
    s.debug = mDebug;
    Dimension width = 0, height = 0;
    Position x = 0, y = 0;
    XtVaGetValues(baseWidget(), XmNwidth, &width, XmNheight, &height, XmNx, &x, XmNy, &y,
                  nullptr);
    s.geometry = formatGeometry(width, height, x, y);
    bool infoShown = mInfoPane && XtIsManaged(mInfoPane);
    s.infoPaneHeight = mInfoPaneHeight;
    if (infoShown && mPlayerGrid) {     // an empty pane's height says nothing
        Dimension paneHeight = 0;
        XtVaGetValues(mInfoPane, XmNheight, &paneHeight, nullptr);
        s.infoPaneHeight = paneHeight;
    }
    s.rulePaneWidth = mRulePaneWidth;
    s.showRules = mShowRules;
    if (mRuleGrid) {
        Dimension paneWidth = 0;
        XtVaGetValues(mRuleGrid, XmNwidth, &paneWidth, nullptr);
        s.rulePaneWidth = paneWidth;
        s.showRules = XtIsManaged(mRuleGrid);
    }
    s.showInfo = mInfoPane ? infoShown : (mModeFlags & Mode_ShowInfo) != 0;
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

void MainWin::addServer(const Server &server)
{
    for (const Server &known : mServerList) {
        if (known == server)
            return;
    }
    mServerList.push_back(server);
    mServerCount++;
}

void MainWin::addSource(const char *source)
{
    assert(source);
    mSources.push_back(source);
}
