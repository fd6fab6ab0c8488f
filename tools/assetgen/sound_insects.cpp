// Insects: crickets chirping at night and flies buzzing round.
#include <cmath>

#include "filters.h"
#include "reverb.h"
#include "sound_makers.h"

namespace {

// A single scrape of a cricket's wing: a pure tone sliding slightly down.
void AddPulse(Samples& into, double at, double seconds, double hz, float level) {
    Samples pulse(ToSamples(seconds));
    Oscillator tone;
    for (size_t i = 0; i < pulse.size(); ++i) {
        const double u = static_cast<double>(i) / pulse.size();
        const double x = tone.Sine(hz * (1.02 - 0.04 * u));
        pulse[i] = static_cast<float>(x * level * Swell(u, 0.25, 0.5));
    }
    MixAt(into, at, pulse);
}

struct Chirper {
    double hz;
    double period;  // from one chirp to the next
    int pulses;
    double pulseSeconds;
    double pulseGap;
    float level;
    double firstAt;
};

void AddChirps(Samples& into, double seconds, const Chirper& c, Lcg& random) {
    for (double t = c.firstAt; t < seconds - c.period / 2;
         t += c.period * random.Range(0.97f, 1.03f)) {
        const float level = c.level * random.Range(0.85f, 1);
        for (int p = 0; p < c.pulses; ++p) {
            AddPulse(into, t + p * (c.pulseSeconds + c.pulseGap), c.pulseSeconds, c.hz, level);
        }
    }
}

// One fly following a path: loud and bright when near, pitch raised while it comes closer.
void AddFly(Samples& into, double seconds, double hz, const Contour& distance, std::uint32_t seed) {
    Samples buzz(ToSamples(seconds));
    Lcg random(seed);
    Oscillator wings;
    Svf dull(3000, 0.8);
    Svf body(1100, 2);
    const double step = 1.0 / buzz.size();
    for (size_t i = 0; i < buzz.size(); ++i) {
        const double u = i * step;
        const double t = u * seconds;
        const double near = distance.At(u);
        const double closing = (distance.At(u - 0.01) - distance.At(u + 0.01)) / (0.02 * seconds);
        const float wander = 2 * ValueNoise(static_cast<float>(t * 4), 1, seed) - 1;
        const double pitch = hz * (1 + 0.035 * wander) * (1 + 0.04 * closing);
        const float source = wings.Saw(pitch) + 0.15f * WhiteNoise(random);
        dull.Tune(1200 + 4500 / (1 + 2 * near), 0.8);
        const float shaped = dull.Process(source).low + 0.5f * body.Process(source).band;
        buzz[i] = static_cast<float>(shaped / (0.35 + near) * Swell(u, 0.08, 0.1));
    }
    MixAt(into, 0, buzz);
}

}  // namespace

Samples MakeCricket(int variant) {
    Lcg random(80 + variant);
    Samples chirps;
    if (variant == 1) {
        const double seconds = 2.6;
        AddChirps(chirps, seconds, {4600, 0.34, 4, 0.017, 0.013, 1, 0.02}, random);
        AddChirps(chirps, seconds, {4300, 0.43, 3, 0.015, 0.014, 0.35f, 0.2}, random);
    } else {
        // A tree cricket: one long even trill that swells and fades.
        const double seconds = 2.3;
        for (double t = 0; t < seconds; t += 1.0 / 48) {
            const double at = t + random.Range(-0.001f, 0.001f);
            AddPulse(chirps, at, 0.012, 2900, Swell(t / seconds, 0.15, 0.25));
        }
    }
    return Outdoors(chirps, 0.18f);
}

Samples MakeFlies(int variant) {
    Samples sound;
    if (variant == 1) {
        AddFly(sound, 2.8, 195, Contour{1.6f, 0.9f, 0.25f, 0.6f, 1.4f, 2}, 91);
    } else {
        AddFly(sound, 3.0, 172, Contour{0.8f, 0.4f, 0.7f, 1.2f, 0.5f, 0.9f}, 92);
        AddFly(sound, 2.2, 232, Contour{2.5f, 1.8f, 1.2f, 1.6f, 2.4f}, 93);
    }
    return sound;
}
