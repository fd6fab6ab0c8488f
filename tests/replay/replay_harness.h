// A recorded game played with no window and no sound, exactly as a replay of the game plays
// it: the recording in, world hashes out.
#pragma once

#include <cstdint>
#include <vector>

#include "recording/recording_session.h"
#include "state/application.h"

// The start of a game as a recording holds it: seed, frogs, starting level and controls,
// the colours left at their defaults, in an 800 x 600 window.
RecordingHeader GameStart(uint32_t seed, int32_t frogs, int32_t startingLevel,
                          const std::vector<int32_t>& controls);

// A recording of that game in which the given keys stay held for as long as anybody plays.
Recording HeldKeys(const RecordingHeader& start, const std::vector<uint8_t>& keys);

class ReplayHarness {
public:
    explicit ReplayHarness(const Recording& recording);
    ~ReplayHarness();

    // Runs the recording's next step as the program does; false once it is played out.
    bool Step();
    int32_t Steps() const { return steps_; }
    Application& App() { return app_; }

    // A hash of everything that moves or counts in the world.
    uint64_t WorldHash() const;

private:
    // The replay's keyboard is used by the application, so it outlives it.
    ReplaySession session_;
    Application app_;
    int32_t steps_ = 0;
};
