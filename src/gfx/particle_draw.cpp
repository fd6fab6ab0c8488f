#include <GL/gl.h>

#include "gfx/atlas.h"
#include "gfx/particle.h"
#include "gfx/pose_blend.h"
#include "gfx/primitives.h"
#include "gfx/textures.h"
#include "state/application.h"

namespace {

constexpr int32_t kAtlasGrid = 8;

void AddParticle(const Particle& p, const ParticlePose& at) {
    glColor4d(p.ColorR, p.ColorG, p.ColorB, p.ColorA);
    if (p.Kind == kDroplet) {
        // Stretched along its motion, the cell's top edge at the droplet.
        const AtlasCell c = StripCell(p.Tile, kAtlasGrid);
        QuadVertices(StripQuad(at.X, at.Y, at.X + 4 * p.Size * p.VelX, at.Y + 4 * p.Size * p.VelY,
                               1.5 * p.Size),
                     c, c.vT, c.vB);
    } else {
        const AtlasCell c = TileCell(p.Tile, kAtlasGrid, kAtlasGrid);
        QuadVertices(TurnedSquare(at.X, at.Y, p.Size, at.Angle), c, c.vB, c.vT);
    }
}

}  // namespace

// Every particle comes from the icon atlas, so they all go to the driver as one batch:
// hundreds of separate little draws cost a software renderer far more time and memory
// than the pictures themselves.
void DrawParticles(const std::vector<ParticlePose>& before, double fraction) {
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    BindTexture(kSlotIcons);
    glBegin(GL_QUADS);
    size_t cursor = 0;
    for (const auto& particle : App().Particles) {
        AddParticle(*particle, DrawnPose(*particle, before, cursor, fraction));
    }
    glEnd();
    UnbindTexture();
    glDisable(GL_BLEND);
}
