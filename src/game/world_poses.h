// The drawn state of the whole world at one step, kept for drawing between two steps.
#pragma once

#include <vector>

#include "game/object_poses.h"
#include "gfx/sprite_poses.h"

struct Application;

// Built from the world and never written back to it; each list in the world's own order.
struct WorldPoses {
    std::vector<FrogPose> Frogs;
    std::vector<FlyPose> Flies;
    std::vector<PadPose> Pads;
    std::vector<ParticlePose> Particles;
    std::vector<RipplePose> Ripples;
    // The sky's, or none when there is no sky.
    std::vector<SkyPose> Sky;
};

// Takes the world's poses into the lists, reusing their storage, since it runs every step.
void CapturePoses(const Application& app, WorldPoses& poses);

// What a frame draws: the world a fraction of the way from the poses before the latest
// step to the world as it is. A fraction of 1 draws the world as it is.
struct StepBlend {
    WorldPoses Before;
    double Fraction = 1;
};
