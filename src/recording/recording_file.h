// Recordings on disk: written as the game goes, read whole.
#pragma once

#include <cstdio>
#include <string>

#include "recording/recording_format.h"

// Writes one game's recording, flushing at least once a second of play, so a game that is
// killed still leaves a file that replays up to there.
class RecordingWriter {
public:
    RecordingWriter() = default;
    ~RecordingWriter();
    RecordingWriter(const RecordingWriter&) = delete;
    RecordingWriter& operator=(const RecordingWriter&) = delete;

    // Whether the file could be written, without changing anything that is there.
    static bool CanWrite(const std::string& path);

    // Creates or empties the file and writes the header; false when it cannot be opened. A
    // write that fails, then or later, says so once on stderr and ends the recording.
    bool Begin(const std::string& path, const RecordingHeader& header);
    void Step(const KeyStates& keys, int32_t viewWidth);
    // Writes what is left and the closing mark, and closes the file.
    void Finish();

private:
    bool Write(const std::string& bytes);

    std::FILE* file_ = nullptr;
    std::string path_;
    StepEncoder encoder_{0};
    int32_t stepsSinceFlush_ = 0;
};

// Reads and checks a whole recording; on failure `sentence` says what is wrong with it, as
// a plain sentence that names the file.
RecordingRead LoadRecording(const std::string& path, Recording& recording, std::string& sentence);
