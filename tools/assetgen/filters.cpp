#include "filters.h"

#include <algorithm>
#include <cmath>

#include "synth.h"

void Svf::Tune(double hz, double q) {
    const double g = std::tan(kPi * std::clamp(hz, 10.0, 0.45 * kSampleRate) / kSampleRate);
    k_ = 1 / q;
    a1_ = 1 / (1 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

Svf::Outputs Svf::Process(float x) {
    const double v3 = x - state2_;
    const double v1 = a1_ * state1_ + a2_ * v3;
    const double v2 = state2_ + a2_ * state1_ + a3_ * v3;
    state1_ = 2 * v1 - state1_;
    state2_ = 2 * v2 - state2_;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k_ * v1 - v2)};
}

OnePole::OnePole(double hz) : a_(1 - std::exp(-kTwoPi * hz / kSampleRate)) {}

Biquad::Biquad(double b0, double b1, double b2, double a0, double a1, double a2)
    : b0_(b0 / a0), b1_(b1 / a0), b2_(b2 / a0), a1_(a1 / a0), a2_(a2 / a0) {}

Biquad Biquad::HighPass(double hz, double q) {
    const double w = kTwoPi * hz / kSampleRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    return Biquad((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

Biquad Biquad::HighShelf(double hz, double q, double gainDb) {
    const double a = std::pow(10.0, gainDb / 40);
    const double w = kTwoPi * hz / kSampleRate;
    const double alpha = std::sin(w) / (2 * q);
    const double c = std::cos(w);
    const double root = 2 * std::sqrt(a) * alpha;
    return Biquad(a * ((a + 1) + (a - 1) * c + root), -2 * a * ((a - 1) + (a + 1) * c),
                  a * ((a + 1) + (a - 1) * c - root), (a + 1) - (a - 1) * c + root,
                  2 * ((a - 1) - (a + 1) * c), (a + 1) - (a - 1) * c - root);
}

float Biquad::Process(float x) {
    const double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return static_cast<float>(y);
}
