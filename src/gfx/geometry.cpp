#include "gfx/geometry.h"

#include <cmath>

namespace {

constexpr double kDegreesPerRadian = 180.0 / 3.14159265358979323846;

// (round(angle - target) + 360) mod 360, the remainder keeping the dividend's sign.
double TurnDiff(double angle, double target) {
    double r = std::nearbyint(angle - target);
    return std::fmod(r + 360, 360);
}

}  // namespace

double AngleOf(double dx, double dy) {
    if (dx > 0) return 90 + std::atan(dy / dx) * kDegreesPerRadian;
    if (dx < 0) return 270 + std::atan(dy / dx) * kDegreesPerRadian;
    return dy > 0 ? 180 : 0;
}

double SafeSqrt(double v) {
    return v > 0 ? std::sqrt(v) : 0;
}

double Distance(double x1, double y1, double x2, double y2) {
    return SafeSqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

double SmoothToward(int32_t n, double oldValue, double newValue) {
    return (n * oldValue + newValue) / (n + 1);
}

void TurnToward(double& angle, double target, double step) {
    if (angle != target) {
        if (TurnDiff(angle, target) > 180) {
            angle += 2 * step;
            if (!(TurnDiff(angle, target) > 180)) angle = target;
        } else {
            angle -= 2 * step;
            if (TurnDiff(angle, target) > 180) angle = target;
        }
    }
    if (angle >= 360) {
        angle -= 360;
    } else if (angle < 0) {
        angle += 360;
    }
}

double FloatMod(double x, double y) {
    return x - y * std::trunc(x / y);
}

void SetColor(Rgba& color, double r, double g, double b, double a) {
    color.R = static_cast<float>(r);
    color.G = static_cast<float>(g);
    color.B = static_cast<float>(b);
    color.A = static_cast<float>(a);
}

void SetColorBytes(int32_t r, int32_t g, int32_t b, int32_t a, Rgba& color) {
    SetColor(color, r / 256.0, g / 256.0, b / 256.0, a / 256.0);
}
