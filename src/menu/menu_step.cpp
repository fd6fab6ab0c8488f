#include <algorithm>
#include <cstdint>
#include <memory>

#include "config/settings_store.h"
#include "game/game.h"
#include "game/player_input.h"
#include "input/input_state.h"
#include "menu/menu.h"
#include "menu/menu_credits.h"
#include "menu/menu_items.h"
#include "menu/menu_settings.h"
#include "sound/sound.h"
#include "state/application.h"

namespace {

constexpr int32_t kVolumeStep = 2;
constexpr int32_t kMaxVolume = 25;
constexpr int32_t kPreviewSample = 0;

// Players expect Enter to choose an entry too, so it does here (and never in play);
// with Alt held it switches full screen instead.
bool MenuSelectPressed() {
    const InputState& input = *App().Input;
    const bool alt = input.KeyDown(kLeftAltKey) || input.KeyDown(kRightAltKey);
    return MenuActionPressed(kActionFire) ||
           (!alt && (input.KeyPressed(kEnterKey) || input.KeyPressed(kKeypadEnterKey)));
}

// Right steps up and Left down; past the end the value comes round to the other end.
void WrapSetting(const MenuSetting& setting, int32_t low, int32_t high) {
    if (MenuActionPressed(kActionRight)) {
        const int64_t value = int64_t{setting.Get()} + 1;
        setting.Set(value > high ? low : static_cast<int32_t>(value));
    }
    if (MenuActionPressed(kActionLeft)) {
        const int64_t value = int64_t{setting.Get()} - 1;
        setting.Set(value < low ? high : static_cast<int32_t>(value));
    }
}

// Moves the value by `delta`, stopping at the end it moves toward.
void NudgeSetting(const MenuSetting& setting, int32_t delta, int32_t low, int32_t high) {
    const int64_t value = int64_t{setting.Get()} + delta;
    setting.Set(static_cast<int32_t>(delta > 0 ? std::min<int64_t>(value, high)
                                               : std::max<int64_t>(value, low)));
}

void ClampSetting(const MenuSetting& setting, int32_t low, int32_t high) {
    if (MenuActionPressed(kActionRight)) NudgeSetting(setting, 1, low, high);
    if (MenuActionPressed(kActionLeft)) NudgeSetting(setting, -1, low, high);
}

// A new volume is applied at once; a new effects volume is also played so it is heard.
void StepVolume(const MenuSetting& setting, bool preview) {
    for (int32_t delta : {kVolumeStep, -kVolumeStep}) {
        if (!MenuActionPressed(delta > 0 ? kActionRight : kActionLeft)) continue;
        NudgeSetting(setting, delta, 0, kMaxVolume);
        ApplyVolumes();
        if (preview) PlaySample(kPreviewSample, false, 0, 0, 0, 0);
    }
}

}  // namespace

void Menu::MenuStep() {
    LastItem = LastItemTable[Screen];
    if (MenuActionPressed(kActionUp) && --Selected < 0) Selected = LastItem;
    if (MenuActionPressed(kActionDown) && ++Selected > LastItem) Selected = 0;
    switch (Screen) {
        case kScreenTitle:
            TitleStep();
            break;
        case kScreenFrogs:
            FrogsStep();
            break;
        default:
            VolumesStep();
            break;
    }
    StepCredits();
}

// The tests run in turn, each seeing what the ones before it changed.
void Menu::TitleStep() {
    if (MenuSelectPressed()) {
        if (Selected == 0 && !App().Game) StartNewGame();
        if (Selected == 2) {
            Screen = kScreenFrogs;
            Selected = 0;
            LastItemTable[kScreenFrogs] = FrogsReturnRow();
        }
        if (Selected == 4) {
            Screen = kScreenOptions;
            Selected = 0;
        }
        if (Selected == 5) Exit();
    }
    if (Selected == 1) WrapSetting(kNumberOfFrogs, 1, 6);
    if (Selected == 3) WrapSetting(kStartingLevel, 1, 39);
}

void Menu::StartNewGame() {
    Application& app = App();
    if (app.GameStarting) app.GameStarting();
    app.Game = std::make_unique<Game>();
    app.Game->StartGame(ReadGameSettings(*app.Config));
    app.Config->Save();
}

void Menu::Exit() {
    Application& app = App();
    if (!app.Game) {
        if (app.CloseMainWindow) app.CloseMainWindow();
        return;
    }
    Reset(true);
}

void Menu::FrogsStep() {
    const int32_t returnRow = LastItemTable[kScreenFrogs];
    if (MenuSelectPressed() && Selected == returnRow) {
        Screen = kScreenTitle;
        Selected = 2;
    }
    if (Selected < 0 || Selected >= returnRow) return;
    const int32_t frog = Selected / 2 + 1;
    if (Selected % 2 == 0) {
        ClampSetting(FrogControlSetting(frog), 0, 4);
    } else {
        WrapSetting(FrogColorSetting(frog), 0, Game::kFrogColorCount - 1);
    }
}

void Menu::VolumesStep() {
    Application& app = App();
    if (Screen == kScreenInGame && app.Input->KeyPressed(kEscapeKey) && app.Game) {
        app.Game->Running = true;
    }
    if (MenuSelectPressed()) {
        if (Screen == kScreenOptions && Selected == 3) {
            Screen = kScreenTitle;
            Selected = 4;
        } else if (Screen == kScreenInGame && Selected == 2 && app.Game) {
            app.Game->Running = true;
        } else if (Screen == kScreenInGame && Selected == 3) {
            Reset(true);
            app.Game.reset();
        }
    }
    if (Selected == 0) StepVolume(kSoundVolume, true);
    if (Selected == 1) StepVolume(kMusicVolume, false);
    const bool sideways = MenuActionPressed(kActionLeft) || MenuActionPressed(kActionRight);
    if (Screen == kScreenOptions && Selected == 2 && sideways) {
        SetFrogsCollision(!FrogsCollision());
    }
}

void Menu::StepCredits() {
    if (++CreditTimer < CreditDuration(CreditPair)) return;
    CreditTimer = 0;
    if (++CreditPair >= kCreditPairs) CreditPair = 0;
}
