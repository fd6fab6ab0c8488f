#include "platform/keyboard.h"

#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

namespace {

using platform::DirectInputCode;
using platform::TranslateKeyboardState;

struct Key {
    SDL_Scancode scancode;
    int code;
};

TEST(KeyboardTable, EveryKeyOfTheFrogControlsAndTheGame) {
    const Key keys[] = {
        {SDL_SCANCODE_UP, 200},    {SDL_SCANCODE_KP_8, 72},  {SDL_SCANCODE_DOWN, 208},
        {SDL_SCANCODE_KP_2, 80},   {SDL_SCANCODE_LEFT, 203}, {SDL_SCANCODE_KP_4, 75},
        {SDL_SCANCODE_RIGHT, 205}, {SDL_SCANCODE_KP_6, 77},  {SDL_SCANCODE_RCTRL, 157},
        {SDL_SCANCODE_W, 17},      {SDL_SCANCODE_S, 31},     {SDL_SCANCODE_A, 30},
        {SDL_SCANCODE_D, 32},      {SDL_SCANCODE_LCTRL, 29}, {SDL_SCANCODE_ESCAPE, 1},
    };
    for (const Key& key : keys) {
        EXPECT_EQ(DirectInputCode(key.scancode), key.code) << SDL_GetScancodeName(key.scancode);
    }
}

TEST(KeyboardTable, ExtendedKeysDifferFromTheirMainBlockTwins) {
    const Key keys[] = {
        {SDL_SCANCODE_RETURN, 0x1C},       {SDL_SCANCODE_KP_ENTER, 0x9C},
        {SDL_SCANCODE_LCTRL, 0x1D},        {SDL_SCANCODE_RCTRL, 0x9D},
        {SDL_SCANCODE_LALT, 0x38},         {SDL_SCANCODE_RALT, 0xB8},
        {SDL_SCANCODE_SLASH, 0x35},        {SDL_SCANCODE_KP_DIVIDE, 0xB5},
        {SDL_SCANCODE_LSHIFT, 0x2A},       {SDL_SCANCODE_RSHIFT, 0x36},
        {SDL_SCANCODE_KP_MULTIPLY, 0x37},  {SDL_SCANCODE_PRINTSCREEN, 0xB7},
        {SDL_SCANCODE_NUMLOCKCLEAR, 0x45}, {SDL_SCANCODE_PAUSE, 0xC5},
        {SDL_SCANCODE_LGUI, 0xDB},         {SDL_SCANCODE_RGUI, 0xDC},
        {SDL_SCANCODE_APPLICATION, 0xDD},  {SDL_SCANCODE_SCROLLLOCK, 0x46},
        {SDL_SCANCODE_CAPSLOCK, 0x3A},     {SDL_SCANCODE_SPACE, 0x39},
        {SDL_SCANCODE_TAB, 0x0F},          {SDL_SCANCODE_BACKSPACE, 0x0E},
        {SDL_SCANCODE_KP_MINUS, 0x4A},     {SDL_SCANCODE_KP_PLUS, 0x4E},
        {SDL_SCANCODE_KP_PERIOD, 0x53},    {SDL_SCANCODE_KP_0, 0x52},
    };
    for (const Key& key : keys) {
        EXPECT_EQ(DirectInputCode(key.scancode), key.code) << SDL_GetScancodeName(key.scancode);
    }
}

TEST(KeyboardTable, NavigationKeysAreTheKeypadCodesWithBitSeven) {
    const SDL_Scancode pairs[][2] = {
        {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8},     {SDL_SCANCODE_DOWN, SDL_SCANCODE_KP_2},
        {SDL_SCANCODE_LEFT, SDL_SCANCODE_KP_4},   {SDL_SCANCODE_RIGHT, SDL_SCANCODE_KP_6},
        {SDL_SCANCODE_HOME, SDL_SCANCODE_KP_7},   {SDL_SCANCODE_END, SDL_SCANCODE_KP_1},
        {SDL_SCANCODE_PAGEUP, SDL_SCANCODE_KP_9}, {SDL_SCANCODE_PAGEDOWN, SDL_SCANCODE_KP_3},
        {SDL_SCANCODE_INSERT, SDL_SCANCODE_KP_0}, {SDL_SCANCODE_DELETE, SDL_SCANCODE_KP_PERIOD},
    };
    for (const auto& pair : pairs) {
        EXPECT_EQ(DirectInputCode(pair[0]), DirectInputCode(pair[1]) | 0x80)
            << SDL_GetScancodeName(pair[0]);
    }
}

TEST(KeyboardTable, LettersDigitsAndFunctionKeysFollowThePcRows) {
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const int rowStarts[] = {0x10, 0x1E, 0x2C};
    for (int row = 0; row < 3; ++row) {
        for (int i = 0; rows[row][i] != '\0'; ++i) {
            const SDL_Scancode scancode =
                static_cast<SDL_Scancode>(SDL_SCANCODE_A + rows[row][i] - 'A');
            EXPECT_EQ(DirectInputCode(scancode), rowStarts[row] + i) << rows[row][i];
        }
    }
    for (int i = 0; i < 10; ++i) {  // SDL runs 1..9, 0; so do the codes 2..11
        EXPECT_EQ(DirectInputCode(static_cast<SDL_Scancode>(SDL_SCANCODE_1 + i)), 2 + i);
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(DirectInputCode(static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + i)), 0x3B + i);
    }
    EXPECT_EQ(DirectInputCode(SDL_SCANCODE_F11), 0x57);
    EXPECT_EQ(DirectInputCode(SDL_SCANCODE_F12), 0x58);
    EXPECT_EQ(DirectInputCode(SDL_SCANCODE_F13), 0x64);
    EXPECT_EQ(DirectInputCode(SDL_SCANCODE_F15), 0x66);
    EXPECT_EQ(DirectInputCode(SDL_SCANCODE_F16), 0);  // DirectInput stops at F15
}

