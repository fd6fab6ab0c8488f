// Signed distance functions for anti-aliased shapes: negative inside, positive outside.
#pragma once

#include <cmath>
#include <vector>

#include "colour.h"

struct Vec2 {
    float x = 0, y = 0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) {
    return {a.x + b.x, a.y + b.y};
}
inline Vec2 operator-(Vec2 a, Vec2 b) {
    return {a.x - b.x, a.y - b.y};
}
inline Vec2 operator*(Vec2 a, float k) {
    return {a.x * k, a.y * k};
}
inline float Dot(Vec2 a, Vec2 b) {
    return a.x * b.x + a.y * b.y;
}
inline float Length(Vec2 a) {
    return std::sqrt(Dot(a, a));
}
inline Vec2 LerpV(Vec2 a, Vec2 b, float t) {
    return a + (b - a) * t;
}

// Coverage of a pixel by a shape whose edge is `d` pixels away; `soft` widens the ramp.
inline float Cover(float d, float soft = 1) {
    return Clamp01(0.5f - d / soft);
}

float SdCircle(Vec2 p, Vec2 c, float r);
// Close to the true distance for ellipses that are not extremely flat.
float SdEllipse(Vec2 p, Vec2 c, Vec2 radii);
// A segment with round ends whose radius goes from ra at a to rb at b.
float SdCapsule(Vec2 p, Vec2 a, Vec2 b, float ra, float rb);
// A rectangle with corners rounded by `round`, given by its centre and half sizes.
float SdRoundBox(Vec2 p, Vec2 c, Vec2 half, float round);
// Turns p about c by `angle` radians, to draw a shape tilted the other way.
Vec2 Rotate(Vec2 p, Vec2 c, float angle);
float SdPolygon(Vec2 p, const std::vector<Vec2>& points);
// A point on a quadratic Bezier curve.
Vec2 Bezier(Vec2 a, Vec2 control, Vec2 b, float t);

// The bounding box of a shape, grown by a margin for its soft edge.
struct Box {
    float x0, y0, x1, y1;
    Box Grow(float m) const { return {x0 - m, y0 - m, x1 + m, y1 + m}; }
};
Box CircleBox(Vec2 c, float r);
Box PointsBox(const std::vector<Vec2>& points);
