// What grows along the far bank: reeds and cattails at the water, grass and flowers on top.
#pragma once

#include <cstdint>

#include "landscape.h"

class Canvas;

// A clump of reeds standing in the shallows around column x.
void DrawReeds(Canvas& canvas, float x, float height, const Palette& palette, std::uint32_t seed);
// Grass tufts and flowers all along the top of the bank.
void DrawBankGrass(Canvas& canvas, const Palette& palette);
