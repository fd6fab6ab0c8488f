#include "music_score.h"

#include <algorithm>
#include <cstddef>

#include "noise.h"

namespace {

constexpr double kEighth = 0.3125;  // a dotted quarter at 64 beats a minute
constexpr int kHalfBar = 3;         // eighths

struct Step {
    int pitch;  // 0 is a rest
    int eighths;
};

struct Chord {
    int root;  // MIDI, between C3 and B3
    std::vector<int> intervals;
    bool operator==(const Chord& other) const {
        return root == other.root && intervals == other.intervals;
    }
};

const Chord kG{55, {0, 4, 7}};
const Chord kC{48, {0, 4, 7}};
const Chord kD{50, {0, 4, 7}};
const Chord kD7{50, {0, 4, 7, 10}};
const Chord kD7Sus{50, {0, 5, 7, 10}};
const Chord kEm{52, {0, 3, 7}};
const Chord kAm{57, {0, 3, 7}};
const Chord kBm{59, {0, 3, 7}};
const Chord kCMaj7{48, {0, 4, 7, 11}};

enum class HarpStyle { kArpeggio, kRolled };
enum class BellStyle { kNone, kSparkle, kDoubling, kLine };

struct Section {
    std::vector<Step> melody;
    std::vector<Chord> harmony;  // one chord per half bar
    HarpStyle harp;
    BellStyle bells;
    bool pad;
    float loudness;
    std::vector<Step> bellLine = {};
};

std::vector<Step> Join(std::initializer_list<std::vector<Step>> pieces) {
    std::vector<Step> joined;
    for (const auto& piece : pieces) joined.insert(joined.end(), piece.begin(), piece.end());
    return joined;
}

int Place(int pitch, int low, int high) {
    while (pitch < low) pitch += 12;
    while (pitch >= high) pitch -= 12;
    return pitch;
}

// Root, fifth, octave (or seventh), and the third above the octave.
std::vector<int> ArpeggioTones(const Chord& chord) {
    const int upper = chord.intervals.size() > 3 ? chord.intervals[3] : 12;
    return {chord.root, chord.root + 7, chord.root + upper, chord.root + 12 + chord.intervals[1]};
}

class Composer {
public:
    void Add(const Section& section);
    Score Finish() { return {std::move(notes_), at_}; }

private:
    void Note(Part part, double start, double seconds, int pitch, float velocity) {
        notes_.push_back({part, start, seconds, pitch, velocity});
    }
    // Players are not machines: a few milliseconds early or late, a little louder or softer.
    double Loose(double seconds) { return std::max(0.0, seconds + random_.Range(-0.006f, 0.006f)); }
    float Touch(float velocity) { return velocity * random_.Range(0.9f, 1.05f); }
    void Melody(const Section& section, Part part, int transpose, float level);
    void Harp(const Section& section);
    void Bass(const Section& section);
    void Pad(const Section& section);
    void Bells(const Section& section);

    std::vector<NoteEvent> notes_;
    double at_ = 0;
    Lcg random_{2024};
};

void Composer::Add(const Section& section) {
    Melody(section, Part::kFlute, 0, section.loudness);
    Harp(section);
    Bass(section);
    if (section.pad) Pad(section);
    Bells(section);
    at_ += section.harmony.size() * kHalfBar * kEighth;
}

void Composer::Melody(const Section& section, Part part, int transpose, float level) {
    int eighth = 0;
    for (const Step& step : section.melody) {
        if (step.pitch > 0) {
            // Higher notes come out a little stronger, as on a real flute.
            const float arch = 0.85f + 0.15f * (step.pitch - 67) / 14.0f;
            Note(part, at_ + eighth * kEighth, step.eighths * kEighth, step.pitch + transpose,
                 level * arch);
        }
        eighth += step.eighths;
    }
}

void Composer::Harp(const Section& section) {
    static const int kPattern[] = {0, 1, 2, 3, 2, 1};
    for (size_t half = 0; half < section.harmony.size(); ++half) {
        const std::vector<int> tones = ArpeggioTones(section.harmony[half]);
        const double start = at_ + half * kHalfBar * kEighth;
        if (section.harp == HarpStyle::kArpeggio) {
            for (int e = 0; e < kHalfBar; ++e) {
                const int pitch = tones[kPattern[(half % 2) * kHalfBar + e]];
                Note(Part::kHarp, Loose(start + e * kEighth), 2, pitch,
                     Touch(e == 0 ? 0.5f : 0.38f));
            }
        } else {
            for (size_t i = 0; i < tones.size(); ++i) {
                Note(Part::kHarp, Loose(start + 0.035 * i), 2, tones[i], Touch(0.45f - 0.03f * i));
            }
            Note(Part::kHarp, Loose(start + 2 * kEighth), 2, tones[2], Touch(0.28f));
        }
    }
}

void Composer::Bass(const Section& section) {
    const double bar = 2 * kHalfBar * kEighth;
    for (size_t half = 0; half < section.harmony.size(); half += 2) {
        const Chord& first = section.harmony[half];
        const double start = at_ + half * kHalfBar * kEighth;
        const int root = first.root - 12;
        if (!(first == section.harmony[half + 1])) {
            Note(Part::kBass, start, bar / 2, root, 0.7f);
            Note(Part::kBass, start + bar / 2, bar / 2, section.harmony[half + 1].root - 12, 0.65f);
        } else if (section.harp == HarpStyle::kArpeggio) {
            // A lilting root and fifth under the arpeggios.
            Note(Part::kBass, start, bar / 2, root, 0.7f);
            Note(Part::kBass, start + bar / 2, bar / 2, Place(root + 7, 36, 51), 0.5f);
        } else {
            Note(Part::kBass, start, bar, root, 0.7f);
        }
    }
}

void Composer::Pad(const Section& section) {
    size_t half = 0;
    while (half < section.harmony.size()) {
        const Chord& chord = section.harmony[half];
        size_t end = half + 1;
        while (end < section.harmony.size() && section.harmony[end] == chord) ++end;
        for (int interval : chord.intervals) {
            Note(Part::kPad, at_ + half * kHalfBar * kEighth, (end - half) * kHalfBar * kEighth,
                 Place(chord.root + interval, 55, 67), 0.5f);
        }
        half = end;
    }
}

void Composer::Bells(const Section& section) {
    switch (section.bells) {
        case BellStyle::kNone:
            return;
        case BellStyle::kSparkle:
            for (size_t half = 0; half < section.harmony.size(); ++half) {
                const Chord& chord = section.harmony[half];
                const int interval = half % 2 == 0 ? 7 : chord.intervals[1];
                Note(Part::kBell, Loose(at_ + half * kHalfBar * kEighth), 1,
                     Place(chord.root + interval, 79, 91), Touch(0.3f));
            }
            return;
        case BellStyle::kDoubling:
            Melody(section, Part::kBell, 12, 0.3f);
            return;
        case BellStyle::kLine: {
            int eighth = 0;
            for (const Step& step : section.bellLine) {
                if (step.pitch > 0) {
                    Note(Part::kBell, Loose(at_ + eighth * kEighth), 1, step.pitch, Touch(0.45f));
                }
                eighth += step.eighths;
            }
            return;
        }
    }
}

}  // namespace

