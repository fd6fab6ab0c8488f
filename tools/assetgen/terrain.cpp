#include "terrain.h"

#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "noise.h"
#include "shapes.h"

namespace {

constexpr float kWidth = kBackgroundWidth;
constexpr int kFieldsAcross = 22;

// Noise that repeats across the picture's width, with `across` lattice cells in it.
float LoopNoise(float x, float y, int across, std::uint32_t seed) {
    return ValueNoise(x * across / kWidth, y, seed, across);
}

float LoopFractal(float x, float y, int across, int octaves, std::uint32_t seed) {
    return Fractal(x * across / kWidth, y, octaves, seed, across);
}

// The top row of a ridge at column x: `features` bumps across the picture, repeating exactly
// at its sides so the picture tiles.
float Ridge(float x, float base, float amplitude, int features, std::uint32_t seed) {
    return base - amplitude * LoopFractal(x, 0.5f, features, 4, seed);
}

// Fills everything below ridge(x), with a one-pixel soft top edge.
template <class RidgeFn, class ShadeFn>
void FillBelow(Canvas& canvas, float highest, RidgeFn ridge, ShadeFn shade) {
    canvas.Paint(0, highest - 2, kWidth, kBackgroundHeight, [&](float x, float y) {
        const float top = ridge(x);
        const float slope = (ridge(x + 1) - ridge(x - 1)) / 2;
        const float cover = Cover((top - y) / std::sqrt(1 + slope * slope));
        if (cover <= 0) return Rgba{};
        const Rgba c = shade(x, y, top, slope);
        return WithAlpha(c, c.a * cover);
    });
}

struct Peak {
    float x, height, steepness;
};

// The distant range's summits, as (column, height above row 404, fall per column).
constexpr Peak kPeaks[] = {
    {40, 62, 0.45f},   {150, 84, 0.6f}, {245, 58, 0.5f}, {330, 92, 0.55f}, {470, 70, 0.4f},
    {560, 104, 0.65f}, {700, 66, 0.5f}, {790, 88, 0.6f}, {905, 74, 0.45f}, {980, 50, 0.5f},
};

float MountainRidge(float x) {
    float height = 0;
    for (const Peak& p : kPeaks) {
        float dx = std::fabs(x - p.x);
        dx = std::min(dx, kWidth - dx);  // the range repeats across the picture's sides
        height = std::max(height, p.height - dx * p.steepness);
    }
    // Folded noise breaks the slopes into crags.
    const float crags = 1 - std::fabs(2 * LoopFractal(x, 1.5f, 24, 3, 213) - 1);
    return 404 - height - 10 * crags;
}

float FarHillRidge(float x) {
    const float ridge = Ridge(x, 408, 34, 6, 307);
    // Trees along the skyline, a few pixels tall.
    return ridge - 3.5f * LoopNoise(x, 1.5f, 292, 311);
}

float HillRidge(float x) {
    return Ridge(x, 448, 36, 4, 401);
}

// Where the woods lie on the near hills: 0 open land, 1 wood.
float WoodsAmount(float x) {
    return SmoothStep(0.47f, 0.6f, LoopFractal(x, 3.5f, 6, 3, 419));
}

}  // namespace

void DrawMountains(Canvas& canvas, const Palette& palette) {
    FillBelow(canvas, 290, MountainRidge, [&](float x, float y, float top, float slope) {
        // Rock and gullies running down the slopes; faces towards the light are brighter near
        // the crest.
        const float rock = LoopFractal(x, y / 14, 170, 3, 217);
        const float face = 0.08f * std::clamp(-slope, -1.0f, 1.0f) * SmoothStep(top + 20, top, y);
        Rgba c = Shade(palette.mountains, 0.93f + 0.14f * rock + face);
        // Snow on the peaks in winter, and what is left of it in spring.
        const float snowLine = palette.snow ? 380.0f : 346.0f;
        const float streaks = 14 * LoopFractal(x, y / 9, 48, 3, 223);
        const float snowy = SmoothStep(snowLine + 5, snowLine - 3, y + streaks);
        c = Mix(c, Mix(Rgba{0.94f, 0.96f, 1.0f, 1}, palette.mountains, 0.3f), snowy);
        // Half hidden by the haze: the sky shows through, more so near the foot.
        return WithAlpha(c, 0.62f - 0.22f * SmoothStep(top, top + 60, y));
    });
}

