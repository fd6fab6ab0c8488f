#include "frog_body.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "frog_cell.h"
#include "frog_shape.h"
#include "noise.h"

namespace {

struct Spot {
    Vec2 centre;
    float radius;
};

// Blotches down the back, placed by hand to look like a leopard frog's.
const Spot kSpots[] = {
    {{-5.0f, 2.2f}, 1.4f}, {{-1.5f, 3.6f}, 1.0f},   {{-9.0f, 0.2f}, 1.3f}, {{-5.8f, -1.4f}, 1.1f},
    {{-1.6f, 0.5f}, 0.9f}, {{-11.2f, -2.6f}, 0.9f}, {{-8.2f, 2.4f}, 0.7f},
};

constexpr Vec2 kFarEye{2.6f, 7.1f};
constexpr Vec2 kEardrum{0.6f, 3.3f};

float SkinShade(Vec2 q, float distance) {
    float shade = 0.82f + 0.1f * SmoothStep(-4.0f, 7.0f, q.y);
    // A pale belly and throat.
    const float belly = SmoothStep(-3.0f, -6.8f, q.y) * SmoothStep(-12.0f, -6.0f, q.x);
    const float throat = SmoothStep(1.0f, -2.0f, q.y) * SmoothStep(2.0f, 6.0f, q.x);
    shade = Lerp(shade, 1.0f, std::max(belly, throat) * 0.85f);
    for (const Spot& s : kSpots) {
        const float wobble = 0.25f * (ValueNoise(q.x * 1.7f, q.y * 1.7f, 31) - 0.5f);
        const float inside =
            1 - SmoothStep(s.radius * 0.75f, s.radius, Length(q - s.centre) + wobble);
        shade *= 1 - 0.3f * inside;
    }
    // The light ridge from behind the eye down to the rump.
    const float ridge = SdCapsule(q, {1.4f, 5.6f}, {-11.5f, -1.2f}, 0.1f, 0.1f);
    shade += 0.07f * (1 - SmoothStep(0.0f, 0.6f, ridge));
    // The round eardrum behind the eye.
    const float ear = std::fabs(Length(q - kEardrum) - 1.5f);
    shade *= 1 - 0.22f * (1 - SmoothStep(0.1f, 0.4f, ear));
    // The far eye peeks over the head, a little in shadow.
    if (Length(q - FrogShape::kEye) > 3.0f) {
        shade *= 1 - 0.18f * (1 - SmoothStep(1.4f, 2.4f, Length(q - kFarEye)));
    }
    shade *= 0.95f + 0.1f * Fractal(q.x * 0.9f, q.y * 0.9f, 3, 17);
    // Darker towards the outline, so the frog stands out against its pad.
    shade *= 1 - 0.36f * SmoothStep(-1.4f, 0.0f, distance);
    return shade;
}

Rgba Grey(float v, float a) {
    return {v, v, v, a};
}

float PolylineDistance(Vec2 p, const std::vector<Vec2>& points, float r0, float r1) {
    float d = 1e9f;
    const float n = static_cast<float>(points.size() - 1);
    for (size_t i = 0; i + 1 < points.size(); ++i) {
        d = std::min(d, SdCapsule(p, points[i], points[i + 1], Lerp(r0, r1, i / n),
                                  Lerp(r0, r1, (i + 1) / n)));
    }
    return d;
}

std::vector<Vec2> Curve(Vec2 a, Vec2 control, Vec2 b) {
    std::vector<Vec2> points;
    for (int i = 0; i <= 16; ++i) points.push_back(Bezier(a, control, b, i / 16.0f));
    return points;
}

Rgba Over(Rgba under, Rgba top) {
    const float a = top.a + under.a * (1 - top.a);
    if (a <= 0) return {};
    const float k = under.a * (1 - top.a);
    return {(top.r * top.a + under.r * k) / a, (top.g * top.a + under.g * k) / a,
            (top.b * top.a + under.b * k) / a, a};
}

Rgba EyeColour(Vec2 p, Vec2 eye) {
    const float r = FrogShape::kEyeRadius;
    const Vec2 d = p - eye;
    const float t = Length(d) / r;
    if (t > 1.15f) return {};
    Rgba c = Mix(Hex(0xF6D060), Hex(0x9A6414), std::pow(std::min(t, 1.0f), 1.5f));
    // Fine streaks in the iris.
    const float streak = ValueNoise(std::atan2(d.y, d.x) * 6 + 40, t * 3, 5);
    c = Shade(c, 0.85f + 0.3f * streak);
    // The brow shades the top of the eyeball.
    c = Shade(c, 1 - 0.4f * SmoothStep(0.1f, 1.0f, d.y / r));
    const float pupil = SdEllipse(p, eye + Vec2{0.3f, -0.1f}, {1.45f, 0.8f});
    c = Mix(c, Hex(0x0A0806), Clamp01(0.5f - pupil * 8));
    const float ring = (t - 1) * r;
    c = Mix(c, Hex(0x1C140C), SmoothStep(-0.35f, -0.1f, ring));
    c.a = Clamp01(0.5f - (ring - 0.3f) * 6);
    const float glint = Length(p - (eye + Vec2{-0.75f, 0.85f})) - 0.55f;
    const float glint2 = Length(p - (eye + Vec2{0.95f, -0.85f})) - 0.25f;
    c = Mix(c, Rgba{1, 1, 1, c.a}, Clamp01(0.5f - glint * 6));
    c = Mix(c, Rgba{1, 1, 1, c.a}, 0.5f * Clamp01(0.5f - glint2 * 6));
    return c;
}

}  // namespace

