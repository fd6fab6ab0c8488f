// Writes every picture the game loads into the folder named on the command line.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "pictures.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_FOLDER\n");
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
    return WritePictures(folder, ASSETGEN_FONT) ? 0 : 1;
}
