#include "platform/audio.h"

#include <AL/al.h>
#include <AL/alc.h>
#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/files.h"
#include "sound/audio_errors.h"

namespace platform {

namespace {

// The most sample values a sound may decode to, about twelve minutes of mono at 44.1 kHz:
// far beyond any sound effect, far below what a damaged header could make it reserve.
constexpr int64_t kMaxSampleValues = int64_t{1} << 25;

}  // namespace

OpenAlAudio::~OpenAlAudio() {
    Close();
}

void OpenAlAudio::Close() {
    while (!streams_.empty()) CloseStream(streams_.begin()->first);
    if (context_) {
        for (Voice& voice : voices_) {
            alSourceStop(voice.source);
            alDeleteSources(1, &voice.source);
        }
        for (Sample& sample : samples_) alDeleteBuffers(1, &sample.buffer);
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
        context_ = nullptr;
    }
    voices_.clear();
    samples_.clear();
    if (device_) alcCloseDevice(device_);
    device_ = nullptr;
}

bool OpenAlAudio::Init(int32_t rate, int32_t channels) {
    device_ = alcOpenDevice(nullptr);
    const ALCint attributes[] = {ALC_FREQUENCY, rate, 0};
    context_ = device_ ? alcCreateContext(device_, attributes) : nullptr;
    if (!context_ || !alcMakeContextCurrent(context_)) {
        // OpenAL Soft does not fall back to silence by itself; the game plays on without sound.
        Close();
        std::fprintf(stderr, "No sound device could be opened: playing without sound.\n");
        return true;
    }
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    for (int32_t i = 0; i < channels; ++i) {
        Voice voice;
        alGenSources(1, &voice.source);
        if (alGetError() != AL_NO_ERROR) break;
        voices_.push_back(voice);
    }
    return true;
}

SNDFILE* OpenAlAudio::OpenFile(const std::string& path, int32_t& channels, int32_t& rate,
                               int64_t& frames) {
    std::string resolved = ResolveDataPath(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(resolved, ec)) {
        lastError_ = kAudioFileNotFound;
        return nullptr;
    }
    SF_INFO info = {};
    SNDFILE* file = sf_open(resolved.c_str(), SFM_READ, &info);
    if (!file) {
        lastError_ = sf_error(nullptr) == SF_ERR_UNRECOGNISED_FORMAT ? kAudioUnknownFormat
                                                                     : kAudioLoadFailed;
        return nullptr;
    }
    if (info.channels < 1 || info.samplerate < 1) {
        sf_close(file);
        lastError_ = kAudioUnknownFormat;
        return nullptr;
    }
    channels = info.channels;
    rate = info.samplerate;
    frames = info.frames;
    return file;
}

int32_t OpenAlAudio::LoadSample(const std::string& path, const SampleMode& mode) {
    int32_t channels = 0, rate = 0;
    int64_t frames = 0;
    SNDFILE* file = OpenFile(path, channels, rate, frames);
    if (!file) return 0;
    // A damaged header can claim any length. libsndfile holds plain WAV data to the file's
    // real length, but a compressed stream can claim billions of frames from a few bytes:
    // more than any sound effect needs is refused before anything is reserved.
    if (frames > kMaxSampleValues / channels) {
        sf_close(file);
        lastError_ = kAudioLoadFailed;
        return 0;
    }
    // Left unfilled: the decoder writes every value that is used.
    std::unique_ptr<int16_t[]> pcm(new int16_t[static_cast<size_t>(frames) * channels]);
    sf_count_t read = sf_readf_short(file, pcm.get(), frames);
    sf_close(file);
    if (read <= 0) {
        lastError_ = kAudioLoadFailed;
        return 0;
    }
    // Only mono sources are placed in 3D, so every sample is mixed down to one channel,
    // in place: a frame's mix never lands after the frames still to be read.
    if (channels > 1) {
        for (sf_count_t frame = 0; frame < read; ++frame) {
            int32_t sum = 0;
            for (int32_t c = 0; c < channels; ++c) sum += pcm[frame * channels + c];
            pcm[frame] = static_cast<int16_t>(sum / channels);
        }
    }
    Sample sample;
    sample.rate = rate;
    sample.mode = mode;
    if (context_) {
        alGetError();
        alGenBuffers(1, &sample.buffer);
        alBufferData(sample.buffer, AL_FORMAT_MONO16, pcm.get(),
                     static_cast<ALsizei>(read * sizeof(int16_t)), rate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &sample.buffer);
            lastError_ = kAudioOutOfMemory;
            return 0;
        }
    }
    samples_.push_back(sample);
    return static_cast<int32_t>(samples_.size());
}

