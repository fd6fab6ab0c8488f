// The menu tune as notes: a lilting pastoral in G major, 6/8, in the form A A B A and a short
// turn that leads back to the start, so the piece can loop for ever.
#pragma once

#include <vector>

enum class Part { kFlute, kHarp, kBass, kPad, kBell };

struct NoteEvent {
    Part part;
    double start;    // seconds
    double seconds;  // how long it is held
    int pitch;       // MIDI note number
    float velocity;  // 0..1
};

struct Score {
    std::vector<NoteEvent> notes;
    double seconds;  // the length of one pass; notes may ring on past it
};

Score Compose();
