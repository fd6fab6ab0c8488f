#include "sound/sound.h"

#include <algorithm>
#include <cstdint>

#include "config/settings_store.h"
#include "state/application.h"

namespace {

bool Playable(const SoundSystem* sound, int32_t index) {
    return sound && !sound->Muted && index >= 0 &&
           index < static_cast<int32_t>(sound->Samples.size());
}

}  // namespace

void PlaySample(int32_t index, bool positional, int32_t frequency, double x, double y, double z) {
    SoundSystem* sound = Sound();
    if (!Playable(sound, index)) return;
    SampleEntry& entry = sound->Samples[index];
    entry.Position = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    // A looping sample already playing is refreshed on its own channel, never doubled.
    if (!entry.Busy) {
        entry.Channel = sound->Device.PlayPaused(entry.SampleHandle);
        if (entry.Loops) entry.Busy = true;
    }
    if (positional) sound->Device.SetPosition(entry.Channel, entry.Position);
    if (frequency != 0) sound->Device.SetFrequency(entry.Channel, frequency);
    sound->Device.Unpause(entry.Channel);
}

void StopSample(int32_t index) {
    SoundSystem* sound = Sound();
    if (!Playable(sound, index)) return;
    SampleEntry& entry = sound->Samples[index];
    sound->Device.StopChannel(entry.Channel);
    entry.Busy = false;
}

void SetListener(double x, double y) {
    SoundSystem* sound = Sound();
    if (!sound) return;
    // Facing the viewer with the top downward: in the game's left-handed space
    // that keeps larger x on the listener's right.
    sound->Device.SetListener({static_cast<float>(x), static_cast<float>(y), 0}, {0, 0, -1},
                              {0, -1, 0});
    sound->Device.Update();
}

void ResetListener() {
    SetListener(0, 0);
}

namespace {

// A hand-edited setting can be any 32-bit number: ten times it is taken in 64
// bits and held to the device's range, so it never overflows.
int32_t DeviceVolume(int32_t setting) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{setting} * 10, 0, 255));
}

}  // namespace

void ApplyVolumes() {
    SoundSystem* sound = Sound();
    if (!sound) return;
    const Settings& config = *App().Config;
    sound->Device.SetEffectsVolume(DeviceVolume(config.GetInteger("Sound", "SoundVolume", 25)));
    sound->Music.SetVolume(DeviceVolume(config.GetInteger("Sound", "MusicVolume", 25)));
}
