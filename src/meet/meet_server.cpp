#include "meet/meet_server.h"

#include <utility>

namespace {

using Kind = MeetMessage::Kind;
using Reason = MeetMessage::Reason;

constexpr int64_t kSweepEveryMs = 1000;
constexpr int64_t kRefuseEveryMs = 1000;
// A source with no session is forgotten once its limits would have refilled anyway.
constexpr int64_t kForgetSourceMs = 60 * 1000;
constexpr size_t kLetterCount = sizeof(kCodeLetters) - 1;
// The largest multiple of the letter count in a byte: bytes above it are drawn again, so
// every letter is equally likely.
constexpr unsigned kFairBytes = 256 / kLetterCount * kLetterCount;

MeetMessage Answer(Kind kind, uint64_t nonce) {
    MeetMessage m;
    m.Type = kind;
    m.Nonce = nonce;
    return m;
}

// An answer is sent only when it is no longer than what asked for it.
std::vector<MeetDatagram> Reply(const MeetAddress& to, const MeetMessage& m, size_t size) {
    std::string bytes = EncodeMeet(m);
    if (bytes.size() > size) return {};
    return {MeetDatagram{to, std::move(bytes)}};
}

}  // namespace

MeetServer::MeetServer(const MeetLimits& limits, RandomSource random, EventLog log)
    : limits_(limits), random_(std::move(random)), log_(std::move(log)) {}

std::vector<MeetDatagram> MeetServer::Receive(const uint8_t* data, size_t size,
                                              const MeetAddress& from, int64_t now_ms) {
    if (now_ms >= next_sweep_ms_) Sweep(now_ms);
    if (!IsMeetDatagram(data, size)) return Forward(data, size, from, now_ms);
    Source* source = FindSource(from.Ip, now_ms);
    if (source == nullptr || !source->Requests.Take(now_ms)) return {};
    MeetMessage m;
    if (!DecodeMeet(data, size, m) || !IsMeetRequest(m.Type)) return {};
    if (m.Protocol != kMeetProtocol) {
        return Refuse(*source, from, 0, Reason::OtherVersion, "other version", size, now_ms);
    }
    switch (m.Type) {
        case Kind::Register:
            return Register(m, from, *source, size, now_ms);
        case Kind::Join:
            return Join(m, from, *source, size, now_ms);
        case Kind::Relay:
            return Relay(m, from, *source, size, now_ms);
        case Kind::Done:
            Done(m, from);
            return {};
        default:
            return {};
    }
}

MeetServer::Answers MeetServer::Register(const MeetMessage& m, const MeetAddress& from,
                                         Source& source, size_t size, int64_t now_ms) {
    if (Session* s = Member(from)) {
        if (s->Host.Seen != from) {
            return Refuse(source, from, m.Nonce, Reason::Busy, "already a guest", size, now_ms);
        }
        if (s->Host.Nonce == m.Nonce) return AnswerHost(*s, size, now_ms);
        End(s->Code, "host started again");
    }
    if (sessions_.size() >= limits_.MostSessions) {
        return Refuse(source, from, m.Nonce, Reason::Busy, "too many sessions", size, now_ms);
    }
    if (source.Sessions >= limits_.MostSessionsPerIp) {
        return Refuse(source, from, m.Nonce, Reason::Busy, "too many sessions from this address",
                      size, now_ms);
    }
    Session s;
    s.Code = NewCode();
    s.Id = RandomNumber();
    s.BornMs = now_ms;
    s.Host.Seen = from;
    s.Host.Nonce = m.Nonce;
    s.Host.Candidates = m.Candidates;
    ++source.Sessions;
    members_[from] = s.Code;
    log_("registered " + s.Code + " host " + ToString(from));
    const Session& stored = sessions_.emplace(s.Code, std::move(s)).first->second;
    return AnswerHost(stored, size, now_ms);
}

