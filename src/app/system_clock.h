// The frame timer's time source: the system's monotonic clock.
#pragma once

#include "app/frame_timer.h"
#include "platform/clock.h"

// A nanosecond counter plus a wrapping millisecond tick.
class SystemClock : public TimerClock {
public:
    bool Frequency(int64_t& frequency) override {
        frequency = kNanosecondsPerSecond;
        return true;
    }
    int64_t Counter() override { return platform::MonotonicNanoseconds(); }
    uint32_t TickCount() override {
        return static_cast<uint32_t>(platform::MonotonicNanoseconds() / 1000000);
    }

private:
    static constexpr int64_t kNanosecondsPerSecond = 1000000000;
};
