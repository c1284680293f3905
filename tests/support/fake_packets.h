// fake_packets.h - builders of the game's query replies, well-formed or deliberately broken.
#ifndef VIREO_TESTS_SUPPORT_FAKE_PACKETS_H
#define VIREO_TESTS_SUPPORT_FAKE_PACKETS_H

#include <cstdint>
#include <string>
#include <vector>

using Packet = std::vector<unsigned char>;

struct FakeRule {
    std::string name;
    std::string value;
};

struct FakePlayer {
    std::string name;
    uint32_t    colours = 0;        // shirt in bits 4-7, pants in bits 0-3
    int32_t     frags = 0;
    int32_t     connectTime = 0;    // seconds
    std::string address = "127.0.0.1:26000";
    int         number = -1;        // -1: echo the index asked for, as the game does
};

// Header (0x80 0x00, big-endian length, opcode) in front of the payload.
Packet MakePacket(unsigned char opcode, const Packet &payload);
Packet MakeInfoReply(const std::string &address, const std::string &hostName,
                     const std::string &map, int players, int maxPlayers, int version);
Packet MakeRuleReply(const std::string &name, const std::string &value);
Packet MakeEndOfRules();
Packet MakePlayerReply(int number, const FakePlayer &player);

// Sets the header's length field to the packet's size.
void FixLength(Packet &packet);

#endif
