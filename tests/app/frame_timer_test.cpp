#include "app/frame_timer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr int64_t kSecond = 1000000000;

// A clock the test moves by hand: nanosecond counter and millisecond tick.
class FakeClock : public TimerClock {
public:
    bool Frequency(int64_t& frequency) override {
        frequency = kSecond;
        return highResolution;
    }
    int64_t Counter() override { return counter; }
    uint32_t TickCount() override { return tick; }

    // Moves both readings by the same span, the tick by whole milliseconds.
    void Advance(int64_t nanoseconds) {
        counter += nanoseconds;
        elapsedNs_ += nanoseconds;
        tick = startTick_ + static_cast<uint32_t>(elapsedNs_ / 1000000);
    }

    bool highResolution = true;
    int64_t counter = 5 * kSecond;
    uint32_t tick = 0;

private:
    int64_t elapsedNs_ = 0;
    uint32_t startTick_ = 0;
};

struct TimerTest : ::testing::Test {
    TimerTest() : timer(clock) {
        timer.OnStep = [this] { ++steps; };
        timer.OnRender = [this] { ++frames; };
    }

    // One idle call after the given span; the number of steps it ran.
    int Idle(int64_t nanoseconds) {
        clock.Advance(nanoseconds);
        steps = 0;
        bool done = true;
        timer.Idle(done);
        EXPECT_FALSE(done);
        return steps;
    }

    FakeClock clock;
    FrameTimer timer;
    int steps = 0;
    int frames = 0;
};

TEST_F(TimerTest, StartsWithEverythingOffAtSixtySteps) {
    EXPECT_EQ(timer.FPS(), 60);
    EXPECT_FALSE(timer.MayRender());
    EXPECT_FALSE(timer.MayStep);
    EXPECT_FALSE(timer.MayRealTime);
    EXPECT_EQ(timer.MeasureInterval(), 30);
    EXPECT_EQ(timer.Rate(), 0);
    EXPECT_EQ(timer.StepBudget(), 0);
}

TEST_F(TimerTest, FpsAcceptsOnlyOneTo240) {
    timer.SetFPS(0);
    EXPECT_EQ(timer.FPS(), 60);
    timer.SetFPS(241);
    EXPECT_EQ(timer.FPS(), 60);
    timer.SetFPS(-5);
    EXPECT_EQ(timer.FPS(), 60);
    timer.SetFPS(240);
    EXPECT_EQ(timer.FPS(), 240);
    timer.SetFPS(1);
    EXPECT_EQ(timer.FPS(), 1);
}

TEST_F(TimerTest, SixtyCallsASecondRunOneStepEach) {
    timer.MayStep = true;
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(Idle(16666667), 1) << "call " << i;
        EXPECT_EQ(timer.Rate(), 60);
    }
}

TEST_F(TimerTest, ThirtyCallsASecondRunTwoStepsEach) {
    timer.MayStep = true;
    for (int i = 0; i < 100; ++i) ASSERT_EQ(Idle(33333333), 2) << "call " << i;
}

TEST_F(TimerTest, HundredTwentyCallsASecondRunOneStepEveryOtherCall) {
    timer.MayStep = true;
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(Idle(8333333), 0) << "call " << 2 * i;
        ASSERT_EQ(Idle(8333333), 1) << "call " << 2 * i + 1;
    }
}

TEST_F(TimerTest, AnIntervalOfOneAndAHalfSecondsIsCappedToEightSteps) {
    timer.MayStep = true;
    Idle(kSecond / 60);
    EXPECT_EQ(Idle(3 * kSecond / 2), 8);
    EXPECT_EQ(timer.Rate(), 1);
    EXPECT_TRUE(timer.Overloaded());
    EXPECT_FALSE(timer.Stalled());
    EXPECT_EQ(timer.StepBudget(), 0);
    EXPECT_EQ(Idle(kSecond / 60), 1);
    EXPECT_FALSE(timer.Overloaded());
}

TEST_F(TimerTest, AnIntervalOfThreeSecondsRunsExactlyOneStep) {
    timer.MayStep = true;
    Idle(kSecond / 120);  // leaves half a step owed, which the stall drops
    EXPECT_EQ(Idle(3 * kSecond), 1);
    EXPECT_EQ(timer.Rate(), 0);
    EXPECT_TRUE(timer.Stalled());
    EXPECT_FALSE(timer.Overloaded());
    EXPECT_EQ(Idle(kSecond / 60), 1);
    EXPECT_FALSE(timer.Stalled());
}

TEST_F(TimerTest, RateRoundsHalvesToEven) {
    timer.MayStep = true;
    Idle(2 * kSecond);  // 0.5 calls a second
    EXPECT_EQ(timer.Rate(), 0);
    EXPECT_TRUE(timer.Stalled());
    Idle(400000000);  // 2.5 calls a second
    EXPECT_EQ(timer.Rate(), 2);
    Idle(kSecond * 2 / 7);  // 3.5 calls a second
    EXPECT_EQ(timer.Rate(), 4);
}

