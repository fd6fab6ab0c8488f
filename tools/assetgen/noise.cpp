#include "noise.h"

#include <cmath>

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u;
    h ^= static_cast<std::uint32_t>(x) * 0x85EBCA6Bu;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<std::uint32_t>(y) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

namespace {

float Lattice(int x, int y, std::uint32_t seed, int periodX) {
    if (periodX > 0) x = ((x % periodX) + periodX) % periodX;
    return (Hash(x, y, seed) >> 8) / 16777216.0f;
}

float Fade(float t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

}  // namespace

float ValueNoise(float x, float y, std::uint32_t seed, int periodX) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float tx = Fade(x - fx);
    const float ty = Fade(y - fy);
    const float a = Lattice(ix, iy, seed, periodX);
    const float b = Lattice(ix + 1, iy, seed, periodX);
    const float c = Lattice(ix, iy + 1, seed, periodX);
    const float d = Lattice(ix + 1, iy + 1, seed, periodX);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fractal(float x, float y, int octaves, std::uint32_t seed, int periodX) {
    float sum = 0;
    float weight = 0;
    float amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += ValueNoise(x, y, seed + i * 101u, periodX) * amplitude;
        weight += amplitude;
        amplitude *= 0.5f;
        x *= 2;
        y *= 2;
        periodX *= 2;
    }
    return sum / weight;
}

std::uint32_t Lcg::Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_;
}

float Lcg::Uniform() {
    return (Next() >> 8) / 16777216.0f;
}
