// The ripple: a soft bright ring, drawn squashed flat and tinted by the game.
#include <cmath>

#include "pictures.h"

namespace {

constexpr int kSize = 256;

float Bump(float x, float centre, float width) {
    const float t = (x - centre) / width;
    return std::exp(-t * t);
}

}  // namespace

Canvas MakeRipple() {
    Canvas canvas(kSize, kSize);
    const float c = kSize / 2.0f;
    canvas.Paint(0, 0, kSize, kSize, [&](float x, float y) {
        const float r = std::hypot(x - c, y - c) / c;
        // The main crest, a weaker one trailing inside it, and a clean fade before the edge.
        const float crest = Bump(r, 0.8f, 0.075f) + 0.35f * Bump(r, 0.6f, 0.06f);
        const float fade = 1 - SmoothStep(0.9f, 0.99f, r);
        // The inner side of each crest is a touch darker, like the trough before a wave.
        const float light = 0.82f + 0.18f * SmoothStep(0.7f, 0.82f, r);
        return Rgba{light, light, light, Clamp01(crest) * fade};
    });
    return canvas;
}
