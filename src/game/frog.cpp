#include "game/frog.h"

#include <algorithm>
#include <cmath>

#include "game/fly.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/player.h"
#include "gfx/ripple.h"
#include "sound/sound.h"
#include "state/application.h"
#include "state/random.h"
#include "state/world_walk.h"

namespace {

constexpr int32_t kSampleJump = 0;
constexpr int32_t kSampleHop = 1;

LegJoint MakeJoint(double length, double tucked, double stretched, double halfWidth, int32_t tile) {
    LegJoint joint;
    joint.Angle = tucked;
    joint.Length = length;
    joint.TuckedAngle = tucked;
    joint.StretchedAngle = stretched;
    joint.HalfWidth = halfWidth;
    joint.Tile = tile;
    return joint;
}

double Speed(const Frog& frog) {
    return Distance(0, 0, frog.VelX, frog.VelY);
}

double LimitSpeed(double v) {
    return std::clamp(v, -10.0, 10.0);
}

}  // namespace

Frog::Frog() : Frog(15) {}

// Braces keep the draws in order: x, then y.
Frog::Frog(double size)
    : Frog{static_cast<double>(Random(App().View.ViewWidth)),
           static_cast<double>(Random(App().View.ViewHeight)), size} {}

Frog::Frog(double x, double y, double size) : X(x), Y(y), Size(size) {
    Facing = 2 * Random(2) - 1;
    BackLeg[0] = MakeJoint(size, 285, 180, 3.0, 4);
    BackLeg[1] = MakeJoint(size, 125, 170, 2.0, 5);
    BackLeg[2] = MakeJoint(0.6 * size, 255, 200, 1.5, 6);
    FrontLeg[0] = MakeJoint(0.3 * size, 210, 250, 1.4, 7);
    FrontLeg[1] = MakeJoint(0.4 * size, 220, 300, 2.0, 8);
}

PlayerRecord& Frog::Player() const {
    return App().Game->Players[PlayerIndex];
}

void Frog::Jump(double strength) {
    if (App().Game->LevelOver) return;
    if (strength >= 0) {
        VelY = strength;
        VelX = (6 - SafeSqrt(strength)) * Facing;
    } else {
        VelY = 3.0;
        VelX = 3.2 * Facing;
    }
    PlaySample(strength > 0 ? kSampleJump : kSampleHop, true, 0, X, Y, 0);
    State = FrogState::Airborne;
}

void Frog::PickNearestFly() {
    Fly* nearest = nullptr;
    double best = 0;
    for (const auto& fly : App().Flies) {
        const double d = Distance(X, Y, fly->X, fly->Y);
        if (!nearest || d < best) {
            nearest = fly.get();
            best = d;
        }
    }
    if (nearest) TargetFly = nearest;
}

void Frog::UpdateFrog() {
    Control();
    UpdateWater();
    X += VelX;
    Y += VelY;
    if (State != FrogState::Swimming) {
        VelX *= 0.98;
        VelY -= 0.15;
    }
    // Far off the field the frog is sent back, never snapped.
    if (X < -120) VelX = std::fabs(VelX);
    if (X > App().View.FieldWidth + 120) VelX = -std::fabs(VelX);
    if (State != FrogState::Swimming) StandOrFly();
    UpdateLegs();
    UpdateBlink();
    if (TongueOut) UpdateTongue();
    if (App().Game->FrogsCollide) CollideFrogs();
}

// A standing frog lands again every step, which keeps it on its pad's surface.
void Frog::StandOrFly() {
    if (IsAboveSupport(X, Y - Size / 2)) {
        State = FrogState::Airborne;
        return;
    }
    const LilyPad* pad = PadAt(X);
    if (State == FrogState::Airborne && VelY < -1 && pad) {
        AddRipple(pad->X, kWaterLine, pad->Size * 0.75, std::fabs(VelY) * 0.012 + 0.01);
    }
    VelY = 0;
    Y = SupportHeightAt(X) + Size / 2;
    VelX = 0;
    State = FrogState::Standing;
}

// Each frog of an overlapping pair pushes both apart in its own step.
void Frog::CollideFrogs() {
    const ObjectList<Frog>& frogs = App().Frogs;
    if (frogs.size() < 2) return;
    for (const auto& other : frogs) {
        Frog& q = *other;
        if (&q == this || !(Distance(X, Y, q.X, q.Y) < (Size + q.Size) * 0.8)) continue;
        const double h = AngleOf(X - q.X, Y - q.Y) * kRadiansPerDegree;
        double f = (Speed(*this) + Speed(q)) * 0.5;
        if (std::fabs(f) < 0.1) f = 0.1;
        VelX = LimitSpeed(std::sin(h) * f + VelX * 0.3);
        VelY = LimitSpeed(VelY * 0.3 - std::cos(h) * f);
        if (State == FrogState::Standing) State = FrogState::Airborne;
        q.VelX = LimitSpeed(q.VelX * 0.3 - std::sin(h) * f);
        q.VelY = LimitSpeed(std::cos(h) * f + q.VelY * 0.3);
        if (q.State == FrogState::Standing) q.State = FrogState::Airborne;
        IdleSteps = 0;
        q.IdleSteps = 0;
        Charging = false;
        q.Charging = false;
    }
}

void UpdateFrogs() {
    UpdateObjects(App().Frogs, [](Frog& item) { item.UpdateFrog(); });
}