TEST_F(TimerTest, TwoCallsAtTheSameCounterAddAlmostNothing) {
    timer.MayStep = true;
    Idle(kSecond / 120);
    EXPECT_EQ(timer.StepBudget(), 0.5);
    EXPECT_EQ(Idle(0), 0);
    EXPECT_EQ(timer.Rate(), 2147483647);
    EXPECT_DOUBLE_EQ(timer.StepBudget(), 0.5 + 60.0 / 2147483647);
}

TEST_F(TimerTest, CounterGoingBackwardsCountsItsDistance) {
    timer.MayStep = true;
    Idle(0);
    clock.counter -= kSecond / 30;
    bool done = true;
    steps = 0;
    timer.Idle(done);
    EXPECT_EQ(timer.Rate(), 30);
    EXPECT_EQ(steps, 2);
}

TEST_F(TimerTest, NothingEnabledReadsNoClockAndRaisesNothing) {
    int idles = 0;
    timer.OnIdle = [&] { ++idles; };
    EXPECT_EQ(Idle(kSecond / 60), 0);
    EXPECT_EQ(frames, 0);
    EXPECT_EQ(idles, 0);
    EXPECT_EQ(timer.FrameCount(), 0);
    // The first enabled call measures everything since construction.
    Idle(kSecond);
    timer.MayStep = true;
    EXPECT_EQ(Idle(kSecond / 60), 8);
    EXPECT_EQ(timer.Rate(), 1);
    EXPECT_TRUE(timer.Overloaded());
    EXPECT_EQ(idles, 1);
}

TEST_F(TimerTest, OnlyProcessingRunsStepsWithoutFrames) {
    timer.MayStep = true;
    int total = 0;
    for (int i = 0; i < 60; ++i) total += Idle(8333333);
    EXPECT_EQ(total, 30);
    EXPECT_EQ(frames, 0);
}

TEST_F(TimerTest, OnlyRenderingDrawsOneFrameAndDropsTheWholeSteps) {
    timer.SetMayRender(true);
    EXPECT_EQ(Idle(kSecond / 30), 0);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(timer.StepBudget(), 0);
    Idle(kSecond / 120);
    EXPECT_EQ(frames, 2);
    EXPECT_EQ(timer.StepBudget(), 0.5);
}

TEST_F(TimerTest, StepsComeBeforeTheFrameThenRealTimeThenIdle) {
    std::vector<std::string> events;
    timer.OnRender = [&] { events.push_back("render"); };
    timer.OnStep = [&] { events.push_back("process"); };
    timer.OnRealTime = [&](double fraction) {
        events.push_back("realtime " + std::to_string(static_cast<int>(fraction)));
    };
    timer.OnIdle = [&] { events.push_back("idle"); };
    timer.MayStep = true;
    timer.MayRealTime = true;
    timer.SetMayRender(true);
    Idle(kSecond / 30);
    EXPECT_EQ(events,
              (std::vector<std::string>{"process", "process", "render", "realtime 2", "idle"}));
}

TEST_F(TimerTest, RealTimeIsSkippedWhenTheRateIsZero) {
    int realTimes = 0;
    timer.OnRealTime = [&](double) { ++realTimes; };
    timer.MayRealTime = true;
    Idle(3 * kSecond);
    EXPECT_EQ(realTimes, 0);
    Idle(kSecond / 60);
    EXPECT_EQ(realTimes, 1);
}

TEST_F(TimerTest, DeactivationPausesRenderingAndActivationResumesIt) {
    int activations = 0;
    int deactivations = 0;
    timer.OnActivate = [&] { ++activations; };
    timer.OnDeactivate = [&] { ++deactivations; };
    timer.MayStep = true;
    timer.SetMayRender(true);
    timer.Deactivate();
    EXPECT_FALSE(timer.MayRender());
    EXPECT_EQ(Idle(kSecond / 60), 1);  // steps go on while inactive
    EXPECT_EQ(frames, 0);
    timer.Activate();
    EXPECT_TRUE(timer.MayRender());
    Idle(kSecond / 60);
    EXPECT_EQ(frames, 1);
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(deactivations, 1);
}

TEST_F(TimerTest, SwitchingRenderingOnWhileInactiveWaitsForActivation) {
    timer.SetMayRender(true);
    timer.Deactivate();
    timer.SetMayRender(true);
    EXPECT_FALSE(timer.MayRender());
    timer.Activate();
    EXPECT_TRUE(timer.MayRender());
}

TEST_F(TimerTest, SwitchingRenderingOffWhileInactiveSurvivesActivation) {
    timer.SetMayRender(true);
    timer.Deactivate();
    timer.SetMayRender(false);
    timer.Activate();
    EXPECT_FALSE(timer.MayRender());
}

TEST_F(TimerTest, ActivationWithoutRenderingLeavesItOff) {
    timer.Deactivate();
    timer.Activate();
    EXPECT_FALSE(timer.MayRender());
}

