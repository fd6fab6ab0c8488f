// A small algorithmic room: parallel damped echoes smeared by all-pass diffusers.
#pragma once

#include <vector>

#include "synth.h"

class Reverb {
public:
    // size scales the echo delays (1 is a hall-like space); decay 0..1 sets the tail length,
    // damping 0..1 how fast highs die; a non-zero spread detunes the delays, for a second
    // channel that sounds apart from the first.
    Reverb(double size, double decay, double damping, int spread = 0);
    // Returns the tail only; the caller mixes it with the dry sound.
    float Process(float x);

private:
    struct Comb {
        std::vector<float> line;
        size_t at = 0;
        float store = 0;
    };
    struct AllPass {
        std::vector<float> line;
        size_t at = 0;
    };

    std::vector<Comb> combs_;
    std::vector<AllPass> allPasses_;
    float feedback_;
    float damping_;
};

// The sound heard outdoors: the dry sound plus wet times the echo of the surroundings, with
// half a second added for the echo to die away.
Samples Outdoors(const Samples& dry, float wet);
