#include "gfx/pose_blend.h"

#include <cmath>

double Mix(double before, double now, double fraction) {
    return before * (1 - fraction) + now * fraction;
}

double MixAngle(double before, double now, double fraction) {
    double turn = std::fmod(now - before, 360.0);
    if (turn > 180) turn -= 360;
    if (turn < -180) turn += 360;
    return fraction >= 1 ? now : before + turn * fraction;
}

bool Near(double x0, double y0, double x1, double y1, double limit) {
    return std::fabs(x1 - x0) <= limit && std::fabs(y1 - y0) <= limit;
}
