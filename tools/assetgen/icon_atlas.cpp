// The effects atlas: shadow, tongue, snowflakes, raindrop and droplet in an 8 x 8 grid.
#include <cmath>

#include "paint.h"
#include "pictures.h"
#include "snowflakes.h"

namespace {

constexpr int kGrid = 8;
constexpr int kCell = 64;

Vec2 CellOrigin(int cell) {
    return {static_cast<float>(cell % kGrid * kCell), static_cast<float>(cell / kGrid * kCell)};
}

Box CellBox(int cell) {
    const Vec2 o = CellOrigin(cell);
    return {o.x, o.y, o.x + kCell, o.y + kCell};
}

// White with a soft round alpha; the game draws it black and squashes it flat.
void DrawShadow(Canvas& canvas, int cell) {
    const Vec2 c = CellOrigin(cell) + Vec2{kCell / 2.0f, kCell / 2.0f};
    const float radius = kCell * 0.47f;
    const Box b = CellBox(cell);
    canvas.Paint(b.x0, b.y0, b.x1, b.y1, [&](float x, float y) {
        const float r = Length(Vec2{x, y} - c) / radius;
        return Rgba{1, 1, 1, 1 - SmoothStep(0.2f, 1.0f, r)};
    });
}

// A pink band running top to bottom, rounded across, so pieces stretched end to end join up.
void DrawTongue(Canvas& canvas, int cell) {
    const Box b = CellBox(cell);
    const float mid = (b.x0 + b.x1) / 2;
    const float half = kCell * 0.42f;
    canvas.Paint(b.x0, b.y0, b.x1, b.y1, [&](float x, float) {
        const float s = std::fabs(x - mid) / half;  // 0 on the middle line, 1 at the edge
        const Rgba edge{0.78f, 0.26f, 0.36f, 1};
        const Rgba middle{1.0f, 0.72f, 0.78f, 1};
        Rgba c = Mix(middle, edge, SmoothStep(0.1f, 1.0f, s));
        // A faint groove down the middle, as a real tongue has.
        c = Shade(c, 1 - 0.12f * (1 - SmoothStep(0.0f, 0.12f, s)));
        return WithAlpha(c, Cover((s - 1) * half, 2));
    });
}

// A thin falling streak, faint at its tail and bright at its head.
void DrawRaindrop(Canvas& canvas, int cell) {
    const Vec2 o = CellOrigin(cell);
    const Vec2 top = o + Vec2{kCell / 2.0f, kCell * 0.06f};
    const Vec2 head = o + Vec2{kCell / 2.0f, kCell * 0.88f};
    FillShaded(
        canvas, CellBox(cell), [&](Vec2 p) { return SdCapsule(p, top, head, 0.9f, 2.8f); },
        [&](Vec2 p) {
            const float t = Clamp01((p.y - top.y) / (head.y - top.y));
            return Rgba{0.88f, 0.94f, 1, 0.25f + 0.75f * t * t};
        });
}

// A drop of water, its round head at the bottom where it is going and its tail at the top.
void DrawDroplet(Canvas& canvas, int cell) {
    const Vec2 o = CellOrigin(cell);
    const Vec2 head = o + Vec2{kCell / 2.0f, kCell * 0.7f};
    const Vec2 tail = o + Vec2{kCell / 2.0f, kCell * 0.08f};
    const float r = kCell * 0.22f;
    auto sd = [&](Vec2 p) { return SdCapsule(p, tail, head, 1.0f, r); };
    FillShaded(canvas, CellBox(cell), sd, [&](Vec2 p) {
        // Clear in the middle, brighter at the rim, with a glint up one side of the head.
        const float rim = SmoothStep(-r * 0.6f, 0.0f, sd(p));
        const float glint =
            1 - SmoothStep(0.0f, r * 0.35f, Length(p - (head + Vec2{-r * 0.35f, -r * 0.35f})));
        const Rgba water{0.82f, 0.9f, 1, 0.55f + 0.35f * rim};
        return Mix(water, Rgba{1, 1, 1, 1}, glint);
    });
}

}  // namespace

Canvas MakeIconAtlas() {
    Canvas canvas(kGrid * kCell, kGrid * kCell);
    DrawShadow(canvas, 3);
    DrawTongue(canvas, 5);
    for (int i = 0; i < 4; ++i) {
        const Vec2 o = CellOrigin(13 + i);
        DrawSnowflake(canvas, o + Vec2{kCell / 2.0f, kCell / 2.0f}, kCell * 0.45f, i);
    }
    DrawRaindrop(canvas, 17);
    DrawDroplet(canvas, 18);
    return canvas;
}
