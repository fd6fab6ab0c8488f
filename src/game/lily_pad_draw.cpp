#include <GL/gl.h>

#include "game/lily_pad.h"
#include "game/object_poses.h"
#include "gfx/pose_blend.h"
#include "gfx/textures.h"
#include "state/application.h"

void LilyPad::Draw(const PadPose& pose) const {
    glPushMatrix();
    glColor4d(ColorR, ColorG, ColorB, 1);
    glTranslated(pose.X, pose.Y, 0);
    glPushMatrix();
    glScaled(pose.Size, pose.Size / 5, 1);
    BindTexture(TextureSlot);
    glEnable(GL_BLEND);
    const double s0 = Mirrored ? 1 : 0;
    const double s1 = 1 - s0;
    glBegin(GL_QUADS);
    glTexCoord2d(s0, 0);
    glVertex2d(-1, -1);
    glTexCoord2d(s1, 0);
    glVertex2d(1, -1);
    glTexCoord2d(s1, 1);
    glVertex2d(1, 1);
    glTexCoord2d(s0, 1);
    glVertex2d(-1, 1);
    glEnd();
    UnbindTexture();
    glDisable(GL_BLEND);
    glPopMatrix();
    glPopMatrix();
}

void DrawPads(const std::vector<PadPose>& before, double fraction) {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    size_t cursor = 0;
    for (const auto& pad : App().Pads) pad->Draw(DrawnPose(*pad, before, cursor, fraction));
    glDisable(GL_BLEND);
}
