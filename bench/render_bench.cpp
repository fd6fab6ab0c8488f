// One rendered frame of a busy game on Mesa's software renderer, with glFinish so that the
// driver's work is counted, and how many times the frame allocates from the heap, told
// apart into our allocations and the driver's.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "../tests/render/heap_count.h"
#include "app/frame_step.h"
#include "app/scene.h"
#include "game/game.h"
#include "gfx/textures.h"
#include "gfx/view.h"
#include "gl_scene.h"
#include "heavy_world.h"
#include "menu/menu.h"
#include "state/application.h"

namespace {

using Clock = std::chrono::steady_clock;

enum Scene { kBusyGame, kTitle, kInGameMenu };

// The world moves one step between frames, as in the game, outside the timing.
void RenderFrames(benchmark::State& state, Scene shown, int width, int height) {
    HeavyWorld world;
    Application& app = world.App();
    app.Menu = std::make_unique<Menu>();
    if (shown == kTitle) {
        app.Game.reset();
        app.Menu->Reset(false);
    } else if (shown == kInGameMenu) {
        app.Menu->OpenInGameMenu();
    }
    GLScene scene(width, height);
    if (!LoadGameTextures()) {
        state.SkipWithError("textures did not load");
        return;
    }
    SetDrawingDefaults();
    for (int i = 0; i < 20; ++i) {
        DrawFrame(width, height);
        glFinish();
    }
    long ours = 0;
    long drivers = 0;
    double processorSeconds = 0;
    std::vector<double> frames;
    frames.reserve(static_cast<size_t>(state.max_iterations));
    for (auto _ : state) {
        state.PauseTiming();
        if (shown == kBusyGame) {
            world.KeepHeavy();
            WorldStep();
        } else {
            app.Menu->MenuStep();
        }
        state.ResumeTiming();
        StartHeapCount();
        const std::clock_t processorStart = std::clock();
        const Clock::time_point start = Clock::now();
        DrawFrame(width, height);
        glFinish();
        frames.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        processorSeconds += static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
        const HeapCount count = StopHeapCount();
        ours += count.Ours;
        drivers += count.Drivers;
    }
    std::nth_element(frames.begin(), frames.begin() + frames.size() / 2, frames.end());
    state.counters["frame_median_ms"] = frames[frames.size() / 2];
    // All threads: the driver draws on worker threads of its own.
    state.counters["processor_ms_per_frame"] =
        1000 * processorSeconds / static_cast<double>(state.iterations());
    const double frameCount = static_cast<double>(state.iterations());
    state.counters["our_allocations_per_frame"] = static_cast<double>(ours) / frameCount;
    state.counters["driver_allocations_per_frame"] = static_cast<double>(drivers) / frameCount;
}

void BM_RenderFrame(benchmark::State& state) {
    RenderFrames(state, kBusyGame, static_cast<int>(state.range(0)),
                 static_cast<int>(state.range(1)));
}
BENCHMARK(BM_RenderFrame)
    ->Args({800, 600})
    ->Args({1920, 1080})
    ->Iterations(200)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

// The menus over the pond: the title over an empty pond, the in-game menu over the game.
void BM_RenderTitleFrame(benchmark::State& state) {
    RenderFrames(state, kTitle, 800, 600);
}
BENCHMARK(BM_RenderTitleFrame)->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_RenderInGameMenuFrame(benchmark::State& state) {
    RenderFrames(state, kInGameMenu, 800, 600);
}
BENCHMARK(BM_RenderInGameMenuFrame)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
