// Asks the home router to forward a UDP port to this machine, on a thread of its own, and
// takes the forward away again when it goes.
#pragma once

#include <cstdint>
#include <memory>
#include <thread>

#include "platform/mapping_status.h"

namespace platform {

class PortMapping {
public:
    // Starts asking at once: UPnP first, then NAT-PMP, for about three seconds in all.
    explicit PortMapping(uint16_t port);
    // Removes the forward it made and lets the thread go, waiting a few seconds at most.
    ~PortMapping();
    PortMapping(const PortMapping&) = delete;
    PortMapping& operator=(const PortMapping&) = delete;

    // Pending until the router answered or the time ran out; safe from any thread.
    MappingStatus Poll() const;

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
    std::thread worker_;
};

}  // namespace platform
