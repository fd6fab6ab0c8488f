#include "menu/menu_items.h"

#include <algorithm>
#include <cstdio>

#include "game/game.h"
#include "menu/menu.h"
#include "menu/menu_settings.h"

const std::array<const char*, 5> ControlNames = {"PLAYER 1", "PLAYER 2", "COMPUTER EASY",
                                                 "COMPUTER MEDIUM", "COMPUTER HARD"};
const std::array<const char*, 2> YesNoWords = {"NO", "YES"};

namespace {

void TitleItems(MenuList& items) {
    char text[40];
    items.Add(0, "START NEW GAME", 190, 7);
    std::snprintf(text, sizeof text, "NUMBER OF FROGS: %d", kNumberOfFrogs.Get());
    items.Add(1, text, 165, 7);
    items.Add(2, "FROGS SETTINGS", 140, 7);
    std::snprintf(text, sizeof text, "STARTING LEVEL: %d", kStartingLevel.Get());
    items.Add(3, text, 115, 7);
    items.Add(4, "OPTIONS", 90, 7);
    items.Add(5, "EXIT", 65, 7);
}

// Two rows per frog, 38 apart, then the return row.
void FrogsItems(MenuList& items) {
    const int32_t frogs = kNumberOfFrogs.Get();
    char text[40];
    for (int32_t n = 1; n <= std::min(frogs, kFrogsOnScreen); ++n) {
        const double base = 330 - 38.0 * (n - 1);
        const int32_t control = FrogControlSetting(n).Get();
        const char* name = control >= 0 && control <= 4 ? ControlNames[control] : "";
        int32_t color = FrogColorSetting(n).Get();
        if (color < 0 || color >= Game::kFrogColorCount) color = 0;
        std::snprintf(text, sizeof text, "CONTROL %d: %s", n, name);
        items.Add(2 * (n - 1), text, base, 6);
        std::snprintf(text, sizeof text, "FROG %d COLOR: ", n);
        items.Add(2 * (n - 1) + 1, text, base - 16, 6, color);
    }
    if (frogs <= kFrogsOnScreen)
        items.Add(FrogsReturnRow(), "RETURN TO MENU", 330 - 38.0 * frogs, 6);
}

// The options screen and the in-game menu share the volume rows.
void VolumeItems(MenuList& items, bool inGame) {
    char text[40];
    const std::string_view sound = VolumeBar(kSoundVolume.Get());
    std::snprintf(text, sizeof text, "SOUND VOLUME: %.*s", static_cast<int>(sound.size()),
                  sound.data());
    items.Add(0, text, 330, 7);
    const std::string_view music = VolumeBar(kMusicVolume.Get());
    std::snprintf(text, sizeof text, "MUSIC VOLUME: %.*s", static_cast<int>(music.size()),
                  music.data());
    items.Add(1, text, 305, 7);
    if (inGame) {
        items.Add(2, "RETURN TO GAME", 280, 7);
        items.Add(3, "ABORT GAME", 255, 7);
    } else {
        std::snprintf(text, sizeof text, "FROG COLLISION: %s", YesNoWords[FrogsCollision()]);
        items.Add(2, text, 280, 7);
        items.Add(3, "RETURN TO MENU", 255, 7);
    }
}

}  // namespace

void MenuList::Add(int32_t index, const char* text, double y, double size, int32_t swatch) {
    if (count_ == items_.size()) return;
    MenuItem& item = items_[count_++];
    item.Index = index;
    std::snprintf(item.Buffer.data(), item.Buffer.size(), "%s", text);
    item.Y = y;
    item.Size = size;
    item.Swatch = swatch;
}

int32_t FrogsReturnRow() {
    return static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{2} * kNumberOfFrogs.Get(), INT32_MIN + 1, INT32_MAX - 1));
}

std::string_view VolumeBar(int32_t volume) {
    // Part k of 18 is reached when volume x 19 >= k x 25; the bar is a window on this line.
    const std::string_view line = "##################------------------";
    const int64_t reached = std::clamp<int64_t>(int64_t{volume} * 19 / 25, 0, 18);
    return line.substr(static_cast<size_t>(18 - reached), 18);
}

MenuList MenuItems(int32_t screen) {
    MenuList items;
    switch (screen) {
        case kScreenTitle:
            TitleItems(items);
            break;
        case kScreenFrogs:
            FrogsItems(items);
            break;
        case kScreenOptions:
            VolumeItems(items, false);
            break;
        default:
            VolumeItems(items, true);
            break;
    }
    return items;
}
