#include "platform/controllers.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "../config/temp_folder.h"
#include "platform/input_devices.h"
#include "virtual_pad.h"

namespace {

// The game's keys: PLAYER 1 on the arrows and Right Ctrl, PLAYER 2 on W S A D and Left Ctrl.
constexpr uint8_t kUp1 = 200, kDown1 = 208, kLeft1 = 203, kRight1 = 205, kFire1 = 157;
constexpr uint8_t kLeft2 = 30, kFire2 = 29, kEscape = 1;

// One of SDL's virtual game controllers, set by the test as a player would hold it.
class VirtualPad {
public:
    explicit VirtualPad(const char* name = "virtual pad", bool gameController = true)
        : joystick_(PlugVirtualPad(name, gameController ? SDL_TRUE : SDL_FALSE)) {}
    ~VirtualPad() { Unplug(); }

    void Hold(SDL_GameControllerButton button, bool down) {
        SDL_JoystickSetVirtualButton(joystick_, button, down);
    }
    void Stick(int16_t x, int16_t y) {
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, x);
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, y);
    }

    void Unplug() {
        if (!joystick_) return;
        const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
        }
        SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
    }

private:
    SDL_Joystick* joystick_ = nullptr;
};

class ControllersTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::ControllerKeys keys;
        keys.Players = {{{kUp1, kDown1, kLeft1, kRight1, kFire1}, {17, 31, kLeft2, 32, kFire2}}};
        keys.Escape = kEscape;
        ASSERT_TRUE(controllers.Open((folder.Path / "gamecontrollerdb.txt").string(), keys));
    }

    // The keys down after one step, listed.
    std::vector<int> Step() {
        SDL_PumpEvents();
        controllers.FollowPlugging();
        KeyStates keys{};
        controllers.AddKeys(keys);
        std::vector<int> down;
        for (int code = 0; code < 256; ++code) {
            if (keys[code] & 0x80) down.push_back(code);
        }
        return down;
    }

    TempFolder folder;
    platform::SdlInputSystem system;
    platform::Controllers& controllers = system.GameControllers();
};

using Keys = std::vector<int>;

// The stick reads as up or down only within 30 degrees of straight up or down.
TEST_F(ControllersTest, HeldButtonsAndTheStickPastItsDeadZonePressPlayerOnesKeys) {
    VirtualPad pad;
    EXPECT_EQ(Step(), Keys{});
    pad.Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_EQ(Step(), Keys{kLeft1});
    EXPECT_EQ(Step(), Keys{kLeft1});
    pad.Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    pad.Stick(10000, 0);
    EXPECT_EQ(Step(), Keys{});
    pad.Stick(12000, 0);
    EXPECT_EQ(Step(), Keys{kRight1});
    pad.Stick(30000, -12121);  // 22 degrees up
    EXPECT_EQ(Step(), Keys{kRight1});
    pad.Stick(15000, -30000);  // 63 degrees up
    EXPECT_EQ(Step(), Keys{kUp1});
    pad.Stick(-32768, 0);
    pad.Hold(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(Step(), (Keys{kEscape, kLeft1}));
}

TEST_F(ControllersTest, AChoosesInMenusJumpsInAGameAndNothingHeldCrossesTheHandOver) {
    VirtualPad pad;
    pad.Hold(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(Step(), Keys{});  // held as it arrived
    pad.Hold(SDL_CONTROLLER_BUTTON_A, false);
    Step();
    pad.Hold(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(Step(), Keys{kFire1});
    controllers.SetInGame(true);
    EXPECT_EQ(Step(), Keys{});
    pad.Hold(SDL_CONTROLLER_BUTTON_A, false);
    pad.Hold(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(Step(), Keys{kFire1});
    pad.Hold(SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(Step(), (Keys{kFire1, kUp1}));
    controllers.SetInGame(false);
    pad.Hold(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(Step(), Keys{kDown1});
}

TEST_F(ControllersTest, TwoPlayersAndAThirdThatTakesOverWhenTheFirstIsUnplugged) {
    VirtualPad first, second, third;
    Step();
    first.Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    second.Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    third.Hold(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(Step(), (Keys{kLeft2, kLeft1}));
    // Unplugged mid-hold: its keys go at once; the waiting pad's held button counts only
    // once pressed anew.
    first.Unplug();
    EXPECT_EQ(Step(), Keys{kLeft2});
    third.Hold(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
    Step();
    third.Hold(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
    EXPECT_EQ(Step(), (Keys{kLeft2, kRight1}));
}

// SDL reads the platform without regard to case, so another system's line for the same
// controller must not replace the Linux one.
TEST_F(ControllersTest, UnusableMappingLinesAndUnmappableDevicesAreNotedOnce) {
    controllers.Close();
    std::ofstream(folder.Path / "gamecontrollerdb.txt")
        << "# comment\n\nnot a mapping\n"
        << "03000000aaaa00000000000000000000,Pad,a:b0,b:b1,platform:linux,\r\n"
        << "03000000aaaa00000000000000000000,Other,a:b1,platform:Windows,\n";
    ::testing::internal::CaptureStderr();
    platform::ControllerKeys keys;
    ASSERT_TRUE(controllers.Open((folder.Path / "gamecontrollerdb.txt").string(), keys));
    {
        VirtualPad odd("odd stick", false);
        Step();
        Step();
    }
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.find("1 line of"), said.rfind("1 line of")) << said;
    EXPECT_NE(said.find("1 line of"), std::string::npos) << said;
    EXPECT_NE(said.find("\"odd stick\""), std::string::npos) << said;
    EXPECT_EQ(said.find("\"odd stick\""), said.rfind("\"odd stick\"")) << said;
    char* mapping = SDL_GameControllerMappingForGUID(
        SDL_JoystickGetGUIDFromString("03000000aaaa00000000000000000000"));
    ASSERT_NE(mapping, nullptr);
    EXPECT_NE(std::string(mapping).find(",Pad,"), std::string::npos) << mapping;
    SDL_free(mapping);
}

// The test has no window, so never the focus: the keyboard repeats its last keys (none yet)
// and the controller's held key is let go.
TEST_F(ControllersTest, WithoutTheFocusAControllerPressesNothing) {
    VirtualPad pad;
    Step();
    pad.Hold(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    EXPECT_EQ(Step(), Keys{kLeft1});
    KeyStates keys{};
    keys[kLeft1] = 0x80;
    EXPECT_EQ(system.CreateKeyboard()->GetState(keys), InputResult::Ok);
    EXPECT_EQ(keys, KeyStates{});
}

}  // namespace
