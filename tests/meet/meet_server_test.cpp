#include "meet/meet_server.h"

#include <gtest/gtest.h>

namespace {

using Kind = MeetMessage::Kind;
using Reason = MeetMessage::Reason;

const MeetAddress kHost{0xCB007107, 40001};   // 203.0.113.7
const MeetAddress kGuest{0xC6336409, 51000};  // 198.51.100.9
const MeetAddress kStranger{0xC0000202, 7410};
const MeetAddress kHomeOfHost{0xC0A80105, 7410};
const MeetAddress kHomeOfGuest{0x0A000002, 7410};
constexpr uint64_t kHostNonce = 0x1111;
constexpr uint64_t kGuestNonce = 0x2222;
constexpr int64_t kStart = 1'000'000;

class MeetServerTest : public ::testing::Test {
protected:
    explicit MeetServerTest(const MeetLimits& limits = MeetLimits{})
        : server_(
              limits,
              [this](uint8_t* out, size_t size) {
                  for (size_t i = 0; i < size; ++i) out[i] = next_random_++;
              },
              [this](const std::string& line) { log_.push_back(line); }) {}

    std::vector<MeetDatagram> Send(const std::string& bytes, const MeetAddress& from, int64_t now) {
        auto out = server_.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                   from, now);
        for (const MeetDatagram& d : out) EXPECT_LE(d.Bytes.size(), bytes.size());
        return out;
    }
    std::vector<MeetDatagram> Send(const MeetMessage& m, const MeetAddress& from, int64_t now) {
        return Send(EncodeMeet(m), from, now);
    }
    // The one answer, which must go back to `to`.
    MeetMessage Only(const std::vector<MeetDatagram>& out, const MeetAddress& to) {
        MeetMessage m;
        EXPECT_EQ(out.size(), 1u);
        if (out.size() != 1) return m;
        EXPECT_EQ(out[0].To, to);
        EXPECT_TRUE(DecodeMeet(reinterpret_cast<const uint8_t*>(out[0].Bytes.data()),
                               out[0].Bytes.size(), m));
        return m;
    }

    MeetMessage Register(const MeetAddress& from, int64_t now, uint64_t nonce = kHostNonce) {
        MeetMessage m;
        m.Type = Kind::Register;
        m.Nonce = nonce;
        m.Candidates = {kHomeOfHost};
        return Only(Send(m, from, now), from);
    }
    MeetMessage Join(const std::string& code, const MeetAddress& from, int64_t now) {
        MeetMessage m;
        m.Type = Kind::Join;
        m.Nonce = kGuestNonce;
        m.Code = code;
        m.Candidates = {kHomeOfGuest};
        return Only(Send(m, from, now), from);
    }
    MeetMessage WithSession(Kind kind, uint64_t session, uint64_t nonce) {
        MeetMessage m;
        m.Type = kind;
        m.Session = session;
        m.Nonce = nonce;
        return m;
    }
    // A relayed session between kHost and kGuest; returns its id.
    uint64_t Relayed(int64_t now) {
        const MeetMessage peer = Join(Register(kHost, now).Code, kGuest, now);
        const MeetMessage relaying =
            Only(Send(WithSession(Kind::Relay, peer.Session, kGuestNonce), kGuest, now), kGuest);
        EXPECT_EQ(relaying.Type, Kind::Relaying);
        return peer.Session;
    }

    uint8_t next_random_ = 0;
    std::vector<std::string> log_;
    MeetServer server_;
};

class SmallServerTest : public MeetServerTest {
protected:
    static MeetLimits Small() {
        MeetLimits limits;
        limits.MostSessions = 5;
        limits.MostSources = 3;
        limits.MostRelayedBytes = 3000;
        return limits;
    }
    SmallServerTest() : MeetServerTest(Small()) {}
};

}  // namespace

