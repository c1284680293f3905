// fake_game_server.h - a scripted Quake server on 127.0.0.1 for tests of the query code.
//
// Each FakeGameServer owns a UDP socket on an ephemeral port. All started servers are
// answered by one shared background thread, so tests drive the query code on their own
// thread while the servers answer, and hundreds of servers cost one thread. Every request
// is recorded with the time it arrived, as the kernel stamped it: the moment it was sent,
// even when the serving thread runs late on a busy machine.
#ifndef VIREO_TESTS_SUPPORT_FAKE_GAME_SERVER_H
#define VIREO_TESTS_SUPPORT_FAKE_GAME_SERVER_H

#include "tests/support/fake_packets.h"

#include <netinet/in.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

struct FakeRequest {
    Packet                                bytes;
    std::chrono::steady_clock::time_point time;

    int Opcode() const { return bytes.size() > 4 ? bytes[4] : -1; }
    int PlayerIndex() const { return bytes.size() > 5 ? bytes[5] : -1; }
    std::string RuleName() const;   // up to the first NUL
};

// Rewrites a reply just before it is sent; an empty result sends nothing.
using ReplyMangler = std::function<Packet(const FakeRequest &request, Packet reply)>;

struct FakeGameScript {
    std::string             address = "127.0.0.1:26000";    // first string of the info reply
    std::string             hostName = "Fake Quake";
    std::string             mapName = "e1m1";
    int                     reportedPlayers = -1;           // -1: the number of players below
    int                     maxPlayers = 16;
    int                     protocolVersion = 3;
    std::vector<FakeRule>   rules;
    std::vector<FakePlayer> players;

    bool         silent = false;    // records requests, answers none
    int          dropFirst = 0;     // requests recorded but not answered before answering
    int          cycleRulesTo = -1; // after the last rule send rules[cycleRulesTo], not the end
    int          repeatReplies = 1; // each reply is sent this many times
    ReplyMangler mangle;            // applied to every reply
    // Sent ahead of the replies to each request of this opcode (0: any): a datagram that
    // is no answer reaching the query before the answer does.
    Packet       ahead;
    int          aheadOpcode = 0;

    // A busy real server's flood guard: it answers the first rateBurst requests from a host,
    // then at most one request every rateIntervalMs, and ignores the rest. -1: no limit.
    int          rateBurst = -1;
    int          rateIntervalMs = 1000;
    int          rateOpcode = 0;    // the only requests the guard counts and drops (0: all)
    // After the burst, one request in every rateEvery instead (0: by time), so that the
    // guard drops the same requests however late either side runs.
    int          rateEvery = 0;

    // Sent to the latest requester every junkEveryMs (0: never), whatever it asked.
    Packet       junk;
    int          junkEveryMs = 0;
};

// Ready-made manglers; each applies only to replies of the given opcode (0: all).
ReplyMangler TruncateBy(int bytes, int opcode = 0);         // length field kept consistent
ReplyMangler WrongLengthField(int delta, int opcode = 0);
ReplyMangler StripNuls(int opcode = 0);                     // strings lose their NULs
ReplyMangler WithOpcode(unsigned char newOpcode, int opcode = 0);

// Peers as they were met in the field.
// A busy server: a burst of 4 answers, then one a second; 3 rules and 4 players.
FakeGameScript RateLimitedGame();
// A current server's guard on its player list: one player request a second from a host, the
// rest ignored; info and rule requests answered at once. 16 players.
FakeGameScript PlayerLimitedGame();
// A server whose info reply counts 5 players while only 2 answer (the others have left).
FakeGameScript VanishingPlayersGame();
// Answers the info request, never a rule request, and sends a 5-byte datagram that is no
// reply every half second.
FakeGameScript JunkSendingGame();

class FakeGameServer {
public:
    explicit FakeGameServer(const FakeGameScript &script = FakeGameScript());
    ~FakeGameServer();
    FakeGameServer(const FakeGameServer &) = delete;
    FakeGameServer &operator=(const FakeGameServer &) = delete;

    // Binds 127.0.0.1 on the port (0: an ephemeral one) and starts answering; a restart
    // records afresh.
    bool Start(uint16_t port = 0);
    void Stop();        // no request is handled after it returns
    bool Running() const { return mRunning; }
    uint16_t Port() const { return mPort; }
    std::string HostText() const;   // "127.0.0.1:<port>", as Server::SetHost takes it

    void SetScript(const FakeGameScript &script);
    std::vector<FakeRequest> Requests() const;
    size_t RequestCount(int opcode = -1) const;
    bool WaitForRequests(size_t count, std::chrono::milliseconds timeout) const;
    // No request waits on the socket and none is being answered: every request that has
    // reached the server has had what its script gives it.
    bool Idle() const;
    // Sends a datagram to whoever sent the latest request; false when nobody has.
    bool SendUnsolicited(const Packet &datagram);

private:
    friend class FakeServerHub;
    void Serve();       // called on the hub thread when the socket is readable
    bool Receive(FakeRequest *request, struct sockaddr_in *peer);
    // Called on the hub thread at every wake: sends the junk that is due, and says in how
    // many ms the next falls due (-1: none).
    int Tick(std::chrono::steady_clock::time_point now);
    bool RateAllows(const struct sockaddr_in &peer, std::chrono::steady_clock::time_point now);
    void Answer(const FakeRequest &request, const struct sockaddr_in &peer);
    std::vector<Packet> RepliesFor(const FakeRequest &request) const;
    Packet RuleAfter(const std::string &name) const;
    void SendTo(const Packet &datagram, const struct sockaddr_in &peer);

    mutable std::mutex              mMutex;
    mutable std::condition_variable mArrived;
    FakeGameScript                  mScript;
    std::vector<FakeRequest>        mRequests;
    bool                            mHavePeer = false;
    struct sockaddr_in              mPeer;              // the latest requester
    int                             mFd = -1;
    uint16_t                        mPort = 0;
    bool                            mRunning = false;
    std::chrono::steady_clock::time_point mNextJunk;
    struct RateState {
        int                                   answered = 0;
        int                                   ignored = 0;     // since the last answered
        std::chrono::steady_clock::time_point last;
    };
    std::map<uint32_t, RateState>   mRates;             // by the requester's address
};

#endif
