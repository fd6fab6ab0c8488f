#include "sound/music_player.h"

#include "sound/audio_device.h"
#include "state/random.h"

void TOggPlayer::AddTrack(const std::string& fileName) {
    if (!Device) return;
    Playlist.push_back(std::make_unique<TPlaylistElem>(fileName));
}

void TOggPlayer::ClearPlaylist() {
    if (!Device) return;
    Stop();
    Playlist.clear();
}

std::string TOggPlayer::CurrentFileName() {
    if (CurrentIndex < 0 || CurrentIndex >= static_cast<int32_t>(Playlist.size())) CurrentIndex = 0;
    return Playlist.empty() ? std::string() : Playlist[CurrentIndex]->FileName;
}

void TOggPlayer::Play() {
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

void TOggPlayer::Stop() {
    if (!Device) return;
    Device->CloseStream(Stream);
    Stream = 0;
    Playing = false;
}

void TOggPlayer::NextTrack() {
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

void TOggPlayer::RandomTrack() {
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

void TOggPlayer::SetVolume(int32_t v) {
    if (!Device) return;
    Device->SetChannelVolume(Channel, v);
    Volume = v;
}

void TOggPlayer::Service() {
    if (!Device) return;
    Device->Update();
    // A track that could not be opened has no time or length to ask for: it counts as ended.
    if (Playing && (Stream == 0 || Device->StreamTime(Stream) >= Device->StreamLength(Stream))) {
        NextTrack();
    }
}
