#include "network/rollback.h"

#include <algorithm>

#include "game/game.h"
#include "game/world_hash.h"
#include "network/shared_keys.h"
#include "sound/sound.h"
#include "state/application.h"

Rollback::Rollback(Application& app, bool host, std::function<void(const KeyStates&)> runStep)
    : app_(app), host_(host), runStep_(std::move(runStep)) {
    watch_.Begin(app_);
    checkpoints_[0] = {0, WorldHash(app_), watch_};
}

int32_t Rollback::Confirmed() const {
    return std::min(remoteKnown_, Steps());
}

bool Rollback::MayAdvance() const {
    return endedAfter_ < 0 && Steps() - remoteKnown_ < kMostAhead;
}

uint8_t Rollback::RemoteFor(int32_t step) const {
    if (step < static_cast<int32_t>(remote_.size()) && remoteArrived_[step]) return remote_[step];
    return remoteKnown_ > 0 ? remote_[remoteKnown_ - 1] : 0;
}

void Rollback::Play(int32_t step) {
    Slot& slot = slots_[step % kSlots];
    SaveWorld(app_, slot.World);
    slot.Watch = watch_;
    slot.EndedAfter = endedAfter_;
    const uint8_t remote = RemoteFor(step);
    used_[step] = remote;
    // Steps played past the game's end, before the end was known, change nothing.
    if (endedAfter_ >= 0) return;
    runStep_(BothSides(step, remote));
    if (watch_.AfterStep(app_) && endedAfter_ < 0) endedAfter_ = step + 1;
    if ((step + 1) % kHashEvery == 0) {
        checkpoints_[((step + 1) / kHashEvery) % kCheckpoints] = {step + 1, WorldHash(app_),
                                                                  watch_};
    }
}

void Rollback::Advance(uint8_t localKeys) {
    local_.push_back(localKeys);
    used_.push_back(0);
    Play(Steps() - 1);
}

void Rollback::AddRemote(uint32_t first, const uint8_t* keys, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const int64_t step = int64_t{first} + static_cast<int64_t>(i);
        // The other side never runs further ahead than this one allows itself.
        if (step >= int64_t{Steps()} + 2 * kMostAhead) break;
        const auto at = static_cast<size_t>(step);
        if (at >= remote_.size()) {
            remote_.resize(at + 1, 0);
            remoteArrived_.resize(at + 1, false);
        }
        if (remoteArrived_[at]) continue;
        remote_[at] = keys[i];
        remoteArrived_[at] = true;
        if (step < Steps() && used_[at] != keys[i] && (wrongFrom_ < 0 || step < wrongFrom_)) {
            wrongFrom_ = static_cast<int32_t>(step);
        }
    }
    while (remoteKnown_ < static_cast<int32_t>(remote_.size()) && remoteArrived_[remoteKnown_]) {
        ++remoteKnown_;
    }
}

void Rollback::RewindTo(int32_t steps) {
    if (steps >= Steps()) return;
    const Slot& slot = slots_[steps % kSlots];
    RestoreWorld(app_, slot.World);
    watch_ = slot.Watch;
    endedAfter_ = slot.EndedAfter;
}

bool Rollback::Reconcile() {
    if (wrongFrom_ < 0) return false;
    const int32_t from = wrongFrom_;
    wrongFrom_ = -1;
    RewindTo(from);
    const int32_t depth = Steps() - from;
    ++rollbacks_;
    deepest_ = std::max(deepest_, depth);
    // What these steps sounded like was heard the first time they were played.
    SoundSystem* sound = Sound();
    if (sound) sound->Muted = true;
    for (int32_t step = from; step < Steps(); ++step) Play(step);
    if (sound) sound->Muted = false;
    // A level start or an end of the game heard only in the guess is put right.
    MatchRainToWorld();
    return true;
}

// The keys the game reads at a step, with the other side's given.
KeyStates Rollback::BothSides(int32_t step, uint8_t remote) const {
    return host_ ? SharedKeys(local_[step], remote) : SharedKeys(remote, local_[step]);
}

KeyStates Rollback::SharedKeysAt(int32_t step) const {
    return BothSides(step, remote_[step]);
}

const Rollback::Checkpoint* Rollback::CheckpointAfter(int32_t steps) const {
    if (steps < 0 || steps % kHashEvery != 0) return nullptr;
    const Checkpoint& kept = checkpoints_[(steps / kHashEvery) % kCheckpoints];
    return kept.Steps == steps ? &kept : nullptr;
}

uint64_t Rollback::HashAfter(int32_t steps) const {
    const Checkpoint* kept = CheckpointAfter(steps);
    return kept ? kept->Hash : 0;
}

const GameWatch* Rollback::WatchAfter(int32_t steps) const {
    const Checkpoint* kept = CheckpointAfter(steps);
    return kept ? &kept->Watch : nullptr;
}
