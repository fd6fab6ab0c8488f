#include "water.h"

#include <cmath>

void AddBubble(Samples& into, double at, double hz, float amplitude) {
    // Damping and pitch rise of a bubble in water at this frequency.
    const double damping = 0.043 * hz + 0.0014 * std::pow(hz, 1.5);
    const double rise = 0.1 * damping;
    Samples ring(ToSamples(6.9 / damping));
    double phase = 0;
    for (size_t i = 0; i < ring.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double onset = 1 - std::exp(-t / 0.0004);
        ring[i] = static_cast<float>(amplitude * onset * std::exp(-damping * t) * std::sin(phase));
        phase += kTwoPi * hz * (1 + rise * t) / kSampleRate;
    }
    MixAt(into, at, ring);
}
