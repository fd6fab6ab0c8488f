#include <GL/gl.h>

#include "app/application.h"
#include "gfx/atlas.h"
#include "gfx/particle.h"
#include "gfx/textures.h"

namespace {

constexpr int32_t kAtlasGrid = 8;

// Corners 0 and 1 take the texture row v0, corners 2 and 3 the row v1.
void Quad(const StripCorners& q, const AtlasCell& c, double v0, double v1) {
    glTexCoord2d(c.uL, v0);
    glVertex2d(q.x[0], q.y[0]);
    glTexCoord2d(c.uR, v0);
    glVertex2d(q.x[1], q.y[1]);
    glTexCoord2d(c.uR, v1);
    glVertex2d(q.x[2], q.y[2]);
    glTexCoord2d(c.uL, v1);
    glVertex2d(q.x[3], q.y[3]);
}

void AddParticle(const TParticle& p) {
    glColor4d(p.ColorR, p.ColorG, p.ColorB, p.ColorA);
    if (p.Kind == kDroplet) {
        // Stretched along its motion, the cell's top edge at the droplet.
        const AtlasCell c = StripCell(p.Tile, kAtlasGrid);
        Quad(StripQuad(p.X, p.Y, p.X + 4 * p.Size * p.VelX, p.Y + 4 * p.Size * p.VelY,
                       1.5 * p.Size),
             c, c.vT, c.vB);
    } else {
        const AtlasCell c = TileCell(p.Tile, kAtlasGrid, kAtlasGrid);
        Quad(TurnedSquare(p.X, p.Y, p.Size, p.Angle), c, c.vB, c.vT);
    }
}

}  // namespace

// Every particle comes from the icon atlas, so they all go to the driver as one batch:
// hundreds of separate little draws cost a software renderer far more time and memory
// than the pictures themselves.
void DrawParticles() {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    BindTexture(kSlotIcons);
    glBegin(GL_QUADS);
    for (const auto& particle : App().Particles) AddParticle(*particle);
    glEnd();
    UnbindTexture();
    glDisable(GL_BLEND);
}
