// Trees, bushes and their branches for the backgrounds, drawn from the bottom of the trunk
// (`base`, on the ground) upwards. Each look is decided by the season's palette.
#pragma once

#include <cstdint>

#include "landscape.h"
#include "shapes.h"

class Canvas;

void DrawBroadleafTree(Canvas& canvas, Vec2 base, float height, const Foliage& leaves,
                       const Palette& palette, std::uint32_t seed);
void DrawPoplar(Canvas& canvas, Vec2 base, float height, const Foliage& leaves,
                const Palette& palette, std::uint32_t seed);
void DrawBirch(Canvas& canvas, Vec2 base, float height, const Palette& palette, std::uint32_t seed);
void DrawConifer(Canvas& canvas, Vec2 base, float height, const Palette& palette,
                 std::uint32_t seed);
void DrawBush(Canvas& canvas, Vec2 base, float width, const Foliage& leaves, const Palette& palette,
              std::uint32_t seed);
