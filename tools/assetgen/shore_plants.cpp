#include "shore_plants.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "noise.h"
#include "paint.h"
#include "terrain.h"

namespace {

// A thin curved blade from base to tip, bending through control, narrowing to a point.
template <class ShadeFn>
void Blade(Canvas& canvas, Vec2 base, Vec2 control, Vec2 tip, float width, ShadeFn shade) {
    std::vector<Vec2> points;
    for (int i = 0; i <= 8; ++i) points.push_back(Bezier(base, control, tip, i / 8.0f));
    FillShaded(
        canvas, PointsBox(points).Grow(width + 1),
        [&](Vec2 p) {
            float d = 1e9f;
            for (size_t i = 0; i + 1 < points.size(); ++i) {
                d = std::min(d, SdCapsule(p, points[i], points[i + 1], width * (1 - i / 8.0f),
                                          width * (1 - (i + 1) / 8.0f) + 0.15f));
            }
            return d;
        },
        [&](Vec2 p) { return shade(Clamp01((base.y - p.y) / std::max(base.y - tip.y, 1.0f))); });
}

}  // namespace

void DrawReeds(Canvas& canvas, float x, float height, const Palette& palette, std::uint32_t seed) {
    Lcg rng(seed);
    const float ground = kWaterRow + 1;
    const int stems = 7 + rng.Below(6);
    for (int i = 0; i < stems; ++i) {
        const Vec2 base{x + rng.Range(-1.0f, 1.0f) * height * 0.25f,
                        ground + rng.Range(-1.0f, 1.0f)};
        const float h = height * rng.Range(0.55f, 1.0f);
        const float lean = rng.Range(-0.35f, 0.35f) * h;
        // Dry winter reeds are often snapped and hang over.
        const bool broken = palette.snow && rng.Uniform() < 0.35f;
        const Vec2 tip = broken ? base + Vec2{lean * 1.6f, -h * 0.45f} : base + Vec2{lean, -h};
        const Vec2 control = base + Vec2{lean * 0.1f, -h * 0.6f};
        const float tone = rng.Range(0.8f, 1.1f);
        Blade(canvas, base, control, tip, rng.Range(1.0f, 1.6f),
              [&](float t) { return Shade(Mix(palette.reed, palette.reedTip, t), tone); });
        // Some stems carry a cattail: a brown head with a thin spike.
        if (!broken && rng.Uniform() < 0.45f) {
            const Vec2 headTop = Bezier(base, control, tip, 0.86f);
            const Vec2 headBottom = Bezier(base, control, tip, 0.72f);
            const float r = std::max(1.2f, h * 0.045f);
            FillShaded(
                canvas, PointsBox({headTop, headBottom}).Grow(r + 2),
                [&](Vec2 p) { return SdCapsule(p, headBottom, headTop, r, r); },
                [&](Vec2 p) {
                    return Shade(palette.cattail,
                                 0.85f + 0.3f * Clamp01((headTop.x - p.x) / r * 0.5f + 0.5f));
                });
            if (palette.snow) {
                const Vec2 lift{0, -r * 0.8f};
                Fill(canvas, PointsBox({headTop, headBottom}).Grow(r + 3), Rgba{0.96f, 0.97f, 1, 1},
                     [&](Vec2 p) {
                         return SdCapsule(p, headTop + lift, headTop + lift * 0.2f, r * 0.9f,
                                          r * 0.8f);
                     });
            }
        }
    }
    // Long leaves arching out of the clump.
    const int leaves = 4 + rng.Below(4);
    for (int i = 0; i < leaves; ++i) {
        const Vec2 base{x + rng.Range(-0.2f, 0.2f) * height, ground};
        const float side = rng.Uniform() < 0.5f ? -1.0f : 1.0f;
        const float h = height * rng.Range(0.4f, 0.75f);
        const Vec2 tip = base + Vec2{side * h * rng.Range(0.4f, 0.7f), -h * rng.Range(0.45f, 0.8f)};
        const Vec2 control = base + Vec2{side * h * 0.1f, -h};
        const float tone = rng.Range(0.75f, 1.0f);
        Blade(canvas, base, control, tip, rng.Range(1.2f, 1.8f),
              [&](float t) { return Shade(Mix(palette.reed, palette.reedTip, t * 0.7f), tone); });
    }
}

void DrawBankGrass(Canvas& canvas, const Palette& palette) {
    Lcg rng(907);
    const Rgba grass = palette.snow ? palette.reed : palette.bankLit;
    const int tufts = palette.snow ? 90 : 420;
    for (int i = 0; i < tufts; ++i) {
        const float x = rng.Range(0, kBackgroundWidth);
        const Vec2 base{x, BankTop(x) + rng.Range(1.5f, 6.0f)};
        const float h = rng.Range(3.0f, 8.0f);
        const float lean = rng.Range(-0.5f, 0.5f) * h;
        const float tone = rng.Range(0.75f, 1.1f);
        Blade(canvas, base, base + Vec2{lean * 0.2f, -h * 0.6f}, base + Vec2{lean, -h},
              rng.Range(0.5f, 0.8f),
              [&](float t) { return Shade(Mix(palette.bank, grass, t), tone); });
    }
    if (palette.flowerAmount <= 0) return;
    const int flowers = static_cast<int>(160 * palette.flowerAmount);
    for (int i = 0; i < flowers; ++i) {
        const float x = rng.Range(0, kBackgroundWidth);
        const float top = BankTop(x);
        const Vec2 c{x, rng.Range(top + 1, std::max(top + 2, kWaterRow - 5))};
        const float r = rng.Range(0.7f, 1.3f);
        const Rgba colour = palette.flowers[rng.Below(3)];
        FillShaded(
            canvas, CircleBox(c, r + 1), [&](Vec2 p) { return SdCircle(p, c, r); },
            [&](Vec2 p) { return Mix(colour, Shade(colour, 0.75f), Clamp01((p.y - c.y) / r)); });
    }
}
