#include "synth.h"

#include <algorithm>

void MixAt(Samples& target, double seconds, const Samples& source, float gain) {
    const int offset = std::max(0, ToSamples(seconds));
    if (target.size() < offset + source.size()) target.resize(offset + source.size(), 0.0f);
    for (size_t i = 0; i < source.size(); ++i) target[offset + i] += source[i] * gain;
}

float Contour::At(double u) const {
    if (points_.size() == 1) return points_[0];
    const double x = std::clamp(u, 0.0, 1.0) * (points_.size() - 1);
    const size_t i = std::min(static_cast<size_t>(x), points_.size() - 2);
    const double f = x - i;
    const double smooth = 0.5 - 0.5 * std::cos(f * kPi);
    return static_cast<float>(points_[i] + (points_[i + 1] - points_[i]) * smooth);
}

float Swell(double u, double attack, double release) {
    if (u <= 0 || u >= 1) return 0;
    double level = 1;
    if (u < attack) level = std::sin(0.5 * kPi * u / attack);
    if (u > 1 - release) level = std::min(level, std::sin(0.5 * kPi * (1 - u) / release));
    return static_cast<float>(level * level);
}

float Oscillator::Sine(double hz) {
    const float value = static_cast<float>(std::sin(kTwoPi * phase_));
    phase_ += hz / kSampleRate;
    phase_ -= std::floor(phase_);
    return value;
}

float Oscillator::Saw(double hz) {
    const double step = std::min(hz / kSampleRate, 0.5);
    double value = 2 * phase_ - 1;
    // Polynomial band-limited step at the wrap.
    if (phase_ < step) {
        const double t = phase_ / step;
        value -= t + t - t * t - 1;
    } else if (phase_ > 1 - step) {
        const double t = (phase_ - 1) / step;
        value -= t * t + t + t + 1;
    }
    phase_ += step;
    phase_ -= std::floor(phase_);
    return static_cast<float>(value);
}
