#include "branches.h"

#include <cmath>

#include "noise.h"
#include "paint.h"

namespace {

struct Grower {
    Canvas& canvas;
    const BranchStyle& style;
    Lcg rng;
    std::vector<Vec2> tips;

    // angle: radians from straight up, positive to the right.
    void Grow(Vec2 start, float angle, float length, float width, int depth) {
        const Vec2 end = start + Vec2{std::sin(angle), -std::cos(angle)} * length;
        const float endWidth = width * 0.72f;
        const Rgba bark = Shade(style.bark, rng.Range(0.85f, 1.15f));
        Fill(canvas, PointsBox({start, end}).Grow(width), bark,
             [&](Vec2 p) { return SdCapsule(p, start, end, width, endWidth); });
        // Snow settles on branches that are not too steep.
        if (style.snow && width > 0.6f && std::fabs(std::sin(angle)) > 0.35f) {
            const Vec2 lift{0, -width * 0.9f};
            Fill(canvas, PointsBox({start, end}).Grow(width * 2), Rgba{0.96f, 0.97f, 1, 0.95f},
                 [&](Vec2 p) {
                     return SdCapsule(p, start + lift, end + lift, width * 0.6f, endWidth * 0.5f);
                 });
        }
        if (depth <= 3) tips.push_back(end);
        if (depth == 0) return;
        const int forks = rng.Uniform() < 0.3f ? 3 : 2;
        for (int i = 0; i < forks; ++i) {
            const float side = i - (forks - 1) * 0.5f;
            float a =
                angle + style.spread * side * rng.Range(0.7f, 1.2f) + rng.Range(-0.15f, 0.15f);
            // Branches lean back towards the light, and low ones droop when asked to.
            a *= 0.88f;
            if (depth <= 2) a += style.droop * (a > 0 ? 1.0f : -1.0f);
            // Side shoots start partway along the parent, the leader at its end.
            const float along = i == 0 ? 1.0f : rng.Range(0.55f, 1.0f);
            const Vec2 from = LerpV(start, end, along);
            Grow(from, a, length * style.shrink * rng.Range(0.85f, 1.1f), endWidth * 0.75f,
                 depth - 1);
        }
    }
};

}  // namespace

std::vector<Vec2> DrawBranches(Canvas& canvas, Vec2 base, float trunkLength, float trunkWidth,
                               const BranchStyle& style, std::uint32_t seed) {
    // The trunk flares into its roots and stands flat on the ground.
    const float w = trunkWidth;
    const std::vector<Vec2> roots = {
        {base.x - 2.2f * w, base.y + 1},        {base.x - 0.9f * w, base.y - 1.5f * w},
        {base.x - 0.8f * w, base.y - 3 * w},    {base.x + 0.8f * w, base.y - 3 * w},
        {base.x + 0.9f * w, base.y - 1.5f * w}, {base.x + 2.2f * w, base.y + 1}};
    Fill(canvas, PointsBox(roots), style.bark, [&](Vec2 p) { return SdPolygon(p, roots); });
    Grower grower{canvas, style, Lcg(seed), {}};
    grower.Grow(base + Vec2{0, -w}, 0, trunkLength - w, w, style.depth);
    return grower.tips;
}
