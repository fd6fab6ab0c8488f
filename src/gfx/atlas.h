// Where an atlas cell lies in its texture, and the corners of a stretched band or a turned
// square.
#pragma once

#include <cstdint>

struct AtlasCell {
    double uL, uR, vB, vT;
};

// A cell of a columns x rows atlas for a centred tile, inset a 64th of a cell.
AtlasCell TileCell(int32_t tile, int32_t columns, int32_t rows);
// A cell of a square atlas for a stretched strip, inset a 32nd of a cell.
AtlasCell StripCell(int32_t tile, int32_t gridSize);

// A textured quad's four corners. For a band: 0 right of the line at the first point,
// 1 left of it, 2 left at the second point, 3 right at the second point.
struct QuadCorners {
    double x[4], y[4];
};
QuadCorners StripQuad(double x1, double y1, double x2, double y2, double halfWidth);

// A square of half-size `half` centred on (x, y), turned by `degrees` about its centre
// counterclockwise: corners from bottom-left, then bottom-right, top-right, top-left as
// they were before the turn.
QuadCorners TurnedSquare(double x, double y, double half, double degrees);
