// Painting shapes given in their own units over a rectangle of pixels that may be scaled
// differently across and down, as the game's stretched strips are.
#pragma once

#include <cmath>

#include "canvas.h"
#include "shapes.h"

struct StripArea {
    Box pixels;  // where on the canvas
    Box units;   // the shape's units at the same box's top-left and bottom-right corners
    Vec2 ToUnits(float px, float py) const {
        return {Lerp(units.x0, units.x1, (px - pixels.x0) / (pixels.x1 - pixels.x0)),
                Lerp(units.y0, units.y1, (py - pixels.y0) / (pixels.y1 - pixels.y0))};
    }
};

// sd(p) is a signed distance in units; its slope across a pixel turns it into a coverage, so
// edges stay one pixel soft however the units are scaled. shade(p, d) gives the colour.
template <class Sd, class ShadeFn>
void PaintScaled(Canvas& canvas, const StripArea& area, Sd sd, ShadeFn shade) {
    const Box& b = area.pixels;
    canvas.Paint(b.x0, b.y0, b.x1, b.y1, [&](float px, float py) {
        const Vec2 p = area.ToUnits(px, py);
        const float d = sd(p);
        const float dx = sd(area.ToUnits(px + 1, py)) - d;
        const float dy = sd(area.ToUnits(px, py + 1)) - d;
        const float slope = std::sqrt(dx * dx + dy * dy);
        const float cover = Cover(slope > 0 ? d / slope : d);
        if (cover <= 0) return Rgba{};
        const Rgba c = shade(p, d);
        return WithAlpha(c, c.a * cover);
    });
}
