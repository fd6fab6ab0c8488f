#include "input/input_state.h"

#include "input/input_errors.h"

namespace {

constexpr uint8_t kDownBit = 0x80;

}  // namespace

InputState::InputState(InputSystem* system) : system_(system) {}

InputState::~InputState() {
    ReleaseAll();
}

void InputState::SetMouseBufSize(int32_t value) {
    if (value >= 1 && value <= 256) MouseBufSize_ = value;
}

bool InputState::KeyDown(uint8_t code) const {
    // Code 0 is the key table's empty entry, so it never counts as down.
    return code != 0 && (Keys[code] & kDownBit) != 0;
}

bool InputState::KeyPressed(uint8_t code) const {
    return KeyDown(code) && (PrevKeys[code] & kDownBit) == 0;
}

int InputState::Init() {
    if (active_) return kInputAlreadyActive;
    if (system_ == nullptr || !system_->Create()) return kInputCreateSystem;
    systemCreated_ = true;

    int result = 0;
    if (DoKeyboard) result = OpenKeyboard();
    if (result == 0 && DoMouse) result = OpenMouse();
    if (result == 0 && DoJoystick) result = OpenJoysticks();
    if (result != 0) {
        // Nothing half-open is left behind, so a failed Init never reports a key.
        ReleaseAll();
        return result;
    }
    active_ = true;
    return 0;
}

int InputState::OpenKeyboard() {
    Keys.fill(0);
    PrevKeys.fill(0);
    keyboard_ = system_->CreateKeyboard();
    if (!keyboard_) return kInputKeyboardCreate;
    if (!keyboard_->SetDataFormat()) return kInputKeyboardFormat;
    if (!keyboard_->SetCooperativeLevel()) return kInputKeyboardCooperative;
    // Acquired by the first Poll.
    return 0;
}

int InputState::OpenMouse() {
    MouseButtonDown.fill(0);
    MouseButtonUp.fill(0);
    mouse_ = system_->CreateMouse();
    if (!mouse_) return kInputMouseCreate;
    if (!mouse_->SetDataFormat()) return kInputMouseFormat;
    if (!mouse_->SetCooperativeLevel()) return kInputMouseCooperative;
    if (!mouse_->CreateNotifyEvent()) return kInputMouseEvent;
    if (!mouse_->SetEventNotification()) return kInputMouseNotification;
    if (!mouse_->SetBufferSize(MouseBufSize_)) return kInputMouseBufferSize;
    return 0;
}

int InputState::OpenJoysticks() {
    Joysticks.clear();
    int setupResult = 0;
    const bool enumerated = system_->EnumerateJoysticks([this, &setupResult](int instance) {
        Joysticks.emplace_back();
        setupResult = Joysticks.back().Setup(*system_, instance);
        return setupResult == 0;
    });
    if (!enumerated) return kInputJoystickCreate;
    return setupResult;
}

void InputState::ReleaseAll() {
    for (Joystick& joystick : Joysticks) {
        if (joystick.Device) joystick.Device->Unacquire();
    }
    Joysticks.clear();
    mouse_.reset();
    keyboard_.reset();
    if (systemCreated_) system_->Release();
    systemCreated_ = false;
}

int InputState::Poll() {
    if (keyboard_) {
        const int result = PollKeyboard();
        if (result != 0) return result;
    }
    if (mouse_) {
        const int result = PollMouse();
        if (result != 0) return result;
    }
    for (Joystick& joystick : Joysticks) {
        const int result = joystick.Poll();
        if (result != 0) return result;
    }
    return 0;
}

int InputState::PollKeyboard() {
    // Copied before the read, so even a failed read cannot report a key as pressed twice.
    PrevKeys = Keys;
    InputResult result = keyboard_->GetState(Keys);
    if (NeedsAcquire(result)) {
        if (!keyboard_->Acquire()) return kInputKeyboardAcquire;
        result = keyboard_->GetState(Keys);
    }
    return Succeeded(result) ? 0 : kInputKeyboardRead;
}

int InputState::PollMouse() {
    MouseDeltaX = 0;
    MouseDeltaY = 0;
    for (;;) {
        MouseEvent event;
        bool received = false;
        InputResult result = mouse_->GetEvent(event, received);
        if (NeedsAcquire(result)) {
            if (!mouse_->Acquire()) return kInputMouseAcquire;
            result = mouse_->GetEvent(event, received);
        }
        if (!Succeeded(result)) return kInputMouseRead;
        if (!received) return 0;
        ApplyMouseEvent(event);
    }
}

void InputState::ApplyMouseEvent(const MouseEvent& event) {
    switch (event.kind) {
        case MouseEvent::Kind::X:
            MouseDeltaX += event.data;
            break;
        case MouseEvent::Kind::Y:
            MouseDeltaY += event.data;
            break;
        case MouseEvent::Kind::Button:
            if (event.button >= 0 && event.button < 8) {
                const bool down = (event.data & kDownBit) != 0;
                MouseButtonDown[event.button] = down ? 1 : 0;
                MouseButtonUp[event.button] = down ? 0 : 1;
            }
            break;
        case MouseEvent::Kind::Wheel:
            break;
    }
}
