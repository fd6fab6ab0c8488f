#include "recording/recording_file.h"

#include <gtest/gtest.h>

#include "../config/temp_folder.h"

namespace {

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
        ASSERT_EQ(recording.Blocks.size(), 1u);
        EXPECT_EQ(recording.Blocks[0].Run, 60u);
        writer.Finish();
    }
    Recording recording;
    std::string sentence;
    ASSERT_EQ(LoadRecording(path, recording, sentence), RecordingRead::Ok);
    EXPECT_TRUE(recording.Complete);
    EXPECT_EQ(recording.Blocks.back().Run, 1u);

    EXPECT_EQ(LoadRecording(path + ".missing", recording, sentence), RecordingRead::Unreadable);
    EXPECT_EQ(sentence, "The file " + path + ".missing cannot be read: No such file or directory.");
}

}  // namespace
