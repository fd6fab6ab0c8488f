// A recorded game's start and end: the settings it reads, the state it starts from, and
// the line that sums it up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "recording/recording_format.h"

struct Application;
class Game;

// What a recording of a game about to start begins with.
RecordingHeader HeaderForNewGame(const Application& app, const std::string& gameVersion);

// Starts the recorded game as START NEW GAME does, from the recorded generator state, view
// and settings.
void StartRecordedGame(Application& app, const RecordingHeader& header);

// Sets the view a recorded step was played with; the picture keeps that shape.
void UseRecordedView(Application& app, int32_t viewWidth);

// Where a game stands: its level and each frog's points so far, in frog order.
struct GameSummary {
    int32_t Level = 0;
    std::vector<int32_t> Totals;
};
// Fills the summary in place, so that watching a game step by step takes nothing from the heap.
void Summarise(const Game& game, GameSummary& summary);

// "game ended after <S> steps at level <L>; totals <t1> ... <tN>"
std::string SummaryLine(int32_t steps, const GameSummary& summary);
