#include "game/sky.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "state/application.h"

namespace {

constexpr int32_t kNight = 5599;

struct SkyTest : ::testing::Test {
    SkyTest() { UseApp(&app); }

    // Random draws made between two seeds of the generator, or -1 for more than 10.
    static int DrawsBetween(uint32_t before, uint32_t after) {
        RandomGenerator rng;
        rng.Seed = before;
        for (int draws = 0; draws <= 10; ++draws) {
            if (rng.Seed == after) return draws;
            rng.Next();
        }
        return -1;
    }

    // The entry the next ambience pick would choose with the current seed.
    AmbientSound NextPick(const Sky& sky) const {
        RandomGenerator preview = app.Rng;
        return sky.Ambience[preview.Next(static_cast<int32_t>(sky.Ambience.size()))];
    }

    // Seeds the generator with the first seed whose coming draws the test accepts.
    template <typename Accept>
    void SeedWhere(Accept accept) {
        for (uint32_t seed = 1;; ++seed) {
            RandomGenerator preview;
            preview.Seed = seed;
            if (accept(preview)) {
                app.Rng.Seed = seed;
                return;
            }
        }
    }
    void SeedFor(int32_t n, int32_t wanted) {
        SeedWhere([&](RandomGenerator& r) { return r.Next(n) == wanted; });
    }

    Application app;
};

void ExpectColor(const Rgba& color, double r, double g, double b, double a) {
    EXPECT_FLOAT_EQ(color.R, static_cast<float>(r));
    EXPECT_FLOAT_EQ(color.G, static_cast<float>(g));
    EXPECT_FLOAT_EQ(color.B, static_cast<float>(b));
    EXPECT_FLOAT_EQ(color.A, static_cast<float>(a));
}

bool IsBird(int32_t sound) {
    return sound >= 9 && sound <= 20;
}
bool IsCricket(int32_t sound) {
    return sound == 21 || sound == 22;
}

}  // namespace

TEST_F(SkyTest, ClockRunsToNightAndStops) {
    Sky sky;
    EXPECT_EQ(sky.Clock, 0);
    EXPECT_EQ(sky.TicksPerKey, 400);
    sky.Clock = kNight - 1;
    EXPECT_FALSE(sky.IsNight());
    sky.StepClock();
    EXPECT_EQ(sky.Clock, kNight);
    EXPECT_TRUE(sky.IsNight());
    for (int i = 0; i < 3; ++i) sky.StepClock();
    EXPECT_EQ(sky.Clock, kNight);
}

TEST_F(SkyTest, DawnIsBlackWithAFaintlyLitLandscape) {
    for (bool overcast : {false, true}) {
        Sky sky;
        sky.Overcast = overcast;
        sky.SetSeasonPalette();
        ExpectColor(sky.ZenithColor, 0, 0, 0, 1);
        ExpectColor(sky.HorizonColor, 0, 0, 0, 1);
        ExpectColor(sky.LandscapeTint, 0.15, 0.15, 0.15, 1);
    }
}

TEST_F(SkyTest, MiddayBlendsKeySixTowardSevenBy399Of400) {
    Sky sky;
    sky.SetMidday();
    EXPECT_EQ(sky.Clock, 2799);
    ExpectColor(sky.ZenithColor, 0.3005, 0.401, 0.601, 1);
    ExpectColor(sky.HorizonColor, 0.6, 0.79975, 1, 1);
    // Grey 0.577351 weighs 0.90025; the sky's own colours the rest; plus 0.15.
    EXPECT_NEAR(sky.LandscapeTint.R, 0.714673, 1e-6);
    EXPECT_NEAR(sky.LandscapeTint.G, 0.729648, 1e-6);
    EXPECT_NEAR(sky.LandscapeTint.B, 0.749610, 1e-6);
    EXPECT_FLOAT_EQ(sky.LandscapeTint.A, 1);
}

