#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "fake_audio_device.h"
#include "sound/audio_errors.h"
#include "sound/sound.h"
#include "state/application.h"

namespace {

using Calls = std::vector<std::string>;

struct SoundStartupTest : ::testing::Test {
    SoundStartupTest() {
        UseApp(&app);
        app.Config = std::make_unique<Settings>("Pondlark.cfg", "");
        app.StepProgress = [this] { ++progress; };
    }
    ~SoundStartupTest() override { CloseSound(); }

    // The sample files by number, spelled out from their families.
    static std::vector<std::string> SampleFiles() {
        std::vector<std::string> files = {"hopgl.wav", "hop.wav", "splash.wav"};
        for (int i = 1; i <= 3; ++i) files.push_back("mlask" + std::to_string(i) + ".wav");
        files.push_back("gulp1.wav");
        for (int i = 1; i <= 2; ++i) files.push_back("burp" + std::to_string(i) + ".wav");
        for (int i = 1; i <= 12; ++i) files.push_back("ptak" + std::to_string(i) + ".wav");
        for (int i = 1; i <= 2; ++i) files.push_back("swierszcz" + std::to_string(i) + ".wav");
        files.push_back("wiatr1.wav");
        for (int i = 1; i <= 3; ++i) files.push_back("wrona" + std::to_string(i) + ".wav");
        for (int i = 1; i <= 4; ++i) files.push_back("zaby" + std::to_string(i) + ".wav");
        for (int i = 1; i <= 2; ++i) files.push_back("muchy" + std::to_string(i) + ".wav");
        files.push_back("deszcz.wav");
        return files;
    }

    Application app;
    FakeAudioDevice device;
    int progress = 0;
};

TEST_F(SoundStartupTest, OpensTheDeviceLoadsTheSamplesInOrderAndAppliesTheVolumes) {
    EXPECT_FALSE(InitSound(device).has_value());
    Calls expected = {"Init(44100, 32)"};
    std::vector<std::string> files = SampleFiles();
    ASSERT_EQ(files.size(), 34u);
    for (size_t i = 0; i < files.size(); ++i) {
        expected.push_back("LoadSample(Data\\" + files[i] + ", 3D, " + (i == 33 ? "loop" : "once") +
                           ", 100, 3000)");
    }
    expected.push_back("SetEffectsVolume(250)");
    expected.push_back("SetChannelVolume(0, 250)");
    EXPECT_EQ(device.Calls, expected);
    EXPECT_EQ(progress, 34);
}

TEST_F(SoundStartupTest, TheTableHoldsEverySampleAndOnlyTheRainLoops) {
    ASSERT_FALSE(InitSound(device).has_value());
    ASSERT_NE(Sound(), nullptr);
    const std::vector<SampleEntry>& samples = Sound()->Samples;
    ASSERT_EQ(samples.size(), 34u);
    for (int32_t i = 0; i < 34; ++i) {
        EXPECT_EQ(samples[i].SampleHandle, i + 1);
        EXPECT_EQ(samples[i].Loops, i == 33);
        EXPECT_FALSE(samples[i].Busy);
    }
    EXPECT_EQ(Music().Volume, 250);
    EXPECT_FALSE(Music().Playing);
}

TEST_F(SoundStartupTest, StartsWithoutALoadingBar) {
    app.StepProgress = nullptr;
    EXPECT_FALSE(InitSound(device).has_value());
    EXPECT_EQ(Sound()->Samples.size(), 34u);
}

TEST_F(SoundStartupTest, AMissingSampleStopsStartUpWithItsMessage) {
    device.MissingPaths.insert("Data\\splash.wav");
    std::optional<SoundFailure> failure = InitSound(device);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Caption, "Error");
    EXPECT_EQ(failure->Text, "Error reading sound file splash.wav\r\nFile not found");
    EXPECT_EQ(device.CallsOf("LoadSample").size(), 3u);
    EXPECT_EQ(progress, 2);
    // Sound stays off, so nothing reaches the device any more.
    EXPECT_EQ(Sound(), nullptr);
    device.Calls.clear();
    PlaySample(0, true, 0, 0, 0, 0);
    EXPECT_TRUE(device.Calls.empty());
}

TEST_F(SoundStartupTest, ADeviceFailureStopsStartUpWithItsMessage) {
    device.InitSucceeds = false;
    device.InitError = 3;
    std::optional<SoundFailure> failure = InitSound(device);
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->Caption, "Error");
    EXPECT_EQ(failure->Text,
              "Error while inititalizing soundcard!\r\nError initializing output device");
    EXPECT_EQ(device.Calls, (Calls{"Init(44100, 32)"}));
    EXPECT_EQ(progress, 0);
    EXPECT_EQ(Sound(), nullptr);
}

TEST_F(SoundStartupTest, ClosingSoundClosesTheMusicStream) {
    ASSERT_FALSE(InitSound(device).has_value());
    Music().AddTrack("data\\muzyka1.ogg");
    Music().Play();
    device.Calls.clear();
    CloseSound();
    EXPECT_EQ(device.Calls, (Calls{"CloseStream(1)"}));
    EXPECT_EQ(Sound(), nullptr);
}

TEST(AudioErrorTextTest, CodesMapToTheirTextsAndTheRestAreUnknown) {
    EXPECT_EQ(AudioErrorText(0), "No errors");
    EXPECT_EQ(AudioErrorText(1),
              "Cannot call this command after FSOUND_Init.  Call FSOUND_Close first");
    EXPECT_EQ(AudioErrorText(6),
              "Soundcard does not support the features needed for this soundsystem (16bit stereo "
              "output)");
    EXPECT_EQ(AudioErrorText(kAudioFileNotFound), "File not found");
    EXPECT_EQ(AudioErrorText(kAudioUnknownFormat), "Unknown file format");
    EXPECT_EQ(AudioErrorText(kAudioNoFreeChannel), "Failed to allocate a new channel");
    EXPECT_EQ(AudioErrorText(18), "Required Mediaplayer codec is not installed");
    EXPECT_EQ(AudioErrorText(19), "Unknown error");
    EXPECT_EQ(AudioErrorText(-1), "Unknown error");
}

}  // namespace
