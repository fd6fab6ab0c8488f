#include "platform/mapping_status.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::IsPublicIpv4;
using platform::MappingMethod;
using platform::MappingState;
using platform::ParseIpv4;

TEST(MappingStatus, AnnouncesTheAddressAFriendTypes) {
    const platform::MappingStatus mapped =
        platform::MappedStatus(MappingMethod::kNatPmp, 0x0B000002, 7410);
    EXPECT_EQ(mapped.state, MappingState::kMapped);
    EXPECT_EQ(platform::PublicAddressLine(mapped), "public address: 11.0.0.2:7410");
    EXPECT_EQ(platform::AddressText(0xFFFFFFFF, 65535), "255.255.255.255:65535");
    EXPECT_EQ(platform::AddressText(0, 0), "0.0.0.0:0");
    EXPECT_STREQ(platform::MethodName(MappingMethod::kUpnp), "UPnP");
    EXPECT_STREQ(platform::MethodName(mapped.method), "NAT-PMP");

    const platform::MappingStatus failed = platform::FailedStatus("no router found");
    EXPECT_EQ(failed.state, MappingState::kFailed);
    EXPECT_EQ(failed.reason, "no router found");
    EXPECT_EQ(platform::MappingStatus{}.state, MappingState::kPending);
}

TEST(MappingStatus, ReadsOnlyAPlainDottedAddress) {
    EXPECT_EQ(ParseIpv4("11.0.0.2"), 0x0B000002u);
    EXPECT_EQ(ParseIpv4("0.0.0.0"), 0u);
    EXPECT_EQ(ParseIpv4("255.255.255.255"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseIpv4("203.0.113.254"), 0xCB0071FEu);
    for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1.2.3.256", "01.2.3.4",
                            "1.2.3.00", " 1.2.3.4", "1.2.3.4 ", "1..2.3", "1.2.3.", ".1.2.3",
                            "1234.1.1.1", "1.2.3.4x", "a.b.c.d", "-1.2.3.4", "1.2.3.4/24", "::1"}) {
        EXPECT_FALSE(ParseIpv4(bad).has_value()) << '"' << bad << '"';
    }
    EXPECT_FALSE(ParseIpv4(std::string("1.2.3.4\0", 8)).has_value());
    EXPECT_FALSE(ParseIpv4(std::string(4000, '9')).has_value());
}

TEST(MappingStatus, KnowsWhichAddressesTheInternetCanReach) {
    for (const char* reachable :
         {"1.1.1.1", "11.0.0.2", "9.255.255.255", "100.63.255.255", "100.128.0.0", "172.15.255.255",
          "172.32.0.0", "192.167.255.255", "198.17.255.255", "198.20.0.0", "223.255.255.255"}) {
        EXPECT_TRUE(IsPublicIpv4(*ParseIpv4(reachable))) << reachable;
    }
    for (const char* unreachable :
         {"0.1.2.3",     "10.0.0.1",    "10.255.255.255",  "100.64.0.1",     "100.127.255.255",
          "127.0.0.1",   "169.254.1.1", "172.16.0.1",      "172.31.255.255", "192.0.0.1",
          "192.0.2.1",   "192.168.1.1", "198.18.0.1",      "198.19.255.255", "198.51.100.7",
          "203.0.113.9", "224.0.0.1",   "239.255.255.250", "240.0.0.1",      "255.255.255.255"}) {
        EXPECT_FALSE(IsPublicIpv4(*ParseIpv4(unreachable))) << unreachable;
    }
}

}  // namespace
