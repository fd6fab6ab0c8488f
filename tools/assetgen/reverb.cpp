#include "reverb.h"

#include <algorithm>

namespace {

// Delay lengths at 44.1 kHz chosen to share no common factors, so echoes do not pile up.
constexpr int kCombLengths[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr int kAllPassLengths[] = {556, 441, 341, 225};

size_t Scaled(int length, double size, int spread) {
    return static_cast<size_t>(std::max(1.0, (length + spread) * size));
}

}  // namespace

Reverb::Reverb(double size, double decay, double damping, int spread)
    : feedback_(static_cast<float>(0.7 + 0.28 * decay)),
      damping_(static_cast<float>(0.4 * damping)) {
    for (int length : kCombLengths)
        combs_.push_back({std::vector<float>(Scaled(length, size, spread), 0)});
    for (int length : kAllPassLengths) {
        allPasses_.push_back({std::vector<float>(Scaled(length, size, spread), 0)});
    }
}

float Reverb::Process(float x) {
    const float in = x * 0.015f;
    float out = 0;
    for (Comb& comb : combs_) {
        const float delayed = comb.line[comb.at];
        comb.store = delayed * (1 - damping_) + comb.store * damping_;
        comb.line[comb.at] = in + comb.store * feedback_;
        comb.at = (comb.at + 1) % comb.line.size();
        out += delayed;
    }
    for (AllPass& pass : allPasses_) {
        const float delayed = pass.line[pass.at];
        pass.line[pass.at] = out + delayed * 0.5f;
        pass.at = (pass.at + 1) % pass.line.size();
        out = delayed - out;
    }
    return out * 3;
}

Samples Outdoors(const Samples& dry, float wet) {
    Reverb air(0.65, 0.55, 0.55);
    Samples heard(dry.size() + ToSamples(0.5), 0.0f);
    for (size_t i = 0; i < heard.size(); ++i) {
        const float x = i < dry.size() ? dry[i] : 0;
        heard[i] = x + wet * air.Process(x);
    }
    return heard;
}
