#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../sound/fake_audio_device.h"
#include "game/game.h"
#include "menu_fixture.h"
#include "sound/sound.h"

namespace {

using Calls = std::vector<std::string>;

// The menu over a sound layer that records what it is asked to do.
struct MenuSoundTest : MenuFixture {
    MenuSoundTest() {
        EXPECT_FALSE(InitSound(device).has_value());
        device.Calls.clear();
    }
    ~MenuSoundTest() override { CloseSound(); }

    FakeAudioDevice device;
};

TEST_F(MenuSoundTest, ResetWithMusicRestartsTheTitleTuneAtTheStoredVolume) {
    app.Config->SetInteger("Sound", "MusicVolume", 7);
    menu().Reset(true);
    ASSERT_EQ(Music().Playlist.size(), 1u);
    EXPECT_EQ(Music().Playlist[0]->FileName, "data\\muzyka1.ogg");
    EXPECT_TRUE(Music().Playing);
    EXPECT_EQ(device.CallsOf("OpenStream"), (Calls{"OpenStream(data\\muzyka1.ogg) -> 1"}));
    EXPECT_EQ(device.CallsOf("SetChannelVolume").back(), "SetChannelVolume(100, 70)");
    EXPECT_EQ(Music().Volume, 70);
}

TEST_F(MenuSoundTest, ResetWithoutMusicLeavesTheMusicAlone) {
    menu().Reset(false);
    EXPECT_TRUE(device.CallsOf("OpenStream").empty());
    EXPECT_TRUE(device.CallsOf("CloseStream").empty());
}

TEST_F(MenuSoundTest, ResetPutsTheListenerAtTheCentreOfTheView) {
    app.View.ViewWidth = 853;
    menu().Reset(false);
    EXPECT_EQ(device.CallsOf("SetListener"),
              (Calls{"SetListener(0, 0, 0 | 0, 0, -1 | 0, -1, 0)",
                     "SetListener(426.5, 240, 0 | 0, 0, -1 | 0, -1, 0)"}));
}

TEST_F(MenuSoundTest, ResetStopsTheRainOnlyWhenAGameExists) {
    menu().Reset(false);
    EXPECT_TRUE(device.CallsOf("StopChannel").empty());
    app.Game = std::make_unique<Game>();
    menu().Reset(false);
    EXPECT_EQ(device.CallsOf("StopChannel").size(), 1u);
}

TEST_F(MenuSoundTest, ChangingTheSoundVolumePlaysTheHopAtTheNewLoudness) {
    menu().Screen = kScreenOptions;
    Press(key::kLeft);
    EXPECT_EQ(device.Calls, (Calls{"SetEffectsVolume(230)", "SetChannelVolume(0, 250)",
                                   "PlayPaused(1) -> 100", "Unpause(100)"}));
}

TEST_F(MenuSoundTest, ChangingTheMusicVolumePlaysNothing) {
    menu().Screen = kScreenOptions;
    menu().Selected = 1;
    Press(key::kLeft);
    EXPECT_EQ(device.Calls, (Calls{"SetEffectsVolume(250)", "SetChannelVolume(0, 230)"}));
}

TEST_F(MenuSoundTest, AVolumeAlreadyAtTheTopIsStillAppliedAndHeard) {
    menu().Screen = kScreenInGame;
    Press(key::kRight);
    EXPECT_EQ(device.CallsOf("SetEffectsVolume"), (Calls{"SetEffectsVolume(250)"}));
    EXPECT_EQ(device.CallsOf("PlayPaused").size(), 1u);
}

TEST_F(MenuSoundTest, AbortingTheGameBringsTheTitleMusicBack) {
    app.Game = std::make_unique<Game>();
    menu().OpenInGameMenu();
    menu().Selected = 3;
    Press(key::kRightControl);
    EXPECT_TRUE(Music().Playing);
    EXPECT_EQ(device.CallsOf("OpenStream").size(), 1u);
}

}  // namespace
