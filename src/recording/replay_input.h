// The keyboard of a replay: each poll reads the keys the recording gave for the step.
#pragma once

#include <memory>

#include "input/input_system.h"

class ReplayInput : public InputSystem {
public:
    // What the next poll of the keyboard reads.
    KeyStates Keys{};

    bool Create() override { return true; }
    void Release() override {}
    std::unique_ptr<KeyboardDevice> CreateKeyboard() override;
    // A replay has no mouse or joysticks.
    std::unique_ptr<MouseDevice> CreateMouse() override { return nullptr; }
    std::unique_ptr<JoystickDevice> CreateJoystick(int) override { return nullptr; }
    bool EnumerateJoysticks(const std::function<bool(int)>&) override { return true; }
};
