#include "image_files.h"

#include <png.h>

#include <cstdint>
#include <fstream>
#include <vector>

#include "canvas.h"

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 255));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 255));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

}  // namespace

bool WritePng(const std::string& path, const Canvas& canvas) {
    const int w = canvas.Width();
    const int h = canvas.Height();
    const std::vector<std::uint8_t> bgra = canvas.BgraBottomUp();
    std::vector<std::uint8_t> rgba(bgra.size());
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* from = &bgra[static_cast<size_t>(h - 1 - y) * w * 4];
        std::uint8_t* to = &rgba[static_cast<size_t>(y) * w * 4];
        for (int x = 0; x < w; ++x, from += 4, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = from[3];
        }
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(w);
    image.height = static_cast<png_uint_32>(h);
    image.format = PNG_FORMAT_RGBA;
    const bool ok = png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

bool WriteBmp(const std::string& path, const Canvas& canvas) {
    constexpr std::uint32_t kHeaderSize = 14 + 108;  // file header and a version 4 info header
    const std::vector<std::uint8_t> pixels = canvas.BgraBottomUp();
    std::vector<std::uint8_t> header;
    header.push_back('B');
    header.push_back('M');
    Put32(header, kHeaderSize + static_cast<std::uint32_t>(pixels.size()));
    Put32(header, 0);
    Put32(header, kHeaderSize);
    Put32(header, 108);
    Put32(header, static_cast<std::uint32_t>(canvas.Width()));
    Put32(header, static_cast<std::uint32_t>(canvas.Height()));  // positive: bottom row first
    Put16(header, 1);
    Put16(header, 32);
    Put32(header, 3);  // the colours are given by the masks below
    Put32(header, static_cast<std::uint32_t>(pixels.size()));
    Put32(header, 2835);  // 72 dots per inch
    Put32(header, 2835);
    Put32(header, 0);
    Put32(header, 0);
    Put32(header, 0x00FF0000);
    Put32(header, 0x0000FF00);
    Put32(header, 0x000000FF);
    Put32(header, 0xFF000000);
    Put32(header, 0x73524742);      // sRGB
    header.resize(kHeaderSize, 0);  // no colour-space end points or gamma
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header.data()),
              static_cast<std::streamsize>(header.size()));
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}
