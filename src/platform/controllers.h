// Game controllers as players' keys: the first two connected steer PLAYER 1 and PLAYER 2.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <set>
#include <string>

#include "input/input_system.h"

typedef struct _SDL_GameController SDL_GameController;

namespace platform {

// The keys a controller presses: each player's up, down, left, right and fire (the first
// key of each of the player's actions), and Escape.
struct ControllerKeys {
    std::array<std::array<uint8_t, 5>, 2> Players{};
    uint8_t Escape = 0;
};

// SDL game controllers (its mapping database, SDL_GAMECONTROLLERCONFIG and a file of our
// own) read once per step as the keys of their players. Further controllers wait; when one
// of the first two goes, the next waiting one takes its place.
class Controllers {
public:
    Controllers() = default;
    ~Controllers();
    Controllers(const Controllers&) = delete;
    Controllers& operator=(const Controllers&) = delete;

    // Starts SDL's game controllers and adds the mappings of the file, one per line, when it
    // exists; lines it cannot use are skipped with one note on stderr. False when SDL's game
    // controllers cannot start: the game then plays on the keyboard alone.
    bool Open(const std::string& mappingFile, const ControllerKeys& keys);
    void Close();

    // In a game a controller's buttons press the frog's keys, in the menus the menus'. A
    // button held when the game hands over to the menus, or back, presses nothing until it
    // is released.
    void SetInGame(bool inGame);

    // Opens controllers newly plugged in and lets go of those unplugged; called on every
    // step, with or without the focus.
    void FollowPlugging();

    // Adds the keys each player's controller holds now (bit 7) to the snapshot.
    void AddKeys(KeyStates& keys);

private:
    struct Pad {
        SDL_GameController* handle = nullptr;
        int32_t id = -1;  // SDL's instance number, unique while the program runs
        // Inputs held when the pad took its place or the game changed hands; they press
        // nothing until released.
        uint32_t latched = 0;
    };

    void Press(Pad& pad, const std::array<uint8_t, 5>& player, KeyStates& keys);

    bool open_ = false;
    bool inGame_ = false;
    ControllerKeys keys_;
    std::array<Pad, 2> players_;
    std::deque<Pad> waiting_;
    // Devices SDL cannot map, noted once each.
    std::set<int32_t> ignored_;
};

}  // namespace platform
