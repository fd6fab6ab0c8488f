#include "platform/clock.h"

#include <time.h>

namespace platform {
namespace {

constexpr int64_t kNanosecondsPerSecond = 1000000000;

int64_t MonotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * kNanosecondsPerSecond + now.tv_nsec;
}

}  // namespace

bool SystemClock::Frequency(int64_t& frequency) {
    frequency = kNanosecondsPerSecond;
    return true;
}

int64_t SystemClock::Counter() {
    return MonotonicNanoseconds();
}

uint32_t SystemClock::TickCount() {
    return static_cast<uint32_t>(MonotonicNanoseconds() / 1000000);
}

}  // namespace platform
