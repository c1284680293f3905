// work.cpp - MainWin's query engine: the query queue, the waiting list and the Xt work
// procedure that asks the servers in the background of the event loop.
#include "browser/mainwin.h"

#include "browser/clock.h"
#include "framework/VkApp.h"
#include "widgets/Progress.h"

#include <Xm/Xm.h>

#include <poll.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>

// A request is sent again when its server has not answered it for this long.
static const long long QuietUs = 2000 * 1000LL;
// A server that has just answered is there: a request it does not answer at once was
// dropped, most likely by a guard that answers a host once a second, so it is asked again
// as soon as the guard lets it through, counted from when the answer came. A guard reads
// a coarse clock and drops what comes on its second, so the resend leaves a little after;
// a player a second takes no longer for it. Later resends wait the full silence.
static const long long AnsweredQuietUs = 1020 * 1000LL;
// After Stop the queries in flight have this long to end by themselves.
static const int StopGraceMs = 2000;
// A full server being redialed is asked again this long after its answer.
static const unsigned long RedialPauseMs = 1000;
// The longest single wait: X input wakes the wait at once, but Xt timers fall due
// only when the work procedure has returned.
static const int WaitSliceMs = 50;
// The most work one call does before it gives the event loop back, however many servers
// answered at once; the rest waits for the next call.
static const int PassWorkMs = 20;

void MainWin::trace(const char *format, ...) const
{
    if (!mDebug)
        return;
    va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);
    fflush(stdout);
}

// ---- Commands

void MainWin::refreshSelected()
{
    mQueryInfo.getPlayers = 1;
    mQueryInfo.getRules = 1;
    mQueryQueue.clear();
    std::vector<Server *> selected = selectedServers();
    int count = (int)selected.size();
    assert(count > 0);
    for (Server *s : selected)
        queueServer(s);
    startWorkProc();
}

void MainWin::refreshAll()
{
    mQueryInfo.getRules = mOptions.queryRules;
    mQueryInfo.getPlayers = mOptions.queryPlayers;
    mQueryQueue.clear();
    for (Server &s : mServerList)
        queueServer(&s);
    startWorkProc();
}

void MainWin::queueServer(Server *s)
{
    assert(s);
    if (s->TestFlag(Server::Flag_Avoid))
        return;
    mQueryQueue.push_front(s);
}

void MainWin::stop()
{
    trace("stop\n");
    trace("\tRemoving %d entries from query queue\n", (int)mQueryQueue.size());
    trace("\tWaiting Queue: %d entries\n", (int)mWaitingList.size());
    mQueryQueue.clear();
    // Outside a run a stop would linger and end the next redial at its first answer.
    if (!running())
        return;
    if (!stopRequested())
        mStopDeadline = monotonicMs() + StopGraceMs;
    mModeFlags |= Mode_Stop;
    if (mRedialTimer)
        stopWorkProc();     // a redial in its pause has no query in flight
}

// The meter and the status line show at once, each at the cost of a round trip to the X
// server: too dear for every server of a long list, so a run shows its progress this often.
static const long long ProgressEveryMs = 100;

bool MainWin::progressDue(long long *shownAt)
{
    long long now = monotonicMs();
    if (*shownAt != 0 && now - *shownAt < ProgressEveryMs)
        return false;
    *shownAt = now;
    return true;
}

// ---- Starting and ending a run

void MainWin::startWorkProc()
{
    assert(mWorkId == 0);
    assert(mRedialTimer == 0);
    if (mQueryQueue.empty())
        return;
    if (mProgress)
        XtVaSetValues(mProgress, XmNvalue, 0, XmNcompleteValue, (int)mQueryQueue.size(),
                      nullptr);
    mWaits.clear();
    mStopDeadline = 0;
    mMeterValue = -1;
    mStatusPending.clear();
    mWorkId = XtAppAddWorkProc(gApplication->appContext(), &MainWin::sWorkProc, this);
    mModeFlags |= Mode_Busy;
    updateCommandState();
    trace("startWorkProc\n");
    trace("\tQuery Queue: %d entries\n", (int)mQueryQueue.size());
}

void MainWin::stopWorkProc()
{
    if (!running())
        return;
    trace("stopWorkProc\n");
    trace("\tQuery Queue: %d entries\n", (int)mQueryQueue.size());
    trace("\tWaiting Queue: %d entries\n", (int)mWaitingList.size());
    removeWorkAndTimer();
    catchUpServerGrid();
    mModeFlags = 0;
    if (mProgress)
        XtVaSetValues(mProgress, XmNvalue, 0, nullptr);
    updateCommandState();
    // Neither the last server's line nor the stop tool's tip may outlast the run: the tool
    // goes insensitive under the pointer and never sees it leave.
    showStatusAfterRun();
}

// Inside the work procedure's own call Xt has already unlinked it; the call then reports
// done, so it is not put back.
void MainWin::removeWorkAndTimer()
{
    if (mWorkId)
        XtRemoveWorkProc(mWorkId);
    mWorkId = 0;
    if (mRedialTimer)
        XtRemoveTimeOut(mRedialTimer);
    mRedialTimer = 0;
    mRedialServer = nullptr;
}

