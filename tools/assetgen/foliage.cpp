#include "foliage.h"

#include <algorithm>
#include <cmath>

#include "noise.h"
#include "paint.h"

namespace {

// One round of clumps: each is drawn `scale` times its size, moved by `shift` times its
// size, in the colour `tone` gives for the point.
template <class ToneFn>
void PaintClumps(Canvas& canvas, const std::vector<Clump>& clumps, float scale, Vec2 shift,
                 float gaps, std::uint32_t seed, ToneFn tone) {
    for (const Clump& clump : clumps) {
        const Vec2 c = clump.centre + shift * clump.radius;
        const float r = clump.radius * scale;
        // Leafy, ragged edges rather than perfect circles.
        auto sd = [&](Vec2 p) {
            const float leafy = ValueNoise(p.x / 1.8f, p.y / 1.8f, seed) - 0.5f;
            return Length(p - c) - r + leafy * std::min(r, 6.0f) * 0.9f;
        };
        FillShaded(canvas, CircleBox(c, r * 1.3f), sd, [&](Vec2 p) {
            Rgba colour = tone(p, clump);
            if (gaps > 0) {
                const float holes = Fractal(p.x / 3.5f, p.y / 3.5f, 2, seed + 7);
                colour.a *= SmoothStep(gaps - 0.08f, gaps + 0.08f, holes);
            }
            return colour;
        });
    }
}

}  // namespace

void DrawFoliage(Canvas& canvas, const std::vector<Clump>& clumps, const Foliage& leaves,
                 std::uint32_t seed) {
    if (clumps.empty() || leaves.density <= 0) return;
    Vec2 centre{0, 0};
    float top = clumps[0].centre.y;
    float bottom = top;
    for (const Clump& c : clumps) {
        centre = centre + c.centre * (1.0f / clumps.size());
        top = std::min(top, c.centre.y - c.radius);
        bottom = std::max(bottom, c.centre.y + c.radius);
    }
    const float height = std::max(bottom - top, 1.0f);
    const float gaps = (1 - leaves.density) * 1.3f;
    // Lighter towards the top and the left of the whole crown.
    auto lit = [&](Vec2 p) {
        return Clamp01(0.5f + (centre.y - p.y) / height + (centre.x - p.x) / (height * 1.5f));
    };
    auto grain = [&](Vec2 p) { return 0.9f + 0.2f * ValueNoise(p.x / 1.3f, p.y / 1.3f, seed + 3); };
    PaintClumps(canvas, clumps, 1.0f, {0, 0}, gaps, seed,
                [&](Vec2 p, const Clump&) { return Shade(leaves.dark, grain(p)); });
    PaintClumps(canvas, clumps, 0.72f, {-0.2f, -0.24f}, gaps, seed + 11, [&](Vec2 p, const Clump&) {
        const Rgba c = Mix(leaves.dark, leaves.mid, 0.45f + 0.55f * lit(p));
        return Shade(c, grain(p));
    });
    std::vector<Clump> litClumps;
    for (const Clump& c : clumps) {
        if (lit(c.centre) > 0.55f) litClumps.push_back(c);
    }
    PaintClumps(canvas, litClumps, 0.4f, {-0.32f, -0.4f}, gaps, seed + 23,
                [&](Vec2 p, const Clump&) {
                    const Rgba c = Mix(leaves.mid, leaves.light, lit(p));
                    return Shade(WithAlpha(c, 0.85f), grain(p));
                });
}
