// Building blocks shared by every generated sound: sample buffers, shapes over time, oscillators.
#pragma once

#include <cmath>
#include <initializer_list>
#include <vector>

#include "noise.h"

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2 * kPi;

using Samples = std::vector<float>;

inline int ToSamples(double seconds) {
    return static_cast<int>(std::lround(seconds * kSampleRate));
}

// White noise in [-1, 1).
inline float WhiteNoise(Lcg& random) {
    return random.Uniform() * 2 - 1;
}

// Adds source, scaled by gain, into target from the given second on, growing target as needed.
void MixAt(Samples& target, double seconds, const Samples& source, float gain = 1);

// A value gliding smoothly through evenly spaced points as u runs from 0 to 1.
class Contour {
public:
    Contour(std::initializer_list<float> points) : points_(points) {}
    float At(double u) const;

private:
    std::vector<float> points_;
};

// 0 outside [0, 1]; rises smoothly over the first attack fraction and falls over the last
// release fraction, so a sound shaped by it starts and ends without a click.
float Swell(double u, double attack, double release);

// A bell-shaped bump, 1 at centre and nearly 0 two widths away.
inline float Bump(double t, double centre, double width) {
    const double d = (t - centre) / width;
    return static_cast<float>(std::exp(-d * d));
}

// A phase that follows a changing frequency.
class Oscillator {
public:
    float Sine(double hz);
    // A sawtooth with its corners rounded off, so high notes do not alias.
    float Saw(double hz);

private:
    double phase_ = 0;
};
