// The drawn state of frogs, flies, pads and the sky, kept for drawing between two steps.
#pragma once

#include <cstdint>

#include "game/frog.h"
#include "gfx/geometry.h"

class Fly;
class LilyPad;
class Sky;

// One end of a drawn piece: a tongue link or a leg segment's quad end.
struct PosePoint {
    double X = 0;
    double Y = 0;
};

// A frog's moving parts; colour, eyes and facing are read from the frog itself.
struct FrogPose {
    const void* Id = nullptr;
    double X = 0;
    double Y = 0;
    double Size = 0;
    int32_t Facing = 1;
    bool TongueOut = false;
    int32_t TongueLength = 0;
    PosePoint Tongue[Frog::kTongueSegments];
    double TongueWidth[Frog::kTongueSegments] = {};
    // The back leg's three segments, then the front leg's two: each quad's two ends.
    PosePoint LegFrom[5];
    PosePoint LegTo[5];
};

struct FlyPose {
    const void* Id = nullptr;
    double X = 0;
    double Y = 0;
    double Heading = 0;
    double WingPhase = 0;
};

struct PadPose {
    const void* Id = nullptr;
    double X = 0;
    double Y = 0;
    double Size = 0;
};

// The colours of the sky and of the landscape's light, which follow the level's clock.
struct SkyPose {
    const void* Id = nullptr;
    Rgba Zenith;
    Rgba Horizon;
    Rgba Landscape;
};

FrogPose PoseOf(const Frog& frog);
FlyPose PoseOf(const Fly& fly);
PadPose PoseOf(const LilyPad& pad);
SkyPose PoseOf(const Sky& sky);

// Each keeps now when the step moved the object further than any step can move it (a rule
// put it there) or changed the parts that are drawn (a tongue shot or swallowed, a turn).
FrogPose Blend(const FrogPose& before, const FrogPose& now, double fraction);
FlyPose Blend(const FlyPose& before, const FlyPose& now, double fraction);
PadPose Blend(const PadPose& before, const PadPose& now, double fraction);
SkyPose Blend(const SkyPose& before, const SkyPose& now, double fraction);
