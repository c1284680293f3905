// fake_game_server.cpp - the scripted game server and the one thread that serves them all.
#include "tests/support/fake_game_server.h"

#include "tests/support/descriptors.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <thread>
#include <unordered_set>

// ---- The shared serving thread

class FakeServerHub {
public:
    static void Add(FakeGameServer *server);
    static void Remove(FakeGameServer *server);

private:
    static void Run();
    static void Wake();
    static int NextTick();

    static std::mutex                          sLifeMutex;     // serialises Add and Remove
    static std::mutex                          sMutex;         // guards the set below
    static std::unordered_set<FakeGameServer *> sServers;
    static std::unordered_set<FakeGameServer *> sTicking;  // those of sServers that send junk
    static std::thread                         sThread;
    static int                                 sWake[2];
    static int                                 sEpoll;     // wake pipe and every socket
    static bool                                sRunning;
};

std::mutex FakeServerHub::sLifeMutex;
std::mutex FakeServerHub::sMutex;
std::unordered_set<FakeGameServer *> FakeServerHub::sServers;
std::unordered_set<FakeGameServer *> FakeServerHub::sTicking;
std::thread FakeServerHub::sThread;
int FakeServerHub::sWake[2] = {-1, -1};
int FakeServerHub::sEpoll = -1;
bool FakeServerHub::sRunning = false;

// A server's socket in the hub's set; null stands for the wake pipe.
static void Watch(int epoll, int fd, FakeGameServer *server)
{
    struct epoll_event event;
    memset(&event, 0, sizeof event);
    event.events = EPOLLIN;
    event.data.ptr = server;
    epoll_ctl(epoll, EPOLL_CTL_ADD, fd, &event);
}

void FakeServerHub::Add(FakeGameServer *server)
{
    std::lock_guard<std::mutex> life(sLifeMutex);
    bool start = false;
    {
        std::lock_guard<std::mutex> lock(sMutex);
        if (!sRunning) {
            if (pipe2(sWake, O_CLOEXEC | O_NONBLOCK) != 0)
                return;
            sEpoll = epoll_create1(EPOLL_CLOEXEC);
            Watch(sEpoll, sWake[0], nullptr);
            sRunning = true;
            start = true;
        }
        sServers.insert(server);
        Watch(sEpoll, server->mFd, server);
    }
    if (start)
        sThread = std::thread(Run);     // later sockets join the waiting epoll at once
}

void FakeServerHub::Remove(FakeGameServer *server)
{
    std::lock_guard<std::mutex> life(sLifeMutex);
    bool stop = false;
    {
        std::lock_guard<std::mutex> lock(sMutex);
        sServers.erase(server);
        sTicking.erase(server);
        epoll_ctl(sEpoll, EPOLL_CTL_DEL, server->mFd, nullptr);
        if (sServers.empty() && sRunning) {
            sRunning = false;
            stop = true;
        }
    }
    Wake();
    if (stop) {
        sThread.join();
        close(sWake[0]);
        close(sWake[1]);
        close(sEpoll);
        sWake[0] = sWake[1] = -1;
        sEpoll = -1;
    }
}

void FakeServerHub::Wake()
{
    if (sWake[1] >= 0) {
        char byte = 0;
        ssize_t woken = write(sWake[1], &byte, 1);  // a full pipe wakes the thread just as well
        (void)woken;
    }
}

// Each pass costs what is ready, not what is open: thousands of servers may wait at once.
void FakeServerHub::Run()
{
    for (;;) {
        struct epoll_event events[256];
        int ready = epoll_wait(sEpoll, events, 256, NextTick());
        char drain[64];
        while (read(sWake[0], drain, sizeof drain) > 0)
            ;
        std::lock_guard<std::mutex> lock(sMutex);
        if (!sRunning)
            return;
        for (int i = 0; i < ready; i++) {
            // A server removed meanwhile is no longer in the set and is not touched.
            auto *server = static_cast<FakeGameServer *>(events[i].data.ptr);
            if (server && sServers.count(server)) {
                server->Serve();
                if (server->Tick(std::chrono::steady_clock::now()) >= 0)
                    sTicking.insert(server);
            }
        }
    }
}

