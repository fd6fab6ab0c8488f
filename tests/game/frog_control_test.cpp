#include <gtest/gtest.h>

#include <cmath>

#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/player.h"
#include "game/player_input.h"
#include "game/sky.h"
#include "input/input_state.h"
#include "state/application.h"

namespace {

constexpr uint8_t kUp = 200;
constexpr uint8_t kLeft = 203;
constexpr uint8_t kRight = 205;
constexpr uint8_t kRightControl = 157;
constexpr uint8_t kW = 17;
constexpr uint8_t kA = 30;

struct ControlTest : ::testing::Test {
    ControlTest() {
        UseApp(&app);
        app.Input = std::make_unique<InputState>(nullptr);
        app.Sky = std::make_unique<Sky>();
        app.Rng.Seed = 31337;
        InstallKeyTable();
        game.Players.resize(2);
        for (PlayerRecord& player : game.Players) {
            player.IsHuman = true;
            player.Scheme = 1;
        }
        app.Pads.push_back(std::make_unique<LilyPad>(300, 80, 0, 0, 150));
        frog = &AddFrog(300);
    }

    Frog& AddFrog(double x) {
        app.Frogs.push_back(std::make_unique<Frog>(x, 87.5, 15));
        Frog& added = *app.Frogs.back();
        added.Facing = 1;
        added.PlayerIndex = static_cast<int32_t>(app.Frogs.size()) - 1;
        return added;
    }
    Fly& AddFly(double x, double y) {
        app.Flies.push_back(std::make_unique<Fly>(1, x, y, 0, 0, 4));
        return *app.Flies.back();
    }
    void Hold(uint8_t code) { app.Input->Keys[code] = 0x80; }
    void Release(uint8_t code) { app.Input->Keys[code] = 0; }
    void MakeComputer(int32_t skill) {
        game.Players[0].IsHuman = false;
        game.Players[0].Scheme = 0;
        game.Players[0].Skill = skill;
    }
    Application app;
    // The game the frogs and flies read; owned by the application.
    Game& game = *(app.Game = std::make_unique<Game>());
    Frog* frog = nullptr;
};

TEST_F(ControlTest, FirstPressOnlyTurnsThenHeldKeyHopsTenStepsLater) {
    frog->IdleSteps = 100;
    Hold(kLeft);
    frog->UpdateFrog();
    EXPECT_EQ(frog->Facing, -1);
    EXPECT_EQ(frog->TurnDelay, 10);
    EXPECT_EQ(frog->IdleSteps, 1);  // reset by the turn, then counted by the step
    EXPECT_EQ(frog->State, FrogState::Standing);
    for (int step = 2; step <= 10; ++step) {
        frog->UpdateFrog();
        EXPECT_EQ(frog->State, FrogState::Standing) << step;
        EXPECT_EQ(frog->X, 300);
    }
    frog->UpdateFrog();
    EXPECT_EQ(frog->State, FrogState::Airborne);
    EXPECT_EQ(frog->VelX, -3.2 * 0.98);
    EXPECT_EQ(frog->VelY, 3 - 0.15);
    while (frog->State == FrogState::Airborne) frog->UpdateFrog();
    frog->UpdateFrog();  // one hop per landing while the key stays down
    EXPECT_EQ(frog->State, FrogState::Airborne);
}

TEST_F(ControlTest, LeftWinsWhenBothDirectionsAreHeld) {
    Hold(kLeft);
    Hold(kRight);
    frog->UpdateFrog();
    EXPECT_EQ(frog->Facing, -1);
    EXPECT_EQ(frog->State, FrogState::Standing);
    frog->TurnDelay = 0;
    frog->UpdateFrog();
    EXPECT_EQ(frog->State, FrogState::Airborne);
    EXPECT_LT(frog->VelX, 0);
}

TEST_F(ControlTest, HeldJumpTakesOffAtFourAndClimbsUntilNine) {
    Hold(kUp);
    frog->UpdateFrog();
    EXPECT_TRUE(frog->Charging);
    EXPECT_EQ(frog->VelX, 4 * 0.98);
    EXPECT_EQ(frog->VelY, 4 - 0.15);
    double expected = frog->VelY;
    bool charging = true;
    for (int step = 2; step <= 30; ++step) {
        if (charging && expected < 9) {
            expected += 0.5;
        } else {
            charging = false;
        }
        expected -= 0.15;
        frog->UpdateFrog();
        ASSERT_NEAR(frog->VelY, expected, 1e-9) << step;
        EXPECT_LT(frog->VelY, 9.5 - 0.15);
    }
    EXPECT_FALSE(frog->Charging);
}

TEST_F(ControlTest, LettingGoOnceEndsTheChargeForThatJump) {
    Hold(kUp);
    frog->UpdateFrog();
    Release(kUp);
    frog->UpdateFrog();
    EXPECT_FALSE(frog->Charging);
    Hold(kUp);
    const double before = frog->VelY;
    frog->UpdateFrog();
    EXPECT_DOUBLE_EQ(frog->VelY, before - 0.15);
}

TEST_F(ControlTest, HopAndJumpInOneStepEndWithTheJumpsSpeed) {
    frog->Facing = -1;
    Hold(kLeft);
    Hold(kUp);
    frog->UpdateFrog();
    EXPECT_EQ(frog->VelX, -4 * 0.98);
    EXPECT_EQ(frog->VelY, 4 - 0.15);
}

TEST_F(ControlTest, FrogsSharingASchemeMoveTogether) {
    Frog& other = AddFrog(350);
    Hold(kUp);
    UpdateFrogs();
    EXPECT_EQ(frog->State, FrogState::Airborne);
    EXPECT_EQ(other.State, FrogState::Airborne);
    EXPECT_EQ(frog->VelY, other.VelY);
}

TEST_F(ControlTest, SchemeTwoAnswersOnlyToItsOwnKeys) {
    game.Players[0].Scheme = 2;
    Hold(kUp);
    Hold(kLeft);
    Hold(kRightControl);
    frog->UpdateFrog();
    EXPECT_EQ(frog->State, FrogState::Standing);
    EXPECT_EQ(frog->Facing, 1);
    EXPECT_FALSE(frog->TongueOut);
    Hold(kA);
    Hold(kW);
    frog->UpdateFrog();
    EXPECT_EQ(frog->Facing, -1);
    EXPECT_EQ(frog->State, FrogState::Airborne);
}

TEST_F(ControlTest, TongueKeyShootsAgainAsSoonAsTheTongueIsBack) {
    Hold(kRightControl);
    frog->UpdateFrog();
    EXPECT_TRUE(frog->TongueOut);
    EXPECT_DOUBLE_EQ(frog->Tongue[0].VelX, 5 * 0.98);  // launched at 5, one step of drag
    for (int step = 2; step <= 41; ++step) frog->UpdateFrog();
    EXPECT_FALSE(frog->TongueOut);
    frog->UpdateFrog();
    EXPECT_TRUE(frog->TongueOut);
}

TEST_F(ControlTest, SwimmingFrogIgnoresKeysAndCannotShoot) {
    frog->State = FrogState::Swimming;
    frog->X = 500;
    frog->Y = 80;
    Hold(kLeft);
    Hold(kRightControl);
    frog->UpdateFrog();
    EXPECT_FALSE(frog->TongueOut);
    EXPECT_EQ(frog->TurnDelay, 0);
}

TEST_F(ControlTest, ComputerJumpsAtAFlyAHundredUnitsUpWithOnePointEightLnHundred) {
    const double strength = 1.8 * std::log(100.0);
    EXPECT_NEAR(strength, 8.29, 0.005);
    for (const int32_t skill : {1, 2}) {
        frog->State = FrogState::Standing;
        frog->X = 300;
        frog->Y = 87.5;
        frog->TongueOut = false;
        MakeComputer(skill);
        frog->TargetFly = &AddFly(300, 187.5);
        frog->UpdateFrog();
        EXPECT_EQ(frog->State, FrogState::Airborne);
        EXPECT_DOUBLE_EQ(frog->VelY + 0.15, strength);
        EXPECT_DOUBLE_EQ(frog->VelX, (6 - std::sqrt(strength)) * 0.98);
        EXPECT_TRUE(frog->TongueOut);  // the fly is within reach
    }
}

TEST_F(ControlTest, EasyComputerMissesByUpToTenPercentDrawnFirst) {
    MakeComputer(0);
    frog->Facing = -1;
    frog->TargetFly = &AddFly(300, 187.5);
    RandomGenerator ref{app.Rng.Seed};
    frog->UpdateFrog();
    const double strength = 1.8 * std::log(100.0) * ((ref.Next() - 0.5) * 0.2 + 1);
    EXPECT_DOUBLE_EQ(frog->VelY + 0.15, strength);
    EXPECT_DOUBLE_EQ(frog->VelX, -(6 - std::sqrt(strength)) * 0.98);
}

TEST_F(ControlTest, ComputerHopsTowardAFlyFarToTheSide) {
    MakeComputer(2);
    frog->TargetFly = &AddFly(100, 150);  // dx 200 > 62.5 / 4 + 30
    frog->UpdateFrog();
    EXPECT_EQ(frog->Facing, -1);
    EXPECT_EQ(frog->VelY, 3 - 0.15);
    EXPECT_EQ(frog->VelX, -3.2 * 0.98);
}

TEST_F(ControlTest, FlyLessThanAUnitAboveOrBelowGivesAHop) {
    MakeComputer(1);
    for (const double y : {87.5, 88.0, 87.0}) {
        frog->State = FrogState::Standing;
        frog->X = 300;
        frog->Y = 87.5;
        frog->TargetFly = &AddFly(310, y);
        frog->TongueOut = true;  // keep the tongue out of the way
        frog->UpdateFrog();
        EXPECT_EQ(frog->VelY, 3 - 0.15) << y;
        EXPECT_EQ(frog->VelX, 3.2 * 0.98) << y;
    }
}

TEST_F(ControlTest, ComputerWithoutATargetStaysPut) {
    MakeComputer(2);
    frog->UpdateFrog();
    EXPECT_EQ(frog->State, FrogState::Standing);
    EXPECT_EQ(frog->X, 300);
}

TEST_F(ControlTest, TargetChanceIsOneInEightyFiftyOrTwentyBySkill) {
    // Random(n) = 0 for a larger n implies it for a smaller one, so each skill is told apart
    // from its neighbours: a hit at its own chance that misses the next rarer one, and a
    // miss at its own chance that hits the next likelier one.
    const int32_t chances[] = {80, 50, 20};
    auto seedWhere = [](int32_t hitN, int32_t missN) {
        uint32_t seed = 1;
        while (!(RandomGenerator{seed}.Next(hitN) == 0 && RandomGenerator{seed}.Next(missN) != 0))
            ++seed;
        return seed;
    };
    for (int32_t skill = 0; skill < 3; ++skill) {
        const int32_t n = chances[skill];
        const uint32_t hit = seedWhere(n, skill > 0 ? chances[skill - 1] : 1000000);
        const uint32_t miss = seedWhere(skill < 2 ? chances[skill + 1] : 1, n);
        for (const uint32_t seed : {hit, miss}) {
            MakeComputer(skill);
            frog->TargetFly = nullptr;
            frog->TongueOut = true;
            app.Flies.clear();
            Fly& fly = AddFly(100, 400);
            app.Rng.Seed = seed;
            frog->UpdateFrog();
            EXPECT_EQ(frog->TargetFly, seed == hit ? &fly : nullptr) << n;
        }
    }
}

TEST_F(ControlTest, NoTargetChanceIsDrawnWithoutFlies) {
    frog->BlinkSteps = 3;
    const uint32_t seed = app.Rng.Seed;
    frog->UpdateFrog();
    EXPECT_EQ(app.Rng.Seed, seed);
}

TEST_F(ControlTest, ComputerShootsOnlyAtAFlyNearerThan120) {
    MakeComputer(1);
    frog->TargetFly = &AddFly(420, 87.5);
    frog->UpdateFrog();
    EXPECT_FALSE(frog->TongueOut);
    frog->State = FrogState::Standing;
    frog->X = 301;
    frog->UpdateFrog();
    EXPECT_TRUE(frog->TongueOut);
}

}  // namespace
