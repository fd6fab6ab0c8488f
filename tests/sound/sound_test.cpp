#include "sound/sound.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "fake_audio_device.h"
#include "game/game.h"
#include "game/sky.h"
#include "state/application.h"

namespace {

using Calls = std::vector<std::string>;

struct SoundTest : ::testing::Test {
    SoundTest() {
        UseApp(&app);
        app.Config = std::make_unique<Settings>("Pondlark.cfg", "");
    }
    ~SoundTest() override { CloseSound(); }

    // Starts sound on the fake device and forgets the start-up calls.
    void Start() {
        ASSERT_FALSE(InitSound(device).has_value());
        device.Calls.clear();
    }
    SampleEntry& Entry(int32_t index) { return Sound()->Samples[index]; }

    Application app;
    FakeAudioDevice device;
};

// Sample n is the fake's (n + 1)th load, so its handle is n + 1.
TEST_F(SoundTest, APositionalPlayStartsPausedIsPlacedAndThenUnpaused) {
    Start();
    PlaySample(2, true, 0, 10, 20, 0);
    EXPECT_EQ(device.Calls,
              (Calls{"PlayPaused(3) -> 100", "SetPosition(100, 10, 20, 0)", "Unpause(100)"}));
    EXPECT_EQ(Entry(2).Channel, 100);
    EXPECT_FALSE(Entry(2).Busy);
}

TEST_F(SoundTest, TheFrequencyIsSetAfterThePositionAndBeforeUnpausing) {
    Start();
    PlaySample(5, true, 44000, 300.5, 80, 0);
    EXPECT_EQ(device.Calls, (Calls{"PlayPaused(6) -> 100", "SetPosition(100, 300.5, 80, 0)",
                                   "SetFrequency(100, 44000)", "Unpause(100)"}));
}

TEST_F(SoundTest, AnUnpositionedPlayIsNotPlacedButKeepsItsPosition) {
    Start();
    PlaySample(9, false, 41234, 5, 6, 7);
    EXPECT_EQ(device.Calls,
              (Calls{"PlayPaused(10) -> 100", "SetFrequency(100, 41234)", "Unpause(100)"}));
    EXPECT_FLOAT_EQ(Entry(9).Position.X, 5);
    EXPECT_FLOAT_EQ(Entry(9).Position.Y, 6);
    EXPECT_FLOAT_EQ(Entry(9).Position.Z, 7);
}

TEST_F(SoundTest, FrequencyZeroLeavesThePitchAlone) {
    Start();
    PlaySample(0, false, 0, 0, 0, 0);
    EXPECT_TRUE(device.CallsOf("SetFrequency").empty());
}

TEST_F(SoundTest, ShortSamplesGetAFreshChannelOnEveryPlayAndAreNeverBusy) {
    Start();
    PlaySample(1, true, 0, 1, 2, 0);
    PlaySample(1, true, 0, 3, 4, 0);
    EXPECT_EQ(device.CallsOf("PlayPaused"),
              (Calls{"PlayPaused(2) -> 100", "PlayPaused(2) -> 101"}));
    EXPECT_EQ(Entry(1).Channel, 101);
    EXPECT_FALSE(Entry(1).Busy);
}

TEST_F(SoundTest, TheRainLoopIsNotStartedTwice) {
    Start();
    PlaySample(33, false, 0, 0, 0, 0);
    EXPECT_TRUE(Entry(33).Busy);
    PlaySample(33, false, 0, 0, 0, 0);
    EXPECT_EQ(device.Calls, (Calls{"PlayPaused(34) -> 100", "Unpause(100)", "Unpause(100)"}));
    EXPECT_TRUE(Entry(33).Busy);
}

TEST_F(SoundTest, ABusyLoopIsRefreshedOnItsRunningChannel) {
    Start();
    PlaySample(33, false, 0, 0, 0, 0);
    device.Calls.clear();
    PlaySample(33, true, 45000, 50, 60, 0);
    EXPECT_EQ(device.Calls,
              (Calls{"SetPosition(100, 50, 60, 0)", "SetFrequency(100, 45000)", "Unpause(100)"}));
}

TEST_F(SoundTest, StoppingClearsBusySoTheNextRainyLevelStartsAFreshLoop) {
    Start();
    PlaySample(33, false, 0, 0, 0, 0);
    StopSample(33);
    EXPECT_FALSE(Entry(33).Busy);
    PlaySample(33, false, 0, 0, 0, 0);
    EXPECT_EQ(device.Calls, (Calls{"PlayPaused(34) -> 100", "Unpause(100)", "StopChannel(100)",
                                   "PlayPaused(34) -> 101", "Unpause(101)"}));
    EXPECT_TRUE(Entry(33).Busy);
}

TEST_F(SoundTest, StoppingASampleNeverPlayedPassesTheEmptyChannel) {
    Start();
    StopSample(33);
    EXPECT_EQ(device.Calls, (Calls{"StopChannel(0)"}));
}

TEST_F(SoundTest, IndexesOutsideTheTableDoNothing) {
    Start();
    PlaySample(34, true, 0, 0, 0, 0);
    PlaySample(-1, true, 0, 0, 0, 0);
    StopSample(34);
    EXPECT_TRUE(device.Calls.empty());
}

TEST_F(SoundTest, TheListenerFacesTheViewerUpsideDownAndTheChangeIsApplied) {
    Start();
    SetListener(408, 240);
    ResetListener();
    EXPECT_EQ(device.Calls, (Calls{"SetListener(408, 240, 0 | 0, 0, -1 | 0, -1, 0)", "Update()",
                                   "SetListener(0, 0, 0 | 0, 0, -1 | 0, -1, 0)", "Update()"}));
}

TEST_F(SoundTest, DefaultVolumesAreFullAt250) {
    Start();
    ApplyVolumes();
    EXPECT_EQ(device.Calls, (Calls{"SetEffectsVolume(250)", "SetChannelVolume(0, 250)"}));
    EXPECT_EQ(Music().Volume, 250);
}

TEST_F(SoundTest, VolumesAreTheSettingsTimesTen) {
    Start();
    app.Config->SetInteger("Sound", "SoundVolume", 0);
    app.Config->SetInteger("Sound", "MusicVolume", 13);
    ApplyVolumes();
    EXPECT_EQ(device.Calls, (Calls{"SetEffectsVolume(0)", "SetChannelVolume(0, 130)"}));
    EXPECT_EQ(Music().Volume, 130);
    // Muted effects still play, silently.
    device.Calls.clear();
    PlaySample(0, false, 0, 0, 0, 0);
    EXPECT_EQ(device.Calls, (Calls{"PlayPaused(1) -> 100", "Unpause(100)"}));
}

TEST_F(SoundTest, HandEditedVolumesOutsideTheMenuRangeAreHeldToTheDeviceRange) {
    Start();
    app.Config->SetInteger("Sound", "SoundVolume", -2147483647 - 1);
    app.Config->SetInteger("Sound", "MusicVolume", 2147483647);
    ApplyVolumes();
    EXPECT_EQ(device.Calls, (Calls{"SetEffectsVolume(0)", "SetChannelVolume(0, 255)"}));
    EXPECT_EQ(Music().Volume, 255);
}

TEST_F(SoundTest, TheMusicVolumeReachesThePlayingChannel) {
    Start();
    Music().AddTrack("data\\muzyka1.ogg");
    Music().Play();
    device.Calls.clear();
    app.Config->SetInteger("Sound", "MusicVolume", 2);
    ApplyVolumes();
    EXPECT_EQ(device.CallsOf("SetChannelVolume"), (Calls{"SetChannelVolume(100, 20)"}));
}

TEST_F(SoundTest, WithoutSoundEveryCallDoesNothing) {
    EXPECT_EQ(Sound(), nullptr);
    PlaySample(0, true, 44100, 1, 2, 3);
    StopSample(33);
    SetListener(1, 2);
    ResetListener();
    ApplyVolumes();
    Music().AddTrack("data\\muzyka1.ogg");
    Music().Play();
    Music().Service();
    EXPECT_FALSE(Music().Playing);
    EXPECT_TRUE(Music().Playlist.empty());
    EXPECT_TRUE(device.Calls.empty());
}

TEST_F(SoundTest, AfterCloseSoundEveryCallDoesNothing) {
    Start();
    CloseSound();
    device.Calls.clear();
    PlaySample(0, true, 0, 1, 2, 0);
    SetListener(1, 2);
    Music().Play();
    EXPECT_EQ(Sound(), nullptr);
    EXPECT_TRUE(device.Calls.empty());
}

// After a game was played again quietly, the rain loop follows the world as it now stands:
// on while a game runs in rain, off otherwise, and left alone while muted.
TEST_F(SoundTest, TheRainLoopIsPutRightToMatchTheWorld) {
    Start();
    app.Sky = std::make_unique<Sky>();
    app.Sky->Weather = kWeatherRain;
    app.Game = std::make_unique<Game>();
    Sound()->Muted = true;
    MatchRainToWorld();
    EXPECT_TRUE(device.Calls.empty());
    Sound()->Muted = false;
    MatchRainToWorld();
    MatchRainToWorld();
    EXPECT_EQ(device.CallsOf("PlayPaused").size(), 1u);
    EXPECT_TRUE(Entry(33).Busy);
    app.Game.reset();
    MatchRainToWorld();
    EXPECT_EQ(device.CallsOf("StopChannel").size(), 1u);
    EXPECT_FALSE(Entry(33).Busy);
    app.Game = std::make_unique<Game>();
    app.Sky->Weather = kWeatherSnow;
    MatchRainToWorld();
    EXPECT_EQ(device.CallsOf("PlayPaused").size(), 1u);
}

}  // namespace
