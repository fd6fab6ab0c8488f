#include "network/meet_messages.h"

#include <gtest/gtest.h>

namespace {

using Kind = MeetMessage::Kind;

bool Decode(const std::string& bytes, MeetMessage& message) {
    return DecodeMeet(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), message);
}

MeetMessage Make(Kind kind) {
    MeetMessage m;
    m.Type = kind;
    m.Nonce = 0x1122334455667788ull;
    return m;
}

const MeetAddress kHome{0xC0A80105, 7410};     // 192.168.1.5
const MeetAddress kPublic{0xCB007107, 40001};  // 203.0.113.7

}  // namespace

TEST(MeetMessages, NoAnswerIsLongerThanARequest) {
    MeetMessage peer = Make(Kind::Peer);
    peer.Candidates.assign(kMostCandidates, kPublic);
    MeetMessage registered = Make(Kind::Registered);
    registered.Code = std::string(kCodeLength, 'Z');
    for (const MeetMessage& m : {peer, registered, Make(Kind::Relaying), Make(Kind::Refused)}) {
        EXPECT_FALSE(IsMeetRequest(m.Type));
        EXPECT_LE(EncodeMeet(m).size(), kMeetRequestSize);
    }
}

TEST(MeetMessages, AnythingButOneWellFormedMessageIsRefused) {
    MeetMessage m;
    MeetMessage relaying = Make(Kind::Relaying);
    const std::string answer = EncodeMeet(relaying);
    for (size_t cut = 0; cut < answer.size(); ++cut) EXPECT_FALSE(Decode(answer.substr(0, cut), m));
    EXPECT_FALSE(Decode(answer + '\0', m));

    // A request must come padded, with zeros only.
    MeetMessage join = Make(Kind::Join);
    join.Code = "ABCDEFGHJK";
    std::string request = EncodeMeet(join);
    EXPECT_FALSE(Decode(request.substr(0, kMeetRequestSize - 1), m));
    EXPECT_FALSE(Decode(request + '\0', m));
    request.back() = 'x';
    EXPECT_FALSE(Decode(request, m));

    // An over-long code, too many candidates, an unknown kind, an unknown reason, a probe's
    // answer flag other than 0 or 1, and anything without the magic.
    std::string long_code = EncodeMeet(join);
    long_code[14] = static_cast<char>(kCodeLength + 1);
    EXPECT_FALSE(Decode(long_code, m));
    std::string many = EncodeMeet(Make(Kind::Register));
    many[14] = static_cast<char>(kMostCandidates + 1);
    EXPECT_FALSE(Decode(many, m));
    std::string unknown = EncodeMeet(Make(Kind::Relaying));
    unknown[5] = 10;
    EXPECT_FALSE(Decode(unknown, m));
    unknown[5] = 0;
    EXPECT_FALSE(Decode(unknown, m));
    std::string reason = EncodeMeet(Make(Kind::Refused));
    reason.back() = 5;
    EXPECT_FALSE(Decode(reason, m));
    std::string flag = EncodeMeet(Make(Kind::Probe));
    flag.back() = 2;
    EXPECT_FALSE(Decode(flag, m));
    std::string magic = answer;
    magic[0] = 'f';
    EXPECT_FALSE(Decode(magic, m));
    EXPECT_FALSE(Decode(std::string(kLongestMeetMessage + 1, 'F'), m));
}

TEST(MeetMessages, AnotherVersionReadsAsFarAsItsKind) {
    std::string bytes = EncodeMeet(Make(Kind::Join));
    bytes[4] = 2;
    bytes.resize(40, '\x7F');
    MeetMessage m;
    ASSERT_TRUE(Decode(bytes, m));
    EXPECT_EQ(m.Protocol, 2);
    EXPECT_EQ(m.Type, Kind::Join);
    EXPECT_EQ(m.Nonce, 0u);
    EXPECT_FALSE(Decode(bytes.substr(0, 5), m));
}

TEST(MeetMessages, OnlyOurMagicMarksOurDatagrams) {
    const uint8_t ours[] = {'F', 'R', 'O', 'G'};
    const uint8_t game[] = {0x0F, 0xFF, 0x12, 0x34, 0x56};
    EXPECT_TRUE(IsMeetDatagram(ours, 4));
    EXPECT_FALSE(IsMeetDatagram(ours, 3));
    EXPECT_FALSE(IsMeetDatagram(game, 5));
    EXPECT_EQ(ToString(kHome), "192.168.1.5:7410");
    EXPECT_EQ(ToString(MeetAddress{0xFFFFFFFF, 65535}), "255.255.255.255:65535");
}

TEST(MeetMessages, TheEncoderKeepsWithinBounds) {
    MeetMessage join = Make(Kind::Join);
    join.Code = std::string(kCodeLength + 5, 'A');
    join.Candidates.assign(kMostCandidates + 3, kHome);
    MeetMessage m;
    ASSERT_TRUE(Decode(EncodeMeet(join), m));
    EXPECT_EQ(m.Code, std::string(kCodeLength, 'A'));
    EXPECT_EQ(m.Candidates.size(), kMostCandidates);
}
