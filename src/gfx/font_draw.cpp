#include <GL/gl.h>

#include "gfx/font.h"
#include "gfx/primitives.h"
#include "gfx/textures.h"

void DrawText(std::string_view text, uint8_t alignment, double x, double y, double size) {
    glPushMatrix();
    LayoutText(text, alignment, x, y, size, [size](int cell, double gx, double gy) {
        DrawTile(cell, kSlotFont, 8, gx, gy, size, 16);
    });
    glPopMatrix();
}
