// A window with an OpenGL context on Mesa's software renderer and the game's textures,
// for measuring drawing and texture loading without a display.
#pragma once

#include <memory>

#include "platform/window.h"

class GLScene {
public:
    // A hidden window of this size; SDL's offscreen driver unless SDL_VIDEODRIVER says otherwise.
    GLScene(int width, int height);
    ~GLScene();
    GLScene(const GLScene&) = delete;
    GLScene& operator=(const GLScene&) = delete;

private:
    std::unique_ptr<platform::GlWindow> window_;
};
