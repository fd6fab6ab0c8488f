#include "gfx/atlas.h"

#include <cmath>

#include "gfx/geometry.h"

namespace {

AtlasCell Cell(int32_t tile, int32_t columns, int32_t rows, double insetCells) {
    const double cu = 1.0 / columns;
    const double cv = 1.0 / rows;
    const double du = 1.0 / (insetCells * columns);
    const double dv = 1.0 / (insetCells * rows);
    AtlasCell cell;
    cell.uL = static_cast<double>(tile % columns) / columns + du;
    cell.uR = cell.uL + cu - 2 * du;
    cell.vB = 1 - static_cast<double>(tile / columns) / rows - cv + dv;
    cell.vT = cell.vB + cv - 2 * dv;
    return cell;
}

}  // namespace

AtlasCell TileCell(int32_t tile, int32_t columns, int32_t rows) {
    return Cell(tile, columns, rows, 64);
}

AtlasCell StripCell(int32_t tile, int32_t gridSize) {
    return Cell(tile, gridSize, gridSize, 32);
}

QuadCorners StripQuad(double x1, double y1, double x2, double y2, double halfWidth) {
    const double a = AngleOf(x2 - x1, y2 - y1);
    const double a1 = (a + 90) * M_PI / 180;
    const double a2 = (a + 270) * M_PI / 180;
    const double w = halfWidth;
    QuadCorners q;
    q.x[0] = x1 - w * std::sin(a1);
    q.y[0] = y1 + w * std::cos(a1);
    q.x[1] = x1 - w * std::sin(a2);
    q.y[1] = y1 + w * std::cos(a2);
    q.x[2] = x2 - w * std::sin(a2);
    q.y[2] = y2 + w * std::cos(a2);
    q.x[3] = x2 - w * std::sin(a1);
    q.y[3] = y2 + w * std::cos(a1);
    return q;
}

QuadCorners TurnedSquare(double x, double y, double half, double degrees) {
    const double a = degrees * M_PI / 180;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double dx[4] = {-half, half, half, -half};
    const double dy[4] = {-half, -half, half, half};
    QuadCorners q;
    for (int i = 0; i < 4; ++i) {
        q.x[i] = x + dx[i] * c - dy[i] * s;
        q.y[i] = y + dx[i] * s + dy[i] * c;
    }
    return q;
}
