// Flies: what the frogs hunt.
#pragma once

#include <cstdint>
#include <vector>

struct FlyPose;

// A fly wandering toward a private target point, flapping its wings.
class Fly {
public:
    // Big (1 in 14) or ordinary, entering from a random side.
    Fly();
    // Enters from the left, the right or the top of the play field.
    Fly(int32_t points, double size);
    Fly(int32_t points, double x, double y, double velX, double velY, double size);
    // Clears every frog's reference to this fly.
    ~Fly();
    // Copies are kept aside to put the world back; no frog refers to a copy.
    Fly(const Fly&) = default;
    Fly& operator=(const Fly&) = default;

    void Kill() { Dead = true; }
    void Update();
    void Draw(const FlyPose& pose) const;

    double X = 0;
    double Y = 0;
    double VelX = 0;
    double VelY = 0;
    double TargetX = 0;
    double TargetY = 0;
    double MaxSpeed = 0;  // per axis, the most the pull may accelerate the fly to
    double Heading = 0;   // degrees, 0..360
    double WingPhase = 0;
    double Size = 0;
    double ColorR = 0;
    double ColorG = 0;
    double ColorB = 0;
    int32_t Points = 0;
    bool Dead = false;

private:
    void Enter(int32_t points, double size);
    void Setup(int32_t points, double x, double y, double velX, double velY, double size);
    void PullTowardTarget();
    void BounceOffWalls();
    void TurnToFlight();
};

void UpdateFlies();
// Each fly drawn a fraction of the way from its pose before the latest step.
void DrawFlies(const std::vector<FlyPose>& before, double fraction);
