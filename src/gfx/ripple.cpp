#include "gfx/ripple.h"

#include <memory>

#include "state/application.h"
#include "state/world_walk.h"

Ripple::Ripple(double x, double y, double radius, double strength)
    : X(x), Y(y), Radius(radius), Strength(strength) {}

void Ripple::Step() {
    Radius += 0.3;
    Strength -= 0.0024;
    if (Strength <= 0) Dead = true;
}

void AddRipple(double x, double y, double radius, double strength) {
    App().Ripples.push_back(std::make_unique<Ripple>(x, y, radius, strength));
}

void UpdateRipples() {
    UpdateObjects(App().Ripples, [](Ripple& item) { item.Step(); });
}
