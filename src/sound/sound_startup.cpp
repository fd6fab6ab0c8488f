#include <iterator>

#include "sound/audio_errors.h"
#include "sound/sound.h"
#include "state/application.h"

namespace {

// The sample table's files, by sample number; only the last, the rain, loops.
const char* const kSampleFiles[] = {
    "hopgl.wav",  "hop.wav",    "splash.wav", "mlask1.wav",     "mlask2.wav",     "mlask3.wav",
    "gulp1.wav",  "burp1.wav",  "burp2.wav",  "ptak1.wav",      "ptak2.wav",      "ptak3.wav",
    "ptak4.wav",  "ptak5.wav",  "ptak6.wav",  "ptak7.wav",      "ptak8.wav",      "ptak9.wav",
    "ptak10.wav", "ptak11.wav", "ptak12.wav", "swierszcz1.wav", "swierszcz2.wav", "wiatr1.wav",
    "wrona1.wav", "wrona2.wav", "wrona3.wav", "zaby1.wav",      "zaby2.wav",      "zaby3.wav",
    "zaby4.wav",  "muchy1.wav", "muchy2.wav", "deszcz.wav",
};
constexpr int32_t kRainSample = 33;

std::unique_ptr<SoundSystem> current;

}  // namespace

SoundSystem* Sound() {
    return current.get();
}

MusicPlayer& Music() {
    static MusicPlayer idle(nullptr);
    return current ? current->Music : idle;
}

std::optional<SoundFailure> InitSound(AudioDevice& device) {
    if (!device.Init(44100, 32)) {
        return SoundFailure{"Error", "Error while inititalizing soundcard!\r\n" +
                                         AudioErrorText(device.LastError())};
    }
    current = std::make_unique<SoundSystem>(device);
    for (int32_t index = 0; index < static_cast<int32_t>(std::size(kSampleFiles)); ++index) {
        std::optional<SoundFailure> failure =
            LoadSample(kSampleFiles[index], index, index == kRainSample, true, 100, 3000);
        if (failure) {
            current.reset();
            return failure;
        }
    }
    ApplyVolumes();
    return std::nullopt;
}

void CloseSound() {
    if (current) current->Music.Stop();
    current.reset();
}

std::optional<SoundFailure> LoadSample(const std::string& name, int32_t index, bool loops,
                                       bool is3D, float minDistance, float maxDistance) {
    if (!current) return std::nullopt;
    std::vector<SampleEntry>& samples = current->Samples;
    if (static_cast<int32_t>(samples.size()) < index + 1) samples.resize(index + 1);
    SampleEntry& entry = samples[index];
    entry.SampleHandle =
        current->Device.LoadSample("Data\\" + name, {is3D, loops, minDistance, maxDistance});
    if (entry.SampleHandle == 0) {
        return SoundFailure{"Error", "Error reading sound file " + name + "\r\n" +
                                         AudioErrorText(current->Device.LastError())};
    }
    entry.Busy = false;
    entry.Loops = loops;
    if (App().StepProgress) App().StepProgress();
    return std::nullopt;
}
