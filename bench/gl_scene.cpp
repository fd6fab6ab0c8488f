#include "gl_scene.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "gfx/view.h"
#include "platform/files.h"

GLScene::GLScene(int width, int height) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    if (!platform::ChangeDirectory(PONDLARK_BUILD_DIR) || !platform::InitVideo()) {
        std::fprintf(stderr, "no video\n");
        std::exit(1);
    }
    window_ = std::make_unique<platform::GlWindow>();
    window_->SetCaption("bench");
    if (window_->CreateGL(width, height) != platform::GLStart::Ok) {
        std::fprintf(stderr, "no GL context\n");
        std::exit(1);
    }
    InitGL(width, height);
}

GLScene::~GLScene() {
    window_.reset();
    platform::ShutdownVideo();
}
