#include "game/fly.h"

#include <cmath>

#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/player.h"
#include "gfx/geometry.h"
#include "state/application.h"
#include "state/random.h"
#include "state/world_walk.h"

namespace {

// A height in the flight band 90..459.
double FlightHeight() {
    return Random(App().View.ViewHeight - 110) + 90;
}

double NewMaxSpeed() {
    return Random() * App().Game->FlySpeed + 0.1;
}

}  // namespace

Fly::Fly() {
    if (Random(14) == 0) {
        Enter(2, 6 + Random() * 2);
    } else {
        Enter(1, 3.5 + Random() * 2.2);
    }
}

Fly::Fly(int32_t points, double size) {
    Enter(points, size);
}

Fly::Fly(int32_t points, double x, double y, double velX, double velY, double size) {
    Setup(points, x, y, velX, velY, size);
}

Fly::~Fly() {
    for (const auto& frog : App().Frogs) {
        if (frog->TargetFly == this) frog->TargetFly = nullptr;
        for (TongueSegment& segment : frog->Tongue) {
            if (segment.HeldFly == this) segment.HeldFly = nullptr;
        }
    }
}

void Fly::Enter(int32_t points, double size) {
    const ViewLayout& view = App().View;
    double x;
    double y;
    switch (Random(3)) {
        case 0:
            x = -5;
            y = FlightHeight();
            break;
        case 1:
            x = view.FieldWidth + 5;
            y = FlightHeight();
            break;
        default:
            x = Random() * view.FieldWidth;
            y = view.ViewHeight + 5;
            break;
    }
    const double velX = Random() - 0.5;
    const double velY = Random() - 0.5;
    Setup(points, x, y, velX, velY, size);
}

void Fly::Setup(int32_t points, double x, double y, double velX, double velY, double size) {
    Points = points;
    X = x;
    Y = y;
    VelX = velX;
    VelY = velY;
    Size = size;
    TargetX = Random() * App().View.FieldWidth;
    TargetY = FlightHeight();
    ColorR = 0.6 - Random() * 0.2;
    ColorG = 0.6 - Random() * 0.2;
    ColorB = 0.6 - Random() * 0.2;
    WingPhase = Random() * 1000;
    MaxSpeed = NewMaxSpeed();
}

void Fly::Update() {
    X += VelX;
    Y += VelY;
    VelX += (Random() - 0.5) * 0.5;
    VelY += (Random() - 0.5) * 0.5;
    PullTowardTarget();
    BounceOffWalls();
    WingPhase += 0.4 + MaxSpeed / 2;
    TurnToFlight();
    if (Random(320) == 0) {
        TargetX = Random() * App().View.FieldWidth;
        TargetY = FlightHeight();
    }
    if (Random(80) == 0) MaxSpeed = NewMaxSpeed();
}

void Fly::PullTowardTarget() {
    if (X < TargetX && VelX < MaxSpeed) VelX += Random() * 0.3;
    if (X > TargetX && VelX > -MaxSpeed) VelX -= Random() * 0.3;
    if (Y < TargetY && VelY < MaxSpeed) VelY += Random() * 0.3;
    if (Y > TargetY && VelY > -MaxSpeed) VelY -= Random() * 0.3;
}

// Only the direction turns; a fly outside the box comes back in by itself.
void Fly::BounceOffWalls() {
    if (X < 0) VelX = std::fabs(VelX);
    if (X > App().View.FieldWidth) VelX = -std::fabs(VelX);
    if (Y - 10 < kWaterLine) VelY = std::fabs(VelY);
    if (Y > App().View.ViewHeight) VelY = -std::fabs(VelY);
}

// The sprite is drawn nose up, so it turns to face its flight; a fly hovering at its
// target keeps its heading.
void Fly::TurnToFlight() {
    const double wanted = FloatMod(AngleOf(VelX, VelY) + 180, 360);
    const double speed = Distance(0, 0, VelX, VelY);
    if (Distance(X, Y, TargetX, TargetY) > 10 || speed > 1) {
        TurnToward(Heading, wanted, 3 * speed);
    }
}

void UpdateFlies() {
    UpdateObjects(App().Flies, [](Fly& item) { item.Update(); });
}
