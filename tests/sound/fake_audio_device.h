// An audio device that plays nothing and writes down every call made to it.
#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "sound/audio_device.h"
#include "sound/audio_errors.h"

// Succeeds unless told which files are missing; handles count up from fixed starts.
class FakeAudioDevice : public AudioDevice {
public:
    bool Init(int32_t rate, int32_t channels) override {
        Log("Init(" + Text(rate) + ", " + Text(channels) + ")");
        if (!InitSucceeds) Error = InitError;
        return InitSucceeds;
    }
    int32_t LoadSample(const std::string& path, const SampleMode& mode) override {
        Log("LoadSample(" + path + ", " + (mode.Is3D ? "3D" : "2D") + ", " +
            (mode.Loops ? "loop" : "once") + ", " + Text(mode.MinDistance) + ", " +
            Text(mode.MaxDistance) + ")");
        if (MissingPaths.count(path)) {
            Error = kAudioFileNotFound;
            return 0;
        }
        return ++lastSample_;
    }
    int32_t PlayPaused(int32_t sample) override {
        int32_t channel = NextChannel++;
        Log("PlayPaused(" + Text(sample) + ") -> " + Text(channel));
        return channel;
    }
    void SetPosition(int32_t channel, const AudioVector& p) override {
        Log("SetPosition(" + Text(channel) + ", " + Text(p) + ")");
    }
    void SetFrequency(int32_t channel, int32_t frequency) override {
        Log("SetFrequency(" + Text(channel) + ", " + Text(frequency) + ")");
    }
    void Unpause(int32_t channel) override { Log("Unpause(" + Text(channel) + ")"); }
    void StopChannel(int32_t channel) override { Log("StopChannel(" + Text(channel) + ")"); }
    void SetListener(const AudioVector& position, const AudioVector& forward,
                     const AudioVector& top) override {
        Log("SetListener(" + Text(position) + " | " + Text(forward) + " | " + Text(top) + ")");
    }
    void SetEffectsVolume(int32_t volume) override {
        Log("SetEffectsVolume(" + Text(volume) + ")");
    }
    int32_t OpenStream(const std::string& path) override {
        int32_t stream = UnopenablePaths.count(path) ? 0 : NextStream++;
        Log("OpenStream(" + path + ") -> " + Text(stream));
        return stream;
    }
    int32_t PlayStream(int32_t stream) override {
        int32_t channel = stream == 0 ? 0 : NextChannel++;
        Log("PlayStream(" + Text(stream) + ") -> " + Text(channel));
        return channel;
    }
    void CloseStream(int32_t stream) override { Log("CloseStream(" + Text(stream) + ")"); }
    int32_t StreamTime(int32_t stream) override {
        Log("StreamTime(" + Text(stream) + ")");
        return Time;
    }
    int32_t StreamLength(int32_t stream) override {
        Log("StreamLength(" + Text(stream) + ")");
        return Length;
    }
    void SetChannelVolume(int32_t channel, int32_t volume) override {
        Log("SetChannelVolume(" + Text(channel) + ", " + Text(volume) + ")");
    }
    void Update() override { Log("Update()"); }
    int32_t LastError() const override { return Error; }

    // Calls whose text starts with `prefix`.
    std::vector<std::string> CallsOf(const std::string& prefix) const {
        std::vector<std::string> found;
        std::copy_if(Calls.begin(), Calls.end(), std::back_inserter(found),
                     [&](const std::string& call) { return call.rfind(prefix, 0) == 0; });
        return found;
    }

    std::vector<std::string> Calls;
    bool InitSucceeds = true;
    int32_t InitError = 0;
    int32_t Error = 0;
    std::set<std::string> MissingPaths;
    std::set<std::string> UnopenablePaths;
    int32_t NextChannel = 100;
    int32_t NextStream = 1;
    int32_t Time = 0;
    int32_t Length = 1000;

private:
    void Log(const std::string& call) { Calls.push_back(call); }
    template <typename T>
    static std::string Text(T value) {
        std::ostringstream out;
        out << value;
        return out.str();
    }
    static std::string Text(const AudioVector& v) {
        return Text(v.X) + ", " + Text(v.Y) + ", " + Text(v.Z);
    }

    int32_t lastSample_ = 0;
};
