// A frog's mouth at work: the tongue's wet smack, a swallow and a burp.
#include <cmath>

#include "filters.h"
#include "mastering.h"
#include "sound_makers.h"
#include "voice.h"
#include "water.h"

namespace {

struct TongueStyle {
    double sweepSeconds;  // the tongue whipping out
    float fromHz;
    float toHz;
    float popHz;  // the wet smack as it strikes
    int droplets;
    bool doubleSmack;
    std::uint32_t seed;
};

// A rising whip of air with a faint whistle riding on it.
Samples Whip(const TongueStyle& style, Lcg& random) {
    Samples whip(ToSamples(style.sweepSeconds));
    Svf band(style.fromHz, 4);
    Oscillator whistle;
    for (size_t i = 0; i < whip.size(); ++i) {
        const double u = static_cast<double>(i) / whip.size();
        const double hz = style.fromHz * std::pow(style.toHz / style.fromHz, u);
        band.Tune(hz, 4);
        const float air = band.Process(WhiteNoise(random)).band;
        whip[i] = (air + 0.08f * whistle.Sine(hz)) * Swell(u, 0.5, 0.5);
    }
    return whip;
}

// A wet contact: a sharp tick, a squelch and a pop of breaking wetness.
void AddSmack(Samples& into, double at, const TongueStyle& style, float level, Lcg& random) {
    Samples squelch(ToSamples(0.05));
    Svf tick(2500, 1.5);
    Svf body(800, 1.2);
    for (size_t i = 0; i < squelch.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const float noise = WhiteNoise(random);
        squelch[i] = static_cast<float>(tick.Process(noise).band * std::exp(-t / 0.0015) +
                                        0.6 * body.Process(noise).band * std::exp(-t / 0.012));
    }
    MixAt(into, at, squelch, level);
    AddBubble(into, at + 0.002, style.popHz, 0.7f * level);
    for (int i = 0; i < style.droplets; ++i) {
        AddBubble(into, at + random.Range(0.005f, 0.05f), random.Range(2000, 5000),
                  random.Range(0.15f, 0.35f) * level);
    }
}

}  // namespace

Samples MakeTongue(int variant) {
    static const TongueStyle kStyles[] = {
        {0.07, 700, 3000, 1500, 4, false, 51},
        {0.05, 900, 3600, 1900, 3, true, 52},
        {0.09, 550, 2400, 1200, 7, false, 53},
    };
    const TongueStyle& style = kStyles[variant - 1];
    Lcg random(style.seed);
    Samples sound = Whip(style, random);
    Scale(sound, 0.5);
    AddSmack(sound, style.sweepSeconds * 0.9, style, 1, random);
    if (style.doubleSmack) AddSmack(sound, style.sweepSeconds + 0.05, style, 0.6f, random);
    return sound;
}

Samples MakeGulp() {
    Lcg random(61);
    // A wet click as the throat closes, then a hollow "glunk" falling in pitch, then a little
    // pop as it opens again.
    Samples sound(ToSamples(0.16));
    Svf click(1200, 2);
    Oscillator hollow;
    for (size_t i = 0; i < sound.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double hz = 180 + 260 * std::exp(-t / 0.03);
        const double onset = 1 - std::exp(-t / 0.003);
        const double tone = hollow.Sine(hz) * onset * std::exp(-t / 0.045);
        sound[i] = static_cast<float>(tone + 0.6 * click.Process(WhiteNoise(random)).band *
                                                 std::exp(-t / 0.002));
    }
    Call throat;
    throat.seconds = 0.08;
    throat.pitch = Contour{120, 100};
    throat.resonances = {{300, 3, 1}};
    throat.breath = 0.2f;
    throat.seed = 62;
    MixAt(sound, 0.005, Voice(throat), 0.5f);
    AddBubble(sound, 0.11, 650, 0.35f);
    return sound;
}

Samples MakeBurp(int variant) {
    Call burp;
    burp.wander = 0.07f;
    burp.breath = 0.08f;
    if (variant == 1) {
        burp.seconds = 0.45;
        burp.pitch = Contour{92, 108, 100, 84};
        burp.loudness = Contour{0, 1, 0.95f, 0.8f, 0.5f, 0};
        burp.resonances = {{420, 4, 1}, {780, 5, 0.7f}, {2300, 6, 0.12f}};
        burp.roughness = 0.55f;
        burp.seed = 71;
    } else {
        burp.seconds = 0.62;
        burp.pitch = Contour{78, 88, 80, 70, 58};
        burp.loudness = Contour{0, 0.9f, 1, 0.6f, 0.85f, 0.5f, 0};
        burp.resonances = {{560, 4, 1}, {950, 5, 0.6f}, {2500, 6, 0.1f}};
        burp.roughness = 0.7f;
        burp.seed = 72;
    }
    return Voice(burp);
}
