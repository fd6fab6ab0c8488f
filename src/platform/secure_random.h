// Random bytes from the kernel, fit for codes that must not be guessed.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

void FillSecureRandom(uint8_t* out, size_t size);

}  // namespace platform
