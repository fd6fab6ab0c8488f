#include "app/hud.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

struct HudText {
    std::string Text;
    uint8_t Align;
    double X, Y, Size;
    Rgba Color;
};

std::vector<HudText> Layout(const Game& game, const ViewLayout& view) {
    std::vector<HudText> texts;
    LayoutHud(game, view,
              [&](std::string_view text, uint8_t align, double x, double y, double size,
                  const Rgba& color) {
                  texts.push_back({std::string(text), align, x, y, size, color});
              });
    return texts;
}

Game GameWithFrogs(int32_t count) {
    Game game;
    game.FrogCount = count;
    game.Players.resize(count);
    for (int32_t i = 0; i < count; ++i) {
        game.Players[i].LevelPoints = 10 * i + 3;
        game.Players[i].Color = FrogColors[2 * i + 1];
    }
    return game;
}

void ExpectColor(const Rgba& actual, const Rgba& expected) {
    EXPECT_FLOAT_EQ(actual.R, expected.R);
    EXPECT_FLOAT_EQ(actual.G, expected.G);
    EXPECT_FLOAT_EQ(actual.B, expected.B);
    EXPECT_FLOAT_EQ(actual.A, expected.A);
}

const ViewLayout kFourByThree = ComputeViewLayout(800, 600);  // 640 wide
const ViewLayout kWide = ComputeViewLayout(1280, 720);        // 853 wide, bars of 18.5

}  // namespace

TEST(Hud, OneFrogsPointsStandInTheMiddle) {
    for (const ViewLayout& view : {kFourByThree, kWide}) {
        const std::vector<HudText> texts = Layout(GameWithFrogs(1), view);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].Text, "3");
        EXPECT_EQ(texts[0].Align, kAlignCentre);
        EXPECT_DOUBLE_EQ(texts[0].X, view.ViewWidth / 2.0);
        EXPECT_DOUBLE_EQ(texts[0].Y, 20);
        EXPECT_DOUBLE_EQ(texts[0].Size, 6);
    }
}

TEST(Hud, FourFrogsPointsStandAtFifthsOfTheViewWidth) {
    for (const ViewLayout& view : {kFourByThree, kWide}) {
        const std::vector<HudText> texts = Layout(GameWithFrogs(4), view);
        ASSERT_EQ(texts.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(texts[i].Text, std::to_string(10 * i + 3));
            EXPECT_DOUBLE_EQ(texts[i].X, view.ViewWidth * (i + 1) / 5.0) << "frog " << i;
            EXPECT_DOUBLE_EQ(texts[i].Y, 20);
            EXPECT_DOUBLE_EQ(texts[i].Size, 6);
            EXPECT_EQ(texts[i].Align, kAlignCentre);
        }
    }
    EXPECT_DOUBLE_EQ(Layout(GameWithFrogs(4), kFourByThree)[0].X, 128);
}

TEST(Hud, PointsTakeEachPlayersColourWithItsAlpha) {
    Game game = GameWithFrogs(3);
    SetColor(game.Players[1].Color, 0.2, 0.4, 0.6, 0.25);
    const std::vector<HudText> texts = Layout(game, kFourByThree);
    ASSERT_EQ(texts.size(), 3u);
    ExpectColor(texts[0].Color, FrogColors[1]);
    ExpectColor(texts[1].Color, game.Players[1].Color);
    ExpectColor(texts[2].Color, FrogColors[5]);
}

TEST(Hud, NegativeAndLargePointsAreWrittenInDecimal) {
    Game game = GameWithFrogs(2);
    game.Players[0].LevelPoints = -4;
    game.Players[1].LevelPoints = 2147483647;
    const std::vector<HudText> texts = Layout(game, kFourByThree);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, "-4");
    EXPECT_EQ(texts[1].Text, "2147483647");
}

TEST(Hud, ThreeBannerLinesFadingAtTwentyFive) {
    Game game = GameWithFrogs(1);
    game.Messages = {Game::MakeMessage("LEVEL 3", 1, 0.5, 0.25, 1),
                     Game::MakeMessage("SUMMER", 0.2, 1, 0.2, 1),
                     Game::MakeMessage("EAT ALL FLIES", 0.9, 0.9, 0.1, 1)};
    game.MessageTime = 25;
    const std::vector<HudText> texts = Layout(game, kFourByThree);
    ASSERT_EQ(texts.size(), 4u);  // the points come first
    const double ys[] = {270, 240, 210};
    for (int j = 0; j < 3; ++j) {
        const HudText& line = texts[j + 1];
        EXPECT_EQ(line.Text, game.Messages[j].Text);
        EXPECT_EQ(line.Align, kAlignCentre);
        EXPECT_DOUBLE_EQ(line.X, 320);
        EXPECT_DOUBLE_EQ(line.Y, ys[j]);
        EXPECT_DOUBLE_EQ(line.Size, 7);
        Rgba expected = game.Messages[j].Color;
        expected.A = 0.5f;
        ExpectColor(line.Color, expected);
    }
}

