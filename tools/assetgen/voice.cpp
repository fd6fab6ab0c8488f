#include "voice.h"

#include <cmath>

#include "filters.h"

namespace {

// The gate of a pulsed call: soft-edged bursts taking share of each period.
float PulseGate(double phase, float share) {
    if (phase >= share) return 0;
    const float s = static_cast<float>(std::sin(kPi * phase / share));
    return s * s;
}

}  // namespace

Samples Voice(const Call& call) {
    Samples sound(ToSamples(call.seconds));
    Lcg random(call.seed);
    std::vector<Svf> filters;
    for (const Resonance& r : call.resonances) filters.emplace_back(r.hz, r.q);
    Oscillator source;
    Oscillator octaveBelow;
    double pulsePhase = 0;
    const double step = 1.0 / sound.size();
    for (size_t i = 0; i < sound.size(); ++i) {
        const double u = i * step;
        const double t = static_cast<double>(i) / kSampleRate;
        const float drift = 2 * ValueNoise(static_cast<float>(t * 18), 0, call.seed) - 1;
        const double hz = call.pitch.At(u) * (1 + call.wander * drift);
        float x = source.Saw(hz) * (1 - call.breath) + WhiteNoise(random) * call.breath;
        if (call.roughness > 0) {
            x *= 1 - call.roughness * (0.5f + 0.5f * octaveBelow.Sine(hz / 2));
        }
        float shaped = 0;
        for (size_t f = 0; f < filters.size(); ++f) {
            shaped += filters[f].Process(x).band * call.resonances[f].gain;
        }
        float gate = 1;
        if (call.pulseHz > 0) {
            gate = PulseGate(pulsePhase, call.pulseShare);
            pulsePhase += call.pulseHz / kSampleRate;
            pulsePhase -= std::floor(pulsePhase);
        }
        sound[i] = shaped * gate * call.loudness.At(u);
    }
    return sound;
}
