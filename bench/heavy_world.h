// A game held in a heavy steady state for measuring: six frogs shooting their tongues,
// fifteen flies, heavy rain and the ripples it leaves, at midday for as long as needed.
#pragma once

#include <memory>

#include "../tests/replay/replay_harness.h"

class HeavyWorld {
public:
    // Starts the game and plays until the rain and ripples have built up.
    HeavyWorld();

    // Keeps the state heavy: tops the flies up to fifteen and holds the clock at midday,
    // so that the level never ends. Cheap when nothing is missing.
    void KeepHeavy();
    // Makes this world the program's, when there are several.
    void Use() { UseApp(&harness_->App()); }
    ReplayHarness& Harness() { return *harness_; }
    Application& App() { return harness_->App(); }

    int Flies() const;
    int Particles() const;
    int Ripples() const;
    int TonguesOut() const;

private:
    std::unique_ptr<ReplayHarness> harness_;
};
