// Where a datagram comes from or goes: what the network layer and the meeting code share.
#pragma once

#include <cstdint>
#include <string>

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
