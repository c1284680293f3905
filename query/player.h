// player.h - Player and Rule, what a server reports about its players and its variables.
#ifndef VIREO_QUERY_PLAYER_H
#define VIREO_QUERY_PLAYER_H

#include "net/inet.h"

#include <string>

class Player {
public:
    Player();
    ~Player();

    int         mNumber;        // as the server numbered it
    std::string mName;          // bytes as received
    int         mShirt;         // colour index 0-15
    int         mPants;
    int         mFrags;
    int         mConnectTime;   // seconds
    InetAddress mAddress;
};

struct Rule {
    Rule() {}
    Rule(const std::string &name, const std::string &value) : mName(name), mValue(value) {}
    std::string mName;
    std::string mValue;
};

#endif
