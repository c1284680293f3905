// query_driver.h - runs one Server query the way the query engine does: wait on the socket,
// hand each reply to HandleMessage, re-send with ReQuery on silence, close on giving up.
#ifndef VIREO_TESTS_QUERY_QUERY_DRIVER_H
#define VIREO_TESTS_QUERY_QUERY_DRIVER_H

#include "query/server.h"
#include "tests/support/fake_game_server.h"

#include <poll.h>

#include <chrono>

struct QueryRun {
    bool started = false;   // Query returned true
    bool finished = false;  // HandleMessage ended the query and closed the socket
    bool gaveUp = false;    // ReQuery returned false; the driver closed the socket
    bool runaway = false;   // the query was still going after the driver's bound
    int  requeries = 0;     // silences that led to a ReQuery
    int  messages = 0;      // replies handed to HandleMessage
};

// The silence is short: the two seconds belong to the engine, not to the record. As in the
// engine, only a reply the query takes ends a silence; other datagrams are read and dropped.
// On a busy machine the peer's thread may not have run yet when the time is up, and its
// answer is then late, not missing: a silence also waits for the peer to have dealt with
// every request, and for what it sent to have been read.
inline QueryRun DriveQuery(Server &server, ServerQueryInfo &info, const FakeGameServer &peer,
                           std::chrono::milliseconds silence = std::chrono::milliseconds(100),
                           int maxMessages = 5000)
{
    using Clock = std::chrono::steady_clock;
    QueryRun run;
    run.started = server.Query(info);
    if (!run.started)
        return run;
    Clock::time_point quietUntil = Clock::now() + silence;
    while (run.messages < maxMessages) {
        struct pollfd fd = {server.Fd(), POLLIN, 0};
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(quietUntil - Clock::now());
        bool silent = left.count() <= 0 && peer.Idle();
        int wait = left.count() > 0 ? (int)left.count() : silent ? 0 : 1;
        if (poll(&fd, 1, wait) > 0) {
            run.messages++;
            bool answered = false;
            if (!server.HandleMessage(&answered)) {
                run.finished = true;
                return run;
            }
            if (answered)
                quietUntil = Clock::now() + silence;
        } else if (silent) {
            run.requeries++;
            if (!server.ReQuery(info)) {
                server.Close();
                run.gaveUp = true;
                return run;
            }
            quietUntil = Clock::now() + silence;
        }
    }
    server.Close();
    run.runaway = true;
    return run;
}

inline ServerQueryInfo Asking(bool rules, bool players)
{
    ServerQueryInfo info;
    info.maxRetries = 3;
    info.getRules = rules;
    info.getPlayers = players;
    return info;
}

#endif