// Only servers that send of their own accord need the thread to wake in time; scanning
// all of them at every wake would cost what is open, not what is ready.
int FakeServerHub::NextTick()
{
    std::lock_guard<std::mutex> lock(sMutex);
    auto now = std::chrono::steady_clock::now();
    int timeout = -1;
    for (FakeGameServer *server : sTicking) {
        int due = server->Tick(now);
        if (due >= 0 && (timeout < 0 || due < timeout))
            timeout = due;
    }
    return timeout;
}

// ---- Requests and manglers

std::string FakeRequest::RuleName() const
{
    if (bytes.size() <= 5)
        return std::string();
    const char *start = (const char *)bytes.data() + 5;
    return std::string(start, strnlen(start, bytes.size() - 5));
}

namespace {

bool Applies(int opcode, const Packet &reply)
{
    return opcode == 0 || (reply.size() > 4 && reply[4] == opcode);
}

} // namespace

ReplyMangler TruncateBy(int bytes, int opcode)
{
    return [=](const FakeRequest &, Packet reply) {
        if (Applies(opcode, reply)) {
            reply.resize(reply.size() > (size_t)bytes ? reply.size() - bytes : 0);
            FixLength(reply);
        }
        return reply;
    };
}

ReplyMangler WrongLengthField(int delta, int opcode)
{
    return [=](const FakeRequest &, Packet reply) {
        if (Applies(opcode, reply) && reply.size() >= 4) {
            unsigned int length = (unsigned int)((int)reply.size() + delta);
            reply[2] = (unsigned char)(length >> 8);
            reply[3] = (unsigned char)length;
        }
        return reply;
    };
}

ReplyMangler StripNuls(int opcode)
{
    return [=](const FakeRequest &, Packet reply) {
        if (Applies(opcode, reply) && reply.size() > 5) {
            Packet stripped(reply.begin(), reply.begin() + 5);
            for (size_t i = 5; i < reply.size(); i++) {
                if (reply[i] != 0)
                    stripped.push_back(reply[i]);
            }
            FixLength(stripped);
            return stripped;
        }
        return reply;
    };
}

ReplyMangler WithOpcode(unsigned char newOpcode, int opcode)
{
    return [=](const FakeRequest &, Packet reply) {
        if (Applies(opcode, reply) && reply.size() > 4)
            reply[4] = newOpcode;
        return reply;
    };
}

// ---- Peers met in the field

FakeGameScript RateLimitedGame()
{
    FakeGameScript script;
    script.hostName = "Busy Server";
    script.rules = {{"deathmatch", "1"}, {"fraglimit", "30"}, {"timelimit", "20"}};
    for (const char *name : {"Ranger", "Grunt", "Knight", "Ogre"})
        script.players.push_back({name, 0x4D, 3, 120});
    script.rateBurst = 4;
    script.rateIntervalMs = 1000;
    return script;
}

FakeGameScript PlayerLimitedGame()
{
    FakeGameScript script;
    script.hostName = "Guarded Server";
    script.rules = {{"deathmatch", "1"}, {"fraglimit", "30"}, {"timelimit", "20"}};
    for (int i = 0; i < 16; i++)
        script.players.push_back({"player" + std::to_string(i), 0x4D, i, 60 * i});
    script.rateBurst = 0;
    script.rateIntervalMs = 1000;
    script.rateOpcode = 0x03;
    return script;
}

FakeGameScript VanishingPlayersGame()
{
    FakeGameScript script;
    script.hostName = "Emptying Server";
    script.players = {{"Stayer", 0x11, 7, 600}, {"Lingerer", 0x22, 1, 30}};
    script.reportedPlayers = 5;
    return script;
}

FakeGameScript JunkSendingGame()
{
    FakeGameScript script;
    script.hostName = "Noisy Server";
    script.rules = {{"deathmatch", "1"}};
    script.mangle = [](const FakeRequest &request, Packet reply) {
        return request.Opcode() == 0x04 ? Packet() : reply;
    };
    script.junk = {0xFF, 0xFF, 0xFF, 0xFF, 'n'};
    script.junkEveryMs = 500;
    return script;
}

// ---- The server

FakeGameServer::FakeGameServer(const FakeGameScript &script) : mScript(script)
{
    memset(&mPeer, 0, sizeof mPeer);
}

