// One rendered frame of a busy game on Mesa's software renderer, with glFinish so that the
// driver's work is counted, and how many times the frame allocates from the heap, told
// apart into our allocations and the driver's.
#include <GL/gl.h>
#include <benchmark/benchmark.h>
#include <dlfcn.h>
#include <execinfo.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <vector>

#include "app/application.h"
#include "app/frame_step.h"
#include "app/scene.h"
#include "game/game.h"
#include "gl_scene.h"
#include "heavy_world.h"
#include "menu/menu.h"

namespace {

// Allocations are told apart only while a measured frame is drawn: the look-up is slow.
std::atomic<bool> counting{false};
std::atomic<long> ourAllocations{0};
std::atomic<long> driverAllocations{0};
thread_local bool inAllocationHook = false;

// An allocation made from inside the GL driver (Mesa, LLVM) is the driver's; any other is
// ours (our code and the standard library it calls).
bool MadeByDriver() {
    void* frames[24];
    const int count = backtrace(frames, 24);
    for (int i = 2; i < count; ++i) {
        Dl_info info;
        if (!dladdr(frames[i], &info) || !info.dli_fname) continue;
        const char* name = info.dli_fname;
        if (std::strstr(name, "_dri.so") || std::strstr(name, "libLLVM") ||
            std::strstr(name, "libGL") || std::strstr(name, "libgallium")) {
            return true;
        }
    }
    return false;
}

void* CountedAllocation(std::size_t size) {
    if (counting.load(std::memory_order_relaxed) && !inAllocationHook) {
        inAllocationHook = true;
        (MadeByDriver() ? driverAllocations : ourAllocations)++;
        inAllocationHook = false;
    }
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

// Every C++ allocation in the process is counted, as ours or the driver's.
void* operator new(std::size_t size) {
    return CountedAllocation(size);
}
void* operator new[](std::size_t size) {
    return CountedAllocation(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using Clock = std::chrono::steady_clock;

enum Scene { kBusyGame, kTitle, kInGameMenu };

// The world moves one step between frames, as in the game, outside the timing.
void RenderFrames(benchmark::State& state, Scene shown, int width, int height) {
    HeavyWorld world;
    Application& app = world.App();
    app.Menu = std::make_unique<TWinieta>();
    if (shown == kTitle) {
        app.Game.reset();
        app.Menu->Reset(false);
    } else if (shown == kInGameMenu) {
        app.Menu->OpenInGameMenu();
    }
    GLScene scene(width, height);
    if (!GLScene::LoadAllTextures()) {
        state.SkipWithError("textures did not load");
        return;
    }
    for (int i = 0; i < 20; ++i) {
        RenderFrame(width, height);
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
        const long oursBefore = ourAllocations.load();
        const long driversBefore = driverAllocations.load();
        counting = true;
        const std::clock_t processorStart = std::clock();
        const Clock::time_point start = Clock::now();
        RenderFrame(width, height);
        glFinish();
        frames.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        processorSeconds += static_cast<double>(std::clock() - processorStart) / CLOCKS_PER_SEC;
        counting = false;
        ours += ourAllocations.load() - oursBefore;
        drivers += driverAllocations.load() - driversBefore;
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
