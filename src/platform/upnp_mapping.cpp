#include "platform/upnp_mapping.h"

#include <miniupnpc/upnpcommands.h>

namespace platform {

namespace {

const char kDescription[] = "Pondlark Remake";
const char* const kRouterKinds[] = {"urn:schemas-upnp-org:device:InternetGatewayDevice:1",
                                    "urn:schemas-upnp-org:service:WANIPConnection:1",
                                    "urn:schemas-upnp-org:service:WANPPPConnection:1", nullptr};

}  // namespace

UpnpMapping::~UpnpMapping() {
    Remove();
    if (have_router_) FreeUPNPUrls(&urls_);
}

MappingStatus UpnpMapping::Map(uint16_t port, int discover_ms, int lease_seconds) {
    // Asking for every kind at once waits discover_ms in all; upnpDiscover would wait that
    // long for each kind in turn when no router answers.
    int error = 0;
    UPNPDev* devices = upnpDiscoverDevices(kRouterKinds, discover_ms, nullptr, nullptr,
                                           UPNP_LOCAL_PORT_ANY, 0, 2, &error, 1);
    if (devices == nullptr) return FailedStatus("no router found");
    const int found = UPNP_GetValidIGD(devices, &urls_, &data_, lan_address_,
                                       static_cast<int>(sizeof lan_address_));
    freeUPNPDevlist(devices);
    if (found == 0) return FailedStatus("no router found");
    have_router_ = true;
    if (found != 1) return FailedStatus("router not connected");

    // The router's words are checked like any other datagram's: it may be broken.
    char external[40] = {};
    if (UPNP_GetExternalIPAddress(urls_.controlURL, data_.first.servicetype, external) !=
        UPNPCOMMAND_SUCCESS) {
        return FailedStatus("router has no public address");
    }
    const std::optional<uint32_t> public_ip = ParseIpv4(external);
    if (!public_ip) return FailedStatus("router gave a bad address");
    if (!IsPublicIpv4(*public_ip)) return FailedStatus("router is behind another NAT");

    port_ = std::to_string(port);
    lease_ = std::to_string(lease_seconds);
    if (!AddPortMapping()) return FailedStatus("router refused the port");
    mapped_ = true;
    return MappedStatus(MappingMethod::kUpnp, *public_ip, port);
}

bool UpnpMapping::Renew() {
    return mapped_ && AddPortMapping();
}

void UpnpMapping::Remove() {
    if (!mapped_) return;
    UPNP_DeletePortMapping(urls_.controlURL, data_.first.servicetype, port_.c_str(), "UDP",
                           nullptr);
    mapped_ = false;
}

bool UpnpMapping::AddPortMapping() {
    return UPNP_AddPortMapping(urls_.controlURL, data_.first.servicetype, port_.c_str(),
                               port_.c_str(), lan_address_, kDescription, "UDP", nullptr,
                               lease_.c_str()) == UPNPCOMMAND_SUCCESS;
}

}  // namespace platform
