// filter.h - ServerFilter, the user's tests that decide which servers a view shows.
#ifndef VIREO_QUERY_FILTER_H
#define VIREO_QUERY_FILTER_H

class Server;

// A plain value: the settings record copies it whole, and its field names are the keys of
// the settings file.
struct ServerFilter {
    ServerFilter();
    bool Passes(const Server &server) const;

    int           maxPing;
    int           minPlayers;
    int           maxPlayers;
    int           maxTimeouts;
    char          includeMap[20];   // '|'-separated wildcard lists
    char          excludeMap[20];
    unsigned char requireQueryInfo; // kept and edited; servers that never answered fail anyway
    unsigned char pingFilter;
    unsigned char timeoutFilter;
    unsigned char includeMapFilter;
    unsigned char excludeFullServers;
    unsigned char minPlayerFilter;
    unsigned char maxPlayerFilter;
    unsigned char excludeMapFilter;
};

#endif
