// Drawn front on, unlike the side-view frogs of the game, so it still reads as a frog
// at 16 pixels: a wide green head, two golden eyes on top, a long smile.
#include "app_icon.h"

#include <algorithm>
#include <cstdio>

#include "frog_shape.h"
#include "image_files.h"
#include "paint.h"

namespace {

// Shapes are laid out on a 256-unit square and scaled to the picture.
constexpr float kDesign = 256;

const Vec2 kEyes[2] = {{72, 78}, {184, 78}};

float HeadShape(Vec2 q) {
    float d = SdEllipse(q, {128, 150}, {114, 80});
    for (Vec2 eye : kEyes) d = SmoothMin(d, SdCircle(q, eye, 47), 16);
    return d;
}

// The smile: a curve from cheek to cheek, a little turned up at both ends.
float Smile(Vec2 q) {
    constexpr int kPieces = 32;
    const Vec2 a{44, 146}, control{128, 222}, b{212, 146};
    float d = 1e9f;
    Vec2 from = a;
    for (int i = 1; i <= kPieces; ++i) {
        const Vec2 to = Bezier(a, control, b, static_cast<float>(i) / kPieces);
        d = std::min(d, SdCapsule(q, from, to, 3.5f, 3.5f));
        from = to;
    }
    d = std::min(d, SdCapsule(q, a, {36, 136}, 3.5f, 2.5f));
    return std::min(d, SdCapsule(q, b, {220, 136}, 3.5f, 2.5f));
}

class Painter {
public:
    Painter(Canvas& canvas, float scale) : canvas_(canvas), scale_(scale) {}

    // sd works in design units; coverage needs pixels.
    template <class Sd>
    void Fill(Rgba colour, Sd sd) {
        Shaded([&](Vec2) { return colour; }, sd);
    }

    template <class ShadeFn, class Sd>
    void Shaded(ShadeFn shade, Sd sd) {
        const Box all{0, 0, static_cast<float>(canvas_.Width()),
                      static_cast<float>(canvas_.Height())};
        FillShaded(
            canvas_, all, [&](Vec2 p) { return sd(Design(p)) * scale_; },
            [&](Vec2 p) { return shade(Design(p)); });
    }

private:
    Vec2 Design(Vec2 p) const { return p * (1 / scale_); }

    Canvas& canvas_;
    float scale_;
};

}  // namespace

Canvas MakeAppIcon(int size) {
    Canvas canvas(size, size);
    Painter paint(canvas, size / kDesign);
    const Rgba outline = Hex(0x173d0e);

    // A dark rim all round keeps the face apart from any panel colour.
    paint.Fill(outline, [](Vec2 q) { return HeadShape(q) - 7; });
    paint.Shaded([](Vec2 q) { return Mix(Hex(0x8be05f), Hex(0x2e8a1c), SmoothStep(40, 230, q.y)); },
                 HeadShape);
    // Pale throat and lower jaw.
    paint.Fill(WithAlpha(Hex(0xd8f0a0), 0.8f), [](Vec2 q) {
        return std::max(SdEllipse(q, {128, 214}, {86, 36}), HeadShape(q) + 3);
    });

    for (Vec2 eye : kEyes) {
        paint.Fill(Hex(0x3a2a08), [eye](Vec2 q) { return SdCircle(q, eye, 36); });
        paint.Shaded(
            [eye](Vec2 q) {
                return Mix(Hex(0xffd75a), Hex(0xc97a12), SmoothStep(-34, 34, q.y - eye.y));
            },
            [eye](Vec2 q) { return SdCircle(q, eye, 32); });
        // Pupils look a little inward and down, at whoever is looking at the icon.
        const Vec2 pupil{eye.x + (eye.x < 128 ? 4.0f : -4.0f), eye.y + 4};
        paint.Fill(Hex(0x101010), [pupil](Vec2 q) { return SdEllipse(q, pupil, {21, 13}); });
        paint.Fill(WithAlpha(Hex(0xffffff), 0.9f), [eye](Vec2 q) {
            return SdCircle(q, eye + Vec2{-11, -13}, 7.5f);
        });
    }

    for (float x : {112.0f, 144.0f}) {
        paint.Fill(outline, [x](Vec2 q) { return SdEllipse(q, {x, 128}, {5, 3.5f}); });
    }
    paint.Fill(outline, Smile);
    return canvas;
}

bool WriteAppIcons(const std::string& folder) {
    if (!WriteBmp(folder + "/icon.bmp", MakeAppIcon(64))) {
        std::fprintf(stderr, "assetgen: cannot write %s/icon.bmp\n", folder.c_str());
        return false;
    }
    // The sizes of the hicolor theme that desktop menus, docks and task switchers ask for.
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string path = folder + "/pondlark-" + std::to_string(size) + ".png";
        if (!WritePng(path, MakeAppIcon(size))) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}