Score Compose() {
    const std::vector<Step> opening = {
        {71, 2}, {72, 1}, {74, 3}, {76, 2}, {74, 1}, {72, 2}, {71, 1},
        {74, 2}, {71, 1}, {67, 2}, {71, 1}, {69, 2}, {71, 1}, {69, 3},
        {67, 2}, {71, 1}, {76, 3}, {76, 2}, {74, 1}, {72, 2}, {76, 1},
    };
    // The first ending hangs on the dominant and leads back in; the second comes home.
    const std::vector<Step> openEnding = {{74, 2}, {72, 1}, {71, 2}, {69, 1},
                                          {69, 3}, {74, 2}, {72, 1}};
    const std::vector<Step> homeEnding = {{72, 2}, {76, 1}, {74, 2}, {72, 1},
                                          {71, 2}, {69, 1}, {67, 3}};
    const std::vector<Step> middle = {
        {79, 2}, {78, 1}, {76, 3}, {78, 2}, {76, 1}, {74, 3}, {76, 2}, {74, 1}, {72, 2}, {74, 1},
        {71, 2}, {72, 1}, {74, 3}, {72, 2}, {76, 1}, {81, 3}, {79, 2}, {78, 1}, {76, 2}, {71, 1},
        {72, 2}, {71, 1}, {69, 2}, {72, 1}, {66, 2}, {69, 1}, {74, 2}, {72, 1},
    };
    const std::vector<Chord> verseChords = {kG, kG, kC, kC, kG, kG, kD, kD, kEm, kEm, kC, kC};
    std::vector<Chord> firstChords = verseChords;
    firstChords.insert(firstChords.end(), {kAm, kD, kD, kD7});
    std::vector<Chord> homeChords = verseChords;
    homeChords.insert(homeChords.end(), {kAm, kD7, kG, kG});
    const std::vector<Chord> middleChords = {kEm, kEm, kBm, kBm, kC,  kC, kG,  kG,
                                             kAm, kAm, kEm, kEm, kAm, kD, kD7, kD7};

    Composer composer;
    composer.Add({Join({opening, openEnding}), firstChords, HarpStyle::kArpeggio, BellStyle::kNone,
                  false, 0.7f});
    composer.Add({Join({opening, homeEnding}), homeChords, HarpStyle::kArpeggio,
                  BellStyle::kSparkle, true, 0.75f});
    composer.Add({middle, middleChords, HarpStyle::kRolled, BellStyle::kDoubling, true, 0.85f});
    composer.Add({Join({opening, homeEnding}), homeChords, HarpStyle::kArpeggio, BellStyle::kNone,
                  true, 0.75f});
    // The turn: a soft rising echo of the opening figure over IV and V, then the flute's pickup
    // into the first bar again.
    composer.Add({{{0, 9}, {74, 2}, {72, 1}},
                  {kCMaj7, kCMaj7, kD7Sus, kD7},
                  HarpStyle::kArpeggio,
                  BellStyle::kLine,
                  true,
                  0.7f,
                  {{76, 2}, {79, 1}, {83, 3}, {81, 3}, {78, 3}}});
    return composer.Finish();
}
