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
#include "gl_scene.h"
#include "heavy_world.h"
#include "menu/menu.h"
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

// Each object's drawn place in the last frame, and the moves seen since: on screen, and as
// a share of the latest step's own move (which takes out the flight's own changes of speed).
struct Tracks {
    std::map<const void*, PosePoint> last;
    std::vector<double> moves, shares;

    void Add(const void* id, PosePoint drawn, PosePoint before, PosePoint now, bool steady) {
        const auto it = last.find(id);
        const double step = std::hypot(now.X - before.X, now.Y - before.Y);
        if (it != last.end() && steady && step > 0.2) {
            const double move = std::hypot(drawn.X - it->second.X, drawn.Y - it->second.Y);
            moves.push_back(move);
            shares.push_back(move / step);
        }
        last[id] = drawn;
    }
};

template <class Pose, class T>
void Track(const ObjectList<T>& list, const std::vector<Pose>& before, double fraction,
           Tracks& tracks, bool (*steady)(const T&)) {
    for (const auto& object : list) {
        size_t cursor = 0, drawnCursor = 0;
        const Pose now = PoseOf(*object);
        const Pose* was = FindBefore(before, now.Id, cursor);
        const Pose drawn = DrawnPose(*object, before, drawnCursor, fraction);
        tracks.Add(now.Id, {drawn.X, drawn.Y},
                   was ? PosePoint{was->X, was->Y} : PosePoint{now.X, now.Y}, {now.X, now.Y},
                   was && steady(*object));
    }
}

bool FrogInFlight(const Frog& frog) {
    return frog.State == FrogState::Airborne;
}

bool FlyInFlight(const Fly&) {
    return true;
}

void SmoothFrames(benchmark::State& state) {
    const int hz = static_cast<int>(state.range(0));
    const bool smooth = state.range(1) != 0;
    HeavyWorld world;
    Application& app = world.App();
    app.Menu = std::make_unique<Menu>();
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
    timer.OnStep = [&] {
        world.KeepHeavy();
        CapturePoses(app, blend.Before);
        WorldStep();
    };
    timer.OnRender = [&] {
        blend.Fraction =
            BlendFraction(smooth, timer.FPS(), timer.MeasuredFPS(), timer.StepBudget());
        if (tracking) {
            Track(app.Frogs, blend.Before.Frogs, blend.Fraction, frogs, FrogInFlight);
            Track(app.Flies, blend.Before.Flies, blend.Fraction, flies, FlyInFlight);
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
    state.counters["frog_share_spread_pct"] = 100 * Spread(frogs.shares);
    state.counters["fly_spread_pct"] = 100 * Spread(flies.moves);
    state.counters["fly_share_spread_pct"] = 100 * Spread(flies.shares);
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
