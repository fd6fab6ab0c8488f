#include "platform/frame_pacer.h"

#include <gtest/gtest.h>

namespace {

using platform::FramePacer;
using namespace std::chrono_literals;

// Presents `count` frames `apart` from each other, starting at `now`; returns the time after.
FramePacer::Clock::time_point Swaps(FramePacer& pacer, FramePacer::Clock::time_point now, int count,
                                    std::chrono::nanoseconds apart) {
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

// A display that reports no rate paces to the given one; a swap that waits at a faster rate
// than the display reports is still trusted once the player gives that rate, and one given
// too low never overrules a swap that waits.
TEST(FramePacer, AGivenRatePacesSleepsButNotASwapThatWaits) {
    FramePacer pacer;
    FramePacer::Clock::time_point now{};
    pacer.Start(false, now);
    pacer.SetRefreshRate(0);
    pacer.SetGivenRate(144);
    const FramePacer::Clock::time_point first = pacer.NextRefresh(now);
    const FramePacer::Clock::time_point second = pacer.NextRefresh(first);
    EXPECT_EQ(second - first, std::chrono::nanoseconds(6944444));
    pacer.SetGivenRate(0);
    const FramePacer::Clock::time_point third = pacer.NextRefresh(second);
    EXPECT_EQ(pacer.NextRefresh(third) - third, std::chrono::nanoseconds(16666666));

    for (const int given : {144, 60}) {
        pacer.Start(true, now);
        pacer.SetRefreshRate(given == 144 ? 60 : 144);
        pacer.SetGivenRate(given);
        now = Swaps(pacer, now, 61, 6944us);
        EXPECT_FALSE(pacer.Sleeping()) << "given " << given;
    }
    // Without the given rate, 144 swaps a second on a display that says 60 look unpaced.
    pacer.Start(true, now);
    pacer.SetGivenRate(0);
    pacer.SetRefreshRate(60);
    Swaps(pacer, now, 61, 6944us);
    EXPECT_TRUE(pacer.Sleeping());
}

}  // namespace
