#include <GL/gl.h>

#include <fstream>
#include <vector>

#include "gfx/texture_upload.h"
#include "gfx/textures.h"
#include "gfx/tga.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "state/application.h"

namespace {

// Large blocks: a character at a time costs more than decoding the picture.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream file(platform::ResolveDataPath(path), std::ios::binary);
    if (!file) return false;
    bytes.clear();
    char block[1 << 16];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        bytes.insert(bytes.end(), block, block + file.gcount());
    }
    return !file.bad();
}

bool Fail(const TgaError& error) {
    platform::ShowMessage(error.Caption, error.Text, platform::MessageIcon::Error);
    return false;
}

}  // namespace

bool LoadTexture(int slot, const std::string& name, int kind) {
    const std::string path = "data\\" + name;
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes)) return Fail(TgaOpenError(path));
    TgaImage image;
    TgaError error;
    if (!DecodeTGA(bytes.data(), bytes.size(), image, error)) return Fail(error);
    bytes = {};
    if (!UploadTexture(slot, image.Pixels.data(), image.Width, image.Height, image.Bits, kind)) {
        // The texture stays as uploaded; only its smaller copies are missing.
        platform::ShowMessage("ERROR", "Nie utworzono mipmap", platform::MessageIcon::Error);
        return true;
    }
    if (App().StepProgress) App().StepProgress();
    return true;
}

bool LoadGameTextures() {
    static const struct {
        int slot;
        const char* file;
        int kind;
    } kTextures[] = {
        {0, "font.tga", kTextureFont},
        {2, "ikonki.tga", kTextureOrdinary},
        {3, "ripple.tga", kTextureOrdinary},
        {5, "zaba.tga", kTextureOrdinary},
        {6, "lisc2.tga", kTextureOrdinary},
        {7, "tlo.tga", kTextureOrdinary},
        {8, "tlo2jesien.tga", kTextureOrdinary},
        {9, "tlo2zima.tga", kTextureOrdinary},
        {10, "tlo2wiosna.tga", kTextureOrdinary},
    };
    glGenTextures(12, App().TextureNames);
    for (const auto& texture : kTextures) {
        if (!LoadTexture(texture.slot, texture.file, texture.kind)) return false;
    }
    return true;
}
