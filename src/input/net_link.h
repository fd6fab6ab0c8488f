// The connection to the other player's game: the other side's keys come in through it, as
// a keyboard's do, and this side's go out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input/net_address.h"

// No message two games exchange is longer; the connection refuses anything longer unread.
constexpr size_t kLongestNetMessage = 4096;

struct NetEvent {
    // Failed: the connection could not even be tried (the host's name was not found).
    // Found: the meeting server's name was looked up, to `From`. Datagram: one of the
    // meeting server's or a probe, from `From`.
    enum class Kind { Connected, Received, Disconnected, Failed, Found, Datagram };
    Kind Type = Kind::Received;
    // Which connection it came on, never 0: a host may hear from a stranger beside its player.
    uint32_t Peer = 0;
    // Connected: the other side's address, for messages. Failed: why, as words that can
    // follow "Pondlark Remake: ".
    std::string Text;
    // Connected, Found, Datagram: the address.
    std::string Bytes;
    MeetAddress From;
};

class NetLink {
public:
    virtual ~NetLink() = default;
    // The next thing that happened; false when nothing is waiting.
    virtual bool Poll(NetEvent& event) = 0;
    // Reliable messages arrive once and in order; the others may be lost.
    virtual void Send(uint32_t peer, const std::string& bytes, bool reliable) = 0;
    // Sends what was queued now rather than at the next poll.
    virtual void Flush() = 0;
    virtual uint32_t RoundTripMs(uint32_t peer) const = 0;
    // Lets one connection go once what was queued for it has gone out.
    virtual void Drop(uint32_t peer) = 0;
    // Says goodbye to every connection, waiting a moment for what is queued to go out.
    virtual void Leave() = 0;
    // A datagram of the meeting server's kind, out of the game's own port, so that routers
    // open the way the game's traffic will take.
    virtual void SendDatagram(const MeetAddress& to, const std::string& bytes) = 0;
    // The guest's connection to the host, once it is known where the host can be reached.
    virtual void ConnectTo(const MeetAddress& to) = 0;
    // This machine's own IPv4 addresses with the game's port, for a player behind the same
    // router.
    virtual std::vector<MeetAddress> OwnAddresses() const = 0;
};
