// Writes every picture and sound the game loads into the folder named on the command line;
// a second argument, "pictures", "sounds" or "icons", writes only those.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "app_icon.h"
#include "pictures.h"
#include "sounds.h"

int main(int argc, char** argv) {
    const std::string only = argc == 3 ? argv[2] : "";
    if (argc < 2 || argc > 3 ||
        (argc == 3 && only != "pictures" && only != "sounds" && only != "icons")) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_FOLDER [pictures|sounds|icons]\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        std::fprintf(stderr, "assetgen: cannot make %s: %s\n", folder.c_str(),
                     error.message().c_str());
        return 1;
    }
    const bool all = only.empty();
    if ((all || only == "pictures") && !WritePictures(folder, ASSETGEN_FONT)) return 1;
    if ((all || only == "sounds") && !WriteSounds(folder)) return 1;
    if ((all || only == "icons") && !WriteAppIcons(folder)) return 1;
    return 0;
}
