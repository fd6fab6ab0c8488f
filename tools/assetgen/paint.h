// Helpers shared by the pictures: filling distance-function shapes over their boxes.
#pragma once

#include "canvas.h"
#include "shapes.h"

// Paints the shape sd (a signed distance in pixels) over the box in one colour.
template <class Sd>
void Fill(Canvas& canvas, Box box, Rgba colour, Sd sd) {
    const Box b = box.Grow(2);
    canvas.Paint(b.x0, b.y0, b.x1, b.y1, [&](float x, float y) {
        return WithAlpha(colour, colour.a * Cover(sd(Vec2{x, y})));
    });
}

// Paints the shape sd with a colour that varies over it: shade(p) gives the colour at p.
template <class Sd, class ShadeFn>
void FillShaded(Canvas& canvas, Box box, Sd sd, ShadeFn shade) {
    const Box b = box.Grow(2);
    canvas.Paint(b.x0, b.y0, b.x1, b.y1, [&](float x, float y) {
        const Vec2 p{x, y};
        const float cover = Cover(sd(p));
        if (cover <= 0) return Rgba{};
        const Rgba c = shade(p);
        return WithAlpha(c, c.a * cover);
    });
}
