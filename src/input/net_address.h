// Where a datagram comes from or goes, and how the meeting's datagrams are told from the
// game's: what the network layer and the meeting code share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Every datagram of the meeting starts with these bytes. A game's ENet datagram never does:
// its first byte holds a peer number's top bits, 0 or 0xF for the few peers a game has, and
// 'F' has a 6 there.
constexpr char kMeetMagic[4] = {'F', 'R', 'O', 'G'};
constexpr size_t kLongestMeetMessage = 128;
// The most addresses a side tells about itself.
constexpr size_t kMostCandidates = 4;

// An IPv4 address and UDP port; Ip holds the four bytes in their printed order, a.b.c.d as
// a << 24 | b << 16 | c << 8 | d.
struct MeetAddress {
    uint32_t Ip = 0;
    uint16_t Port = 0;
    bool operator==(const MeetAddress& other) const { return Ip == other.Ip && Port == other.Port; }
    bool operator!=(const MeetAddress& other) const { return !(*this == other); }
    bool operator<(const MeetAddress& other) const {
        return Ip != other.Ip ? Ip < other.Ip : Port < other.Port;
    }
};
// "a.b.c.d:port"
std::string ToString(const MeetAddress& address);

// True when the bytes start as the meeting's datagrams do; anything else is the game's own.
bool IsMeetDatagram(const uint8_t* data, size_t size);
