#include "game/sky.h"

#include <algorithm>

#include "game/sky_keyframes.h"
#include "state/random.h"

namespace {

constexpr int32_t kLastKey = Sky::kKeyCount - 1;

// Channels of the stored sky colours, added in double precision.
double Sum(float a, float b) {
    return static_cast<double>(a) + b;
}

}  // namespace

Sky::Sky() {
    SetSeasonPalette();
}

void Sky::SetSeasonPalette() {
    DayFromKey = 3;
    DayToKey = 10;
    if (Overcast) {
        FillOvercastKeys(Keyframes);
    } else {
        FillClearKeys(Keyframes);
    }
    switch (Season) {
        case kSummer:
        case kSpring:
            PadTint[0] = {0.3, 0};
            PadTint[1] = {0.3, 0.3};
            PadTint[2] = {0.05, 0};
            break;
        case kAutumn:
            PadTint[0] = {0.4, 0.4};
            PadTint[1] = {0.3, 0.3};
            PadTint[2] = {0, 0};
            break;
        case kWinter: {
            // One grey for every pad of the level.
            const double v = 0.94 - Random() * 0.4;
            for (TintRange& tint : PadTint) tint = {0, v};
            break;
        }
        default:
            break;
    }
    UpdateColors();
}

void Sky::UpdateColors() {
    const int32_t k = std::min(Clock / TicksPerKey, kLastKey);
    const int32_t k2 = std::min(k + 1, kLastKey);
    const int32_t f = Clock % TicksPerKey;
    const SkyKeyframe& from = Keyframes[k];
    const SkyKeyframe& to = Keyframes[k2];
    auto blend = [&](double a, double b) { return a + f * (b - a) / TicksPerKey; };

    SetColor(ZenithColor, blend(from.Zenith.R, to.Zenith.R), blend(from.Zenith.G, to.Zenith.G),
             blend(from.Zenith.B, to.Zenith.B), 1);
    SetColor(HorizonColor, blend(from.Horizon.R, to.Horizon.R), blend(from.Horizon.G, to.Horizon.G),
             blend(from.Horizon.B, to.Horizon.B), 1);

    const double red = Sum(ZenithColor.R, HorizonColor.R);
    const double green = Sum(ZenithColor.G, HorizonColor.G);
    const double blue = Sum(ZenithColor.B, HorizonColor.B);
    const double grey = (red * 0.3 + green * 0.59 + blue * 0.11) / 2;
    const double s = blend(from.GreyPercent, to.GreyPercent) / 100;
    auto light = [&](double sum) {
        return std::clamp(sum / 2 * (1 - s) + grey * s + 0.15, 0.0, 1.0);
    };
    SetColor(LandscapeTint, light(red), light(green), light(blue), 1);
}

void Sky::StepClock() {
    if (Clock < LastTick()) ++Clock;
    UpdateColors();
}

void Sky::ResetClock() {
    Clock = 0;
}

void Sky::SetMidday() {
    Clock = LastTick() / 2;
    UpdateColors();
}

bool Sky::IsNight() const {
    return Clock >= LastTick();
}

void Sky::SetSeason(uint8_t season) {
    Season = season;
    BackgroundSlot = season + 7;
}

double Sky::PadChannel(int channel) const {
    return PadTint[channel].Base + Random() * PadTint[channel].Range;
}