TEST_F(SkyTest, OvercastColoursAreBytesOver256) {
    Sky sky;
    sky.Overcast = true;
    sky.SetSeasonPalette();
    sky.Clock = 2 * 400;  // exactly key 2
    sky.UpdateColors();
    ExpectColor(sky.ZenithColor, 20 / 256.0, 26 / 256.0, 44 / 256.0, 1);
    ExpectColor(sky.HorizonColor, 0, 0, 0, 1);
    EXPECT_FLOAT_EQ(sky.Keyframes[6].Zenith.B, 168 / 256.0f);
    EXPECT_FLOAT_EQ(sky.Keyframes[6].Zenith.A, 255 / 256.0f);
    EXPECT_EQ(sky.Keyframes[10].GreyPercent, 30);

    sky.Overcast = false;
    sky.SetSeasonPalette();
    ExpectColor(sky.ZenithColor, 0.02, 0.05, 0.4, 1);
}

TEST_F(SkyTest, LastKeyFadesTowardBlackAtNight) {
    Sky sky;
    sky.Clock = kNight;  // key 13, 399 steps toward key 14
    sky.UpdateColors();
    ExpectColor(sky.ZenithColor, 0, 0, 0.0002, 1);
    ExpectColor(sky.HorizonColor, 0, 0, 0.0003, 1);
}

TEST_F(SkyTest, EveryColourStaysWithinRangeAllDay) {
    for (bool overcast : {false, true}) {
        Sky sky;
        sky.Overcast = overcast;
        sky.SetSeasonPalette();
        for (int32_t clock = 0; clock <= kNight; ++clock) {
            sky.Clock = clock;
            sky.UpdateColors();
            for (const Rgba& c : {sky.ZenithColor, sky.HorizonColor, sky.LandscapeTint}) {
                for (float channel : {c.R, c.G, c.B}) {
                    ASSERT_GE(channel, 0.0f) << "clock " << clock;
                    ASSERT_LE(channel, 1.0f) << "clock " << clock;
                }
            }
        }
    }
}

TEST_F(SkyTest, ResetClockKeepsTheColoursUntilTheNextStep) {
    Sky sky;
    sky.SetMidday();
    const float zenithRed = sky.ZenithColor.R;
    sky.ResetClock();
    EXPECT_EQ(sky.Clock, 0);
    EXPECT_EQ(sky.ZenithColor.R, zenithRed);
    sky.StepClock();
    ExpectColor(sky.ZenithColor, 0, 0, 0, 1);
}

TEST_F(SkyTest, SeasonPalettesSetThePadTint) {
    Sky sky;
    EXPECT_EQ(sky.DayFromKey, 3);
    EXPECT_EQ(sky.DayToKey, 10);
    auto expectTint = [&](double rr, double rb, double gr, double gb, double br, double bb) {
        EXPECT_DOUBLE_EQ(sky.PadTint[0].Range, rr);
        EXPECT_DOUBLE_EQ(sky.PadTint[0].Base, rb);
        EXPECT_DOUBLE_EQ(sky.PadTint[1].Range, gr);
        EXPECT_DOUBLE_EQ(sky.PadTint[1].Base, gb);
        EXPECT_DOUBLE_EQ(sky.PadTint[2].Range, br);
        EXPECT_DOUBLE_EQ(sky.PadTint[2].Base, bb);
    };
    expectTint(0.3, 0, 0.3, 0.3, 0.05, 0);

    app.Rng.Seed = 777;
    sky.SetSeason(kAutumn);
    sky.SetSeasonPalette();
    expectTint(0.4, 0.4, 0.3, 0.3, 0, 0);
    sky.SetSeason(kSpring);
    sky.SetSeasonPalette();
    expectTint(0.3, 0, 0.3, 0.3, 0.05, 0);
    EXPECT_EQ(app.Rng.Seed, 777u);  // only winter draws

    sky.Season = 7;  // not a season: the tint stays
    sky.SetSeasonPalette();
    expectTint(0.3, 0, 0.3, 0.3, 0.05, 0);
}

