// query_driver.h - runs one Server query the way the query engine does: wait on the socket,
// hand each reply to HandleMessage, re-send with ReQuery on silence, close on giving up.
#ifndef VIREO_TESTS_QUERY_QUERY_DRIVER_H
#define VIREO_TESTS_QUERY_QUERY_DRIVER_H

#include "query/server.h"

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

// The silence is short: the two seconds belong to the engine, not to the record.
inline QueryRun DriveQuery(Server &server, ServerQueryInfo &info,
                           std::chrono::milliseconds silence = std::chrono::milliseconds(100),
                           int maxMessages = 5000)
{
    QueryRun run;
    run.started = server.Query(info);
    if (!run.started)
        return run;
    while (run.messages < maxMessages) {
        struct pollfd fd = {server.Fd(), POLLIN, 0};
        if (poll(&fd, 1, (int)silence.count()) > 0) {
            run.messages++;
            if (!server.HandleMessage()) {
                run.finished = true;
                return run;
            }
        } else {
            run.requeries++;
            if (!server.ReQuery(info)) {
                server.Close();
                run.gaveUp = true;
                return run;
            }
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
