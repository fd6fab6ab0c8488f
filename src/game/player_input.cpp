#include "game/player_input.h"

#include "input/input_state.h"
#include "state/application.h"

std::array<std::array<uint8_t, 2>, kActionCount> KeyTable{};

void InstallKeyTable() {
    KeyTable = {{
        {200, 72},  // up, numpad 8
        {208, 80},  // down, numpad 2
        {203, 75},  // left, numpad 4
        {205, 77},  // right, numpad 6
        {157, 0},   // right control
        {17, 0},    // W
        {31, 0},    // S
        {30, 0},    // A
        {32, 0},    // D
        {29, 0},    // left control
    }};
}

// The input component never reports code 0, the table's empty entry, as down.
bool ActionHeld(int32_t action) {
    const InputState& input = *App().Input;
    return input.KeyDown(KeyTable[action][0]) || input.KeyDown(KeyTable[action][1]);
}

bool ActionPressed(int32_t action) {
    const InputState& input = *App().Input;
    return input.KeyPressed(KeyTable[action][0]) || input.KeyPressed(KeyTable[action][1]);
}

// Scheme 2's numbers stand for the same menu actions; folding them first keeps a + 5 inside
// the table.
bool MenuActionPressed(int32_t action) {
    const int32_t a = action % kSchemeActions;
    return ActionPressed(a) || ActionPressed(a + kSchemeActions);
}
