#include "platform/audio.h"

#include <gtest/gtest.h>
#include <sndfile.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "../config/temp_folder.h"
#include "sound/audio_errors.h"

namespace {

namespace fs = std::filesystem;

const AudioVector kListener = {400, 240, 0};
const AudioVector kForward = {0, 0, -1};
const AudioVector kTop = {0, -1, 0};

// Writes a 440 Hz tone with libsndfile: WAV 16-bit or Ogg Vorbis.
void WriteTone(const fs::path& path, int format, int channels, double seconds) {
    SF_INFO info = {};
    info.samplerate = 44100;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr) << sf_strerror(nullptr);
    const int frames = static_cast<int>(seconds * 44100);
    std::vector<float> pcm(static_cast<size_t>(frames) * channels);
    for (int i = 0; i < frames; ++i) {
        for (int c = 0; c < channels; ++c) {
            pcm[i * channels + c] = 0.5f * static_cast<float>(std::sin(i * 2 * M_PI * 440 / 44100));
        }
    }
    sf_writef_float(file, pcm.data(), frames);
    sf_close(file);
}

// Energy of the left and right channels of a stereo file.
struct Energy {
    double Left = 0;
    double Right = 0;
};

Energy StereoEnergy(const fs::path& path) {
    Energy energy;
    SF_INFO info = {};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file || info.channels != 2) return energy;
    std::vector<float> pcm(static_cast<size_t>(info.frames) * 2);
    sf_count_t frames = sf_readf_float(file, pcm.data(), info.frames);
    sf_close(file);
    for (sf_count_t i = 0; i < frames; ++i) {
        energy.Left += pcm[2 * i] * pcm[2 * i];
        energy.Right += pcm[2 * i + 1] * pcm[2 * i + 1];
    }
    return energy;
}

// Failed expectations of a check that runs in a child process.
class Problems {
public:
    void Expect(bool ok, const std::string& what) {
        if (!ok) list_.push_back(what);
    }
    // Reports to standard error and ends the child: status 0 when all was well.
    [[noreturn]] void Finish() const {
        for (const std::string& problem : list_)
            std::fprintf(stderr, "problem: %s\n", problem.c_str());
        std::fflush(stderr);
        std::_Exit(list_.empty() ? 0 : 1);
    }

private:
    std::vector<std::string> list_;
};

// OpenAL Soft reads its drivers and settings once per process, so every case
// runs in a child of its own with its own environment.
class AudioTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteTone(folder.Path / "tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, 1.0);
        WriteTone(folder.Path / "stereo.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 2, 0.2);
        WriteTone(folder.Path / "music.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2, 0.3);
        std::ofstream(folder.Path / "notsound.wav") << "this is not a sound file";
    }

    // A path spelled the game's way: backslashes and another case.
    std::string GamePath(const std::string& name) const {
        std::string path = folder.Path.string() + "\\" + name;
        for (char& c : path) {
            if (c == '/') c = '\\';
        }
        return path;
    }

    // A short FLAC stream, named like a sample, whose header claims 2^36 - 1 frames of
    // eight channels.
    std::string HugeClaim() const {
        const fs::path path = folder.Path / "huge.wav";
        WriteTone(path, SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 8, 0.01);
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        // The frame count is the low 36 bits of the 8 bytes at 18, in the stream's info block.
        file.seekg(18);
        unsigned char bytes[8];
        file.read(reinterpret_cast<char*>(bytes), 8);
        bytes[3] |= 0x0F;
        for (int i = 4; i < 8; ++i) bytes[i] = 0xFF;
        file.seekp(18);
        file.write(reinterpret_cast<const char*>(bytes), 8);
        return GamePath("huge.wav");
    }

    // Points OpenAL's wave writer at `wav` through a settings file.
    void UseWaveWriter(const fs::path& wav) const {
        fs::path conf = folder.Path / "alsoft.conf";
        std::ofstream(conf) << "[general]\nchannels = stereo\nhrtf = false\n[wave]\nfile = "
                            << wav.string() << "\n";
        setenv("ALSOFT_DRIVERS", "wave", 1);
        setenv("ALSOFT_CONF", conf.c_str(), 1);
    }

    // Plays the tone at x for a moment and closes the device so the file is complete.
    void PlayToneAt(const fs::path& wav, float x) const {
        UseWaveWriter(wav);
        platform::OpenAlAudio audio;
        audio.Init(44100, 32);
        audio.SetListener(kListener, kForward, kTop);
        int32_t channel =
            audio.PlayPaused(audio.LoadSample(GamePath("tone.wav"), {true, true, 100, 3000}));
        audio.SetPosition(channel, {x, kListener.Y, 0});
        audio.Unpause(channel);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        audio.Close();
    }

    TempFolder folder;
};

TEST_F(AudioTest, TheNullOutputPlaysGeneratedSamplesOnThirtyTwoChannels) {
    auto check = [this] {
        setenv("ALSOFT_DRIVERS", "null", 1);
        Problems problems;
        platform::OpenAlAudio audio;
        problems.Expect(audio.Init(44100, 32), "Init failed");
        problems.Expect(!audio.Silent(), "the null output did not open");
        int32_t tone = audio.LoadSample(GamePath("TONE.WAV"), {true, false, 100, 3000});
        problems.Expect(tone != 0, "tone.wav did not load");
        problems.Expect(audio.LoadSample(GamePath("stereo.wav"), {true, false, 100, 3000}) != 0,
                        "a stereo sample did not load");
        audio.SetListener(kListener, kForward, kTop);
        audio.SetEffectsVolume(250);
        std::vector<int32_t> channels;
        for (int i = 0; i < 32; ++i) channels.push_back(audio.PlayPaused(tone));
        for (int32_t channel : channels) problems.Expect(channel != 0, "a channel was refused");
        audio.SetPosition(channels[0], {100, 80, 0});
        audio.SetFrequency(channels[0], 48000);
        audio.Unpause(channels[0]);
        problems.Expect(audio.PlayPaused(tone) == 0, "a 33rd channel was given");
        problems.Expect(audio.LastError() == kAudioNoFreeChannel,
                        "no free channel was not reported");
        audio.StopChannel(channels[5]);
        problems.Expect(audio.PlayPaused(tone) != 0, "a stopped channel was not given again");
        problems.Expect(audio.PlayPaused(0) == 0, "a play of no sample was given a channel");
        problems.Finish();
    };
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "");
}

