#include <cmath>

#include "game/frog.h"
#include "game/lily_pad.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "sound/sound.h"
#include "state/application.h"
#include "state/random.h"

namespace {

constexpr int32_t kSampleSplash = 2;

// The pad whose nearer edge is closest beside x; pads over x do not count.
const LilyPad* NearestPadEdge(double x) {
    const LilyPad* nearest = nullptr;
    double best = 999999;
    for (const auto& pad : App().Pads) {
        const double left = pad->X - pad->Size;
        const double right = pad->X + pad->Size;
        if (left > x && left - x < best) {
            best = left - x;
            nearest = pad.get();
        }
        if (right < x && x - right < best) {
            best = x - right;
            nearest = pad.get();
        }
    }
    return nearest;
}

}  // namespace

void Frog::UpdateWater() {
    if (State == FrogState::Swimming) {
        Swim();
    } else if (Y < kWaterLine) {
        FallIntoWater();
    }
}

// Bobs around the water line and swims one unit per step toward the pad chosen on falling in.
void Frog::Swim() {
    if (Y > kWaterLine && VelY > -2) VelY -= 0.2;
    if (Y < kWaterLine && VelY < 2) VelY += 0.2;
    if (std::fabs(Y - kWaterLine) < 15 && std::fabs(VelY) > 0.17 && Random(6) == 0) {
        AddRipple(X, kWaterLine, 10, std::fabs(VelY) * 0.12 + 0.05);
    }
    VelX = Facing;
    if (!IsAboveSupport(X, Y)) {
        // Under a pad's edge it waits for the bobbing to lift it, then climbs out.
        if (Y < kWaterLine - Size / 2) {
            VelX = 0;
        } else {
            State = FrogState::Standing;
        }
    }
}

void Frog::FallIntoWater() {
    if (const LilyPad* pad = NearestPadEdge(X)) Facing = pad->X >= X ? 1 : -1;
    State = FrogState::Swimming;
    const double fall = std::fabs(VelY);
    Splash(X, fall * 0.63, Size);
    AddRipple(X, kWaterLine, fall + 10, fall * 0.04 + 0.03);
    PlaySample(kSampleSplash, true, 0, X, Y, 0);
}
