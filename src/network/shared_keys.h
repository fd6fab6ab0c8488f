// One keyboard shared by two machines: each side's keys come down to one byte per step, and
// the two bytes make the keys the game reads, the host's as PLAYER 1's and the guest's as
// PLAYER 2's.
#pragma once

#include <cstdint>

#include "input/input_system.h"

// Bits 0..4: up, down, left, right, fire from either scheme; then Escape, Return (either
// Enter key) and Alt.
enum SharedKeyBit : uint8_t {
    kSharedEscape = 1 << 5,
    kSharedEnter = 1 << 6,
    kSharedAlt = 1 << 7,
};

// What one side's keyboard and controllers hold; the key table must be installed.
uint8_t SideKeys(const KeyStates& keys);

// The keys the game reads for a step: the host's actions on scheme 1's keys, the guest's on
// scheme 2's, and Escape, Return and Alt held when either side holds them.
KeyStates SharedKeys(uint8_t host, uint8_t guest);
