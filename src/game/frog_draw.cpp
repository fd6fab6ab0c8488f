#include <GL/gl.h>

#include <algorithm>

#include "game/frog.h"
#include "game/lily_pad.h"
#include "game/object_poses.h"
#include "gfx/pose_blend.h"
#include "gfx/primitives.h"
#include "gfx/textures.h"
#include "state/application.h"

namespace {

constexpr int32_t kShadowTile = 3;
constexpr int32_t kTongueTile = 5;
constexpr int32_t kMarkerTile = 4;

void DrawFrogTile(int32_t tile, double half) {
    DrawTile(tile, kSlotFrog, 4, 0, 0, half, 4);
}

void SetGLColor(const Rgba& c) {
    glColor4f(c.R, c.G, c.B, c.A);
}

// Legs are drawn in world coordinates: their points already carry position and facing.
// The pose's leg ends are numbered on from the first joint's.
void DrawLeg(const LegJoint* joints, int32_t count, const PosePoint* from, const PosePoint* to,
             const Rgba& color, float shade) {
    glPushMatrix();
    glColor4f(shade * color.R, shade * color.G, shade * color.B, 1);
    for (int32_t i = 0; i < count; ++i) {
        const LegJoint& j = joints[i];
        DrawStrip(j.Tile, -1, kSlotFrog, from[i].X, from[i].Y, to[i].X, to[i].Y, j.HalfWidth, 4);
    }
    glPopMatrix();
}

}  // namespace

void Frog::DrawFrog(const FrogPose& pose) const {
    const double field = App().View.FieldWidth;
    const double x = pose.X, y = pose.Y, size = pose.Size;
    // The higher the frog, the fainter and wider its shadow.
    if (y >= kWaterLine) {
        glPushMatrix();
        const double t = std::clamp(1 - y / 480, 0.0, 1.0);
        glColor4d(0, 0, 0, 0.4 * t);
        glTranslated(x, 76, 0);
        glScaled(1.5 - 0.5 * t, 0.4 - 0.1 * t, 1);
        DrawTile(kShadowTile, kSlotIcons, 8, 0, 0, size, 8);
        glPopMatrix();
    }
    if (TongueOut) {
        glPushMatrix();
        glColor4d(0.7, 0.4, 0.5, 1);
        for (int32_t i = 0; i + 1 < TongueLength; ++i) {
            const PosePoint& a = pose.Tongue[i];
            const PosePoint& b = pose.Tongue[i + 1];
            DrawStrip(kTongueTile, 0, kSlotIcons, a.X, a.Y, b.X, b.Y, pose.TongueWidth[i], 8);
        }
        glPopMatrix();
    }
    // A frog that has jumped off the screen shows as a small mark on the edge at its height.
    if (x < -5 || x > field + 5) {
        glPushMatrix();
        SetGLColor(Color);
        glTranslated(x < -5 ? 0 : field, y, 0);
        DrawTile(kMarkerTile, kSlotFrog, 4, 0, 0, 5, 4);
        glPopMatrix();
    }
    glPushMatrix();
    SetGLColor(Color);
    glTranslated(x, y, 0);
    if (Facing < 0) glScaled(-1, 1, 1);
    DrawFrogTile(TongueOut ? 1 : 0, size);
    glColor4d(1, 1, 1, 1);
    DrawFrogTile(TongueOut ? 3 : 2, size);
    if (BlinkSteps > 0) {
        SetGLColor(Color);
        DrawFrogTile(TongueOut ? 10 : 9, size);
    }
    glPopMatrix();
    DrawLeg(BackLeg, 3, pose.LegFrom, pose.LegTo, Color, 0.9f);
    DrawLeg(FrontLeg, 2, pose.LegFrom + 3, pose.LegTo + 3, Color, 0.93f);
}

void DrawFrogs(bool inWater, const std::vector<FrogPose>& before, double fraction) {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    size_t cursor = 0;
    for (const auto& frog : App().Frogs) {
        const bool swimming = frog->State == FrogState::Swimming;
        const bool onPad = IsPadAt(frog->X);
        const bool wet = swimming || !onPad;
        const FrogPose pose = DrawnPose(*frog, before, cursor, fraction);
        if (wet == inWater) frog->DrawFrog(pose);
    }
    glDisable(GL_BLEND);
}
