#include "shapes.h"

#include <algorithm>

float SdCircle(Vec2 p, Vec2 c, float r) {
    return Length(p - c) - r;
}

float SdEllipse(Vec2 p, Vec2 c, Vec2 radii) {
    const Vec2 q = p - c;
    const float k0 = std::sqrt(q.x * q.x / (radii.x * radii.x) + q.y * q.y / (radii.y * radii.y));
    const float k1 = std::sqrt(q.x * q.x / (radii.x * radii.x * radii.x * radii.x) +
                               q.y * q.y / (radii.y * radii.y * radii.y * radii.y));
    if (k1 <= 0) return -std::min(radii.x, radii.y);
    return k0 * (k0 - 1) / k1;
}

float SdCapsule(Vec2 p, Vec2 a, Vec2 b, float ra, float rb) {
    const Vec2 ab = b - a;
    const float len2 = Dot(ab, ab);
    const float t = len2 > 0 ? Clamp01(Dot(p - a, ab) / len2) : 0;
    return Length(p - (a + ab * t)) - Lerp(ra, rb, t);
}

float SdRoundBox(Vec2 p, Vec2 c, Vec2 half, float round) {
    const float qx = std::fabs(p.x - c.x) - half.x + round;
    const float qy = std::fabs(p.y - c.y) - half.y + round;
    const float outside = std::sqrt(std::max(qx, 0.0f) * std::max(qx, 0.0f) +
                                    std::max(qy, 0.0f) * std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - round;
}

Vec2 Rotate(Vec2 p, Vec2 c, float angle) {
    const float s = std::sin(angle);
    const float k = std::cos(angle);
    const Vec2 d = p - c;
    return {c.x + d.x * k - d.y * s, c.y + d.x * s + d.y * k};
}

float SdPolygon(Vec2 p, const std::vector<Vec2>& v) {
    float d = Dot(p - v[0], p - v[0]);
    bool inside = false;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i, ++i) {
        const Vec2 e = v[j] - v[i];
        const Vec2 w = p - v[i];
        const Vec2 b = w - e * Clamp01(Dot(w, e) / Dot(e, e));
        d = std::min(d, Dot(b, b));
        if ((v[i].y > p.y) != (v[j].y > p.y) &&
            p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x) {
            inside = !inside;
        }
    }
    return inside ? -std::sqrt(d) : std::sqrt(d);
}

Vec2 Bezier(Vec2 a, Vec2 control, Vec2 b, float t) {
    return LerpV(LerpV(a, control, t), LerpV(control, b, t), t);
}

Box CircleBox(Vec2 c, float r) {
    return {c.x - r, c.y - r, c.x + r, c.y + r};
}

Box PointsBox(const std::vector<Vec2>& points) {
    Box b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Vec2& p : points) {
        b.x0 = std::min(b.x0, p.x);
        b.y0 = std::min(b.y0, p.y);
        b.x1 = std::max(b.x1, p.x);
        b.y1 = std::max(b.y1, p.y);
    }
    return b;
}
