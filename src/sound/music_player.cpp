#include "sound/music_player.h"

#include "sound/audio_device.h"
#include "state/random.h"

void MusicPlayer::AddTrack(const std::string& fileName) {
    if (!Device) return;
    Playlist.push_back(std::make_unique<PlaylistTrack>(fileName));
}

void MusicPlayer::ClearPlaylist() {
    if (!Device) return;
    Stop();
    Playlist.clear();
}

std::string MusicPlayer::CurrentFileName() {
    if (CurrentIndex < 0 || CurrentIndex >= static_cast<int32_t>(Playlist.size())) CurrentIndex = 0;
    return Playlist.empty() ? std::string() : Playlist[CurrentIndex]->FileName;
}

void MusicPlayer::Play() {
    if (!Device) return;
    if (Playing) {
        Stop();
    } else if (Shuffle) {
        RandomTrack();
    }
    Stream = Device->OpenStream(CurrentFileName());
    Channel = Device->PlayStream(Stream);
    SetVolume(Volume);
    Device->Unpause(Channel);
    Playing = true;
}

void MusicPlayer::Stop() {
    if (!Device) return;
    Device->CloseStream(Stream);
    Stream = 0;
    Playing = false;
}

void MusicPlayer::NextTrack() {
    if (!Device) return;
    if (Shuffle) {
        RandomTrack();
        return;
    }
    bool wasPlaying = Playing;
    Stop();
    CurrentIndex += 1;
    if (CurrentIndex >= static_cast<int32_t>(Playlist.size())) CurrentIndex = 0;
    if (wasPlaying) Play();
}

void MusicPlayer::RandomTrack() {
    if (!Device) return;
    bool wasPlaying = Playing;
    Stop();
    int32_t old = CurrentIndex;
    int32_t count = static_cast<int32_t>(Playlist.size());
    do {
        CurrentIndex = Random(count);
    } while (count > 1 && CurrentIndex == old);
    if (wasPlaying) Play();
}

void MusicPlayer::SetVolume(int32_t v) {
    if (!Device) return;
    Device->SetChannelVolume(Channel, v);
    Volume = v;
}

void MusicPlayer::Service() {
    if (!Device) return;
    Device->Update();
    // A track that could not be opened has no time or length to ask for: it counts as ended.
    if (Playing && (Stream == 0 || Device->StreamTime(Stream) >= Device->StreamLength(Stream))) {
        NextTrack();
    }
}
