#include "snowflakes.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "paint.h"

namespace {

constexpr float kSixth = 3.14159265f / 3;

struct Stroke {
    Vec2 a, b;
    float ra, rb;
};

Vec2 Polar(Vec2 c, float angle, float r) {
    return c + Vec2{std::sin(angle), -std::cos(angle)} * r;
}

// Adds a copy of one arm's strokes for each of the six arms.
void AddArm(std::vector<Stroke>& strokes, Vec2 c, float r, int style) {
    for (int k = 0; k < 6; ++k) {
        const float a = k * kSixth;
        auto at = [&](float along, float side, float spread) {
            // A point `along` the arm and turned off it by `spread` radians for `side` of r.
            return Polar(Polar(c, a, along * r), a + spread, side * r);
        };
        switch (style) {
            case 0:
                strokes.push_back({c, Polar(c, a, r), 0.07f * r, 0.035f * r});
                for (float t : {0.35f, 0.55f, 0.75f}) {
                    const float len = 0.45f * (1 - t) + 0.05f;
                    for (float s : {-1.0f, 1.0f}) {
                        strokes.push_back(
                            {Polar(c, a, t * r), at(t, len, s * kSixth), 0.04f * r, 0.025f * r});
                    }
                }
                break;
            case 1:
                strokes.push_back({c, Polar(c, a, 0.82f * r), 0.1f * r, 0.07f * r});
                for (float s : {-1.0f, 1.0f}) {
                    strokes.push_back(
                        {Polar(c, a, 0.7f * r), at(0.7f, 0.2f, s * kSixth), 0.05f * r, 0.04f * r});
                }
                break;
            case 2:
                strokes.push_back({c, Polar(c, a, 0.75f * r), 0.08f * r, 0.05f * r});
                for (float s : {-1.0f, 1.0f}) {
                    strokes.push_back({Polar(c, a, 0.72f * r), at(0.72f, 0.28f, s * 0.6f),
                                       0.05f * r, 0.025f * r});
                }
                strokes.push_back({Polar(c, a, 0.35f * r), Polar(c, a + kSixth / 2, 0.3f * r),
                                   0.03f * r, 0.03f * r});
                break;
            default:
                strokes.push_back({c, Polar(c, a, 0.55f * r), 0.09f * r, 0.04f * r});
                break;
        }
    }
}

}  // namespace

void DrawSnowflake(Canvas& canvas, Vec2 c, float radius, int style) {
    const Box box = CircleBox(c, radius);
    // A faint glow keeps the flake visible when it is drawn only a few pixels wide.
    const float glow = style == 3 ? 0.75f : 0.35f;
    const float glowRadius = style == 3 ? radius * 0.95f : radius * 0.7f;
    canvas.Paint(box.x0, box.y0, box.x1, box.y1, [&](float x, float y) {
        const float t = 1 - SmoothStep(0.0f, glowRadius, Length(Vec2{x, y} - c));
        return Rgba{1, 1, 1, glow * t * t};
    });
    std::vector<Stroke> strokes;
    AddArm(strokes, c, radius, style);
    std::vector<Vec2> hexagon;
    for (int k = 0; k < 6; ++k) hexagon.push_back(Polar(c, k * kSixth + kSixth / 2, radius * 0.3f));
    Fill(canvas, box, Rgba{1, 1, 1, 1}, [&](Vec2 p) {
        float d = 1e9f;
        for (const Stroke& s : strokes) d = std::min(d, SdCapsule(p, s.a, s.b, s.ra, s.rb));
        if (style == 1) d = std::min(d, SdPolygon(p, hexagon));
        return d;
    });
    if (style == 1) {
        // An engraved inner hexagon, as plates have.
        std::vector<Vec2> inner;
        for (const Vec2& v : hexagon) inner.push_back(LerpV(c, v, 0.6f));
        canvas.Erase(box.x0, box.y0, box.x1, box.y1, [&](float x, float y) {
            return 0.6f * Cover(std::fabs(SdPolygon(Vec2{x, y}, inner)) - 0.6f);
        });
    }
}
