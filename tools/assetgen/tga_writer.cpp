#include "tga_writer.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "canvas.h"

bool WriteTga(const std::string& path, const Canvas& canvas) {
    std::uint8_t header[18] = {};
    header[2] = 2;  // uncompressed true colour
    header[12] = static_cast<std::uint8_t>(canvas.Width() & 255);
    header[13] = static_cast<std::uint8_t>(canvas.Width() >> 8);
    header[14] = static_cast<std::uint8_t>(canvas.Height() & 255);
    header[15] = static_cast<std::uint8_t>(canvas.Height() >> 8);
    header[16] = 32;
    header[17] = 0x08;  // eight alpha bits, origin bottom left
    const std::vector<std::uint8_t> pixels = canvas.BgraBottomUp();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(header), sizeof header);
    out.write(reinterpret_cast<const char*>(pixels.data()),
              static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}
