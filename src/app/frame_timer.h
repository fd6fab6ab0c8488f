// The frame timer: one frame and a fixed-rate batch of simulation steps per idle call.
#pragma once

#include <cstdint>
#include <functional>

// Where the frame timer reads the time; tests replay time exactly through a fake one.
class TimerClock {
public:
    virtual ~TimerClock() = default;
    // Ticks per second of Counter; false when there is no high-resolution counter.
    virtual bool Frequency(int64_t& frequency) = 0;
    virtual int64_t Counter() = 0;
    // Milliseconds, wrapping at 2^32.
    virtual uint32_t TickCount() = 0;
};

// Turns the message loop's idle calls into frames and simulation steps at FPS steps per second.
class FrameTimer {
public:
    explicit FrameTimer(TimerClock& clock);
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    int32_t FPS() const { return FPS_; }
    void SetFPS(int32_t value);
    bool MayRender() const { return MayRender_; }
    void SetMayRender(bool value);
    bool MayStep = false;
    bool MayRealTime = false;

    std::function<void()> OnRender;
    std::function<void()> OnStep;
    std::function<void(double fraction)> OnRealTime;
    std::function<void()> OnIdle;
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;

    // Called by the message loop whenever it has nothing to handle; done is always cleared.
    void Idle(bool& done);
    void Activate();
    void Deactivate();

    bool Overloaded() const { return Overloaded_; }
    bool Stalled() const { return Stalled_; }
    int32_t Rate() const { return Rate_; }
    int32_t FrameCount() const { return FrameCount_; }
    int32_t MeasureInterval() const { return MeasureInterval_; }
    double StepBudget() const { return StepBudget_; }
    int32_t MeasuredFPS() const { return MeasuredFPS_; }

private:
    void MeasureFrame();
    void MeasureFPS();

    TimerClock& clock_;
    int32_t FPS_ = 60;
    bool MayRender_ = false;
    bool ResumeRender_ = false;
    bool Overloaded_ = false;
    bool Stalled_ = false;
    bool HighResolution_ = false;
    int64_t Frequency_ = 0;
    int64_t LastCounter_ = 0;
    uint32_t LastTick_ = 0;
    uint32_t LastMeasureTick_ = 0;
    int32_t Rate_ = 0;
    int32_t FrameCount_ = 0;
    int32_t MeasureInterval_ = 30;
    double StepBudget_ = 0;
    int32_t MeasuredFPS_ = 0;
};
