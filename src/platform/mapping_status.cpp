#include "platform/mapping_status.h"

#include <utility>

namespace platform {

MappingStatus MappedStatus(MappingMethod method, uint32_t public_ip, uint16_t public_port) {
    MappingStatus status;
    status.state = MappingState::kMapped;
    status.method = method;
    status.public_ip = public_ip;
    status.public_port = public_port;
    return status;
}

MappingStatus FailedStatus(std::string reason) {
    MappingStatus status;
    status.state = MappingState::kFailed;
    status.reason = std::move(reason);
    return status;
}

const char* MethodName(MappingMethod method) {
    return method == MappingMethod::kUpnp ? "UPnP" : "NAT-PMP";
}

std::string AddressText(uint32_t ip, uint16_t port) {
    return std::to_string(ip >> 24) + "." + std::to_string((ip >> 16) & 255) + "." +
           std::to_string((ip >> 8) & 255) + "." + std::to_string(ip & 255) + ":" +
           std::to_string(port);
}

std::string PublicAddressLine(const MappingStatus& status) {
    return "public address: " + AddressText(status.public_ip, status.public_port);
}

std::optional<uint32_t> ParseIpv4(const std::string& text) {
    uint32_t ip = 0;
    size_t at = 0;
    for (int part = 0; part < 4; ++part) {
        if (part > 0 && (at >= text.size() || text[at++] != '.')) return std::nullopt;
        const size_t start = at;
        uint32_t value = 0;
        while (at < text.size() && at - start < 3 && text[at] >= '0' && text[at] <= '9') {
            value = value * 10 + static_cast<uint32_t>(text[at++] - '0');
        }
        const size_t digits = at - start;
        if (digits == 0 || value > 255 || (digits > 1 && text[start] == '0')) return std::nullopt;
        ip = ip << 8 | value;
    }
    if (at != text.size()) return std::nullopt;
    return ip;
}

bool IsPublicIpv4(uint32_t ip) {
    struct Range {
        uint32_t first;
        int bits;
    };
    static const Range kUnreachable[] = {
        {0x00000000, 8},   // this network
        {0x0A000000, 8},   // private
        {0x64400000, 10},  // carrier-grade NAT
        {0x7F000000, 8},   // loopback
        {0xA9FE0000, 16},  // link-local
        {0xAC100000, 12},  // private
        {0xC0000000, 24},  // protocol assignments
        {0xC0000200, 24},  // documentation
        {0xC0A80000, 16},  // private
        {0xC6120000, 15},  // benchmarking
        {0xC6336400, 24},  // documentation
        {0xCB007100, 24},  // documentation
        {0xE0000000, 3},   // multicast, reserved and broadcast
    };
    for (const Range& range : kUnreachable) {
        const uint32_t mask = ~uint32_t{0} << (32 - range.bits);
        if ((ip & mask) == range.first) return false;
    }
    return true;
}

}  // namespace platform
