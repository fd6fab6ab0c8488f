#include "platform/frame_pacer.h"

#include <gtest/gtest.h>

namespace {

using platform::FramePacer;
using namespace std::chrono_literals;

// Presents `count` frames `apart` from each other, starting at `now`; returns the time after.
FramePacer::Clock::time_point Swaps(FramePacer& pacer, FramePacer::Clock::time_point now,
                                    int count, std::chrono::nanoseconds apart) {
    for (int i = 0; i < count; ++i) {
        now += apart;
        pacer.AfterSwap(now);
    }
    return now;
}

// A burst of swaps that return at once (a minimised window) makes the pacer sleep; once the
// swaps wait for the display again it trusts them again, within a few seconds.
TEST(FramePacer, ChecksTheSwapAgainAfterDecidingToSleep) {
    FramePacer pacer;
    FramePacer::Clock::time_point now{};
    pacer.Start(true, now);
    EXPECT_FALSE(pacer.Sleeping());
    now = Swaps(pacer, now, 61, 1ms);
    EXPECT_TRUE(pacer.Sleeping());
    now = Swaps(pacer, now, 60 * 5, 16667us);
    EXPECT_TRUE(pacer.Sleeping());
    Swaps(pacer, now, 60 * 7, 16667us);
    EXPECT_FALSE(pacer.Sleeping());

    // A refused swap interval means sleeping for good.
    pacer.Start(false, now);
    Swaps(pacer, now, 60 * 60, 16667us);
    EXPECT_TRUE(pacer.Sleeping());
}

}  // namespace
