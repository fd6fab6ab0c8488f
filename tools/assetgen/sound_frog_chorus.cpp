// Frogs calling round the pond: ribbits, a deep croak, a creaking chorus and a toad's trill.
#include "reverb.h"
#include "sound_makers.h"
#include "voice.h"

namespace {

// A pulsed frog note: a buzz through the vocal sac's resonances, broken into quick pulses.
Samples Croak(double seconds, Contour pitch, float pulseHz, std::vector<Resonance> resonances,
              std::uint32_t seed) {
    Call call;
    call.seconds = seconds;
    call.pitch = std::move(pitch);
    call.pulseHz = pulseHz;
    call.pulseShare = 0.6f;
    call.resonances = std::move(resonances);
    call.breath = 0.1f;
    call.wander = 0.02f;
    call.seed = seed;
    return Voice(call);
}

Samples Ribbits() {
    Samples sound;
    const auto ribbit = [&sound](double at, float pitch, float level, std::uint32_t seed) {
        MixAt(sound, at,
              Croak(0.09, {320 * pitch, 340 * pitch}, 75, {{1200, 4, 1}, {2400, 5, 0.4f}}, seed),
              level);
        MixAt(sound, at + 0.13,
              Croak(0.12, {360 * pitch, 420 * pitch, 400 * pitch}, 90,
                    {{1400, 4, 1}, {2600, 5, 0.4f}}, seed + 1),
              level);
    };
    ribbit(0.0, 1, 1, 151);
    ribbit(0.55, 1.02f, 0.9f, 153);
    ribbit(1.05, 0.85f, 0.4f, 155);
    return Outdoors(sound, 0.2f);
}

Samples Bullfrog() {
    Samples sound;
    for (int i = 0; i < 2; ++i) {
        Call call;
        call.seconds = 0.75;
        call.pitch = i == 0 ? Contour{115, 120, 105} : Contour{106, 110, 96};
        call.loudness = Contour{0, 1, 0.9f, 1, 0.8f, 0};
        call.resonances = {{230, 3, 1}, {520, 4, 0.6f}, {1100, 5, 0.2f}};
        call.pulseHz = 14;
        call.pulseShare = 0.85f;
        call.roughness = 0.3f;
        call.breath = 0.05f;
        call.seed = 161 + i;
        MixAt(sound, 0.95 * i, Voice(call), i == 0 ? 1 : 0.85f);
    }
    return Outdoors(sound, 0.25f);
}

Samples CreakingChorus() {
    Samples sound;
    Lcg random(171);
    for (int frog = 0; frog < 4; ++frog) {
        const float pitch = random.Range(480, 700);
        const float level = frog == 0 ? 1 : random.Range(0.35f, 0.8f);
        const int creaks = 2 + random.Below(3);
        double at = frog == 0 ? 0 : random.Range(0, 1.0f);
        for (int c = 0; c < creaks; ++c) {
            Call call;
            call.seconds = random.Range(0.1f, 0.16f);
            call.pitch = Contour{pitch, pitch * 1.08f, pitch * 0.95f};
            call.resonances = {{1500, 3, 1}, {2800, 4, 0.5f}};
            call.pulseHz = 45;
            call.roughness = 0.3f;
            call.breath = 0.15f;
            call.seed = random.Next();
            MixAt(sound, at, Voice(call), level);
            at += random.Range(0.22f, 0.35f);
        }
    }
    return Outdoors(sound, 0.25f);
}

Samples ToadTrill() {
    Call call;
    call.seconds = 1.9;
    call.pitch = Contour{245, 250, 240};
    call.loudness = Contour{0, 0.8f, 1, 1, 1, 0.9f, 0};
    call.resonances = {{1150, 5, 1}, {2300, 6, 0.25f}};
    call.pulseHz = 34;
    call.pulseShare = 0.55f;
    call.breath = 0.05f;
    call.seed = 181;
    return Outdoors(Voice(call), 0.2f);
}

}  // namespace

Samples MakeFrogChorus(int variant) {
    switch (variant) {
        case 1:
            return Ribbits();
        case 2:
            return Bullfrog();
        case 3:
            return CreakingChorus();
        default:
            return ToadTrill();
    }
}