TEST_F(TimerTest, FirstMeasurementComesAfterThirtyOneCalls) {
    timer.MayStep = true;
    for (int i = 0; i < 30; ++i) Idle(kSecond / 60);
    EXPECT_EQ(timer.MeasuredFPS(), 0);
    EXPECT_EQ(timer.FrameCount(), 30);
    Idle(kSecond / 60);  // 31 calls in 516 ms
    EXPECT_EQ(timer.MeasuredFPS(), 60);
    EXPECT_EQ(timer.FrameCount(), 0);
    EXPECT_EQ(timer.MeasureInterval(), 59);
    // The next one waits for 60 more calls.
    for (int i = 0; i < 59; ++i) Idle(kSecond / 30);
    EXPECT_EQ(timer.MeasuredFPS(), 60);
    Idle(kSecond / 30);
    EXPECT_EQ(timer.MeasuredFPS(), 30);
    EXPECT_EQ(timer.MeasureInterval(), 29);
}

TEST_F(TimerTest, MeasureIntervalFollowsTheMeasuredRate) {
    struct Case {
        uint32_t elapsedMs;
        int32_t measured;
        int32_t interval;
    };
    // 31 calls in the given time; the last matching row of the table wins.
    const Case cases[] = {{0, 0, 19},      {3100, 10, 19},  {1550, 20, 19}, {1476, 21, 29},
                          {1033, 30, 29},  {705, 44, 29},   {689, 45, 59},  {517, 60, 59},
                          {477, 65, 59},   {470, 66, 74},   {310, 100, 74}, {307, 101, 200},
                          {124, 250, 200}, {123, 252, 500}, {103, 301, 500}};
    for (const Case& c : cases) {
        FakeClock fake;
        FrameTimer measured(fake);
        measured.MayStep = true;
        bool done = false;
        for (int i = 0; i < 31; ++i) {
            fake.counter += kSecond / 60;
            if (i == 30) fake.tick = c.elapsedMs;
            measured.Idle(done);
        }
        EXPECT_EQ(measured.MeasuredFPS(), c.measured) << c.elapsedMs << " ms";
        EXPECT_EQ(measured.MeasureInterval(), c.interval) << c.elapsedMs << " ms";
    }
}

TEST_F(TimerTest, FastMachinesMeasureRarely) {
    timer.MayStep = true;
    for (int i = 0; i < 31; ++i) Idle(kSecond / 300);
    EXPECT_EQ(timer.MeasuredFPS(), 301);  // 31 calls in 103 whole milliseconds
    EXPECT_EQ(timer.MeasureInterval(), 500);
}

TEST(FrameTimer, WithTheCounterTheFirstMeasurementCountsFromTickZero) {
    // Only the tick path starts its measurement at construction, so a machine that has been
    // up for a while first measures nearly nothing.
    FakeClock clock;
    clock.tick = 100000;
    FrameTimer timer(clock);
    timer.MayStep = true;
    bool done = false;
    for (int i = 0; i < 31; ++i) {
        clock.counter += kSecond / 60;
        timer.Idle(done);
    }
    EXPECT_EQ(timer.MeasuredFPS(), 0);
    EXPECT_EQ(timer.MeasureInterval(), 19);
}

// Without the high-resolution counter the millisecond tick times the calls.
struct TickTimerTest : ::testing::Test {
    TickTimerTest() {
        clock.highResolution = false;
        clock.tick = 1000;
        clock.counter = 0;
    }

    int Idle(uint32_t milliseconds, FrameTimer& timer) {
        clock.tick += milliseconds;
        clock.counter += 123456789;  // must not matter
        steps = 0;
        bool done = true;
        timer.Idle(done);
        return steps;
    }

    FakeClock clock;
    int steps = 0;
};

TEST_F(TickTimerTest, StepsFollowTheMillisecondTick) {
    FrameTimer timer(clock);
    timer.MayStep = true;
    timer.OnStep = [this] { ++steps; };
    EXPECT_EQ(Idle(25, timer), 1);  // 40 calls a second: 1.5 steps each
    EXPECT_EQ(timer.Rate(), 40);
    EXPECT_EQ(Idle(25, timer), 2);
    EXPECT_EQ(Idle(16, timer), 0);
    EXPECT_EQ(timer.Rate(), 62);  // 62.5 rounds to even
    EXPECT_EQ(Idle(1500, timer), 8);
    EXPECT_TRUE(timer.Overloaded());
    EXPECT_EQ(Idle(2000, timer), 1);
    EXPECT_TRUE(timer.Stalled());
    EXPECT_EQ(Idle(0, timer), 0);
    EXPECT_EQ(timer.Rate(), 2147483647);
}

TEST_F(TickTimerTest, TickWrapsAround) {
    clock.tick = 0xFFFFFFF0u;
    FrameTimer timer(clock);
    timer.MayStep = true;
    Idle(32, timer);
    EXPECT_EQ(clock.tick, 0x10u);
    EXPECT_EQ(timer.Rate(), 31);
}

TEST_F(TickTimerTest, MeasuresFromTheTickAtConstruction) {
    FrameTimer timer(clock);
    timer.MayStep = true;
    for (int i = 0; i < 31; ++i) Idle(25, timer);
    EXPECT_EQ(timer.MeasuredFPS(), 40);
    EXPECT_EQ(timer.MeasureInterval(), 29);
}

}  // namespace
