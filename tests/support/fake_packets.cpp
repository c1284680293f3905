// fake_packets.cpp - reply builders for the fake game server and the query tests.
#include "tests/support/fake_packets.h"

#include <algorithm>

namespace {

void PutString(Packet &out, const std::string &text)
{
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
}

void PutLong(Packet &out, uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back((unsigned char)(value >> shift));
}

} // namespace

void FixLength(Packet &packet)
{
    if (packet.size() < 4)
        return;
    packet[2] = (unsigned char)(packet.size() >> 8);
    packet[3] = (unsigned char)packet.size();
}

Packet MakePacket(unsigned char opcode, const Packet &payload)
{
    Packet packet(5 + payload.size());
    packet[0] = 0x80;
    packet[4] = opcode;
    std::copy(payload.begin(), payload.end(), packet.begin() + 5);
    FixLength(packet);
    return packet;
}

Packet MakeInfoReply(const std::string &address, const std::string &hostName,
                     const std::string &map, int players, int maxPlayers, int version)
{
    Packet payload;
    PutString(payload, address);
    PutString(payload, hostName);
    PutString(payload, map);
    payload.push_back((unsigned char)players);
    payload.push_back((unsigned char)maxPlayers);
    payload.push_back((unsigned char)version);
    return MakePacket(0x83, payload);
}

Packet MakeRuleReply(const std::string &name, const std::string &value)
{
    Packet payload;
    PutString(payload, name);
    PutString(payload, value);
    return MakePacket(0x85, payload);
}

Packet MakeEndOfRules()
{
    return MakePacket(0x85, Packet());
}

Packet MakePlayerReply(int number, const FakePlayer &player)
{
    Packet payload;
    payload.push_back((unsigned char)number);
    PutString(payload, player.name);
    PutLong(payload, player.colours);
    PutLong(payload, (uint32_t)player.frags);
    PutLong(payload, (uint32_t)player.connectTime);
    PutString(payload, player.address);
    return MakePacket(0x84, payload);
}
