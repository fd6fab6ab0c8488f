// Writes every picture and sound the game loads into the folder named on the command line;
// a second argument, "pictures" or "sounds", writes only those.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "pictures.h"
#include "sounds.h"

int main(int argc, char** argv) {
    const std::string only = argc == 3 ? argv[2] : "";
    if (argc < 2 || argc > 3 || (argc == 3 && only != "pictures" && only != "sounds")) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_FOLDER [pictures|sounds]\n");
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
    if (only != "sounds" && !WritePictures(folder, ASSETGEN_FONT)) return 1;
    if (only != "pictures" && !WriteSounds(folder)) return 1;
    return 0;
}
