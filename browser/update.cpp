// update.cpp - MainWin's server-list update: servers from web pages, "file:" sources and
// server-list files, one per line that holds a dotted address.
#include "browser/mainwin.h"

#include "browser/clock.h"
#include "browser/scanner.h"

#include <algorithm>
#include <cassert>
#include <cstdio>

// A hostile or broken source can name servers without end; each is kept and saved, and
// makes every later start slower. So one update stops adding at a bound, and says so.
bool MainWin::updateCapReached() const
{
    return mUpdateAdded >= MaxServersPerUpdate;
}

void MainWin::showUpdateCap()
{
    holdStatus("Server list update stopped at %d new servers, the most one update adds",
               (int)MaxServersPerUpdate);
}

void MainWin::updateList()
{
    assert(mQueryQueue.empty());
    assert(mWaitingList.empty());
    mModeFlags |= Mode_Busy;
    updateCommandState();
    // The window is frozen while the sources are read, so they share one bound.
    mUpdateAdded = 0;
    mUpdateDeadline = monotonicMs() + mFetchLimits.updateMs;
    SourceTally tally = readSources();
    mUpdateDeadline = 0;
    mModeFlags = 0;
    updateView();
    if (updateCapReached()) {
        showUpdateCap();        // and no query of so many servers unasked
    } else {
        tellUpdateEnd(tally);
        if (tally.read > 0 && mOptions.queryOnLoad)
            refreshAfterUpdate();
    }
    updateCommandState();
}

// A source that fails does not keep the later ones from being read: the built-in page
// comes first, and a player's own list must not depend on a site that may be gone.
MainWin::SourceTally MainWin::readSources()
{
    SourceTally tally;
    std::vector<std::string> sources = mSources;
    tally.total = (int)sources.size();
    for (const std::string &source : sources) {
        bool read = updateFromURL(source.c_str());
        if (read) {
            tally.read++;
        } else {
            tally.failed++;
            tally.lastFailure = mHeldStatus;
        }
        tally.timedOut = !read && monotonicMs() >= mUpdateDeadline;
        if (updateCapReached() || tally.timedOut)
            break;
    }
    return tally;
}

// A single failure, or the update's time running out, is told in its own words.
void MainWin::tellUpdateEnd(const SourceTally &tally)
{
    if (tally.failed == 0)
        setStatus(nullptr);
    else if (tally.failed == 1 || tally.timedOut)
        holdStatus("%s", tally.lastFailure.c_str());
    else
        holdStatus("%d of %d server list sources could not be read", tally.failed,
                   tally.total);
}

// The refresh's progress takes the status line; what the update had to say comes back
// when the refresh ends.
void MainWin::refreshAfterUpdate()
{
    if (mStatusTimer)
        mStatusAfterRun = mHeldStatus;
    refreshAll();
    if (!running())
        showStatusAfterRun();
}

void MainWin::showStatusAfterRun()
{
    if (mStatusAfterRun.empty()) {
        setStatus(nullptr);
        return;
    }
    holdStatus("%s", mStatusAfterRun.c_str());
    mStatusAfterRun.clear();
}

// The servers read before a failure stay and are shown, but not queried.
bool MainWin::updateFromFile(FILE *fp, const char *name, std::string *error)
{
    assert(fp && error);
    assert(mQueryQueue.empty());
    assert(mWaitingList.empty());
    mModeFlags |= Mode_Busy;
    updateCommandState();
    mUpdateAdded = 0;
    mReading = name ? name : "";
    LineSink sink = [this](const char *line, size_t length) {
        return readListLine(line, length);
    };
    bool read = fetchFd(fileno(fp), sink, error, mFetchLimits);
    mReading.clear();
    mModeFlags = 0;
    updateView();
    reportLeftOutHosts();
    if (updateCapReached())
        showUpdateCap();
    else if (read && mOptions.queryOnLoad)
        refreshAll();
    return read;
}

bool MainWin::updateFromURL(const char *source)
{
    assert(source);
    setStatus("Updating server list from %s...", source);
    FetchLimits limits = mFetchLimits;
    if (mUpdateDeadline) {
        int left = (int)std::max(0LL, mUpdateDeadline - monotonicMs());
        limits.connectMs = std::min(limits.connectMs, left);
        limits.readMs = std::min(limits.readMs, left);
        limits.totalMs = std::min(limits.totalMs, left);
    }
    std::string error;
    LineSink sink = [this](const char *line, size_t length) {
        return scanServerLine(line, length);
    };
    mReading = source;
    bool read = fetchSource(source, sink, &error, limits);
    mReading.clear();
    if (!read && mUpdateDeadline && monotonicMs() >= mUpdateDeadline) {
        holdStatus("Server list update took longer than %d s; stopped at %s\n",
                  mFetchLimits.updateMs / 1000, source);
        return false;
    }
    if (!read) {
        // The status line keeps only the last failure of an update; each one is told here.
        fprintf(stderr, "Vireo: could not read the server list source %s: %s\n", source,
                error.c_str());
        holdStatus("Could not connect to %s: %s\n", source, error.c_str());
        return false;
    }
    return true;
}

bool MainWin::updateFromPath(const char *path)
{
    assert(path);
    FILE *fp = fopen(path, "r");
    if (!fp)
        return false;
    std::string error;
    bool read = updateFromStream(fp, &error);
    fclose(fp);
    return read;
}

bool MainWin::updateFromStream(FILE *fp, std::string *error)
{
    assert(fp);
    LineSink sink = [this](const char *line, size_t length) {
        return scanServerLine(line, length);
    };
    return fetchFd(fileno(fp), sink, error, mFetchLimits);
}

bool MainWin::scanServerLine(const char *line, size_t length)
{
    std::string hostPort;
    if (!::scanServerLine(line, length, &hostPort))
        return true;
    Server server;
    server.SetHost(hostPort.c_str());
    return addUpdatedServer(server);
}

// While a source is read the status line names it: the window is frozen meanwhile, and a
// slow source must be seen for the one it is.
bool MainWin::addUpdatedServer(const Server &server)
{
    if (progressDue(&mStatusShownAt)) {
        if (mReading.empty())
            setStatus("Received %d servers...", mServerCount + 1);
        else
            setStatus("Updating server list from %s: %d servers...", mReading.c_str(),
                      mServerCount + 1);
    }
    int before = mServerCount;
    addServer(server);
    if (mServerCount > before)
        mUpdateAdded++;
    return !updateCapReached();
}
