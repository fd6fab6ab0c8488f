#include "platform/input_devices.h"

#include <SDL.h>

#include <algorithm>
#include <deque>

#include "platform/keyboard.h"

namespace platform {
namespace {

// Devices are "foreground" ones: readable only while one of our windows has the focus.
bool HaveFocus() {
    return SDL_GetKeyboardFocus() != nullptr;
}

// SDL's keyboard state, one snapshot per read, with what the game controllers hold added as
// their players' keys; the main loop pumps the events. Without the focus the keyboard's keys
// stay as last read, as a foreground device's do, but the controllers read as released: their
// players never touch the keyboard or mouse, so would not notice the focus going.
class SdlKeyboard : public KeyboardDevice {
public:
    explicit SdlKeyboard(Controllers& controllers) : controllers_(controllers) {}

    // SDL has no data formats or cooperative levels to set, and the keyboard stays readable.
    bool SetDataFormat() override { return true; }
    bool SetCooperativeLevel() override { return true; }
    bool Acquire() override { return true; }

    InputResult GetState(KeyStates& keys) override {
        const bool focus = HaveFocus();
        if (focus) {
            int numKeys = 0;
            const Uint8* state = SDL_GetKeyboardState(&numKeys);
            TranslateKeyboardState(state, numKeys, keyboard_);
        }
        keys = keyboard_;
        if (focus) controllers_.AddKeys(keys);
        return InputResult::Ok;
    }

private:
    Controllers& controllers_;
    KeyStates keyboard_{};
};

// Relative motion and button events, gathered from SDL's event queue as it is pumped.
class SdlMouse : public MouseDevice {
public:
    ~SdlMouse() override {
        if (watching_) SDL_DelEventWatch(Watch, this);
    }

    bool SetDataFormat() override { return true; }
    bool SetCooperativeLevel() override { return true; }
    // The event watch below is the notification; nothing waits on a separate event.
    bool CreateNotifyEvent() override { return true; }

    bool SetEventNotification() override {
        SDL_AddEventWatch(Watch, this);
        watching_ = true;
        return true;
    }

    bool SetBufferSize(int32_t size) override {
        bufferSize_ = static_cast<size_t>(size);
        return true;
    }

    bool Acquire() override {
        acquired_ = HaveFocus();
        return acquired_;
    }

    InputResult GetEvent(MouseEvent& event, bool& received) override {
        received = false;
        if (!acquired_ || !HaveFocus()) {
            Unacquire();
            return InputResult::NotAcquired;
        }
        const InputResult result = overflowed_ ? InputResult::BufferOverflow : InputResult::Ok;
        overflowed_ = false;
        if (!events_.empty()) {
            event = events_.front();
            events_.pop_front();
            received = true;
        }
        return result;
    }

private:
    static int SDLCALL Watch(void* self, SDL_Event* event) {
        static_cast<SdlMouse*>(self)->Collect(*event);
        return 0;
    }

    void Collect(const SDL_Event& event) {
        if (!acquired_) return;
        switch (event.type) {
            case SDL_MOUSEMOTION:
                if (event.motion.xrel != 0) Push({MouseEvent::Kind::X, 0, event.motion.xrel});
                if (event.motion.yrel != 0) Push({MouseEvent::Kind::Y, 0, event.motion.yrel});
                break;
            case SDL_MOUSEBUTTONDOWN:
            case SDL_MOUSEBUTTONUP: {
                const int button = ButtonIndex(event.button.button);
                const int32_t data = event.type == SDL_MOUSEBUTTONDOWN ? 0x80 : 0;
                if (button >= 0) Push({MouseEvent::Kind::Button, button, data});
                break;
            }
            case SDL_MOUSEWHEEL:
                // One notch is 120, as wheel movement is counted on the original platform.
                Push({MouseEvent::Kind::Wheel, 0, event.wheel.y * 120});
                break;
            default:
                break;
        }
    }

    // Button numbers in the original order: left, right, middle, then the side buttons.
    static int ButtonIndex(Uint8 sdlButton) {
        switch (sdlButton) {
            case SDL_BUTTON_LEFT:
                return 0;
            case SDL_BUTTON_RIGHT:
                return 1;
            case SDL_BUTTON_MIDDLE:
                return 2;
            case SDL_BUTTON_X1:
                return 3;
            case SDL_BUTTON_X2:
                return 4;
            default:
                return -1;
        }
    }

    void Push(const MouseEvent& event) {
        if (events_.size() >= bufferSize_) {
            overflowed_ = true;
            return;
        }
        events_.push_back(event);
    }

    void Unacquire() {
        acquired_ = false;
        events_.clear();
        overflowed_ = false;
    }

