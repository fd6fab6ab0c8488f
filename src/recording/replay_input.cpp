#include "recording/replay_input.h"

std::unique_ptr<KeyboardDevice> ReplayInput::CreateKeyboard() {
    class Keyboard : public KeyboardDevice {
    public:
        explicit Keyboard(const KeyStates& keys) : keys_(keys) {}
        bool SetDataFormat() override { return true; }
        bool SetCooperativeLevel() override { return true; }
        bool Acquire() override { return true; }
        InputResult GetState(KeyStates& keys) override {
            keys = keys_;
            return InputResult::Ok;
        }

    private:
        const KeyStates& keys_;
    };
    return std::make_unique<Keyboard>(Keys);
}
