// Player input: the key table of the two schemes sharing one keyboard, and its queries.
#pragma once

#include <array>
#include <cstdint>

// Actions 0..4 are scheme 1 and 5..9 scheme 2, each up (jump), down, left, right, fire.
enum PlayerAction : int32_t {
    kActionUp = 0,
    kActionDown = 1,
    kActionLeft = 2,
    kActionRight = 3,
    kActionFire = 4,
    kSchemeActions = 5,
    kActionCount = 10,
};

// Keys the game reads besides the key table. Escape pauses a game and resumes it from the
// in-game menu; Return and keypad Enter choose in the menus, unless Alt is held.
constexpr uint8_t kEscapeKey = 1;
constexpr uint8_t kEnterKey = 28;
constexpr uint8_t kKeypadEnterKey = 156;
constexpr uint8_t kLeftAltKey = 56;
constexpr uint8_t kRightAltKey = 184;

// Two DirectInput scan codes per action; code 0 stands for no key.
extern std::array<std::array<uint8_t, 2>, kActionCount> KeyTable;

// Fills the key table; start-up calls it before anything reads the keys.
void InstallKeyTable();

// Either key of the action is down now.
bool ActionHeld(int32_t action);
// Either key of the action went down at this step.
bool ActionPressed(int32_t action);
// The menu's actions 0..4 (up, down, left, right, select) answer either scheme.
bool MenuActionPressed(int32_t action);
