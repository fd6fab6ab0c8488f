// The drawn state of particles and ripples, kept for drawing between two steps.
#pragma once

class Particle;
class Ripple;

// A particle's place and turn; the rest of its look is read from the particle itself.
struct ParticlePose {
    const void* Id = nullptr;
    double X = 0;
    double Y = 0;
    double Angle = 0;
};

// A ripple's place, width and strength (which sets its opacity).
struct RipplePose {
    const void* Id = nullptr;
    double X = 0;
    double Y = 0;
    double Radius = 0;
    double Strength = 0;
};

ParticlePose PoseOf(const Particle& particle);
RipplePose PoseOf(const Ripple& ripple);
ParticlePose Blend(const ParticlePose& before, const ParticlePose& now, double fraction);
RipplePose Blend(const RipplePose& before, const RipplePose& now, double fraction);
