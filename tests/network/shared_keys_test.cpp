#include "network/shared_keys.h"

#include <gtest/gtest.h>

#include "game/player_input.h"

// Either scheme on either machine steers that machine's player; the menu keys pass as they are.
TEST(SharedKeys, EachSideSteersItsOwnPlayerWithEitherScheme) {
    InstallKeyTable();
    KeyStates host{}, guest{};
    host[17] = 0x80;    // W: scheme 2's up
    host[157] = 0x80;   // right Control: scheme 1's tongue
    guest[203] = 0x80;  // left arrow: scheme 1's left
    guest[kKeypadEnterKey] = 0x80;
    guest[kEscapeKey] = 0x80;
    const uint8_t hostBits = SideKeys(host), guestBits = SideKeys(guest);
    EXPECT_EQ(hostBits, (1 << kActionUp) | (1 << kActionFire));
    EXPECT_EQ(guestBits, (1 << kActionLeft) | kSharedEnter | kSharedEscape);

    KeyStates expected{};
    for (uint8_t code : {uint8_t{200}, uint8_t{157}, uint8_t{30}, kEnterKey, kEscapeKey})
        expected[code] = 0x80;
    EXPECT_EQ(SharedKeys(hostBits, guestBits), expected);
}
