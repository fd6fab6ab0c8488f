#include "game/fly.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/frog.h"
#include "game/game.h"
#include "game/player.h"
#include "game/sky.h"
#include "gfx/geometry.h"
#include "input/input_state.h"
#include "state/application.h"

namespace {

struct FlyTest : ::testing::Test {
    FlyTest() {
        UseApp(&app);
        app.Input = std::make_unique<InputState>(nullptr);
        app.Sky = std::make_unique<Sky>();
        app.Rng.Seed = 77;
        game.FlySpeed = 1.2;
    }

    Fly& AddFly(double x, double y, double velX, double velY) {
        app.Flies.push_back(std::make_unique<Fly>(1, x, y, velX, velY, 4));
        return *app.Flies.back();
    }
    // The first seed from `from` on whose first Random(n) is `value`.
    static uint32_t SeedWhere(int32_t n, int32_t value, uint32_t from = 1) {
        uint32_t seed = from;
        while (RandomGenerator{seed}.Next(n) != value) ++seed;
        return seed;
    }
    // Angle between two headings, ignoring the wrap at 360.
    static double HeadingGap(double a, double b) {
        const double gap = std::fmod(std::fabs(a - b), 360.0);
        return std::min(gap, 360 - gap);
    }
    Application app;
    // The game the frogs and flies read; owned by the application.
    Game& game = *(app.Game = std::make_unique<Game>());
};

TEST_F(FlyTest, FullConstructorDrawsTargetColourWingsAndSpeedInOrder) {
    RandomGenerator ref{app.Rng.Seed};
    const Fly fly(2, 10, 20, 0.5, -0.25, 7);
    EXPECT_EQ(fly.Points, 2);
    EXPECT_EQ(fly.X, 10);
    EXPECT_EQ(fly.Y, 20);
    EXPECT_EQ(fly.VelX, 0.5);
    EXPECT_EQ(fly.VelY, -0.25);
    EXPECT_EQ(fly.Size, 7);
    EXPECT_EQ(fly.TargetX, ref.Next() * 640);
    EXPECT_EQ(fly.TargetY, ref.Next(370) + 90);
    EXPECT_EQ(fly.ColorR, 0.6 - ref.Next() * 0.2);
    EXPECT_EQ(fly.ColorG, 0.6 - ref.Next() * 0.2);
    EXPECT_EQ(fly.ColorB, 0.6 - ref.Next() * 0.2);
    EXPECT_EQ(fly.WingPhase, ref.Next() * 1000);
    EXPECT_EQ(fly.MaxSpeed, ref.Next() * 1.2 + 0.1);
    EXPECT_EQ(fly.Heading, 0);
    EXPECT_FALSE(fly.Dead);
    EXPECT_EQ(app.Rng.Seed, ref.Seed);
}

TEST_F(FlyTest, EntryConstructorPicksTheSideThenPlaceThenVelocity) {
    struct Side {
        int32_t draw;
        bool randomX;
        double x, y;
    };
    for (const Side side : {Side{0, false, -5, 0}, Side{1, false, 645, 0}, Side{2, true, 0, 485}}) {
        app.Rng.Seed = SeedWhere(3, side.draw);
        RandomGenerator ref{app.Rng.Seed};
        const Fly fly(1, 4.5);
        EXPECT_EQ(ref.Next(3), side.draw);
        if (side.randomX) {
            EXPECT_EQ(fly.X, ref.Next() * 640);
            EXPECT_EQ(fly.Y, side.y);
        } else {
            EXPECT_EQ(fly.X, side.x);
            EXPECT_EQ(fly.Y, ref.Next(370) + 90);
        }
        EXPECT_EQ(fly.VelX, ref.Next() - 0.5);
        EXPECT_EQ(fly.VelY, ref.Next() - 0.5);
        EXPECT_EQ(fly.TargetX, ref.Next() * 640);
        EXPECT_EQ(fly.Size, 4.5);
        EXPECT_EQ(fly.Points, 1);
    }
}

TEST_F(FlyTest, DefaultConstructorMakesABigFlyOneTimeInFourteen) {
    app.Rng.Seed = SeedWhere(14, 0);
    RandomGenerator ref{app.Rng.Seed};
    const Fly big;
    ref.Next(14);
    EXPECT_EQ(big.Points, 2);
    EXPECT_EQ(big.Size, 6 + ref.Next() * 2);
    EXPECT_TRUE(big.Y == 485 || big.X == -5 || big.X == 645);

    app.Rng.Seed = SeedWhere(14, 5);
    ref.Seed = app.Rng.Seed;
    const Fly ordinary;
    ref.Next(14);
    EXPECT_EQ(ordinary.Points, 1);
    EXPECT_EQ(ordinary.Size, 3.5 + ref.Next() * 2.2);

    int bigCount = 0;
    for (int i = 0; i < 14000; ++i) bigCount += Fly().Points == 2;
    EXPECT_NEAR(bigCount, 1000, 120);
}

TEST_F(FlyTest, FlyEnteringFromTheLeftTurnsInward) {
    app.Rng.Seed = SeedWhere(3, 0);
    Fly& fly = *app.Flies.emplace_back(std::make_unique<Fly>(1, 4));
    ASSERT_EQ(fly.X, -5);
    EXPECT_GE(fly.TargetX, 0);
    EXPECT_LT(fly.TargetX, 640);
    fly.VelX = -0.5;
    fly.Update();
    EXPECT_GT(fly.VelX, 0);
}

TEST_F(FlyTest, WallsTurnTheVelocityButNeverMoveTheFly) {
    Fly& low = AddFly(300, 85, 0, -3);
    low.Update();
    EXPECT_EQ(low.Y, 82);
    EXPECT_GT(low.VelY, 0);
    Fly& high = AddFly(300, 484, 0, 3);
    high.Update();
    EXPECT_EQ(high.Y, 487);
    EXPECT_LT(high.VelY, 0);
    Fly& right = AddFly(650, 300, 3, 0);
    right.Update();
    EXPECT_EQ(right.X, 653);
    EXPECT_LT(right.VelX, 0);
}

struct Flight {
    double x, y, velX, velY, heading;
};

TEST_F(FlyTest, FlyTurnsToFaceItsFlight) {
    game.FlySpeed = 0;  // the pull never works against a fast flight
    for (const Flight f : {Flight{300, 100, 0, 10, 0}, Flight{500, 300, -10, 0, 90},
                           Flight{300, 400, 0, -10, 180}, Flight{100, 300, 10, 0, 270}}) {
        Fly& fly = AddFly(f.x, f.y, f.velX, f.velY);
        fly.TargetX = f.x + 1000 * f.velX;
        fly.TargetY = f.y + 1000 * f.velY;
        fly.Heading = FloatMod(f.heading + 150, 360);
        for (int i = 0; i < 20; ++i) fly.Update();
        EXPECT_LT(HeadingGap(fly.Heading, f.heading), 8) << f.heading;
    }
}

TEST_F(FlyTest, TurnThatWouldPassTheWantedHeadingLandsOnIt) {
    Fly& fly = AddFly(500, 300, -5, 0);
    fly.TargetX = -1000;
    fly.Heading = 95;
    fly.Update();
    EXPECT_EQ(fly.Heading, FloatMod(AngleOf(fly.VelX, fly.VelY) + 180, 360));
}

TEST_F(FlyTest, HoveringFlyKeepsItsHeading) {
    Fly& fly = AddFly(300, 300, 0, 0);
    fly.TargetX = 300;
    fly.TargetY = 300;
    fly.Heading = 123;
    fly.Update();
    EXPECT_EQ(fly.Heading, 123);
}

TEST_F(FlyTest, StepDrawsJitterPullThenNewTargetAndSpeedChances) {
    Fly& fly = AddFly(300, 300, 0, 0);
    fly.TargetX = 400;
    fly.TargetY = 200;
    fly.MaxSpeed = 1;
    RandomGenerator ref{app.Rng.Seed};
    fly.Update();
    const double velX = (ref.Next() - 0.5) * 0.5;
    const double velY = (ref.Next() - 0.5) * 0.5;
    EXPECT_EQ(fly.VelX, velX + ref.Next() * 0.3);  // pulled right toward x 400
    EXPECT_EQ(fly.VelY, velY - ref.Next() * 0.3);  // pulled down toward y 200
    if (ref.Next(320) == 0) {
        ref.Next();
        ref.Next(370);
    }
    if (ref.Next(80) == 0) ref.Next();
    EXPECT_EQ(app.Rng.Seed, ref.Seed);
}

TEST_F(FlyTest, WingPhaseGrowsWithoutWrap) {
    game.FlySpeed = 0;  // MaxSpeed stays 0.1, so each beat adds 0.45
    Fly& fly = AddFly(300, 300, 0, 0);
    const double start = fly.WingPhase;
    for (int i = 0; i < 1000; ++i) fly.Update();
    EXPECT_NEAR(fly.WingPhase, start + 450, 1e-6);
}

TEST_F(FlyTest, DestroyingAFlyClearsEveryFrogsReferenceToIt) {
    Fly& eaten = AddFly(100, 100, 0, 0);
    Fly& other = AddFly(200, 200, 0, 0);
    app.Frogs.push_back(std::make_unique<Frog>(0, 0, 15));
    app.Frogs.push_back(std::make_unique<Frog>(0, 0, 15));
    Frog& a = *app.Frogs[0];
    Frog& b = *app.Frogs[1];
    a.TargetFly = &eaten;
    a.Tongue[2].HeldFly = &eaten;
    a.Tongue[3].HeldFly = &eaten;
    b.TargetFly = &other;
    b.Tongue[0].HeldFly = &eaten;
    eaten.Kill();
    UpdateFlies();
    ASSERT_EQ(app.Flies.size(), 1u);
    EXPECT_EQ(a.TargetFly, nullptr);
    EXPECT_EQ(a.Tongue[2].HeldFly, nullptr);
    EXPECT_EQ(a.Tongue[3].HeldFly, nullptr);
    EXPECT_EQ(b.Tongue[0].HeldFly, nullptr);
    EXPECT_EQ(b.TargetFly, &other);
}

TEST_F(FlyTest, UpdateStepsTheFlyAfterARemovedOneInTheSameWalk) {
    AddFly(100, 100, 0, 0).Kill();
    Fly& next = AddFly(200, 200, 1, 0);
    UpdateFlies();
    ASSERT_EQ(app.Flies.size(), 1u);
    EXPECT_EQ(next.X, 201);
}

}  // namespace