TEST_F(MeetServerTest, HostAndGuestLearnEachOtherAndADirectGameIsForgotten) {
    const MeetMessage registered = Register(kHost, kStart);
    ASSERT_EQ(registered.Type, Kind::Registered);
    EXPECT_EQ(registered.Nonce, kHostNonce);
    // The fake random source counts up from 0: the first ten letters.
    EXPECT_EQ(registered.Code, "23456789AB");
    EXPECT_EQ(registered.Seen, kHost);
    EXPECT_EQ(registered.SecondsLeft, 900);
    EXPECT_EQ(Register(kHost, kStart + 1500).SecondsLeft, 898);
    EXPECT_EQ(server_.Sessions(), 1u);

    const MeetMessage peer = Join("23456789AB", kGuest, kStart + 2000);
    ASSERT_EQ(peer.Type, Kind::Peer);
    EXPECT_EQ(peer.Nonce, kGuestNonce);
    EXPECT_EQ(peer.Candidates, std::vector<MeetAddress>{kHomeOfHost});
    EXPECT_EQ(peer.Other, kHost);
    EXPECT_NE(peer.Session, 0u);
    const MeetMessage again = Join("23456789AB", kGuest, kStart + 3000);
    EXPECT_EQ(again.Type, Kind::Peer);
    EXPECT_EQ(again.Session, peer.Session);

    const MeetMessage host_side = Register(kHost, kStart + 3000);
    ASSERT_EQ(host_side.Type, Kind::Peer);
    EXPECT_EQ(host_side.Nonce, kHostNonce);
    EXPECT_EQ(host_side.Candidates, std::vector<MeetAddress>{kHomeOfGuest});
    EXPECT_EQ(host_side.Other, kGuest);
    EXPECT_EQ(host_side.Session, peer.Session);

    // Done with another session is ignored; with the right one the session is gone.
    EXPECT_TRUE(
        Send(WithSession(Kind::Done, peer.Session + 1, kHostNonce), kHost, kStart + 4000).empty());
    EXPECT_EQ(server_.Sessions(), 1u);
    EXPECT_TRUE(
        Send(WithSession(Kind::Done, peer.Session, kHostNonce), kHost, kStart + 4000).empty());
    EXPECT_EQ(server_.Sessions(), 0u);
    EXPECT_EQ(log_, (std::vector<std::string>{"registered 23456789AB host 203.0.113.7:40001",
                                              "matched 23456789AB guest 198.51.100.9:51000",
                                              "direct 23456789AB"}));
}

TEST_F(MeetServerTest, ARelayCarriesGameTrafficBothWaysAndNothingElse) {
    const std::string game = "\x0F\xFF game bytes";
    const std::string code = Register(kHost, kStart).Code;
    const MeetMessage peer = Join(code, kGuest, kStart);
    // Before the relay is asked for, nothing is carried.
    EXPECT_TRUE(Send(game, kHost, kStart).empty());
    // Only the guest, with its session, asks for it.
    EXPECT_EQ(
        Only(Send(WithSession(Kind::Relay, peer.Session, kHostNonce), kHost, kStart), kHost).Why,
        Reason::Expired);
    EXPECT_EQ(Register(kHost, kStart).Type, Kind::Peer);
    EXPECT_EQ(
        Only(Send(WithSession(Kind::Relay, peer.Session + 1, kGuestNonce), kGuest, kStart), kGuest)
            .Why,
        Reason::Expired);
    const MeetMessage relaying = Only(
        Send(WithSession(Kind::Relay, peer.Session, kGuestNonce), kGuest, kStart + 1000), kGuest);
    EXPECT_EQ(relaying.Type, Kind::Relaying);
    EXPECT_EQ(relaying.Nonce, kGuestNonce);
    EXPECT_EQ(relaying.Session, peer.Session);
    EXPECT_EQ(Register(kHost, kStart + 1000).Type, Kind::Relaying);

    const auto to_guest = Send(game, kHost, kStart + 1000);
    ASSERT_EQ(to_guest.size(), 1u);
    EXPECT_EQ(to_guest[0].To, kGuest);
    EXPECT_EQ(to_guest[0].Bytes, game);
    const auto to_host = Send("reply", kGuest, kStart + 1000);
    ASSERT_EQ(to_host.size(), 1u);
    EXPECT_EQ(to_host[0].To, kHost);
    EXPECT_EQ(to_host[0].Bytes, "reply");
    // Another port on the host's machine is a stranger too.
    EXPECT_TRUE(Send(game, kStranger, kStart + 1000).empty());
    EXPECT_TRUE(Send(game, MeetAddress{kHost.Ip, 40002}, kStart + 1000).empty());
    // Longer than any game datagram.
    EXPECT_TRUE(Send(std::string(1501, 'x'), kHost, kStart + 1000).empty());

    EXPECT_TRUE(
        Send(WithSession(Kind::Done, peer.Session, kGuestNonce), kGuest, kStart + 2000).empty());
    EXPECT_EQ(server_.Sessions(), 0u);
    EXPECT_TRUE(Send(game, kHost, kStart + 2000).empty());
    EXPECT_EQ(log_.back(), "ended " + code + ": done");
    EXPECT_EQ(log_[log_.size() - 2], "relayed " + code);
}

