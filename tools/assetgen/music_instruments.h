// The menu tune's instruments; each renders one note as mono samples, release tail included.
#pragma once

#include <cstdint>

#include "synth.h"

double MidiHz(int midi);

// A breathy flute: soft attack, gentle vibrato, a puff of air at the start.
Samples Flute(double hz, double seconds, float velocity, std::uint32_t seed);
// Plucked strings that ring on by themselves.
Samples Harp(double hz, float velocity);
Samples Bass(double hz, double seconds, float velocity);
// A soft mallet on a tuned bar: round, with a little glassy shimmer.
Samples Bell(double hz, float velocity);
// A warm bowed pad that swells in and fades out slowly.
Samples Pad(double hz, double seconds, float velocity);