TEST_F(AudioTest, BadSampleFilesAreReportedWithTheirCodes) {
    auto check = [this] {
        setenv("ALSOFT_DRIVERS", "null", 1);
        Problems problems;
        platform::OpenAlAudio audio;
        audio.Init(44100, 32);
        problems.Expect(audio.LoadSample(GamePath("missing.wav"), {true, false, 100, 3000}) == 0,
                        "a missing file loaded");
        problems.Expect(audio.LastError() == kAudioFileNotFound, "missing file: wrong code");
        problems.Expect(audio.LoadSample(GamePath("notsound.wav"), {true, false, 100, 3000}) == 0,
                        "a text file loaded");
        problems.Expect(audio.LastError() == kAudioUnknownFormat, "text file: wrong code");
        problems.Expect(audio.LoadSample(HugeClaim(), {true, false, 100, 3000}) == 0,
                        "a file claiming 2^36 frames loaded");
        problems.Expect(audio.LastError() == kAudioLoadFailed, "huge claim: wrong code");
        problems.Finish();
    };
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "");
}

TEST_F(AudioTest, AStreamPlaysToItsEnd) {
    auto check = [this] {
        setenv("ALSOFT_DRIVERS", "null", 1);
        Problems problems;
        platform::OpenAlAudio audio;
        audio.Init(44100, 32);
        problems.Expect(audio.OpenStream(GamePath("nothing.ogg")) == 0, "a missing track opened");
        problems.Expect(audio.LastError() == kAudioFileNotFound, "missing track: wrong code");
        int32_t stream = audio.OpenStream(GamePath("Music.OGG"));
        problems.Expect(stream != 0, "music.ogg did not open");
        problems.Expect(audio.StreamLength(stream) == 300, "the length is not 300 ms");
        int32_t channel = audio.PlayStream(stream);
        problems.Expect(channel != 0, "the stream got no channel");
        audio.SetChannelVolume(channel, 200);
        audio.Unpause(channel);
        int32_t last = 0;
        for (int wait = 0; wait < 300 && audio.StreamTime(stream) < audio.StreamLength(stream);
             ++wait) {
            audio.Update();
            int32_t time = audio.StreamTime(stream);
            problems.Expect(time >= last, "the stream's time went back");
            last = time;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        problems.Expect(audio.StreamTime(stream) == 300, "the stream did not reach its end");
        audio.CloseStream(stream);
        problems.Expect(audio.StreamLength(stream) == 0, "a closed stream still has a length");
        problems.Finish();
    };
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "");
}

