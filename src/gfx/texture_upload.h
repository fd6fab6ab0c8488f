// Hands decoded pixels to the GL: level 0 and the whole mipmap chain.
#pragma once

#include <cstdint>

// Rows go up in the order given. False when the mipmaps could not be built
// (the texture then stays as uploaded).
bool UploadTexture(int slot, const uint8_t* pixels, int width, int height, int bits, int kind);
