// A throat for animal calls: a buzzing source shaped by resonances, like a mouth or vocal sac.
#pragma once

#include <cstdint>
#include <vector>

#include "synth.h"

struct Resonance {
    float hz;
    float q;
    float gain;
};

struct Call {
    double seconds = 0.3;
    Contour pitch{200};  // Hz of the buzzing source over the call
    Contour loudness{0, 1, 1, 0};
    std::vector<Resonance> resonances;
    float wander = 0;         // slow random drift of pitch, as a fraction of it
    float roughness = 0;      // every other cycle weaker, the raspy sound of a strained voice
    float breath = 0;         // share of noise in the source
    float pulseHz = 0;        // when above 0, the voice comes in separate pulses at this rate
    float pulseShare = 0.5f;  // the part of each pulse period that sounds
    std::uint32_t seed = 1;
};

Samples Voice(const Call& call);
