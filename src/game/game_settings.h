// The settings a game reads as it starts: the frogs, who steers them and where play begins.
#pragma once

#include <array>
#include <cstdint>

class Settings;

// As they stood when the game started; frogs counted from 1.
struct GameSettings {
    int32_t NumberOfFrogs = 2;
    bool FrogsCollision = true;
    int32_t StartingLevel = 1;
    std::array<int32_t, 6> Colors{};
    std::array<int32_t, 6> Controls{};
};

// What the store holds now, with the defaults where it has nothing.
GameSettings ReadGameSettings(const Settings& config);
