#include "game/lily_pad.h"

#include <cmath>

#include "game/frog.h"
#include "game/sky.h"
#include "gfx/geometry.h"
#include "state/application.h"
#include "state/random.h"
#include "state/world_walk.h"

namespace {

// Left or right with equal chance, 0.05 to 0.1 units per step; the side is drawn first.
double DriftSpeed() {
    const double side = 2 * Random(2) - 1;
    return side * (0.05 + Random() * 0.05);
}

double CentreDistance(const LilyPad& a, const LilyPad& b) {
    return Distance(a.X, a.Y, b.X, b.Y);
}

bool Overlap(const LilyPad& a, const LilyPad& b) {
    return CentreDistance(a, b) < 0.95 * (a.Size + b.Size);
}

}  // namespace

LilyPad::LilyPad(double x, double y, double velX, double velY, double size)
    : X(x), Y(y), VelX(velX), VelY(velY), Size(size) {
    const Sky& sky = *App().Sky;
    ColorR = sky.PadChannel(0);
    ColorG = sky.PadChannel(1);
    ColorB = sky.PadChannel(2);
    Mirrored = Random(2) == 1;
}

// Braces keep the draws in order: x first, then the drift.
LilyPad::LilyPad(double size)
    : LilyPad{Random() * App().View.FieldWidth, kWaterLine, DriftSpeed(), 0, size} {}

void LilyPad::Update() {
    CarryFrogs();
    X += VelX;
    Y += VelY;
    if (X < 0) VelX = std::fabs(VelX);
    if (X > App().View.FieldWidth) VelX = -std::fabs(VelX);
    if (Y < 0) VelY = std::fabs(VelY);
    if (Y > App().View.ViewHeight) VelY = -std::fabs(VelY);
    if (App().Pads.size() >= 2) PushApart();
}

// Only x is compared: a standing frog is always on the surface.
void LilyPad::CarryFrogs() const {
    for (const auto& frog : App().Frogs) {
        if (frog->State == FrogState::Standing && X - Size <= frog->X && frog->X <= X + Size) {
            frog->X += VelX;
        }
    }
}

void LilyPad::PushApart() {
    for (const auto& other : App().Pads) {
        LilyPad& q = *other;
        if (&q == this || !Overlap(*this, q)) continue;
        if (X < q.X) {
            VelX = -std::fabs(VelX);
            q.VelX = std::fabs(q.VelX);
        } else {
            VelX = std::fabs(VelX);
            q.VelX = -std::fabs(q.VelX);
        }
    }
}

void MakeLevelPads() {
    const int32_t k = Random(5) + 1;
    const double base = 120 - 20 * k;
    for (int32_t i = 0; i <= k; ++i) {
        double size = base + Random() * base;
        if (size < 50) size = 50;
        App().Pads.push_back(std::make_unique<LilyPad>(size));
    }
    SpreadPads();
}

void SpreadPads() {
    ObjectList<LilyPad>& pads = App().Pads;
    if (pads.size() < 2) return;
    int passes = 0;
    bool moved;
    do {
        moved = false;
        for (size_t p = 0; p < pads.size(); ++p) {
            for (size_t q = 0; q < pads.size(); ++q) {
                if (q == p || !Overlap(*pads[p], *pads[q])) continue;
                pads[q]->X = Random() * App().View.FieldWidth;
                moved = true;
            }
        }
        ++passes;
    } while (moved && passes <= 100);
}

void UpdatePads() {
    UpdateObjects(App().Pads, [](LilyPad& item) { item.Update(); });
}

LilyPad* PadAt(double x) {
    for (const auto& pad : App().Pads) {
        if (pad->X - pad->Size <= x && x <= pad->X + pad->Size) return pad.get();
    }
    return nullptr;
}

bool IsPadAt(double x) {
    return PadAt(x) != nullptr;
}

double SupportHeightAt(double x) {
    return IsPadAt(x) ? kWaterLine : -1.0;
}

bool IsAboveSupport(double x, double y) {
    return SupportHeightAt(x) < y;
}