void MainWin::stepProgress()
{
    if (!mProgress)
        return;
    int complete = 0;
    XtVaGetValues(mProgress, XmNcompleteValue, &complete, nullptr);
    mMeterValue = complete - (int)mQueryQueue.size();
    showProgress();
}

void MainWin::setStatusPaced(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    mStatusPending = statusText(format, args);
    va_end(args);
    showProgress();
}

// What the pace held back shows on a later call, from the work procedure at the latest,
// so the end of a burst of answers is not lost while the run waits for slow servers.
void MainWin::showProgress()
{
    if (mMeterValue >= 0 && progressDue(&mMeterShownAt)) {
        XtVaSetValues(mProgress, XmNvalue, mMeterValue, nullptr);
        mMeterValue = -1;
    }
    if (!mStatusPending.empty() && progressDue(&mStatusShownAt)) {
        setStatus("%s", mStatusPending.c_str());
        mStatusPending.clear();
    }
}

// ---- The work procedure

Boolean MainWin::sWorkProc(XtPointer clientData)
{ return static_cast<MainWin *>(clientData)->workStep(); }

// True tells Xt to drop the procedure: at the end of a run, and when a redial pause
// has handed the run to its timer.
Boolean MainWin::workStep()
{
    if (workProc()) {
        stopWorkProc();
        return True;
    }
    return mWorkId == 0;
}

// Traces only what happens (a request, a reply, a resend, an end), never a mere wait:
// the procedure runs every 50 ms while it waits.
bool MainWin::workProc()
{
    mPassEnd = 0;
    showProgress();
    if (mQueryQueue.empty() && mWaitingList.empty()) {
        trace("\tQueues are empty - done\n");
        catchUpServerGrid();    // the count below reads the grid
        setStatus(nullptr);
        return true;
    }
    if (!mWaitingList.empty() && stopRequested() && monotonicMs() >= mStopDeadline)
        endStoppedQueries();
    else if (!mWaitingList.empty() && handleMessage())
        return true;
    if (mWorkId == 0)
        return false;       // pausing between two redials
    startQueries();
    return false;
}

void MainWin::startQueries()
{
    // Bounded here too: a count of 0 would never start a query and the run never end.
    int limit = Options::boundQueriesAtOnce(mOptions.queriesAtOnce);
    if (!mQueryQueue.empty() && Server::NumConnections() < limit)
        trace("\tQueryQueue:size=%d   NumConnections=%d\n", (int)mQueryQueue.size(),
              Server::NumConnections());
    startPassWork();
    while (!mQueryQueue.empty() && Server::NumConnections() < limit && !passWorkDone()) {
        Server *s = mQueryQueue.back();
        mQueryQueue.pop_back();
        assert(s);
        mQueryInfo.timeout = mOptions.queryTimeout;
        if (isRedialing()) {
            setStatus("Redialing server %s...", shownName(s->GetName()).c_str());
            mQueryInfo.maxRetries = INT_MAX;
        } else {
            setStatusPaced("Querying server %s...", shownName(s->GetName()).c_str());
            mQueryInfo.maxRetries = 3;
        }
        assert(!s->Connected());
        if (s->Query(mQueryInfo)) {
            trace("\tQuerying %s\n", s->GetName());
            long long now = monotonicUs();
            mWaits[s] = {now + QuietUs, now + mQueryLimitMs * 1000LL};
            mWaitingList.push_back(s);
        } else {
            trace("\tCould not query %s\n", s->GetName());
        }
        serverChanged(s);       // in flight or marked down, its row shows which
    }
}

// Waits for answers without holding up the window: the wait also ends when X input
// arrives. Each server's silence is timed by itself, from its latest sending or taken
// reply, so neither X events nor other servers' answers put off its resend, and
// datagrams that the query drops (junk, stale or malformed) do not either.
bool MainWin::handleMessage()
{
    assert(Server::NumConnections() > 0);
    assert(!mWaitingList.empty());
    long long next = LLONG_MAX;
    std::vector<struct pollfd> fds;
    for (Server *s : mWaitingList) {
        assert(s->Connected());
        fds.push_back({s->Fd(), POLLIN, 0});
        next = std::min(next, mWaits[s].quietUntil);
    }
    fds.push_back({ConnectionNumber(XtDisplay(baseWidget())), POLLIN, 0});
    // Rounded up: waking before the time only to wait again would spin.
    long long left = (next - monotonicUs() + 999) / 1000;
    int wait = left < WaitSliceMs ? (int)left : WaitSliceMs;
    if (wait < 0 || XtAppPending(gApplication->appContext()) != 0)
        wait = 0;           // events and due timers first; they bring us back at once
    if (poll(fds.data(), fds.size(), wait) < 0) {
        if (errno != EINTR)
            perror("poll");
        return false;
    }
    std::vector<Server *> ready;
    for (size_t i = 0; i < mWaitingList.size(); i++) {
        if (fds[i].revents != 0)
            ready.push_back(mWaitingList[i]);
    }
    if (!ready.empty() && handleReplies(ready))
        return true;
    requeryOverdue();
    return false;
}

