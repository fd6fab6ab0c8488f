// The two textured-quad primitives every sprite is drawn with.
#pragma once

#include <cstdint>

#include "gfx/atlas.h"

// One atlas cell as a square of half-size `half` centred on (x, y).
void DrawTile(int32_t tile, int32_t slot, int32_t columns, double x, double y, double half,
              int32_t rows);

// One cell of a gridSize x gridSize atlas stretched as a band from (x1, y1) to
// (x2, y2); orientation 1 puts the cell's bottom edge at the first point.
void DrawStrip(int32_t tile, int32_t orientation, int32_t slot, double x1, double y1, double x2,
               double y2, double halfWidth, int32_t gridSize);

// Inside glBegin(GL_QUADS): the quad's four corners with the cell's texture, corners 0 and
// 1 at texture row v0 and corners 2 and 3 at row v1.
void QuadVertices(const QuadCorners& q, const AtlasCell& c, double v0, double v1);
