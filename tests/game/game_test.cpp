#include "game/game.h"

#include <gtest/gtest.h>

#include "config/settings_store.h"
#include "game/fly.h"
#include "game/frog.h"
#include "game/lily_pad.h"
#include "game/player_input.h"
#include "game/sky.h"
#include "input/input_state.h"
#include "state/application.h"

namespace {

struct GameTest : ::testing::Test {
    GameTest() {
        UseApp(&app);
        // Never saved: the tests only read and write the store in memory.
        app.Config = std::make_unique<Settings>("Pondlark.cfg", "");
        app.Input = std::make_unique<InputState>(nullptr);
        app.Sky = std::make_unique<Sky>();
        app.View = ComputeViewLayout(800, 600);
        app.Rng.Seed = 20261208;
        InstallKeyTable();
    }
    Game& Start(int32_t frogs) {
        app.Game = std::make_unique<Game>();
        GameSettings settings = ReadGameSettings(*app.Config);
        settings.NumberOfFrogs = frogs;
        app.Game->StartGame(settings);
        return *app.Game;
    }
    Application app;
};

}  // namespace

TEST(GameRules, EveryThirdLevelIsAnEatAllLevel) {
    for (int32_t level : {3, 6, 9, 12, 36, 39}) EXPECT_EQ(ModeForLevel(level), kEatAll) << level;
    for (int32_t level : {1, 2, 4, 5, 7, 38}) {
        EXPECT_EQ(ModeForLevel(level), kEatBeforeNight) << level;
    }
}

TEST(GameRules, FliesOfAnEatAllLevel) {
    EXPECT_EQ(FliesForEatAll(3, 3, 2), 8);    // 7.5 goes to the even 8
    EXPECT_EQ(FliesForEatAll(9, 7, 2), 20);   // 19.5 goes to 20
    EXPECT_EQ(FliesForEatAll(9, 7, 6), 40);   // 6 x 20 / 3
    EXPECT_EQ(FliesForEatAll(39, 4, 2), 34);  // 45 capped at 4 + 30
    EXPECT_EQ(FliesForEatAll(6, 5, 4), 19);   // 13.5 -> 14, then 4 x 14 / 3 = 18.67
}

TEST(GameRules, DefaultsPerFrog) {
    EXPECT_EQ(DefaultColor(1), 0);
    EXPECT_EQ(DefaultColor(6), 5);
    EXPECT_EQ(DefaultColor(7), 0);
    EXPECT_EQ(DefaultControl(1), 0);
    EXPECT_EQ(DefaultControl(2), 2);
    EXPECT_EQ(DefaultControl(6), 2);
    EXPECT_EQ(DefaultControl(7), 0);
}

TEST_F(GameTest, FirstLevelIsSummerWithPadsFrogsAndABanner) {
    Game& game = Start(3);
    EXPECT_EQ(game.Level, 1);
    EXPECT_EQ(app.Sky->Season, kSummer);
    EXPECT_EQ(app.Sky->BackgroundSlot, 7);
    EXPECT_EQ(app.Config->GetInteger("Game", "StartingLevel", 0), 1);
    EXPECT_GE(app.Pads.size(), 2u);
    EXPECT_LE(app.Pads.size(), 6u);
    ASSERT_EQ(app.Frogs.size(), 3u);
    for (int32_t q = 0; q < 3; ++q) EXPECT_EQ(app.Frogs[q]->PlayerIndex, q);
    EXPECT_GE(game.MaxFlies, 7);
    EXPECT_LE(game.MaxFlies, 15);
    ASSERT_EQ(game.Messages.size(), 2u);
    EXPECT_EQ(game.Messages[0].Text, "LEVEL 1");
    EXPECT_EQ(game.Messages[1].Text, "EAT FLIES BEFORE THE NIGHT");
    EXPECT_EQ(game.MessageTime, 300);
    EXPECT_DOUBLE_EQ(game.FlySpeed, 0.4);
    EXPECT_TRUE(game.Running);
    EXPECT_TRUE(game.FrogsCollide);
}

TEST_F(GameTest, SettingsPickColoursAndControlsAndOddValuesAreTamed) {
    app.Config->SetInteger("Game", "Frog1_color", 14);
    app.Config->SetInteger("Game", "Frog2_color", -1);
    app.Config->SetInteger("Game", "Frog3_color", 9);
    app.Config->SetInteger("Game", "Frog1_control", 1);
    app.Config->SetInteger("Game", "Frog2_control", 7);
    app.Config->SetInteger("Game", "Frog3_control", -3);
    app.Config->SetBoolean("Game", "FrogsCollision", false);
    Game& game = Start(3);
    EXPECT_EQ(game.Players[0].Color.G, FrogColors[0].G);
    EXPECT_EQ(game.Players[1].Color.G, FrogColors[0].G);
    EXPECT_EQ(game.Players[2].Color.B, FrogColors[9].B);
    EXPECT_TRUE(game.Players[0].IsHuman);
    EXPECT_EQ(game.Players[0].Scheme, 2);
    EXPECT_FALSE(game.Players[1].IsHuman);
    EXPECT_EQ(game.Players[1].Skill, 2);  // 7 means the nearest offered: computer hard
    EXPECT_TRUE(game.Players[2].IsHuman);
    EXPECT_EQ(game.Players[2].Scheme, 1);  // -3 means player 1
    EXPECT_FALSE(game.FrogsCollide);
    EXPECT_EQ(app.Frogs[2]->Color.B, FrogColors[9].B);
}

