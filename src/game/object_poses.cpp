#include "game/object_poses.h"

#include <cmath>

#include "game/fly.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "gfx/pose_blend.h"

namespace {

// Further than a frog, a tongue, a fly or a pad moves in one step.
constexpr double kFrogLeap = 40;
constexpr double kTongueLeap = 60;
constexpr double kFlyLeap = 40;
constexpr double kPadLeap = 20;
// More than the sky's colours change in one step of the day's clock.
constexpr float kColorLeap = 0.1f;

PosePoint MixPoint(const PosePoint& before, const PosePoint& now, double fraction) {
    return {Mix(before.X, now.X, fraction), Mix(before.Y, now.Y, fraction)};
}

bool NearPoint(const PosePoint& a, const PosePoint& b, double limit) {
    return Near(a.X, a.Y, b.X, b.Y, limit);
}

bool NearColor(const Rgba& a, const Rgba& b) {
    return std::fabs(a.R - b.R) <= kColorLeap && std::fabs(a.G - b.G) <= kColorLeap &&
           std::fabs(a.B - b.B) <= kColorLeap && std::fabs(a.A - b.A) <= kColorLeap;
}

Rgba MixColor(const Rgba& before, const Rgba& now, double fraction) {
    if (fraction >= 1) return now;
    const auto mix = [fraction](float a, float b) {
        return static_cast<float>(Mix(a, b, fraction));
    };
    return {mix(before.R, now.R), mix(before.G, now.G), mix(before.B, now.B), mix(before.A, now.A)};
}

bool TongueFollows(const FrogPose& before, const FrogPose& now) {
    if (!before.TongueOut || !now.TongueOut || before.TongueLength != now.TongueLength) {
        return false;
    }
    for (int32_t i = 0; i < now.TongueLength; ++i) {
        if (!NearPoint(before.Tongue[i], now.Tongue[i], kTongueLeap)) return false;
    }
    return true;
}

}  // namespace

FrogPose PoseOf(const Frog& frog) {
    FrogPose pose;
    pose.Id = &frog;
    pose.X = frog.X;
    pose.Y = frog.Y;
    pose.Size = frog.Size;
    pose.Facing = frog.Facing;
    pose.TongueOut = frog.TongueOut;
    pose.TongueLength = frog.TongueLength;
    for (int32_t i = 0; i < Frog::kTongueSegments; ++i) {
        pose.Tongue[i] = {frog.Tongue[i].X, frog.Tongue[i].Y};
        pose.TongueWidth[i] = frog.Tongue[i].Width;
    }
    for (int32_t i = 0; i < 5; ++i) {
        const LegJoint& joint = i < 3 ? frog.BackLeg[i] : frog.FrontLeg[i - 3];
        pose.LegFrom[i] = {joint.QuadX1, joint.QuadY1};
        pose.LegTo[i] = {joint.QuadX2, joint.QuadY2};
    }
    return pose;
}

FlyPose PoseOf(const Fly& fly) {
    return {&fly, fly.X, fly.Y, fly.Heading, fly.WingPhase};
}

PadPose PoseOf(const LilyPad& pad) {
    return {&pad, pad.X, pad.Y, pad.Size};
}

SkyPose PoseOf(const Sky& sky) {
    return {&sky, sky.ZenithColor, sky.HorizonColor, sky.LandscapeTint};
}

FrogPose Blend(const FrogPose& before, const FrogPose& now, double fraction) {
    if (before.Facing != now.Facing || !Near(before.X, before.Y, now.X, now.Y, kFrogLeap)) {
        return now;
    }
    FrogPose pose = now;
    pose.X = Mix(before.X, now.X, fraction);
    pose.Y = Mix(before.Y, now.Y, fraction);
    pose.Size = Mix(before.Size, now.Size, fraction);
    if (TongueFollows(before, now)) {
        for (int32_t i = 0; i < now.TongueLength; ++i) {
            pose.Tongue[i] = MixPoint(before.Tongue[i], now.Tongue[i], fraction);
            pose.TongueWidth[i] = Mix(before.TongueWidth[i], now.TongueWidth[i], fraction);
        }
    }
    for (int32_t i = 0; i < 5; ++i) {
        pose.LegFrom[i] = MixPoint(before.LegFrom[i], now.LegFrom[i], fraction);
        pose.LegTo[i] = MixPoint(before.LegTo[i], now.LegTo[i], fraction);
    }
    return pose;
}

FlyPose Blend(const FlyPose& before, const FlyPose& now, double fraction) {
    if (!Near(before.X, before.Y, now.X, now.Y, kFlyLeap)) return now;
    return {now.Id, Mix(before.X, now.X, fraction), Mix(before.Y, now.Y, fraction),
            MixAngle(before.Heading, now.Heading, fraction),
            Mix(before.WingPhase, now.WingPhase, fraction)};
}

PadPose Blend(const PadPose& before, const PadPose& now, double fraction) {
    if (!Near(before.X, before.Y, now.X, now.Y, kPadLeap)) return now;
    return {now.Id, Mix(before.X, now.X, fraction), Mix(before.Y, now.Y, fraction),
            Mix(before.Size, now.Size, fraction)};
}

SkyPose Blend(const SkyPose& before, const SkyPose& now, double fraction) {
    if (!NearColor(before.Zenith, now.Zenith) || !NearColor(before.Horizon, now.Horizon) ||
        !NearColor(before.Landscape, now.Landscape)) {
        return now;
    }
    return {now.Id, MixColor(before.Zenith, now.Zenith, fraction),
            MixColor(before.Horizon, now.Horizon, fraction),
            MixColor(before.Landscape, now.Landscape, fraction)};
}
