#include "heavy_world.h"

#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/sky.h"

namespace {

constexpr int kFlies = 15;
constexpr int kWarmUpSteps = 900;
constexpr uint8_t kRightControl = 157;  // scheme 1 tongue
constexpr uint8_t kLeftControl = 29;    // scheme 2 tongue
constexpr uint8_t kW = 17;              // scheme 2 jump

// People on both schemes: with their tongue keys held, the tongues are nearly always out
// (computer frogs shoot only when a fly comes near). Scheme 2 frogs also keep jumping, so
// that they splash and leave ripples. Level 1 is a summer level that lasts until night.
Recording HeavyGame() {
    return HeldKeys(GameStart(20240611, 6, 1, {0, 1, 0, 1, 0, 1}),
                    {kRightControl, kLeftControl, kW});
}

}  // namespace

HeavyWorld::HeavyWorld() : harness_(std::make_unique<ReplayHarness>(HeavyGame())) {
    Application& app = harness_->App();
    app.Game->MaxFlies = kFlies;
    app.Sky->Weather = kWeatherRain;
    app.Sky->Overcast = true;
    app.Sky->SetSeasonPalette();
    app.Sky->SetMidday();
    for (int i = 0; i < kWarmUpSteps; ++i) {
        KeepHeavy();
        harness_->Step();
    }
}

void HeavyWorld::KeepHeavy() {
    Application& app = harness_->App();
    while (static_cast<int>(app.Flies.size()) < kFlies) {
        app.Flies.push_back(std::make_unique<Fly>());
    }
    if (app.Sky->Clock > 3500) app.Sky->SetMidday();
}

int HeavyWorld::Flies() const {
    return static_cast<int>(harness_->App().Flies.size());
}

int HeavyWorld::Particles() const {
    return static_cast<int>(harness_->App().Particles.size());
}

int HeavyWorld::Ripples() const {
    return static_cast<int>(harness_->App().Ripples.size());
}

int HeavyWorld::TonguesOut() const {
    int out = 0;
    for (const auto& frog : harness_->App().Frogs) out += frog->TongueOut ? 1 : 0;
    return out;
}
