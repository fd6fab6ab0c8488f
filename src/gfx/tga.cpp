#include "gfx/tga.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

constexpr uint8_t kTopDownBit = 0x20;

// Walks a byte buffer front to back; a read that would run short takes nothing.
struct ByteReader {
    const uint8_t* Data;
    size_t Size;
    size_t Pos = 0;

    size_t Left() const { return Size - Pos; }
    // The next n bytes, or nullptr when fewer are left.
    const uint8_t* Take(size_t n) {
        if (Left() < n) return nullptr;
        const uint8_t* bytes = Data + Pos;
        Pos += n;
        return bytes;
    }
    void Skip(size_t n) { Pos += std::min(n, Left()); }
};

bool Fail(TgaError& error, const char* text) {
    error = {"ERROR", text};
    return false;
}

// Appends a file pixel (blue, green, red, alpha) as red, green, blue, alpha.
void AppendPixel(std::vector<uint8_t>& pixels, const uint8_t* pixel, size_t bytesPerPixel) {
    pixels.push_back(pixel[2]);
    pixels.push_back(pixel[1]);
    pixels.push_back(pixel[0]);
    if (bytesPerPixel == 4) pixels.push_back(pixel[3]);
}

bool ReadUncompressed(ByteReader& in, size_t bytesPerPixel, uint64_t size,
                      std::vector<uint8_t>& pixels, TgaError& error) {
    const uint8_t* data = size <= in.Left() ? in.Take(size) : nullptr;
    if (!data) return Fail(error, "Could not read image data");
    pixels.assign(data, data + size);
    for (size_t i = 0; i < pixels.size(); i += bytesPerPixel) std::swap(pixels[i], pixels[i + 2]);
    return true;
}

// The most pixel bytes the remaining data could produce (every packet a full run),
// so that a tiny file claiming a huge picture does not reserve gigabytes.
uint64_t ReachableBytes(size_t left, size_t bytesPerPixel) {
    return uint64_t{left} / (1 + bytesPerPixel) * 128 * bytesPerPixel;
}

bool ReadRunLength(ByteReader& in, size_t bytesPerPixel, uint64_t size,
                   std::vector<uint8_t>& pixels, TgaError& error) {
    pixels.reserve(std::min(size, ReachableBytes(in.Left(), bytesPerPixel)));
    while (pixels.size() < size) {
        const uint8_t* header = in.Take(1);
        if (!header) return Fail(error, "Could not read RLE header");
        const bool run = *header >= 128;
        const int count = (*header & 0x7F) + 1;
        const uint8_t* pixel = run ? in.Take(bytesPerPixel) : nullptr;
        if (run && !pixel) return Fail(error, "Could not read from file");
        for (int i = 0; i < count; ++i) {
            if (!run && !(pixel = in.Take(bytesPerPixel))) {
                return Fail(error, "Could not read image data");
            }
            if (pixels.size() == size) return Fail(error, "Too many pixels read");
            AppendPixel(pixels, pixel, bytesPerPixel);
        }
    }
    return true;
}

// Reverses the row order, turning a top-down picture bottom-up.
void FlipRows(std::vector<uint8_t>& pixels, size_t rowBytes, size_t rows) {
    for (size_t top = 0, bottom = rows - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(pixels.begin() + top * rowBytes, pixels.begin() + (top + 1) * rowBytes,
                         pixels.begin() + bottom * rowBytes);
    }
}

}  // namespace

bool DecodeTGA(const uint8_t* data, size_t size, TgaImage& image, TgaError& error) {
    ByteReader in{data, size};
    const uint8_t* header = in.Take(12);
    if (!header) return Fail(error, "Could not read file header");
    const int type = header[2];
    if (type != 2 && type != 10) {
        error = {"Invalid Image", "TGA file be type 2 or type 10\r\nJest=" + std::to_string(type)};
        return false;
    }
    const uint8_t* info = in.Take(6);
    if (!info) return Fail(error, "Could not read info header");

    TgaImage decoded;
    decoded.Width = info[0] + 256 * info[1];
    decoded.Height = info[2] + 256 * info[3];
    decoded.Bits = info[4];
    if (decoded.Width == 0 || decoded.Height == 0 || (decoded.Bits != 24 && decoded.Bits != 32)) {
        return Fail(error, "Invalid texture information");
    }
    decoded.Format = decoded.Bits == 24 ? TgaFormat::RGB : TgaFormat::RGBA;
    const size_t bytesPerPixel = decoded.Bits / 8;
    const size_t rowBytes = bytesPerPixel * decoded.Width;
    const uint64_t pixelBytes = uint64_t{rowBytes} * decoded.Height;

    // The identification field lies between the header and the pixels.
    in.Skip(header[0]);
    try {
        const bool read =
            type == 2 ? ReadUncompressed(in, bytesPerPixel, pixelBytes, decoded.Pixels, error)
                      : ReadRunLength(in, bytesPerPixel, pixelBytes, decoded.Pixels, error);
        if (!read) return false;
    } catch (const std::bad_alloc&) {
        return Fail(error, "Could not allocate memory for image");
    }
    // Textures are uploaded first row at the bottom, so top-down files are turned over.
    if (info[5] & kTopDownBit) FlipRows(decoded.Pixels, rowBytes, decoded.Height);
    image = std::move(decoded);
    return true;
}

TgaError TgaOpenError(const std::string& path) {
    return {"ERROR", "Nie mozna otworzyc tekstury! " + path};
}
