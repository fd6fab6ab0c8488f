// What each menu screen lists, as the settings stand now, and where each row goes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Names of the "Frog%d_control" values 0..4.
extern const std::array<const char*, 5> ControlNames;
// "NO" for false, "YES" for true.
extern const std::array<const char*, 2> YesNoWords;

// One entry of a screen, left-aligned at x 60. The text lives in the entry, so that
// listing a screen for every drawn frame takes nothing from the heap.
struct MenuItem {
    int32_t Index = 0;
    std::array<char, 40> Buffer{};
    double Y = 0;
    double Size = 0;
    // The frog colour shown as a swatch right after the text, or -1 for none.
    int32_t Swatch = -1;

    std::string_view Text() const { return Buffer.data(); }
};

constexpr double kItemX = 60;

// The frogs-settings screen lists rows only for the frogs whose rows reach the screen; a
// hand-edited count above this would put the rest below its bottom edge anyway.
constexpr int32_t kFrogsOnScreen = 9;

// The entries of one screen in entry order.
class MenuList {
public:
    void Add(int32_t index, const char* text, double y, double size, int32_t swatch = -1);

    const MenuItem* begin() const { return items_.data(); }
    const MenuItem* end() const { return items_.data() + count_; }
    size_t size() const { return count_; }
    const MenuItem& operator[](size_t i) const { return items_[i]; }

private:
    std::array<MenuItem, 2 * kFrogsOnScreen + 1> items_;
    size_t count_ = 0;
};

// The frogs-settings screen's return row: two rows per frog come before it. A hand-edited
// count near the ends of the integer range keeps one step of room each way, so neither
// this nor moving the highlight can overflow.
int32_t FrogsReturnRow();

// Eighteen characters, "#" for each part the volume reaches and "-" for the rest.
std::string_view VolumeBar(int32_t volume);
MenuList MenuItems(int32_t screen);