TEST_F(GameTest, HandEditedCountsAndLevelsStayInRange) {
    app.Config->SetInteger("Game", "StartingLevel", -5);
    EXPECT_EQ(Start(0).FrogCount, 1);
    EXPECT_EQ(app.Game->Level, 1);
    app.Config->SetInteger("Game", "StartingLevel", 1000);
    EXPECT_EQ(Start(1000000).FrogCount, 6);
    EXPECT_EQ(app.Game->Level, 39);
    EXPECT_EQ(app.Frogs.size(), 6u);
}

TEST_F(GameTest, LevelThirtyNineRepeatsAfterItsTable) {
    app.Config->SetInteger("Game", "StartingLevel", 39);
    Game& game = Start(2);
    EXPECT_EQ(game.Level, 39);
    EXPECT_EQ(game.Mode, kEatAll);
    EXPECT_EQ(app.Sky->Season, kWinter);
    game.FinishLevel();
    EXPECT_EQ(game.EndDelay, 600);
    for (int i = 0; i < 599; ++i) game.GameStep();
    EXPECT_TRUE(game.LevelOver);
    EXPECT_EQ(game.MessageTime, 99);  // the table stays while it shows
    game.GameStep();
    EXPECT_FALSE(game.LevelOver);
    EXPECT_EQ(game.Level, 39);
    EXPECT_EQ(app.Config->GetInteger("Game", "StartingLevel", 0), 39);
    // The next level's banner is cut to 100 steps by the step that started it.
    EXPECT_EQ(game.MessageTime, 99);
    EXPECT_EQ(game.Messages[0].Text, "LEVEL 39");
}

TEST_F(GameTest, FirstBannerLastsThreeHundredSteps) {
    Game& game = Start(1);
    game.GameStep();
    EXPECT_EQ(game.MessageTime, 299);
}

TEST_F(GameTest, EatAllLevelWaitsForTheLastFlyToGo) {
    app.Config->SetInteger("Game", "StartingLevel", 3);
    Game& game = Start(2);
    ASSERT_EQ(game.Mode, kEatAll);
    game.FliesToSpawn = 0;
    app.Flies.push_back(std::make_unique<Fly>(1, 100, 200, 0, 0, 4));
    app.Frogs[0]->Tongue[0].HeldFly = app.Flies[0].get();
    game.GameStep();
    EXPECT_FALSE(game.LevelOver);
    app.Flies.clear();
    EXPECT_EQ(app.Frogs[0]->Tongue[0].HeldFly, nullptr);
    game.GameStep();
    EXPECT_TRUE(game.LevelOver);
}

TEST_F(GameTest, TableRanksByPointsKeepingFrogOrderOnTies) {
    Game& game = Start(4);
    const int32_t points[] = {3, 5, 5, 1};
    for (int q = 0; q < 4; ++q) {
        game.Players[q].LevelPoints = points[q];
        game.Players[q].TotalPoints = 10 * q;
    }
    game.FinishLevel();
    ASSERT_EQ(game.Messages.size(), 5u);
    EXPECT_EQ(game.Messages[0].Text, "LEVEL 1 FINISHED");
    EXPECT_EQ(game.Messages[1].Text, "1) \xA9 5 POINTS (TOTAL 15)");
    EXPECT_EQ(game.Messages[2].Text, "2) \xA9 5 POINTS (TOTAL 25)");
    EXPECT_EQ(game.Messages[3].Text, "3) \xA9 3 POINTS (TOTAL 3)");
    EXPECT_EQ(game.Messages[4].Text, "4) \xA9 1 POINTS (TOTAL 31)");
    EXPECT_EQ(game.Messages[1].Color.R, game.Players[1].Color.R);
    EXPECT_EQ(game.Messages[4].Color.A, 1.0f);
    EXPECT_EQ(game.MessageTime, 300);
}

TEST_F(GameTest, NightEndsABeforeNightLevel) {
    Game& game = Start(2);
    ASSERT_EQ(game.Mode, kEatBeforeNight);
    int steps = 0;
    while (!game.LevelOver && steps < 10000) {
        game.GameStep();
        ++steps;
    }
    EXPECT_EQ(steps, 5599);
    EXPECT_TRUE(app.Sky->IsNight());
}
