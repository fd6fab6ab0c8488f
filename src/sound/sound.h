// Sound effects and ambience: the sample table, the listener and the two volumes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sound/audio_device.h"
#include "sound/music_player.h"

// One sample of the table and the channel of its most recent play.
struct SampleEntry {
    int32_t SampleHandle = 0;
    int32_t Channel = 0;
    // A looping sample is playing on Channel.
    bool Busy = false;
    bool Loops = false;
    AudioVector Position;
};

// The running sound: the device, the sample table and the music player.
class SoundSystem {
public:
    explicit SoundSystem(AudioDevice& device) : Device(device), Music(&device) {}
    SoundSystem(const SoundSystem&) = delete;
    SoundSystem& operator=(const SoundSystem&) = delete;

    AudioDevice& Device;
    std::vector<SampleEntry> Samples;
    MusicPlayer Music;
    // Set while steps already heard are played again: their samples are neither started
    // twice nor stopped, so a loop the first run started keeps playing.
    bool Muted = false;
};

// What start-up shows in a message box before it ends the program.
struct SoundFailure {
    std::string Caption;
    std::string Text;
};

// Opens the device, loads the 34 samples (each steps the loading bar), creates the
// music player and applies the volumes. On failure sound stays off and the caller
// shows the message and ends the program.
std::optional<SoundFailure> InitSound(AudioDevice& device);
// Stops the music and forgets the device; every call after it does nothing.
void CloseSound();
// The running sound, or null when InitSound has not succeeded.
SoundSystem* Sound();
// The music player; one that does nothing while sound is not running.
MusicPlayer& Music();

// Loads "Data\" + name into the table at `index`; a failure to show when it cannot.
std::optional<SoundFailure> LoadSample(const std::string& name, int32_t index, bool loops,
                                       bool is3D, float minDistance, float maxDistance);
// Starts a sample (or refreshes a looping one already playing); a frequency of
// 0 keeps the sample's own rate, and the position counts only when positional.
void PlaySample(int32_t index, bool positional, int32_t frequency, double x, double y, double z);
void StopSample(int32_t index);
// Puts the listener at (x, y) facing the viewer.
void SetListener(double x, double y);
void ResetListener();
// Applies "SoundVolume" to the effects and "MusicVolume" to the music player.
void ApplyVolumes();
