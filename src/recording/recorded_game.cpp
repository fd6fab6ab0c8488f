#include "recording/recorded_game.h"

#include <memory>

#include "config/settings_store.h"
#include "game/game.h"
#include "state/application.h"

RecordedSettings ReadRecordedSettings(const Settings& config) {
    RecordedSettings settings;
    settings.NumberOfFrogs = config.GetInteger("Game", "NumberOfFrogs", 2);
    settings.FrogsCollision = config.GetBoolean("Game", "FrogsCollision", true);
    settings.StartingLevel = config.GetInteger("Game", "StartingLevel", 1);
    for (int frog = 1; frog <= 6; ++frog) {
        settings.Colors[frog - 1] =
            config.GetInteger("Game", FrogKey("Frog%d_color", frog), DefaultColor(frog));
        settings.Controls[frog - 1] =
            config.GetInteger("Game", FrogKey("Frog%d_control", frog), DefaultControl(frog));
    }
    return settings;
}

RecordingHeader HeaderForNewGame(const Application& app, const std::string& gameVersion) {
    RecordingHeader header;
    header.GameVersion = gameVersion;
    header.Seed = app.Rng.Seed;
    header.Settings = ReadRecordedSettings(*app.Config);
    header.ViewWidth = app.View.ViewWidth;
    return header;
}

void StartRecordedGame(Application& app, const RecordingHeader& header) {
    const RecordedSettings& settings = header.Settings;
    Settings& config = *app.Config;
    config.SetInteger("Game", "NumberOfFrogs", settings.NumberOfFrogs);
    config.SetBoolean("Game", "FrogsCollision", settings.FrogsCollision);
    config.SetInteger("Game", "StartingLevel", settings.StartingLevel);
    for (int frog = 1; frog <= 6; ++frog) {
        config.SetInteger("Game", FrogKey("Frog%d_color", frog), settings.Colors[frog - 1]);
        config.SetInteger("Game", FrogKey("Frog%d_control", frog), settings.Controls[frog - 1]);
    }
    app.Rng.Seed = header.Seed;
    UseRecordedView(app, header.ViewWidth);
    app.Game = std::make_unique<Game>();
    app.Game->StartGame(settings.NumberOfFrogs);
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
