// One rendered frame of a busy game on Mesa's software renderer, with glFinish so that the
// driver's work is counted, and how many times the frame allocates from the heap.
#include <GL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <vector>

#include "app/frame_step.h"
#include "app/scene.h"
#include "gl_scene.h"
#include "heavy_world.h"

namespace {

std::atomic<long> heapAllocations{0};

void* CountedAllocation(std::size_t size) {
    heapAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

}  // namespace

// Every C++ allocation in the process is counted: ours, the standard library's and the
// driver's own C++ parts.
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

// The world moves one step between frames, as in the game, outside the timing.
void BM_RenderFrame(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    HeavyWorld world;
    GLScene scene(width, height);
    if (!GLScene::LoadAllTextures()) {
        state.SkipWithError("textures did not load");
        return;
    }
    for (int i = 0; i < 20; ++i) {
        RenderFrame(width, height);
        glFinish();
    }
    long allocations = 0;
    std::vector<double> frames;
    frames.reserve(static_cast<size_t>(state.max_iterations));
    for (auto _ : state) {
        state.PauseTiming();
        world.KeepHeavy();
        WorldStep();
        state.ResumeTiming();
        const long before = heapAllocations.load();
        const Clock::time_point start = Clock::now();
        RenderFrame(width, height);
        glFinish();
        frames.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        allocations += heapAllocations.load() - before;
    }
    std::nth_element(frames.begin(), frames.begin() + frames.size() / 2, frames.end());
    state.counters["frame_median_ms"] = frames[frames.size() / 2];
    state.counters["allocations_per_frame"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_RenderFrame)
    ->Args({800, 600})
    ->Args({1920, 1080})
    ->Iterations(200)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
