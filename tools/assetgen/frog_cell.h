// Maps a cell of the frog atlas to the frog's own units: the cell is 30 units across (the
// frog's half-size is 15), centred on the frog's centre, y up, facing right.
#pragma once

#include "canvas.h"
#include "shapes.h"

constexpr int kFrogGrid = 4;
constexpr int kFrogCell = 128;
constexpr float kFrogUnits = 30;

struct FrogCell {
    explicit FrogCell(int cell)
        : x0(static_cast<float>(cell % kFrogGrid * kFrogCell)),
          y0(static_cast<float>(cell / kFrogGrid * kFrogCell)) {}

    float PixelsPerUnit() const { return kFrogCell / kFrogUnits; }
    Vec2 ToUnits(float px, float py) const {
        return {(px - x0) / PixelsPerUnit() - kFrogUnits / 2,
                kFrogUnits / 2 - (py - y0) / PixelsPerUnit()};
    }
    // Paints shade(p) over the whole cell, p in frog units; shade returns the coverage in alpha.
    template <class ShadeFn>
    void Paint(Canvas& canvas, ShadeFn shade) const {
        canvas.Paint(x0, y0, x0 + kFrogCell, y0 + kFrogCell,
                     [&](float px, float py) { return shade(ToUnits(px, py)); });
    }
    // Coverage of a pixel by a shape `d` frog units outside it.
    float Cover(float d) const { return ::Cover(d * PixelsPerUnit()); }

    float x0, y0;
};
