#include "platform/frame_pacer.h"

#include <algorithm>

namespace platform {

void FramePacer::Start(bool swapIntervalSet, Clock::time_point now) {
    swapIntervalSet_ = swapIntervalSet;
    sleeping_ = !swapIntervalSet;
    checked_ = 0;
    decided_ = now;
}

std::chrono::nanoseconds FramePacer::Period(int hz) {
    return std::chrono::nanoseconds(1000000000 / (hz > 0 ? hz : kDefaultHz));
}

void FramePacer::SetRefreshRate(int hz) {
    displayHz_ = hz;
    period_ = Period(givenHz_ > 0 ? givenHz_ : displayHz_);
    shortest_ = std::min(period_, Period(displayHz_));
}

void FramePacer::SetGivenRate(int hz) {
    givenHz_ = hz;
    SetRefreshRate(displayHz_);
}

void FramePacer::AfterSwap(Clock::time_point now) {
    if (sleeping_ && swapIntervalSet_ && now - decided_ >= kCheckAgainAfter) {
        sleeping_ = false;
        checked_ = 0;
    }
    if (!sleeping_) Check(now);
}

FramePacer::Clock::time_point FramePacer::NextRefresh(Clock::time_point now) {
    const Clock::time_point wake = now < due_ ? due_ : now;
    due_ = wake - due_ < period_ ? due_ + period_ : wake + period_;
    return wake;
}

// A swap that really waits never gives kChecked frames in much less than kChecked refreshes,
// even of the faster of the two rates.
void FramePacer::Check(Clock::time_point now) {
    if (checked_++ == 0) {
        checkStart_ = now;
    } else if (checked_ > kChecked) {
        sleeping_ = now - checkStart_ < kChecked * shortest_ * 3 / 4;
        checked_ = 0;
        decided_ = now;
    }
}

}  // namespace platform
