// What a request to the home router to forward a port came to, and its words for people.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum class MappingState { kPending, kMapped, kFailed };
enum class MappingMethod { kUpnp, kNatPmp };

struct MappingStatus {
    MappingState state = MappingState::kPending;
    MappingMethod method = MappingMethod::kUpnp;
    uint32_t public_ip = 0;  // host byte order
    uint16_t public_port = 0;
    std::string reason;  // why it failed, in a few words
};

MappingStatus MappedStatus(MappingMethod method, uint32_t public_ip, uint16_t public_port);
MappingStatus FailedStatus(std::string reason);

// "UPnP" or "NAT-PMP".
const char* MethodName(MappingMethod method);

// "A.B.C.D:PORT".
std::string AddressText(uint32_t ip, uint16_t port);

// "public address: A.B.C.D:PORT", the line a mapped port is announced with.
std::string PublicAddressLine(const MappingStatus& status);

// A dotted IPv4 address exactly as a router should write it: four numbers up to 255,
// no leading zeros, nothing before or after.
std::optional<uint32_t> ParseIpv4(const std::string& text);

// False for addresses no one on the internet can reach: private, carrier, loopback,
// link-local, documentation, multicast and reserved ranges.
bool IsPublicIpv4(uint32_t ip);

}  // namespace platform
