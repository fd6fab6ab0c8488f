// The game's audio on OpenAL Soft, with sound files read by libsndfile.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "sound/audio_device.h"

typedef struct ALCdevice_struct ALCdevice;
typedef struct ALCcontext_struct ALCcontext;
typedef struct sf_private_tag SNDFILE;

namespace platform {

// The audio device on OpenAL Soft. When no output device opens it runs silent:
// every call succeeds and plays nothing, but files are still read and checked.
class OpenAlAudio : public AudioDevice {
public:
    OpenAlAudio() = default;
    OpenAlAudio(const OpenAlAudio&) = delete;
    OpenAlAudio& operator=(const OpenAlAudio&) = delete;
    ~OpenAlAudio() override;

    // Ends every sound and closes the output; OpenAL's wave writer finishes its file here.
    void Close();
    // No output device is open: nothing is heard.
    bool Silent() const { return context_ == nullptr; }

    bool Init(int32_t rate, int32_t channels) override;
    int32_t LoadSample(const std::string& path, const SampleMode& mode) override;
    int32_t PlayPaused(int32_t sample) override;
    void SetPosition(int32_t channel, const AudioVector& position) override;
    void SetFrequency(int32_t channel, int32_t frequency) override;
    void Unpause(int32_t channel) override;
    void StopChannel(int32_t channel) override;
    void SetListener(const AudioVector& position, const AudioVector& forward,
                     const AudioVector& top) override;
    void SetEffectsVolume(int32_t volume) override;
    int32_t OpenStream(const std::string& path) override;
    int32_t PlayStream(int32_t stream) override;
    void CloseStream(int32_t stream) override;
    int32_t StreamTime(int32_t stream) override;
    int32_t StreamLength(int32_t stream) override;
    void SetChannelVolume(int32_t channel, int32_t volume) override;
    void Update() override;
    int32_t LastError() const override { return lastError_; }

private:
    static constexpr int kStreamBuffers = 4;

    // A loaded sample: its OpenAL buffer (none when silent) and how it plays.
    struct Sample {
        unsigned int buffer = 0;
        int32_t rate = 0;
        SampleMode mode;
    };
    // One of the effect channels: an OpenAL source and the play it belongs to.
    struct Voice {
        unsigned int source = 0;
        int32_t channel = 0;
        int32_t sample = 0;
        // Started paused and not yet unpaused.
        bool waiting = false;
    };
    // A track decoded a few buffers ahead of the source playing it.
    struct Stream {
        SNDFILE* file = nullptr;
        int32_t channels = 0;
        int32_t rate = 0;
        int64_t frames = 0;
        int64_t decodedFrames = 0;
        int64_t unqueuedFrames = 0;
        std::deque<int32_t> queuedFrames;
        unsigned int source = 0;
        unsigned int buffers[kStreamBuffers] = {};
        int32_t channel = 0;
        int32_t volume = 255;
        bool started = false;
    };

    // Opens a data path for reading; null with the error code when it cannot.
    SNDFILE* OpenFile(const std::string& path, int32_t& channels, int32_t& rate, int64_t& frames);
    const Sample* FindSample(int32_t handle) const;
    Voice* FindVoice(int32_t channel);
    Voice* FreeVoice();
    Stream* FindStream(int32_t handle);
    Stream* StreamOnChannel(int32_t channel);
    bool StartStreamSource(Stream& stream);
    // Decodes the next piece of the track into the buffer and queues it; false at the end.
    bool QueueNext(Stream& stream, unsigned int buffer);
    void RefillStream(Stream& stream);
    void ReleaseStream(Stream& stream);
    int32_t NewChannel() { return nextChannel_++; }
    static float Gain(int32_t volume) { return static_cast<float>(volume) / 255.0f; }

    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    std::vector<Sample> samples_;
    std::vector<Voice> voices_;
    std::map<int32_t, Stream> streams_;
    int32_t nextChannel_ = 1;
    int32_t nextStream_ = 1;
    int32_t effectsVolume_ = 255;
    int32_t lastError_ = 0;
};

}  // namespace platform
