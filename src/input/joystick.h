// One game controller as the input component keeps it.
#pragma once

#include <cstdint>
#include <memory>

#include "input/input_system.h"

// A game controller: its device, its button, axis and hat counts and its last state.
class Joystick {
public:
    // Opens and configures the controller; 0 or an input error code, releasing the device
    // on failure.
    int Setup(InputSystem& system, int instance);
    // Reads the controller's state, acquiring it once when needed; 0 or an input error code.
    int Poll();

    std::unique_ptr<JoystickDevice> Device;
    int32_t ButtonCount = 0;
    int32_t AxisCount = 0;
    int32_t HatCount = 0;
    JoystickState State{};

private:
    int Configure();
};
