// A frog's jump, its small hop, and its fall into the water.
#include <cmath>

#include "filters.h"
#include "mastering.h"
#include "sound_makers.h"
#include "water.h"

namespace {

// A soft low knock, as of a body pushing off or landing.
Samples Thump(double seconds, double fromHz, double toHz, double decay, std::uint32_t seed) {
    Samples sound(ToSamples(seconds));
    Lcg random(seed);
    Svf muffle(900, 0.7);
    Oscillator body;
    for (size_t i = 0; i < sound.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double onset = 1 - std::exp(-t / 0.0015);
        const double fall = std::exp(-t / decay);
        const double hz = toHz + (fromHz - toHz) * std::exp(-t / 0.04);
        const float pat = muffle.Process(WhiteNoise(random)).low;
        sound[i] = static_cast<float>(onset * fall * (0.8 * body.Sine(hz) + 1.2 * pat * fall));
    }
    return sound;
}

}  // namespace

Samples MakeBigJump() {
    Samples sound = Thump(0.12, 130, 70, 0.03, 11);
    // The spring: a tone shooting up in pitch and wobbling as it settles, bright at first.
    Samples boing(ToSamples(0.5));
    Oscillator carrier;
    Oscillator modulator;
    for (size_t i = 0; i < boing.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double wobble = 1 + 0.12 * std::sin(kTwoPi * 14 * t) * std::exp(-t / 0.25);
        const double hz = (220 + 230 * (1 - std::exp(-t / 0.05))) * wobble;
        const double brightness = 0.4 + 1.4 * std::exp(-t / 0.1);
        const double onset = 1 - std::exp(-t / 0.004);
        boing[i] = static_cast<float>(onset * std::exp(-t / 0.16) *
                                      carrier.Sine(hz + brightness * hz * modulator.Sine(2 * hz)));
    }
    MixAt(sound, 0.01, boing, 0.7f);
    // Air rushing past as the frog takes off.
    Samples rush(ToSamples(0.3));
    Lcg random(12);
    Svf band(600, 2);
    for (size_t i = 0; i < rush.size(); ++i) {
        const double u = static_cast<double>(i) / rush.size();
        band.Tune(600 + 2000 * u, 2);
        rush[i] = band.Process(WhiteNoise(random)).band * Swell(u, 0.3, 0.7);
    }
    MixAt(sound, 0.0, rush, 0.25f);
    return sound;
}

Samples MakeSmallHop() {
    Samples sound = Thump(0.16, 190, 110, 0.028, 21);
    Samples bip(ToSamples(0.07));
    Oscillator tone;
    for (size_t i = 0; i < bip.size(); ++i) {
        const double u = static_cast<double>(i) / bip.size();
        bip[i] = tone.Sine(300 + 140 * u) * Swell(u, 0.1, 0.8);
    }
    MixAt(sound, 0.005, bip, 0.12f);
    return sound;
}

Samples MakeSplash() {
    Samples sound = Thump(0.2, 95, 55, 0.05, 31);
    Scale(sound, 0.6);
    Lcg random(32);
    // The impact: a burst of spray noise that darkens quickly.
    Samples impact(ToSamples(0.5));
    Svf spray(6000, 0.8);
    for (size_t i = 0; i < impact.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        spray.Tune(1400 + 5000 * std::exp(-t / 0.06), 0.8);
        const double level =
            (1 - std::exp(-t / 0.002)) * (0.75 * std::exp(-t / 0.05) + 0.25 * std::exp(-t / 0.22));
        impact[i] = static_cast<float>(level * spray.Process(WhiteNoise(random)).low);
    }
    MixAt(sound, 0.0, impact, 0.9f);
    // The plop of the cavity closing, then droplets falling back, fewer and softer.
    AddBubble(sound, 0.025, 480, 0.9f);
    AddBubble(sound, 0.05, 720, 0.5f);
    double t = 0.06;
    for (int i = 0; i < 30; ++i) {
        t += 0.01 * (1 + i * 0.05) * random.Range(0.3f, 1.7f);
        const float size = random.Uniform();
        AddBubble(sound, t, 900 + 3800 * size * size,
                  random.Range(0.15f, 0.45f) * std::exp(-t / 0.25));
    }
    return sound;
}
