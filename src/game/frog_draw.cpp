#include <GL/gl.h>

#include <algorithm>

#include "game/frog.h"
#include "game/lily_pad.h"
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
void DrawLeg(const LegJoint* joints, int32_t count, const Rgba& color, float shade) {
    glPushMatrix();
    glColor4f(shade * color.R, shade * color.G, shade * color.B, 1);
    for (int32_t i = 0; i < count; ++i) {
        const LegJoint& j = joints[i];
        DrawStrip(j.Tile, -1, kSlotFrog, j.QuadX1, j.QuadY1, j.QuadX2, j.QuadY2, j.HalfWidth, 4);
    }
    glPopMatrix();
}

}  // namespace

void Frog::DrawFrog() const {
    const double field = App().View.FieldWidth;
    // The higher the frog, the fainter and wider its shadow.
    if (Y >= kWaterLine) {
        glPushMatrix();
        const double t = std::clamp(1 - Y / 480, 0.0, 1.0);
        glColor4d(0, 0, 0, 0.4 * t);
        glTranslated(X, 76, 0);
        glScaled(1.5 - 0.5 * t, 0.4 - 0.1 * t, 1);
        DrawTile(kShadowTile, kSlotIcons, 8, 0, 0, Size, 8);
        glPopMatrix();
    }
    if (TongueOut) {
        glPushMatrix();
        glColor4d(0.7, 0.4, 0.5, 1);
        for (int32_t i = 0; i + 1 < TongueLength; ++i) {
            const TongueSegment& a = Tongue[i];
            const TongueSegment& b = Tongue[i + 1];
            DrawStrip(kTongueTile, 0, kSlotIcons, a.X, a.Y, b.X, b.Y, a.Width, 8);
        }
        glPopMatrix();
    }
    // A frog that has jumped off the screen shows as a small mark on the edge at its height.
    if (X < -5 || X > field + 5) {
        glPushMatrix();
        SetGLColor(Color);
        glTranslated(X < -5 ? 0 : field, Y, 0);
        DrawTile(kMarkerTile, kSlotFrog, 4, 0, 0, 5, 4);
        glPopMatrix();
    }
    glPushMatrix();
    SetGLColor(Color);
    glTranslated(X, Y, 0);
    if (Facing < 0) glScaled(-1, 1, 1);
    DrawFrogTile(TongueOut ? 1 : 0, Size);
    glColor4d(1, 1, 1, 1);
    DrawFrogTile(TongueOut ? 3 : 2, Size);
    if (BlinkSteps > 0) {
        SetGLColor(Color);
        DrawFrogTile(TongueOut ? 10 : 9, Size);
    }
    glPopMatrix();
    DrawLeg(BackLeg, 3, Color, 0.9f);
    DrawLeg(FrontLeg, 2, Color, 0.93f);
}

void DrawFrogs(bool inWater) {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    for (const auto& frog : App().Frogs) {
        const bool swimming = frog->State == FrogState::Swimming;
        const bool onPad = IsPadAt(frog->X);
        const bool wet = swimming || !onPad;
        if (wet == inWater) frog->DrawFrog();
    }
    glDisable(GL_BLEND);
}
