#include "trees.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "branches.h"
#include "foliage.h"
#include "noise.h"
#include "paint.h"

namespace {

constexpr Rgba kSnow{0.95f, 0.97f, 1.0f, 1};
constexpr Rgba kSnowShadow{0.74f, 0.8f, 0.92f, 1};

// Clumps of leaves filling an oval crown, and more at the branch tips that reach into it.
std::vector<Clump> Crown(Vec2 centre, Vec2 radii, float clumpRadius, const std::vector<Vec2>& tips,
                         Lcg& rng) {
    std::vector<Clump> clumps;
    const int count = static_cast<int>(3 * radii.x * radii.y / (clumpRadius * clumpRadius)) + 4;
    for (int i = 0; i < count; ++i) {
        const float a = rng.Range(0, 6.2831853f);
        const float r = std::sqrt(rng.Uniform());
        const Vec2 at = centre + Vec2{std::cos(a) * radii.x, std::sin(a) * radii.y} * r;
        clumps.push_back({at, clumpRadius * rng.Range(0.75f, 1.2f)});
    }
    for (const Vec2& tip : tips) {
        if (SdEllipse(tip, centre, radii * 1.15f) > 0) continue;
        clumps.push_back({tip, clumpRadius * rng.Range(0.6f, 0.9f)});
    }
    return clumps;
}

// A soft shadow on the ground under a tree.
void GroundShadow(Canvas& canvas, Vec2 base, float halfWidth) {
    const Vec2 c = base + Vec2{halfWidth * 0.15f, 1};
    canvas.Paint(c.x - halfWidth * 1.3f, c.y - 4, c.x + halfWidth * 1.3f, c.y + 4,
                 [&](float x, float y) {
                     const float d = Length(Vec2{(x - c.x) / halfWidth, (y - c.y) / 3});
                     return Rgba{0.1f, 0.12f, 0.08f, 0.3f * (1 - SmoothStep(0.3f, 1.0f, d))};
                 });
}

// Snow heaped where a trunk meets the ground.
void SnowAtFoot(Canvas& canvas, Vec2 base, float halfWidth) {
    const Vec2 c = base + Vec2{0, 1.5f};
    FillShaded(
        canvas, {c.x - halfWidth, c.y - halfWidth, c.x + halfWidth, c.y + 2},
        [&](Vec2 p) {
            return std::max(SdEllipse(p, c, {halfWidth, halfWidth * 0.3f}), p.y - c.y - 1);
        },
        [&](Vec2 p) { return Mix(kSnow, kSnowShadow, Clamp01((p.x - c.x) / halfWidth)); });
}

}  // namespace

void DrawBroadleafTree(Canvas& canvas, Vec2 base, float height, const Foliage& leaves,
                       const Palette& palette, std::uint32_t seed) {
    GroundShadow(canvas, base, height * 0.35f);
    const bool bare = leaves.density <= 0;
    const BranchStyle style{palette.bark, 0.7f, 0.74f, 0, bare ? 7 : 6, palette.snow};
    const std::vector<Vec2> tips =
        DrawBranches(canvas, base, height * 0.28f, height * 0.035f, style, seed);
    Lcg rng(seed + 1);
    const Vec2 centre = base + Vec2{0, -height * 0.62f};
    DrawFoliage(canvas, Crown(centre, Vec2{0.36f, 0.3f} * height, height * 0.1f, tips, rng), leaves,
                seed + 2);
    if (palette.snow) SnowAtFoot(canvas, base, height * 0.12f);
}

void DrawPoplar(Canvas& canvas, Vec2 base, float height, const Foliage& leaves,
                const Palette& palette, std::uint32_t seed) {
    GroundShadow(canvas, base, height * 0.12f);
    const bool bare = leaves.density <= 0;
    const BranchStyle style{palette.bark, 0.2f, 0.72f, 0, bare ? 7 : 3, palette.snow};
    const std::vector<Vec2> tips =
        DrawBranches(canvas, base, height * 0.26f, height * 0.022f, style, seed);
    Lcg rng(seed + 1);
    const Vec2 centre = base + Vec2{0, -height * 0.56f};
    DrawFoliage(canvas, Crown(centre, Vec2{0.1f, 0.42f} * height, height * 0.055f, tips, rng),
                leaves, seed + 2);
    if (palette.snow) SnowAtFoot(canvas, base, height * 0.06f);
}

