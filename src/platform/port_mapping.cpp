#include "platform/port_mapping.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "platform/natpmp_mapping.h"
#include "platform/upnp_mapping.h"

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDiscoverMs = 2000;
constexpr std::chrono::milliseconds kAskFor{3000};
// A router that went quiet mid-answer may hold the thread longer; the caller hears
// "failed" by then all the same.
constexpr std::chrono::milliseconds kGiveUpAfter{3500};
constexpr int kLeaseSeconds = 7200;
constexpr std::chrono::seconds kRenewEvery{kLeaseSeconds / 2};
constexpr std::chrono::seconds kGoodbyeWait{3};

}  // namespace

// What the caller and the thread both see. The thread holds it too, so a thread that
// outlives its PortMapping still has it.
struct PortMapping::Shared {
    std::mutex mutex;
    std::condition_variable changed;
    MappingStatus status;
    Clock::time_point give_up;
    bool stopping = false;
    bool finished = false;
};

namespace {

// Publishes the result unless the caller already heard "failed" or left; true when it
// was published and the forward should stay.
bool Publish(PortMapping::Shared& shared, const MappingStatus& status) {
    std::lock_guard<std::mutex> lock(shared.mutex);
    if (shared.stopping || shared.status.state != MappingState::kPending) return false;
    shared.status = status;
    return status.state == MappingState::kMapped;
}

// Keeps the forward until the caller leaves, renewing it before each lease runs out.
template <typename Mapping>
void Hold(PortMapping::Shared& shared, Mapping& mapping) {
    std::unique_lock<std::mutex> lock(shared.mutex);
    while (!shared.changed.wait_for(lock, kRenewEvery, [&] { return shared.stopping; })) {
        lock.unlock();
        mapping.Renew();
        lock.lock();
    }
}

void Work(const std::shared_ptr<PortMapping::Shared>& shared, uint16_t port) {
    const Clock::time_point deadline = Clock::now() + kAskFor;
    UpnpMapping upnp;
    const MappingStatus by_upnp = upnp.Map(port, kDiscoverMs, kLeaseSeconds);
    if (by_upnp.state == MappingState::kMapped) {
        if (Publish(*shared, by_upnp)) Hold(*shared, upnp);
        return;
    }
    NatPmpMapping natpmp;
    const MappingStatus by_natpmp = natpmp.Map(port, kLeaseSeconds, deadline);
    if (by_natpmp.state == MappingState::kMapped) {
        if (Publish(*shared, by_natpmp)) Hold(*shared, natpmp);
        return;
    }
    Publish(*shared, FailedStatus("UPnP: " + by_upnp.reason + "; NAT-PMP: " + by_natpmp.reason));
}

}  // namespace

PortMapping::PortMapping(uint16_t port) : shared_(std::make_shared<Shared>()) {
    shared_->give_up = Clock::now() + kGiveUpAfter;
    worker_ = std::thread([shared = shared_, port] {
        Work(shared, port);
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->finished = true;
        shared->changed.notify_all();
    });
}

PortMapping::~PortMapping() {
    std::unique_lock<std::mutex> lock(shared_->mutex);
    shared_->stopping = true;
    shared_->changed.notify_all();
    const bool finished =
        shared_->changed.wait_for(lock, kGoodbyeWait, [this] { return shared_->finished; });
    lock.unlock();
    // A thread stuck on a silent router is let go; the router drops its lease in time.
    if (finished) {
        worker_.join();
    } else {
        worker_.detach();
    }
}

MappingStatus PortMapping::Poll() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    if (shared_->status.state == MappingState::kPending && Clock::now() >= shared_->give_up) {
        shared_->status = FailedStatus("router did not answer in time");
    }
    return shared_->status;
}

}  // namespace platform
