#include "game/sky.h"
#include "sound/sound.h"
#include "state/random.h"

namespace {

constexpr int32_t kAllDay = 999;
constexpr int32_t kSilence = -1;
constexpr int32_t kWind = 23;
constexpr int32_t kFlies[] = {31, 32};
constexpr int32_t kFrogChorus[] = {27, 28, 29, 30};
constexpr int32_t kFirstBird = 9;
constexpr int32_t kBirdCount = 12;
constexpr int32_t kCrickets[] = {21, 22};
constexpr int32_t kCrows[] = {24, 25, 26};

// Steps an ambient sound keeps the next one away: none for 20 steps, rare until 70.
constexpr int32_t kCooldown = 70;
constexpr int32_t kQuietUntil = 50;
constexpr int32_t kRareChance = 35;

}  // namespace

void Sky::BuildAmbience() {
    Ambience.clear();
    if (Season == kWinter) {
        Ambience.push_back({kWind, 0, kAllDay});
        Ambience.push_back({kSilence, 0, kAllDay});
        for (int32_t sound : kFlies) Ambience.push_back({sound, 0, kAllDay});
        for (int32_t sound : kCrows) Ambience.push_back({sound, DayFromKey, DayToKey - 1});
        return;
    }
    if (Season == kAutumn) Ambience.push_back({kWind, 0, kAllDay});
    for (int32_t sound : kFlies) Ambience.push_back({sound, 0, kAllDay});
    for (int32_t sound : kFrogChorus) Ambience.push_back({sound, 0, kAllDay});
    for (int32_t i = 0; i < kBirdCount; ++i) {
        Ambience.push_back({kFirstBird + i, DayFromKey, DayToKey - 1});
    }
    for (int32_t sound : kCrickets) {
        Ambience.push_back({sound, 0, DayFromKey});
        Ambience.push_back({sound, DayToKey, kAllDay});
    }
}

void Sky::StepAmbience() {
    if (Ambience.empty()) return;
    if (AmbienceCooldown > 0) --AmbienceCooldown;
    if (AmbienceCooldown >= kQuietUntil) return;
    if (AmbienceCooldown > 0 && Random(kRareChance) != 0) return;

    const int32_t key = Clock / TicksPerKey;
    const AmbientSound& pick = Ambience[Random(static_cast<int32_t>(Ambience.size()))];
    // Out of its time of day: the cooldown stays, so another pick follows next step.
    if (key < pick.FromKey || key > pick.ToKey) return;
    if (pick.Sound >= 0) PlaySample(pick.Sound, false, Random(8000) + 40100, 0, 0, 0);
    AmbienceCooldown = kCooldown;
}