void DrawHills(Canvas& canvas, const Palette& palette) {
    FillBelow(canvas, 360, FarHillRidge, [&](float x, float y, float top, float) {
        const float texture = LoopFractal(x, y / 4, 170, 3, 331);
        Rgba c = Shade(palette.farHills, 0.94f + 0.12f * texture);
        c = Mix(c, Shade(palette.farHills, 1.12f), SmoothStep(top + 6, top, y) * 0.5f);
        return WithAlpha(c, 0.88f);
    });
    FillBelow(canvas, 400, HillRidge, [&](float x, float y, float top, float slope) {
        const float depth = y - top;
        // Fields in strips that follow the hill, cut across at random places.
        const float u = x * kFieldsAcross / kWidth + 0.8f * LoopNoise(x, depth / 9, 17, 433);
        const float v = depth / 10 + 0.3f * LoopNoise(x, 2.5f, 34, 439);
        const int column =
            (static_cast<int>(std::floor(u)) % kFieldsAcross + kFieldsAcross) % kFieldsAcross;
        const std::uint32_t field = Hash(column, static_cast<int>(std::floor(v)), 443);
        Rgba c = Mix(palette.hills, palette.hillsLit, SmoothStep(12, 0, depth) * 0.7f);
        if (field % 3 != 0) c = Mix(c, palette.fields[field % 3], 0.75f);
        // Dark hedges between the fields.
        const float edgeU = std::fabs(u - std::round(u));
        const float edgeV = std::fabs(v - std::round(v));
        c = Mix(c, palette.woods, 0.35f * (1 - SmoothStep(0.01f, 0.05f, std::min(edgeU, edgeV))));
        c = Shade(c, 0.97f - 0.06f * std::clamp(slope, -1.0f, 1.0f) +
                         0.06f * LoopFractal(x, y / 2, 341, 2, 449));
        // Woods: a band of tree tops over the hill's crest.
        const float edge = y + 6 * LoopNoise(x, 0.5f, 93, 457);
        const float woods = WoodsAmount(x) * SmoothStep(top + 26, top + 14, edge);
        const float crowns = LoopFractal(x, y / 2.5f, 410, 2, 461);
        c = Mix(c, Shade(palette.woods, 0.75f + 0.5f * crowns), woods);
        return c;
    });
    // Tree tops of the woods rise above the crest.
    FillBelow(
        canvas, 380,
        [](float x) {
            const float lift = 9 * WoodsAmount(x) * (0.6f + 0.4f * LoopNoise(x, 0.5f, 256, 467));
            return HillRidge(x) - lift;
        },
        [&](float x, float y, float top, float) {
            if (y > HillRidge(x) + 1) return Rgba{};
            const float crowns = LoopFractal(x, y / 2.5f, 410, 2, 461);
            return Shade(palette.woods, 0.8f + 0.4f * crowns + 0.25f * SmoothStep(top + 4, top, y));
        });
}

float BankTop(float x) {
    return Ridge(x, 492, 12, 5, 503);
}

void DrawBank(Canvas& canvas, const Palette& palette) {
    const float shore = kWaterRow - 1.5f;
    FillBelow(canvas, 470, BankTop, [&](float x, float y, float top, float) {
        const float t = Clamp01((y - top) / std::max(shore - top, 1.0f));
        Rgba c = Mix(palette.bankLit, palette.bank, SmoothStep(0.0f, 0.8f, t));
        c = Shade(c, 0.92f + 0.16f * LoopFractal(x, y / 2, 256, 3, 509));
        // Wet earth where the bank meets the water, then its darker reflection below.
        const float edge = shore + 1.5f * LoopNoise(x, 0.5f, 146, 521);
        c = Mix(c, palette.mud, SmoothStep(edge - 4, edge, y));
        if (y > edge + 0.5f) c = Shade(Mix(palette.bank, palette.mud, 0.6f), 0.7f);
        return c;
    });
}
