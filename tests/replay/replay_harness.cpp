#include "replay_harness.h"

#include <cstring>
#include <string>

#include "app/frame_step.h"
#include "config/settings_store.h"
#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/player_input.h"
#include "game/sky.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "input/power_input.h"

namespace {

class ScriptedKeyboard : public KeyboardDevice {
public:
    explicit ScriptedKeyboard(const KeyStates& keys) : keys_(keys) {}
    bool SetDataFormat() override { return true; }
    bool SetCooperativeLevel() override { return true; }
    bool Acquire() override { return true; }
    InputResult GetState(KeyStates& keys) override {
        keys = keys_;
        return InputResult::Ok;
    }

private:
    const KeyStates& keys_;
};

// FNV-1a over the bytes of every value fed in.
class Hasher {
public:
    template <typename T>
    void Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 1099511628211ull;
    }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

}  // namespace

std::unique_ptr<KeyboardDevice> ScriptedInput::CreateKeyboard() {
    return std::make_unique<ScriptedKeyboard>(Keys);
}

ReplayHarness::ReplayHarness(const ReplaySetup& setup) {
    UseApp(&app_);
    app_.Config = std::make_unique<TConfig>("Pondlark.cfg", "");
    app_.Inp = std::make_unique<TPowerInput>(&input_);
    app_.Inp->Init();
    app_.Sky = std::make_unique<TNiebo>();
    app_.View = ComputeViewLayout(800, 600);
    app_.Rng.Seed = setup.Seed;
    app_.StepCounter = -2147483637;
    InstallKeyTable();
    TConfig& config = *app_.Config;
    config.SetInteger("Game", "StartingLevel", setup.StartingLevel);
    config.SetBoolean("Game", "FrogsCollision", setup.FrogsCollision);
    for (int n = 1; n <= 6; ++n) {
        config.SetInteger("Game", "Frog" + std::to_string(n) + "_control", setup.Controls[n - 1]);
    }
    app_.Game = std::make_unique<TGra>();
    app_.Game->StartGame(setup.Frogs);
}

ReplayHarness::~ReplayHarness() {
    // World objects go before the input they were read with.
    ClearWorld();
    app_.Game.reset();
}

void ReplayHarness::Step(const std::vector<KeyEvent>& script) {
    while (nextEvent_ < script.size() && script[nextEvent_].Step <= steps_) {
        const KeyEvent& event = script[nextEvent_++];
        input_.Keys[event.Code] = event.Down ? 0x80 : 0;
    }
    ::Step(app_);
    ++steps_;
}

uint64_t ReplayHarness::WorldHash() const {
    Hasher h;
    const TGra& game = *app_.Game;
    h.Add(game.Level);
    h.Add(game.Mode);
    h.Add(game.FliesToSpawn);
    h.Add(game.LevelOver);
    h.Add(game.MessageTime);
    h.Add(app_.Sky->Clock);
    h.Add(app_.Sky->Weather);
    h.Add(app_.Rng.Seed);
    for (const PlayerRecord& player : game.Players) {
        h.Add(player.LevelPoints);
        h.Add(player.TotalPoints);
    }
    h.Add(app_.Frogs.size());
    for (const auto& frog : app_.Frogs) {
        h.Add(frog->X);
        h.Add(frog->Y);
        h.Add(frog->VelX);
        h.Add(frog->VelY);
        h.Add(frog->State);
        h.Add(frog->Facing);
        h.Add(frog->TongueOut);
        for (const TongueSegment& segment : frog->Tongue) {
            h.Add(segment.X);
            h.Add(segment.Y);
        }
    }
    h.Add(app_.Flies.size());
    for (const auto& fly : app_.Flies) {
        h.Add(fly->X);
        h.Add(fly->Y);
        h.Add(fly->VelX);
        h.Add(fly->VelY);
    }
    h.Add(app_.Pads.size());
    for (const auto& pad : app_.Pads) {
        h.Add(pad->X);
        h.Add(pad->VelX);
        h.Add(pad->Size);
    }
    h.Add(app_.Particles.size());
    for (const auto& particle : app_.Particles) {
        h.Add(particle->X);
        h.Add(particle->Y);
    }
    h.Add(app_.Ripples.size());
    return h.Value();
}