    std::deque<MouseEvent> events_;
    size_t bufferSize_ = 16;
    bool overflowed_ = false;
    bool acquired_ = false;
    bool watching_ = false;
};

// One SDL joystick, its state read from what the pumped events left.
class SdlJoystick : public JoystickDevice {
public:
    explicit SdlJoystick(SDL_Joystick* joystick) : joystick_(joystick) {}
    ~SdlJoystick() override { SDL_JoystickClose(joystick_); }
    SdlJoystick(const SdlJoystick&) = delete;
    SdlJoystick& operator=(const SdlJoystick&) = delete;

    bool SetDataFormat() override { return true; }
    bool SetCooperativeLevel() override { return true; }
    // SDL's axes already run from -32768 to 32767.
    bool SetAxisRanges() override { return true; }

    bool GetCapabilities(int32_t& buttons, int32_t& axes, int32_t& hats) override {
        buttons = SDL_JoystickNumButtons(joystick_);
        axes = SDL_JoystickNumAxes(joystick_);
        hats = SDL_JoystickNumHats(joystick_);
        return buttons >= 0 && axes >= 0 && hats >= 0;
    }

    bool Acquire() override {
        acquired_ = HaveFocus() && SDL_JoystickGetAttached(joystick_);
        return acquired_;
    }

    void Unacquire() override { acquired_ = false; }

    InputResult Poll() override { return Readable(); }

    InputResult GetState(JoystickState& state) override {
        const InputResult result = Readable();
        if (result != InputResult::Ok) return result;
        state = JoystickState{};
        int32_t* axes[] = {&state.lX,  &state.lY,  &state.lZ,           &state.lRx,
                           &state.lRy, &state.lRz, &state.rglSlider[0], &state.rglSlider[1]};
        const int axisCount = std::min(SDL_JoystickNumAxes(joystick_), 8);
        for (int i = 0; i < axisCount; ++i) *axes[i] = SDL_JoystickGetAxis(joystick_, i);
        for (uint32_t& pov : state.rgdwPOV) pov = kCentred;
        const int hatCount = std::min(SDL_JoystickNumHats(joystick_), 4);
        for (int i = 0; i < hatCount; ++i) {
            state.rgdwPOV[i] = HatAngle(SDL_JoystickGetHat(joystick_, i));
        }
        const int buttonCount = std::min(SDL_JoystickNumButtons(joystick_), 128);
        for (int i = 0; i < buttonCount; ++i) {
            state.rgbButtons[i] = SDL_JoystickGetButton(joystick_, i) ? 0x80 : 0;
        }
        return InputResult::Ok;
    }

private:
    static constexpr uint32_t kCentred = 0xFFFFFFFF;

    InputResult Readable() {
        if (!SDL_JoystickGetAttached(joystick_)) {
            acquired_ = false;
            return InputResult::InputLost;
        }
        if (!acquired_ || !HaveFocus()) {
            acquired_ = false;
            return InputResult::NotAcquired;
        }
        return InputResult::Ok;
    }

    // Hat direction in hundredths of a degree clockwise from up.
    static uint32_t HatAngle(Uint8 hat) {
        switch (hat) {
            case SDL_HAT_UP:
                return 0;
            case SDL_HAT_RIGHTUP:
                return 4500;
            case SDL_HAT_RIGHT:
                return 9000;
            case SDL_HAT_RIGHTDOWN:
                return 13500;
            case SDL_HAT_DOWN:
                return 18000;
            case SDL_HAT_LEFTDOWN:
                return 22500;
            case SDL_HAT_LEFT:
                return 27000;
            case SDL_HAT_LEFTUP:
                return 31500;
            default:
                return kCentred;
        }
    }

    SDL_Joystick* joystick_;
    bool acquired_ = false;
};

}  // namespace

SdlInputSystem::~SdlInputSystem() {
    Release();
}

bool SdlInputSystem::Create() {
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

void SdlInputSystem::Release() {
    if (joysticksStarted_) SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    joysticksStarted_ = false;
}

std::unique_ptr<KeyboardDevice> SdlInputSystem::CreateKeyboard() {
    return std::make_unique<SdlKeyboard>(controllers_);
}

std::unique_ptr<MouseDevice> SdlInputSystem::CreateMouse() {
    return std::make_unique<SdlMouse>();
}

std::unique_ptr<JoystickDevice> SdlInputSystem::CreateJoystick(int instance) {
    SDL_Joystick* joystick = SDL_JoystickOpen(instance);
    if (joystick == nullptr) return nullptr;
    return std::make_unique<SdlJoystick>(joystick);
}

bool SdlInputSystem::EnumerateJoysticks(const std::function<bool(int instance)>& each) {
    // Started only when joysticks are asked for, so the game never pays for it.
    if (!joysticksStarted_) {
        if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return false;
        joysticksStarted_ = true;
    }
    const int count = SDL_NumJoysticks();
    if (count < 0) return false;
    for (int i = 0; i < count; ++i) {
        if (!each(i)) break;
    }
    return true;
}

}  // namespace platform
