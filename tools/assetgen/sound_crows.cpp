// Crows cawing over a winter pond.
#include "reverb.h"
#include "sound_makers.h"
#include "voice.h"

namespace {

// A caw: a harsh, nasal, raspy voice rising and falling in pitch.
Samples Caw(double seconds, Contour pitch, float roughness, std::uint32_t seed) {
    Call caw;
    caw.seconds = seconds;
    caw.pitch = std::move(pitch);
    caw.loudness = Contour{0, 1, 1, 0.85f, 0};
    caw.resonances = {{1150, 5, 1}, {1750, 6, 0.8f}, {2900, 7, 0.35f}};
    caw.wander = 0.04f;
    caw.roughness = roughness;
    caw.breath = 0.25f;
    caw.seed = seed;
    return Voice(caw);
}

}  // namespace

Samples MakeCrow(int variant) {
    Samples sound;
    if (variant == 1) {
        MixAt(sound, 0.00, Caw(0.30, {470, 560, 540, 430}, 0.6f, 121));
        MixAt(sound, 0.42, Caw(0.30, {485, 575, 555, 445}, 0.6f, 122), 0.95f);
        MixAt(sound, 0.84, Caw(0.28, {455, 545, 525, 420}, 0.6f, 123), 0.9f);
    } else if (variant == 2) {
        MixAt(sound, 0.00, Caw(0.42, {420, 505, 490, 380}, 0.65f, 131));
        MixAt(sound, 0.62, Caw(0.40, {410, 495, 470, 370}, 0.65f, 132), 0.9f);
    } else {
        MixAt(sound, 0.00, Caw(0.60, {520, 600, 560, 480, 400}, 0.75f, 141));
        MixAt(sound, 0.80, Caw(0.14, {500, 560, 470}, 0.5f, 142), 0.7f);
    }
    return Outdoors(sound, 0.3f);
}
