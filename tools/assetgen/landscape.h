// What sets one season's landscape apart: its colours and the look of its plants.
#pragma once

#include "colour.h"
#include "pictures.h"

// The leaves of one tree; density 0 leaves the branches bare.
struct Foliage {
    Rgba dark, mid, light;
    float density;
};

struct Palette {
    Rgba mountains;  // the farthest range, half lost in the haze
    Rgba farHills;
    Rgba hills, hillsLit;
    Rgba fields[3];
    Rgba woods;  // woods on the hills
    Rgba bank, bankLit, mud;
    Rgba bark, birchBark;
    Foliage broadleaf[3];  // the season's looks for broad-leaved trees
    Foliage birch;
    Foliage conifer;
    Rgba reed, reedTip, cattail;
    Rgba flowers[3];
    float flowerAmount;  // 0 for none
    bool snow;
};

Palette SeasonPalette(Season season);
