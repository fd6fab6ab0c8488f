// Weather: a gust of wind, and rain falling on the pond.
#include <cmath>

#include "filters.h"
#include "mastering.h"
#include "sound_makers.h"
#include "water.h"

namespace {

// Waiting time to the next of many independent events happening rate times a second.
double NextEvent(Lcg& random, double rate) {
    return -std::log(1 - random.Uniform()) / rate;
}

}  // namespace

Samples MakeWind() {
    const double seconds = 4.6;
    Samples sound(ToSamples(seconds));
    Lcg random(101);
    OnePole pink(800);
    OnePole rumble(150);
    Svf leavesBand(4000, 0.7);
    OnePole leavesSoften(300);
    Svf whoosh(400, 0.9);
    Svf howl(900, 14);
    float crackle = 0;
    for (size_t i = 0; i < sound.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double gust =
            (0.65 * Bump(t, 1.4, 0.55) + Bump(t, 2.45, 0.6) + 0.55 * Bump(t, 3.45, 0.45)) *
            Swell(t / seconds, 0.05, 0.1);
        const double flutter = 0.8 + 0.2 * ValueNoise(static_cast<float>(t * 7), 2, 101);
        const float white = WhiteNoise(random);
        whoosh.Tune(250 + 650 * gust, 0.9);
        howl.Tune(650 + 550 * gust * flutter, 14);
        const float air = whoosh.Process(pink.Process(white) * 3).band;
        const float whistle = howl.Process(white).band;
        // Leaves rattling: short crackles, more of them the harder the wind blows.
        if (random.Uniform() < 0.004 * gust) crackle = random.Range(0.3f, 1);
        crackle *= 0.993f;
        const float leaves = leavesBand.Process(white).band * leavesSoften.Process(crackle);
        const float low = rumble.Process(white) * 2;
        sound[i] = static_cast<float>(gust * flutter * (air + low) + 0.35 * gust * gust * whistle +
                                      0.2 * gust * leaves);
    }
    return sound;
}

Samples MakeRain() {
    const double loopSeconds = 6;
    const double overlapSeconds = 0.6;
    const double seconds = loopSeconds + overlapSeconds;
    Samples sound(ToSamples(seconds));
    Lcg random(111);
    // A steady hiss of rain falling everywhere at once.
    Svf hiss(6000, 0.7);
    OnePole rumble(500);
    for (size_t i = 0; i < sound.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const float white = WhiteNoise(random);
        const float band = hiss.Process(white).low;
        const float swell = 0.9f + 0.2f * ValueNoise(static_cast<float>(t * 0.8), 3, 111);
        sound[i] = 0.2f * swell * (band - rumble.Process(band));
    }
    // Drops landing on the water near by: small bubbles, and now and then a bigger plink.
    for (double t = 0; t < seconds; t += NextEvent(random, 70)) {
        const float size = random.Uniform();
        AddBubble(sound, t, 1500 + 3500 * size, 0.1f + 0.35f * random.Uniform() * random.Uniform());
    }
    for (double t = 0; t < seconds; t += NextEvent(random, 4)) {
        AddBubble(sound, t, random.Range(700, 1400), random.Range(0.3f, 0.6f));
    }
    // Patter on leaves and pads: tiny ticks.
    Samples ticks(sound.size());
    for (double t = 0; t < seconds; t += NextEvent(random, 200)) {
        ticks[ToSamples(t) % ticks.size()] += random.Range(-1, 1);
    }
    Svf tickRing(4000, 1);
    OnePole distance(9000);
    for (size_t i = 0; i < sound.size(); ++i) {
        sound[i] = distance.Process(sound[i] + 0.5f * tickRing.Process(ticks[i]).band);
    }
    sound.resize(ToSamples(seconds));
    CloseLoop(sound, ToSamples(loopSeconds));
    return sound;
}