TEST_F(SkyTest, WinterDrawsOneGreyForAllPads) {
    Sky sky;
    app.Rng.Seed = 12345;
    RandomGenerator preview = app.Rng;
    const double v = 0.94 - preview.Next() * 0.4;
    sky.SetSeason(kWinter);
    sky.SetSeasonPalette();
    EXPECT_EQ(app.Rng.Seed, preview.Seed);
    for (const TintRange& tint : sky.PadTint) {
        EXPECT_DOUBLE_EQ(tint.Base, v);
        EXPECT_EQ(tint.Range, 0);
    }
    // Every pad channel still makes its draw, and every pad gets the same grey.
    for (int channel = 0; channel < 3; ++channel) {
        const uint32_t before = app.Rng.Seed;
        EXPECT_DOUBLE_EQ(sky.PadChannel(channel), v);
        EXPECT_EQ(DrawsBetween(before, app.Rng.Seed), 1);
    }
}

TEST_F(SkyTest, PadChannelIsBasePlusRandomTimesRange) {
    Sky sky;
    sky.SetSeason(kAutumn);
    sky.SetSeasonPalette();
    app.Rng.Seed = 99;
    RandomGenerator preview = app.Rng;
    EXPECT_DOUBLE_EQ(sky.PadChannel(0), 0.4 + preview.Next() * 0.4);
    EXPECT_DOUBLE_EQ(sky.PadChannel(1), 0.3 + preview.Next() * 0.3);
    EXPECT_DOUBLE_EQ(sky.PadChannel(2), 0);
    EXPECT_EQ(DrawsBetween(preview.Seed, app.Rng.Seed), 1);
}

TEST_F(SkyTest, BackgroundSlotFollowsTheSeason) {
    Sky sky;
    EXPECT_EQ(sky.BackgroundSlot, 7);
    const int32_t slots[] = {7, 8, 9, 10};
    for (uint8_t season = 0; season < 4; ++season) {
        sky.SetSeason(season);
        EXPECT_EQ(sky.Season, season);
        EXPECT_EQ(sky.BackgroundSlot, slots[season]);
    }
}

TEST_F(SkyTest, AmbienceListsFollowTheSeason) {
    Sky sky;
    sky.BuildAmbience();
    sky.BuildAmbience();  // refilled, not appended
    ASSERT_EQ(sky.Ambience.size(), 22u);
    EXPECT_EQ(sky.Ambience[0].Sound, 31);
    EXPECT_EQ(sky.Ambience[6].Sound, 9);
    EXPECT_EQ(sky.Ambience[6].FromKey, 3);
    EXPECT_EQ(sky.Ambience[6].ToKey, 9);
    EXPECT_EQ(sky.Ambience[17].Sound, 20);
    const int32_t crickets[4][3] = {{21, 0, 3}, {21, 10, 999}, {22, 0, 3}, {22, 10, 999}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(sky.Ambience[18 + i].Sound, crickets[i][0]);
        EXPECT_EQ(sky.Ambience[18 + i].FromKey, crickets[i][1]);
        EXPECT_EQ(sky.Ambience[18 + i].ToKey, crickets[i][2]);
    }

    sky.SetSeason(kAutumn);
    sky.BuildAmbience();
    ASSERT_EQ(sky.Ambience.size(), 23u);
    EXPECT_EQ(sky.Ambience[0].Sound, 23);

    sky.SetSeason(kWinter);
    sky.BuildAmbience();
    std::vector<int32_t> sounds;
    for (const AmbientSound& entry : sky.Ambience) sounds.push_back(entry.Sound);
    EXPECT_EQ(sounds, (std::vector<int32_t>{23, -1, 31, 32, 24, 25, 26}));
    EXPECT_EQ(sky.Ambience[4].FromKey, 3);
    EXPECT_EQ(sky.Ambience[6].ToKey, 9);
}

TEST_F(SkyTest, AmbienceIsSilentWhenEmpty) {
    Sky sky;
    app.Rng.Seed = 5;
    sky.AmbienceCooldown = 10;
    sky.StepAmbience();
    EXPECT_EQ(sky.AmbienceCooldown, 10);
    EXPECT_EQ(app.Rng.Seed, 5u);
}