FakeGameServer::~FakeGameServer()
{
    Stop();
}

bool FakeGameServer::Start(uint16_t port)
{
    if (mRunning)
        return true;
    int fd = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    struct sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t size = sizeof address;
    if (bind(fd, (struct sockaddr *)&address, sizeof address) != 0
        || getsockname(fd, (struct sockaddr *)&address, &size) != 0) {
        close(fd);
        return false;
    }
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_TIMESTAMPNS, &on, sizeof on);    // else stamped when read
    mFd = MoveDescriptorHigh(fd);
    mPort = ntohs(address.sin_port);
    {
        std::lock_guard<std::mutex> lock(mMutex);
        mRequests.clear();      // a restarted server records afresh
        mHavePeer = false;
        mRates.clear();
    }
    mRunning = true;
    FakeServerHub::Add(this);
    return true;
}

void FakeGameServer::Stop()
{
    if (!mRunning)
        return;
    FakeServerHub::Remove(this);
    close(mFd);
    mFd = -1;
    mRunning = false;
}

std::string FakeGameServer::HostText() const
{
    return "127.0.0.1:" + std::to_string(mPort);
}

void FakeGameServer::SetScript(const FakeGameScript &script)
{
    std::lock_guard<std::mutex> lock(mMutex);
    mScript = script;
}

std::vector<FakeRequest> FakeGameServer::Requests() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    return mRequests;
}

size_t FakeGameServer::RequestCount(int opcode) const
{
    std::lock_guard<std::mutex> lock(mMutex);
    size_t count = 0;
    for (const FakeRequest &request : mRequests) {
        if (opcode < 0 || request.Opcode() == opcode)
            count++;
    }
    return count;
}

bool FakeGameServer::WaitForRequests(size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock<std::mutex> lock(mMutex);
    return mArrived.wait_for(lock, timeout, [&] { return mRequests.size() >= count; });
}

bool FakeGameServer::Idle() const
{
    std::lock_guard<std::mutex> lock(mMutex);
    struct pollfd waiting = {mFd, POLLIN, 0};
    return mFd < 0 || poll(&waiting, 1, 0) <= 0;
}

bool FakeGameServer::SendUnsolicited(const Packet &datagram)
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (!mHavePeer || mFd < 0)
        return false;
    SendTo(datagram, mPeer);
    return true;
}

// The kernel stamps a datagram as it takes it in, which on 127.0.0.1 is while the sender's
// call runs: the stamp tells when the program sent it, however late this thread reads it.
// The stamp is on the wall clock; its distance from now carries it over to the steady one.
static std::chrono::steady_clock::time_point ArrivalTime(struct msghdr *message)
{
    using namespace std::chrono;
    steady_clock::time_point now = steady_clock::now();
    for (struct cmsghdr *c = CMSG_FIRSTHDR(message); c; c = CMSG_NXTHDR(message, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMPNS)
            continue;
        struct timespec stamp, wall;
        memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
        clock_gettime(CLOCK_REALTIME, &wall);
        nanoseconds waited = seconds(wall.tv_sec - stamp.tv_sec)
                             + nanoseconds(wall.tv_nsec - stamp.tv_nsec);
        return now - duration_cast<steady_clock::duration>(std::max(waited, nanoseconds(0)));
    }
    return now;
}

// One datagram with its sender and arrival; false when the socket is drained.
bool FakeGameServer::Receive(FakeRequest *request, struct sockaddr_in *peer)
{
    unsigned char buffer[2048];
    struct iovec data = {buffer, sizeof buffer};
    alignas(struct cmsghdr) char control[CMSG_SPACE(sizeof(struct timespec))];
    struct msghdr message;
    memset(&message, 0, sizeof message);
    message.msg_name = peer;
    message.msg_namelen = sizeof *peer;
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t received = recvmsg(mFd, &message, 0);
    if (received < 0)
        return false;
    request->bytes.assign(buffer, buffer + received);
    request->time = ArrivalTime(&message);
    return true;
}

