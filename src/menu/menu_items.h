// What each menu screen lists, as the settings stand now, and where each row goes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Names of the "Frog%d_control" values 0..4.
extern const std::array<const char*, 5> ControlNames;
// "NO" for false, "YES" for true.
extern const std::array<const char*, 2> YesNoWords;

// One entry of a screen, left-aligned at x 60.
struct MenuItem {
    int32_t Index = 0;
    std::string Text;
    double Y = 0;
    double Size = 0;
    // The frog colour shown as a swatch right after the text, or -1 for none.
    int32_t Swatch = -1;
};

constexpr double kItemX = 60;

// Eighteen characters, "#" for each part the volume reaches and "-" for the rest.
std::string VolumeBar(int32_t volume);
// The entries of the screen in entry order.
std::vector<MenuItem> MenuItems(int32_t screen);
