// filter.cpp - the server filter's tests, first failing test deciding.
#include "query/filter.h"

#include "query/server.h"
#include "query/wildmatch.h"

#include <cstring>

ServerFilter::ServerFilter()
    : maxPing(500), minPlayers(0), maxPlayers(16), maxTimeouts(1), requireQueryInfo(0),
      pingFilter(0), timeoutFilter(0), includeMapFilter(0), excludeFullServers(0),
      minPlayerFilter(0), maxPlayerFilter(0), excludeMapFilter(0)
{
    strcpy(includeMap, "*");
    excludeMap[0] = '\0';
}

bool ServerFilter::Passes(const Server &server) const
{
    if (server.mDown)
        return false;
    if (pingFilter && maxPing < server.GetPing())
        return false;
    if (excludeFullServers && server.mNumPlayers == server.mMaxPlayers)
        return false;
    if (timeoutFilter && server.mTimeouts > maxTimeouts)
        return false;
    if (minPlayerFilter && server.mNumPlayers < minPlayers)
        return false;
    if (maxPlayerFilter && server.mNumPlayers > maxPlayers)
        return false;
    if (includeMapFilter && !PatternMatch(server.mMap, includeMap))
        return false;
    if (excludeMapFilter && PatternMatch(server.mMap, excludeMap))
        return false;
    return true;
}
