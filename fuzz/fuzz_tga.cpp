// Feeds arbitrary bytes to the TGA decoder and checks what a success promises.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "gfx/tga.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_tga: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TgaImage image;
    TgaError error;
    if (!DecodeTGA(data, size, image, error)) {
        Check(!error.Caption.empty() && !error.Text.empty(), "a failure without a message");
        Check(image.Pixels.empty() && image.Width == 0, "a failure changed the image");
        return 0;
    }
    Check(image.Width > 0 && image.Height > 0, "an empty picture decoded");
    Check(image.Bits == 24 || image.Bits == 32, "unexpected bits per pixel");
    Check((image.Format == TgaFormat::RGBA) == (image.Bits == 32), "format and bits disagree");
    const uint64_t expected = uint64_t{static_cast<uint32_t>(image.Width)} *
                              static_cast<uint32_t>(image.Height) * (image.Bits / 8);
    Check(image.Pixels.size() == expected, "pixel buffer size does not match the picture");
    return 0;
}
