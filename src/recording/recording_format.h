// The recording file: a header (the random state and the settings at START NEW GAME), then
// the keys of every step, each run of unchanged steps stored once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game_settings.h"
#include "input/input_system.h"

// Format 2 added the keys held as the game starts; format 1 files still play.
constexpr uint16_t kRecordingFormat = 2;

struct RecordingHeader {
    std::string GameVersion;
    uint32_t Seed = 0;
    GameSettings Settings;
    // The keys held on the step that started the game: the first step's previous keys.
    KeyStates StartKeys{};
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
    // Adds `steps` more steps with the keys and view of the last one.
    void Repeat(uint32_t steps) { run_ += steps; }
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

struct Recording {
    RecordingHeader Header;
    // The whole file: the steps are decoded from it as they play.
    std::string Bytes;
    // The steps lie between these two offsets: a block cut off at the end is not among them.
    size_t StepsStart = 0;
    size_t StepsEnd = 0;
    // False for a file cut short: it ends without the closing mark.
    bool Complete = false;
};

enum class RecordingRead { Ok, Unreadable, NotARecording, OtherVersion, Damaged };

// Checks a whole recording in one pass and keeps its bytes. On failure `problem` says what
// is wrong, in words that can follow the file's name ("is not a recording...").
RecordingRead ParseRecording(std::string bytes, Recording& recording, std::string& problem);

// Hands out a checked recording's steps in order; a block cut off by the end of a file that
// was cut short is left out.
class RecordingPlayback {
public:
    explicit RecordingPlayback(const Recording& recording);
    // The keys and the view width of the next step; false after the last.
    bool Next(KeyStates& keys, int32_t& viewWidth);

private:
    const Recording& recording_;
    size_t pos_;
    uint32_t leftInBlock_ = 0;
    KeyStates keys_{};
    int32_t viewWidth_;
};

// The keys a recording keeps: every key the game reads.
bool IsRecordedKey(uint8_t code);
