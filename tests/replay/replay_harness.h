// A whole game run with no window and no sound: a seed and scripted keys in, world hashes out.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "input/input_system.h"
#include "state/application.h"

// One key going down or up before a given step's poll.
struct KeyEvent {
    int32_t Step;
    uint8_t Code;
    bool Down;
};

// The keyboard the replay types on: whatever the script has pressed so far.
class ScriptedInput : public InputSystem {
public:
    KeyStates Keys{};

    bool Create() override { return true; }
    void Release() override {}
    std::unique_ptr<KeyboardDevice> CreateKeyboard() override;
    std::unique_ptr<MouseDevice> CreateMouse() override { return nullptr; }
    std::unique_ptr<JoystickDevice> CreateJoystick(int) override { return nullptr; }
    bool EnumerateJoysticks(const std::function<bool(int)>&) override { return true; }
};

struct ReplaySetup {
    uint32_t Seed = 1;
    int32_t Frogs = 2;
    int32_t StartingLevel = 1;
    int32_t Controls[6] = {0, 1, 2, 3, 4, 2};
    bool FrogsCollision = true;
};

class ReplayHarness {
public:
    explicit ReplayHarness(const ReplaySetup& setup);
    ~ReplayHarness();

    // Runs one simulation step exactly as the game does, after applying the
    // script's events for this step.
    void Step(const std::vector<KeyEvent>& script);
    int32_t Steps() const { return steps_; }
    Application& App() { return app_; }

    // A hash of everything that moves or counts in the world.
    uint64_t WorldHash() const;

private:
    ScriptedInput input_;
    Application app_;
    int32_t steps_ = 0;
    size_t nextEvent_ = 0;
};
