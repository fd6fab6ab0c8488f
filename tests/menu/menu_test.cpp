#include "menu/menu.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "../config/worked_example.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "menu/menu_items.h"
#include "menu_fixture.h"

namespace {

using MenuTest = MenuFixture;

// --- Moving the highlight ---

TEST_F(MenuTest, UpOnTheFirstEntryHighlightsTheLastAndDownOnTheLastTheFirst) {
    Press(key::kUp);
    EXPECT_EQ(menu().Selected, 5);
    EXPECT_EQ(menu().LastItem, 5);
    Press(key::kDown);
    EXPECT_EQ(menu().Selected, 0);
}

TEST_F(MenuTest, UpAndDownInOneStepCancelOut) {
    Press({key::kUp, key::kDown});
    EXPECT_EQ(menu().Selected, 0);
    menu().Selected = 5;
    Press({key::kUp, key::kDown});
    EXPECT_EQ(menu().Selected, 5);
}

TEST_F(MenuTest, TheSecondSchemeMovesTheHighlightToo) {
    Press(key::kS, 2);
    EXPECT_EQ(menu().Selected, 2);
    Press(key::kW);
    EXPECT_EQ(menu().Selected, 1);
}

TEST_F(MenuTest, AHeldKeyMovesOnlyOnce) {
    Press(key::kDown);
    StepHeld();
    EXPECT_EQ(menu().Selected, 1);
}

// --- Title screen ---

TEST_F(MenuTest, NumberOfFrogsCyclesOneToSixBothWays) {
    menu().Selected = 1;
    for (int32_t expected : {3, 4, 5, 6, 1}) {
        Press(key::kRight);
        EXPECT_EQ(Setting("Game", "NumberOfFrogs", 0), expected);
    }
    Press(key::kLeft);
    EXPECT_EQ(Setting("Game", "NumberOfFrogs", 0), 6);
    Press(key::kA);
    EXPECT_EQ(Setting("Game", "NumberOfFrogs", 0), 5);
}

TEST_F(MenuTest, AHandEditedNumberOfFrogsGetsTheSameArithmetic) {
    menu().Selected = 1;
    app.Config->SetInteger("Game", "NumberOfFrogs", 10);
    Press(key::kRight);
    EXPECT_EQ(Setting("Game", "NumberOfFrogs", 0), 1);
    app.Config->SetInteger("Game", "NumberOfFrogs", 10);
    Press(key::kLeft);
    EXPECT_EQ(Setting("Game", "NumberOfFrogs", 0), 9);
}

TEST_F(MenuTest, StartingLevelCyclesOneToThirtyNineBothWays) {
    menu().Selected = 3;
    Press(key::kRight, 38);
    EXPECT_EQ(Setting("Game", "StartingLevel", 0), 39);
    Press(key::kD);
    EXPECT_EQ(Setting("Game", "StartingLevel", 0), 1);
    Press(key::kLeft);
    EXPECT_EQ(Setting("Game", "StartingLevel", 0), 39);
}

TEST_F(MenuTest, LeftAndRightOnPlainEntriesWriteNothing) {
    for (int32_t entry : {0, 2, 4, 5}) {
        menu().Selected = entry;
        Press(key::kRight);
        Press(key::kLeft);
    }
    EXPECT_EQ(app.Config->ToText(), "");
}

TEST_F(MenuTest, EscapeDoesNothingOnTheTitleFrogsAndOptionsScreens) {
    for (int32_t screen : {kScreenTitle, kScreenFrogs, kScreenOptions}) {
        menu().Screen = screen;
        menu().Selected = 1;
        Press(key::kEscape);
        EXPECT_EQ(menu().Screen, screen);
        EXPECT_EQ(menu().Selected, 1);
    }
}

// --- Frogs settings ---

TEST_F(MenuTest, FrogsSettingsOpenOnEntryZeroWithTwoRowsPerFrogAndAReturnRow) {
    app.Config->SetInteger("Game", "NumberOfFrogs", 6);
    menu().Selected = 2;
    Press(key::kRightControl);
    EXPECT_EQ(menu().Screen, kScreenFrogs);
    EXPECT_EQ(menu().Selected, 0);
    EXPECT_EQ(menu().LastItemTable[kScreenFrogs], 12);
    Press(key::kUp);
    EXPECT_EQ(menu().Selected, 12);
}

TEST_F(MenuTest, FrogCountsAtTheEndsOfTheRangeLeaveTheHighlightRoomToMove) {
    for (int32_t frogs : {INT32_MAX, INT32_MIN}) {
        app.Config->SetInteger("Game", "NumberOfFrogs", frogs);
        menu().Screen = kScreenTitle;
        menu().Selected = 2;
        Press(key::kRightControl);
        ASSERT_EQ(menu().Screen, kScreenFrogs);
        const int32_t last = frogs > 0 ? INT32_MAX - 1 : INT32_MIN + 1;
        EXPECT_EQ(menu().LastItemTable[kScreenFrogs], last);
        // The rows the screen lists: nine frogs' worth, or only the return row.
        const MenuList rows = MenuItems(kScreenFrogs);
        ASSERT_EQ(rows.size(), frogs > 0 ? 18u : 1u);
        if (frogs < 0) {
            EXPECT_EQ(rows[0].Index, last);
        }
        Press(key::kUp);
        EXPECT_EQ(menu().Selected, last);
        Press(key::kDown);
        EXPECT_EQ(menu().Selected, 0);
    }
}

TEST_F(MenuTest, AControlSchemeStopsAtPlayerOneAndAtComputerHard) {
    menu().Screen = kScreenFrogs;
    menu().LastItemTable[kScreenFrogs] = 4;
    Press(key::kLeft);
    EXPECT_EQ(Setting("Game", "Frog1_control", -1), 0);
    for (int32_t expected : {1, 2, 3, 4, 4}) {
        Press(key::kRight);
        EXPECT_EQ(Setting("Game", "Frog1_control", -1), expected);
    }
}

TEST_F(MenuTest, TheSecondFrogsControlStartsFromItsDefault) {
    menu().Screen = kScreenFrogs;
    menu().LastItemTable[kScreenFrogs] = 4;
    menu().Selected = 2;
    Press(key::kRight);
    EXPECT_EQ(Setting("Game", "Frog2_control", -1), 3);
    EXPECT_FALSE(app.Config->OptionExists("Game", "Frog1_control"));
}

TEST_F(MenuTest, AColourWrapsBothWays) {
    menu().Screen = kScreenFrogs;
    menu().LastItemTable[kScreenFrogs] = 4;
    menu().Selected = 1;
    Press(key::kLeft);
    EXPECT_EQ(Setting("Game", "Frog1_color", -1), 13);
    Press(key::kRight);
    EXPECT_EQ(Setting("Game", "Frog1_color", -1), 0);
    menu().Selected = 3;
    Press(key::kRight);
    EXPECT_EQ(Setting("Game", "Frog2_color", -1), 2);
}

TEST_F(MenuTest, ReturningFromTheFrogsSettingsHighlightsFrogsSettings) {
    menu().Selected = 2;
    Press(key::kRightControl);
    Press(key::kUp);
    Press(key::kRight);
    Press(key::kLeft);
    EXPECT_EQ(app.Config->ToText(), "");
    Press(key::kLeftControl);
    EXPECT_EQ(menu().Screen, kScreenTitle);
    EXPECT_EQ(menu().Selected, 2);
}

// --- Options and the in-game menu ---

TEST_F(MenuTest, ReturningFromTheOptionsHighlightsOptions) {
    menu().Selected = 4;
    Press(key::kRightControl);
    EXPECT_EQ(menu().Screen, kScreenOptions);
    EXPECT_EQ(menu().Selected, 0);
    Press(key::kUp);
    Press(key::kRightControl);
    EXPECT_EQ(menu().Screen, kScreenTitle);
    EXPECT_EQ(menu().Selected, 4);
}

TEST_F(MenuTest, VolumesGoDownInStepsOfTwoFrom25AndStopAtZero) {
    menu().Screen = kScreenOptions;
    for (int32_t expected = 23; expected >= 1; expected -= 2) {
        Press(key::kLeft);
        EXPECT_EQ(Setting("Sound", "SoundVolume", -1), expected);
    }
    Press(key::kLeft);
    EXPECT_EQ(Setting("Sound", "SoundVolume", -1), 0);
    Press(key::kLeft);
    EXPECT_EQ(Setting("Sound", "SoundVolume", -1), 0);
}

TEST_F(MenuTest, VolumesGoUpInStepsOfTwoFromZeroAndStopAt25) {
    menu().Screen = kScreenInGame;
    menu().Selected = 1;
    app.Config->SetInteger("Sound", "MusicVolume", 0);
    for (int32_t expected = 2; expected <= 24; expected += 2) {
        Press(key::kRight);
        EXPECT_EQ(Setting("Sound", "MusicVolume", -1), expected);
    }
    Press(key::kRight);
    EXPECT_EQ(Setting("Sound", "MusicVolume", -1), 25);
    Press(key::kRight);
    EXPECT_EQ(Setting("Sound", "MusicVolume", -1), 25);
    EXPECT_FALSE(app.Config->OptionExists("Sound", "SoundVolume"));
}

TEST_F(MenuTest, FrogCollisionSwitchesWithLeftOrRightOnTheOptionsScreen) {
    menu().Screen = kScreenOptions;
    menu().Selected = 2;
    Press(key::kLeft);
    EXPECT_FALSE(app.Config->GetBoolean("Game", "FrogsCollision", true));
    Press(key::kRight);
    EXPECT_TRUE(app.Config->GetBoolean("Game", "FrogsCollision", false));
    Press({key::kLeft, key::kRight});
    EXPECT_FALSE(app.Config->GetBoolean("Game", "FrogsCollision", true));
}

TEST_F(MenuTest, TheInGameMenuHasNoFrogCollision) {
    app.Game = std::make_unique<Game>();
    menu().OpenInGameMenu();
    menu().Selected = 2;
    Press(key::kLeft);
    Press(key::kRight);
    EXPECT_FALSE(app.Config->OptionExists("Game", "FrogsCollision"));
    EXPECT_FALSE(app.Game->Running);
}

TEST_F(MenuTest, EscapeResumesTheGameFromTheInGameMenu) {
    app.Game = std::make_unique<Game>();
    app.Game->Running = true;
    menu().OpenInGameMenu();
    EXPECT_FALSE(app.Game->Running);
    Press(key::kEscape);
    EXPECT_TRUE(app.Game->Running);
    EXPECT_EQ(menu().Screen, kScreenInGame);
}

TEST_F(MenuTest, ReturnToGameResumesTheGame) {
    app.Game = std::make_unique<Game>();
    menu().OpenInGameMenu();
    Press(key::kDown, 2);
    Press(key::kRightControl);
    EXPECT_TRUE(app.Game->Running);
    EXPECT_EQ(menu().Screen, kScreenInGame);
}

TEST_F(MenuTest, AbortGameDestroysTheGameAndReturnsToTheTitle) {
    app.Game = std::make_unique<Game>();
    app.Pads.push_back(std::make_unique<LilyPad>(300, 80, 0, 0, 150));
    menu().OpenInGameMenu();
    Press(key::kUp);
    Press(key::kLeftControl);
    EXPECT_EQ(app.Game, nullptr);
    EXPECT_EQ(menu().Screen, kScreenTitle);
    EXPECT_EQ(menu().Selected, 0);
    EXPECT_TRUE(app.Pads.empty());
}

// --- Starting and leaving ---

TEST_F(MenuTest, StartNewGameCreatesARunningGameAndSavesAtOnce) {
    app.Config->SetInteger("Game", "NumberOfFrogs", 3);
    Press(key::kRightControl);
    ASSERT_NE(app.Game, nullptr);
    EXPECT_TRUE(app.Game->Running);
    EXPECT_EQ(app.Game->FrogCount, 3);
    EXPECT_EQ(app.Frogs.size(), 3u);
    EXPECT_EQ(menu().Screen, kScreenTitle);
    EXPECT_EQ(menu().Selected, 0);
    EXPECT_EQ(ReadBytes(folder.Path / "Pondlark.cfg"), app.Config->ToText());
    EXPECT_EQ(Setting("Game", "StartingLevel", 0), 1);
}

TEST_F(MenuTest, StartNewGameDoesNothingWhileAGameExists) {
    Game* paused = (app.Game = std::make_unique<Game>()).get();
    Press(key::kRightControl);
    EXPECT_EQ(app.Game.get(), paused);
    EXPECT_FALSE(std::filesystem::exists(folder.Path / "Pondlark.cfg"));
}

// The settings file after the player's first visit, byte for byte.
TEST_F(MenuTest, ThreeFrogsQuieterAndNoCollisionThenANewGameWritesThisFile) {
    Press(key::kDown);
    Press(key::kRight);
    Press(key::kDown, 3);
    Press(key::kRightControl);
    Press(key::kLeft);
    Press(key::kDown, 2);
    Press(key::kLeft);
    Press(key::kDown);
    Press(key::kRightControl);
    Press(key::kUp, 4);
    Press(key::kRightControl);
    const char* expected = kWorkedExample;
    EXPECT_EQ(ReadBytes(folder.Path / "Pondlark.cfg"), expected);
}

TEST_F(MenuTest, ExitWithoutAGameClosesTheMainWindow) {
    int closes = 0;
    app.CloseMainWindow = [&closes] { ++closes; };
    Press(key::kUp);
    Press(key::kRightControl);
    EXPECT_EQ(closes, 1);
}

TEST_F(MenuTest, ExitWithoutACloseHookDoesNothing) {
    menu().Selected = 5;
    Press(key::kRightControl);
    EXPECT_EQ(menu().Screen, kScreenTitle);
    EXPECT_EQ(menu().Selected, 5);
}

TEST_F(MenuTest, ExitWithAGameResetsToTheTitleInstead) {
    int closes = 0;
    app.CloseMainWindow = [&closes] { ++closes; };
    app.Game = std::make_unique<Game>();
    menu().Selected = 5;
    Press(key::kRightControl);
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(menu().Selected, 0);
    EXPECT_NE(app.Game, nullptr);
}

TEST_F(MenuTest, EnterAndKeypadEnterSelectLikeTheFireKeys) {
    menu().Selected = 2;
    Press(key::kEnter);
    EXPECT_EQ(menu().Screen, kScreenFrogs);
    Press(key::kUp);
    Press(key::kKeypadEnter);
    EXPECT_EQ(menu().Screen, kScreenTitle);
    EXPECT_EQ(menu().Selected, 2);
}

TEST_F(MenuTest, AltEnterSwitchesTheScreenModeAndSelectsNothing) {
    menu().Selected = 2;
    Press({56, key::kEnter});         // left Alt
    Press({184, key::kKeypadEnter});  // right Alt
    EXPECT_EQ(menu().Screen, kScreenTitle);
    EXPECT_EQ(menu().Selected, 2);
}

// --- Credits and reset ---

TEST_F(MenuTest, TheCreditsMoveOnWhenAPairsTimeIsUp) {
    for (int step = 0; step < 229; ++step) StepHeld();
    EXPECT_EQ(menu().CreditPair, 0);
    EXPECT_EQ(menu().CreditTimer, 229);
    StepHeld();
    EXPECT_EQ(menu().CreditPair, 1);
    EXPECT_EQ(menu().CreditTimer, 0);
}

TEST_F(MenuTest, TheCreditsWrapFromTheLastPairAndRunInTheInGameMenuToo) {
    app.Game = std::make_unique<Game>();
    menu().OpenInGameMenu();
    menu().CreditPair = 8;
    menu().CreditTimer = 289;
    StepHeld();
    EXPECT_EQ(menu().CreditPair, 0);
    EXPECT_EQ(menu().CreditTimer, 0);
}

TEST_F(MenuTest, ResetShowsTheTitleAtMiddayInARandomSeasonOverAnEmptyPond) {
    menu().Screen = kScreenOptions;
    menu().Selected = 3;
    menu().CreditPair = 4;
    menu().CreditTimer = 17;
    app.Pads.push_back(std::make_unique<LilyPad>(300, 80, 0, 0, 150));
    RandomGenerator expected = app.Rng;
    const int32_t season = expected.Next(4);
    menu().Reset(false);
    EXPECT_EQ(menu().Screen, kScreenTitle);
    EXPECT_EQ(menu().Selected, 0);
    EXPECT_EQ(menu().CreditPair, 0);
    EXPECT_EQ(menu().CreditTimer, 0);
    EXPECT_EQ(app.Sky->Season, season);
    EXPECT_EQ(app.Sky->BackgroundSlot, season + 7);
    EXPECT_EQ(app.Sky->Clock, (app.Sky->TicksPerKey * 14 - 1) / 2);
    EXPECT_TRUE(app.Pads.empty());
}

}  // namespace
