// server.h - Server, one game server: what it last reported and the query running on it.
#ifndef VIREO_QUERY_SERVER_H
#define VIREO_QUERY_SERVER_H

#include "net/inet.h"
#include "net/socket.h"
#include "query/player.h"

#include <sys/time.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What one query asks for; filled by the query engine.
struct ServerQueryInfo {
    int           timeout = 800;    // the user's time-out in ms; the engine's wait decides
    int           maxRetries = 3;   // sendings a query may start through ReQuery
    unsigned char getPlayers = 0;
    unsigned char getRules = 0;
};

class Server {
public:
    enum {
        Flag_GetPlayers = 0x1,      // bits 0-3: what this query asks for, set by each Query
        Flag_GetRules = 0x2,
        Flag_Favorite = 0x1000,
        Flag_Avoid = 0x2000,        // never queried
        Flag_Selected = 0x4000,
    };
    enum {
        State_Idle = 0,
        State_GetInfo = 1,
        State_GotInfo = 2,
        State_GetRules = 3,
        State_GotRules = 4,
        State_GetPlayers = 5,
        State_GotPlayers = 6,
        State_Done = 7,
    };
    static constexpr uint16_t DefaultPort = 26000;
    static constexpr int  MaxMapName = 15;
    // A rule request holds the previous name in a 1506-byte packet.
    static constexpr int  MaxRuleName = 1500;
    // However a server answers, its rule list ends here, so it cannot keep a query going.
    static constexpr int  MaxRules = 256;

    Server();
    // Lists copy servers; a copy never shares the query socket, it starts closed.
    Server(const Server &other);
    Server &operator=(const Server &other);
    ~Server();

    void SetHost(const char *name);
    const char *GetName() const;

    bool Query(ServerQueryInfo &info);
    // Sends the current request again; false when its sendings are spent (or the send
    // failed) and the query is over: the server is down when its info request went
    // unanswered, else it keeps what it stored.
    bool ReQuery(ServerQueryInfo &info);
    // Reads one datagram; false when the query has finished and closed its socket.
    // *answered (if given) tells whether the datagram was a reply the query took: junk,
    // stale, repeated and malformed datagrams are read and dropped.
    bool HandleMessage(bool *answered = nullptr);
    void Close();

    bool TestFlag(unsigned int mask) const { return (mFlags & mask) == mask; }
    int GetPing() const { return mDown ? 99999 : mPing; }
    void SetSelected(bool selected);
    bool operator==(const Server &other) const;
    bool Connected() const { return mSocket.Connected(); }
    int Fd() const { return mSocket.Fd(); }
    static int NumConnections() { return sNumConnections; }

    InetAddress         mAddress;
    std::string         mName;
    uint16_t            mPort;
    int                 mPing;          // ms, 9999 until measured
    int                 mTimeouts;
    char                mMap[MaxMapName + 1];
    int                 mNumPlayers;
    int                 mMaxPlayers;
    int                 mRow;           // kept by the server grid; -1 when not shown
    unsigned char       mDown;
    int                 mProtocolVersion;
    std::vector<Rule>   mRules;         // in the order the server reported them
    std::vector<Player> mPlayers;
    Socket              mSocket;
    struct timeval      mSendTime;
    long long           mReceivedUs;    // the latest datagram's arrival, monotonic clock
    int                 mRetries;       // sendings of the current request
    unsigned int        mFlags;
    // The name after which the next rule is asked for; a copy, so that it stays valid when
    // mRules grows or the server is copied. Empty before the first rule, none after the last.
    std::optional<std::string> mNextRule;
    int                 mState;

private:
    // What a reply parser made of a reply.
    enum { Reply_Malformed = -1, Reply_Taken = 0, Reply_Stale = 1 };

    void CopyRecord(const Server &other);

    int _sendRequestPacket();
    void _advanceState();
    bool _wantPlayers() const;
    bool _readPacket();     // true when the datagram was a reply the query took
    bool _dispatchPacket(const unsigned char *packet, int length, struct timeval &now);
    int _sendInfoRequest();
    int _sendRuleRequest();
    int _sendPlayerRequest();
    int _handleServerInfoRequest(const unsigned char *packet, int payloadLength,
                                 struct timeval &now);
    int _handleRuleInfo(const unsigned char *packet, int payloadLength);
    int _handlePlayerInfo(const unsigned char *packet, int payloadLength);
    void _endRules();

    static int sNumConnections;
};

#endif
