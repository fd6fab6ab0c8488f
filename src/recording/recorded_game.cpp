#include "recording/recorded_game.h"

#include <memory>

#include "input/input_state.h"
#include "game/game.h"
#include "state/application.h"

RecordingHeader HeaderForNewGame(const Application& app, const std::string& gameVersion) {
    RecordingHeader header;
    header.GameVersion = gameVersion;
    header.Seed = app.Rng.Seed;
    header.Settings = ReadGameSettings(*app.Config);
    header.StartKeys = app.Input->Keys;
    header.ViewWidth = app.View.ViewWidth;
    return header;
}

void StartRecordedGame(Application& app, const RecordingHeader& header) {
    app.Rng.Seed = header.Seed;
    UseRecordedView(app, header.ViewWidth);
    app.Game = std::make_unique<Game>();
    app.Game->StartGame(header.Settings);
}

void UseRecordedView(Application& app, int32_t viewWidth) {
    app.FixedViewWidth = viewWidth;
    app.View = ComputeViewLayout(viewWidth, app.View.ViewHeight);
}

void Summarise(const Game& game, GameSummary& summary) {
    summary.Level = game.Level;
    summary.Totals.resize(game.Players.size());
    // The level under way counts too; once its table shows, its points are in the totals.
    for (size_t i = 0; i < game.Players.size(); ++i) {
        const PlayerRecord& player = game.Players[i];
        summary.Totals[i] = player.TotalPoints + (game.LevelOver ? 0 : player.LevelPoints);
    }
}

std::string SummaryLine(int32_t steps, const GameSummary& summary) {
    std::string line = "game ended after " + std::to_string(steps) + " steps at level " +
                       std::to_string(summary.Level) + "; totals";
    for (int32_t total : summary.Totals) line += " " + std::to_string(total);
    return line;
}
