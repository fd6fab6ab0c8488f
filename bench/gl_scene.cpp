#include "gl_scene.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "gfx/textures.h"
#include "gfx/view.h"
#include "platform/files.h"

GLScene::GLScene(int width, int height) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    if (!platform::ChangeDirectory(PONDLARK_BUILD_DIR) || !platform::InitVideo()) {
        std::fprintf(stderr, "no video\n");
        std::exit(1);
    }
    window_ = std::make_unique<platform::MainWindow>();
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

bool GLScene::LoadAllTextures() {
    static const struct {
        int slot;
        const char* file;
    } kTextures[] = {{0, "font.tga"},       {2, "ikonki.tga"},   {3, "ripple.tga"},
                     {5, "zaba.tga"},       {6, "lisc2.tga"},    {7, "tlo.tga"},
                     {8, "tlo2jesien.tga"}, {9, "tlo2zima.tga"}, {10, "tlo2wiosna.tga"}};
    glGenTextures(12, App().TextureNames);
    for (const auto& texture : kTextures) {
        if (!LoadTexture(texture.slot, texture.file,
                         texture.slot == 0 ? kTextureFont : kTextureOrdinary)) {
            return false;
        }
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glLineWidth(1);
    glEdgeFlag(GL_TRUE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_NORMALIZE);
    glEnable(GL_COLOR_MATERIAL);
    return true;
}
