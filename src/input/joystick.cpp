#include "input/joystick.h"

#include "input/input_errors.h"

int Joystick::Setup(InputSystem& system, int instance) {
    Device = system.CreateJoystick(instance);
    if (!Device) return kInputJoystickCreate;
    const int result = Configure();
    if (result != 0) Device.reset();
    return result;
}

int Joystick::Configure() {
    if (!Device->SetDataFormat()) return kInputJoystickFormat;
    if (!Device->SetCooperativeLevel()) return kInputJoystickCooperative;
    if (!Device->SetAxisRanges()) return kInputJoystickAxisRange;
    if (!Device->GetCapabilities(ButtonCount, AxisCount, HatCount)) {
        return kInputJoystickCapabilities;
    }
    return 0;
}

int Joystick::Poll() {
    InputResult result = Device->Poll();
    if (NeedsAcquire(result)) {
        if (!Device->Acquire()) return kInputJoystickAcquire;
        result = Device->Poll();
    }
    if (!Succeeded(result)) return kInputJoystickPoll;

    result = Device->GetState(State);
    if (NeedsAcquire(result)) {
        if (!Device->Acquire()) return kInputJoystickAcquire;
        result = Device->GetState(State);
    }
    if (!Succeeded(result)) return kInputJoystickRead;
    return 0;
}
