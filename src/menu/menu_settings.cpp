#include "menu/menu_settings.h"

#include "config/settings_store.h"
#include "game/game.h"
#include "state/application.h"

int32_t MenuSetting::Get() const {
    return App().Config->GetInteger(Group, Key, Default);
}

void MenuSetting::Set(int32_t value) const {
    App().Config->SetInteger(Group, Key, value);
}

MenuSetting FrogControlSetting(int32_t frog) {
    return {"Game", FrogKey("Frog%d_control", frog), DefaultControl(frog)};
}

MenuSetting FrogColorSetting(int32_t frog) {
    return {"Game", FrogKey("Frog%d_color", frog), DefaultColor(frog)};
}

bool FrogsCollision() {
    return App().Config->GetBoolean("Game", "FrogsCollision", true);
}

void SetFrogsCollision(bool value) {
    App().Config->SetBoolean("Game", "FrogsCollision", value);
}
