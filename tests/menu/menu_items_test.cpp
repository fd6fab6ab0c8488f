#include "menu/menu_items.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx/font.h"
#include "menu_fixture.h"

namespace {

using MenuItemsTest = MenuFixture;

std::vector<std::string> Texts(const MenuList& items) {
    std::vector<std::string> texts;
    for (const MenuItem& item : items) texts.emplace_back(item.Text());
    return texts;
}

TEST(VolumeBar, HasEighteenPartsReachedAtMultiplesOf25Over19) {
    EXPECT_EQ(VolumeBar(25), std::string(18, '#'));
    EXPECT_EQ(VolumeBar(23), std::string(17, '#') + "-");
    EXPECT_EQ(VolumeBar(2), "#" + std::string(17, '-'));
    EXPECT_EQ(VolumeBar(1), std::string(18, '-'));
    EXPECT_EQ(VolumeBar(0), std::string(18, '-'));
}

TEST(VolumeBar, OutOfRangeVolumesShowAFullOrAnEmptyBar) {
    EXPECT_EQ(VolumeBar(1000), std::string(18, '#'));
    EXPECT_EQ(VolumeBar(-7), std::string(18, '-'));
}

TEST_F(MenuItemsTest, TheTitleShowsTheStoredNumbersOnSixRows) {
    app.Config->SetInteger("Game", "StartingLevel", 12);
    const MenuList items = MenuItems(kScreenTitle);
    EXPECT_EQ(Texts(items),
              (std::vector<std::string>{"START NEW GAME", "NUMBER OF FROGS: 2", "FROGS SETTINGS",
                                        "STARTING LEVEL: 12", "OPTIONS", "EXIT"}));
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(items[i].Index, i);
        EXPECT_EQ(items[i].Y, 190 - 25 * i);
        EXPECT_EQ(items[i].Size, 7);
    }
}

TEST_F(MenuItemsTest, SixFrogsMakeThirteenEntriesWithTheReturnRowAt102) {
    app.Config->SetInteger("Game", "NumberOfFrogs", 6);
    const MenuList items = MenuItems(kScreenFrogs);
    ASSERT_EQ(items.size(), 13u);
    EXPECT_EQ(items[12].Index, 12);
    EXPECT_EQ(items[12].Text(), "RETURN TO MENU");
    EXPECT_EQ(items[12].Y, 102);
    EXPECT_EQ(items[10].Text(), "CONTROL 6: COMPUTER EASY");
    EXPECT_EQ(items[10].Y, 140);
    EXPECT_EQ(items[11].Text(), "FROG 6 COLOR: ");
    EXPECT_EQ(items[11].Y, 124);
    EXPECT_EQ(items[11].Swatch, 5);
    for (const MenuItem& item : items) EXPECT_EQ(item.Size, 6);
}

TEST_F(MenuItemsTest, FrogRowsShowTheStoredControlAndColour) {
    app.Config->SetInteger("Game", "Frog1_control", 4);
    app.Config->SetInteger("Game", "Frog2_color", 13);
    const MenuList items = MenuItems(kScreenFrogs);
    EXPECT_EQ(Texts(items), (std::vector<std::string>{"CONTROL 1: COMPUTER HARD",
                                                      "FROG 1 COLOR: ", "CONTROL 2: COMPUTER EASY",
                                                      "FROG 2 COLOR: ", "RETURN TO MENU"}));
    EXPECT_EQ(items[0].Swatch, -1);
    EXPECT_EQ(items[1].Swatch, 0);
    EXPECT_EQ(items[3].Swatch, 13);
    EXPECT_EQ(items[1].Y, 314);
    EXPECT_EQ(items[2].Y, 292);
}

TEST_F(MenuItemsTest, HandEditedFrogValuesShowAnEmptyNameAndTheFirstColour) {
    app.Config->SetInteger("Game", "Frog1_control", 5);
    app.Config->SetInteger("Game", "Frog1_color", 14);
    app.Config->SetInteger("Game", "Frog2_control", -1);
    app.Config->SetInteger("Game", "Frog2_color", -1);
    const MenuList items = MenuItems(kScreenFrogs);
    EXPECT_EQ(items[0].Text(), "CONTROL 1: ");
    EXPECT_EQ(items[1].Swatch, 0);
    EXPECT_EQ(items[2].Text(), "CONTROL 2: ");
    EXPECT_EQ(items[3].Swatch, 0);
}

TEST_F(MenuItemsTest, MoreThanSixFrogsListThatManyRows) {
    app.Config->SetInteger("Game", "NumberOfFrogs", 8);
    EXPECT_EQ(MenuItems(kScreenFrogs).size(), 17u);
    app.Config->SetInteger("Game", "NumberOfFrogs", 9);
    const MenuList items = MenuItems(kScreenFrogs);
    ASSERT_EQ(items.size(), 19u);
    EXPECT_EQ(items[18].Index, 18);
    EXPECT_EQ(items[18].Y, -12);
}

TEST_F(MenuItemsTest, AHugeFrogCountListsOnlyTheRowsThatReachTheScreen) {
    app.Config->SetInteger("Game", "NumberOfFrogs", 2000000000);
    const MenuList items = MenuItems(kScreenFrogs);
    ASSERT_EQ(items.size(), 18u);
    EXPECT_EQ(items[16].Text(), "CONTROL 9: PLAYER 1");
    EXPECT_EQ(items[17].Y, 10);
    for (const MenuItem& item : items) EXPECT_GE(item.Y, 0);
    EXPECT_EQ(MenuItems(kScreenTitle)[1].Text(), "NUMBER OF FROGS: 2000000000");
}

TEST_F(MenuItemsTest, NoFrogsListOnlyTheReturnRow) {
    app.Config->SetInteger("Game", "NumberOfFrogs", -3);
    const MenuList items = MenuItems(kScreenFrogs);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Index, -6);
    EXPECT_EQ(items[0].Text(), "RETURN TO MENU");
}

TEST_F(MenuItemsTest, FrogCollisionIsOnlyOnTheOptionsScreen) {
    app.Config->SetBoolean("Game", "FrogsCollision", false);
    app.Config->SetInteger("Sound", "SoundVolume", 23);
    const std::string full(18, '#');
    EXPECT_EQ(Texts(MenuItems(kScreenOptions)),
              (std::vector<std::string>{"SOUND VOLUME: " + std::string(17, '#') + "-",
                                        "MUSIC VOLUME: " + full, "FROG COLLISION: NO",
                                        "RETURN TO MENU"}));
    EXPECT_EQ(Texts(MenuItems(kScreenInGame)),
              (std::vector<std::string>{"SOUND VOLUME: " + std::string(17, '#') + "-",
                                        "MUSIC VOLUME: " + full, "RETURN TO GAME", "ABORT GAME"}));
    for (const MenuItem& item : MenuItems(kScreenInGame)) {
        EXPECT_EQ(item.Y, 330 - 25 * item.Index);
        EXPECT_EQ(item.Size, 7);
    }
}

TEST_F(MenuItemsTest, CollisionShowsYesByDefault) {
    EXPECT_EQ(MenuItems(kScreenOptions)[2].Text(), "FROG COLLISION: YES");
}

TEST_F(MenuItemsTest, EveryTextUsesOnlyGlyphsTheFontHas) {
    for (int32_t screen : {kScreenTitle, kScreenFrogs, kScreenOptions, kScreenInGame}) {
        for (const MenuItem& item : MenuItems(screen)) {
            for (unsigned char c : item.Text()) {
                EXPECT_TRUE(c == ' ' || FontCell(c) >= 0) << item.Text();
            }
        }
    }
}

}  // namespace
