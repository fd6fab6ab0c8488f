#include "game/world_poses.h"

#include "game/fly.h"
#include "game/frog.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "state/application.h"

namespace {

template <class Pose, class T>
void Capture(const ObjectList<T>& list, std::vector<Pose>& poses) {
    poses.clear();
    for (const auto& object : list) poses.push_back(PoseOf(*object));
}

}  // namespace

void CapturePoses(const Application& app, WorldPoses& poses) {
    Capture(app.Frogs, poses.Frogs);
    Capture(app.Flies, poses.Flies);
    Capture(app.Pads, poses.Pads);
    Capture(app.Particles, poses.Particles);
    Capture(app.Ripples, poses.Ripples);
    poses.Sky.clear();
    if (app.Sky) poses.Sky.push_back(PoseOf(*app.Sky));
}
