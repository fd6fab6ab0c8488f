#include "mastering.h"

#include <algorithm>
#include <cmath>

#include "filters.h"

void RemoveRumble(Samples& sound) {
    Biquad highPass = Biquad::HighPass(25, 0.7);
    for (float& x : sound) x = highPass.Process(x);
}

void TrimSilence(Samples& sound, double belowPeakDb) {
    const float floor = Peak(sound) * static_cast<float>(std::pow(10.0, -belowPeakDb / 20));
    const auto audible = [floor](float x) { return std::abs(x) > floor; };
    const auto last = std::find_if(sound.rbegin(), sound.rend(), audible).base();
    sound.erase(last, sound.end());
    const auto first = std::find_if(sound.begin(), sound.end(), audible);
    sound.erase(sound.begin(), first - std::min<long>(first - sound.begin(), ToSamples(0.002)));
}

void FadeEdges(Samples& sound, double inSeconds, double outSeconds) {
    const int n = static_cast<int>(sound.size());
    const int in = std::min(ToSamples(inSeconds), n);
    const int out = std::min(ToSamples(outSeconds), n);
    for (int i = 0; i < in; ++i) sound[i] *= Swell(0.5 * i / in, 0.5, 0);
    for (int i = 0; i < out; ++i) sound[n - 1 - i] *= Swell(0.5 * i / out, 0.5, 0);
}

double Loudness(const Samples& sound) {
    // The two stages of the broadcast loudness weighting: a lift above 1.7 kHz, a cut below 40 Hz.
    Biquad shelf = Biquad::HighShelf(1682, 0.707, 4);
    Biquad highPass = Biquad::HighPass(38, 0.5);
    Samples weighted(sound.size());
    for (size_t i = 0; i < sound.size(); ++i) {
        weighted[i] = highPass.Process(shelf.Process(sound[i]));
    }
    const size_t block = ToSamples(0.02);
    std::vector<double> powers;
    for (size_t start = 0; start + block <= weighted.size(); start += block / 2) {
        double sum = 0;
        for (size_t i = start; i < start + block; ++i) sum += weighted[i] * weighted[i];
        powers.push_back(sum / block);
    }
    const double loudest = *std::max_element(powers.begin(), powers.end());
    double sum = 0;
    int count = 0;
    for (double power : powers) {
        if (power < loudest * 0.01) continue;
        sum += power;
        ++count;
    }
    return 10 * std::log10(sum / count);
}

void Scale(Samples& sound, double gain) {
    for (float& x : sound) x = static_cast<float>(x * gain);
}

float Peak(const Samples& sound) {
    float peak = 0;
    for (float x : sound) peak = std::max(peak, std::abs(x));
    return peak;
}

void LimitPeaks(Samples& sound, float ceiling) {
    const int n = static_cast<int>(sound.size());
    const int reach = ToSamples(0.004);
    std::vector<float> needed(n);
    for (int i = 0; i < n; ++i) {
        const float level = std::abs(sound[i]);
        needed[i] = level > ceiling ? ceiling / level : 1;
    }
    // The least gain needed anywhere nearby, then averaged over a window no wider than that
    // neighbourhood: the result is smooth yet never above what any sample needs.
    std::vector<float> lowest(n);
    for (int i = 0; i < n; ++i) {
        const auto from = needed.begin() + std::max(0, i - reach);
        const auto to = needed.begin() + std::min(n, i + reach + 1);
        lowest[i] = *std::min_element(from, to);
    }
    for (int i = 0; i < n; ++i) {
        const int from = std::max(0, i - reach);
        const int to = std::min(n, i + reach + 1);
        float sum = 0;
        for (int j = from; j < to; ++j) sum += lowest[j];
        sound[i] *= sum / (to - from);
    }
}

void CloseLoop(Samples& sound, int loopLength) {
    const int overlap = static_cast<int>(sound.size()) - loopLength;
    for (int i = 0; i < overlap; ++i) {
        const double angle = 0.5 * kPi * i / overlap;
        sound[i] = static_cast<float>(sound[i] * std::sin(angle) +
                                      sound[loopLength + i] * std::cos(angle));
    }
    sound.resize(loopLength);
}
