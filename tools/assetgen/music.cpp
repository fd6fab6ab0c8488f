#include "music.h"

#include <algorithm>
#include <cmath>

#include "filters.h"
#include "mastering.h"
#include "music_instruments.h"
#include "music_score.h"
#include "reverb.h"

namespace {

// Where each instrument sits: its level, place from left (0) to right (1), and how much of it
// goes to the hall and to the echo.
struct Seat {
    float gain;
    float pan;
    float hall;
    float echo;
};

Seat SeatOf(Part part) {
    switch (part) {
        case Part::kFlute:
            return {0.5f, 0.45f, 0.3f, 0.14f};
        case Part::kHarp:
            return {0.4f, 0.62f, 0.25f, 0};
        case Part::kBass:
            return {0.25f, 0.5f, 0.08f, 0};
        case Part::kPad:
            return {0.12f, 0.5f, 0.35f, 0};
        case Part::kBell:
            break;
    }
    return {0.22f, 0.3f, 0.45f, 0};
}

class Mixer {
public:
    explicit Mixer(size_t length)
        : dry_{Samples(length), Samples(length)}, hall_(length), echo_(length) {}
    void Add(const Samples& note, double start, const Seat& seat, float pan);
    Stereo Finish();

private:
    Stereo dry_;
    Samples hall_;
    Samples echo_;
};

void Mixer::Add(const Samples& note, double start, const Seat& seat, float pan) {
    const float left = seat.gain * static_cast<float>(std::cos(0.5 * kPi * pan));
    const float right = seat.gain * static_cast<float>(std::sin(0.5 * kPi * pan));
    const size_t offset = ToSamples(start);
    for (size_t i = 0; i < note.size() && offset + i < hall_.size(); ++i) {
        const float x = note[i];
        dry_.left[offset + i] += x * left;
        dry_.right[offset + i] += x * right;
        hall_[offset + i] += x * seat.gain * seat.hall;
        echo_[offset + i] += x * seat.gain * seat.echo;
    }
}

Stereo Mixer::Finish() {
    // Echoes bounce between the sides, two and three eighths behind, each one duller.
    const size_t leftDelay = ToSamples(0.625);
    const size_t rightDelay = ToSamples(0.9375);
    OnePole leftTone(3000);
    OnePole rightTone(3000);
    Samples leftEcho(echo_.size());
    Samples rightEcho(echo_.size());
    for (size_t i = 0; i < echo_.size(); ++i) {
        if (i >= leftDelay) {
            const size_t j = i - leftDelay;
            leftEcho[i] = leftTone.Process(echo_[j] + 0.3f * rightEcho[j]);
        }
        if (i >= rightDelay) {
            const size_t j = i - rightDelay;
            rightEcho[i] = rightTone.Process(echo_[j] + 0.3f * leftEcho[j]);
        }
    }
    Reverb leftHall(1, 0.8, 0.45);
    Reverb rightHall(1, 0.8, 0.45, 23);
    Stereo out = std::move(dry_);
    for (size_t i = 0; i < hall_.size(); ++i) {
        const float send = hall_[i] + 0.5f * (leftEcho[i] + rightEcho[i]);
        out.left[i] += leftEcho[i] + leftHall.Process(send);
        out.right[i] += rightEcho[i] + rightHall.Process(send);
    }
    return out;
}

// Adds everything past the loop's end onto its start, so notes and echoes still ringing when
// the music starts over carry on into the new pass.
void Wrap(Samples& channel, size_t loopLength) {
    for (size_t i = loopLength; i < channel.size(); ++i) channel[i - loopLength] += channel[i];
    channel.resize(loopLength);
}

}  // namespace

Stereo MakeMusic() {
    const Score score = Compose();
    const size_t loopLength = ToSamples(score.seconds);
    Mixer mixer(loopLength + ToSamples(6));
    for (size_t n = 0; n < score.notes.size(); ++n) {
        const NoteEvent& note = score.notes[n];
        const double hz = MidiHz(note.pitch);
        const Seat seat = SeatOf(note.part);
        switch (note.part) {
            case Part::kFlute:
                mixer.Add(Flute(hz, note.seconds, note.velocity, static_cast<std::uint32_t>(n)),
                          note.start, seat, seat.pan);
                break;
            case Part::kHarp:
                mixer.Add(Harp(hz, note.velocity), note.start, seat, seat.pan);
                break;
            case Part::kBass:
                mixer.Add(Bass(hz, note.seconds, note.velocity), note.start, seat, seat.pan);
                break;
            case Part::kPad:
                // Two slightly detuned players on either side make the pad wide and alive.
                mixer.Add(Pad(hz * 0.9977, note.seconds, note.velocity), note.start, seat, 0.15f);
                mixer.Add(Pad(hz * 1.0023, note.seconds, note.velocity), note.start, seat, 0.85f);
                break;
            case Part::kBell:
                mixer.Add(Bell(hz, note.velocity), note.start, seat, seat.pan);
                break;
        }
    }
    Stereo music = mixer.Finish();
    Wrap(music.left, loopLength);
    Wrap(music.right, loopLength);
    // Leaves room below -1 dBFS for the small overshoots of lossy encoding.
    const float gain = 0.8f / std::max(Peak(music.left), Peak(music.right));
    Scale(music.left, gain);
    Scale(music.right, gain);
    return music;
}
