// Whistled bird syllables, put together into songs and heard from a little way off.
#pragma once

#include <vector>

#include "synth.h"

struct Syllable {
    double start;
    double length;
    Contour pitch;  // Hz over the syllable
    float loudness = 1;
    float warble = 0;    // depth of a fast pitch wobble, as a fraction of the pitch
    float warbleHz = 0;  // its rate
    float flutter = 0;   // depth of an amplitude wobble at the same rate, for rolling trills
    float overtone = 0.04f;
    float attack = 0.15f;
    float release = 0.35f;

    Syllable& Warble(float depth, float hz) {
        warble = depth;
        warbleHz = hz;
        return *this;
    }
    Syllable& Flutter(float depth) {
        flutter = depth;
        return *this;
    }
    Syllable& Overtone(float level) {
        overtone = level;
        return *this;
    }
    Syllable& Shape(float attackShare, float releaseShare) {
        attack = attackShare;
        release = releaseShare;
        return *this;
    }
};

class Song {
public:
    // The returned syllable may be adjusted until the next Add.
    Syllable& Add(double start, double length, Contour pitch, float loudness = 1);
    // distance 0..1: farther birds are duller and carry more of the surroundings' echo.
    Samples Render(float distance) const;

private:
    std::vector<Syllable> syllables_;
};
