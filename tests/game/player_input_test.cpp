#include "game/player_input.h"

#include <gtest/gtest.h>

#include "input/input_state.h"
#include "state/application.h"

namespace {

struct PlayerInputTest : ::testing::Test {
    PlayerInputTest() {
        UseApp(&app);
        app.Input = std::make_unique<InputState>(nullptr);
        InstallKeyTable();
    }
    void Hold(uint8_t code) { app.Input->Keys[code] = 0x80; }
    // Down now and up at the previous poll.
    void Press(uint8_t code) {
        app.Input->PrevKeys[code] = 0;
        app.Input->Keys[code] = 0x80;
    }

    Application app;
};

TEST_F(PlayerInputTest, KeyTableHoldsBothSchemesInDirectInputCodes) {
    const std::array<std::array<uint8_t, 2>, kActionCount> expected{{
        {200, 72},
        {208, 80},
        {203, 75},
        {205, 77},
        {157, 0},
        {17, 0},
        {31, 0},
        {30, 0},
        {32, 0},
        {29, 0},
    }};
    EXPECT_EQ(KeyTable, expected);
}

TEST_F(PlayerInputTest, ActionIsHeldThroughEitherOfItsKeys) {
    EXPECT_FALSE(ActionHeld(kActionUp));
    Hold(72);  // numpad 8
    EXPECT_TRUE(ActionHeld(kActionUp));
    EXPECT_FALSE(ActionHeld(kActionDown));
    Hold(205);
    EXPECT_TRUE(ActionHeld(kActionRight));
    EXPECT_FALSE(ActionHeld(kSchemeActions + kActionRight));
}

TEST_F(PlayerInputTest, KeyCodeZeroNeverCountsAsDown) {
    app.Input->Keys[0] = 0x80;
    for (int32_t action = kActionFire; action < kActionCount; ++action) {
        EXPECT_FALSE(ActionHeld(action)) << action;
        EXPECT_FALSE(ActionPressed(action)) << action;
    }
}

TEST_F(PlayerInputTest, PressedIsTrueOnlyOnTheStepTheKeyWentDown) {
    Press(29);  // left control
    EXPECT_TRUE(ActionPressed(kSchemeActions + kActionFire));
    app.Input->PrevKeys[29] = 0x80;
    EXPECT_FALSE(ActionPressed(kSchemeActions + kActionFire));
    EXPECT_TRUE(ActionHeld(kSchemeActions + kActionFire));
}

TEST_F(PlayerInputTest, MenuAnswersEitherSchemeAndFoldsSchemeTwosNumbers) {
    Press(31);  // S: scheme 2 down
    EXPECT_TRUE(MenuActionPressed(kActionDown));
    EXPECT_TRUE(MenuActionPressed(kSchemeActions + kActionDown));
    EXPECT_FALSE(MenuActionPressed(kActionUp));
    Press(157);  // right control: scheme 1 select
    for (int32_t action = 0; action < kActionCount; ++action) {
        const int32_t a = action % kSchemeActions;
        EXPECT_EQ(MenuActionPressed(action), a == kActionDown || a == kActionFire) << action;
    }
}

}  // namespace
