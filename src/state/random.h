// The game's one random generator: a 32-bit linear congruential sequence.
#pragma once

#include <cstdint>

class RandomGenerator {
public:
    uint32_t Seed = 0;

    // Seeds from a time of day in universal time.
    void SeedFromTime(int hours, int minutes, int seconds, int milliseconds);
    // An integer in 0..n-1: the high 32 bits of the new seed times n.
    int32_t Next(int32_t n);
    // A real in [0, 1).
    double Next();
};

// Draws from the running program's generator.
int32_t Random(int32_t n);
double Random();
