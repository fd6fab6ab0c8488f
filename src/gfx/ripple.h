// Water ripples: flat rings that widen and fade where something touched the water.
#pragma once

#include <vector>

#include "gfx/sprite_poses.h"

// A ring on the water, four times wider than tall; it is only drawn.
class Ripple {
public:
    Ripple(double x, double y, double radius, double strength);

    // Widens and fades; dead once the strength is used up.
    void Step();
    // Drawing opacity: the strength, at most 1.
    double Alpha() const { return Strength > 1 ? 1.0 : Strength; }

    double X;
    double Y;
    double Radius;
    double Strength;
    bool Dead = false;
};

// Appends a new ripple to the program's list.
void AddRipple(double x, double y, double radius, double strength);
void UpdateRipples();
// Each ripple drawn a fraction of the way from its pose before the latest step.
void DrawRipples(const std::vector<RipplePose>& before, double fraction);
