#include "input/input_state.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "input/input_errors.h"

namespace {

constexpr uint8_t kUp = 200;
constexpr uint8_t kW = 17;
constexpr uint8_t kEscape = 1;

struct FakeJoystickInfo {
    int32_t buttons = 12;
    int32_t axes = 4;
    int32_t hats = 1;
    bool brokenRange = false;
    JoystickState state{};
};

// The world behind the fake devices: what they report, which steps fail, what was called.
struct FakeWorld {
    // Logs the step and says whether it succeeds.
    bool Step(const std::string& name) {
        log.push_back(name);
        return failing.count(name) == 0;
    }

    std::set<std::string> failing;
    std::vector<std::string> log;
    bool foreground = true;
    int liveDevices = 0;
    bool systemCreated = false;

    KeyStates keys{};
    bool keyboardAcquired = false;

    std::deque<MouseEvent> mouseEvents;
    bool mouseAcquired = false;
    bool mouseOverflow = false;
    int32_t mouseBufferSize = 0;

    std::vector<FakeJoystickInfo> joysticks;
    std::vector<bool> joystickAcquired;
};

class FakeDevice {
protected:
    explicit FakeDevice(FakeWorld& world) : world_(world) { ++world_.liveDevices; }
    ~FakeDevice() { --world_.liveDevices; }
    FakeWorld& world_;
};

class FakeKeyboard : public KeyboardDevice, FakeDevice {
public:
    explicit FakeKeyboard(FakeWorld& world) : FakeDevice(world) {}
    bool SetDataFormat() override { return world_.Step("keyboard.format"); }
    bool SetCooperativeLevel() override { return world_.Step("keyboard.cooperative"); }
    bool Acquire() override {
        if (!world_.Step("keyboard.acquire")) return false;
        world_.keyboardAcquired = world_.foreground;
        return world_.keyboardAcquired;
    }
    InputResult GetState(KeyStates& keys) override {
        if (!world_.Step("keyboard.read")) return InputResult::Failed;
        if (!world_.foreground) world_.keyboardAcquired = false;
        if (!world_.keyboardAcquired) return InputResult::NotAcquired;
        keys = world_.keys;
        return InputResult::Ok;
    }
};

class FakeMouse : public MouseDevice, FakeDevice {
public:
    explicit FakeMouse(FakeWorld& world) : FakeDevice(world) {}
    bool SetDataFormat() override { return world_.Step("mouse.format"); }
    bool SetCooperativeLevel() override { return world_.Step("mouse.cooperative"); }
    bool CreateNotifyEvent() override { return world_.Step("mouse.event"); }
    bool SetEventNotification() override { return world_.Step("mouse.notification"); }
    bool SetBufferSize(int32_t size) override {
        world_.mouseBufferSize = size;
        return world_.Step("mouse.buffer");
    }
    bool Acquire() override {
        if (!world_.Step("mouse.acquire")) return false;
        world_.mouseAcquired = world_.foreground;
        return world_.mouseAcquired;
    }
    InputResult GetEvent(MouseEvent& event, bool& received) override {
        received = false;
        if (!world_.Step("mouse.read")) return InputResult::Failed;
        if (!world_.mouseAcquired) return InputResult::InputLost;
        const bool overflow = world_.mouseOverflow;
        world_.mouseOverflow = false;
        if (!world_.mouseEvents.empty()) {
            event = world_.mouseEvents.front();
            world_.mouseEvents.pop_front();
            received = true;
        }
        return overflow ? InputResult::BufferOverflow : InputResult::Ok;
    }
};

class FakeJoystick : public JoystickDevice, FakeDevice {
public:
    FakeJoystick(FakeWorld& world, int instance) : FakeDevice(world), instance_(instance) {}
    bool SetDataFormat() override { return world_.Step("joystick.format"); }
    bool SetCooperativeLevel() override { return world_.Step("joystick.cooperative"); }
    bool SetAxisRanges() override {
        return world_.Step("joystick.range") && !world_.joysticks[instance_].brokenRange;
    }
    bool GetCapabilities(int32_t& buttons, int32_t& axes, int32_t& hats) override {
        const FakeJoystickInfo& info = world_.joysticks[instance_];
        buttons = info.buttons;
        axes = info.axes;
        hats = info.hats;
        return world_.Step("joystick.capabilities");
    }
    bool Acquire() override {
        if (!world_.Step("joystick.acquire")) return false;
        world_.joystickAcquired[instance_] = true;
        return true;
    }
    void Unacquire() override {
        world_.Step("joystick.unacquire");
        world_.joystickAcquired[instance_] = false;
    }
    InputResult Poll() override {
        if (!world_.Step("joystick.poll")) return InputResult::Failed;
        return world_.joystickAcquired[instance_] ? InputResult::Ok : InputResult::NotAcquired;
    }
    InputResult GetState(JoystickState& state) override {
        if (!world_.Step("joystick.read")) return InputResult::Failed;
        if (!world_.joystickAcquired[instance_]) return InputResult::InputLost;
        state = world_.joysticks[instance_].state;
        return InputResult::Ok;
    }

private:
    int instance_;
};

class FakeSystem : public InputSystem {
public:
    explicit FakeSystem(FakeWorld& world) : world_(world) {}
    bool Create() override {
        world_.systemCreated = world_.Step("system.create");
        return world_.systemCreated;
    }
    void Release() override {
        world_.Step("system.release");
        world_.systemCreated = false;
    }
    std::unique_ptr<KeyboardDevice> CreateKeyboard() override {
        if (!world_.Step("keyboard.create")) return nullptr;
        return std::make_unique<FakeKeyboard>(world_);
    }
    std::unique_ptr<MouseDevice> CreateMouse() override {
        if (!world_.Step("mouse.create")) return nullptr;
        return std::make_unique<FakeMouse>(world_);
    }
    std::unique_ptr<JoystickDevice> CreateJoystick(int instance) override {
        if (!world_.Step("joystick.create")) return nullptr;
        return std::make_unique<FakeJoystick>(world_, instance);
    }
    bool EnumerateJoysticks(const std::function<bool(int instance)>& each) override {
        if (!world_.Step("joystick.enumerate")) return false;
        world_.joystickAcquired.assign(world_.joysticks.size(), false);
        for (size_t i = 0; i < world_.joysticks.size(); ++i) {
            if (!each(static_cast<int>(i))) break;
        }
        return true;
    }

private:
    FakeWorld& world_;
};

struct InputTest : ::testing::Test {
    FakeWorld world;
    FakeSystem system{world};
    InputState input{&system};
};

TEST_F(InputTest, StartsWithKeyboardOnlyAndSixteenMouseEvents) {
    EXPECT_TRUE(input.DoKeyboard);
    EXPECT_FALSE(input.DoMouse);
    EXPECT_FALSE(input.DoJoystick);
    EXPECT_EQ(input.MouseBufSize(), 16);
    EXPECT_EQ(input.Poll(), 0);  // nothing open yet
    EXPECT_TRUE(world.log.empty());
}

TEST_F(InputTest, InitOpensTheKeyboardWithoutAcquiringIt) {
    ASSERT_EQ(input.Init(), 0);
    EXPECT_EQ(world.log, (std::vector<std::string>{"system.create", "keyboard.create",
                                                   "keyboard.format", "keyboard.cooperative"}));
}

TEST_F(InputTest, FirstPollAcquiresAndReadsOnceMore) {
    ASSERT_EQ(input.Init(), 0);
    world.log.clear();
    world.keys[kUp] = 0x80;
    EXPECT_EQ(input.Poll(), 0);
    EXPECT_EQ(world.log,
              (std::vector<std::string>{"keyboard.read", "keyboard.acquire", "keyboard.read"}));
    EXPECT_TRUE(input.KeyDown(kUp));
}

TEST_F(InputTest, HeldKeyIsDownOnEveryPollButPressedOnlyOnTheFirst) {
    ASSERT_EQ(input.Init(), 0);
    world.keys[kUp] = 0x80;
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_TRUE(input.KeyDown(kUp));
    EXPECT_TRUE(input.KeyPressed(kUp));
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(input.Poll(), 0);
        EXPECT_TRUE(input.KeyDown(kUp));
        EXPECT_FALSE(input.KeyPressed(kUp));
    }
    world.keys[kUp] = 0;
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_FALSE(input.KeyDown(kUp));
    EXPECT_FALSE(input.KeyPressed(kUp));
    world.keys[kUp] = 0x80;
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_TRUE(input.KeyPressed(kUp));
}

