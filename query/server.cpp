// server.cpp - the Server record, its host parsing and the query life cycle seen from outside.
#include "query/server.h"

#include <cassert>
#include <climits>
#include <cstdlib>
#include <cstring>

int Server::sNumConnections = 0;

Server::Server()
    : mPort(DefaultPort), mPing(9999), mTimeouts(0), mNumPlayers(0), mMaxPlayers(0), mRow(-1),
      mDown(1), mProtocolVersion(0), mReceivedUs(0), mRetries(0), mFlags(0), mState(State_Idle)
{
    mMap[0] = '\0';
    mSendTime.tv_sec = 0;
    mSendTime.tv_usec = 0;
}

Server::Server(const Server &other)
{
    CopyRecord(other);
}

Server &Server::operator=(const Server &other)
{
    if (this != &other) {
        if (mSocket.Connected())
            Close();    // keeps the count of open queries right
        CopyRecord(other);
    }
    return *this;
}

Server::~Server()
{
}

void Server::CopyRecord(const Server &other)
{
    mAddress = other.mAddress;
    mName = other.mName;
    mPort = other.mPort;
    mPing = other.mPing;
    mTimeouts = other.mTimeouts;
    memcpy(mMap, other.mMap, sizeof mMap);
    mNumPlayers = other.mNumPlayers;
    mMaxPlayers = other.mMaxPlayers;
    mRow = other.mRow;
    mDown = other.mDown;
    mProtocolVersion = other.mProtocolVersion;
    mRules = other.mRules;
    mPlayers = other.mPlayers;
    mSendTime = other.mSendTime;
    mReceivedUs = other.mReceivedUs;
    mRetries = other.mRetries;
    mFlags = other.mFlags;
    mNextRule = other.mNextRule;
    mState = other.mState;
}

void Server::SetHost(const char *name)
{
    mPort = DefaultPort;
    assert(name);
    const char *colon = strchr(name, ':');
    if (!colon) {
        mAddress.Resolve(name);
        return;
    }
    std::string host(name, (size_t)(colon - name));
    mAddress.Resolve(host.c_str());
    // strtol saturates where atoi would overflow; the port keeps its low 16 bits.
    mPort = (uint16_t)strtol(colon + 1, nullptr, 10);
    if (mPort == 0)
        mPort = DefaultPort;
}

const char *Server::GetName() const
{
    if (!mName.empty())
        return mName.c_str();
    if (mAddress.KnownHostName()[0])
        return mAddress.KnownHostName();
    return mAddress.DottedString();
}

bool Server::Query(ServerQueryInfo &info)
{
    if (mSocket.Connected())
        Close();
    mDown = 0;
    // Without an address nothing is sent: all ones is the broadcast address.
    if (!mAddress.HasAddress() || !mSocket.Connect(mAddress, mPort, Socket::sUdp)) {
        mDown = 1;
        return false;
    }
    mRetries = 0;
    mPlayers.clear();
    mRules.clear();
    mNextRule = std::string();
    mState = State_GetInfo;
    mFlags &= ~0xFu;
    if (info.getRules)
        mFlags |= Flag_GetRules;
    if (info.getPlayers)
        mFlags |= Flag_GetPlayers;
    if (ReQuery(info)) {
        sNumConnections++;
        return true;
    }
    mSocket.Close();
    return false;
}

bool Server::ReQuery(ServerQueryInfo &info)
{
    assert(mSocket.Connected());
    if (mRetries < INT_MAX)
        mRetries++;     // a redial has no limit: its count stops at the top
    if (mRetries > info.maxRetries) {
        // Once the info request is answered the server is up: a rule or player step
        // that goes unanswered (a busy server, a player who has just left) ends the
        // query with what came.
        if (mState == State_GetInfo)
            mDown = 1;
        else
            mState = State_Done;
        return false;
    }
    if (_sendRequestPacket() < 0) {
        mDown = 1;
        return false;
    }
    return true;
}

bool Server::HandleMessage(bool *answered)
{
    assert(mSocket.Connected());
    bool taken = _readPacket();
    // Each request has its own sendings; the one just made for the next is its first.
    if (taken)
        mRetries = 1;
    if (answered)
        *answered = taken;
    if (mState == State_Done) {
        Close();
        return false;
    }
    return true;
}

void Server::Close()
{
    assert(sNumConnections >= 0);
    assert(mSocket.Connected());
    mSocket.Close();
    sNumConnections--;
}

void Server::SetSelected(bool selected)
{
    if (selected)
        mFlags |= Flag_Selected;
    else
        mFlags &= ~(unsigned int)Flag_Selected;
}

bool Server::operator==(const Server &other) const
{
    return mAddress == other.mAddress && mPort == other.mPort;
}
