// The per-frog player record: points, colour and who steers the frog.
#pragma once

#include <cstdint>

#include "gfx/geometry.h"

// One frog's player: its points, colour and who steers it.
struct PlayerRecord {
    int32_t LevelPoints = 0;
    int32_t TotalPoints = 0;
    Rgba Color;
    bool IsHuman = false;
    int32_t Scheme = 0;  // 1 or 2 for a person, 0 for the computer
    int32_t Skill = 0;   // 0 easy, 1 medium, 2 hard for the computer, 0 for a person
};