TEST_F(InputTest, FirstPollReportsEveryHeldKeyAsPressed) {
    ASSERT_EQ(input.Init(), 0);
    world.keys[kUp] = 0x80;
    world.keys[kW] = 0x80;
    world.keys[kEscape] = 0x80;
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_TRUE(input.KeyPressed(kUp));
    EXPECT_TRUE(input.KeyPressed(kW));
    EXPECT_TRUE(input.KeyPressed(kEscape));
    EXPECT_FALSE(input.KeyPressed(2));
}

TEST_F(InputTest, KeyTappedBetweenPollsIsSeenByNeitherQuery) {
    ASSERT_EQ(input.Init(), 0);
    ASSERT_EQ(input.Poll(), 0);
    world.keys[kW] = 0x80;
    world.keys[kW] = 0;
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_FALSE(input.KeyDown(kW));
    EXPECT_FALSE(input.KeyPressed(kW));
}

TEST_F(InputTest, OnlyBitSevenCounts) {
    ASSERT_EQ(input.Init(), 0);
    world.keys[kW] = 0x7F;
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_FALSE(input.KeyDown(kW));
    EXPECT_FALSE(input.KeyPressed(kW));
}

TEST_F(InputTest, CodeZeroIsNeverDown) {
    ASSERT_EQ(input.Init(), 0);
    world.keys.fill(0x80);
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_FALSE(input.KeyDown(0));
    EXPECT_FALSE(input.KeyPressed(0));
    EXPECT_TRUE(input.KeyDown(255));
    EXPECT_TRUE(input.KeyPressed(255));
}

