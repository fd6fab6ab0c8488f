#include <AL/al.h>
#include <sndfile.h>

#include <algorithm>
#include <numeric>

#include "platform/audio.h"
#include "sound/audio_errors.h"

namespace platform {

namespace {

// About a fifth of a second per buffer: the game's steps refill long before the queue runs dry.
constexpr sf_count_t kBufferFrames = 8192;

}  // namespace

OpenAlAudio::Stream* OpenAlAudio::FindStream(int32_t handle) {
    auto found = streams_.find(handle);
    return found == streams_.end() ? nullptr : &found->second;
}

OpenAlAudio::Stream* OpenAlAudio::StreamOnChannel(int32_t channel) {
    if (channel == 0) return nullptr;
    for (auto& [handle, stream] : streams_) {
        if (stream.channel == channel) return &stream;
    }
    return nullptr;
}

int32_t OpenAlAudio::OpenStream(const std::string& path) {
    Stream stream;
    stream.file = OpenFile(path, stream.channels, stream.rate, stream.frames);
    if (!stream.file) return 0;
    if (stream.channels > 2) {
        sf_close(stream.file);
        lastError_ = kAudioUnknownFormat;
        return 0;
    }
    int32_t handle = nextStream_++;
    streams_.emplace(handle, stream);
    return handle;
}

int32_t OpenAlAudio::PlayStream(int32_t handle) {
    Stream* stream = FindStream(handle);
    if (!stream) {
        lastError_ = kAudioInvalidParameter;
        return 0;
    }
    if (stream->channel != 0) return stream->channel;
    if (context_ && !StartStreamSource(*stream)) return 0;
    stream->channel = NewChannel();
    return stream->channel;
}

bool OpenAlAudio::StartStreamSource(Stream& stream) {
    alGetError();
    alGenSources(1, &stream.source);
    if (alGetError() != AL_NO_ERROR) {
        stream.source = 0;
        lastError_ = kAudioNoFreeChannel;
        return false;
    }
    alGenBuffers(kStreamBuffers, stream.buffers);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &stream.source);
        stream.source = 0;
        lastError_ = kAudioOutOfMemory;
        return false;
    }
    // Music sits on the listener, unattenuated, whatever the listener's place.
    alSourcei(stream.source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(stream.source, AL_POSITION, 0, 0, 0);
    alSourcef(stream.source, AL_ROLLOFF_FACTOR, 0);
    alSourcef(stream.source, AL_GAIN, Gain(stream.volume));
    for (ALuint buffer : stream.buffers) {
        if (!QueueNext(stream, buffer)) break;
    }
    return true;
}

bool OpenAlAudio::QueueNext(Stream& stream, unsigned int buffer) {
    std::vector<int16_t> pcm(static_cast<size_t>(kBufferFrames * stream.channels));
    sf_count_t read = sf_readf_short(stream.file, pcm.data(), kBufferFrames);
    if (read <= 0) {
        // The decoder has the last word on the length, whatever the header said.
        stream.frames = stream.decodedFrames;
        return false;
    }
    stream.decodedFrames += read;
    ALenum format = stream.channels == 1 ? AL_FORMAT_MONO16 : AL_FORMAT_STEREO16;
    alBufferData(buffer, format, pcm.data(),
                 static_cast<ALsizei>(read * stream.channels * sizeof(int16_t)), stream.rate);
    alSourceQueueBuffers(stream.source, 1, &buffer);
    stream.queuedFrames.push_back(static_cast<int32_t>(read));
    return true;
}

void OpenAlAudio::CloseStream(int32_t handle) {
    Stream* stream = FindStream(handle);
    if (!stream) return;
    ReleaseStream(*stream);
    streams_.erase(handle);
}

void OpenAlAudio::ReleaseStream(Stream& stream) {
    if (stream.source != 0) {
        alSourceStop(stream.source);
        alSourcei(stream.source, AL_BUFFER, 0);
        alDeleteSources(1, &stream.source);
        alDeleteBuffers(kStreamBuffers, stream.buffers);
    }
    sf_close(stream.file);
}

int32_t OpenAlAudio::StreamTime(int32_t handle) {
    Stream* stream = FindStream(handle);
    if (!stream) return 0;
    int64_t played = stream->unqueuedFrames;
    if (stream->source != 0) {
        ALint state = AL_INITIAL;
        alGetSourcei(stream->source, AL_SOURCE_STATE, &state);
        if (state == AL_STOPPED) {
            // A stopped source has played all it was given.
            played += std::accumulate(stream->queuedFrames.begin(), stream->queuedFrames.end(),
                                      int64_t{0});
        } else {
            ALint offset = 0;
            alGetSourcei(stream->source, AL_SAMPLE_OFFSET, &offset);
            played += offset;
        }
    }
    return static_cast<int32_t>(played * 1000 / stream->rate);
}

int32_t OpenAlAudio::StreamLength(int32_t handle) {
    Stream* stream = FindStream(handle);
    if (!stream) return 0;
    return static_cast<int32_t>(stream->frames * 1000 / stream->rate);
}

void OpenAlAudio::SetChannelVolume(int32_t channel, int32_t volume) {
    Stream* stream = StreamOnChannel(channel);
    if (!stream) return;
    stream->volume = std::clamp(volume, 0, 255);
    if (stream->source != 0) alSourcef(stream->source, AL_GAIN, Gain(stream->volume));
}

void OpenAlAudio::Update() {
    for (auto& [handle, stream] : streams_) {
        if (stream.source != 0 && stream.started) RefillStream(stream);
    }
}

void OpenAlAudio::RefillStream(Stream& stream) {
    ALint processed = 0;
    alGetSourcei(stream.source, AL_BUFFERS_PROCESSED, &processed);
    for (; processed > 0; --processed) {
        ALuint buffer = 0;
        alSourceUnqueueBuffers(stream.source, 1, &buffer);
        stream.unqueuedFrames += stream.queuedFrames.front();
        stream.queuedFrames.pop_front();
        QueueNext(stream, buffer);
    }
    // A source that ran dry while the game stalled picks up where the data resumes.
    ALint state = AL_STOPPED;
    alGetSourcei(stream.source, AL_SOURCE_STATE, &state);
    if (state == AL_STOPPED && !stream.queuedFrames.empty()) alSourcePlay(stream.source);
}

}  // namespace platform
