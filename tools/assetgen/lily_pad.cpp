// The lily pad: a round leaf floating flat, seen from a low angle, in greys for the season to
// tint. The game stretches the picture to five times as wide as tall, centred on the water line.
#include <algorithm>
#include <cmath>

#include "noise.h"
#include "pictures.h"
#include "strip_paint.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 256;
// Drawn in units as tall as the picture is wide on screen: 10 across, 2 down, y up.
constexpr float kRadius = 4.85f;
// The leaf is seen this flat: its far and near edges are this many units from its middle.
constexpr float kDepth = 0.74f;
// The rim's thickness, seen under the near edge.
constexpr float kRim = 0.06f;
constexpr float kNotchAngle = -1.05f;  // radians, pointing towards the viewer and right
constexpr float kNotchHalfWidth = 0.09f;

// From the picture to the leaf seen from straight above (units, the far side positive).
Vec2 TopView(Vec2 p) {
    return {p.x, p.y * kRadius / kDepth};
}

float AngleFromNotch(Vec2 top) {
    return std::remainder(std::atan2(top.y, top.x) - kNotchAngle, 6.2831853f);
}

// The leaf's top surface: a disc with a wedge cut from its edge to its centre.
float Leaf(Vec2 p) {
    const Vec2 top = TopView(p);
    const float r = Length(top);
    const float disc = SdEllipse(p, {0, 0}, {kRadius, kDepth});
    const float notch = (kNotchHalfWidth - std::fabs(AngleFromNotch(top))) * r * kDepth / kRadius;
    return std::max(disc, notch);
}

// The leaf and the edge of it that shows below its near rim.
float LeafWithRim(Vec2 p) {
    return std::min(Leaf(p), std::max(Leaf(p + Vec2{0, kRim}), p.y));
}

float Veins(Vec2 top) {
    const float r = Length(top);
    float d = 1e9f;
    for (int i = 1; i < 20; ++i) {
        const float a = kNotchAngle + i * 6.2831853f / 20;
        const Vec2 dir{std::cos(a), std::sin(a)};
        // Each vein bends a little as it runs out, like the real thing.
        const float along = Clamp01(Dot(top, dir) / kRadius);
        const Vec2 bend = Vec2{-dir.y, dir.x} * (0.05f * std::sin(along * 3.1f + i));
        const Vec2 onVein = dir * (along * kRadius) + bend;
        d = std::min(d, Length(top - onVein) - Lerp(0.035f, 0.01f, along));
    }
    return r > kRadius * 0.97f ? 1e9f : d;
}

Rgba Surface(Vec2 p, float d) {
    const Vec2 top = TopView(p);
    const float r = Length(top) / kRadius;
    const bool rim = Leaf(p) > 0;
    if (rim) {
        // The cut edge of the leaf: darker, and darker still towards the water.
        const float v = 0.5f - 0.15f * Clamp01(-p.y / kDepth);
        return {v, v, v, 1};
    }
    float v = 0.8f;
    // The far half faces the sky a little more and looks lighter.
    v += 0.08f * Clamp01(p.y / kDepth);
    // A slight dip towards the centre, where the stalk holds the leaf.
    v -= 0.06f * (1 - SmoothStep(0.0f, 0.35f, r));
    v *= 0.92f + 0.16f * Fractal(top.x * 1.2f, top.y * 1.2f, 4, 71);
    const float vein = Veins(top);
    v += 0.06f * Clamp01(1 - vein / 0.04f);
    // A lighter, slightly raised lip all around the edge.
    v += 0.1f * SmoothStep(-0.12f, -0.02f, d);
    // Wet glints where the sky catches the far side.
    const float glint = Fractal(top.x * 0.7f + 10, top.y * 2.5f, 3, 83);
    v += 0.07f * SmoothStep(0.62f, 0.75f, glint) * Clamp01(p.y / kDepth + 0.3f);
    v = std::min(v, 1.0f);
    return {v, v, v, 1};
}

}  // namespace

Canvas MakeLilyPad() {
    Canvas canvas(kWidth, kHeight);
    const StripArea area{{0, 0, kWidth, kHeight}, {-5, 1, 5, -1}};
    // A soft wet shadow on the water just under the near rim.
    PaintScaled(
        canvas, area,
        [](Vec2 p) {
            return Leaf(p + Vec2{0, kRim * 2.2f}) - 0.05f;
        },
        [](Vec2, float d) {
            return Rgba{0.2f, 0.2f, 0.2f, 0.35f * SmoothStep(0.0f, -0.2f, d)};
        });
    PaintScaled(canvas, area, LeafWithRim, Surface);
    return canvas;
}
