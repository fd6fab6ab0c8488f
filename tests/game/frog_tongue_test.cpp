#include <gtest/gtest.h>

#include <cmath>

#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/player.h"
#include "game/sky.h"
#include "gfx/particle.h"
#include "input/input_state.h"
#include "state/application.h"

namespace {

struct TongueTest : ::testing::Test {
    TongueTest() {
        UseApp(&app);
        app.Input = std::make_unique<InputState>(nullptr);
        app.Sky = std::make_unique<Sky>();
        app.Rng.Seed = 99;
        game.Players.resize(2);
        // People with no keys held: nothing but the tongue moves the frog.
        for (PlayerRecord& player : game.Players) {
            player.IsHuman = true;
            player.Scheme = 1;
        }
        app.Pads.push_back(std::make_unique<LilyPad>(300, 80, 0, 0, 100));
        app.Frogs.push_back(std::make_unique<Frog>(300, 87.5, 15));
        frog = app.Frogs.back().get();
        frog->Facing = 1;
    }

    Fly& AddFly(double x, double y, int32_t points = 1) {
        app.Flies.push_back(std::make_unique<Fly>(points, x, y, 0, 0, 4));
        return *app.Flies.back();
    }
    // One simulation step of the world the tongue lives in.
    void Step() {
        UpdateFlies();
        UpdateFrogs();
    }
    static uint32_t SeedWhere(int32_t n, int32_t value) {
        uint32_t seed = 1;
        while (RandomGenerator{seed}.Next(n) != value) ++seed;
        return seed;
    }
    Application app;
    // The game the frogs and flies read; owned by the application.
    Game& game = *(app.Game = std::make_unique<Game>());
    Frog* frog = nullptr;
};

TEST_F(TongueTest, ShotLaysEverySegmentAtTheMouthAndLaunchesTheTip) {
    frog->VelX = 0.5;
    frog->VelY = 1;
    frog->IdleSteps = 30;
    app.Rng.Seed = SeedWhere(10, 3);  // no spit
    RandomGenerator ref{app.Rng.Seed};
    frog->ShootTongue(5, 0.5);
    EXPECT_TRUE(frog->TongueOut);
    EXPECT_EQ(frog->TongueLength, 7);
    EXPECT_EQ(frog->TongueTime, 0);
    EXPECT_EQ(frog->IdleSteps, 0);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(frog->Tongue[i].X, 307);
        EXPECT_EQ(frog->Tongue[i].Y, 90.5);
        EXPECT_EQ(frog->Tongue[i].Width, 0.5);
    }
    EXPECT_EQ(frog->Tongue[0].VelX, 5.5);
    EXPECT_EQ(frog->Tongue[0].VelY, 1.5);
    EXPECT_EQ(frog->Tongue[1].VelX, 0);
    EXPECT_TRUE(app.Particles.empty());
    ref.Next(10);
    ref.Next(3);  // which smack
    EXPECT_EQ(app.Rng.Seed, ref.Seed);
}

TEST_F(TongueTest, OneShotInTenSpitsTwoToSixDropletsFromTheTip) {
    app.Rng.Seed = SeedWhere(10, 0);
    RandomGenerator ref{app.Rng.Seed};
    frog->ShootTongue(-5, 0.5);
    ref.Next(10);
    const int32_t count = ref.Next(5) + 2;
    ASSERT_EQ(app.Particles.size(), static_cast<size_t>(count));
    const Particle& first = *app.Particles[0];
    EXPECT_EQ(first.Kind, kDroplet);
    EXPECT_EQ(first.X, 307);
    EXPECT_EQ(first.VelX, ref.Next() * -5 * 0.5);
    EXPECT_EQ(first.VelY, ref.Next() * 0.5);
    EXPECT_EQ(first.Size, ref.Next() * 0.4 + 0.2);
}

TEST_F(TongueTest, TongueFliesTwentyStepsThenIsSwallowedSegmentBySegment) {
    frog->ShootTongue(5, 0.5);
    const int expected[] = {7, 7, 7, 7, 7, 6, 6, 6, 6, 6, 5, 5, 5, 5, 5, 4, 4, 4, 4, 4, 3};
    for (int step = 1; step <= 20; ++step) {
        Step();
        EXPECT_EQ(frog->TongueLength, 7) << step;
    }
    for (int step = 21; step <= 40; ++step) {
        Step();
        EXPECT_EQ(frog->TongueLength, expected[step - 20]) << step;
    }
    EXPECT_TRUE(frog->TongueOut);
    Step();
    EXPECT_EQ(frog->TongueLength, 0);
    EXPECT_FALSE(frog->TongueOut);
}

TEST_F(TongueTest, CoincidingSegmentsMakeTheWidestPiece) {
    frog->ShootTongue(5, 0.5);
    Step();
    for (int i = 1; i < 6; ++i) EXPECT_EQ(frog->Tongue[i].Width, 1.5) << i;
}

