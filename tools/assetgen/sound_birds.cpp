// Twelve bird calls, each after a different kind of bird.
#include "birdsong.h"
#include "sound_makers.h"

namespace {

// A robin-like phrase: varied clear whistles with little slurs and high squeaks.
Samples Robin() {
    Song song;
    song.Add(0.00, 0.13, {2800, 3600, 3250});
    song.Add(0.17, 0.07, {4300, 3000}, 0.8f);
    song.Add(0.28, 0.07, {4300, 3000}, 0.8f);
    song.Add(0.41, 0.18, {2600, 2900, 3450, 3300}).Warble(0.025f, 32);
    song.Add(0.64, 0.05, {5300, 4400}, 0.6f);
    song.Add(0.72, 0.05, {5100, 4200}, 0.6f);
    song.Add(0.82, 0.24, {3100, 3950, 2700}, 0.9f);
    return song.Render(0.3f);
}

// A chaffinch-like song: two falling trills that speed up, then a closing flourish.
Samples Chaffinch() {
    Song song;
    double t = 0;
    for (int i = 0; i < 5; ++i, t += 0.09) song.Add(t, 0.05, {5200, 4100}, 0.7f + 0.06f * i);
    for (int i = 0; i < 6; ++i, t += 0.066) song.Add(t, 0.045, {4300, 3200}, 0.9f);
    song.Add(t + 0.03, 0.26, {3000, 4400, 5300, 3500}).Overtone(0.08f);
    return song.Render(0.35f);
}

// A cuckoo: two soft hooted notes a minor third apart, called twice from far away.
Samples Cuckoo() {
    Song song;
    for (double t : {0.0, 0.85}) {
        song.Add(t, 0.19, {730, 720, 690}).Overtone(0.18f).Shape(0.3f, 0.4f);
        song.Add(t + 0.27, 0.34, {605, 600, 575}, 0.85f).Overtone(0.18f).Shape(0.25f, 0.55f);
    }
    return song.Render(0.85f);
}

// A chickadee's "fee-bee": two pure whistles, the second lower with a little catch.
Samples Chickadee() {
    Song song;
    song.Add(0.00, 0.34, {3950, 3980, 3900}).Shape(0.2f, 0.3f).Overtone(0.015f);
    song.Add(0.42, 0.16, {3450, 3420}, 0.9f).Shape(0.25f, 0.2f).Overtone(0.015f);
    song.Add(0.60, 0.22, {3400, 3350}, 0.8f).Shape(0.2f, 0.4f).Overtone(0.015f);
    return song.Render(0.4f);
}

// A sparrow: rough "chip" chirps dropping fast, then a rolling "chirrup".
Samples Sparrow() {
    Song song;
    for (double t : {0.0, 0.14, 0.27, 0.46}) {
        song.Add(t, 0.055, {6400, 3900, 4500}).Overtone(0.35f).Shape(0.08f, 0.4f);
    }
    song.Add(0.62, 0.13, {3600, 5000, 3900}).Warble(0.08f, 85).Flutter(0.6f).Overtone(0.3f);
    return song.Render(0.25f);
}

// A canary-like rolling trill, then a lower, faster one.
Samples Canary() {
    Song song;
    song.Add(0.00, 0.95, {3550, 3700, 3900}).Warble(0.11f, 22).Flutter(0.85f).Shape(0.1f, 0.15f);
    song.Add(1.05, 0.55, {2900, 2800}, 0.85f).Warble(0.14f, 30).Flutter(0.9f).Shape(0.1f, 0.25f);
    return song.Render(0.35f);
}

// A blackbird: low, mellow, melodic fluting that ends in a quiet twitter.
Samples Blackbird() {
    Song song;
    song.Add(0.00, 0.24, {1900, 2150, 2100}).Overtone(0.1f).Warble(0.006f, 7);
    song.Add(0.30, 0.18, {2500, 2450}).Overtone(0.1f);
    song.Add(0.53, 0.26, {2250, 2300, 1850}).Overtone(0.1f).Warble(0.006f, 7);
    song.Add(0.86, 0.20, {2050, 2350, 2150}, 0.9f).Overtone(0.1f);
    for (int i = 0; i < 4; ++i) song.Add(1.13 + 0.045 * i, 0.03, {5600, 4100}, 0.35f);
    return song.Render(0.45f);
}

// A yellowhammer: a run of quick, equal notes, then one long buzzy note.
Samples Yellowhammer() {
    Song song;
    for (int i = 0; i < 7; ++i) {
        song.Add(0.11 * i, 0.065, {5300, 4700}, 0.75f).Overtone(0.12f).Shape(0.1f, 0.4f);
    }
    song.Add(0.84, 0.46, {5500, 5300, 4900}).Warble(0.03f, 60).Overtone(0.15f).Shape(0.1f, 0.3f);
    return song.Render(0.35f);
}

// A great tit's "tea-cher, tea-cher": a high and a low note, see-sawing.
Samples GreatTit() {
    Song song;
    for (int i = 0; i < 4; ++i) {
        const double t = 0.29 * i;
        song.Add(t, 0.09, {5700, 5450}).Overtone(0.06f).Shape(0.15f, 0.3f);
        song.Add(t + 0.12, 0.12, {3950, 3700}, 0.9f).Overtone(0.06f).Shape(0.15f, 0.4f);
    }
    return song.Render(0.3f);
}

// An oriole: a loud, liquid "weela-wee-oo" of smooth fluty glides.
Samples Oriole() {
    Song song;
    song.Add(0.00, 0.22, {1600, 2250, 1950}).Overtone(0.12f).Warble(0.01f, 9);
    song.Add(0.24, 0.12, {2400, 2950}).Overtone(0.12f);
    song.Add(0.40, 0.30, {2750, 2850, 1800}).Overtone(0.12f).Warble(0.01f, 9);
    return song.Render(0.4f);
}

// Swallows twittering: a quick chatter of short, varied syllables.
Samples Swallow() {
    Song song;
    Lcg random(4242);
    double t = 0;
    for (int i = 0; i < 15; ++i) {
        const double length = random.Range(0.03f, 0.07f);
        const float high = random.Range(4500, 7000);
        const float low = random.Range(3000, 4500);
        if (random.Uniform() < 0.5f) {
            song.Add(t, length, {high, low}, random.Range(0.5f, 1.0f)).Overtone(0.25f);
        } else {
            song.Add(t, length, {low, high, low}, random.Range(0.5f, 1.0f)).Overtone(0.25f);
        }
        t += length + random.Range(0.02f, 0.05f);
    }
    return song.Render(0.3f);
}

// A curlew: a rising "cour-lee" twice, then a bubbling trill that climbs.
Samples Curlew() {
    Song song;
    song.Add(0.00, 0.36, {1700, 1800, 2350}).Overtone(0.08f).Shape(0.2f, 0.2f);
    song.Add(0.45, 0.36, {1750, 1850, 2450}).Overtone(0.08f).Shape(0.2f, 0.2f);
    song.Add(0.92, 0.75, {2300, 2700, 2900}).Warble(0.05f, 17).Flutter(0.5f).Overtone(0.08f);
    return song.Render(0.7f);
}

}  // namespace

Samples MakeBird(int number) {
    using Maker = Samples (*)();
    static const Maker kBirds[] = {Robin,     Chaffinch,    Cuckoo,   Chickadee, Sparrow, Canary,
                                   Blackbird, Yellowhammer, GreatTit, Oriole,    Swallow, Curlew};
    return kBirds[number - 1]();
}
