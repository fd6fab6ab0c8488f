// Particles: droplets, snowflakes and raindrops that fly until they drop below their floor.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/sprite_poses.h"

enum ParticleKind : uint8_t { kDroplet = 0, kSnowflake = 1, kRaindrop = 2 };

// Selects the particle constructor that takes a heading and a speed.
struct PolarMotion {};
inline constexpr PolarMotion kPolar{};

// A small short-lived sprite under its own simple physics.
class Particle {
public:
    Particle(uint8_t kind, double x, double y, double velX, double velY, double size);
    // Angle in degrees: 0 points straight up, positive angles lean to the right.
    Particle(PolarMotion, uint8_t kind, double x, double y, double angle, double speed,
             double size);

    // Moves; below its floor it may leave a ripple and dies.
    void Step();

    double X;
    double Y;
    double VelX;
    double VelY;
    double Size;
    double Gravity = 0;
    int32_t Tile = 0;
    double Angle = 0;
    double Spin = 0;
    double ColorR = 1;
    double ColorG = 1;
    double ColorB = 1;
    double ColorA = 1;
    uint8_t Kind;
    bool Dead = false;

private:
    void Land();
};

// Droplets thrown up from the water line where a frog falls in.
void Splash(double x, double strength, double spread);
// One time in ten, a few droplets from a frog's mouth as it shoots its tongue with
// the launch speed (forward, up).
void SpitDroplets(double x, double y, double forward, double up);
// One step of falling snow or rain: one or two new particles above the view.
void SnowStep();
void RainStep();

void UpdateParticles();
// Each particle drawn a fraction of the way from its pose before the latest step.
void DrawParticles(const std::vector<ParticlePose>& before, double fraction);
