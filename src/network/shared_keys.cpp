#include "network/shared_keys.h"

#include "game/player_input.h"

namespace {

bool Down(const KeyStates& keys, uint8_t code) {
    return code != 0 && (keys[code] & 0x80) != 0;
}

void PressAction(KeyStates& keys, int32_t action) {
    keys[KeyTable[action][0]] = 0x80;
}

}  // namespace

uint8_t SideKeys(const KeyStates& keys) {
    uint8_t bits = 0;
    for (int32_t action = 0; action < kActionCount; ++action) {
        if (Down(keys, KeyTable[action][0]) || Down(keys, KeyTable[action][1])) {
            bits |= 1 << (action % kSchemeActions);
        }
    }
    if (Down(keys, kEscapeKey)) bits |= kSharedEscape;
    if (Down(keys, kEnterKey) || Down(keys, kKeypadEnterKey)) bits |= kSharedEnter;
    if (Down(keys, kLeftAltKey) || Down(keys, kRightAltKey)) bits |= kSharedAlt;
    return bits;
}

KeyStates SharedKeys(uint8_t host, uint8_t guest) {
    KeyStates keys{};
    for (int32_t action = 0; action < kSchemeActions; ++action) {
        if (host & (1 << action)) PressAction(keys, action);
        if (guest & (1 << action)) PressAction(keys, action + kSchemeActions);
    }
    const uint8_t either = host | guest;
    if (either & kSharedEscape) keys[kEscapeKey] = 0x80;
    if (either & kSharedEnter) keys[kEnterKey] = 0x80;
    if (either & kSharedAlt) keys[kLeftAltKey] = 0x80;
    return keys;
}
