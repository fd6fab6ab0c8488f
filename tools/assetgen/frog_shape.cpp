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
      upperTurn(mouthOpen ? 12 * kDegrees : 0),
      lowerTurn(mouthOpen ? 26 * kDegrees : 0) {}

Vec2 FrogShape::Head(Vec2 closedPoint) const {
    return Rotate(closedPoint, kMouthCorner, upperTurn * HingeWeight(closedPoint));
}

float FrogShape::HingeWeight(Vec2 p) const {
    // The jaws turn fully in front of the mouth corner and not at all behind it, bending
    // the skin in between instead of cutting it.
    return SmoothStep(kMouthCorner.x - 1.0f, kMouthCorner.x + 2.5f, p.x);
}

FrogShape::Sample FrogShape::At(Vec2 p) const {
    if (!open) return {FrogOutline(p), p};
    const float w = HingeWeight(p);
    const float above = AboveMouthLine(p);
    // The throat below the jaw follows it less and less.
    const float jaw = w * (1 - SmoothStep(kJawDepth, kJawDepth + 4, -above));
    const Vec2 source = above > 0 ? Rotate(p, kMouthCorner, -upperTurn * w)
                                  : Rotate(p, kMouthCorner, lowerTurn * jaw);
    // Cutting the gap out with a smooth maximum leaves the lips rounded, not pointed.
    const float jaws = -SmoothMin(-FrogOutline(source), Gap(p), 1.2f);
    return {std::min(jaws, Mouth(p)), source};
}

float FrogShape::Gap(Vec2 p) const {
    const Vec2 c = kMouthCorner;
    const Vec2 line = kSnoutTip - c;
    const Vec2 along = line * (1 / Length(line));
    const Vec2 d = p - c;
    const float angle = std::atan2(along.x * d.y - along.y * d.x, Dot(along, d));
    const float w = HingeWeight(p);
    return std::max(angle - upperTurn * w, -lowerTurn * w - angle) * Length(d);
}

float FrogShape::Mouth(Vec2 p) const {
    if (!open) return 1e9f;
    const Vec2 c = kMouthCorner;
    const float w = HingeWeight(p);
    // The mouth reaches only as far as both jaws do.
    const float upperJaw = FrogOutline(Rotate(p, c, -upperTurn * w)) + 0.4f;
    const float lowerJaw = FrogOutline(Rotate(p, c, lowerTurn * w)) + 0.4f;
    // Between the jaw tips the far lip curves back into the mouth.
    const Vec2 along = (kSnoutTip - c) * (1 / Length(kSnoutTip - c));
    const float farLip = 3.0f - Length(p - (kSnoutTip + along * 2.0f));
    return std::max({Gap(p), upperJaw, lowerJaw, farLip});
}
