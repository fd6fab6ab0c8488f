// The connection to the other player's game: the other side's keys come in through it, as
// a keyboard's do, and this side's go out.
#pragma once

#include <cstdint>
#include <string>

struct NetEvent {
    enum class Kind { Connected, Received, Disconnected };
    Kind Type = Kind::Received;
    std::string Bytes;
};

class NetLink {
public:
    virtual ~NetLink() = default;
    // The next thing that happened on the connection; false when nothing is waiting.
    virtual bool Poll(NetEvent& event) = 0;
    // Reliable messages arrive once and in order; the others may be lost.
    virtual void Send(const std::string& bytes, bool reliable) = 0;
    // Sends what was queued now rather than at the next poll.
    virtual void Flush() = 0;
    virtual uint32_t RoundTripMs() const = 0;
    // Says goodbye, waiting a moment for what is queued to go out.
    virtual void Leave() = 0;
};