TEST_F(InputTest, LostForegroundKeepsTheHeldKeyAndReportsNoPress) {
    ASSERT_EQ(input.Init(), 0);
    world.keys[kUp] = 0x80;
    ASSERT_EQ(input.Poll(), 0);
    world.foreground = false;
    world.keys[kUp] = 0;
    world.keys[kW] = 0x80;
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(input.Poll(), kInputKeyboardAcquire);
        EXPECT_TRUE(input.KeyDown(kUp));
        EXPECT_FALSE(input.KeyPressed(kUp));
        EXPECT_FALSE(input.KeyDown(kW));
    }
    world.foreground = true;
    EXPECT_EQ(input.Poll(), 0);
    EXPECT_FALSE(input.KeyDown(kUp));
    EXPECT_TRUE(input.KeyPressed(kW));
}

TEST_F(InputTest, FailedKeyboardReadReturnsItsCode) {
    ASSERT_EQ(input.Init(), 0);
    ASSERT_EQ(input.Poll(), 0);
    world.failing.insert("keyboard.read");
    EXPECT_EQ(input.Poll(), kInputKeyboardRead);
}

TEST_F(InputTest, InitTwiceReturnsMinusOne) {
    ASSERT_EQ(input.Init(), 0);
    EXPECT_EQ(input.Init(), kInputAlreadyActive);
}

TEST(InputState, NullSystemFailsLikeAFailedCreation) {
    InputState input(nullptr);
    EXPECT_EQ(input.Init(), kInputCreateSystem);
    EXPECT_EQ(input.Poll(), 0);
    EXPECT_FALSE(input.KeyDown(kUp));
}

TEST_F(InputTest, MouseBufSizeAcceptsOneTo256) {
    input.SetMouseBufSize(0);
    EXPECT_EQ(input.MouseBufSize(), 16);
    input.SetMouseBufSize(300);
    EXPECT_EQ(input.MouseBufSize(), 16);
    input.SetMouseBufSize(-1);
    EXPECT_EQ(input.MouseBufSize(), 16);
    input.SetMouseBufSize(256);
    EXPECT_EQ(input.MouseBufSize(), 256);
    input.SetMouseBufSize(1);
    EXPECT_EQ(input.MouseBufSize(), 1);
    input.DoMouse = true;
    ASSERT_EQ(input.Init(), 0);
    EXPECT_EQ(world.mouseBufferSize, 1);
}

TEST_F(InputTest, WithoutTheMouseDeltasStayZero) {
    ASSERT_EQ(input.Init(), 0);
    world.mouseEvents = {{MouseEvent::Kind::X, 0, 5}, {MouseEvent::Kind::Y, 0, 7}};
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_EQ(input.MouseDeltaX, 0);
    EXPECT_EQ(input.MouseDeltaY, 0);
    EXPECT_EQ(world.mouseEvents.size(), 2u);
}

