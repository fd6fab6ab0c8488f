// The sky: the level's clock and colours, its season, weather and ambient sounds.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/geometry.h"

enum SeasonNumber : uint8_t { kSummer = 0, kAutumn = 1, kWinter = 2, kSpring = 3 };
enum WeatherKind : uint8_t { kWeatherClear = 0, kWeatherRain = 1, kWeatherSnow = 2 };

// One keyframe of the day: the two sky colours and how grey the landscape is lit.
struct SkyKeyframe {
    Rgba Zenith;
    Rgba Horizon;
    double GreyPercent = 0;
};

// One channel of a new pad's colour: base + Random × range.
struct TintRange {
    double Range = 0;
    double Base = 0;
};

// An ambient sound (a sample, or -1 for a silence) and the keys of the day it belongs to.
struct AmbientSound {
    int32_t Sound;
    int32_t FromKey;
    int32_t ToKey;
};

// The sky: counts a level's steps from darkness to night and derives its colours.
class Sky {
public:
    static constexpr int32_t kKeyCount = 15;

    Sky();

    // Keyframes for the cover, pad tint for the season, then the colours.
    void SetSeasonPalette();
    void UpdateColors();
    void StepClock();
    // Colours stay as they are until the next StepClock or SetSeasonPalette.
    void ResetClock();
    void SetMidday();
    bool IsNight() const;
    // Sets the season together with its background picture's texture slot.
    void SetSeason(uint8_t season);
    // A new pad's channel (0 red, 1 green, 2 blue); draws a Random even when the range is 0.
    double PadChannel(int channel) const;

    void BuildAmbience();
    // May start one ambient sound of the current time of day.
    void StepAmbience();

    Rgba ZenithColor;
    Rgba HorizonColor;
    Rgba LandscapeTint;
    TintRange PadTint[3];
    SkyKeyframe Keyframes[kKeyCount];
    uint8_t Season = kSummer;
    int32_t BackgroundSlot = 7 + kSummer;
    uint8_t Weather = kWeatherClear;
    bool Overcast = false;
    int32_t Clock = 0;
    int32_t TicksPerKey = 400;
    int32_t DayFromKey = 3;
    int32_t DayToKey = 10;
    std::vector<AmbientSound> Ambience;
    int32_t AmbienceCooldown = 0;

private:
    int32_t LastTick() const { return TicksPerKey * 14 - 1; }
};