TEST(KeyboardTable, NoTwoKeysShareACodeExceptTheIntendedPairs) {
    std::map<int, std::set<int>> byCode;
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const int code = DirectInputCode(static_cast<SDL_Scancode>(scancode));
        if (code != 0) byCode[code].insert(scancode);
    }
    const std::map<int, std::set<int>> shared = {
        {0x2B, {SDL_SCANCODE_BACKSLASH, SDL_SCANCODE_NONUSHASH}},
        {0xA0, {SDL_SCANCODE_MUTE, SDL_SCANCODE_AUDIOMUTE}},
    };
    for (const auto& [code, scancodes] : byCode) {
        if (scancodes.size() > 1) {
            EXPECT_EQ(shared.count(code), 1u) << "code " << code;
            if (shared.count(code) != 0) {
                EXPECT_EQ(scancodes, shared.at(code));
            }
        }
    }
    EXPECT_GT(byCode.size(), 110u);
}

TEST(KeyboardTable, UnknownKeyHasNoCode) {
    EXPECT_EQ(DirectInputCode(SDL_SCANCODE_UNKNOWN), 0);
}

TEST(KeyboardTranslation, EachDownKeySetsOnlyItsOwnCode) {
    std::vector<uint8_t> state(SDL_NUM_SCANCODES, 0);
    state[SDL_SCANCODE_UP] = 1;
    state[SDL_SCANCODE_RCTRL] = 1;
    state[SDL_SCANCODE_F20] = 1;  // no code: ignored
    std::array<uint8_t, 256> keys;
    keys.fill(0x55);
    TranslateKeyboardState(state.data(), SDL_NUM_SCANCODES, keys);
    for (int code = 0; code < 256; ++code) {
        const uint8_t expected = (code == 0xC8 || code == 0x9D) ? 0x80 : 0;
        EXPECT_EQ(keys[code], expected) << "code " << code;
    }
}

TEST(KeyboardTranslation, CodeZeroIsNeverSet) {
    std::vector<uint8_t> state(SDL_NUM_SCANCODES, 1);
    std::array<uint8_t, 256> keys{};
    TranslateKeyboardState(state.data(), SDL_NUM_SCANCODES, keys);
    EXPECT_EQ(keys[0], 0);
    EXPECT_EQ(keys[0xC8], 0x80);
    EXPECT_EQ(keys[0x1D], 0x80);
}

TEST(KeyboardTranslation, KeysBeyondTheSnapshotAreUp) {
    std::vector<uint8_t> state(SDL_SCANCODE_LCTRL, 1);
    std::array<uint8_t, 256> keys{};
    TranslateKeyboardState(state.data(), static_cast<int>(state.size()), keys);
    EXPECT_EQ(keys[0x1E], 0x80);  // A lies inside the snapshot
    EXPECT_EQ(keys[0x1D], 0);     // left Ctrl does not
    EXPECT_EQ(keys[0x9D], 0);
}

}  // namespace
