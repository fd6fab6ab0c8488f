// Deterministic pseudo-random numbers and value noise, the same on every machine.
#pragma once

#include <cstdint>

// A 32-bit hash of integer coordinates and a seed.
std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed);

// Smooth value noise in [0, 1) on a unit lattice; a positive period repeats it along x.
float ValueNoise(float x, float y, std::uint32_t seed, int periodX = 0);
// Several octaves of value noise, each twice as fine and half as strong; result in [0, 1).
float Fractal(float x, float y, int octaves, std::uint32_t seed, int periodX = 0);

// A small linear congruential generator for placing things.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed) : state_(seed) {}
    std::uint32_t Next();
    float Uniform();  // [0, 1)
    float Range(float lo, float hi) { return lo + (hi - lo) * Uniform(); }
    int Below(int n) { return static_cast<int>(Uniform() * n); }

private:
    std::uint32_t state_;
};
