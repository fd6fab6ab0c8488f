#include "game/game_settings.h"

#include "config/settings_store.h"
#include "game/game.h"

GameSettings ReadGameSettings(const Settings& config) {
    GameSettings settings;
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
