// The datagrams of the meeting server, which introduces a host and a guest that cannot reach
// each other directly, and of the probes the two then send each other. Whatever arrives is
// untrusted, and a request is always at least as long as any answer to it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input/net_address.h"

// The meeting server's UDP port unless told otherwise; the game's own is 7410.
constexpr uint16_t kMeetPort = 7411;
constexpr uint8_t kMeetProtocol = 1;
// Join codes: no 0/O, 1/I/L, so they are easy to read aloud and type.
constexpr char kCodeLetters[] = "23456789ABCDEFGHJKMNPQRSTUVWXYZ";
constexpr size_t kCodeLength = 10;
// Requests are padded to this length, so no answer is ever longer than what asked for it.
constexpr size_t kMeetRequestSize = 96;

struct MeetMessage {
    enum class Kind : uint8_t {
        // Host to server, every few seconds while it waits: keeps its code and its router's
        // mapping alive. Answered by Registered, or by Peer once a guest has joined.
        Register = 1,
        Registered = 2,
        // Guest to server, with the code, until Peer comes back.
        Join = 3,
        // Server to both sides of a session: where the other side can be reached.
        Peer = 4,
        // Side to side, never to the server: a probe, or the answer to one.
        Probe = 5,
        // Guest to server: no direct path opened, carry the game. The server then says
        // Relaying to both and passes every datagram that is not ours between the two.
        Relay = 6,
        Relaying = 7,
        // Either side to server: the game has started directly, or a relayed game is over.
        Done = 8,
        // Server to a side: the request could not be met, with the reason.
        Refused = 9,
    };
    enum class Reason : uint8_t {
        UnknownCode = 1,
        Busy = 2,        // too many sessions, or too many from this address
        OtherVersion = 3, // another protocol version
        Expired = 4,
    };

    Kind Type = Kind::Register;
    // The sender's own random number, the same in every message of its run. Answers carry
    // the receiver's, so it can tell them from made-up ones.
    uint64_t Nonce = 0;
    // Registered, Join: the code that joins the host's game.
    std::string Code;
    // Registered: the address the server saw the host at, and the code's seconds to live.
    MeetAddress Seen;
    uint16_t SecondsLeft = 0;
    // Register, Join: the sender's own addresses (its machine's, with its game's port, and
    // one its router was asked to forward). Peer: the other side's.
    std::vector<MeetAddress> Candidates;
    // Peer: the address the server sees the other side at.
    MeetAddress Other;
    // Peer: the session, shared by both sides; Probe, Relay and Done repeat it, and a probe
    // that does not is ignored.
    uint64_t Session = 0;
    // Probe: false for a probe, true for the answer to one.
    bool Answer = false;
    // Refused.
    Reason Why = Reason::UnknownCode;
    // The protocol version the sender speaks; another one is answered by Refused.
    uint8_t Protocol = kMeetProtocol;
};

// Requests (Register, Join, Relay, Done) come padded to kMeetRequestSize.
std::string EncodeMeet(const MeetMessage& message);
// False for anything that is not exactly one well-formed message of a known kind. A message
// of another protocol version decodes as far as its kind and version, so it can be refused.
bool DecodeMeet(const uint8_t* data, size_t size, MeetMessage& message);
// True for the kinds a side sends the server.
bool IsMeetRequest(MeetMessage::Kind kind);
