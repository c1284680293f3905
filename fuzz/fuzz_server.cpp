// fuzz_server.cpp - feeds arbitrary datagrams to a Server in each query state.
//
// Input: byte 0 picks the state (bits 0-1: 0 waiting for the info reply, 1 for the rules,
// 2 for the players) and the request flags (bit 2 rules, bit 3 players); byte 1 how many
// well-formed rules and players come first. Then datagrams, each after a two-byte big-endian
// length; the length 0xFFFF stands for a silence, which re-sends as the query engine would.
// The datagrams travel over loopback from a local sink socket to the Server's own socket,
// so the whole receive path runs.
#include "query/server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int         sSink = -1;
std::string sSinkHost;

using Bytes = std::vector<uint8_t>;

Bytes Reply(uint8_t opcode, const Bytes &payload)
{
    Bytes packet = {0x80, 0x00, (uint8_t)((payload.size() + 5) >> 8), (uint8_t)(payload.size() + 5),
                    opcode};
    packet.insert(packet.end(), payload.begin(), payload.end());
    return packet;
}

void PutString(Bytes &out, const std::string &text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

void Drain()
{
    char buffer[2048];
    while (recv(sSink, buffer, sizeof buffer, MSG_DONTWAIT) >= 0)
        ;
}

// Sends one datagram to the server's socket and lets the server handle it if it arrived.
void Deliver(Server &server, const uint8_t *data, size_t size)
{
    if (!server.Connected())
        return;
    struct sockaddr_in peer;
    socklen_t length = sizeof peer;
    if (getsockname(server.Fd(), (struct sockaddr *)&peer, &length) != 0)
        return;
    sendto(sSink, data, size, 0, (struct sockaddr *)&peer, sizeof peer);
    struct pollfd fd = {server.Fd(), POLLIN, 0};
    if (poll(&fd, 1, 0) > 0)
        server.HandleMessage();
}

void Deliver(Server &server, const Bytes &packet)
{
    Deliver(server, packet.data(), packet.size());
}

// Walks the query forward with well-formed replies to the state the input asks for.
void Prepare(Server &server, int stage, int steps)
{
    if (stage < 1)
        return;
    Bytes info;
    PutString(info, "127.0.0.1:26000");
    PutString(info, "fuzz");
    PutString(info, "e1m1");
    info.insert(info.end(), {(uint8_t)(steps + 1), 16, 3});
    Deliver(server, Reply(0x83, info));
    for (int i = 0; i < steps && server.mState == Server::State_GetRules; i++) {
        Bytes rule;
        PutString(rule, "rule" + std::to_string(i));
        PutString(rule, "1");
        Deliver(server, Reply(0x85, rule));
    }
    if (stage < 2)
        return;
    if (server.mState == Server::State_GetRules)
        Deliver(server, Reply(0x85, Bytes()));
    for (int i = 0; i < steps && server.mState == Server::State_GetPlayers; i++) {
        Bytes player = {(uint8_t)i};
        PutString(player, "player");
        player.insert(player.end(), {0x4D, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 60, 0, 0, 0});
        PutString(player, "10.0.0.1:26000");
        Deliver(server, Reply(0x84, player));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The protocol's diagnostics would drown the fuzzer's own report.
    if (!freopen("/dev/null", "w", stdout))
        return 0;
    sSink = socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK, 0);
    struct sockaddr_in address;
    memset(&address, 0, sizeof address);
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(sSink, (struct sockaddr *)&address, sizeof address) != 0
        || getsockname(sSink, (struct sockaddr *)&address, &length) != 0)
        return 0;
    sSinkHost = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2 || sSinkHost.empty())
        return 0;
    Server server;
    server.SetHost(sSinkHost.c_str());
    ServerQueryInfo info;
    info.maxRetries = 3;
    info.getRules = (data[0] & 4) != 0;
    info.getPlayers = (data[0] & 8) != 0;
    if (!server.Query(info))
        return 0;
    Prepare(server, data[0] & 3, data[1] % 8);
    size_t at = 2;
    while (at + 2 <= size && server.Connected()) {
        size_t length = (size_t)data[at] << 8 | data[at + 1];
        at += 2;
        if (length == 0xFFFF) {
            if (!server.ReQuery(info))
                server.Close();
            continue;
        }
        if (length > size - at)
            length = size - at;
        Deliver(server, data + at, length);
        at += length;
    }
    if (server.Connected())
        server.Close();
    Drain();
    return 0;
}
