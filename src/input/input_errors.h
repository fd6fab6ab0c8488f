// The codes the input component's Init and Poll return; 0 is success.
#pragma once

enum InputError : int {
    kInputAlreadyActive = -1,
    kInputCreateSystem = -29,
    kInputKeyboardCreate = -30,
    kInputKeyboardFormat = -31,
    kInputKeyboardCooperative = -32,
    kInputMouseCreate = -33,
    kInputMouseFormat = -34,
    kInputMouseCooperative = -35,
    kInputMouseEvent = -36,
    kInputMouseNotification = -37,
    kInputMouseBufferSize = -38,
    kInputJoystickCreate = -39,  // also a failed enumeration
    kInputKeyboardAcquire = -40,
    kInputKeyboardRead = -41,
    kInputMouseAcquire = -42,
    kInputMouseRead = -43,
    kInputJoystickFormat = -44,
    kInputJoystickCooperative = -45,
    kInputJoystickAxisRange = -46,
    kInputJoystickCapabilities = -47,
    kInputJoystickPoll = -48,
    kInputJoystickAcquire = -49,
    kInputJoystickRead = -50,
};
