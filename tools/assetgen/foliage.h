// Leafy crowns painted as overlapping clumps, shaded as if lit from the upper left.
#pragma once

#include <cstdint>
#include <vector>

#include "landscape.h"
#include "shapes.h"

class Canvas;

struct Clump {
    Vec2 centre;
    float radius;
};

// Sparse foliage (density below 1) leaves gaps where the branches show through.
void DrawFoliage(Canvas& canvas, const std::vector<Clump>& clumps, const Foliage& leaves,
                 std::uint32_t seed);
