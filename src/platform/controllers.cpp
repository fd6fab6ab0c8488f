#include "platform/controllers.h"

#include <SDL.h>

#include <cstdio>
#include <fstream>

namespace platform {

namespace {

// A stick counts only once pushed past a third of its travel, so a resting stick that
// drifts a little presses nothing.
constexpr int kDeadZone = 32767 / 3;

// What a controller can press, one bit each; buttons go by SDL's names.
enum Input : uint32_t {
    kDpadUp = 1u << 0,
    kDpadDown = 1u << 1,
    kDpadLeft = 1u << 2,
    kDpadRight = 1u << 3,
    kStickUp = 1u << 4,
    kStickDown = 1u << 5,
    kStickLeft = 1u << 6,
    kStickRight = 1u << 7,
    kButtonA = 1u << 8,
    kButtonB = 1u << 9,
    kButtonX = 1u << 10,
    kButtonStart = 1u << 11,
};

// The stick points one way at a time. It reads as up or down only within 30 degrees of
// straight up or down, where the vertical is at least root 3 times the horizontal; the rest
// of the circle is left or right, so a stick pushed right and a little up turns or hops the
// frog without also making it jump.
uint32_t StickDirection(int x, int y) {
    const int64_t across = int64_t{x} * x, along = int64_t{y} * y;
    if (across + along <= int64_t{kDeadZone} * kDeadZone) return 0;
    if (along > 3 * across) return y < 0 ? kStickUp : kStickDown;
    return x < 0 ? kStickLeft : kStickRight;
}

uint32_t HeldInputs(SDL_GameController* pad) {
    const auto button = [pad](SDL_GameControllerButton b, uint32_t input) {
        return SDL_GameControllerGetButton(pad, b) ? input : 0u;
    };
    return button(SDL_CONTROLLER_BUTTON_DPAD_UP, kDpadUp) |
           button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, kDpadDown) |
           button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, kDpadLeft) |
           button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kDpadRight) |
           button(SDL_CONTROLLER_BUTTON_A, kButtonA) | button(SDL_CONTROLLER_BUTTON_B, kButtonB) |
           button(SDL_CONTROLLER_BUTTON_X, kButtonX) |
           button(SDL_CONTROLLER_BUTTON_START, kButtonStart) |
           StickDirection(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX),
                          SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
}

// Lines of a mapping file meant for another system are not errors: SDL's own reader
// passes over them too, and it names the system without regard to case.
bool ForAnotherPlatform(const std::string& line) {
    const size_t field = line.find("platform:");
    if (field == std::string::npos) return false;
    const size_t start = field + 9;
    const std::string platform = line.substr(start, line.find(',', start) - start);
    return SDL_strcasecmp(platform.c_str(), SDL_GetPlatform()) != 0;
}

void AddMappingFile(const std::string& path) {
    std::ifstream file(path);
    std::string line;
    int skipped = 0;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#' || ForAnotherPlatform(line)) continue;
        if (SDL_GameControllerAddMapping(line.c_str()) < 0) ++skipped;
    }
    if (skipped > 0) {
        std::fprintf(stderr, "Pondlark Remake: %d line%s of %s could not be used and %s skipped.\n",
                     skipped, skipped == 1 ? "" : "s", path.c_str(), skipped == 1 ? "was" : "were");
    }
}

}  // namespace

Controllers::~Controllers() {
    Close();
}

bool Controllers::Open(const std::string& mappingFile, const ControllerKeys& keys) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "Pondlark Remake: no game controllers: %s\n", SDL_GetError());
        return false;
    }
    open_ = true;
    keys_ = keys;
    AddMappingFile(mappingFile);
    return true;
}

void Controllers::Close() {
    if (!open_) return;
    for (Pad& pad : players_) {
        if (pad.handle) SDL_GameControllerClose(pad.handle);
        pad = Pad{};
    }
    for (Pad& pad : waiting_) SDL_GameControllerClose(pad.handle);
    waiting_.clear();
    ignored_.clear();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    open_ = false;
}

void Controllers::SetInGame(bool inGame) {
    if (inGame == inGame_) return;
    inGame_ = inGame;
    for (Pad& pad : players_) {
        if (pad.handle) pad.latched = HeldInputs(pad.handle);
    }
}

void Controllers::FollowPlugging() {
    if (!open_) return;
    for (auto it = waiting_.begin(); it != waiting_.end();) {
        if (SDL_GameControllerGetAttached(it->handle)) {
            ++it;
            continue;
        }
        SDL_GameControllerClose(it->handle);
        it = waiting_.erase(it);
    }
    for (Pad& pad : players_) {
        if (!pad.handle || SDL_GameControllerGetAttached(pad.handle)) continue;
        SDL_GameControllerClose(pad.handle);
        pad = Pad{};
        // The next waiting controller takes the place.
        if (waiting_.empty()) continue;
        pad = waiting_.front();
        waiting_.pop_front();
        pad.latched = HeldInputs(pad.handle);
    }

    const auto known = [this](int32_t id) {
        if (ignored_.count(id)) return true;
        for (const Pad& pad : players_) {
            if (pad.handle && pad.id == id) return true;
        }
        for (const Pad& pad : waiting_) {
            if (pad.id == id) return true;
        }
        return false;
    };
    const int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        const int32_t id = SDL_JoystickGetDeviceInstanceID(i);
        if (id < 0 || known(id)) continue;
        const char* name = SDL_JoystickNameForIndex(i);
        if (!SDL_IsGameController(i)) {
            std::fprintf(stderr,
                         "Pondlark Remake: no mapping for the controller \"%s\"; it is ignored.\n",
                         name ? name : "?");
            ignored_.insert(id);
            continue;
        }
        SDL_GameController* handle = SDL_GameControllerOpen(i);
        if (!handle) {
            std::fprintf(stderr,
                         "Pondlark Remake: the controller \"%s\" could not be opened (%s); it is "
                         "ignored.\n",
                         name ? name : "?", SDL_GetError());
            ignored_.insert(id);
            continue;
        }
        // Whatever it holds as it arrives presses nothing until released.
        const Pad pad{handle, id, HeldInputs(handle)};
        if (!players_[0].handle) {
            players_[0] = pad;
        } else if (!players_[1].handle) {
            players_[1] = pad;
        } else {
            waiting_.push_back(pad);
        }
    }
}

void Controllers::AddKeys(KeyStates& keys) {
    if (!open_) return;
    for (size_t player = 0; player < players_.size(); ++player) {
        if (players_[player].handle) Press(players_[player], keys_.Players[player], keys);
    }
}

void Controllers::Press(Pad& pad, const std::array<uint8_t, 5>& player, KeyStates& keys) {
    const uint32_t held = HeldInputs(pad.handle);
    // A latched input counts again once it has been let go.
    pad.latched &= held;
    const uint32_t in = held & ~pad.latched;
    const auto press = [&keys](uint8_t code, bool down) {
        if (down && code != 0) keys[code] |= 0x80;
    };
    // In a game A jumps and B or X shoot the tongue; in the menus A chooses.
    press(player[0], (in & (kDpadUp | kStickUp)) || (inGame_ && (in & kButtonA)));
    press(player[1], in & (kDpadDown | kStickDown));
    press(player[2], in & (kDpadLeft | kStickLeft));
    press(player[3], in & (kDpadRight | kStickRight));
    press(player[4], inGame_ ? (in & (kButtonB | kButtonX)) : (in & kButtonA));
    press(keys_.Escape, in & kButtonStart);
}

}  // namespace platform
