#include <algorithm>
#include <cmath>

#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/player.h"
#include "gfx/particle.h"
#include "sound/sound.h"
#include "state/application.h"
#include "state/random.h"

namespace {

constexpr double kPieceLength = 13;
constexpr double kTipSpeed = 8;
constexpr double kCatchDistance = 10;
constexpr int32_t kReelFrom = 20;
constexpr int32_t kSampleSmack = 3;
constexpr int32_t kSampleGulp = 6;
constexpr int32_t kSampleBurp = 7;

// The tip bends toward the target only on the side the frog faces, at most 45 degrees off
// the horizontal; false when the fly is behind.
bool HomingHeading(double heading, int32_t facing, double& clamped) {
    if (facing < 0) {
        if (heading > 180) return false;
        clamped = std::clamp(heading, 45.0, 135.0);
    } else {
        if (heading < 180) return false;
        clamped = std::clamp(heading, 225.0, 315.0);
    }
    return true;
}

Fly* FlyNear(const TongueSegment& segment) {
    for (const auto& fly : App().Flies) {
        if (Distance(segment.X, segment.Y, fly->X, fly->Y) < kCatchDistance) return fly.get();
    }
    return nullptr;
}

}  // namespace

void Frog::ShootTongue(double forward, double up) {
    if (App().Game->LevelOver) return;
    TongueOut = true;
    TongueTime = 0;
    TongueLength = kTongueSegments;
    IdleSteps = 0;
    for (TongueSegment& segment : Tongue) {
        segment.X = Facing * 7 + X;
        segment.Y = Y + 3;
        segment.VelX = 0;
        segment.VelY = 0;
        segment.Width = 0.5;
        segment.HeldFly = nullptr;
    }
    Tongue[0].VelX = forward + VelX;
    Tongue[0].VelY = up + VelY;
    SpitDroplets(Tongue[0].X, Tongue[0].Y, forward, up);
    PlaySample(kSampleSmack + Random(3), true, 0, X, Y, 0);
}

// Out for 20 steps, then reeled in: a segment swallowed every 5 steps, the rest at step 41.
void Frog::UpdateTongue() {
    ++TongueTime;
    if (TongueLength >= 1 && TongueTime > kReelFrom && TongueTime % 5 == 0) SwallowSegment();
    for (int32_t i = 0; i < TongueLength; ++i) UpdateTongueSegment(i);
    if (TongueTime >= 41) {
        while (TongueLength > 0) SwallowSegment();
        TongueOut = false;
    }
}

void Frog::UpdateTongueSegment(int32_t i) {
    TongueSegment& segment = Tongue[i];
    double heading;
    if (i == 0 && TargetFly &&
        HomingHeading(AngleOf(segment.X - TargetFly->X, segment.Y - TargetFly->Y), Facing,
                      heading)) {
        segment.VelX = -std::sin(heading * kRadiansPerDegree) * kTipSpeed;
        segment.VelY = std::cos(heading * kRadiansPerDegree) * kTipSpeed;
    }
    if (!segment.HeldFly) segment.HeldFly = FlyNear(segment);
    if (segment.HeldFly) {
        Fly& fly = *segment.HeldFly;
        fly.X = segment.X;
        fly.Y = segment.Y;
        fly.VelX = 0;
        fly.VelY = 0;
    }
    segment.X += segment.VelX;
    segment.Y += segment.VelY;
    segment.VelX *= 0.98;
    segment.VelY = segment.VelY * 0.98 - 0.075;
    const bool root = i == TongueLength - 1;
    if (root) {
        segment.X = Facing * 7 + X;
        segment.Y = Y + 3;
        segment.VelX = VelX;
        segment.VelY = VelY;
    }
    if (i > 0) {
        const TongueSegment& previous = Tongue[i - 1];
        segment.VelX = previous.VelX * 0.899 + segment.VelX * 0.101;
        segment.VelY = previous.VelY * 0.899 + segment.VelY * 0.101;
    }
    if (root) return;
    const TongueSegment& next = Tongue[i + 1];
    if (TongueTime > kReelFrom) {
        segment.X = SmoothToward(1, segment.X, next.X);
        segment.Y = SmoothToward(1, segment.Y, next.Y);
        segment.VelX = next.VelX;
        segment.VelY = next.VelY;
    }
    const double d = Distance(segment.X, segment.Y, next.X, next.Y);
    // Coinciding segments divide by zero and give the widest piece.
    double width = kPieceLength / d / 2;
    if (i == 0) width *= 1.7;
    segment.Width = std::clamp(width, 0.3, 1.5);
    if (d > kPieceLength) {
        const double h = AngleOf(segment.X - next.X, segment.Y - next.Y) * kRadiansPerDegree;
        segment.X = next.X + std::sin(h) * kPieceLength;
        segment.Y = next.Y - std::cos(h) * kPieceLength;
        if (Distance(0, 0, Tongue[0].VelX, Tongue[0].VelY) < 0.3) {
            segment.VelX = next.VelX * 0.899 + segment.VelX * 0.101;
            segment.VelY = next.VelY * 0.899 + segment.VelY * 0.101;
        }
    }
}

// The segment keeps its fly reference; the fly's removal clears it. A fly held by two
// segments pays once, since the second swallow finds it dead.
void Frog::SwallowSegment() {
    --TongueLength;
    Fly* fly = Tongue[TongueLength].HeldFly;
    if (!fly || fly->Dead) return;
    if (!App().Game->LevelOver) Player().LevelPoints += fly->Points;
    fly->Kill();
    if (Random(10) != 0) {
        PlaySample(kSampleGulp, true, 0, X, Y, 0);
    } else {
        PlaySample(kSampleBurp + Random(2), true, 0, X, Y, 0);
    }
}