MeetServer::Answers MeetServer::Join(const MeetMessage& m, const MeetAddress& from, Source& source,
                                     size_t size, int64_t now_ms) {
    if (Session* s = Member(from)) {
        if (s->Joined && s->Guest.Seen == from && s->Code == m.Code) return AnswerGuest(*s, size);
        return Refuse(source, from, m.Nonce, Reason::Busy, "already in a session", size, now_ms);
    }
    // Checked before the code is looked up, so a guesser out of tries learns nothing more.
    if (!source.FailedJoins.Has(now_ms)) {
        return Refuse(source, from, m.Nonce, Reason::Busy, "too many failed joins", size, now_ms);
    }
    const auto found = sessions_.find(m.Code);
    if (found == sessions_.end() || now_ms - found->second.BornMs >= limits_.CodeLifeMs) {
        source.FailedJoins.Take(now_ms);
        return Refuse(source, from, m.Nonce, Reason::UnknownCode, "unknown code", size, now_ms);
    }
    Session& s = found->second;
    if (s.Joined) {
        return Refuse(source, from, m.Nonce, Reason::Busy, "already joined", size, now_ms);
    }
    if (source.Sessions >= limits_.MostSessionsPerIp) {
        return Refuse(source, from, m.Nonce, Reason::Busy, "too many sessions from this address",
                      size, now_ms);
    }
    s.Joined = true;
    s.Guest.Seen = from;
    s.Guest.Nonce = m.Nonce;
    s.Guest.Candidates = m.Candidates;
    ++source.Sessions;
    members_[from] = s.Code;
    log_("matched " + s.Code + " guest " + ToString(from));
    return AnswerGuest(s, size);
}

MeetServer::Answers MeetServer::Relay(const MeetMessage& m, const MeetAddress& from, Source& source,
                                      size_t size, int64_t now_ms) {
    Session* s = Member(from);
    if (s == nullptr || !s->Joined || s->Guest.Seen != from || s->Id != m.Session) {
        return Refuse(source, from, m.Nonce, Reason::Expired, "no such session", size, now_ms);
    }
    if (!s->Relayed) {
        s->Relayed = true;
        s->LastTrafficMs = now_ms;
        for (Side* side : {&s->Host, &s->Guest}) {
            side->Bytes =
                TokenBucket(limits_.RelayBytesPerSecond, 1000, limits_.RelayByteBurst, now_ms);
            side->Datagrams = TokenBucket(limits_.RelayDatagramsPerSecond, 1000,
                                          limits_.RelayDatagramBurst, now_ms);
        }
        log_("relayed " + s->Code);
    }
    MeetMessage answer = Answer(Kind::Relaying, m.Nonce);
    answer.Session = s->Id;
    return Reply(from, answer, size);
}

void MeetServer::Done(const MeetMessage& m, const MeetAddress& from) {
    Session* s = Member(from);
    if (s == nullptr || s->Id != m.Session) return;
    if (s->Relayed) {
        End(s->Code, "done");
    } else if (s->Joined) {
        log_("direct " + s->Code);
        Forget(s->Code);
    } else {
        End(s->Code, "host stopped waiting");
    }
}

MeetServer::Answers MeetServer::Forward(const uint8_t* data, size_t size, const MeetAddress& from,
                                        int64_t now_ms) {
    if (size > limits_.LongestRelayed) return {};
    Session* s = Member(from);
    if (s == nullptr || !s->Relayed) return {};
    const bool from_host = s->Host.Seen == from;
    Side& side = from_host ? s->Host : s->Guest;
    const MeetAddress to = from_host ? s->Guest.Seen : s->Host.Seen;
    if (!side.Bytes.Has(now_ms, static_cast<uint32_t>(size)) || !side.Datagrams.Take(now_ms)) {
        return {};
    }
    side.Bytes.Take(now_ms, static_cast<uint32_t>(size));
    s->RelayedBytes += size;
    if (s->RelayedBytes > limits_.MostRelayedBytes) {
        End(s->Code, "relayed its share of bytes");
        return {};
    }
    s->LastTrafficMs = now_ms;
    return {MeetDatagram{to, std::string(reinterpret_cast<const char*>(data), size)}};
}

void MeetServer::Sweep(int64_t now_ms) {
    next_sweep_ms_ = now_ms + kSweepEveryMs;
    std::vector<std::pair<std::string, const char*>> ended;
    for (const auto& [code, s] : sessions_) {
        if (s.Relayed && now_ms - s.LastTrafficMs >= limits_.RelayIdleMs) {
            ended.emplace_back(code, "no traffic for 30 s");
        } else if (!s.Relayed && now_ms - s.BornMs >= limits_.CodeLifeMs) {
            ended.emplace_back(code, "15 minutes passed");
        }
    }
    for (const auto& [code, why] : ended) End(code, why);
    for (auto it = sources_.begin(); it != sources_.end();) {
        const bool idle =
            it->second.Sessions == 0 && now_ms - it->second.LastSeenMs >= kForgetSourceMs;
        it = idle ? sources_.erase(it) : std::next(it);
    }
}

