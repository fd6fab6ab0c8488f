// The system's monotonic clock as the frame timer's time source.
#pragma once

#include "app/power_timer.h"

namespace platform {

// Nanosecond monotonic counter plus a wrapping millisecond tick.
class SystemClock : public TimerClock {
public:
    bool Frequency(int64_t& frequency) override;
    int64_t Counter() override;
    uint32_t TickCount() override;
};

}  // namespace platform
