// A floating-point RGBA picture with "over" compositing, drawn in pixel units with y down.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "colour.h"

class Canvas {
public:
    // A canvas that wraps horizontally lets shapes crossing one side continue on the other,
    // so pictures repeated side by side meet without a seam.
    Canvas(int width, int height, bool wrapX = false);

    int Width() const { return width_; }
    int Height() const { return height_; }

    // Blends shade(x, y) over every pixel whose centre lies in the box; the colour's alpha
    // already carries the shape's coverage, so zero alpha leaves a pixel untouched.
    template <class ShadeFn>
    void Paint(float x0, float y0, float x1, float y1, ShadeFn shade) {
        ForBox(x0, y0, x1, y1, [&](int px, int py, float cx, float cy) {
            const Rgba c = shade(cx, cy);
            if (c.a > 0) BlendAt(px, py, c);
        });
    }

    // Removes coverage(x, y) of what is already there, for holes and cut-outs.
    template <class CoverFn>
    void Erase(float x0, float y0, float x1, float y1, CoverFn coverage) {
        ForBox(x0, y0, x1, y1, [&](int px, int py, float cx, float cy) {
            Pixel(px, py)[3] *= 1 - Clamp01(coverage(cx, cy));
        });
    }

    void BlendAt(int x, int y, Rgba c);
    // Multiplies every pixel's alpha by fade(y), for soft picture edges.
    template <class FadeFn>
    void FadeRows(FadeFn fade) {
        for (int y = 0; y < height_; ++y) {
            const float k = Clamp01(fade(y));
            for (int x = 0; x < width_; ++x) Pixel(x, y)[3] *= k;
        }
    }
    // Gives fully transparent pixels the colour of their nearest visible neighbours, so that
    // filtering and mipmaps never pull a dark fringe in from invisible texels.
    void BleedColours();
    // 8-bit blue, green, red, alpha, bottom row first, as TGA stores it.
    std::vector<std::uint8_t> BgraBottomUp() const;

private:
    float* Pixel(int x, int y) { return &data_[(static_cast<size_t>(y) * width_ + x) * 4]; }
    const float* Pixel(int x, int y) const {
        return &data_[(static_cast<size_t>(y) * width_ + x) * 4];
    }

    template <class Fn>
    void ForBox(float x0, float y0, float x1, float y1, Fn fn) {
        int ix0 = static_cast<int>(std::floor(x0));
        int ix1 = static_cast<int>(std::ceil(x1));
        if (!wrapX_) {
            ix0 = std::max(ix0, 0);
            ix1 = std::min(ix1, width_);
        } else if (ix1 - ix0 > width_) {
            ix1 = ix0 + width_;
        }
        const int iy0 = std::max(static_cast<int>(std::floor(y0)), 0);
        const int iy1 = std::min(static_cast<int>(std::ceil(y1)), height_);
        for (int y = iy0; y < iy1; ++y) {
            for (int x = ix0; x < ix1; ++x) {
                const int px = ((x % width_) + width_) % width_;
                fn(px, y, x + 0.5f, y + 0.5f);
            }
        }
    }

    int width_;
    int height_;
    bool wrapX_;
    std::vector<float> data_;  // straight RGBA, so invisible pixels keep a colour
};
