// protocol.cpp - the game's query packets: requests, reply parsing, the per-server state machine.
#include "query/protocol.h"

#include "query/server.h"

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const int HeaderSize = 5;
const int ReplySize = 1600;
const int RuleRequestSize = HeaderSize + Server::MaxRuleName + 1;

const unsigned char Op_InfoRequest = 0x02;
const unsigned char Op_PlayerRequest = 0x03;
const unsigned char Op_RuleRequest = 0x04;
const unsigned char Op_InfoReply = 0x83;
const unsigned char Op_PlayerReply = 0x84;
const unsigned char Op_RuleReply = 0x85;

const unsigned char sInfoRequest[12] = {
    0x80, 0x00, 0x00, 0x0C, Op_InfoRequest, 'Q', 'U', 'A', 'K', 'E', 0x00, 0x03
};

// Set it to trace every protocol step on standard output.
unsigned char sDebug = 0;

// Reads the fields of one reply payload; a read past the received bytes fails, and the
// caller then rejects the whole reply.
class PacketReader {
public:
    PacketReader(const unsigned char *data, int length) : mData(data), mLength(length) {}
    bool String(std::string &out)
    {
        const void *nul = memchr(mData + mPos, 0, (size_t)(mLength - mPos));
        if (!nul)
            return false;
        int end = (int)((const unsigned char *)nul - mData);
        out.assign((const char *)mData + mPos, (size_t)(end - mPos));
        mPos = end + 1;
        return true;
    }
    bool Byte(int &out)
    {
        if (mLength - mPos < 1)
            return false;
        out = mData[mPos++];
        return true;
    }
    bool Long(uint32_t &out)    // little-endian on the wire
    {
        if (mLength - mPos < 4)
            return false;
        const unsigned char *p = mData + mPos;
        out = (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
        mPos += 4;
        return true;
    }

private:
    const unsigned char *mData;
    int                  mLength;
    int                  mPos = 0;
};

void Trace(const char *format, const Server &server)
{
    if (sDebug)
        printf(format, server.mAddress.DottedString());
}

} // namespace

int TimevalDiffMs(struct timeval *later, const struct timeval *earlier)
{
    if (later->tv_usec < earlier->tv_usec) {
        later->tv_sec -= 1;
        later->tv_usec += 1000000;
    }
    return (int)((later->tv_sec - earlier->tv_sec) * 1000
                 + (later->tv_usec - earlier->tv_usec) / 1000);
}

bool IsDefaultRule(const Rule &rule)
{
    static const char *const defaults[][2] = {
        {"sv_maxspeed", "320"}, {"sv_friction", "4"}, {"sv_gravity", "800"}, {"sv_noexit", "0"},
        {"sv_teamplay", "0"}, {"sv_timelimit", "0"}, {"sv_fraglimit", "0"},
    };
    for (const auto &entry : defaults) {
        if (rule.mName == entry[0])
            return rule.mValue == entry[1];
    }
    return false;
}

Player::Player() : mNumber(-1), mShirt(0), mPants(0), mFrags(0), mConnectTime(0)
{
}

Player::~Player()
{
}

// ---- The state machine

bool Server::_wantPlayers() const
{
    // An empty server has no player to ask for; asking would only run into the retries.
    return TestFlag(Flag_GetPlayers) && mNumPlayers > 0;
}

void Server::_advanceState()
{
    switch (mState) {
    case State_GotInfo:
        if (TestFlag(Flag_GetRules))
            mState = State_GetRules;
        else
            mState = _wantPlayers() ? State_GetPlayers : State_Done;
        break;
    case State_GotRules:
        mState = _wantPlayers() ? State_GetPlayers : State_Done;
        break;
    case State_GotPlayers:
        mState = State_Done;
        break;
    }
}

int Server::_sendRequestPacket()
{
    gettimeofday(&mSendTime, nullptr);
    _advanceState();
    switch (mState) {
    case State_GetInfo:
        return _sendInfoRequest();
    case State_GetRules:
        return _sendRuleRequest();
    case State_GetPlayers:
        return _sendPlayerRequest();
    case State_Done:
        return 0;
    default:
        printf("Server::_sendRequestPacket() - UNKNOWN STATE: %d\n", mState);
        return -1;
    }
}

// ---- Requests

int Server::_sendInfoRequest()
{
    assert(mState == State_GetInfo);
    Trace("Server::_sendInfoRequest(%s)\n", *this);
    return mSocket.Write((const char *)sInfoRequest, sizeof sInfoRequest);
}

int Server::_sendRuleRequest()
{
    assert(TestFlag(Flag_GetRules));
    assert(mState == State_GetRules);
    assert(mNextRule != std::nullopt);
    assert(mNextRule->size() <= (size_t)MaxRuleName);
    Trace("Server::_sendRuleRequest(%s)\n", *this);
    unsigned char packet[RuleRequestSize] = {0x80, 0x00, 0x00, 0x00, Op_RuleRequest};
    int length = HeaderSize + (int)mNextRule->size() + 1;
    packet[2] = (unsigned char)(length >> 8);
    packet[3] = (unsigned char)length;
    memcpy(packet + HeaderSize, mNextRule->c_str(), mNextRule->size() + 1);
    int sent = mSocket.Write((const char *)packet, (unsigned int)length);
    if (sent == -1)
        perror("send");
    gettimeofday(&mSendTime, nullptr);
    return sent;
}

