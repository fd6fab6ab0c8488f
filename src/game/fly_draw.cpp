#include <GL/gl.h>

#include <cmath>

#include "game/fly.h"
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

void Fly::Draw() const {
    glPushMatrix();
    glColor4d(ColorR, ColorG, ColorB, 1);
    glTranslated(X, Y, 0);
    glRotated(Heading, 0, 0, 1);
    const double wing = 40 * std::sin(WingPhase) - 15;
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

void DrawFlies() {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    for (const auto& fly : App().Flies) fly->Draw();
    glDisable(GL_BLEND);
}
