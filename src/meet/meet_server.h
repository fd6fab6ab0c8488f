// The meeting server's rules, without sockets: datagrams in, datagrams out, time passed in.
//
// How a host and a guest meet (every request is padded to kMeetRequestSize, and every
// answer is shorter; the server never sends anything that was not asked for, apart from
// relayed game traffic between the two addresses of one session):
// - The host sends Register{Nonce, Candidates} every second while it waits. From a new
//   address that opens a session with a fresh code that lives 15 minutes; the answer is
//   Registered{Nonce, Code, Seen, SecondsLeft}. A repeat from the same address and nonce
//   changes nothing and is answered with Registered while no guest has joined, Peer once
//   one has, and Relaying once the session is relayed. Another nonce from the same address
//   is a new run of the game: its old session ends.
// - The guest sends Join{Code, Nonce, Candidates} until an answer comes: Peer{the host's
//   Candidates, Other = the host's address, Session}, or Refused{UnknownCode} for a code
//   that is unknown or has expired, or Refused{Busy} when another guest joined first.
// - The two probe each other directly. When no path opens, the guest sends Relay{Session}
//   and gets Relaying; from then on every datagram that is not ours from the host's address
//   goes to the guest's and back, and nothing goes anywhere else. The host learns it from
//   the answer to its next Register.
// - Done{Session} from either side forgets a session whose game started directly, or ends
//   a relayed one. It is not answered.
// - A relayed session ends after 30 s with no traffic or once it has carried its share of
//   bytes; any other session ends 15 minutes after it was registered.
// - Requests are rate-limited per source IP, failed joins more tightly still (codes are not
//   to be guessed), and a refusal goes to one source at most once a second.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "meet/token_bucket.h"
#include "network/meet_messages.h"

struct MeetLimits {
    size_t MostSessions = 4096;
    size_t MostSessionsPerIp = 4;
    // Addresses the server keeps rate limits for; a flood from made-up ones stops there.
    size_t MostSources = 16384;
    uint32_t RequestsPerSecond = 20;
    uint32_t RequestBurst = 40;
    uint32_t FailedJoinsPerMinute = 10;
    uint32_t FailedJoinBurst = 10;
    int64_t CodeLifeMs = 15 * 60 * 1000;
    int64_t RelayIdleMs = 30 * 1000;
    // A game's keys need a few kB a second each way.
    uint32_t RelayBytesPerSecond = 32 * 1024;
    uint32_t RelayByteBurst = 16 * 1024;
    uint32_t RelayDatagramsPerSecond = 250;
    uint32_t RelayDatagramBurst = 50;
    uint64_t MostRelayedBytes = 64ull * 1024 * 1024;
    size_t LongestRelayed = 1500;
};

struct MeetDatagram {
    MeetAddress To;
    std::string Bytes;
};

class MeetServer {
public:
    // Fills a buffer with secure random bytes.
    using RandomSource = std::function<void(uint8_t*, size_t)>;
    // Takes one line about a session's event.
    using EventLog = std::function<void(const std::string&)>;

    MeetServer(const MeetLimits& limits, RandomSource random, EventLog log);

    // One datagram that arrived from `from` at `now_ms`; returns what to send.
    std::vector<MeetDatagram> Receive(const uint8_t* data, size_t size, const MeetAddress& from,
                                      int64_t now_ms);
    // Ends sessions whose time is up; the caller does it about once a second.
    void Sweep(int64_t now_ms);

    size_t Sessions() const { return sessions_.size(); }

private:
    struct Side {
        MeetAddress Seen;
        uint64_t Nonce = 0;
        std::vector<MeetAddress> Candidates;
        TokenBucket Bytes{0, 1, 0, 0};
        TokenBucket Datagrams{0, 1, 0, 0};
    };
    struct Session {
        std::string Code;
        uint64_t Id = 0;
        int64_t BornMs = 0;
        bool Joined = false;
        bool Relayed = false;
        int64_t LastTrafficMs = 0;
        uint64_t RelayedBytes = 0;
        Side Host;
        Side Guest;
    };
    struct Source {
        TokenBucket Requests;
        TokenBucket FailedJoins;
        size_t Sessions = 0;
        int64_t LastSeenMs = 0;
        int64_t LastRefusedMs = 0;
        bool Refused = false;
    };
    using Answers = std::vector<MeetDatagram>;

    Answers Register(const MeetMessage& m, const MeetAddress& from, Source& source, size_t size,
                     int64_t now_ms);
    Answers Join(const MeetMessage& m, const MeetAddress& from, Source& source, size_t size,
                 int64_t now_ms);
    Answers Relay(const MeetMessage& m, const MeetAddress& from, Source& source, size_t size,
                  int64_t now_ms);
    void Done(const MeetMessage& m, const MeetAddress& from);
    Answers Forward(const uint8_t* data, size_t size, const MeetAddress& from, int64_t now_ms);

    Answers AnswerHost(const Session& s, size_t size, int64_t now_ms) const;
    Answers AnswerGuest(const Session& s, size_t size) const;
    Answers Refuse(Source& source, const MeetAddress& to, uint64_t nonce, MeetMessage::Reason why,
                   const std::string& text, size_t size, int64_t now_ms);
    // The session `from` belongs to, if any.
    Session* Member(const MeetAddress& from);
    Source* FindSource(uint32_t ip, int64_t now_ms);
    std::string NewCode();
    uint64_t RandomNumber();
    void End(const std::string& code, const std::string& why);
    void Forget(const std::string& code);

    MeetLimits limits_;
    RandomSource random_;
    EventLog log_;
    // Sessions by code, and the code of each address that belongs to one.
    std::map<std::string, Session> sessions_;
    std::map<MeetAddress, std::string> members_;
    std::map<uint32_t, Source> sources_;
    int64_t next_sweep_ms_ = 0;
};
