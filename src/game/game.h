// The game: one run of levels from "START NEW GAME" until the player aborts it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_settings.h"
#include "game/player.h"
#include "gfx/geometry.h"

// One banner line with its colour.
struct MessageLine {
    std::string Text;
    Rgba Color;
};

enum GameMode : uint8_t { kEatBeforeNight = 0, kEatAll = 1 };

// The game object: levels, goals, fly supply, scores and the table between levels.
class Game {
public:
    static constexpr int32_t kFrogColorCount = 14;

    void StartGame(const GameSettings& settings);
    void StartLevel();
    void FinishLevel();
    void GameStep();
    void ShowMessages(const std::vector<MessageLine>& lines);
    static MessageLine MakeMessage(const std::string& text, double r, double g, double b, double a);

    bool Running = false;
    // The settings the game started with.
    GameSettings Chosen;
    int32_t FrogCount = 0;
    std::vector<PlayerRecord> Players;
    int32_t Level = 0;
    int32_t MaxFlies = 0;
    int32_t FliesToSpawn = 0;
    uint8_t Mode = kEatBeforeNight;
    bool FrogsCollide = false;
    double FlySpeed = 0;
    std::vector<MessageLine> Messages;
    int32_t MessageTime = 0;
    bool LevelOver = false;
    int32_t EndDelay = 0;
};

extern const Rgba FrogColors[Game::kFrogColorCount];

// Every third level is an eat-all level: (nearest of 2 level / 3 + 1) mod 2.
uint8_t ModeForLevel(int32_t level);
// The flies an eat-all level releases, halves to even, capped, and scaled for more than two frogs.
int32_t FliesForEatAll(int32_t level, int32_t maxFlies, int32_t frogCount);

// A per-frog setting's key: "Frog%d_color" or "Frog%d_control" with the frog counted from 1.
std::string FrogKey(const char* format, int32_t frog);

// Per-frog defaults of the settings, frogs counted from 1.
int32_t DefaultColor(int32_t frog);
int32_t DefaultControl(int32_t frog);

// Empties the five world lists, flies first.
void ClearWorld();

// Starts or stops the rain loop to match the pond as it stands: rain plays while a game
// exists in rainy weather. Steps played again in silence may have changed either.
void MatchRainToWorld();
