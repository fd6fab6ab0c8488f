#include "network/net_messages.h"

#include <gtest/gtest.h>

namespace {

bool Decode(const std::string& bytes, NetMessage& message) {
    return DecodeMessage(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), message);
}

}  // namespace

TEST(NetMessages, EachKindReadsBackAsWritten) {
    NetMessage m;
    ASSERT_TRUE(Decode(EncodeHello(2, "1.0.0", "i386, 32-bit"), m));
    EXPECT_EQ(m.Type, NetMessage::Kind::Hello);
    EXPECT_EQ(m.Format, 2);
    EXPECT_EQ(m.Version, "1.0.0");
    EXPECT_EQ(m.Machine, "i386, 32-bit");

    ASSERT_TRUE(Decode(EncodeStart("a game"), m));
    EXPECT_EQ(m.Game, "a game");

    const uint8_t keys[] = {1, 0, 255};
    ASSERT_TRUE(Decode(EncodeKeys(70000, 65536, keys, 3), m));
    EXPECT_EQ(m.Received, 70000u);
    EXPECT_EQ(m.First, 65536u);
    EXPECT_EQ(m.Keys, std::vector<uint8_t>({1, 0, 255}));

    ASSERT_TRUE(Decode(EncodeHash(120, 0x0123456789ABCDEFull), m));
    EXPECT_EQ(m.Step, 120u);
    EXPECT_EQ(m.Hash, 0x0123456789ABCDEFull);

    ASSERT_TRUE(Decode(EncodeBye(1560), m));
    EXPECT_EQ(m.Type, NetMessage::Kind::Bye);
    EXPECT_EQ(m.Step, 1560u);
    ASSERT_TRUE(Decode(EncodeBusy(), m));
    EXPECT_EQ(m.Type, NetMessage::Kind::Busy);
}

TEST(NetMessages, AnythingNotExactlyOneMessageIsRefused) {
    const uint8_t keys[2] = {3, 4};
    const std::string good = EncodeKeys(5, 6, keys, 2);
    NetMessage m;
    for (size_t cut = 0; cut < good.size(); ++cut) EXPECT_FALSE(Decode(good.substr(0, cut), m));
    EXPECT_FALSE(Decode(good + "x", m));
    // A count of none, or of more keys than are there, or than a message may carry.
    EXPECT_FALSE(Decode(EncodeKeys(5, 6, keys, 0), m));
    std::string claims = good;
    claims[9] = static_cast<char>(200);
    EXPECT_FALSE(Decode(claims, m));
    // Step numbers that would wrap, a version longer than any, an unknown kind, a flood.
    EXPECT_FALSE(Decode(EncodeKeys(0, 0xFFFFFFFFu, keys, 2), m));
    EXPECT_FALSE(Decode(EncodeHash(0xFFFFFFFFu, 1), m));
    std::string hello = EncodeHello(2, "1.0.0", "");
    hello[3] = static_cast<char>(65);
    EXPECT_FALSE(Decode(hello + std::string(60, 'v'), m));
    EXPECT_FALSE(Decode(std::string(1, '\x09'), m));
    EXPECT_FALSE(Decode(EncodeStart(""), m));
    EXPECT_FALSE(Decode(EncodeBye(0xFFFFFFFFu), m));
    EXPECT_FALSE(Decode(EncodeBusy() + "x", m));
    EXPECT_FALSE(Decode(EncodeStart(std::string(kLongestMessage, 'g')), m));
}
