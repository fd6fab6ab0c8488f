// A UDP port forwarded by a UPnP Internet Gateway Device, through miniupnpc.
#pragma once

#include <miniupnpc/miniupnpc.h>

#include <cstdint>
#include <string>

#include "platform/mapping_status.h"

namespace platform {

class UpnpMapping {
public:
    UpnpMapping() = default;
    ~UpnpMapping();
    UpnpMapping(const UpnpMapping&) = delete;
    UpnpMapping& operator=(const UpnpMapping&) = delete;

    // Looks for a router for up to discover_ms, then asks it to forward the same port
    // outside to `port` on this machine for lease_seconds.
    MappingStatus Map(uint16_t port, int discover_ms, int lease_seconds);
    // Asks again before the lease runs out; false when the router said no.
    bool Renew();
    // Takes the forward away again, if there is one.
    void Remove();

private:
    bool AddPortMapping();

    UPNPUrls urls_{};
    IGDdatas data_{};
    bool have_router_ = false;
    bool mapped_ = false;
    std::string port_;
    std::string lease_;
    char lan_address_[64] = {};
};

}  // namespace platform
