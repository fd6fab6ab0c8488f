// SDL's keyboard in DirectInput keyboard scan codes, the codes the game's key table uses.
#pragma once

#include <SDL_scancode.h>

#include <array>
#include <cstdint>

namespace platform {

// The DirectInput scan code of an SDL key, or 0 for a key DirectInput has no code for.
uint8_t DirectInputCode(SDL_Scancode scancode);

// Turns one snapshot of SDL's keyboard state (numKeys bytes, as SDL_GetKeyboardState gives)
// into 256 bytes indexed by scan code, 0x80 for each key down.
void TranslateKeyboardState(const uint8_t* state, int numKeys, std::array<uint8_t, 256>& keys);

}  // namespace platform
