// sort.h - the orders of the server grid and the player grid, by sort key.
#ifndef VIREO_BROWSER_SORT_H
#define VIREO_BROWSER_SORT_H

class Player;
class Server;

enum {
    ServerSort_Name, ServerSort_Ping, ServerSort_TimeOut, ServerSort_IP, ServerSort_Map,
    ServerSort_Players, ServerSortKeys
};
enum {
    PlayerSort_Team, PlayerSort_Name, PlayerSort_Frags, PlayerSort_Time, PlayerSort_Ping,
    PlayerSort_Skin, PlayerSortKeys
};

// Both sort arrays of pointers in place; equal elements keep no defined order.
void sortServers(Server **array, int total, int key);
// Keys without an order (team, ping, skin) leave the array as the server reported it.
void sortPlayers(Player **array, int total, int key);

#endif
