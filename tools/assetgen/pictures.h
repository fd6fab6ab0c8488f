// The game's nine textures, each drawn by code.
#pragma once

#include <optional>
#include <string>

#include "canvas.h"

enum class Season { kSummer, kAutumn, kWinter, kSpring };

// Glyphs come from the TrueType font at fontPath; nothing when it cannot be read.
std::optional<Canvas> MakeFontAtlas(const std::string& fontPath);
Canvas MakeIconAtlas();
Canvas MakeRipple();
Canvas MakeFrogAtlas();
Canvas MakeLilyPad();
Canvas MakeBackground(Season season);

// Draws every texture and writes it into folder; false (after a message) on failure.
bool WritePictures(const std::string& folder, const std::string& fontPath);