void DrawFrogBody(Canvas& canvas, int cell, bool mouthOpen) {
    const FrogCell frogCell(cell);
    const FrogShape shape(mouthOpen);
    frogCell.Paint(canvas, [&](Vec2 p) {
        const FrogShape::Sample s = shape.At(p);
        const float cover = frogCell.Cover(s.distance);
        if (cover <= 0) return Rgba{};
        return Grey(SkinShade(s.source, s.distance), cover);
    });
}

void DrawFrogFace(Canvas& canvas, int cell, bool mouthOpen) {
    const FrogCell frogCell(cell);
    const FrogShape shape(mouthOpen);
    const Vec2 eye = shape.Eye();
    const Vec2 nostril = shape.Head(FrogShape::kNostril);
    const std::vector<Vec2> lips =
        Curve(FrogShape::kSnoutTip + Vec2{-0.3f, 0}, {7.5f, 1.7f}, FrogShape::kMouthCorner);
    frogCell.Paint(canvas, [&](Vec2 p) {
        Rgba c = EyeColour(p, eye);
        const float nose = SdEllipse(p, nostril, {0.45f, 0.3f});
        c = Over(c, WithAlpha(Hex(0x201810), 0.75f * frogCell.Cover(nose)));
        if (!mouthOpen) {
            const float line = PolylineDistance(p, lips, 0.16f, 0.3f);
            return Over(c, WithAlpha(Hex(0x24140E), 0.85f * frogCell.Cover(line)));
        }
        const float mouth = shape.Mouth(p);
        if (mouth > 0.5f) return c;
        // Dark in the throat, redder towards the lips.
        const float depth = Clamp01((p.x - FrogShape::kMouthCorner.x) / 10);
        Rgba inside = Mix(Hex(0x2A0408), Hex(0x8A2232), depth);
        // The tongue's root lies along the lower jaw and leaves through the front.
        const float tongue = SdCapsule(p, {3.6f, 1.2f}, {13.5f, 3.0f}, 0.6f, 0.95f);
        const Rgba pink = Mix(Hex(0xC05468), Hex(0x8A2A40), SmoothStep(-0.9f, 0.0f, tongue));
        inside = Mix(inside, pink, frogCell.Cover(tongue) * (0.5f + 0.5f * depth));
        inside = Mix(inside, Hex(0x3A0C14), SmoothStep(-0.3f, 0.0f, mouth));
        return Over(WithAlpha(inside, frogCell.Cover(mouth - 0.15f)), c);
    });
}

void DrawFrogEyelids(Canvas& canvas, int cell, bool mouthOpen) {
    const FrogCell frogCell(cell);
    const FrogShape shape(mouthOpen);
    const Vec2 eye = shape.Eye();
    const float r = FrogShape::kEyeRadius + 0.35f;
    // A relaxed lid sags in a soft curve; a squeezed one is drawn tight with creases above.
    const float sag = mouthOpen ? -0.15f : -0.6f;
    const std::vector<Vec2> crease =
        Curve(eye + Vec2{-r * 0.92f, 0.2f}, eye + Vec2{0, sag * 2}, eye + Vec2{r * 0.92f, 0.2f});
    const std::vector<Vec2> wrinkle =
        Curve(eye + Vec2{-r * 0.5f, 1.2f}, eye + Vec2{0, 1.6f}, eye + Vec2{r * 0.55f, 1.1f});
    frogCell.Paint(canvas, [&](Vec2 p) {
        const float d = Length(p - eye) - r;
        const float cover = frogCell.Cover(d);
        if (cover <= 0) return Rgba{};
        float shade = 0.72f + 0.24f * Clamp01((p.y - eye.y + r) / (2 * r));
        shade *= 1 - 0.3f * SmoothStep(-0.5f, 0.0f, d);
        const float line = PolylineDistance(p, crease, 0.2f, 0.2f);
        shade *= 1 - 0.65f * frogCell.Cover(line);
        if (mouthOpen) {
            shade *= 1 - 0.3f * frogCell.Cover(PolylineDistance(p, wrinkle, 0.12f, 0.12f));
        }
        return Grey(shade, cover);
    });
}