TEST_F(InputTest, MouseEventsAreSummedAndSetTheButtonFlags) {
    input.DoMouse = true;
    ASSERT_EQ(input.Init(), 0);
    world.mouseEvents = {{MouseEvent::Kind::X, 0, 5},         {MouseEvent::Kind::X, 0, -2},
                         {MouseEvent::Kind::Y, 0, 7},         {MouseEvent::Kind::Wheel, 0, 120},
                         {MouseEvent::Kind::Button, 0, 0x80}, {MouseEvent::Kind::Button, 1, 0x80},
                         {MouseEvent::Kind::Button, 1, 0}};
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_EQ(input.MouseDeltaX, 3);
    EXPECT_EQ(input.MouseDeltaY, 7);
    EXPECT_EQ(input.MouseButtonDown[0], 1);
    EXPECT_EQ(input.MouseButtonUp[0], 0);
    EXPECT_EQ(input.MouseButtonDown[1], 0);
    EXPECT_EQ(input.MouseButtonUp[1], 1);
    EXPECT_EQ(input.MouseButtonDown[2], 0);
    EXPECT_EQ(input.MouseButtonUp[2], 0);
    EXPECT_TRUE(world.mouseEvents.empty());

    // Deltas cover one poll; the button flags keep the last event seen.
    ASSERT_EQ(input.Poll(), 0);
    EXPECT_EQ(input.MouseDeltaX, 0);
    EXPECT_EQ(input.MouseDeltaY, 0);
    EXPECT_EQ(input.MouseButtonDown[0], 1);
}

TEST_F(InputTest, MouseOverflowCountsAsSuccess) {
    input.DoMouse = true;
    ASSERT_EQ(input.Init(), 0);
    world.mouseAcquired = true;
    world.mouseOverflow = true;
    world.mouseEvents = {{MouseEvent::Kind::X, 0, 4}};
    EXPECT_EQ(input.Poll(), 0);
    EXPECT_EQ(input.MouseDeltaX, 4);
}

TEST_F(InputTest, MouseAcquireAndReadFailuresReturnTheirCodes) {
    input.DoMouse = true;
    ASSERT_EQ(input.Init(), 0);
    world.failing.insert("mouse.acquire");
    EXPECT_EQ(input.Poll(), kInputMouseAcquire);
    world.failing = {"mouse.read"};
    EXPECT_EQ(input.Poll(), kInputMouseRead);
}

TEST_F(InputTest, JoysticksKeepTheirCountsAndState) {
    world.joysticks.resize(2);
    world.joysticks[1].buttons = 32;
    world.joysticks[1].state.lX = -32768;
    world.joysticks[1].state.rgdwPOV[0] = 9000;
    world.joysticks[1].state.rgbButtons[3] = 0x80;
    input.DoJoystick = true;
    ASSERT_EQ(input.Init(), 0);
    ASSERT_EQ(input.Joysticks.size(), 2u);
    EXPECT_EQ(input.Joysticks[0].ButtonCount, 12);
    EXPECT_EQ(input.Joysticks[0].AxisCount, 4);
    EXPECT_EQ(input.Joysticks[0].HatCount, 1);
    EXPECT_EQ(input.Joysticks[1].ButtonCount, 32);
    EXPECT_EQ(input.Poll(), 0);
    EXPECT_EQ(input.Joysticks[1].State.lX, -32768);
    EXPECT_EQ(input.Joysticks[1].State.rgdwPOV[0], 9000u);
    EXPECT_EQ(input.Joysticks[1].State.rgbButtons[3], 0x80);
}

TEST_F(InputTest, JoystickPollFailuresReturnTheirCodes) {
    world.joysticks.resize(1);
    input.DoJoystick = true;
    input.DoKeyboard = false;
    ASSERT_EQ(input.Init(), 0);
    world.failing = {"joystick.acquire"};
    EXPECT_EQ(input.Poll(), kInputJoystickAcquire);
    world.failing = {"joystick.poll"};
    EXPECT_EQ(input.Poll(), kInputJoystickPoll);
    world.failing = {"joystick.read"};
    EXPECT_EQ(input.Poll(), kInputJoystickRead);
    world.failing.clear();
    EXPECT_EQ(input.Poll(), 0);
    // Lost between the poll and the read: acquired once more, and a refusal ends the poll.
    world.joystickAcquired[0] = false;
    world.log.clear();
    EXPECT_EQ(input.Poll(), 0);
    EXPECT_EQ(world.log, (std::vector<std::string>{"joystick.poll", "joystick.acquire",
                                                   "joystick.poll", "joystick.read"}));
}

