#include "menu/menu_items.h"

#include <cstdio>

#include "game/game.h"
#include "menu/menu.h"
#include "menu/menu_settings.h"

const std::array<const char*, 5> ControlNames = {"PLAYER 1", "PLAYER 2", "COMPUTER EASY",
                                                 "COMPUTER MEDIUM", "COMPUTER HARD"};
const std::array<const char*, 2> YesNoWords = {"NO", "YES"};

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[64];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

std::vector<MenuItem> TitleItems() {
    return {
        {0, "START NEW GAME", 190, 7},
        {1, Format("NUMBER OF FROGS: %d", kNumberOfFrogs.Get()), 165, 7},
        {2, "FROGS SETTINGS", 140, 7},
        {3, Format("STARTING LEVEL: %d", kStartingLevel.Get()), 115, 7},
        {4, "OPTIONS", 90, 7},
        {5, "EXIT", 65, 7},
    };
}

// Two rows per frog, 38 apart, then the return row.
std::vector<MenuItem> FrogsItems() {
    const int32_t frogs = kNumberOfFrogs.Get();
    std::vector<MenuItem> items;
    for (int32_t n = 1; n <= frogs; ++n) {
        const double base = 330 - 38.0 * (n - 1);
        const int32_t control = FrogControlSetting(n).Get();
        const char* name = control >= 0 && control <= 4 ? ControlNames[control] : "";
        int32_t color = FrogColorSetting(n).Get();
        if (color < 0 || color >= TGra::kFrogColorCount) color = 0;
        items.push_back({2 * (n - 1), Format("CONTROL %d: %s", n, name), base, 6});
        items.push_back({2 * (n - 1) + 1, Format("FROG %d COLOR: ", n), base - 16, 6, color});
    }
    items.push_back({2 * frogs, "RETURN TO MENU", 330 - 38.0 * frogs, 6});
    return items;
}

// The options screen and the in-game menu share the volume rows.
std::vector<MenuItem> VolumeItems(bool inGame) {
    std::vector<MenuItem> items = {
        {0, Format("SOUND VOLUME: %s", VolumeBar(kSoundVolume.Get()).c_str()), 330, 7},
        {1, Format("MUSIC VOLUME: %s", VolumeBar(kMusicVolume.Get()).c_str()), 305, 7},
    };
    if (inGame) {
        items.push_back({2, "RETURN TO GAME", 280, 7});
        items.push_back({3, "ABORT GAME", 255, 7});
    } else {
        items.push_back({2, Format("FROG COLLISION: %s", YesNoWords[FrogsCollision()]), 280, 7});
        items.push_back({3, "RETURN TO MENU", 255, 7});
    }
    return items;
}

}  // namespace

std::string VolumeBar(int32_t volume) {
    std::string bar;
    // k x 25 / 19 compared without fractions.
    for (int64_t k = 1; k <= 18; ++k) bar += int64_t{volume} * 19 >= k * 25 ? '#' : '-';
    return bar;
}

std::vector<MenuItem> MenuItems(int32_t screen) {
    switch (screen) {
        case kScreenTitle:
            return TitleItems();
        case kScreenFrogs:
            return FrogsItems();
        case kScreenOptions:
            return VolumeItems(false);
        default:
            return VolumeItems(true);
    }
}
