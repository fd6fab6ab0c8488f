#include "recording/recording_file.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../config/temp_folder.h"
#include "../replay/replay_harness.h"

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

// A disk that fills up costs the recording, not the game: one message, and the game is still
// summed up when it ends.
TEST(RecordingFile, AFullDiskSaysSoOnceAndTheGameIsStillSummedUp) {
    ReplayHarness game(HeldKeys(GameStart(7, 2, 1, {}), {}));
    RecordingSession session("/dev/full", "1.0.0");
    ::testing::internal::CaptureStderr();
    ::testing::internal::CaptureStdout();
    session.GameStarting(game.App());
    for (int step = 0; step < 120 && game.Step(); ++step) session.AfterStep(game.App());
    session.Close();
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(out, "game ended after 119 steps at level 1; totals 0 0\n");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_NE(err.find("writing the recording /dev/full failed"), std::string::npos) << err;
}

}  // namespace