TEST_F(AudioTest, ASoundRightOfTheListenerComesOutOfTheRightChannel) {
    auto check = [this] {
        Problems problems;
        fs::path wav = folder.Path / "right.wav";
        PlayToneAt(wav, kListener.X + 500);
        Energy energy = StereoEnergy(wav);
        problems.Expect(energy.Right > 0.01, "the right channel is silent");
        problems.Expect(
            energy.Right > 4 * energy.Left,
            "left " + std::to_string(energy.Left) + ", right " + std::to_string(energy.Right));
        problems.Finish();
    };
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "");
}

TEST_F(AudioTest, ASoundLeftOfTheListenerComesOutOfTheLeftChannel) {
    auto check = [this] {
        Problems problems;
        fs::path wav = folder.Path / "left.wav";
        PlayToneAt(wav, kListener.X - 500);
        Energy energy = StereoEnergy(wav);
        problems.Expect(energy.Left > 0.01, "the left channel is silent");
        problems.Expect(
            energy.Left > 4 * energy.Right,
            "left " + std::to_string(energy.Left) + ", right " + std::to_string(energy.Right));
        problems.Finish();
    };
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "");
}

TEST_F(AudioTest, TheEffectsVolumeLeavesTheMusicAlone) {
    auto check = [this] {
        Problems problems;
        fs::path wav = folder.Path / "music.wav";
        UseWaveWriter(wav);
        platform::OpenAlAudio audio;
        audio.Init(44100, 32);
        audio.SetEffectsVolume(0);
        int32_t effect =
            audio.PlayPaused(audio.LoadSample(GamePath("tone.wav"), {true, true, 100, 3000}));
        audio.Unpause(effect);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        audio.Close();
        Energy muted = StereoEnergy(wav);
        problems.Expect(muted.Left + muted.Right < 1e-6, "effects at volume 0 are heard");

        platform::OpenAlAudio again;
        again.Init(44100, 32);
        again.SetEffectsVolume(0);
        int32_t stream = again.OpenStream(GamePath("music.ogg"));
        int32_t channel = again.PlayStream(stream);
        again.SetChannelVolume(channel, 255);
        again.Unpause(channel);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        again.Close();
        Energy music = StereoEnergy(wav);
        problems.Expect(music.Left > 0.01 && music.Right > 0.01, "the music was muted too");
        problems.Finish();
    };
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "");
}

TEST_F(AudioTest, WithoutADeviceEverythingSucceedsSilentlyAndFilesAreStillChecked) {
    auto check = [this] {
        setenv("ALSOFT_DRIVERS", "no-such-output", 1);
        Problems problems;
        platform::OpenAlAudio audio;
        problems.Expect(audio.Init(44100, 32), "Init failed");
        problems.Expect(audio.Silent(), "a device opened");
        int32_t tone = audio.LoadSample(GamePath("tone.wav"), {true, false, 100, 3000});
        problems.Expect(tone != 0, "tone.wav did not load");
        problems.Expect(audio.LoadSample(GamePath("missing.wav"), {true, false, 100, 3000}) == 0,
                        "a missing file loaded");
        problems.Expect(audio.LastError() == kAudioFileNotFound, "missing file: wrong code");
        audio.SetListener(kListener, kForward, kTop);
        audio.SetEffectsVolume(100);
        int32_t channel = audio.PlayPaused(tone);
        problems.Expect(channel != 0, "no channel was given");
        audio.SetPosition(channel, {10, 20, 0});
        audio.SetFrequency(channel, 22050);
        audio.Unpause(channel);
        audio.StopChannel(channel);
        int32_t stream = audio.OpenStream(GamePath("music.ogg"));
        problems.Expect(stream != 0, "music.ogg did not open");
        int32_t music = audio.PlayStream(stream);
        problems.Expect(music != 0, "the stream got no channel");
        audio.SetChannelVolume(music, 255);
        audio.Unpause(music);
        audio.Update();
        problems.Expect(audio.StreamLength(stream) == 300, "the length is not 300 ms");
        problems.Expect(audio.StreamTime(stream) == 0, "silent music moved on");
        audio.CloseStream(stream);
        problems.Finish();
    };
    EXPECT_EXIT(check(), ::testing::ExitedWithCode(0), "No sound device could be opened");
}

}  // namespace
