#include "menu/menu.h"

#include "game/game.h"
#include "game/sky.h"
#include "sound/sound.h"
#include "state/application.h"
#include "state/random.h"

namespace {

constexpr int32_t kRainLoop = 33;

}  // namespace

Menu::Menu() {
    Reset(false);
}

void Menu::Reset(bool restartMusic) {
    Application& app = App();
    ResetListener();
    CreditTimer = 0;
    CreditPair = 0;
    if (restartMusic) {
        Music().ClearPlaylist();
        Music().AddTrack("data\\muzyka1.ogg");
        Music().Play();
        ApplyVolumes();
    }
    Screen = kScreenTitle;
    Selected = 0;
    Sky& sky = *app.Sky;
    sky.SetSeason(static_cast<uint8_t>(Random(4)));
    sky.SetSeasonPalette();
    sky.ResetClock();
    sky.SetMidday();
    ClearWorld();
    if (app.Game) StopSample(kRainLoop);
    SetListener(app.View.ViewWidth / 2.0, app.View.ViewHeight / 2.0);
}

void Menu::OpenInGameMenu() {
    if (App().Game) App().Game->Running = false;
    Screen = 3;
    Selected = 0;
}