TEST_F(TongueTest, CaughtFlyIsCarriedToTheMouthSwallowedAndScored) {
    AddFly(330, 91);
    frog->PlayerIndex = 1;
    frog->ShootTongue(5, 0.5);
    int step = 0;
    bool caught = false;
    while (frog->TongueOut) {
        Step();
        ++step;
        // Once caught, the fly rides the tongue until it is swallowed and removed.
        if (const Fly* held = frog->Tongue[0].HeldFly) {
            caught = true;
            EXPECT_EQ(held->VelX, 0);
        }
    }
    EXPECT_TRUE(caught);
    EXPECT_EQ(step, 41);
    EXPECT_EQ(game.Players[1].LevelPoints, 1);
    EXPECT_EQ(game.Players[0].LevelPoints, 0);
    UpdateFlies();
    EXPECT_TRUE(app.Flies.empty());
    for (const TongueSegment& segment : frog->Tongue) EXPECT_EQ(segment.HeldFly, nullptr);
}

TEST_F(TongueTest, BigFlyScoresTwo) {
    AddFly(330, 91, 2);
    frog->ShootTongue(5, 0.5);
    while (frog->TongueOut) Step();
    EXPECT_EQ(game.Players[0].LevelPoints, 2);
}

TEST_F(TongueTest, FlySwallowedAfterTheLevelEndedDiesWithoutPoints) {
    AddFly(330, 91);
    frog->ShootTongue(5, 0.5);
    Step();
    game.LevelOver = true;
    while (frog->TongueOut) Step();
    UpdateFlies();
    EXPECT_TRUE(app.Flies.empty());
    EXPECT_EQ(game.Players[0].LevelPoints, 0);
}

TEST_F(TongueTest, FlyHeldByTwoSegmentsPaysOnceWithOneGulpOrBurp) {
    Fly& fly = AddFly(600, 400);
    frog->ShootTongue(5, 0.5);
    for (const bool burp : {false, true}) {
        fly.Dead = false;
        game.Players[0].LevelPoints = 0;
        frog->TongueOut = true;
        frog->TongueLength = 2;
        frog->TongueTime = 40;
        frog->Tongue[0].HeldFly = &fly;
        frog->Tongue[1].HeldFly = &fly;
        frog->BlinkSteps = 3;  // no blink chance this step
        // The step draws the target choice (a fly exists), then the swallow's sound.
        uint32_t seed = 1;
        for (;; ++seed) {
            RandomGenerator probe{seed};
            probe.Next(80);
            if ((probe.Next(10) == 0) == burp) break;
        }
        app.Rng.Seed = seed;
        RandomGenerator ref{seed};
        ref.Next(80);
        if (ref.Next(10) == 0) ref.Next(2);  // a burp names one of two samples
        frog->UpdateFrog();
        EXPECT_FALSE(frog->TongueOut);
        EXPECT_TRUE(fly.Dead);
        EXPECT_EQ(game.Players[0].LevelPoints, 1);
        EXPECT_EQ(app.Rng.Seed, ref.Seed) << burp;
    }
}

TEST_F(TongueTest, TipHomesOnAFlyAheadAtEightUnitsPerStep) {
    Fly& fly = AddFly(400, 90.5);
    frog->ShootTongue(5, 0.5);
    frog->TargetFly = &fly;
    frog->UpdateFrog();
    EXPECT_DOUBLE_EQ(frog->Tongue[0].X, 315);
    EXPECT_NEAR(frog->Tongue[0].Y, 90.5, 1e-12);
}

TEST_F(TongueTest, TipBendsAtMostFortyFiveDegreesOffTheHorizontal) {
    Fly& fly = AddFly(310, 300);
    frog->ShootTongue(5, 0.5);
    frog->TargetFly = &fly;
    frog->UpdateFrog();
    const double step = 8 * std::sqrt(0.5);
    EXPECT_NEAR(frog->Tongue[0].X, 307 + step, 1e-12);
    EXPECT_NEAR(frog->Tongue[0].Y, 90.5 + step, 1e-12);
}

TEST_F(TongueTest, TipIgnoresAFlyBehindTheFrog) {
    Fly& fly = AddFly(200, 150);
    frog->ShootTongue(5, 0.5);
    frog->TargetFly = &fly;
    frog->UpdateFrog();
    EXPECT_EQ(frog->Tongue[0].X, 312);
    EXPECT_EQ(frog->Tongue[0].Y, 91);
}

TEST_F(TongueTest, StretchedPieceIsPulledBackToThirteenUnits) {
    frog->ShootTongue(5, 0.5);
    frog->TongueLength = 2;
    frog->Tongue[0].X = 407;
    frog->Tongue[0].VelX = 0;
    frog->Tongue[0].VelY = 0;
    frog->UpdateFrog();
    const TongueSegment& tip = frog->Tongue[0];
    const TongueSegment& root = frog->Tongue[1];
    EXPECT_EQ(root.X, 307);
    EXPECT_NEAR(Distance(tip.X, tip.Y, root.X, root.Y), 13, 1e-9);
    EXPECT_EQ(tip.Width, 0.3);
    // The tip is nearly still, so it takes most of the root's velocity (zero).
    EXPECT_DOUBLE_EQ(tip.VelY, -0.075 * 0.101);
}

}  // namespace
