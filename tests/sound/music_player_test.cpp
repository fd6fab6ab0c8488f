#include "sound/music_player.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_audio_device.h"
#include "state/application.h"

namespace {

using Calls = std::vector<std::string>;

struct MusicPlayerTest : ::testing::Test {
    MusicPlayerTest() { UseApp(&app); }

    void AddTracks(int count) {
        for (int i = 0; i < count; ++i) player.AddTrack("data\\track" + std::to_string(i) + ".ogg");
    }
    // Seeds the generator so that its next draws from 0..n-1 are `draws`.
    void SeedForDraws(int32_t n, const std::vector<int32_t>& draws) {
        for (uint32_t seed = 1;; ++seed) {
            RandomGenerator preview;
            preview.Seed = seed;
            bool match = true;
            for (int32_t wanted : draws) match = match && preview.Next(n) == wanted;
            if (match) {
                app.Rng.Seed = seed;
                return;
            }
        }
    }
    // The generator's seed after `count` more draws from the seed it had before.
    static uint32_t SeedAfter(uint32_t seed, int count) {
        RandomGenerator rng;
        rng.Seed = seed;
        for (int i = 0; i < count; ++i) rng.Next();
        return rng.Seed;
    }

    Application app;
    FakeAudioDevice device;
    MusicPlayer player{&device};
};

TEST_F(MusicPlayerTest, StartsStoppedAtFullVolumeInOrder) {
    EXPECT_TRUE(player.Playlist.empty());
    EXPECT_EQ(player.CurrentIndex, 0);
    EXPECT_EQ(player.Stream, 0);
    EXPECT_EQ(player.Volume, 255);
    EXPECT_FALSE(player.Shuffle);
    EXPECT_FALSE(player.Playing);
}

TEST_F(MusicPlayerTest, AnEmptyPlaylistHasNoNameAndIndexZero) {
    player.CurrentIndex = 5;
    EXPECT_EQ(player.CurrentFileName(), "");
    EXPECT_EQ(player.CurrentIndex, 0);
    player.CurrentIndex = -3;
    EXPECT_EQ(player.CurrentFileName(), "");
    EXPECT_EQ(player.CurrentIndex, 0);
}

TEST_F(MusicPlayerTest, AnIndexOutOfRangeFallsBackToTheFirstTrack) {
    AddTracks(2);
    player.CurrentIndex = 1;
    EXPECT_EQ(player.CurrentFileName(), "data\\track1.ogg");
    player.CurrentIndex = 2;
    EXPECT_EQ(player.CurrentFileName(), "data\\track0.ogg");
    EXPECT_EQ(player.CurrentIndex, 0);
}

TEST_F(MusicPlayerTest, PlayOpensTheTrackSetsTheVolumeAndUnpauses) {
    player.AddTrack("data\\muzyka1.ogg");
    player.Play();
    EXPECT_EQ(device.Calls, (Calls{"OpenStream(data\\muzyka1.ogg) -> 1", "PlayStream(1) -> 100",
                                   "SetChannelVolume(100, 255)", "Unpause(100)"}));
    EXPECT_TRUE(player.Playing);
    EXPECT_EQ(player.Stream, 1);
    EXPECT_EQ(player.Channel, 100);
}

TEST_F(MusicPlayerTest, PlayWhilePlayingClosesTheOldStreamFirst) {
    player.AddTrack("data\\muzyka1.ogg");
    player.Play();
    device.Calls.clear();
    player.Play();
    EXPECT_EQ(device.Calls,
              (Calls{"CloseStream(1)", "OpenStream(data\\muzyka1.ogg) -> 2", "PlayStream(2) -> 101",
                     "SetChannelVolume(101, 255)", "Unpause(101)"}));
}

TEST_F(MusicPlayerTest, StopClosesTheStream) {
    player.AddTrack("data\\muzyka1.ogg");
    player.Play();
    device.Calls.clear();
    player.Stop();
    EXPECT_EQ(device.Calls, (Calls{"CloseStream(1)"}));
    EXPECT_EQ(player.Stream, 0);
    EXPECT_FALSE(player.Playing);
}

TEST_F(MusicPlayerTest, ClearPlaylistStopsAndEmptiesIt) {
    AddTracks(3);
    player.Play();
    player.ClearPlaylist();
    EXPECT_FALSE(player.Playing);
    EXPECT_TRUE(player.Playlist.empty());
    EXPECT_EQ(device.CallsOf("CloseStream"), (Calls{"CloseStream(1)"}));
}

TEST_F(MusicPlayerTest, NextTrackWrapsFromTheLastToTheFirst) {
    AddTracks(3);
    player.CurrentIndex = 2;
    player.Play();
    device.Calls.clear();
    player.NextTrack();
    EXPECT_EQ(player.CurrentIndex, 0);
    EXPECT_TRUE(player.Playing);
    EXPECT_EQ(device.CallsOf("OpenStream"), (Calls{"OpenStream(data\\track0.ogg) -> 2"}));
}

TEST_F(MusicPlayerTest, NextTrackWhileStoppedOnlyMovesTheIndex) {
    AddTracks(3);
    player.NextTrack();
    EXPECT_EQ(player.CurrentIndex, 1);
    EXPECT_FALSE(player.Playing);
    EXPECT_TRUE(device.CallsOf("OpenStream").empty());
}

TEST_F(MusicPlayerTest, SetVolumeWhileStoppedIsAppliedByTheNextPlay) {
    player.AddTrack("data\\muzyka1.ogg");
    player.SetVolume(120);
    EXPECT_EQ(player.Volume, 120);
    player.Play();
    EXPECT_EQ(device.CallsOf("SetChannelVolume"),
              (Calls{"SetChannelVolume(0, 120)", "SetChannelVolume(100, 120)"}));
}

TEST_F(MusicPlayerTest, ASingleTrackLoopsThroughService) {
    player.AddTrack("data\\muzyka1.ogg");
    player.Play();
    device.Calls.clear();
    device.Time = 999;
    player.Service();
    EXPECT_EQ(device.Calls, (Calls{"Update()", "StreamTime(1)", "StreamLength(1)"}));
    device.Calls.clear();
    device.Time = 1000;
    player.Service();
    EXPECT_EQ(device.Calls, (Calls{"Update()", "StreamTime(1)", "StreamLength(1)", "CloseStream(1)",
                                   "OpenStream(data\\muzyka1.ogg) -> 2", "PlayStream(2) -> 101",
                                   "SetChannelVolume(101, 255)", "Unpause(101)"}));
    EXPECT_EQ(player.CurrentIndex, 0);
    EXPECT_TRUE(player.Playing);
}

TEST_F(MusicPlayerTest, ServiceWhileStoppedOnlyFeedsTheDevice) {
    player.AddTrack("data\\muzyka1.ogg");
    player.Service();
    EXPECT_EQ(device.Calls, (Calls{"Update()"}));
}

TEST_F(MusicPlayerTest, ATrackThatCannotBeOpenedCountsAsEnded) {
    device.UnopenablePaths.insert("data\\broken.ogg");
    player.AddTrack("data\\broken.ogg");
    player.AddTrack("data\\good.ogg");
    player.Play();
    // The failure is not checked: the player counts as playing.
    EXPECT_TRUE(player.Playing);
    EXPECT_EQ(player.Stream, 0);
    device.Calls.clear();
    player.Service();
    EXPECT_TRUE(device.CallsOf("StreamTime").empty());
    EXPECT_TRUE(device.CallsOf("StreamLength").empty());
    EXPECT_EQ(player.CurrentIndex, 1);
    EXPECT_EQ(device.CallsOf("OpenStream"), (Calls{"OpenStream(data\\good.ogg) -> 1"}));
}

TEST_F(MusicPlayerTest, RandomTrackWithOneTrackKeepsIndexZeroAfterOneDraw) {
    player.AddTrack("data\\muzyka1.ogg");
    app.Rng.Seed = 12345;
    player.RandomTrack();
    EXPECT_EQ(player.CurrentIndex, 0);
    EXPECT_EQ(app.Rng.Seed, SeedAfter(12345, 1));
}

TEST_F(MusicPlayerTest, RandomTrackDrawsAgainUntilTheTrackChanges) {
    AddTracks(3);
    player.CurrentIndex = 2;
    SeedForDraws(3, {2, 2, 0});
    uint32_t seed = app.Rng.Seed;
    player.RandomTrack();
    EXPECT_EQ(player.CurrentIndex, 0);
    EXPECT_EQ(app.Rng.Seed, SeedAfter(seed, 3));
}

TEST_F(MusicPlayerTest, RandomTrackRestartsOnlyWhatWasPlaying) {
    AddTracks(2);
    SeedForDraws(2, {1});
    player.RandomTrack();
    EXPECT_FALSE(player.Playing);
    EXPECT_TRUE(device.CallsOf("OpenStream").empty());
    player.Play();
    SeedForDraws(2, {0});
    player.RandomTrack();
    EXPECT_TRUE(player.Playing);
    EXPECT_EQ(device.CallsOf("OpenStream"),
              (Calls{"OpenStream(data\\track1.ogg) -> 1", "OpenStream(data\\track0.ogg) -> 2"}));
}

TEST_F(MusicPlayerTest, ShufflePicksATrackBeforePlayingAndOnEveryNextTrack) {
    AddTracks(4);
    player.Shuffle = true;
    SeedForDraws(4, {3, 1, 2});
    player.Play();
    EXPECT_EQ(player.CurrentIndex, 3);
    // The shuffled next track restarts through Play, which, with nothing playing, picks again.
    player.NextTrack();
    EXPECT_EQ(player.CurrentIndex, 2);
    EXPECT_TRUE(player.Playing);
    EXPECT_EQ(device.CallsOf("OpenStream"),
              (Calls{"OpenStream(data\\track3.ogg) -> 1", "OpenStream(data\\track2.ogg) -> 2"}));
}

TEST_F(MusicPlayerTest, APlayerWithoutADeviceDoesNothing) {
    MusicPlayer idle(nullptr);
    idle.AddTrack("data\\muzyka1.ogg");
    idle.Play();
    idle.SetVolume(10);
    idle.Service();
    EXPECT_TRUE(idle.Playlist.empty());
    EXPECT_FALSE(idle.Playing);
    EXPECT_EQ(idle.Volume, 255);
}

}  // namespace
