#include "game/frog.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/fly.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/player.h"
#include "game/sky.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "input/input_state.h"
#include "state/application.h"

namespace {

struct FrogTest : ::testing::Test {
    FrogTest() {
        UseApp(&app);
        app.Input = std::make_unique<InputState>(nullptr);
        app.Sky = std::make_unique<Sky>();
        app.Rng.Seed = 4242;
        game.Players.resize(2);
    }

    LilyPad& AddPad(double x, double size, double velX = 0) {
        app.Pads.push_back(std::make_unique<LilyPad>(x, 80, velX, 0, size));
        return *app.Pads.back();
    }
    Frog& AddFrog(double x, double y, FrogState state, int32_t facing = 1) {
        app.Frogs.push_back(std::make_unique<Frog>(x, y, 15));
        Frog& frog = *app.Frogs.back();
        frog.State = state;
        frog.Facing = facing;
        return frog;
    }
    Fly& AddFly(double x, double y) {
        app.Flies.push_back(std::make_unique<Fly>(1, x, y, 0, 0, 4));
        return *app.Flies.back();
    }
    Application app;
    // The game the frogs and flies read; owned by the application.
    Game& game = *(app.Game = std::make_unique<Game>());
};

TEST_F(FrogTest, ConstructorsDrawPlaceThenFacingAndBuildTheLegs) {
    RandomGenerator ref{app.Rng.Seed};
    const Frog frog;
    EXPECT_EQ(frog.X, ref.Next(640));
    EXPECT_EQ(frog.Y, ref.Next(480));
    EXPECT_EQ(frog.Facing, 2 * ref.Next(2) - 1);
    EXPECT_EQ(app.Rng.Seed, ref.Seed);
    EXPECT_EQ(frog.Size, 15);
    EXPECT_EQ(frog.State, FrogState::Standing);
    EXPECT_EQ(frog.PlayerIndex, 0);
    EXPECT_FALSE(frog.TongueOut);
    EXPECT_FALSE(frog.Charging);
    EXPECT_EQ(frog.TurnDelay, 0);
    EXPECT_EQ(frog.TargetFly, nullptr);

    const LegJoint& hip = frog.BackLeg[0];
    EXPECT_EQ(hip.Length, 15);
    EXPECT_EQ(hip.Angle, 285);
    EXPECT_EQ(hip.StretchedAngle, 180);
    EXPECT_EQ(hip.HalfWidth, 3.0);
    EXPECT_EQ(hip.Tile, 4);
    EXPECT_EQ(frog.BackLeg[2].Length, 0.6 * 15);
    EXPECT_EQ(frog.BackLeg[2].TuckedAngle, 255);
    EXPECT_EQ(frog.FrontLeg[0].Length, 0.3 * 15);
    EXPECT_EQ(frog.FrontLeg[1].StretchedAngle, 300);
    EXPECT_EQ(frog.FrontLeg[1].Tile, 8);
}

TEST_F(FrogTest, JumpSetsTakeOffSpeedsAndAHopIsThreeUpAndThreePointTwoAcross) {
    struct Case {
        double strength, velX, velY;
    };
    for (const Case c : {Case{0, -6, 0}, Case{-1, -3.2, 3}, Case{4, -4, 4}, Case{9, -3, 9}}) {
        Frog& frog = AddFrog(300, 87.5, FrogState::Standing, -1);
        const uint32_t seed = app.Rng.Seed;
        frog.Jump(c.strength);
        EXPECT_EQ(frog.VelX, c.velX) << c.strength;
        EXPECT_EQ(frog.VelY, c.velY) << c.strength;
        EXPECT_EQ(frog.State, FrogState::Airborne);
        EXPECT_EQ(app.Rng.Seed, seed);
    }
}

TEST_F(FrogTest, NothingTakesOffOrShootsWhileTheLevelIsOver) {
    game.LevelOver = true;
    Frog& frog = AddFrog(300, 87.5, FrogState::Standing);
    const uint32_t seed = app.Rng.Seed;
    frog.Jump(4);
    frog.ShootTongue(5, 0.5);
    EXPECT_EQ(frog.State, FrogState::Standing);
    EXPECT_EQ(frog.VelY, 0);
    EXPECT_FALSE(frog.TongueOut);
    EXPECT_EQ(app.Rng.Seed, seed);
}

TEST_F(FrogTest, FrogLeftByItsPadFallsAndSplashesWhenItsCentrePassesTheWaterLine) {
    AddPad(300, 50);
    Frog& frog = AddFrog(350.5, 87.5, FrogState::Standing);
    frog.UpdateFrog();
    EXPECT_EQ(frog.State, FrogState::Airborne);
    double fallSpeed = 0;
    double lastY = 0;
    while (frog.State != FrogState::Swimming) {
        lastY = frog.Y;
        fallSpeed = std::fabs(frog.VelY);
        frog.UpdateFrog();
    }
    EXPECT_LT(lastY, 80);        // the splash comes in the step after the centre went under
    EXPECT_EQ(frog.Facing, -1);  // toward the pad it left
    ASSERT_GE(app.Ripples.size(), 1u);
    const Ripple& ripple = *app.Ripples[0];
    EXPECT_EQ(ripple.Y, 80);
    EXPECT_EQ(ripple.Radius, fallSpeed + 10);
    EXPECT_EQ(ripple.Strength, fallSpeed * 0.04 + 0.03);
    const size_t droplets = std::nearbyint(fallSpeed * 0.63 * 15) + 2;
    EXPECT_EQ(app.Particles.size(), droplets);
}

TEST_F(FrogTest, FrogFallingInRightOfEveryPadSwimsLeftOneUnitPerStep) {
    AddPad(100, 50);
    AddPad(300, 50);
    Frog& frog = AddFrog(500, 79, FrogState::Airborne, 1);
    frog.VelY = -2;
    frog.UpdateFrog();
    EXPECT_EQ(frog.State, FrogState::Swimming);
    EXPECT_EQ(frog.Facing, -1);
    for (int i = 0; i < 5; ++i) {
        const double x = frog.X;
        frog.UpdateFrog();
        EXPECT_EQ(frog.X, x - 1);
    }
}

TEST_F(FrogTest, FallingInPicksTheNearestOutsideEdgeAndTiesKeepTheEarlierPad) {
    AddPad(150, 50);  // 100..200
    AddPad(450, 50);  // 400..500
    struct Case {
        double x;
        int32_t facing;
    };
    for (const Case c : {Case{260, -1}, Case{340, 1}, Case{300, -1}, Case{450, -1}}) {
        Frog& frog = AddFrog(c.x, 79, FrogState::Airborne, 0);
        frog.UpdateFrog();
        EXPECT_EQ(frog.Facing, c.facing) << c.x;
    }
    std::swap(app.Pads[0], app.Pads[1]);
    Frog& frog = AddFrog(300, 79, FrogState::Airborne, 0);
    frog.UpdateFrog();
    EXPECT_EQ(frog.Facing, 1);
}

TEST_F(FrogTest, SwimmerClimbsOutAtThePadEdgeAndStandsOnIt) {
    AddPad(300, 50);
    Frog& frog = AddFrog(245, 80, FrogState::Swimming, 1);
    int steps = 0;
    while (frog.State == FrogState::Swimming && steps < 100) {
        frog.UpdateFrog();
        ++steps;
    }
    EXPECT_EQ(frog.State, FrogState::Standing);
    EXPECT_EQ(frog.Y, 87.5);
    EXPECT_EQ(frog.VelX, 0);
    EXPECT_GE(frog.X, 250);
}

TEST_F(FrogTest, SwimmerUnderAPadWaitsForTheBobbingToLiftIt) {
    AddPad(300, 50);
    Frog& frog = AddFrog(260, 60, FrogState::Swimming, 1);
    frog.UpdateFrog();
    EXPECT_EQ(frog.X, 260);
    EXPECT_DOUBLE_EQ(frog.Y, 60.2);
    for (int i = 0; i < 100 && frog.State == FrogState::Swimming; ++i) frog.UpdateFrog();
    EXPECT_EQ(frog.State, FrogState::Standing);
    EXPECT_EQ(frog.Y, 87.5);
}

TEST_F(FrogTest, FrogFarOffTheFieldIsTurnedBackNotClamped) {
    Frog& left = AddFrog(-121, 300, FrogState::Airborne);
    left.VelX = -2;
    left.UpdateFrog();
    EXPECT_EQ(left.X, -123);
    EXPECT_EQ(left.VelX, 2 * 0.98);
    Frog& right = AddFrog(761, 300, FrogState::Airborne);
    right.VelX = 2;
    right.UpdateFrog();
    EXPECT_EQ(right.X, 763);
    EXPECT_EQ(right.VelX, -2 * 0.98);
}

TEST_F(FrogTest, HardLandingOnAPadLeavesARippleAtThePad) {
    AddPad(300, 60);
    Frog& frog = AddFrog(310, 88, FrogState::Airborne);
    frog.VelY = -2;
    frog.UpdateFrog();
    EXPECT_EQ(frog.State, FrogState::Standing);
    EXPECT_EQ(frog.Y, 87.5);
    EXPECT_EQ(frog.VelY, 0);
    ASSERT_EQ(app.Ripples.size(), 1u);
    EXPECT_EQ(app.Ripples[0]->X, 300);
    EXPECT_EQ(app.Ripples[0]->Radius, 45);
    EXPECT_EQ(app.Ripples[0]->Strength, 2.15 * 0.012 + 0.01);
    frog.UpdateFrog();  // a standing frog lands every step without a ripple
    EXPECT_EQ(app.Ripples.size(), 1u);
}

TEST_F(FrogTest, FrogsCloserThanTheCollisionDistancePushEachOtherApart) {
    AddPad(300, 100);
    game.FrogsCollide = true;
    Frog& a = AddFrog(300, 87.5, FrogState::Standing);
    Frog& b = AddFrog(324, 87.5, FrogState::Standing);
    a.UpdateFrog();  // exactly (15 + 15) x 0.8 apart: the test is strict
    EXPECT_EQ(a.State, FrogState::Standing);
    EXPECT_EQ(b.State, FrogState::Standing);

    b.X = 320;
    a.Charging = true;
    b.IdleSteps = 40;
    a.UpdateFrog();
    EXPECT_EQ(a.VelX, -0.1);  // both still: the push is the 0.1 minimum
    EXPECT_EQ(b.VelX, 0.1);
    EXPECT_NEAR(a.VelY, 0, 1e-15);
    EXPECT_EQ(a.State, FrogState::Airborne);
    EXPECT_EQ(b.State, FrogState::Airborne);
    EXPECT_FALSE(a.Charging);
    EXPECT_EQ(b.IdleSteps, 0);
}

TEST_F(FrogTest, FrogsPassThroughEachOtherWhenCollisionsAreOff) {
    AddPad(300, 100);
    Frog& a = AddFrog(300, 87.5, FrogState::Standing);
    Frog& b = AddFrog(301, 87.5, FrogState::Standing);
    a.UpdateFrog();
    EXPECT_EQ(a.State, FrogState::Standing);
    EXPECT_EQ(b.VelX, 0);
}

TEST_F(FrogTest, FrogStandingFor500StepsKeepsItsEyesShutUntilItMoves) {
    AddPad(300, 100);
    Frog& frog = AddFrog(300, 87.5, FrogState::Standing);
    for (int i = 0; i < 500; ++i) frog.UpdateFrog();
    EXPECT_EQ(frog.IdleSteps, 500);
    EXPECT_EQ(frog.BlinkSteps, 3);
    const uint32_t seed = app.Rng.Seed;
    for (int i = 0; i < 50; ++i) frog.UpdateFrog();
    EXPECT_EQ(frog.BlinkSteps, 3);
    EXPECT_EQ(app.Rng.Seed, seed);  // no blink chance is drawn while dozing
    frog.Jump(4);
    frog.UpdateFrog();
    EXPECT_EQ(frog.IdleSteps, 0);
    EXPECT_EQ(frog.BlinkSteps, 2);
}

TEST_F(FrogTest, BlinkChanceIsDrawnOnlyWithOpenEyes) {
    AddPad(300, 100);
    Frog& frog = AddFrog(300, 87.5, FrogState::Standing);
    frog.BlinkSteps = 2;
    uint32_t seed = app.Rng.Seed;
    frog.UpdateFrog();
    EXPECT_EQ(frog.BlinkSteps, 1);
    EXPECT_EQ(app.Rng.Seed, seed);
    RandomGenerator ref{seed};
    frog.UpdateFrog();
    EXPECT_EQ(frog.BlinkSteps, ref.Next(50) == 0 ? 3 : 0);
    EXPECT_EQ(app.Rng.Seed, ref.Seed);
}

TEST_F(FrogTest, LegsHangFromTheHipsAndStretchInTheAir) {
    AddPad(300, 100);
    Frog& frog = AddFrog(300, 87.5, FrogState::Standing, -1);
    frog.UpdateFrog();
    const LegJoint& hip = frog.BackLeg[0];
    const double rad = 3.14159265358979323846 / 180;
    EXPECT_EQ(hip.StartX, 312);
    EXPECT_EQ(hip.StartY, 80.5);
    EXPECT_EQ(hip.Angle, 285);
    EXPECT_DOUBLE_EQ(hip.EndX, 312 + 15 * std::sin(285 * rad));
    EXPECT_DOUBLE_EQ(hip.EndY, 80.5 + 15 * std::cos(285 * rad));
    EXPECT_DOUBLE_EQ(hip.QuadX1, 312 - 2 * std::sin(285 * rad));  // 2 units past the hip
    EXPECT_EQ(frog.BackLeg[1].StartX, hip.EndX);
    EXPECT_EQ(frog.FrontLeg[0].StartX, 297);
    EXPECT_EQ(frog.FrontLeg[0].StartY, 86.5);

    frog.Jump(8);
    frog.UpdateFrog();
    EXPECT_DOUBLE_EQ(frog.BackLeg[0].Angle, (5 * 285 + 180) / 6.0);
    EXPECT_DOUBLE_EQ(frog.FrontLeg[0].Angle, (4 * 210 + 250) / 5.0);
}

TEST_F(FrogTest, NearestFlyKeepsTheEarlierOnATieAndNoFliesChangeNothing) {
    Frog& frog = AddFrog(300, 100, FrogState::Standing);
    Fly& kept = AddFly(300, 300);
    frog.TargetFly = &kept;
    app.Flies.clear();
    EXPECT_EQ(frog.TargetFly, nullptr);  // the fly's removal cleared it
    frog.PickNearestFly();
    EXPECT_EQ(frog.TargetFly, nullptr);
    Fly& left = AddFly(250, 100);
    AddFly(350, 100);
    AddFly(300, 200);
    frog.PickNearestFly();
    EXPECT_EQ(frog.TargetFly, &left);
}

TEST_F(FrogTest, UpdateRemovesDeadFrogsAndStepsTheNextInTheSameWalk) {
    AddPad(300, 100);
    AddFrog(300, 87.5, FrogState::Standing).Dead = true;
    Frog& next = AddFrog(320, 200, FrogState::Airborne);
    UpdateFrogs();
    ASSERT_EQ(app.Frogs.size(), 1u);
    EXPECT_EQ(next.VelY, -0.15);
}

}  // namespace
