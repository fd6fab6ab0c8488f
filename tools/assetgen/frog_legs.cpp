#include "frog_legs.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "frog_cell.h"
#include "noise.h"
#include "strip_paint.h"

namespace {

// A limb along the strip's middle line from v0 to v1, its radius going from r0 to r1 and
// swelling by `bulge` in between.
float Limb(Vec2 p, float v0, float v1, float r0, float r1, float bulge) {
    const float t = Clamp01((p.y - v0) / (v1 - v0));
    const float r = Lerp(r0, r1, t) + bulge * std::sin(3.14159265f * t);
    return Length(Vec2{p.x, p.y - Lerp(v0, v1, t)}) - r;
}

// Digits fanning out from `palm` to the tips, with round pads at the ends.
float Digits(Vec2 p, Vec2 palm, const std::vector<Vec2>& tips, float r) {
    float d = 1e9f;
    for (const Vec2& tip : tips) {
        d = std::min(d, SdCapsule(p, palm, tip, r * 1.2f, r * 0.8f));
        d = std::min(d, SdCircle(p, tip, r * 1.25f));
    }
    return d;
}

struct Piece {
    int tile;
    float halfWidth;  // units across, each side of the middle line
    float length;     // units from the top edge to the bottom edge
    std::function<float(Vec2)> shape;
    float bands;  // strength of the dark cross-bands
};

void DrawPiece(Canvas& canvas, const Piece& piece) {
    const FrogCell cell(piece.tile);
    const StripArea area{{cell.x0, cell.y0, cell.x0 + kFrogCell, cell.y0 + kFrogCell},
                         {-piece.halfWidth, 0, piece.halfWidth, piece.length}};
    PaintScaled(canvas, area, piece.shape, [&](Vec2 p, float d) {
        // Rounded across like a limb: light along the middle, dark at the edges.
        float shade = 0.7f + 0.3f * SmoothStep(0.0f, 0.9f, -d);
        const float band = std::sin(p.y * 1.3f + 1.5f * ValueNoise(p.x * 2, p.y, 9));
        shade *= 1 - piece.bands * SmoothStep(0.3f, 0.8f, band);
        shade *= 0.95f + 0.1f * ValueNoise(p.x * 3, p.y * 2, 13);
        return Rgba{shade, shade, shade, 1};
    });
}

}  // namespace

void DrawFrogLegs(Canvas& canvas) {
    const Piece pieces[] = {
        // Thigh: thick at the hip, narrowing to the knee.
        {4, 3.0f, 19, [](Vec2 p) { return Limb(p, 3.0f, 17.2f, 2.85f, 1.55f, 0.25f); }, 0.2f},
        // Shin: a calf under the knee, slim at the ankle.
        {5, 2.0f, 19, [](Vec2 p) { return Limb(p, 2.0f, 17.3f, 1.75f, 1.1f, 0.2f); }, 0.2f},
        // Foot: from the ankle to three long webbed toes.
        {6, 1.5f, 13,
         [](Vec2 p) {
             const Vec2 palm{0, 5.5f};
             const float toes = Digits(p, palm, {{-1.1f, 12.2f}, {0, 12.5f}, {1.1f, 12.2f}}, 0.26f);
             const float web = SdPolygon(p, {{-0.35f, 6},
                                             {-1.1f, 11.6f},
                                             {-0.55f, 10.6f},
                                             {0, 11.9f},
                                             {0.55f, 10.6f},
                                             {1.1f, 11.6f},
                                             {0.35f, 6}});
             return std::min({Limb(p, 1.0f, 6.0f, 0.6f, 0.7f, 0), toes, web});
         },
         0},
        // Upper arm.
        {7, 1.4f, 8.5f, [](Vec2 p) { return Limb(p, 1.4f, 7.2f, 1.3f, 1.05f, 0.1f); }, 0},
        // Forearm and a hand with four fingers.
        {8, 2.0f, 10,
         [](Vec2 p) {
             const float fingers = Digits(
                 p, {0, 6.2f}, {{-1.45f, 9.2f}, {-0.5f, 9.6f}, {0.5f, 9.6f}, {1.45f, 9.2f}}, 0.26f);
             return std::min(Limb(p, 1.2f, 6.4f, 0.8f, 0.65f, 0.05f), fingers);
         },
         0},
    };
    for (const Piece& piece : pieces) DrawPiece(canvas, piece);
}
