#include "game/lily_pad.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/frog.h"
#include "game/game.h"
#include "game/player.h"
#include "game/sky.h"
#include "input/input_state.h"
#include "state/application.h"

namespace {

struct PadTest : ::testing::Test {
    PadTest() {
        UseApp(&app);
        app.Input = std::make_unique<InputState>(nullptr);
        app.Sky = std::make_unique<Sky>();
        app.Rng.Seed = 20240601;
    }

    LilyPad& AddPad(double x, double size, double velX = 0) {
        app.Pads.push_back(std::make_unique<LilyPad>(x, 80, velX, 0, size));
        return *app.Pads.back();
    }
    Frog& AddFrog(double x, FrogState state) {
        app.Frogs.push_back(std::make_unique<Frog>(x, 87.5, 15));
        app.Frogs.back()->State = state;
        return *app.Frogs.back();
    }
    // The first seed from `from` on that makes a level of this many pads.
    static uint32_t SeedForPadCount(int pads, uint32_t from = 1) {
        for (uint32_t seed = from;; ++seed) {
            RandomGenerator probe{seed};
            if (probe.Next(5) + 2 == pads) return seed;
        }
    }
    Application app;
    // The game the frogs and flies read; owned by the application.
    Game& game = *(app.Game = std::make_unique<Game>());
};

TEST_F(PadTest, PadAtFindsTheEarlierOfOverlappingPadsAndCountsTheEdges) {
    LilyPad& first = AddPad(200, 50);
    LilyPad& second = AddPad(230, 50);
    EXPECT_EQ(PadAt(220), &first);
    EXPECT_EQ(PadAt(280), &second);
    EXPECT_EQ(PadAt(150), &first);  // X - Size
    EXPECT_EQ(PadAt(250), &first);  // X + Size
    EXPECT_EQ(PadAt(149.999), nullptr);
    EXPECT_EQ(PadAt(280.001), nullptr);
    EXPECT_TRUE(IsPadAt(150));
    EXPECT_FALSE(IsPadAt(400));
}

TEST_F(PadTest, SupportIsTheWaterLineOverAnyPadAndMinusOneOverWater) {
    LilyPad& pad = AddPad(300, 60);
    pad.Y = 200;  // the surface does not follow the pad's own height
    EXPECT_EQ(SupportHeightAt(300), 80.0);
    EXPECT_EQ(SupportHeightAt(100), -1.0);
    EXPECT_FALSE(IsAboveSupport(300, 80));
    EXPECT_TRUE(IsAboveSupport(300, 80.001));
    EXPECT_TRUE(IsAboveSupport(100, 80));
    EXPECT_FALSE(IsAboveSupport(100, -1));
}

TEST_F(PadTest, FloatingPadDrawsPlaceDriftColourAndMirrorInOrder) {
    RandomGenerator ref{app.Rng.Seed};
    const LilyPad pad(75);
    const double x = ref.Next() * 640;
    const double side = 2 * ref.Next(2) - 1;
    const double velX = side * (0.05 + ref.Next() * 0.05);
    const double red = ref.Next() * 0.3;
    const double green = 0.3 + ref.Next() * 0.3;
    const double blue = ref.Next() * 0.05;
    const bool mirrored = ref.Next(2) == 1;
    EXPECT_EQ(pad.X, x);
    EXPECT_EQ(pad.Y, 80);
    EXPECT_EQ(pad.VelX, velX);
    EXPECT_EQ(pad.VelY, 0);
    EXPECT_EQ(pad.Size, 75);
    EXPECT_EQ(pad.ColorR, red);
    EXPECT_EQ(pad.ColorG, green);
    EXPECT_EQ(pad.ColorB, blue);
    EXPECT_EQ(pad.Mirrored, mirrored);
    EXPECT_EQ(pad.TextureSlot, 6);
    EXPECT_FALSE(pad.Dead);
    EXPECT_EQ(app.Rng.Seed, ref.Seed);
    EXPECT_GE(std::abs(pad.VelX), 0.05);
    EXPECT_LT(std::abs(pad.VelX), 0.1);
}

TEST_F(PadTest, WinterPadsShareTheSkysGrey) {
    app.Sky->SetSeason(kWinter);
    app.Sky->SetSeasonPalette();
    const LilyPad a(60);
    const LilyPad b(60);
    EXPECT_EQ(a.ColorR, b.ColorR);
    EXPECT_EQ(a.ColorR, a.ColorG);
    EXPECT_EQ(a.ColorG, a.ColorB);
    EXPECT_GT(a.ColorR, 0.54);
    EXPECT_LE(a.ColorR, 0.94);
}

TEST_F(PadTest, SixPadsAreAllOfSizeFiftyAndTwoPadsRunFromOneToTwoHundred) {
    app.Rng.Seed = SeedForPadCount(6);
    MakeLevelPads();
    ASSERT_EQ(app.Pads.size(), 6u);
    for (const auto& pad : app.Pads) EXPECT_EQ(pad->Size, 50);

    uint32_t seed = 0;
    for (int level = 0; level < 20; ++level) {
        app.Pads.clear();
        seed = SeedForPadCount(2, seed + 1);
        app.Rng.Seed = seed;
        MakeLevelPads();
        ASSERT_EQ(app.Pads.size(), 2u);
        for (const auto& pad : app.Pads) {
            EXPECT_GE(pad->Size, 100);
            EXPECT_LT(pad->Size, 200);
        }
    }
}

TEST_F(PadTest, LevelPadsDrawCountThenSizeBeforeEachPad) {
    app.Rng.Seed = SeedForPadCount(3);
    RandomGenerator ref{app.Rng.Seed};
    MakeLevelPads();
    ASSERT_EQ(ref.Next(5), 1);
    for (int i = 0; i < 3; ++i) {
        const double size = 80 + ref.Next() * 80;
        EXPECT_EQ(app.Pads[i]->Size, size);
        for (int draw = 0; draw < 7; ++draw) ref.Next();  // the floating pad's own draws
    }
}

TEST_F(PadTest, SpreadPadsLeavesASinglePadAloneAndGivesUpAfter101Passes) {
    AddPad(300, 50);
    const uint32_t before = app.Rng.Seed;
    SpreadPads();
    EXPECT_EQ(app.Rng.Seed, before);

    // Two pads wider than the field always overlap: each pass moves both once.
    AddPad(320, 1000);
    app.Pads[0]->Size = 1000;
    RandomGenerator ref{app.Rng.Seed};
    SpreadPads();
    for (int draw = 0; draw < 2 * 101; ++draw) ref.Next();
    EXPECT_EQ(app.Rng.Seed, ref.Seed);
}

TEST_F(PadTest, SpreadPadsMovesTheOtherPadOfAnOverlapToARandomPlace) {
    AddPad(100, 50);
    AddPad(150, 50);
    // A seed whose first place is clear of the pad at 100, so one move settles it.
    uint32_t seed = 1;
    while (std::abs(RandomGenerator{seed}.Next() * 640 - 100) < 95) ++seed;
    app.Rng.Seed = seed;
    SpreadPads();
    EXPECT_EQ(app.Pads[0]->X, 100);
    EXPECT_EQ(app.Pads[1]->X, RandomGenerator{seed}.Next() * 640);
    RandomGenerator ref{seed};
    ref.Next();
    EXPECT_EQ(app.Rng.Seed, ref.Seed);
}

TEST_F(PadTest, PadBeyondAnEdgeTurnsInwardWithoutSnapping) {
    LilyPad& left = AddPad(-5, 50, -0.07);
    LilyPad& right = AddPad(700, 50, 0.07);
    UpdatePads();
    EXPECT_DOUBLE_EQ(left.X, -5.07);
    EXPECT_EQ(left.VelX, 0.07);
    EXPECT_DOUBLE_EQ(right.X, 700.07);
    EXPECT_EQ(right.VelX, -0.07);
    UpdatePads();
    EXPECT_DOUBLE_EQ(left.X, -5.0);
    EXPECT_EQ(left.VelX, 0.07);
    EXPECT_DOUBLE_EQ(right.X, 700.0);
}

TEST_F(PadTest, OverlappingPadsTurnApartAtTheirOldSpeeds) {
    LilyPad& a = AddPad(300, 50, 0.06);
    LilyPad& b = AddPad(350, 50, -0.09);
    UpdatePads();
    EXPECT_EQ(a.VelX, -0.06);
    EXPECT_EQ(b.VelX, 0.09);
}

TEST_F(PadTest, WithEqualXThePadWhoseStepRunsTurnsRight) {
    LilyPad& a = AddPad(299.75, 50, 0.25);
    LilyPad& b = AddPad(300, 50, 0.125);
    a.Update();  // a arrives at b's x
    EXPECT_EQ(a.X, b.X);
    EXPECT_EQ(a.VelX, 0.25);
    EXPECT_EQ(b.VelX, -0.125);
}

TEST_F(PadTest, OnlyStandingFrogsInsideTheSpanAreCarried) {
    AddPad(300, 50, 0.08);
    Frog& inside = AddFrog(350, FrogState::Standing);
    Frog& outside = AddFrog(350.01, FrogState::Standing);
    Frog& flying = AddFrog(300, FrogState::Airborne);
    Frog& swimming = AddFrog(300, FrogState::Swimming);
    UpdatePads();
    EXPECT_DOUBLE_EQ(inside.X, 350.08);
    EXPECT_EQ(outside.X, 350.01);
    EXPECT_EQ(flying.X, 300);
    EXPECT_EQ(swimming.X, 300);
}

TEST_F(PadTest, UpdateRemovesDeadPadsAndStepsTheNextInTheSameWalk) {
    AddPad(100, 50, 0.05).Dead = true;
    LilyPad& survivor = AddPad(400, 50, 0.05);
    UpdatePads();
    ASSERT_EQ(app.Pads.size(), 1u);
    EXPECT_EQ(app.Pads[0].get(), &survivor);
    EXPECT_DOUBLE_EQ(survivor.X, 400.05);
}

}  // namespace
