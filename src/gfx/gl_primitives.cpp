#include <GL/gl.h>

#include "gfx/atlas.h"
#include "gfx/primitives.h"
#include "gfx/textures.h"

void DrawTile(int32_t tile, int32_t slot, int32_t columns, double x, double y, double half,
              int32_t rows) {
    const AtlasCell c = TileCell(tile, columns, rows);
    BindTexture(slot);
    glBegin(GL_QUADS);
    glTexCoord2d(c.uL, c.vB);
    glVertex2d(x - half, y - half);
    glTexCoord2d(c.uR, c.vB);
    glVertex2d(x + half, y - half);
    glTexCoord2d(c.uR, c.vT);
    glVertex2d(x + half, y + half);
    glTexCoord2d(c.uL, c.vT);
    glVertex2d(x - half, y + half);
    glEnd();
    UnbindTexture();
}

void DrawStrip(int32_t tile, int32_t orientation, int32_t slot, double x1, double y1, double x2,
               double y2, double halfWidth, int32_t gridSize) {
    const AtlasCell c = StripCell(tile, gridSize);
    const StripCorners q = StripQuad(x1, y1, x2, y2, halfWidth);
    // Orientation 1 puts the cell's bottom edge at the first point; anything else mirrors it.
    const bool upright = orientation == 1;
    const double first = upright ? c.vB : c.vT;
    const double second = upright ? c.vT : c.vB;
    BindTexture(slot);
    glBegin(GL_QUADS);
    glTexCoord2d(c.uL, first);
    glVertex2d(q.x[0], q.y[0]);
    glTexCoord2d(c.uR, first);
    glVertex2d(q.x[1], q.y[1]);
    glTexCoord2d(c.uR, second);
    glVertex2d(q.x[2], q.y[2]);
    glTexCoord2d(c.uL, second);
    glVertex2d(q.x[3], q.y[3]);
    glEnd();
    UnbindTexture();
}
