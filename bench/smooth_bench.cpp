// The busy six-frog game drawn at 60 and 144 frames a second, smoothed and not, on a clock
// that moves exactly one refresh per pass: how evenly a moving frog and a fly advance on
// screen from frame to frame, and the processor time each frame costs.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <ctime>
#include <map>
#include <vector>

#include "app/blend_fraction.h"
#include "app/frame_step.h"
#include "app/frame_timer.h"
#include "app/scene.h"
#include "game/fly.h"
#include "game/frog.h"
#include "game/world_poses.h"
#include "gfx/pose_blend.h"
#include "gfx/textures.h"
#include "gfx/view.h"
#include "gl_scene.h"
#include "heavy_world.h"
#include "state/application.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Exactly one refresh of the given rate between two reads.
class RefreshClock : public TimerClock {
public:
    explicit RefreshClock(int hz) : hz_(hz) {}
    bool Frequency(int64_t& frequency) override {
        frequency = 1000000000;
        return true;
    }
    int64_t Counter() override {
        ++reads_;
        return reads_ * 1000000000 / hz_;
    }
    uint32_t TickCount() override { return static_cast<uint32_t>(reads_ * 1000 / hz_); }

private:
    int64_t hz_;
    int64_t reads_ = 0;
};

// Spread over mean of a set of per-frame moves.
double Spread(const std::vector<double>& moves) {
    if (moves.size() < 2) return 0;
    double sum = 0, squares = 0;
    for (double m : moves) sum += m;
    const double mean = sum / moves.size();
    for (double m : moves) squares += (m - mean) * (m - mean);
    return mean > 0 ? std::sqrt(squares / moves.size()) / mean : 0;
}

// What an object did lately: where the last frame drew it, and its latest two steps.
struct Track {
    PosePoint drawn;
    PosePoint before;
    PosePoint step;
    PosePoint stepBefore;
};

// Per-frame moves on screen in steady flight (while an object's latest step moved it as its
// step before did, within a tenth), each as a share of that step's move, so that what
// varies is the drawing, not the flight or which object it is.
struct Tracks {
    std::map<const void*, Track> last;
    std::vector<double> moves;

    void Add(const void* id, PosePoint drawn, PosePoint before, PosePoint now) {
        const PosePoint step{now.X - before.X, now.Y - before.Y};
        const auto it = last.find(id);
        if (it == last.end()) {
            last[id] = {drawn, before, step, step};
            return;
        }
        Track& track = it->second;
        if (before.X != track.before.X || before.Y != track.before.Y) {
            track.stepBefore = track.step;
            track.step = step;
            track.before = before;
        }
        const double size = std::hypot(step.X, step.Y);
        const double change = std::hypot(step.X - track.stepBefore.X, step.Y - track.stepBefore.Y);
        if (size > 0.05 && change <= 0.1 * size) {
            moves.push_back(std::hypot(drawn.X - track.drawn.X, drawn.Y - track.drawn.Y) / size);
        }
        track.drawn = drawn;
    }
};

template <class Pose, class T>
void Follow(const ObjectList<T>& list, const std::vector<Pose>& before, double fraction,
            Tracks& tracks) {
    for (const auto& object : list) {
        size_t cursor = 0, drawnCursor = 0;
        const Pose now = PoseOf(*object);
        const Pose* was = FindBefore(before, now.Id, cursor);
        if (!was) continue;
        const Pose drawn = DrawnPose(*object, before, drawnCursor, fraction);
        tracks.Add(now.Id, {drawn.X, drawn.Y}, {was->X, was->Y}, {now.X, now.Y});
    }
}

void SmoothFrames(benchmark::State& state) {
    const int hz = static_cast<int>(state.range(0));
    const bool smooth = state.range(1) != 0;
    HeavyWorld world;
    // No menu: making one clears the world for the title.
    Application& app = world.App();
    GLScene scene(kWidth, kHeight);
    if (!LoadGameTextures()) {
        state.SkipWithError("textures did not load");
        return;
    }
    SetDrawingDefaults();
    RefreshClock clock(hz);
    FrameTimer timer(clock);
    StepBlend blend;
    Tracks frogs, flies;
    bool tracking = false;
    // The first frog jumps again whenever it stands, so that a frog is always on the move.
    timer.OnStep = [&] {
        world.KeepHeavy();
        Frog& jumper = *app.Frogs.front();
        if (jumper.State == FrogState::Standing) jumper.Jump(6);
        CapturePoses(app, blend.Before);
        WorldStep();
    };
    timer.OnRender = [&] {
        blend.Fraction =
            BlendFraction(smooth, timer.FPS(), timer.MeasuredFPS(), timer.StepBudget());
        if (tracking) {
            Follow(app.Frogs, blend.Before.Frogs, blend.Fraction, frogs);
            Follow(app.Flies, blend.Before.Flies, blend.Fraction, flies);
        }
        DrawFrame(kWidth, kHeight, {}, blend);
        glFinish();
    };
    timer.MayStep = true;
    timer.SetMayRender(true);
    bool done = false;
    // Long enough for the frame timer to have measured the frame rate.
    for (int i = 0; i < 2 * hz; ++i) timer.Idle(done);
    tracking = true;
    double processorSeconds = 0;
    for (auto _ : state) {
        const std::clock_t start = std::clock();
        timer.Idle(done);
        processorSeconds += static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    }
    state.counters["frog_spread_pct"] = 100 * Spread(frogs.moves);
    state.counters["frog_frames"] = static_cast<double>(frogs.moves.size());
    state.counters["fly_spread_pct"] = 100 * Spread(flies.moves);
    state.counters["fly_frames"] = static_cast<double>(flies.moves.size());
    state.counters["processor_ms_per_frame"] =
        1000 * processorSeconds / static_cast<double>(state.iterations());
}

// Frames a second, then smoothing off (0) or on (1).
BENCHMARK(SmoothFrames)
    ->Args({60, 0})
    ->Args({60, 1})
    ->Args({144, 0})
    ->Args({144, 1})
    ->Iterations(720)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
