// A UDP port forwarded by a NAT-PMP (or PCP) router, through libnatpmp.
#pragma once

#include <natpmp.h>

#include <chrono>
#include <cstdint>

#include "platform/mapping_status.h"

namespace platform {

class NatPmpMapping {
public:
    using Clock = std::chrono::steady_clock;

    NatPmpMapping() = default;
    ~NatPmpMapping();
    NatPmpMapping(const NatPmpMapping&) = delete;
    NatPmpMapping& operator=(const NatPmpMapping&) = delete;

    // Asks the default gateway for its public address and a forward of `port` for
    // lease_seconds, giving up at `deadline`.
    MappingStatus Map(uint16_t port, int lease_seconds, Clock::time_point deadline);
    // Asks again before the lease runs out; false when the router did not say yes.
    bool Renew();
    // Takes the forward away again (a request with no lifetime), if there is one.
    void Remove();

private:
    // Sends a mapping request for lease_seconds and waits for the router's yes.
    bool RequestMapping(int lease_seconds, Clock::time_point deadline);
    // Waits for the answer to the request just sent; a NATPMP_ code, 0 when it came.
    int Answer(int type, Clock::time_point deadline, natpmpresp_t* response);

    natpmp_t natpmp_{};
    bool open_ = false;
    bool mapped_ = false;
    uint16_t private_port_ = 0;
    uint16_t public_port_ = 0;
    int lease_seconds_ = 0;
};

}  // namespace platform
