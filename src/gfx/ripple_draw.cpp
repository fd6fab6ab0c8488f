#include <GL/gl.h>

#include "gfx/ripple.h"
#include "gfx/textures.h"
#include "state/application.h"

namespace {

void DrawRipple(const Ripple& ripple) {
    glPushMatrix();
    glColor4d(0.95, 0.98, 1.0, ripple.Alpha());
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

void DrawRipples() {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    for (const auto& ripple : App().Ripples) DrawRipple(*ripple);
    glDisable(GL_BLEND);
}
