#include "pictures.h"

#include <cstdio>

#include "tga_writer.h"

namespace {

bool Save(const std::string& folder, const char* name, Canvas canvas) {
    canvas.BleedColours();
    const std::string path = folder + "/" + name;
    if (WriteTga(path, canvas)) return true;
    std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return false;
}

}  // namespace

bool WritePictures(const std::string& folder, const std::string& fontPath) {
    std::optional<Canvas> font = MakeFontAtlas(fontPath);
    if (!font) {
        std::fprintf(stderr, "assetgen: cannot read the font %s\n", fontPath.c_str());
        return false;
    }
    return Save(folder, "font.tga", std::move(*font)) &&
           Save(folder, "ikonki.tga", MakeIconAtlas()) &&
           Save(folder, "ripple.tga", MakeRipple()) && Save(folder, "zaba.tga", MakeFrogAtlas()) &&
           Save(folder, "lisc2.tga", MakeLilyPad()) &&
           Save(folder, "tlo.tga", MakeBackground(Season::kSummer)) &&
           Save(folder, "tlo2jesien.tga", MakeBackground(Season::kAutumn)) &&
           Save(folder, "tlo2zima.tga", MakeBackground(Season::kWinter)) &&
           Save(folder, "tlo2wiosna.tga", MakeBackground(Season::kSpring));
}
