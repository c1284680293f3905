// sort.cpp - the server and player orders behind the View menu's sort choices.
#include "browser/sort.h"

#include "query/server.h"

#include <arpa/inet.h>
#include <strings.h>

#include <cassert>
#include <cstdlib>

typedef int (*Compare)(const void *, const void *);

// A plain difference could overflow for extreme values; the sign is all qsort reads.
static int order(long long a, long long b)
{
    return (a > b) - (a < b);
}

static const Server *server(const void *p)
{
    return *static_cast<Server *const *>(p);
}

static const Player *player(const void *p)
{
    return *static_cast<Player *const *>(p);
}

// ---- Servers, all ascending

static int byName(const void *a, const void *b)
{
    int result = strcasecmp(server(a)->GetName(), server(b)->GetName());
    return result ? result : order(server(a)->mPort, server(b)->mPort);
}

static int byPing(const void *a, const void *b)
{
    return order(server(a)->GetPing(), server(b)->GetPing());
}

static int byTimeOut(const void *a, const void *b)
{
    return order(server(a)->mTimeouts, server(b)->mTimeouts);
}

// Host byte order compares as the dotted numbers do, each written with three digits.
static int byAddress(const void *a, const void *b)
{
    int result = order(ntohl(server(a)->mAddress.Address()),
                       ntohl(server(b)->mAddress.Address()));
    return result ? result : order(server(a)->mPort, server(b)->mPort);
}

static int byMap(const void *a, const void *b)
{
    return strcasecmp(server(a)->mMap, server(b)->mMap);
}

static int byPlayers(const void *a, const void *b)
{
    return order(server(a)->mNumPlayers, server(b)->mNumPlayers);
}

void sortServers(Server **array, int total, int key)
{
    assert(array && total > 0);
    static const Compare compares[ServerSortKeys] = {
        byName, byPing, byTimeOut, byAddress, byMap, byPlayers,
    };
    Compare func = key >= 0 && key < ServerSortKeys ? compares[key] : nullptr;
    assert(func);
    qsort(array, (size_t)total, sizeof *array, func);
}

// ---- Players

static int byPlayerName(const void *a, const void *b)
{
    return strcasecmp(player(a)->mName.c_str(), player(b)->mName.c_str());
}

static int byFrags(const void *a, const void *b)
{
    return order(player(b)->mFrags, player(a)->mFrags);
}

static int byConnectTime(const void *a, const void *b)
{
    return order(player(b)->mConnectTime, player(a)->mConnectTime);
}

void sortPlayers(Player **array, int total, int key)
{
    assert(array && total > 0);
    assert(key >= 0 && key < PlayerSortKeys);
    static const Compare compares[PlayerSortKeys] = {
        nullptr, byPlayerName, byFrags, byConnectTime, nullptr, nullptr,
    };
    if (compares[key])
        qsort(array, (size_t)total, sizeof *array, compares[key]);
}
