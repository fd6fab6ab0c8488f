// The per-frog player record and the few things world objects read from the running game.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/geometry.h"

// One frog's player: its points, colour and who steers it.
struct PlayerRecord {
    int32_t LevelPoints = 0;
    int32_t TotalPoints = 0;
    TColor Color;
    bool IsHuman = false;
    int32_t Scheme = 0;  // 1 or 2 for a person, 0 for the computer
    int32_t Skill = 0;   // 0 easy, 1 medium, 2 hard for the computer, 0 for a person
};

// What frogs and flies read from the running game; the game object fills it in.
struct TGameLink {
    std::vector<PlayerRecord> Players;  // indexed by a frog's PlayerIndex
    bool LevelOver = false;
    bool FrogsCollide = false;
    double FlySpeed = 0;
};

// The running game, or null when no game exists.
inline TGameLink* CurrentGame = nullptr;