TEST_F(MeetServerTest, NoAnswerToAnythingButAFullSizedRequest) {
    const std::string code = Register(kHost, kStart).Code;
    // Answers and probes sent to the server, cut requests, junk: no reply, and no reply
    // exceeds its request (Send checks every answer's length).
    MeetMessage registered;
    registered.Type = Kind::Registered;
    registered.Code = code;
    MeetMessage join;
    join.Type = Kind::Join;
    join.Code = code;
    const std::string full = EncodeMeet(join);
    for (const std::string& bytes :
         {EncodeMeet(registered), EncodeMeet(WithSession(Kind::Peer, 1, 1)),
          EncodeMeet(WithSession(Kind::Probe, 1, 1)), EncodeMeet(WithSession(Kind::Relaying, 1, 1)),
          full.substr(0, 40), std::string("FROG"), std::string(kMeetRequestSize, 'F')}) {
        EXPECT_TRUE(Send(bytes, kGuest, kStart).empty());
    }
    // Another version is refused, but only when its request is as long as the refusal.
    std::string other = full;
    other[4] = 2;
    EXPECT_TRUE(Send(other.substr(0, 14), kStranger, kStart).empty());
    const MeetMessage refused = Only(Send(other, kStranger, kStart), kStranger);
    EXPECT_EQ(refused.Type, Kind::Refused);
    EXPECT_EQ(refused.Why, Reason::OtherVersion);
    EXPECT_EQ(log_.back(), "refused 192.0.2.2:7410: other version");
}

TEST_F(MeetServerTest, WrongCodesAndLateGuestsAreRefusedOnceASecond) {
    const std::string code = Register(kHost, kStart).Code;
    const MeetMessage unknown = Join("ZZZZZZZZZZ", kStranger, kStart);
    EXPECT_EQ(unknown.Type, Kind::Refused);
    EXPECT_EQ(unknown.Nonce, kGuestNonce);
    EXPECT_EQ(unknown.Why, Reason::UnknownCode);
    MeetMessage again;
    again.Type = Kind::Join;
    again.Code = "ZZZZZZZZZZ";
    EXPECT_TRUE(Send(again, kStranger, kStart + 999).empty());

    EXPECT_EQ(Join(code, kGuest, kStart).Type, Kind::Peer);
    EXPECT_EQ(Join(code, kStranger, kStart + 1000).Why, Reason::Busy);
    // The host cannot join itself, nor the guest host.
    EXPECT_EQ(Join(code, kHost, kStart + 1000).Why, Reason::Busy);
    EXPECT_EQ(Register(kGuest, kStart + 1000).Why, Reason::Busy);
    EXPECT_EQ(log_.back(), "refused 198.51.100.9:51000: already a guest");
}

TEST_F(MeetServerTest, CodesAreFairDrawsFromTheLetters) {
    // Bytes from 248 up would favour the first letters, so they are drawn again.
    next_random_ = 240;
    EXPECT_EQ(Register(kHost, kStart).Code, "STUVWXYZ23");
}

TEST_F(MeetServerTest, AHostStartedAgainGetsANewSession) {
    const std::string first = Register(kHost, kStart).Code;
    const MeetMessage second = Register(kHost, kStart + 1000, kHostNonce + 1);
    EXPECT_EQ(second.Type, Kind::Registered);
    EXPECT_NE(second.Code, first);
    EXPECT_EQ(server_.Sessions(), 1u);
    EXPECT_EQ(log_[1], "ended " + first + ": host started again");
    EXPECT_EQ(Join(first, kGuest, kStart + 1000).Why, Reason::UnknownCode);
}

TEST_F(MeetServerTest, FourSessionsPerAddressAndTwentyRequestsASecond) {
    for (uint16_t port = 1; port <= 4; ++port) {
        EXPECT_EQ(Register(MeetAddress{kHost.Ip, port}, kStart).Type, Kind::Registered);
    }
    EXPECT_EQ(Register(MeetAddress{kHost.Ip, 5}, kStart).Why, Reason::Busy);
    EXPECT_EQ(log_.back(), "refused 203.0.113.7:5: too many sessions from this address");

    // A burst of 40 requests, then 20 a second.
    MeetMessage repeat;
    repeat.Type = Kind::Register;
    repeat.Nonce = kHostNonce;
    int answered = 0;
    for (int i = 0; i < 60; ++i) answered += Send(repeat, MeetAddress{kHost.Ip, 1}, kStart).size();
    EXPECT_EQ(answered, 35);
    answered = 0;
    for (int i = 0; i < 60; ++i) {
        answered += Send(repeat, MeetAddress{kHost.Ip, 1}, kStart + 1000).size();
    }
    EXPECT_EQ(answered, 20);
}

