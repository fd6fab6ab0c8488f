// TGA reader: true-colour pictures, uncompressed or run-length, decoded from bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Pixel layout of a decoded picture, as the texture upload takes it.
enum class TgaFormat { RGB, RGBA };

// A decoded picture: rows bottom-up, each pixel red, green, blue (and alpha for 32 bits).
struct TgaImage {
    std::vector<uint8_t> Pixels;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t Bits = 0;  // 24 or 32
    TgaFormat Format = TgaFormat::RGB;
};

// The message box a failed read shows.
struct TgaError {
    std::string Caption;
    std::string Text;
};

// Decodes a whole TGA file held in memory. On failure the image is left as it
// was and the error holds the message to show.
bool DecodeTGA(const uint8_t* data, size_t size, TgaImage& image, TgaError& error);

// The message for a texture file that cannot be opened.
TgaError TgaOpenError(const std::string& path);
