#include "app/frame_timer.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

// An interval too short to measure counts as this many calls per second.
constexpr int32_t kUnmeasurableRate = std::numeric_limits<int32_t>::max();
constexpr double kMaxStepBudget = 8;

// Nearest integer with halves to even, the rounding the timer was tuned with.
int32_t RoundToInt(double value) {
    return static_cast<int32_t>(std::nearbyint(value));
}

int32_t NextMeasureInterval(int32_t measuredFPS) {
    int32_t interval = 19;
    if (measuredFPS > 20) interval = 29;
    if (measuredFPS > 44) interval = 59;
    if (measuredFPS > 65) interval = 74;
    if (measuredFPS > 100) interval = 200;
    if (measuredFPS > 250) interval = 500;
    return interval;
}

}  // namespace

FrameTimer::FrameTimer(TimerClock& clock) : clock_(clock) {
    HighResolution_ = clock_.Frequency(Frequency_);
    if (HighResolution_) {
        LastCounter_ = clock_.Counter();
    } else {
        LastTick_ = clock_.TickCount();
    }
    LastMeasureTick_ = LastTick_;
}

void FrameTimer::SetFPS(int32_t value) {
    if (value >= 1 && value <= 240) FPS_ = value;
}

void FrameTimer::SetMayRender(bool value) {
    // While deactivated, switching on is left to the next activation.
    if (!MayRender_ && ResumeRender_ && value) return;
    MayRender_ = value;
    ResumeRender_ = value;
}

void FrameTimer::Activate() {
    if (ResumeRender_) {
        MayRender_ = true;
        ResumeRender_ = false;
    }
    if (OnActivate) OnActivate();
}

void FrameTimer::Deactivate() {
    if (MayRender_) {
        MayRender_ = false;
        ResumeRender_ = true;
    }
    if (OnDeactivate) OnDeactivate();
}

void FrameTimer::MeasureFrame() {
    // The monotonic clock agrees across processors, so the read needs no processor pinning.
    if (HighResolution_) {
        const int64_t counter = clock_.Counter();
        const uint64_t delta = counter >= LastCounter_
                                   ? static_cast<uint64_t>(counter) - LastCounter_
                                   : static_cast<uint64_t>(LastCounter_) - counter;
        LastCounter_ = counter;
        Rate_ = delta > 0 ? RoundToInt(static_cast<double>(Frequency_) / delta) : kUnmeasurableRate;
    } else {
        const uint32_t tick = clock_.TickCount();
        const int64_t delta =
            std::abs(static_cast<int64_t>(static_cast<int32_t>(tick - LastTick_)));
        LastTick_ = tick;
        Rate_ = delta > 0 ? RoundToInt(1000.0 / delta) : kUnmeasurableRate;
    }
}

void FrameTimer::MeasureFPS() {
    const uint32_t tick = clock_.TickCount();
    const uint32_t elapsed = tick - LastMeasureTick_;
    LastMeasureTick_ = tick;
    MeasuredFPS_ = elapsed > 0 ? RoundToInt(FrameCount_ * 1000.0 / elapsed) : 0;
}

void FrameTimer::Idle(bool& done) {
    // Keep the loop spinning instead of waiting for a message.
    done = false;
    Stalled_ = false;
    Overloaded_ = false;
    if (!MayRender_ && !MayStep && !MayRealTime) return;

    MeasureFrame();
    ++FrameCount_;
    if (FrameCount_ > MeasureInterval_) {
        MeasureFPS();
        FrameCount_ = 0;
        MeasureInterval_ = NextMeasureInterval(MeasuredFPS_);
    }

    if (Rate_ != 0) {
        StepBudget_ += static_cast<double>(FPS_) / Rate_;
    } else {
        // Two seconds or more: the time is dropped and the game moves on by one step.
        StepBudget_ = 1;
        Stalled_ = true;
    }
    if (StepBudget_ > kMaxStepBudget) {
        StepBudget_ = kMaxStepBudget;
        Overloaded_ = true;
    }

    // The steps come first and the frame shows their result, so a key that this call's
    // steps read is on screen when this call's frame is presented. Drawing changes nothing
    // the steps use, so the order does not change the game.
    const double steps = std::trunc(StepBudget_);
    if (MayStep && OnStep) {
        for (int i = 0; i < static_cast<int>(steps); ++i) OnStep();
    }
    StepBudget_ -= steps;
    if (MayRender_ && OnRender) OnRender();
    if (MayRealTime && Rate_ != 0 && OnRealTime) OnRealTime(static_cast<double>(FPS_) / Rate_);

    if (OnIdle) OnIdle();
}
