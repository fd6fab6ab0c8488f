#include "fly.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "frog_cell.h"
#include "strip_paint.h"

namespace {

// The cell in the fly's units: -1 to 1 across, 1 at the top down to -1.
StripArea FlyArea(int cell) {
    const FrogCell c(cell);
    return {{c.x0, c.y0, c.x0 + kFrogCell, c.y0 + kFrogCell}, {-1, 1, 1, -1}};
}

Rgba OverColour(Rgba under, Rgba top, float amount) {
    return Mix(under, WithAlpha(top, under.a), Clamp01(amount));
}

struct Leg {
    Vec2 hip, knee, foot;
};

float Legs(Vec2 p) {
    const Leg legs[] = {{{0.1f, 0.34f}, {0.34f, 0.52f}, {0.42f, 0.76f}},
                        {{0.14f, 0.26f}, {0.46f, 0.24f}, {0.62f, 0.02f}},
                        {{0.1f, 0.16f}, {0.36f, -0.1f}, {0.44f, -0.5f}}};
    const Vec2 q{std::fabs(p.x), p.y};  // both sides at once
    float d = 1e9f;
    for (const Leg& l : legs) {
        d = std::min(d, SdCapsule(q, l.hip, l.knee, 0.03f, 0.025f));
        d = std::min(d, SdCapsule(q, l.knee, l.foot, 0.025f, 0.015f));
    }
    return d;
}

}  // namespace

void DrawFlyBody(Canvas& canvas, int cell) {
    const StripArea area = FlyArea(cell);
    const Vec2 eyeL{-0.15f, 0.6f};
    const Vec2 eyeR{0.15f, 0.6f};
    auto head = [](Vec2 p) { return SdEllipse(p, {0, 0.56f}, {0.19f, 0.15f}); };
    auto thorax = [](Vec2 p) { return SdEllipse(p, {0, 0.28f}, {0.21f, 0.2f}); };
    auto abdomen = [](Vec2 p) {
        return SdEllipse(p, {0, -0.24f}, {0.19f + 0.03f * std::min(p.y + 0.24f, 0.0f), 0.42f});
    };
    auto eyes = [&](Vec2 p) {
        return std::min(SdEllipse(p, eyeL, {0.13f, 0.15f}), SdEllipse(p, eyeR, {0.13f, 0.15f}));
    };
    auto body = [&](Vec2 p) {
        return std::min({head(p), thorax(p), abdomen(p), eyes(p), Legs(p)});
    };
    PaintScaled(canvas, area, body, [&](Vec2 p, float d) {
        // Light comes from the upper left; every part darkens towards its outline.
        const float rim = SmoothStep(-0.06f, 0.0f, d);
        const float light = Clamp01(0.5f - 0.6f * p.x);
        Rgba c = Hex(0x302C30);  // legs
        if (abdomen(p) < 0.005f) {
            c = Mix(Hex(0x3A6A5A), Hex(0x8AC8B0), light * 0.6f);
            // Dark rings between the segments.
            const float ring = std::fabs(std::fmod(p.y + 2, 0.2f) - 0.1f);
            c = Shade(c, 0.75f + 0.25f * SmoothStep(0.0f, 0.03f, ring));
        }
        if (thorax(p) < 0.005f) c = Mix(Hex(0x505060), Hex(0x9898A8), light * 0.7f);
        if (head(p) < 0.005f) c = Hex(0x484048);
        if (eyes(p) < 0.005f) {
            const float e = std::min(Length(p - eyeL), Length(p - eyeR)) / 0.14f;
            c = Mix(Hex(0xFF6A40), Hex(0xA02010), e);
        }
        c = Shade(c, 1 - 0.35f * rim);
        const Vec2 shine{-0.08f, 0.34f};
        return OverColour(c, Rgba{1, 1, 1, 1},
                          0.6f * (1 - SmoothStep(0.0f, 0.07f, Length(p - shine))));
    });
}

void DrawFlyWing(Canvas& canvas, int cell) {
    const StripArea area = FlyArea(cell);
    const Vec2 root{0.78f, 0.18f};
    const Vec2 tip{-0.86f, -0.16f};
    const Vec2 mid = LerpV(root, tip, 0.55f);
    const float angle = std::atan2(tip.y - root.y, tip.x - root.x);
    auto wing = [&](Vec2 p) {
        const float blade =
            SdEllipse(Rotate(p, mid, -angle), mid, {Length(tip - root) * 0.48f, 0.27f});
        return std::min(blade, SdCapsule(p, root, mid, 0.06f, 0.2f));
    };
    const std::vector<Vec2> veinEnds = {{-0.7f, 0.02f}, {-0.8f, -0.22f}, {-0.3f, -0.32f}};
    PaintScaled(canvas, area, wing, [&](Vec2 p, float d) {
        float vein = 1e9f;
        for (const Vec2& e : veinEnds) vein = std::min(vein, SdCapsule(p, root, e, 0.018f, 0.01f));
        const float edge = SmoothStep(-0.04f, 0.0f, d);
        // Clear membrane with a faint rainbow sheen, darker veins and rim.
        const float sheen = 0.5f + 0.5f * std::sin(p.x * 5 + p.y * 3);
        Rgba c = Mix(Rgba{0.9f, 0.97f, 1.0f, 0.38f}, Rgba{1.0f, 0.92f, 0.98f, 0.38f}, sheen);
        const float line = std::max(edge, Clamp01(0.5f - vein * 60));
        return Mix(c, Rgba{0.55f, 0.6f, 0.66f, 0.75f}, line);
    });
}
