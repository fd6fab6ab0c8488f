#include <GL/gl.h>

#include <cmath>

#include "game/fly.h"
#include "game/object_poses.h"
#include "gfx/pose_blend.h"
#include "gfx/primitives.h"
#include "gfx/textures.h"
#include "state/application.h"

namespace {

constexpr int32_t kBodyTile = 12;
constexpr int32_t kWingTile = 13;

void DrawFlyTile(int32_t tile, double x, double y, double half) {
    DrawTile(tile, kSlotFrog, 4, x, y, half, 4);
}

}  // namespace

void Fly::Draw(const FlyPose& pose) const {
    glPushMatrix();
    glColor4d(ColorR, ColorG, ColorB, 1);
    glTranslated(pose.X, pose.Y, 0);
    glRotated(pose.Heading, 0, 0, 1);
    const double wing = 40 * std::sin(pose.WingPhase) - 15;
    glPushMatrix();
    glRotated(wing, 0, 0, 1);
    DrawFlyTile(kWingTile, -0.9 * Size, 0.1 * Size, Size);
    glPopMatrix();
    // The right wing is the left one mirrored.
    glPushMatrix();
    glScaled(-1, 1, 1);
    glRotated(wing, 0, 0, 1);
    DrawFlyTile(kWingTile, -0.9 * Size, 0.1 * Size, Size);
    glPopMatrix();
    DrawFlyTile(kBodyTile, 0, 0, Size);
    glPopMatrix();
}

void DrawFlies(const std::vector<FlyPose>& before, double fraction) {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    size_t cursor = 0;
    for (const auto& fly : App().Flies) fly->Draw(DrawnPose(*fly, before, cursor, fraction));
    glDisable(GL_BLEND);
}
