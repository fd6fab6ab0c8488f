// Frogs: body, physics, tongue, legs, collisions and drawing.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/geometry.h"

class Fly;
struct FrogPose;
struct PlayerRecord;

enum class FrogState : uint8_t { Standing = 0, Airborne = 1, Swimming = 2 };

// One link of the tongue; segment 0 is the tip.
struct TongueSegment {
    double X = 0;
    double Y = 0;
    double VelX = 0;
    double VelY = 0;
    Fly* HeldFly = nullptr;
    double Width = 0;  // half-width of the piece to the next segment
};

// One segment of a leg; angle 180 points straight down, mirrored with the frog's facing.
struct LegJoint {
    double Angle = 0;
    double Length = 0;
    double TuckedAngle = 0;
    double StretchedAngle = 0;
    double HalfWidth = 0;
    int32_t Tile = 0;
    double StartX = 0;
    double StartY = 0;
    double EndX = 0;
    double EndY = 0;
    double QuadX1 = 0;
    double QuadY1 = 0;
    double QuadX2 = 0;
    double QuadY2 = 0;
};

// A frog: body, physics, tongue and legs, steered by a person or the computer.
class Frog {
public:
    static constexpr int32_t kTongueSegments = 7;

    // At a random place, size 15; the game then places and colours it.
    Frog();
    // At a random place.
    explicit Frog(double size);
    Frog(double x, double y, double size);

    // Take-off; a negative strength is a short hop.
    void Jump(double strength);
    void ShootTongue(double forward, double up);
    void PickNearestFly();
    void UpdateFrog();
    // Drawn where the pose says, in the frog's own colours and facing.
    void DrawFrog(const FrogPose& pose) const;

    int32_t PlayerIndex = 0;
    double X = 0;
    double Y = 0;
    double VelX = 0;
    double VelY = 0;
    double Size = 0;
    Rgba Color;
    bool Dead = false;
    Fly* TargetFly = nullptr;
    int32_t Facing = 1;  // +1 right, -1 left
    FrogState State = FrogState::Standing;
    bool TongueOut = false;
    int32_t TongueTime = 0;
    int32_t TongueLength = 0;
    TongueSegment Tongue[kTongueSegments];
    LegJoint BackLeg[3];
    LegJoint FrontLeg[2];
    bool Charging = false;
    int32_t TurnDelay = 0;
    int32_t IdleSteps = 0;
    int32_t BlinkSteps = 0;

private:
    static constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180;

    PlayerRecord& Player() const;
    void Control();
    void SteerByComputer();
    void SteerByKeys();
    void TurnOrHop(int32_t direction);
    void TriggerTongue();
    void UpdateWater();
    void Swim();
    void FallIntoWater();
    void StandOrFly();
    void UpdateTongue();
    void UpdateTongueSegment(int32_t i);
    void SwallowSegment();
    void UpdateLegs();
    void UpdateLeg(LegJoint* joints, int32_t count, bool back, double hipX, double hipY);
    // Unit vector of a joint's angle, mirrored with the facing.
    double JointDirX(double angle) const;
    double JointDirY(double angle) const;
    void UpdateBlink();
    void CollideFrogs();
};

void UpdateFrogs();
// Draws the frogs in the water or off the pads (inWater), or those on the pads, each a
// fraction of the way from its pose before the latest step.
void DrawFrogs(bool inWater, const std::vector<FrogPose>& before, double fraction);
