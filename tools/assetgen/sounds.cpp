#include "sounds.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "mastering.h"
#include "music.h"
#include "sound_file.h"
#include "sound_makers.h"

namespace {

// Each kind is levelled on its own: effects stand out, calls sit in the background,
// the wind and flies behind them, the rain bed further back still.
enum class Kind { kEffect, kCall, kBackdrop, kLoop };

double TargetLoudness(Kind kind) {
    switch (kind) {
        case Kind::kEffect:
            return -15;
        case Kind::kCall:
            return -19;
        case Kind::kBackdrop:
            return -21;
        case Kind::kLoop:
            break;
    }
    return -24;
}

// Just under -1 dBFS, so no peak reaches it even after rounding to 16 bits.
constexpr float kCeiling = 0.87f;

struct Recipe {
    std::string file;
    Kind kind;
    std::function<Samples()> make;
};

// Adds stem1.wav, stem2.wav ... made by the numbered maker.
void AddNumbered(std::vector<Recipe>& recipes, const std::string& stem, int count, Kind kind,
                 Samples (*make)(int)) {
    for (int i = 1; i <= count; ++i) {
        recipes.push_back({stem + std::to_string(i) + ".wav", kind, [make, i] { return make(i); }});
    }
}

std::vector<Recipe> Recipes() {
    std::vector<Recipe> recipes = {
        {"hopgl.wav", Kind::kEffect, MakeBigJump}, {"hop.wav", Kind::kEffect, MakeSmallHop},
        {"splash.wav", Kind::kEffect, MakeSplash}, {"gulp1.wav", Kind::kEffect, MakeGulp},
        {"wiatr1.wav", Kind::kBackdrop, MakeWind}, {"deszcz.wav", Kind::kLoop, MakeRain},
    };
    AddNumbered(recipes, "mlask", 3, Kind::kEffect, MakeTongue);
    AddNumbered(recipes, "burp", 2, Kind::kEffect, MakeBurp);
    AddNumbered(recipes, "ptak", 12, Kind::kCall, MakeBird);
    AddNumbered(recipes, "swierszcz", 2, Kind::kCall, MakeCricket);
    AddNumbered(recipes, "wrona", 3, Kind::kCall, MakeCrow);
    AddNumbered(recipes, "zaby", 4, Kind::kCall, MakeFrogChorus);
    AddNumbered(recipes, "muchy", 2, Kind::kBackdrop, MakeFlies);
    return recipes;
}

Samples Finish(Samples sound, Kind kind) {
    if (kind != Kind::kLoop) {
        RemoveRumble(sound);
        TrimSilence(sound, 60);
        FadeEdges(sound, 0.002, kind == Kind::kEffect ? 0.02 : 0.05);
    }
    Scale(sound, std::pow(10.0, (TargetLoudness(kind) - Loudness(sound)) / 20));
    if (kind == Kind::kLoop) {
        // A limiter would treat the two ends differently and mark the seam; scale instead.
        const float peak = Peak(sound);
        if (peak > kCeiling) Scale(sound, kCeiling / peak);
    } else {
        LimitPeaks(sound, kCeiling);
    }
    return sound;
}

}  // namespace

bool WriteSounds(const std::string& folder) {
    for (const Recipe& recipe : Recipes()) {
        if (!WriteWav(folder + "/" + recipe.file, Finish(recipe.make(), recipe.kind))) return false;
    }
    const Stereo music = MakeMusic();
    return WriteOgg(folder + "/muzyka1.ogg", music.left, music.right, 0.5);
}
