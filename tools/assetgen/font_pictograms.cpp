#include "font_pictograms.h"

#include <cmath>

#include "paint.h"

namespace {

constexpr Rgba kWhite{1, 1, 1, 1};
// Dark details stay dark whatever colour the text is drawn in.
constexpr Rgba kInk{0.08f, 0.08f, 0.08f, 1};

}  // namespace

void DrawBlockGlyph(Canvas& canvas, float x, float y, float size) {
    const float m = size * 3 / 64;
    const Vec2 c{x + size / 2, y + size / 2};
    const Vec2 half{size / 2 - m, size / 2 - m};
    Fill(canvas, {x, y, x + size, y + size}, kWhite,
         [&](Vec2 p) { return SdRoundBox(p, c, half, size * 4 / 64); });
}

void DrawFrogFaceGlyph(Canvas& canvas, float x, float y, float size) {
    const float u = size / 64;
    auto at = [&](float px, float py) { return Vec2{x + px * u, y + py * u}; };
    const Vec2 head = at(32, 37);
    const Vec2 eyeL = at(19, 22);
    const Vec2 eyeR = at(45, 22);
    Fill(canvas, {x, y, x + size, y + size}, kWhite, [&](Vec2 p) {
        const float face = SdEllipse(p, head, {25 * u, 15 * u});
        return std::min(face, std::min(SdCircle(p, eyeL, 10 * u), SdCircle(p, eyeR, 10 * u)));
    });
    for (const Vec2& eye : {eyeL, eyeR}) {
        const Vec2 pupil = eye + Vec2{0, 1.5f * u};
        Fill(canvas, CircleBox(pupil, 5 * u), kInk, [&](Vec2 p) {
            return SdEllipse(p, pupil, {5 * u, 4 * u});
        });
    }
    // A wide smile: the part of a thin ring below its centre.
    const Vec2 smileCentre = at(32, 22);
    Fill(canvas, CircleBox(smileCentre, 24 * u), kInk, [&](Vec2 p) {
        const float ring = std::fabs(SdCircle(p, smileCentre, 21 * u)) - 1.3f * u;
        return std::max(ring, smileCentre.y + 12 * u - p.y);
    });
}

void DrawFlyGlyph(Canvas& canvas, float x, float y, float size) {
    const float u = size / 64;
    auto at = [&](float px, float py) { return Vec2{x + px * u, y + py * u}; };
    for (int side = -1; side <= 1; side += 2) {
        for (int leg = 0; leg < 3; ++leg) {
            const Vec2 hip = at(32, 24 + leg * 4.0f);
            const Vec2 knee = at(32 + side * (9 + leg * 2), 20 + leg * 10.0f);
            const Vec2 foot = at(32 + side * (11 + leg * 3), 26 + leg * 12.0f);
            Fill(canvas, PointsBox({hip, knee, foot}), kWhite, [&](Vec2 p) {
                return std::min(SdCapsule(p, hip, knee, 1.1f * u, 0.9f * u),
                                SdCapsule(p, knee, foot, 0.9f * u, 0.7f * u));
            });
        }
        // Wings sweep back from the thorax, over the legs.
        const Vec2 wing = at(32 + side * 13, 34);
        const float tilt = side * -0.9f;
        Fill(canvas, CircleBox(wing, 17 * u), WithAlpha(kWhite, 0.55f), [&](Vec2 p) {
            return SdEllipse(Rotate(p, wing, tilt), wing, {16 * u, 7 * u});
        });
    }
    Fill(canvas, {x, y, x + size, y + size}, kWhite, [&](Vec2 p) {
        const float head = SdCircle(p, at(32, 14), 7 * u);
        const float thorax = SdEllipse(p, at(32, 26), {8 * u, 8 * u});
        const float abdomen = SdEllipse(p, at(32, 42), {7 * u, 12 * u});
        return std::min(head, std::min(thorax, abdomen));
    });
    for (int side = -1; side <= 1; side += 2) {
        const Vec2 eye = at(32 + side * 4.0f, 12);
        Fill(canvas, CircleBox(eye, 4 * u), kInk, [&](Vec2 p) { return SdCircle(p, eye, 3 * u); });
    }
}

void DrawLilyPadGlyph(Canvas& canvas, float x, float y, float size) {
    const float u = size / 64;
    const Vec2 c{x + 32 * u, y + 33 * u};
    const float r = 25 * u;
    constexpr float kNotch = -0.9f;  // direction of the notch, radians from the x axis
    auto notch = [&](Vec2 p) {
        const Vec2 d = p - c;
        const float off = std::remainder(std::atan2(d.y, d.x) - kNotch, 6.2831853f);
        return 0.22f - std::fabs(off);
    };
    Fill(canvas, CircleBox(c, r), kWhite, [&](Vec2 p) {
        // The wedge is an angle, so turn it into pixels by the distance from the centre.
        const float wedge = notch(p) * Length(p - c);
        return std::max(SdCircle(p, c, r), wedge);
    });
    // Veins fan out from the centre, skipping the notch.
    for (int i = 0; i < 7; ++i) {
        const float a = kNotch + 0.7f + i * 0.81f;
        const Vec2 end = c + Vec2{std::cos(a), std::sin(a)} * (r - 4 * u);
        Fill(canvas, PointsBox({c, end}), Rgba{0.7f, 0.7f, 0.7f, 1},
             [&](Vec2 p) { return SdCapsule(p, c, end, 1.1f * u, 0.5f * u); });
    }
    Fill(canvas, CircleBox(c, r), Rgba{0.75f, 0.75f, 0.75f, 1}, [&](Vec2 p) {
        const float rim = std::fabs(SdCircle(p, c, r - 1.5f * u)) - 1.2f * u;
        return std::max(rim, notch(p) * Length(p - c));
    });
}
