#include <GL/gl.h>
#include <GL/glu.h>

#include "gfx/texture_upload.h"
#include "gfx/textures.h"
#include "state/application.h"

bool UploadTexture(int slot, const uint8_t* pixels, int width, int height, int bits, int kind) {
    const GLenum format = bits == 24 ? GL_RGB : GL_RGBA;
    glBindTexture(GL_TEXTURE_2D, App().TextureNames[slot]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                    kind == kTextureOrdinary ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // The mipmap builder uploads level 0 itself, so the picture goes up on its own only
    // when the builder fails.
    if (gluBuild2DMipmaps(GL_TEXTURE_2D, bits / 8, width, height, format, GL_UNSIGNED_BYTE,
                          pixels) == 0) {
        return true;
    }
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format,
                 GL_UNSIGNED_BYTE, pixels);
    return false;
}

void BindTexture(int slot) {
    glBindTexture(GL_TEXTURE_2D, App().TextureNames[slot]);
    glEnable(GL_TEXTURE_2D);
}

void UnbindTexture() {
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_2D);
}
