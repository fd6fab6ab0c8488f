// Shared geometry and colour routines of the world objects.
#pragma once

#include <cstdint>

// A colour as the GL takes it: red, green, blue, alpha, each 0..1.
struct Rgba {
    float R = 0;
    float G = 0;
    float B = 0;
    float A = 0;
};

// Heading of a vector in degrees [0, 360), from straight down turning counter-clockwise.
double AngleOf(double dx, double dy);
// Square root, or 0 for zero and negative values.
double SafeSqrt(double v);
double Distance(double x1, double y1, double x2, double y2);
// Running average in which the old value weighs n times the new.
double SmoothToward(int32_t n, double oldValue, double newValue);
// Turns the angle toward the target the shorter way by twice the step, never passing it.
void TurnToward(double& angle, double target, double step);
// Remainder with the sign of x.
double FloatMod(double x, double y);
void SetColor(Rgba& color, double r, double g, double b, double a);
// Each channel is value / 256, so 255 gives 0.99609375.
void SetColorBytes(int32_t r, int32_t g, int32_t b, int32_t a, Rgba& color);
