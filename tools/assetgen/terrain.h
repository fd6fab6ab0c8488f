// The ground of the backgrounds: far mountains, hills with fields and woods, and the pond's
// far bank meeting the water. Rows are pixel rows of the 1024 x 512 picture, 0 at the top.
#pragma once

#include "landscape.h"

class Canvas;

constexpr int kBackgroundWidth = 1024;
constexpr int kBackgroundHeight = 512;
// The water line: 8 of the picture's 408 view units above its bottom edge.
constexpr float kWaterRow = kBackgroundHeight * (1 - 8.0f / 408);

void DrawMountains(Canvas& canvas, const Palette& palette);
void DrawHills(Canvas& canvas, const Palette& palette);
// The top of the bank's grass at column x; trees and reeds stand on it.
float BankTop(float x);
void DrawBank(Canvas& canvas, const Palette& palette);
