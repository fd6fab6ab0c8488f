// The system's monotonic clock.
#pragma once

#include <cstdint>

namespace platform {

// Nanoseconds on a clock that never jumps; the same on every processor.
int64_t MonotonicNanoseconds();

}  // namespace platform