TEST_F(MeetServerTest, GuessingCodesStopsAfterTenMisses) {
    const std::string code = Register(kHost, kStart).Code;
    // Only the first of a quick run of misses is answered, but each one counts.
    EXPECT_EQ(Join("2222222222", kStranger, kStart).Why, Reason::UnknownCode);
    MeetMessage guess;
    guess.Type = Kind::Join;
    guess.Code = "2222222222";
    for (int i = 1; i < 10; ++i) EXPECT_TRUE(Send(guess, kStranger, kStart).empty());
    // Out of tries, even the right code is refused, until one comes back after 6 s.
    EXPECT_EQ(Join(code, kStranger, kStart + 1000).Why, Reason::Busy);
    EXPECT_EQ(log_.back(), "refused 192.0.2.2:7410: too many failed joins");
    EXPECT_EQ(Join(code, kStranger, kStart + 6000).Type, Kind::Peer);
}

TEST_F(SmallServerTest, SessionAndSourceTablesHaveLimits) {
    for (uint32_t ip = 1; ip <= 3; ++ip) {
        EXPECT_EQ(Register(MeetAddress{ip, 1}, kStart).Type, Kind::Registered);
    }
    // A fourth address is not even answered: the table of sources is full.
    MeetMessage reg;
    reg.Type = Kind::Register;
    EXPECT_TRUE(Send(reg, MeetAddress{4, 1}, kStart).empty());
    EXPECT_EQ(Register(MeetAddress{1, 2}, kStart).Type, Kind::Registered);
    EXPECT_EQ(Register(MeetAddress{1, 3}, kStart).Type, Kind::Registered);
    EXPECT_EQ(Register(MeetAddress{2, 2}, kStart).Why, Reason::Busy);
    EXPECT_EQ(log_.back(), "refused 0.0.0.2:2: too many sessions");
}

TEST_F(MeetServerTest, CodesExpireAfterFifteenMinutes) {
    const std::string code = Register(kHost, kStart).Code;
    server_.Sweep(kStart + 15 * 60 * 1000 - 1);
    EXPECT_EQ(server_.Sessions(), 1u);
    EXPECT_EQ(Join(code, kGuest, kStart + 15 * 60 * 1000).Why, Reason::UnknownCode);
    server_.Sweep(kStart + 15 * 60 * 1000);
    EXPECT_EQ(server_.Sessions(), 0u);
    EXPECT_EQ(log_.back(), "ended " + code + ": 15 minutes passed");
    // A session whose guest joined but never started a game goes the same way.
    const std::string joined = Register(kHost, kStart + 20 * 60 * 1000).Code;
    Join(joined, kGuest, kStart + 20 * 60 * 1000);
    server_.Sweep(kStart + 35 * 60 * 1000);
    EXPECT_EQ(server_.Sessions(), 0u);
}

TEST_F(MeetServerTest, ARelayedGameLivesWhileItTalksAndEndsAfter30QuietSeconds) {
    Relayed(kStart);
    int64_t now = kStart;
    for (; now < kStart + 20 * 60 * 1000; now += 10 * 1000) {
        ASSERT_EQ(Send("keys", kHost, now).size(), 1u);
        server_.Sweep(now);
    }
    EXPECT_EQ(server_.Sessions(), 1u);
    server_.Sweep(now - 10 * 1000 + 29999);
    EXPECT_EQ(server_.Sessions(), 1u);
    server_.Sweep(now - 10 * 1000 + 30000);
    EXPECT_EQ(server_.Sessions(), 0u);
    EXPECT_EQ(log_.back(), "ended 23456789AB: no traffic for 30 s");
}

TEST_F(MeetServerTest, EachSideOfARelayHasARateLimit) {
    Relayed(kStart);
    // A burst of 50 datagrams, then 250 a second.
    int carried = 0;
    for (int i = 0; i < 60; ++i) carried += Send("k", kHost, kStart).size();
    EXPECT_EQ(carried, 50);
    carried = 0;
    for (int i = 0; i < 60; ++i) carried += Send("k", kHost, kStart + 100).size();
    EXPECT_EQ(carried, 25);
    // The other side has its own; 16 KiB at once, then 32 KiB a second.
    const std::string big(1000, 'b');
    carried = 0;
    for (int i = 0; i < 20; ++i) carried += Send(big, kGuest, kStart).size();
    EXPECT_EQ(carried, 16);
    carried = 0;
    for (int i = 0; i < 20; ++i) carried += Send(big, kGuest, kStart + 500).size();
    EXPECT_EQ(carried, 16);
}

TEST_F(SmallServerTest, ARelayStopsAtItsShareOfBytes) {
    Relayed(kStart);
    const std::string big(1000, 'b');
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Send(big, kHost, kStart + i).size(), 1u);
    EXPECT_TRUE(Send(big, kGuest, kStart + 3).empty());
    EXPECT_EQ(server_.Sessions(), 0u);
    EXPECT_EQ(log_.back(), "ended 23456789AB: relayed its share of bytes");
}