TEST(Hud, BannerBlockIsCentredOnTwoHundredForty) {
    Game game = GameWithFrogs(1);
    game.MessageTime = 300;
    game.Messages = {Game::MakeMessage("ONE", 1, 1, 1, 1)};
    std::vector<HudText> texts = Layout(game, kWide);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_DOUBLE_EQ(texts[1].Y, 240);
    EXPECT_DOUBLE_EQ(texts[1].X, 853 / 2.0);

    game.Messages.push_back(Game::MakeMessage("TWO", 1, 1, 1, 1));
    texts = Layout(game, kWide);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_DOUBLE_EQ(texts[1].Y, 255);
    EXPECT_DOUBLE_EQ(texts[2].Y, 225);
}

TEST(Hud, BannerFadesOnlyUnderFifty) {
    Game game = GameWithFrogs(1);
    // The line's own alpha is replaced by the fade.
    game.Messages = {Game::MakeMessage("LEVEL 1", 1, 1, 1, 0.3)};
    struct Case {
        int32_t time;
        float alpha;
    };
    for (const Case c : {Case{300, 1}, Case{51, 1}, Case{50, 1}, Case{49, 0.98f}, Case{25, 0.5f},
                         Case{1, 0.02f}}) {
        game.MessageTime = c.time;
        const std::vector<HudText> texts = Layout(game, kFourByThree);
        ASSERT_EQ(texts.size(), 2u) << "time " << c.time;
        EXPECT_FLOAT_EQ(texts[1].Color.A, c.alpha) << "time " << c.time;
    }
}

TEST(Hud, NoBannerOnceItsTimeIsUp) {
    Game game = GameWithFrogs(2);
    game.Messages = {Game::MakeMessage("LEVEL 1", 1, 1, 1, 1)};
    for (int32_t time : {0, -5}) {
        game.MessageTime = time;
        EXPECT_EQ(Layout(game, kFourByThree).size(), 2u) << "time " << time;
    }
    game.Messages.clear();
    game.MessageTime = 40;
    EXPECT_EQ(Layout(game, kFourByThree).size(), 2u);
}

TEST(Hud, FliesLeftOnlyOnEatAllLevels) {
    Game game = GameWithFrogs(2);
    game.FliesToSpawn = 17;
    game.Mode = kEatBeforeNight;
    for (const HudText& text : Layout(game, kFourByThree)) {
        EXPECT_EQ(text.Text.find("FLIES LEFT"), std::string::npos);
    }

    game.Mode = kEatAll;
    const std::vector<HudText> texts = Layout(game, kFourByThree);
    ASSERT_EQ(texts.size(), 3u);
    const HudText& left = texts.back();
    EXPECT_EQ(left.Text, "FLIES LEFT: 17");
    EXPECT_EQ(left.Align, kAlignRight);
    EXPECT_DOUBLE_EQ(left.X, 640 - 6);
    EXPECT_DOUBLE_EQ(left.Y, 474);
    EXPECT_DOUBLE_EQ(left.Size, 5);
    Rgba white;
    SetColor(white, 1, 1, 1, 0.7);
    ExpectColor(left.Color, white);
}

TEST(Hud, FliesLeftKeepsClearOfTheRightSideBar) {
    Game game = GameWithFrogs(1);
    game.Mode = kEatAll;
    game.FliesToSpawn = 0;
    const std::vector<HudText> texts = Layout(game, kWide);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].Text, "FLIES LEFT: 0");
    // Drawn in the play field, which starts 18.5 units in: the text ends 6 units
    // inside the picture's right edge at 834.5, not under the side bar.
    EXPECT_DOUBLE_EQ(texts[1].X, 834.5 - 18.5 - 6);
}

TEST(Hud, DrawingOrderIsPointsThenBannerThenFliesLeft) {
    Game game = GameWithFrogs(2);
    game.Mode = kEatAll;
    game.FliesToSpawn = 5;
    game.MessageTime = 100;
    game.Messages = {Game::MakeMessage("A", 1, 1, 1, 1), Game::MakeMessage("B", 1, 1, 1, 1)};
    const std::vector<HudText> texts = Layout(game, kFourByThree);
    ASSERT_EQ(texts.size(), 5u);
    EXPECT_EQ(texts[0].Text, "3");
    EXPECT_EQ(texts[1].Text, "13");
    EXPECT_EQ(texts[2].Text, "A");
    EXPECT_EQ(texts[3].Text, "B");
    EXPECT_EQ(texts[4].Text, "FLIES LEFT: 5");
}
