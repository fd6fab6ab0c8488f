// Straight (not premultiplied) RGBA colours and the small arithmetic the pictures use.
#pragma once

#include <algorithm>

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

inline float Clamp01(float v) {
    return std::min(1.0f, std::max(0.0f, v));
}

inline float Lerp(float a, float b, float t) {
    return a + (b - a) * t;
}

inline float SmoothStep(float e0, float e1, float x) {
    const float t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

inline Rgba Mix(Rgba a, Rgba b, float t) {
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t), Lerp(a.a, b.a, t)};
}

// Scales the colour channels, keeping alpha.
inline Rgba Shade(Rgba c, float k) {
    return {c.r * k, c.g * k, c.b * k, c.a};
}

inline Rgba WithAlpha(Rgba c, float a) {
    return {c.r, c.g, c.b, a};
}

// An opaque colour from 0..255 channels, the way palettes are usually written down.
inline Rgba Hex(int rgb) {
    return {((rgb >> 16) & 255) / 255.0f, ((rgb >> 8) & 255) / 255.0f, (rgb & 255) / 255.0f, 1};
}
