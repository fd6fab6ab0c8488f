// The frog's face that stands for the game on the window frame and in desktop menus.
#pragma once

#include <string>

#include "canvas.h"

// A square picture of the face, size pixels across, on a transparent ground.
Canvas MakeAppIcon(int size);

// Writes icon.bmp (64 pixels, for the window) and pondlark-SIZE.png for SIZE 16, 32, 48,
// 64, 128 and 256 (for desktop menus) into folder; false (after a message) on failure.
bool WriteAppIcons(const std::string& folder);
