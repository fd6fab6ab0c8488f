#include <GL/gl.h>

#include "app/application.h"
#include "gfx/particle.h"
#include "gfx/primitives.h"
#include "gfx/textures.h"

namespace {

constexpr int32_t kAtlasGrid = 8;

void DrawParticle(const TParticle& p) {
    glPushMatrix();
    glColor4d(p.ColorR, p.ColorG, p.ColorB, p.ColorA);
    if (p.Kind == kDroplet) {
        // Stretched along its motion, the cell's top edge at the droplet.
        DrawStrip(p.Tile, -1, kSlotIcons, p.X, p.Y, p.X + 4 * p.Size * p.VelX,
                  p.Y + 4 * p.Size * p.VelY, 1.5 * p.Size, kAtlasGrid);
    } else {
        glTranslated(p.X, p.Y, 0);
        glRotated(p.Angle, 0, 0, 1);
        DrawTile(p.Tile, kSlotIcons, kAtlasGrid, 0, 0, p.Size, kAtlasGrid);
    }
    glPopMatrix();
}

}  // namespace

void DrawParticles() {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    for (const auto& particle : App().Particles) DrawParticle(*particle);
    glDisable(GL_BLEND);
}
