// A copy of everything a step changes, kept so that the world can be put back to an earlier
// step and played again with other keys.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "input/input_system.h"
#include "menu/menu.h"
#include "state/random.h"

struct Application;

struct WorldSnapshot {
    RandomGenerator Rng;
    int32_t StepCounter = 0;
    double PointerX = 0;
    double PointerY = 0;
    KeyStates Keys{};
    KeyStates PrevKeys{};
    // The in-game menu's volume rows change these; each player's own numbers.
    int32_t SoundVolume = 0;
    int32_t MusicVolume = 0;
    // Held as optionals so that keeping a snapshot never runs their constructors, which draw
    // random numbers.
    std::optional<Sky> SkyState;
    std::optional<Game> GameState;
    std::optional<Menu> MenuState;
    std::vector<Fly> Flies;
    std::vector<Frog> Frogs;
    std::vector<LilyPad> Pads;
    std::vector<Particle> Particles;
    std::vector<Ripple> Ripples;
    // Frogs point at flies; the copies keep list positions instead, -1 for none, one for the
    // target and one for each tongue segment.
    std::vector<int32_t> FlyLinks;
};

// The copy reuses the snapshot's storage, so saving every step costs little.
void SaveWorld(const Application& app, WorldSnapshot& snapshot);
void RestoreWorld(Application& app, const WorldSnapshot& snapshot);
