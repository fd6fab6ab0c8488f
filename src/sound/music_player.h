// The music player: a playlist of streamed tracks, played in order or shuffled.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class AudioDevice;

class PlaylistTrack {
public:
    explicit PlaylistTrack(std::string fileName) : FileName(std::move(fileName)) {}
    std::string FileName;
};

// Streams the playlist's tracks one after another and moves on when a track ends.
// Without a device (sound not running) every operation does nothing.
class MusicPlayer {
public:
    explicit MusicPlayer(AudioDevice* device) : Device(device) {}
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;

    void AddTrack(const std::string& fileName);
    void ClearPlaylist();
    // Brings an out-of-range index back to 0; "" for an empty playlist.
    std::string CurrentFileName();
    void Play();
    void Stop();
    void NextTrack();
    void RandomTrack();
    // 0..255; kept for the next Play when nothing plays.
    void SetVolume(int32_t v);
    // Once per step: feeds the stream and moves on when the track has ended.
    void Service();

    std::vector<std::unique_ptr<PlaylistTrack>> Playlist;
    int32_t CurrentIndex = 0;
    int32_t Stream = 0;
    int32_t Volume = 255;
    bool Shuffle = false;
    bool Playing = false;
    int32_t Channel = 0;

private:
    AudioDevice* Device;
};
