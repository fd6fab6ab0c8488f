// The input component's device layer on SDL: keyboard, mouse and joysticks.
#pragma once

#include "input/input_system.h"
#include "platform/controllers.h"

namespace platform {

// Devices over SDL's event state; they follow the keyboard focus of our windows.
class SdlInputSystem : public InputSystem {
public:
    SdlInputSystem() = default;
    ~SdlInputSystem() override;
    SdlInputSystem(const SdlInputSystem&) = delete;
    SdlInputSystem& operator=(const SdlInputSystem&) = delete;

    // Fails unless SDL's video is running, since focus and key state come from it.
    bool Create() override;
    void Release() override;
    std::unique_ptr<KeyboardDevice> CreateKeyboard() override;
    std::unique_ptr<MouseDevice> CreateMouse() override;
    std::unique_ptr<JoystickDevice> CreateJoystick(int instance) override;
    bool EnumerateJoysticks(const std::function<bool(int instance)>& each) override;

    // The game controllers, whose buttons the keyboard reports as their players' keys.
    Controllers& GameControllers() { return controllers_; }

private:
    bool joysticksStarted_ = false;
    Controllers controllers_;
};

}  // namespace platform
