// The device layer under the input component: a system object and its keyboard, mouse and
// joystick devices, each step of their set-up able to fail on its own.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

// What a device read or poll reports.
enum class InputResult {
    Ok,
    BufferOverflow,  // succeeded, but some buffered data was dropped
    InputLost,
    NotAcquired,
    Failed,
};

inline bool Succeeded(InputResult result) {
    return result == InputResult::Ok || result == InputResult::BufferOverflow;
}

// Lost input and an unacquired device both heal by acquiring the device again.
inline bool NeedsAcquire(InputResult result) {
    return result == InputResult::InputLost || result == InputResult::NotAcquired;
}

// One buffered mouse report: movement along an axis, or a button going down or up.
struct MouseEvent {
    enum class Kind { X, Y, Wheel, Button };
    Kind kind = Kind::X;
    int button = 0;    // 0..7, for Kind::Button
    int32_t data = 0;  // movement for the axes; bit 7 set when a button went down
};

// A joystick's state, laid out like DirectInput's extended joystick record.
struct JoystickState {
    int32_t lX, lY, lZ;
    int32_t lRx, lRy, lRz;
    int32_t rglSlider[2];
    uint32_t rgdwPOV[4];  // hundredths of degrees, 0xFFFFFFFF when centred
    uint8_t rgbButtons[128];
    int32_t lVX, lVY, lVZ;
    int32_t lVRx, lVRy, lVRz;
    int32_t rglVSlider[2];
    int32_t lAX, lAY, lAZ;
    int32_t lARx, lARy, lARz;
    int32_t rglASlider[2];
    int32_t lFX, lFY, lFZ;
    int32_t lFRx, lFRy, lFRz;
    int32_t rglFSlider[2];
};
static_assert(sizeof(JoystickState) == 272, "the joystick record is 272 bytes");

using KeyStates = std::array<uint8_t, 256>;

// The keyboard, shared with other programs and readable only while we have the foreground.
class KeyboardDevice {
public:
    virtual ~KeyboardDevice() = default;
    virtual bool SetDataFormat() = 0;
    virtual bool SetCooperativeLevel() = 0;
    virtual bool Acquire() = 0;
    // 256 bytes indexed by scan code, bit 7 set for keys down; untouched unless it succeeds.
    virtual InputResult GetState(KeyStates& keys) = 0;
};

// The mouse, read as a buffer of events.
class MouseDevice {
public:
    virtual ~MouseDevice() = default;
    virtual bool SetDataFormat() = 0;
    virtual bool SetCooperativeLevel() = 0;
    virtual bool CreateNotifyEvent() = 0;
    virtual bool SetEventNotification() = 0;
    virtual bool SetBufferSize(int32_t size) = 0;
    virtual bool Acquire() = 0;
    // Takes the oldest buffered event; received stays false when the buffer is empty.
    virtual InputResult GetEvent(MouseEvent& event, bool& received) = 0;
};

// One game controller.
class JoystickDevice {
public:
    virtual ~JoystickDevice() = default;
    virtual bool SetDataFormat() = 0;
    virtual bool SetCooperativeLevel() = 0;
    // Gives every axis the range -32768..32767.
    virtual bool SetAxisRanges() = 0;
    virtual bool GetCapabilities(int32_t& buttons, int32_t& axes, int32_t& hats) = 0;
    virtual bool Acquire() = 0;
    virtual void Unacquire() = 0;
    virtual InputResult Poll() = 0;
    virtual InputResult GetState(JoystickState& state) = 0;
};

// The input system object that creates the devices; it must outlive them.
class InputSystem {
public:
    virtual ~InputSystem() = default;
    virtual bool Create() = 0;
    // Undoes Create once every device is gone.
    virtual void Release() = 0;
    // Each returns null when the device cannot be created.
    virtual std::unique_ptr<KeyboardDevice> CreateKeyboard() = 0;
    virtual std::unique_ptr<MouseDevice> CreateMouse() = 0;
    virtual std::unique_ptr<JoystickDevice> CreateJoystick(int instance) = 0;
    // Calls each for every attached controller while it returns true; false when it cannot
    // enumerate.
    virtual bool EnumerateJoysticks(const std::function<bool(int instance)>& each) = 0;
};