struct InitFailure {
    const char* step;
    int code;
};

class InitFailureTest : public InputTest, public ::testing::WithParamInterface<InitFailure> {};

TEST_P(InitFailureTest, ReturnsItsCodeAndLeavesNothingOpen) {
    world.joysticks.resize(2);
    world.keys[kUp] = 0x80;
    input.DoMouse = true;
    input.DoJoystick = true;
    world.failing.insert(GetParam().step);
    EXPECT_EQ(input.Init(), GetParam().code);
    EXPECT_EQ(world.liveDevices, 0);
    EXPECT_FALSE(world.systemCreated);
    EXPECT_TRUE(input.Joysticks.empty());
    EXPECT_EQ(input.Poll(), 0);
    EXPECT_FALSE(input.KeyDown(kUp));
    for (uint8_t key : input.Keys) EXPECT_EQ(key, 0);
    // Not active, so a second attempt is allowed.
    world.failing.clear();
    EXPECT_EQ(input.Init(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryStep, InitFailureTest,
    ::testing::Values(InitFailure{"system.create", kInputCreateSystem},
                      InitFailure{"keyboard.create", kInputKeyboardCreate},
                      InitFailure{"keyboard.format", kInputKeyboardFormat},
                      InitFailure{"keyboard.cooperative", kInputKeyboardCooperative},
                      InitFailure{"mouse.create", kInputMouseCreate},
                      InitFailure{"mouse.format", kInputMouseFormat},
                      InitFailure{"mouse.cooperative", kInputMouseCooperative},
                      InitFailure{"mouse.event", kInputMouseEvent},
                      InitFailure{"mouse.notification", kInputMouseNotification},
                      InitFailure{"mouse.buffer", kInputMouseBufferSize},
                      InitFailure{"joystick.enumerate", kInputJoystickCreate},
                      InitFailure{"joystick.create", kInputJoystickCreate},
                      InitFailure{"joystick.format", kInputJoystickFormat},
                      InitFailure{"joystick.cooperative", kInputJoystickCooperative},
                      InitFailure{"joystick.range", kInputJoystickAxisRange},
                      InitFailure{"joystick.capabilities", kInputJoystickCapabilities}));

TEST_F(InputTest, InitRunsEveryStepInOrder) {
    world.joysticks.resize(1);
    input.DoMouse = true;
    input.DoJoystick = true;
    ASSERT_EQ(input.Init(), 0);
    EXPECT_EQ(
        world.log,
        (std::vector<std::string>{
            "system.create", "keyboard.create", "keyboard.format", "keyboard.cooperative",
            "mouse.create", "mouse.format", "mouse.cooperative", "mouse.event",
            "mouse.notification", "mouse.buffer", "joystick.enumerate", "joystick.create",
            "joystick.format", "joystick.cooperative", "joystick.range", "joystick.capabilities"}));
}

TEST_F(InputTest, FailedJoystickSetUpStopsTheEnumerationAndReleasesEverything) {
    world.joysticks.resize(3);
    world.joysticks[1].brokenRange = true;
    input.DoKeyboard = false;
    input.DoJoystick = true;
    EXPECT_EQ(input.Init(), kInputJoystickAxisRange);
    EXPECT_EQ(world.log,
              (std::vector<std::string>{"system.create", "joystick.enumerate", "joystick.create",
                                        "joystick.format", "joystick.cooperative", "joystick.range",
                                        "joystick.capabilities", "joystick.create",
                                        "joystick.format", "joystick.cooperative", "joystick.range",
                                        "joystick.unacquire", "system.release"}));
    EXPECT_TRUE(input.Joysticks.empty());
    EXPECT_EQ(world.liveDevices, 0);
}

TEST_F(InputTest, DestructionReleasesEverything) {
    world.joysticks.resize(1);
    {
        InputState other(&system);
        other.DoMouse = true;
        other.DoJoystick = true;
        ASSERT_EQ(other.Init(), 0);
        EXPECT_EQ(world.liveDevices, 3);
    }
    EXPECT_EQ(world.liveDevices, 0);
    EXPECT_FALSE(world.systemCreated);
}

}  // namespace