// Locked from the read to the answer, so that Idle() never falls between them.
void FakeGameServer::Serve()
{
    std::lock_guard<std::mutex> lock(mMutex);
    for (;;) {
        FakeRequest request;
        struct sockaddr_in peer;
        if (!Receive(&request, &peer))
            return;     // drained
        mRequests.push_back(request);
        if (!mHavePeer && mScript.junkEveryMs > 0)
            mNextJunk = request.time + std::chrono::milliseconds(mScript.junkEveryMs);
        mPeer = peer;
        mHavePeer = true;
        mArrived.notify_all();
        Answer(request, peer);
    }
}

void FakeGameServer::Answer(const FakeRequest &request, const struct sockaddr_in &peer)
{
    if (mScript.silent || (int)mRequests.size() <= mScript.dropFirst)
        return;
    bool guarded = mScript.rateOpcode == 0 || request.Opcode() == mScript.rateOpcode;
    if (mScript.rateBurst >= 0 && guarded && !RateAllows(peer, request.time))
        return;
    if (!mScript.ahead.empty()
        && (mScript.aheadOpcode == 0 || request.Opcode() == mScript.aheadOpcode))
        SendTo(mScript.ahead, peer);
    for (Packet reply : RepliesFor(request)) {
        if (mScript.mangle)
            reply = mScript.mangle(request, reply);
        if (reply.empty())
            continue;
        for (int i = 0; i < mScript.repeatReplies; i++)
            SendTo(reply, peer);
    }
}

std::vector<Packet> FakeGameServer::RepliesFor(const FakeRequest &request) const
{
    switch (request.Opcode()) {
    case 0x02: {
        int players = mScript.reportedPlayers >= 0 ? mScript.reportedPlayers
                                                   : (int)mScript.players.size();
        return {MakeInfoReply(mScript.address, mScript.hostName, mScript.mapName, players,
                              mScript.maxPlayers, mScript.protocolVersion)};
    }
    case 0x03: {
        int index = request.PlayerIndex();
        if (index < 0 || index >= (int)mScript.players.size())
            return {};      // the game stays silent about players it does not have
        const FakePlayer &player = mScript.players[index];
        return {MakePlayerReply(player.number >= 0 ? player.number : index, player)};
    }
    case 0x04:
        return {RuleAfter(request.RuleName())};
    default:
        return {};
    }
}

Packet FakeGameServer::RuleAfter(const std::string &name) const
{
    const std::vector<FakeRule> &rules = mScript.rules;
    size_t next = 0;
    if (!name.empty()) {
        while (next < rules.size() && rules[next].name != name)
            next++;
        next++;     // past the named rule; an unknown name ends the list
    }
    if (next == rules.size() && mScript.cycleRulesTo >= 0 && !rules.empty())
        next = (size_t)mScript.cycleRulesTo % rules.size();
    if (next >= rules.size())
        return MakeEndOfRules();
    return MakeRuleReply(rules[next].name, rules[next].value);
}

void FakeGameServer::SendTo(const Packet &datagram, const struct sockaddr_in &peer)
{
    sendto(mFd, datagram.data(), datagram.size(), 0, (const struct sockaddr *)&peer, sizeof peer);
}

bool FakeGameServer::RateAllows(const struct sockaddr_in &peer,
                                std::chrono::steady_clock::time_point now)
{
    RateState &rate = mRates[peer.sin_addr.s_addr];
    bool due = mScript.rateEvery > 0
                   ? rate.ignored + 1 >= mScript.rateEvery
                   : now - rate.last >= std::chrono::milliseconds(mScript.rateIntervalMs);
    bool allowed = rate.answered < mScript.rateBurst || due;
    if (allowed) {
        rate.answered++;
        rate.ignored = 0;
        rate.last = now;
    } else {
        rate.ignored++;
    }
    return allowed;
}

int FakeGameServer::Tick(std::chrono::steady_clock::time_point now)
{
    std::lock_guard<std::mutex> lock(mMutex);
    if (mScript.junkEveryMs <= 0 || !mHavePeer || mFd < 0)
        return -1;
    if (now >= mNextJunk) {
        SendTo(mScript.junk, mPeer);
        mNextJunk = now + std::chrono::milliseconds(mScript.junkEveryMs);
    }
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(mNextJunk - now);
    return (int)left.count() + 1;
}
