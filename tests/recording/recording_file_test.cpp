#include "recording/recording_file.h"

#include <gtest/gtest.h>

#include "../config/temp_folder.h"

namespace {

int32_t StepCount(const Recording& recording) {
    RecordingPlayback playback(recording);
    KeyStates keys{};
    int32_t view = 0, steps = 0;
    while (playback.Next(keys, view)) ++steps;
    return steps;
}

// A game killed after 61 steps has left its first second of play on disk.
TEST(RecordingFile, AKilledGameLeavesWhatWasFlushed) {
    TempFolder folder;
    const std::string path = (folder.Path / "game.rec").string();
    EXPECT_TRUE(RecordingWriter::CanWrite(path));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(RecordingWriter::CanWrite(folder.Path.string()));
    {
        RecordingWriter writer;
        RecordingHeader header;
        ASSERT_TRUE(writer.Begin(path, header));
        KeyStates keys{};
        keys[200] = 0x80;
        for (int step = 0; step < 61; ++step) writer.Step(keys, header.ViewWidth);
        Recording recording;
        std::string sentence;
        ASSERT_EQ(LoadRecording(path, recording, sentence), RecordingRead::Ok) << sentence;
        EXPECT_FALSE(recording.Complete);
        EXPECT_EQ(StepCount(recording), 60);
        writer.Finish();
    }
    Recording recording;
    std::string sentence;
    ASSERT_EQ(LoadRecording(path, recording, sentence), RecordingRead::Ok);
    EXPECT_TRUE(recording.Complete);
    EXPECT_EQ(StepCount(recording), 61);

    EXPECT_EQ(LoadRecording(path + ".missing", recording, sentence), RecordingRead::Unreadable);
    EXPECT_EQ(sentence, "The file " + path + ".missing cannot be read: No such file or directory.");
}

}  // namespace
