#include "gfx/ripple.h"

#include <memory>

#include "app/application.h"

TRipple::TRipple(double x, double y, double radius, double strength)
    : X(x), Y(y), Radius(radius), Strength(strength) {}

void TRipple::Step() {
    Radius += 0.3;
    Strength -= 0.0024;
    if (Strength <= 0) Dead = true;
}

void AddRipple(double x, double y, double radius, double strength) {
    App().Ripples.push_back(std::make_unique<TRipple>(x, y, radius, strength));
}

void UpdateRipples() {
    TObjectList<TRipple>& ripples = App().Ripples;
    // The count is read afresh each time, so ripples added meanwhile are stepped too.
    for (size_t i = 0; i < ripples.size();) {
        ripples[i]->Step();
        if (ripples[i]->Dead) {
            ripples.erase(ripples.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            ++i;
        }
    }
}
