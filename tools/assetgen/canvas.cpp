#include "canvas.h"

#include <cstddef>

Canvas::Canvas(int width, int height, bool wrapX)
    : width_(width),
      height_(height),
      wrapX_(wrapX),
      data_(static_cast<size_t>(width) * height * 4) {}

void Canvas::BlendAt(int x, int y, Rgba c) {
    float* p = Pixel(x, y);
    const float a = Clamp01(c.a);
    const float under = p[3] * (1 - a);
    const float out = a + under;
    if (out <= 0) return;
    p[0] = (c.r * a + p[0] * under) / out;
    p[1] = (c.g * a + p[1] * under) / out;
    p[2] = (c.b * a + p[2] * under) / out;
    p[3] = out;
}

void Canvas::BleedColours() {
    const size_t count = static_cast<size_t>(width_) * height_;
    std::vector<char> known(count, 0);
    size_t unknown = 0;
    for (size_t i = 0; i < count; ++i) {
        known[i] = data_[i * 4 + 3] > 1e-4f;
        if (!known[i]) ++unknown;
    }
    // Grow the coloured region one ring at a time, averaging the coloured neighbours.
    for (int pass = 0; pass < 8 && unknown > 0; ++pass) {
        std::vector<char> next = known;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const size_t i = static_cast<size_t>(y) * width_ + x;
                if (known[i]) continue;
                float sum[3] = {0, 0, 0};
                int n = 0;
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = (x + dx + width_) % width_;
                        const int ny = y + dy;
                        if (ny < 0 || ny >= height_) continue;
                        const size_t j = static_cast<size_t>(ny) * width_ + nx;
                        if (!known[j]) continue;
                        for (int c = 0; c < 3; ++c) sum[c] += data_[j * 4 + c];
                        ++n;
                    }
                }
                if (n == 0) continue;
                for (int c = 0; c < 3; ++c) data_[i * 4 + c] = sum[c] / n;
                next[i] = 1;
                --unknown;
            }
        }
        known.swap(next);
    }
    // Farther pixels take the nearest coloured pixel of their column, which is plenty for
    // texels that never show.
    for (int x = 0; x < width_ && unknown > 0; ++x) {
        for (int pass = 0; pass < 2; ++pass) {
            const int step = pass == 0 ? 1 : -1;
            int from = -1;
            for (int y = pass == 0 ? 0 : height_ - 1; y >= 0 && y < height_; y += step) {
                const size_t i = static_cast<size_t>(y) * width_ + x;
                if (known[i]) {
                    from = y;
                } else if (from >= 0) {
                    const size_t j = static_cast<size_t>(from) * width_ + x;
                    for (int c = 0; c < 3; ++c) data_[i * 4 + c] = data_[j * 4 + c];
                    known[i] = 1;
                    --unknown;
                }
            }
        }
    }
}

std::vector<std::uint8_t> Canvas::BgraBottomUp() const {
    std::vector<std::uint8_t> out(static_cast<size_t>(width_) * height_ * 4);
    auto byte = [](float v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v) * 255)); };
    size_t o = 0;
    for (int y = height_ - 1; y >= 0; --y) {
        for (int x = 0; x < width_; ++x) {
            const float* p = Pixel(x, y);
            out[o++] = byte(p[2]);
            out[o++] = byte(p[1]);
            out[o++] = byte(p[0]);
            out[o++] = byte(p[3]);
        }
    }
    return out;
}
