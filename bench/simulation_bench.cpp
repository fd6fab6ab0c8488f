// The simulation step: one step of a heavy game, one step of the title menu, a check that a
// step costs no more after a million steps than at the start, and a network game's rollback.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "app/frame_step.h"
#include "game/game.h"
#include "heavy_world.h"
#include "menu/menu.h"
#include "network/rollback.h"

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

double Percentile(std::vector<double>& values, double p) {
    if (values.empty()) return 0;
    const size_t k = static_cast<size_t>(p * (values.size() - 1));
    std::nth_element(values.begin(), values.begin() + k, values.end());
    return values[k];
}

// Besides Google Benchmark's mean per step, each step is timed alone so that the
// median and the slow tail of single steps can be told.
void BM_WorldStep(benchmark::State& state) {
    HeavyWorld world;
    std::vector<double> steps;
    steps.reserve(1 << 20);
    double flies = 0, particles = 0, ripples = 0, tongues = 0;
    for (auto _ : state) {
        world.KeepHeavy();
        const Clock::time_point start = Clock::now();
        WorldStep();
        if (steps.size() < steps.capacity()) steps.push_back(Microseconds(Clock::now() - start));
        flies += world.Flies();
        particles += world.Particles();
        ripples += world.Ripples();
        tongues += world.TonguesOut();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["flies"] = flies / n;
    state.counters["particles"] = particles / n;
    state.counters["ripples"] = ripples / n;
    state.counters["tongues_out"] = tongues / n;
    state.counters["step_median_us"] = Percentile(steps, 0.5);
    state.counters["step_p99_us"] = Percentile(steps, 0.99);
}
BENCHMARK(BM_WorldStep)->Unit(benchmark::kMicrosecond)->Repetitions(5);

void BM_MenuStep(benchmark::State& state) {
    ReplayHarness harness{HeldKeys(GameStart(1, 2, 1, {}), {})};
    Application& app = harness.App();
    app.Game.reset();
    ClearWorld();
    app.Menu = std::make_unique<Menu>();
    for (auto _ : state) app.Menu->MenuStep();
}
BENCHMARK(BM_MenuStep)->Repetitions(5);

// A world a million steps old against a fresh one, measured in turns so that a busy machine
// slows both alike: work that grows with the steps played would make the old one dearer.
void BM_StepCostAfterAMillionSteps(benchmark::State& state) {
    constexpr int kPlayed = 1000000;
    constexpr int kRounds = 20;
    constexpr int kBlock = 5000;
    auto block = [](HeavyWorld& world) {
        world.Use();
        const std::clock_t start = std::clock();
        for (int i = 0; i < kBlock; ++i) {
            world.KeepHeavy();
            WorldStep();
        }
        return static_cast<double>(std::clock() - start);
    };
    for (auto _ : state) {
        HeavyWorld old;
        for (int i = 0; i < kPlayed; ++i) {
            old.KeepHeavy();
            WorldStep();
        }
        HeavyWorld fresh;
        double oldTime = 0, freshTime = 0;
        for (int round = 0; round < kRounds; ++round) {
            freshTime += block(fresh);
            oldTime += block(old);
        }
        const double perStep = 1e6 / CLOCKS_PER_SEC / (kRounds * kBlock);
        state.counters["fresh_us"] = freshTime * perStep;
        state.counters["after_1M_us"] = oldTime * perStep;
        state.counters["ratio"] = oldTime / freshTime;
    }
}
BENCHMARK(BM_StepCostAfterAMillionSteps)->Iterations(1)->Unit(benchmark::kSecond);

// A network game that guessed the other side's keys wrong eight steps ago puts the world back
// and plays those eight steps again, all before the frame is drawn.
void BM_RollbackOfEightSteps(benchmark::State& state) {
    HeavyWorld world;
    Rollback rollback(world.App(), true, [&world](const KeyStates&) {
        world.KeepHeavy();
        WorldStep();
    });
    std::vector<double> rollbacks;
    uint8_t remote = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const int32_t from = rollback.Steps();
        for (int i = 0; i < 8; ++i) rollback.Advance(0);
        // The keys that arrive are not the ones guessed: every step from `from` was wrong.
        remote ^= 1;
        const std::vector<uint8_t> keys(8, remote);
        rollback.AddRemote(static_cast<uint32_t>(from), keys.data(), keys.size());
        state.ResumeTiming();
        const Clock::time_point start = Clock::now();
        rollback.Reconcile();
        rollbacks.push_back(Microseconds(Clock::now() - start));
    }
    state.counters["median_us"] = Percentile(rollbacks, 0.5);
    state.counters["max_us"] = *std::max_element(rollbacks.begin(), rollbacks.end());
    state.counters["deepest"] = rollback.Deepest();
}
BENCHMARK(BM_RollbackOfEightSteps)->Unit(benchmark::kMicrosecond)->Iterations(2000);

}  // namespace

BENCHMARK_MAIN();
