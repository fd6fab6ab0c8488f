// The sound layer the game plays through, in our own words; the platform implements it.
#pragma once

#include <cstdint>
#include <string>

// A point or direction in the game's sound space: x right, y up, z away from the viewer.
struct AudioVector {
    float X = 0;
    float Y = 0;
    float Z = 0;
};

// How a sample is loaded: 3D or plain, looping or not, and its distance range.
struct SampleMode {
    bool Is3D = true;
    bool Loops = false;
    float MinDistance = 0;
    float MaxDistance = 0;
};

// An output device with 3D sample channels, a listener and streamed music. Handles
// are never 0; 0 marks a failure, whose code LastError then gives. Calls on a
// handle that is 0, unknown or reused for a newer play do nothing.
class AudioDevice {
public:
    virtual ~AudioDevice() = default;

    // Opens the output mixing at `rate` Hz with `channels` effect channels.
    virtual bool Init(int32_t rate, int32_t channels) = 0;
    // Reads a sample from a data path such as "Data\hop.wav".
    virtual int32_t LoadSample(const std::string& path, const SampleMode& mode) = 0;

    // Starts a sample paused on a free channel, heard at the listener until positioned.
    virtual int32_t PlayPaused(int32_t sample) = 0;
    virtual void SetPosition(int32_t channel, const AudioVector& position) = 0;
    // Plays the channel at `frequency` Hz, against the sample's own rate.
    virtual void SetFrequency(int32_t channel, int32_t frequency) = 0;
    virtual void Unpause(int32_t channel) = 0;
    // Stops an effect channel.
    virtual void StopChannel(int32_t channel) = 0;

    virtual void SetListener(const AudioVector& position, const AudioVector& forward,
                             const AudioVector& top) = 0;
    // Volume of every effect channel, 0..255; music channels keep their own.
    virtual void SetEffectsVolume(int32_t volume) = 0;

    // Opens a streamed track (Ogg Vorbis) from a data path.
    virtual int32_t OpenStream(const std::string& path) = 0;
    // Starts an open stream paused on a channel of its own.
    virtual int32_t PlayStream(int32_t stream) = 0;
    virtual void CloseStream(int32_t stream) = 0;
    // How far the stream has played and how long it is, in milliseconds.
    virtual int32_t StreamTime(int32_t stream) = 0;
    virtual int32_t StreamLength(int32_t stream) = 0;
    // Volume of a stream's channel, 0..255, apart from the effects volume.
    virtual void SetChannelVolume(int32_t channel, int32_t volume) = 0;

    // Feeds playing streams and applies pending changes; called once per step.
    virtual void Update() = 0;
    virtual int32_t LastError() const = 0;
};