MeetServer::Answers MeetServer::AnswerHost(const Session& s, size_t size, int64_t now_ms) const {
    MeetMessage m;
    m.Nonce = s.Host.Nonce;
    if (s.Relayed) {
        m.Type = Kind::Relaying;
        m.Session = s.Id;
    } else if (s.Joined) {
        m.Type = Kind::Peer;
        m.Candidates = s.Guest.Candidates;
        m.Other = s.Guest.Seen;
        m.Session = s.Id;
    } else {
        m.Type = Kind::Registered;
        m.Code = s.Code;
        m.Seen = s.Host.Seen;
        const int64_t left_ms = limits_.CodeLifeMs - (now_ms - s.BornMs);
        m.SecondsLeft = static_cast<uint16_t>(left_ms > 0 ? left_ms / 1000 : 0);
    }
    return Reply(s.Host.Seen, m, size);
}

MeetServer::Answers MeetServer::AnswerGuest(const Session& s, size_t size) const {
    MeetMessage m = Answer(Kind::Peer, s.Guest.Nonce);
    m.Candidates = s.Host.Candidates;
    m.Other = s.Host.Seen;
    m.Session = s.Id;
    return Reply(s.Guest.Seen, m, size);
}

MeetServer::Answers MeetServer::Refuse(Source& source, const MeetAddress& to, uint64_t nonce,
                                       Reason why, const std::string& text, size_t size,
                                       int64_t now_ms) {
    MeetMessage m = Answer(Kind::Refused, nonce);
    m.Why = why;
    std::string bytes = EncodeMeet(m);
    if (bytes.size() > size) return {};
    if (source.Refused && now_ms - source.LastRefusedMs < kRefuseEveryMs) return {};
    source.Refused = true;
    source.LastRefusedMs = now_ms;
    log_("refused " + ToString(to) + ": " + text);
    return {MeetDatagram{to, std::move(bytes)}};
}

MeetServer::Session* MeetServer::Member(const MeetAddress& from) {
    const auto member = members_.find(from);
    return member == members_.end() ? nullptr : &sessions_.at(member->second);
}

MeetServer::Source* MeetServer::FindSource(uint32_t ip, int64_t now_ms) {
    auto found = sources_.find(ip);
    if (found == sources_.end()) {
        if (sources_.size() >= limits_.MostSources) return nullptr;
        Source fresh{
            TokenBucket(limits_.RequestsPerSecond, 1000, limits_.RequestBurst, now_ms),
            TokenBucket(limits_.FailedJoinsPerMinute, 60 * 1000, limits_.FailedJoinBurst, now_ms)};
        found = sources_.emplace(ip, std::move(fresh)).first;
    }
    found->second.LastSeenMs = now_ms;
    return &found->second;
}

std::string MeetServer::NewCode() {
    std::string code;
    do {
        code.clear();
        while (code.size() < kCodeLength) {
            uint8_t bytes[16];
            random_(bytes, sizeof(bytes));
            for (uint8_t b : bytes) {
                if (b < kFairBytes && code.size() < kCodeLength)
                    code += kCodeLetters[b % kLetterCount];
            }
        }
    } while (sessions_.count(code) != 0);
    return code;
}

uint64_t MeetServer::RandomNumber() {
    uint8_t bytes[8];
    random_(bytes, sizeof(bytes));
    uint64_t value = 0;
    for (uint8_t b : bytes) value = value << 8 | b;
    return value;
}

void MeetServer::End(const std::string& code, const std::string& why) {
    log_("ended " + code + ": " + why);
    Forget(code);
}

void MeetServer::Forget(const std::string& code) {
    const auto found = sessions_.find(code);
    if (found == sessions_.end()) return;
    const Session& s = found->second;
    std::vector<MeetAddress> members = {s.Host.Seen};
    if (s.Joined) members.push_back(s.Guest.Seen);
    for (const MeetAddress& address : members) {
        members_.erase(address);
        const auto source = sources_.find(address.Ip);
        if (source != sources_.end() && source->second.Sessions > 0) --source->second.Sessions;
    }
    sessions_.erase(found);
}
