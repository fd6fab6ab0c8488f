#include "birdsong.h"

#include <algorithm>
#include <cmath>

#include "filters.h"
#include "reverb.h"

namespace {

void Whistle(const Syllable& s, Samples& into) {
    Samples tone(ToSamples(s.length));
    double phase = 0;
    for (size_t i = 0; i < tone.size(); ++i) {
        const double u = static_cast<double>(i) / tone.size();
        const double t = static_cast<double>(i) / kSampleRate;
        const double wobble = std::sin(kTwoPi * s.warbleHz * t);
        const double hz = s.pitch.At(u) * (1 + s.warble * wobble);
        const double flutter = 1 - s.flutter * (0.5 - 0.5 * wobble);
        const double wave = std::sin(phase) + s.overtone * std::sin(2 * phase) +
                            0.4 * s.overtone * s.overtone * std::sin(3 * phase);
        tone[i] = static_cast<float>(wave * flutter * s.loudness * Swell(u, s.attack, s.release));
        phase += kTwoPi * hz / kSampleRate;
    }
    MixAt(into, s.start, tone);
}

}  // namespace

Syllable& Song::Add(double start, double length, Contour pitch, float loudness) {
    syllables_.push_back({start, length, std::move(pitch), loudness});
    return syllables_.back();
}

Samples Song::Render(float distance) const {
    Samples dry;
    for (const Syllable& s : syllables_) Whistle(s, dry);
    OnePole air(12000 - 6000 * distance);
    for (float& x : dry) x = air.Process(x);
    return Outdoors(dry, 0.12f + 0.25f * distance);
}