TEST_F(SkyTest, BirdsSingOnlyByDayAndCricketsOnlyAtTheEnds) {
    Sky sky;
    sky.BuildAmbience();
    app.Rng.Seed = 2024;
    int birdsHeard = 0;
    int cricketsHeard = 0;
    for (int32_t clock = 0; clock <= kNight; clock += 7) {
        sky.Clock = clock;
        const int32_t key = clock / 400;
        const AmbientSound pick = NextPick(sky);
        const uint32_t before = app.Rng.Seed;
        sky.AmbienceCooldown = 0;
        sky.StepAmbience();
        const bool played = sky.AmbienceCooldown == 70;
        const bool inTime = key >= pick.FromKey && key <= pick.ToKey;
        ASSERT_EQ(played, inTime) << "clock " << clock;
        // A played sound also draws its playback frequency.
        ASSERT_EQ(DrawsBetween(before, app.Rng.Seed), played ? 2 : 1);
        if (IsBird(pick.Sound) && played) {
            ++birdsHeard;
            ASSERT_GE(clock, 1200);
            ASSERT_LT(clock, 4000);
        }
        if (IsCricket(pick.Sound) && played) {
            ++cricketsHeard;
            ASSERT_TRUE(clock < 1600 || clock >= 4000) << "clock " << clock;
        }
    }
    EXPECT_GT(birdsHeard, 0);
    EXPECT_GT(cricketsHeard, 0);
}

TEST_F(SkyTest, OutOfTimePickLeavesTheCooldownForANewPickNextStep) {
    Sky sky;
    sky.BuildAmbience();
    sky.Clock = 0;
    SeedFor(22, 6);  // the first bird, at night
    sky.StepAmbience();
    EXPECT_EQ(sky.AmbienceCooldown, 0);
}

TEST_F(SkyTest, WinterSilenceStartsTheCooldownWithoutASound) {
    Sky sky;
    sky.SetSeason(kWinter);
    sky.BuildAmbience();
    SeedFor(7, 1);
    const uint32_t before = app.Rng.Seed;
    sky.StepAmbience();
    EXPECT_EQ(sky.AmbienceCooldown, 70);
    EXPECT_EQ(DrawsBetween(before, app.Rng.Seed), 1);  // no frequency drawn
}

TEST_F(SkyTest, CooldownIsQuietFor20StepsThenRareUntil70) {
    Sky sky;
    sky.BuildAmbience();
    sky.Clock = 2000;
    app.Rng.Seed = 31337;
    sky.AmbienceCooldown = 70;
    for (int step = 1; step <= 20; ++step) {
        const uint32_t before = app.Rng.Seed;
        sky.StepAmbience();
        EXPECT_EQ(sky.AmbienceCooldown, 70 - step);
        EXPECT_EQ(app.Rng.Seed, before);
    }
    // The 21st step tries, with a chance of 1 in 35.
    SeedFor(35, 1);
    const uint32_t before = app.Rng.Seed;
    sky.StepAmbience();
    EXPECT_EQ(sky.AmbienceCooldown, 49);
    EXPECT_EQ(DrawsBetween(before, app.Rng.Seed), 1);

    // A lucky try with an entry of the time of day (not a cricket) starts a sound.
    SeedWhere([](RandomGenerator& r) { return r.Next(35) == 0 && r.Next(22) < 18; });
    sky.StepAmbience();
    EXPECT_EQ(sky.AmbienceCooldown, 70);

    // At the 70th step the cooldown runs out and a pick follows without the chance.
    sky.AmbienceCooldown = 1;
    SeedFor(22, 0);
    const uint32_t last = app.Rng.Seed;
    sky.StepAmbience();
    EXPECT_EQ(sky.AmbienceCooldown, 70);
    EXPECT_EQ(DrawsBetween(last, app.Rng.Seed), 2);
}

TEST_F(SkyTest, AmbientSoundsStartAtLeast21StepsApart) {
    Sky sky;
    sky.BuildAmbience();
    sky.Clock = 2000;
    app.Rng.Seed = 4242;
    std::vector<int> gaps;
    int last = -1;
    for (int step = 0; step < 100000; ++step) {
        sky.StepAmbience();
        if (sky.AmbienceCooldown == 70) {
            if (last >= 0) gaps.push_back(step - last);
            last = step;
        }
    }
    ASSERT_FALSE(gaps.empty());
    EXPECT_EQ(*std::min_element(gaps.begin(), gaps.end()), 21);
    EXPECT_NE(std::find(gaps.begin(), gaps.end(), 70), gaps.end());
}
