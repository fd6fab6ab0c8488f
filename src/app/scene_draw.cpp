#include <GL/gl.h>

#include "app/scene.h"

void RenderFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    // The scene's layers join here: sky, ripples, background, frogs, water,
    // pads, flies, particles, the heads-up display or the menu, pointer, side bars.
}
