// The input component: keyboard, mouse and joystick states polled once per simulation step.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "input/input_system.h"
#include "input/joystick.h"

// Reads the input devices once per step and answers "is this key down" and "did it just go
// down". Key codes are DirectInput keyboard scan codes.
class InputState {
public:
    // The system must outlive the component; null makes Init fail as a failed creation.
    explicit InputState(InputSystem* system);
    ~InputState();
    InputState(const InputState&) = delete;
    InputState& operator=(const InputState&) = delete;

    // Opens the input system and the chosen devices; 0 or an input error code.
    int Init();
    // Reads every open device; 0 or an input error code.
    int Poll();
    bool KeyDown(uint8_t code) const;
    bool KeyPressed(uint8_t code) const;

    int32_t MouseBufSize() const { return MouseBufSize_; }
    void SetMouseBufSize(int32_t value);

    bool DoKeyboard = true;
    bool DoMouse = false;
    bool DoJoystick = false;
    std::array<int32_t, 8> MouseButtonDown{};
    std::array<int32_t, 8> MouseButtonUp{};
    int32_t MouseDeltaX = 0;
    int32_t MouseDeltaY = 0;
    KeyStates PrevKeys{};
    KeyStates Keys{};
    std::vector<Joystick> Joysticks;

private:
    int OpenKeyboard();
    int OpenMouse();
    int OpenJoysticks();
    int PollKeyboard();
    int PollMouse();
    void ApplyMouseEvent(const MouseEvent& event);
    void ReleaseAll();

    InputSystem* system_;
    bool systemCreated_ = false;
    bool active_ = false;
    int32_t MouseBufSize_ = 16;
    std::unique_ptr<KeyboardDevice> keyboard_;
    std::unique_ptr<MouseDevice> mouse_;
};
