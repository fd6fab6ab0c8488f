// The recording file: a header (the random state and the settings at START NEW GAME), then
// the keys of every step, each run of unchanged steps stored once.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "input/input_system.h"

constexpr uint16_t kRecordingFormat = 1;

// Every setting a game reads, as it stood when the game started; frogs counted from 1.
struct RecordedSettings {
    int32_t NumberOfFrogs = 2;
    bool FrogsCollision = true;
    int32_t StartingLevel = 1;
    std::array<int32_t, 6> Colors{};
    std::array<int32_t, 6> Controls{};
};

struct RecordingHeader {
    std::string GameVersion;
    uint32_t Seed = 0;
    RecordedSettings Settings;
    // The view's width in units (its height is always 480): the pond's width follows it.
    int32_t ViewWidth = 640;
};

std::string EncodeHeader(const RecordingHeader& header);

// Turns the steps of a game into the bytes of the recording as the game goes. Only the keys
// the game reads are kept. A block holds the keys that changed and how many steps then
// stayed the same; an unfinished run is written out whenever the bytes are taken.
class StepEncoder {
public:
    explicit StepEncoder(int32_t viewWidth);
    void Add(const KeyStates& keys, int32_t viewWidth);
    // The bytes of every step added so far that were not taken yet.
    std::string Take();
    // What closes a complete recording.
    static std::string EndMark();

private:
    void CloseBlock();

    KeyStates keys_{};
    int32_t viewWidth_;
    std::vector<uint8_t> changed_;
    bool viewChanged_ = false;
    uint32_t run_ = 0;
    std::string bytes_;
};

// One block: these keys change (down to up or up to down), the view width may change, and
// the result holds for Run steps.
struct RecordedBlock {
    uint32_t Run = 0;
    int32_t ViewWidth = 0;  // 0: unchanged
    std::vector<uint8_t> Changed;
};

struct Recording {
    RecordingHeader Header;
    std::vector<RecordedBlock> Blocks;
    // False for a file cut short: it ends without the closing mark.
    bool Complete = false;
};

enum class RecordingRead { Ok, Unreadable, NotARecording, OtherVersion, Damaged };

// Reads a whole recording. On failure `problem` says what is wrong, in words that can follow
// the file's name ("is not a recording...").
RecordingRead ParseRecording(const std::string& bytes, Recording& recording, std::string& problem);

// Hands out a recording's steps in order.
class RecordingPlayback {
public:
    explicit RecordingPlayback(const Recording& recording);
    // The keys and the view width of the next step; false after the last.
    bool Next(KeyStates& keys, int32_t& viewWidth);

private:
    const Recording& recording_;
    size_t block_ = 0;
    uint32_t usedInBlock_ = 0;
    KeyStates keys_{};
    int32_t viewWidth_;
};

// The keys a recording keeps: every key the game reads.
bool IsRecordedKey(uint8_t code);