const OpenAlAudio::Sample* OpenAlAudio::FindSample(int32_t handle) const {
    if (handle < 1 || handle > static_cast<int32_t>(samples_.size())) return nullptr;
    return &samples_[handle - 1];
}

OpenAlAudio::Voice* OpenAlAudio::FindVoice(int32_t channel) {
    if (channel == 0) return nullptr;
    for (Voice& voice : voices_) {
        if (voice.channel == channel) return &voice;
    }
    return nullptr;
}

OpenAlAudio::Voice* OpenAlAudio::FreeVoice() {
    for (Voice& voice : voices_) {
        ALint state = AL_STOPPED;
        alGetSourcei(voice.source, AL_SOURCE_STATE, &state);
        if (!voice.waiting && state != AL_PLAYING && state != AL_PAUSED) return &voice;
    }
    return nullptr;
}

int32_t OpenAlAudio::PlayPaused(int32_t sample) {
    const Sample* played = FindSample(sample);
    if (!played) {
        lastError_ = kAudioInvalidParameter;
        return 0;
    }
    if (!context_) return NewChannel();
    Voice* voice = FreeVoice();
    if (!voice) {
        lastError_ = kAudioNoFreeChannel;
        return 0;
    }
    ALuint source = voice->source;
    alSourcei(source, AL_BUFFER, static_cast<ALint>(played->buffer));
    alSourcei(source, AL_LOOPING, played->mode.Loops ? AL_TRUE : AL_FALSE);
    alSourcef(source, AL_REFERENCE_DISTANCE, played->mode.MinDistance);
    alSourcef(source, AL_MAX_DISTANCE, played->mode.MaxDistance);
    alSourcef(source, AL_PITCH, 1.0f);
    alSourcef(source, AL_GAIN, Gain(effectsVolume_));
    // Until it is given a position the sound is heard at the listener.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0, 0, 0);
    voice->channel = NewChannel();
    voice->sample = sample;
    voice->waiting = true;
    return voice->channel;
}

void OpenAlAudio::SetPosition(int32_t channel, const AudioVector& position) {
    Voice* voice = FindVoice(channel);
    if (!voice || !FindSample(voice->sample)->mode.Is3D) return;
    alSourcei(voice->source, AL_SOURCE_RELATIVE, AL_FALSE);
    // The game's space is left-handed and OpenAL's right-handed: mirroring z keeps
    // a sound right of the listener in the right channel.
    alSource3f(voice->source, AL_POSITION, position.X, position.Y, -position.Z);
}

void OpenAlAudio::SetFrequency(int32_t channel, int32_t frequency) {
    Voice* voice = FindVoice(channel);
    if (!voice || frequency <= 0) return;
    float pitch = static_cast<float>(frequency) / FindSample(voice->sample)->rate;
    alSourcef(voice->source, AL_PITCH, pitch);
}

void OpenAlAudio::Unpause(int32_t channel) {
    if (Voice* voice = FindVoice(channel)) {
        // Playing a source that already plays would restart it, so only a waiting one starts.
        if (voice->waiting) alSourcePlay(voice->source);
        voice->waiting = false;
    } else if (Stream* stream = StreamOnChannel(channel)) {
        if (context_ && !stream->started) alSourcePlay(stream->source);
        stream->started = true;
    }
}

void OpenAlAudio::StopChannel(int32_t channel) {
    Voice* voice = FindVoice(channel);
    if (!voice) return;
    alSourceStop(voice->source);
    voice->channel = 0;
    voice->waiting = false;
}

void OpenAlAudio::SetListener(const AudioVector& position, const AudioVector& forward,
                              const AudioVector& top) {
    if (!context_) return;
    // Mirrored in z like every position, from the game's left-handed space to OpenAL's.
    alListener3f(AL_POSITION, position.X, position.Y, -position.Z);
    const ALfloat orientation[6] = {forward.X, forward.Y, -forward.Z, top.X, top.Y, -top.Z};
    alListenerfv(AL_ORIENTATION, orientation);
}

void OpenAlAudio::SetEffectsVolume(int32_t volume) {
    // A gain on each effect source rather than on the listener, which would change the music too.
    effectsVolume_ = std::clamp(volume, 0, 255);
    for (Voice& voice : voices_) alSourcef(voice.source, AL_GAIN, Gain(effectsVolume_));
}

}  // namespace platform