// Each readable server gets one datagram handled; true only when a redial found a slot.
bool MainWin::handleReplies(const std::vector<Server *> &ready)
{
    startPassWork();
    for (Server *s : ready) {
        if (s != ready.front() && passWorkDone())
            break;      // still readable, so the next call comes back to it
        if (!s->Connected())
            continue;
        bool answered = false;
        if (s->HandleMessage(&answered)) {
            if (answered)
                mWaits[s].quietUntil = answeredQuietUntil(s);
            trace(answered ? "\tReply from %s\n" : "\tDropped a datagram from %s\n",
                  s->GetName());
            continue;
        }
        trace("\tDone with %s\n", s->GetName());
        mWaits.erase(s);
        serverChanged(s);
        mWaitingList.erase(std::find(mWaitingList.begin(), mWaitingList.end(), s));
        if (!isRedialing()) {
            stepProgress();
        } else if (stopRequested()) {
            // asked to stop: this answer ends the redial
        } else if (s->mNumPlayers < s->mMaxPlayers) {
            stopWorkProc();
            slotOpened(s);
            return true;
        } else {
            pauseRedial(s);
        }
    }
    return false;
}

// The request sent on an answer is asked again when the guard that may have dropped it lets
// the next through. One sent when the answer had waited out that time already, for a loop
// held up, met no guard: its silence is an ordinary one.
long long MainWin::answeredQuietUntil(const Server *s) const
{
    long long now = monotonicUs();
    long long due = monotonicUsOf(s->mReceivedUs) + AnsweredQuietUs;
    return due > now ? due : now + QuietUs;
}

// A server whose request has gone unanswered for two seconds is asked again; one whose
// sendings are spent, or whose query has run too long, is given up.
void MainWin::requeryOverdue()
{
    long long now = monotonicUs();
    size_t i = 0;
    while (i < mWaitingList.size()) {
        Server *s = mWaitingList[i];
        const QueryWait &wait = mWaits[s];
        // Every step is bounded, but a peer answering each request just in time could
        // still keep its query, and so the run, going for the best part of an hour.
        if (!isRedialing() && now >= wait.endBy) {
            giveUp(i);
            continue;
        }
        if (now < wait.quietUntil) {
            i++;
            continue;
        }
        assert(s->Connected());
        if (isRedialing() && stopRequested()) {
            giveUp(i);          // silent since the stop; a redial has no retry limit
            continue;
        }
        if (!isRedialing())
            setStatus("Requerying server %s...", shownName(s->GetName()).c_str());
        if (s->ReQuery(mQueryInfo)) {
            trace("\tRequerying %s (sending %d)\n", s->GetName(), s->mRetries);
            mWaits[s].quietUntil = now + QuietUs;
            i++;
            continue;
        }
        // Given up through silence before the server said anything: not a failed send,
        // and not a later step that ran out after the info reply.
        if (s->mDown && s->mRetries > mQueryInfo.maxRetries)
            s->mTimeouts++;
        giveUp(i);
    }
}

// The queries still in flight when the grace after a stop has passed.
void MainWin::endStoppedQueries()
{
    trace("\tStopped: ending %d queries\n", (int)mWaitingList.size());
    while (!mWaitingList.empty())
        giveUp(0);
}

// A server that has not answered its info request in this query is down, however the
// query ended; one that has keeps what it stored.
void MainWin::giveUp(size_t index)
{
    Server *s = mWaitingList[index];
    mWaitingList.erase(mWaitingList.begin() + index);
    mWaits.erase(s);
    if (s->mState == Server::State_GetInfo)
        s->mDown = 1;
    trace("\tGave up on %s\n", s->GetName());
    serverChanged(s);
    stepProgress();
    s->Close();
}

// The time spent waiting for answers does not count.
void MainWin::startPassWork()
{
    if (mPassEnd == 0)
        mPassEnd = monotonicMs() + PassWorkMs;
}

bool MainWin::passWorkDone() const
{
    return mPassEnd != 0 && monotonicMs() >= mPassEnd;
}

// ---- Redial pause

// The full server is asked again after a pause. The work procedure leaves the event
// loop meanwhile (it would only spin), and a timer brings it back.
void MainWin::pauseRedial(Server *s)
{
    mRedialServer = s;
    mRedialTimer = XtAppAddTimeOut(gApplication->appContext(), RedialPauseMs,
                                   &MainWin::sRedialTimerCB, this);
    mWorkId = 0;
}

void MainWin::sRedialTimerCB(XtPointer clientData, XtIntervalId *)
{ static_cast<MainWin *>(clientData)->resumeRedial(); }

void MainWin::resumeRedial()
{
    mRedialTimer = 0;
    Server *s = mRedialServer;
    mRedialServer = nullptr;
    assert(s);
    queueServer(s);
    mWorkId = XtAppAddWorkProc(gApplication->appContext(), &MainWin::sWorkProc, this);
}
