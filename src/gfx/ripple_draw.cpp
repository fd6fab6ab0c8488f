#include <GL/gl.h>

#include "gfx/pose_blend.h"
#include "gfx/ripple.h"
#include "gfx/textures.h"
#include "state/application.h"

namespace {

void DrawRipple(const RipplePose& ripple) {
    glPushMatrix();
    glColor4d(0.95, 0.98, 1.0, ripple.Strength > 1 ? 1.0 : ripple.Strength);
    glTranslated(ripple.X, ripple.Y, 0);
    glScaled(ripple.Radius, ripple.Radius * 0.25, 1);
    BindTexture(kSlotRipple);
    glEnable(GL_BLEND);
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex2d(-1, -1);
    glTexCoord2d(1, 0);
    glVertex2d(1, -1);
    glTexCoord2d(1, 1);
    glVertex2d(1, 1);
    glTexCoord2d(0, 1);
    glVertex2d(-1, 1);
    glEnd();
    UnbindTexture();
    glDisable(GL_BLEND);
    glPopMatrix();
}

}  // namespace

void DrawRipples(const std::vector<RipplePose>& before, double fraction) {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    size_t cursor = 0;
    for (const auto& ripple : App().Ripples) {
        DrawRipple(DrawnPose(*ripple, before, cursor, fraction));
    }
    glDisable(GL_BLEND);
}
