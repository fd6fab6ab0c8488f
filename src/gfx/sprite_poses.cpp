#include "gfx/sprite_poses.h"

#include "gfx/particle.h"
#include "gfx/pose_blend.h"
#include "gfx/ripple.h"

namespace {

// Further than any particle falls or flies in one step.
constexpr double kParticleLeap = 60;

}  // namespace

ParticlePose PoseOf(const Particle& particle) {
    return {&particle, particle.X, particle.Y, particle.Angle};
}

RipplePose PoseOf(const Ripple& ripple) {
    return {&ripple, ripple.X, ripple.Y, ripple.Radius, ripple.Strength};
}

ParticlePose Blend(const ParticlePose& before, const ParticlePose& now, double fraction) {
    if (!Near(before.X, before.Y, now.X, now.Y, kParticleLeap)) return now;
    return {now.Id, Mix(before.X, now.X, fraction), Mix(before.Y, now.Y, fraction),
            Mix(before.Angle, now.Angle, fraction)};
}

// Ripples stay where they start; only their width and strength change.
RipplePose Blend(const RipplePose& before, const RipplePose& now, double fraction) {
    if (before.X != now.X || before.Y != now.Y) return now;
    return {now.Id, now.X, now.Y, Mix(before.Radius, now.Radius, fraction),
            Mix(before.Strength, now.Strength, fraction)};
}
