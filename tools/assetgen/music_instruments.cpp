#include "music_instruments.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "filters.h"
#include "mastering.h"

namespace {

struct Partial {
    double ratio;  // to the fundamental
    double level;
    double decaySeconds;
};

// A struck or plucked note: partials dying away each at its own rate; a held note is damped
// after seconds.
Samples Ring(double hz, double seconds, const std::vector<Partial>& partials, double attack) {
    constexpr double kDamp = 0.12;
    Samples note(ToSamples(seconds + 4 * kDamp));
    for (const Partial& p : partials) {
        if (p.ratio * hz > 0.45 * kSampleRate) continue;
        // Turning a phasor each sample is far cheaper than a sine per partial.
        const std::complex<double> turn = std::polar(std::exp(-1 / (p.decaySeconds * kSampleRate)),
                                                     kTwoPi * p.ratio * hz / kSampleRate);
        std::complex<double> phasor(0, p.level);
        for (float& x : note) {
            x += static_cast<float>(phasor.imag());
            phasor *= turn;
        }
    }
    for (size_t i = 0; i < note.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double level = 1 - std::exp(-t / attack);
        if (t > seconds) {
            const double after = t - seconds;
            level *= std::exp(-after / kDamp) * Swell(0.5 + 0.5 * after / (4 * kDamp), 0, 0.5);
        }
        note[i] = static_cast<float>(note[i] * level);
    }
    return note;
}

}  // namespace

double MidiHz(int midi) {
    return 440 * std::pow(2.0, (midi - 69) / 12.0);
}

Samples Flute(double hz, double seconds, float velocity, std::uint32_t seed) {
    constexpr double kAttack = 0.07;
    constexpr double kRelease = 0.12;
    Samples note(ToSamples(seconds + kRelease));
    Lcg random(seed);
    Svf breath(2 * hz, 1.5);
    Svf chiff(3 * hz, 2);
    OnePole soften(5 * hz);
    double phase = 0;
    for (size_t i = 0; i < note.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double depth = 0.004 * std::clamp((t - 0.2) / 0.3, 0.0, 1.0);
        phase += kTwoPi * hz * (1 + depth * std::sin(kTwoPi * 5.2 * t)) / kSampleRate;
        const double tone = std::sin(phase) + 0.25 * std::sin(2 * phase) +
                            0.09 * std::sin(3 * phase) + 0.04 * std::sin(4 * phase);
        const double swell = 1 + 0.06 * std::sin(kPi * std::min(t / seconds, 1.0));
        const float white = WhiteNoise(random);
        const double air = soften.Process(0.35f * breath.Process(white).band +
                                          1.5f * chiff.Process(white).band * std::exp(-t / 0.025));
        double level = t < kAttack ? Swell(0.5 * t / kAttack, 0.5, 0) : 1;
        if (t > seconds) level = Swell(0.5 + 0.5 * (t - seconds) / kRelease, 0, 0.5);
        note[i] = static_cast<float>(velocity * level * (tone * swell + air));
    }
    return note;
}

Samples Harp(double hz, float velocity) {
    // Plucked a fifth of the way along, so some partials are weak; higher ones die sooner.
    std::vector<Partial> partials;
    const double ring = 1.4 * std::pow(262 / hz, 0.35);
    for (int k = 1; k <= 14; ++k) {
        const double stretch = std::sqrt(1 + 0.00015 * k * k);
        const double level = std::abs(std::sin(kPi * k * 0.2)) / std::pow(k, 1.4) *
                             std::pow(0.7 + 0.2 * velocity, k - 1);
        partials.push_back({k * stretch, level, ring / (1 + 0.5 * (k - 1))});
    }
    Samples note = Ring(hz, 2.2, partials, 0.002);
    Scale(note, velocity);
    return note;
}

Samples Bass(double hz, double seconds, float velocity) {
    std::vector<Partial> partials;
    for (int k = 1; k <= 6; ++k)
        partials.push_back({double(k), 1.0 / (k * k), 2.0 / (1 + 0.6 * (k - 1))});
    Samples note = Ring(hz, seconds, partials, 0.008);
    Scale(note, velocity);
    return note;
}

Samples Bell(double hz, float velocity) {
    Samples note = Ring(hz, 2.0, {{1, 1, 1.6}, {4, 0.25, 0.4}, {10, 0.06, 0.1}}, 0.0015);
    Scale(note, velocity);
    return note;
}

Samples Pad(double hz, double seconds, float velocity) {
    constexpr double kAttack = 0.6;
    constexpr double kRelease = 0.9;
    Samples note(ToSamples(seconds + kRelease));
    Oscillator saw;
    OnePole warm1(3 * hz);
    OnePole warm2(3 * hz);
    for (size_t i = 0; i < note.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        double level = t < kAttack ? Swell(0.5 * t / kAttack, 0.5, 0) : 1;
        if (t > seconds) level *= Swell(0.5 + 0.5 * (t - seconds) / kRelease, 0, 0.5);
        note[i] = static_cast<float>(velocity * level * warm2.Process(warm1.Process(saw.Saw(hz))));
    }
    return note;
}