int Server::_sendPlayerRequest()
{
    assert(TestFlag(Flag_GetPlayers));
    assert(mState == State_GetPlayers);
    Trace("Server::_sendPlayerRequest(%s)\n", *this);
    unsigned char packet[6] = {0x80, 0x00, 0x00, 0x06, Op_PlayerRequest, 0};
    packet[5] = (unsigned char)mPlayers.size();
    if (mSocket.Write((const char *)packet, sizeof packet) == -1)
        perror("send");
    gettimeofday(&mSendTime, nullptr);
    return 0;
}

// ---- Replies

bool Server::_readPacket()
{
    unsigned char packet[ReplySize];
    int received = mSocket.ReadDatagram((char *)packet, sizeof packet, &mReceivedUs);
    if (received == -1 && Socket::ErrorNumber() == ECONNREFUSED) {
        // A server that answered its info request is up for this query (it may be
        // restarting): the refused step is resent, and ends the query with what came.
        if (mState == State_GetInfo)
            mDown = 1;
        return false;
    }
    struct timeval now;
    gettimeofday(&now, nullptr);
    // A datagram longer than the buffer is a failed read: cut to fit, its header could
    // claim just the bytes kept.
    if (received < HeaderSize || (packet[2] << 8 | packet[3]) != received) {
        printf("Server::_readPacket() %s - bogus packet\n", GetName());
        return false;
    }
    return _dispatchPacket(packet, received, now);
}

bool Server::_dispatchPacket(const unsigned char *packet, int length, struct timeval &now)
{
    int payloadLength = length - HeaderSize;
    int verdict;
    switch (packet[4]) {
    case Op_InfoReply:
        verdict = _handleServerInfoRequest(packet, payloadLength, now);
        break;
    case Op_PlayerReply:
        verdict = _handlePlayerInfo(packet, payloadLength);
        break;
    case Op_RuleReply:
        verdict = _handleRuleInfo(packet, payloadLength);
        break;
    default:
        return false;
    }
    if (verdict == Reply_Malformed) {
        fprintf(stderr, "Server::_readPacket() %s - error on packet opcode %x\n", GetName(),
                packet[4]);
        return false;
    }
    // A stale reply (a late or repeated answer) asks for nothing: the request it answers
    // is still out, and answering every stale reply would let a server ping-pong for ever.
    if (verdict != Reply_Taken)
        return false;
    _sendRequestPacket();
    return true;
}

int Server::_handleServerInfoRequest(const unsigned char *packet, int payloadLength,
                                     struct timeval &now)
{
    if (mState != State_GetInfo)
        return Reply_Stale;
    Trace("Server::_handleServerInfoRequest(%s)\n", *this);
    PacketReader reader(packet + HeaderSize, payloadLength);
    std::string address, name, map;
    int players, maxPlayers, version;
    if (!reader.String(address) || !reader.String(name) || !reader.String(map)
        || !reader.Byte(players) || !reader.Byte(maxPlayers) || !reader.Byte(version))
        return Reply_Malformed;
    // The latest sending of the info request is in mSendTime; later requests renew it.
    mPing = TimevalDiffMs(&now, &mSendTime);
    mName = name;
    snprintf(mMap, sizeof mMap, "%s", map.c_str());
    mNumPlayers = players;
    mMaxPlayers = maxPlayers;
    mProtocolVersion = version;
    // An earlier sending may have been refused (the server was still starting): this
    // answer is what counts.
    mDown = 0;
    mState = State_GotInfo;
    return Reply_Taken;
}

void Server::_endRules()
{
    mNextRule.reset();
    mState = State_GotRules;
}

int Server::_handleRuleInfo(const unsigned char *packet, int payloadLength)
{
    if (mState != State_GetRules || !mNextRule)
        return Reply_Stale;
    Trace("Server::_handleRuleInfo(%s)\n", *this);
    if (payloadLength == 0) {
        _endRules();
        return Reply_Taken;
    }
    PacketReader reader(packet + HeaderSize, payloadLength);
    std::string name, value;
    if (!reader.String(name) || !reader.String(value))
        return Reply_Malformed;
    if (!mRules.empty() && mRules.back().mName == name)
        return Reply_Stale;     // a second answer to a request sent twice
    for (const Rule &rule : mRules) {
        if (rule.mName == name) {
            _endRules();        // the server has come round again: the list is complete
            return Reply_Taken;
        }
    }
    mRules.push_back(Rule(name, value));
    if ((int)mRules.size() >= MaxRules || name.size() > (size_t)MaxRuleName)
        _endRules();            // no room to ask further
    else
        mNextRule = name;
    return Reply_Taken;
}

int Server::_handlePlayerInfo(const unsigned char *packet, int payloadLength)
{
    if (mState != State_GetPlayers)
        return Reply_Stale;
    Trace("Server::_handlePlayerInfo(%s)\n", *this);
    if ((int)mPlayers.size() >= mNumPlayers)
        return Reply_Malformed;     // one reply too many
    PacketReader reader(packet + HeaderSize, payloadLength);
    Player player;
    uint32_t colours, frags, connectTime;
    std::string address;
    if (!reader.Byte(player.mNumber) || !reader.String(player.mName) || !reader.Long(colours)
        || !reader.Long(frags) || !reader.Long(connectTime) || !reader.String(address))
        return Reply_Malformed;
    for (const Player &known : mPlayers) {
        if (known.mNumber == player.mNumber)
            return Reply_Stale;     // a second answer to a request sent twice
    }
    player.mShirt = (int)(colours >> 4);
    player.mPants = (int)(colours & 15);
    player.mFrags = (int)frags;
    player.mConnectTime = (int)connectTime;
    player.mAddress.ResolveNumeric(address.c_str());
    mPlayers.push_back(player);
    if ((int)mPlayers.size() == mNumPlayers)
        mState = State_GotPlayers;
    return Reply_Taken;
}
