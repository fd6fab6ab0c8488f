#include "frog_shape.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kDegrees = 3.14159265f / 180;

float TiltedEllipse(Vec2 p, Vec2 c, Vec2 radii, float degrees) {
    return SdEllipse(Rotate(p, c, -degrees * kDegrees), c, radii);
}

// Signed distance above the closed mouth line (positive above it).
float AboveMouthLine(Vec2 p) {
    const Vec2 d = FrogShape::kSnoutTip - FrogShape::kMouthCorner;
    const Vec2 n = Vec2{-d.y, d.x} * (1 / Length(d));
    return Dot(p - FrogShape::kMouthCorner, n);
}

// The lower jaw is the band this deep under the mouth line.
constexpr float kJawDepth = 3;

}  // namespace

float SmoothMin(float a, float b, float k) {
    const float h = Clamp01(0.5f + 0.5f * (b - a) / k);
    return Lerp(b, a, h) - k * h * (1 - h);
}

float FrogOutline(Vec2 p) {
    const float torso = TiltedEllipse(p, {-3.2f, -2.2f}, {9.8f, 5.8f}, 14);
    const float head = TiltedEllipse(p, {5.8f, 2.6f}, {6.8f, 4.2f}, -6);
    const float snout = SdEllipse(p, {9.8f, 2.6f}, {3.2f, 2.3f});
    const float eye = SdCircle(p, FrogShape::kEye + Vec2{0, 0.1f}, 3.1f);
    const float farEye = SdCircle(p, {2.6f, 7.1f}, 2.3f);
    const float throat = SdEllipse(p, {5.5f, -3.2f}, {4.4f, 3.6f});
    float d = SmoothMin(torso, head, 1.5f);
    d = SmoothMin(d, snout, 1.0f);
    d = SmoothMin(d, eye, 0.8f);
    d = SmoothMin(d, farEye, 0.8f);
    d = SmoothMin(d, throat, 1.5f);
    // A flat seat where the frog rests on its pad.
    return std::max(d, -8.2f - p.y);
}

FrogShape::FrogShape(bool mouthOpen)
    : open(mouthOpen),
      upperTurn(mouthOpen ? 10 * kDegrees : 0),
      lowerTurn(mouthOpen ? 20 * kDegrees : 0) {}

Vec2 FrogShape::Head(Vec2 closedPoint) const {
    return Rotate(closedPoint, kMouthCorner, upperTurn);
}

FrogShape::Sample FrogShape::At(Vec2 p) const {
    if (!open) return {FrogOutline(p), p};
    const Vec2 c = kMouthCorner;
    // Behind the mouth corner and under the jaw the body stays put.
    const float still = std::max(FrogOutline(p), std::min(p.x - c.x, AboveMouthLine(p) + kJawDepth));
    const Vec2 up = Rotate(p, c, -upperTurn);
    const float upper = std::max({FrogOutline(up), c.x - up.x, -AboveMouthLine(up)});
    const Vec2 low = Rotate(p, c, lowerTurn);
    const float lower = std::max({FrogOutline(low), c.x - low.x, AboveMouthLine(low),
                                  -kJawDepth - AboveMouthLine(low)});
    Sample s{still, p};
    if (upper < s.distance) s.source = up;
    if (lower < std::min(still, upper)) s.source = low;
    const float jaws = SmoothMin(SmoothMin(still, upper, 0.6f), lower, 0.6f);
    s.distance = SmoothMin(jaws, Mouth(p), 0.5f);
    return s;
}

float FrogShape::Mouth(Vec2 p) const {
    if (!open) return 1e9f;
    const Vec2 c = kMouthCorner;
    const Vec2 top = Rotate(kSnoutTip, c, upperTurn);
    const Vec2 bottom = Rotate(kSnoutTip + Vec2{-1.2f, 0}, c, -lowerTurn);
    return SdPolygon(p, {c, top, bottom});
}
