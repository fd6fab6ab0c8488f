#include <GL/gl.h>

#include "gfx/primitives.h"
#include "gfx/textures.h"

void QuadVertices(const QuadCorners& q, const AtlasCell& c, double v0, double v1) {
    glTexCoord2d(c.uL, v0);
    glVertex2d(q.x[0], q.y[0]);
    glTexCoord2d(c.uR, v0);
    glVertex2d(q.x[1], q.y[1]);
    glTexCoord2d(c.uR, v1);
    glVertex2d(q.x[2], q.y[2]);
    glTexCoord2d(c.uL, v1);
    glVertex2d(q.x[3], q.y[3]);
}

void DrawTile(int32_t tile, int32_t slot, int32_t columns, double x, double y, double half,
              int32_t rows) {
    const AtlasCell c = TileCell(tile, columns, rows);
    const QuadCorners q = {{x - half, x + half, x + half, x - half},
                            {y - half, y - half, y + half, y + half}};
    BindTexture(slot);
    glBegin(GL_QUADS);
    QuadVertices(q, c, c.vB, c.vT);
    glEnd();
    UnbindTexture();
}

void DrawStrip(int32_t tile, int32_t orientation, int32_t slot, double x1, double y1, double x2,
               double y2, double halfWidth, int32_t gridSize) {
    const AtlasCell c = StripCell(tile, gridSize);
    // Orientation 1 puts the cell's bottom edge at the first point; anything else mirrors it.
    const bool upright = orientation == 1;
    BindTexture(slot);
    glBegin(GL_QUADS);
    QuadVertices(StripQuad(x1, y1, x2, y2, halfWidth), c, upright ? c.vB : c.vT,
                 upright ? c.vT : c.vB);
    glEnd();
    UnbindTexture();
}