void DrawBirch(Canvas& canvas, Vec2 base, float height, const Palette& palette,
               std::uint32_t seed) {
    GroundShadow(canvas, base, height * 0.2f);
    const Foliage& leaves = palette.birch;
    const BranchStyle style{Shade(palette.bark, 1.2f),   0.5f,        0.78f, 0.3f,
                            leaves.density <= 0 ? 7 : 6, palette.snow};
    const std::vector<Vec2> tips = DrawBranches(canvas, base + Vec2{0, -height * 0.32f},
                                                height * 0.17f, height * 0.016f, style, seed);
    // The white trunk with its dark marks, over the branches' base.
    const Vec2 top = base + Vec2{0, -height * 0.62f};
    const float width = height * 0.022f;
    FillShaded(
        canvas, PointsBox({base, top}).Grow(width * 2),
        [&](Vec2 p) { return SdCapsule(p, base, top, width, width * 0.6f); },
        [&](Vec2 p) {
            const float marks = ValueNoise(p.x / 1.5f, p.y / 1.2f, seed + 5);
            const Rgba bark = Mix(palette.birchBark, Shade(palette.birchBark, 0.75f),
                                  Clamp01((p.x - base.x) / width * 0.5f + 0.5f));
            return Mix(bark, Hex(0x2A2824), SmoothStep(0.68f, 0.74f, marks));
        });
    Lcg rng(seed + 1);
    const Vec2 centre = base + Vec2{0, -height * 0.64f};
    DrawFoliage(canvas, Crown(centre, Vec2{0.2f, 0.3f} * height, height * 0.06f, tips, rng), leaves,
                seed + 2);
    if (palette.snow) SnowAtFoot(canvas, base, height * 0.08f);
}

void DrawConifer(Canvas& canvas, Vec2 base, float height, const Palette& palette,
                 std::uint32_t seed) {
    const Foliage& needles = palette.conifer;
    const float width = height * 0.36f;
    GroundShadow(canvas, base, width * 0.8f);
    const Vec2 top = base + Vec2{0, -height * 0.3f};
    Fill(canvas, PointsBox({base, top}).Grow(4), palette.bark,
         [&](Vec2 p) { return SdCapsule(p, base, top, height * 0.02f, height * 0.015f); });
    Lcg rng(seed);
    constexpr int kTiers = 8;
    for (int i = 0; i < kTiers; ++i) {
        const float t = i / (kTiers - 1.0f);
        const float tierHeight = height * Lerp(0.24f, 0.14f, t);
        const float bottom = base.y - height * Lerp(0.1f, 0.78f, t);
        const float half = width * Lerp(1.0f, 0.18f, t) * rng.Range(0.9f, 1.1f);
        const float cx = base.x + rng.Range(-0.03f, 0.03f) * width;
        const std::vector<Vec2> tier = {
            {cx, bottom - tierHeight},
            {cx + half, bottom + tierHeight * 0.06f},
            {cx + half * 0.5f, bottom - tierHeight * 0.1f},
            {cx, bottom - tierHeight * 0.02f},
            {cx - half * 0.5f, bottom - tierHeight * 0.1f},
            {cx - half, bottom + tierHeight * 0.06f},
        };
        // Needles make the edge bristle.
        auto sd = [&](Vec2 p) {
            return SdPolygon(p, tier) +
                   1.4f * (ValueNoise(p.x / 1.2f, p.y / 1.2f, seed + i) - 0.5f);
        };
        FillShaded(canvas, PointsBox(tier).Grow(2), sd, [&](Vec2 p) {
            const float lit =
                Clamp01(0.5f - (p.x - cx) / (half * 2) + (bottom - p.y) / tierHeight * 0.3f);
            const Rgba c = Mix(needles.dark, Mix(needles.mid, needles.light, lit), lit);
            return Shade(c, 0.9f + 0.2f * ValueNoise(p.x / 1.5f, p.y / 1.5f, seed + 40));
        });
        if (palette.snow) {
            const float depth = tierHeight * 0.28f;
            FillShaded(
                canvas, PointsBox(tier).Grow(2),
                [&](Vec2 p) {
                    return std::max(sd(p), -sd(p + Vec2{0, -depth}) - 0.5f);
                },
                [&](Vec2 p) { return Mix(kSnow, kSnowShadow, Clamp01((p.x - cx) / half)); });
        }
    }
    if (palette.snow) SnowAtFoot(canvas, base, width * 0.7f);
}

void DrawBush(Canvas& canvas, Vec2 base, float width, const Foliage& leaves, const Palette& palette,
              std::uint32_t seed) {
    Lcg rng(seed);
    GroundShadow(canvas, base, width * 0.6f);
    if (leaves.density <= 0) {
        // Bare twigs standing out of a drift of snow.
        const BranchStyle style{palette.bark, 0.5f, 0.7f, 0, 4, false};
        for (int i = 0; i < 4; ++i) {
            DrawBranches(canvas, base + Vec2{rng.Range(-0.3f, 0.3f) * width, 0}, width * 0.25f,
                         1.2f, style, seed + i);
        }
        if (palette.snow) SnowAtFoot(canvas, base, width * 0.6f);
        return;
    }
    std::vector<Clump> clumps;
    for (int i = 0; i < 9; ++i) {
        const float a = rng.Range(-1.4f, 1.4f);
        const float r = width * rng.Range(0.16f, 0.26f);
        clumps.push_back(
            {base + Vec2{std::sin(a) * width * 0.35f, -std::cos(a) * width * 0.22f - r * 0.6f}, r});
    }
    DrawFoliage(canvas, clumps, leaves, seed + 1);
}
