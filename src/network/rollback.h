// One game run from two sides' keys: this side's keys are used at once, the other side's are
// guessed (the last ones known) until they arrive, and a wrong guess puts the world back to
// that step and plays the steps again with the real keys.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "input/input_system.h"
#include "network/world_snapshot.h"
#include "recording/recording_session.h"

struct Application;

class Rollback {
public:
    // How far this side may run ahead of the other side's keys; the deepest a rollback goes.
    static constexpr int32_t kMostAhead = 12;
    // The world is hashed after every this many steps, on both sides.
    static constexpr int32_t kHashEvery = 60;

    // `runStep` plays one step of the program with the keys given.
    Rollback(Application& app, bool host, std::function<void(const KeyStates&)> runStep);

    // Steps played so far; the next step's number.
    int32_t Steps() const { return static_cast<int32_t>(local_.size()); }
    // Steps whose keys from both sides are known.
    int32_t Confirmed() const;
    // The other side's keys known without a gap, from step 0.
    int32_t RemoteKnown() const { return remoteKnown_; }
    // False while this side is too far ahead of the other side's keys, or the game has ended.
    bool MayAdvance() const;
    // The number of steps after which the game ended in the steps played so far, or -1.
    int32_t EndedAfter() const { return endedAfter_; }
    const GameWatch& Watch() const { return watch_; }

    // Plays the next step with this side's keys.
    void Advance(uint8_t localKeys);
    // The other side's keys for steps first.., as they arrive (again, in any order); keys
    // beyond what could be needed soon are ignored.
    void AddRemote(uint32_t first, const uint8_t* keys, size_t count);
    // Plays again, with the real keys, every step a guess got wrong; false when none did.
    bool Reconcile();
    // Puts the world back to where it stood after `steps` steps, a step not long gone.
    void RewindTo(int32_t steps);

    // This side's keys from a step on, for sending.
    const std::vector<uint8_t>& LocalKeys() const { return local_; }
    // The keys the game read at a confirmed step.
    KeyStates SharedKeysAt(int32_t step) const;
    // The world's hash after `steps` steps, a multiple of kHashEvery not older than the
    // last few; 0 when not kept.
    uint64_t HashAfter(int32_t steps) const;
    // How the game stood after `steps` steps, 0 or a multiple of kHashEvery not older than
    // the last few; null when not kept.
    const GameWatch* WatchAfter(int32_t steps) const;

    int32_t Rollbacks() const { return rollbacks_; }
    int32_t Deepest() const { return deepest_; }

private:
    static constexpr int32_t kSlots = kMostAhead + 2;
    static constexpr int32_t kCheckpoints = 16;

    struct Slot {
        WorldSnapshot World;
        GameWatch Watch;
        int32_t EndedAfter = -1;
    };

    struct Checkpoint {
        int32_t Steps = -1;
        uint64_t Hash = 0;
        GameWatch Watch;
    };

    const Checkpoint* CheckpointAfter(int32_t steps) const;
    uint8_t RemoteFor(int32_t step) const;
    KeyStates BothSides(int32_t step, uint8_t remote) const;
    void Play(int32_t step);

    Application& app_;
    bool host_;
    std::function<void(const KeyStates&)> runStep_;
    std::vector<uint8_t> local_;
    std::vector<uint8_t> remote_;
    std::vector<bool> remoteArrived_;
    // The other side's keys each step was last played with.
    std::vector<uint8_t> used_;
    int32_t remoteKnown_ = 0;
    int32_t wrongFrom_ = -1;
    std::array<Slot, kSlots> slots_;
    std::array<Checkpoint, kCheckpoints> checkpoints_{};
    GameWatch watch_;
    int32_t endedAfter_ = -1;
    int32_t rollbacks_ = 0;
    int32_t deepest_ = 0;
};
