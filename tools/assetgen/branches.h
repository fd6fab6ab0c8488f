// Branching wood: a trunk that forks again and again into twigs.
#pragma once

#include <cstdint>
#include <vector>

#include "colour.h"
#include "shapes.h"

class Canvas;

struct BranchStyle {
    Rgba bark;
    float spread;  // radians between forks
    float shrink;  // each fork's length against its parent's
    float droop;   // how far twigs bend down at the ends (birch)
    int depth;     // forks from trunk to twig
    bool snow;     // snow lying along the upper side
};

// Draws the tree's wood from `base` upwards and returns the ends of its finer branches, where
// leaves grow.
std::vector<Vec2> DrawBranches(Canvas& canvas, Vec2 base, float trunkLength, float trunkWidth,
                               const BranchStyle& style, std::uint32_t seed);
