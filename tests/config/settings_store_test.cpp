#include "config/settings_store.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace {

// The file text of the given lines, each ended with CR LF.
std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

Settings EmptyStore() {
    return Settings("Pondlark.cfg", "");
}

TEST(SettingsStore, ReadersReturnDefaultsAndCreateNothing) {
    Settings config = EmptyStore();
    EXPECT_EQ(config.GetInteger("Game", "NumberOfFrogs", 2), 2);
    EXPECT_TRUE(config.GetBoolean("Game", "FrogsCollision", true));
    EXPECT_EQ(config.GetString("Game", "Name", "frog"), "frog");
    EXPECT_FALSE(config.OptionExists("Game", "NumberOfFrogs"));
    EXPECT_EQ(config.FindGroup("Game"), nullptr);
    EXPECT_EQ(config.ToText(), "");
}

TEST(SettingsStore, GroupsAndOptionsKeepTheOrderTheyWereAddedIn) {
    Settings config = EmptyStore();
    config.SetInteger("Game", "NumberOfFrogs", 3);
    config.SetInteger("Sound", "SoundVolume", 23);
    config.SetBoolean("Game", "FrogsCollision", false);
    config.SetInteger("Game", "NumberOfFrogs", 4);
    EXPECT_EQ(config.ToText(), Lines({
                                   "<Game>",
                                   " <NumberOfFrogs type=\"Integer\">",
                                   "  4",
                                   " </NumberOfFrogs>",
                                   " <FrogsCollision type=\"Boolean\">",
                                   "  0",
                                   " </FrogsCollision>",
                                   "</Game>",
                                   "<Sound>",
                                   " <SoundVolume type=\"Integer\">",
                                   "  23",
                                   " </SoundVolume>",
                                   "</Sound>",
                               }));
}

TEST(SettingsStore, SettingAnotherKindReplacesTheOptionAtTheEndOfItsGroup) {
    Settings config = EmptyStore();
    config.SetString("Game", "NumberOfFrogs", "three");
    config.SetInteger("Game", "StartingLevel", 5);
    config.SetInteger("Game", "NumberOfFrogs", 3);
    EXPECT_EQ(config.ToText(), Lines({
                                   "<Game>",
                                   " <StartingLevel type=\"Integer\">",
                                   "  5",
                                   " </StartingLevel>",
                                   " <NumberOfFrogs type=\"Integer\">",
                                   "  3",
                                   " </NumberOfFrogs>",
                                   "</Game>",
                               }));
    EXPECT_EQ(config.GetString("Game", "NumberOfFrogs", "none"), "none");
}

TEST(SettingsStore, EnsureLeavesAnExistingOptionOfAnyKindAlone) {
    Settings config = EmptyStore();
    config.SetString("Game", "Level", "first");
    config.EnsureInteger("Game", "Level", 7);
    config.EnsureString("Game", "Level", "second");
    config.EnsureBoolean("Game", "Fast", 2);
    config.EnsureBoolean("Game", "Fast", 0);
    EXPECT_EQ(config.GetString("Game", "Level", ""), "first");
    EXPECT_EQ(config.GetInteger("Game", "Level", -1), -1);
    // A Boolean keeps the number it was given and is written back as such.
    EXPECT_EQ(config.ToText(), Lines({
                                   "<Game>",
                                   " <Level type=\"String\">",
                                   "  first",
                                   " </Level>",
                                   " <Fast type=\"Boolean\">",
                                   "  2",
                                   " </Fast>",
                                   "</Game>",
                               }));
    EXPECT_TRUE(config.GetBoolean("Game", "Fast", false));
}

TEST(SettingsStore, SetWindowReplacesEveryOptionOfItsKey) {
    Settings config = EmptyStore();
    SettingsGroup& group = config.GetGroup("Forms");
    group.AddString("Main", "a");
    group.AddInteger("Other", 1);
    group.AddInteger("Main", 2);
    config.SetWindow("Forms", "Main", 2, Rect{10, -20, 810, 620});
    EXPECT_EQ(config.ToText(),
              Lines({
                  "<Forms>",
                  " <Other type=\"Integer\">",
                  "  1",
                  " </Other>",
                  " <Main type=\"Window\" Left=\"10\" Top=\"-20\" Right=\"810\" Bottom=\"620\" "
                  "State=\"2\">",
                  " </Main>",
                  "</Forms>",
              }));
}

TEST(SettingsStore, GettersAnswerOnlyForTheirOwnKind) {
    Settings config = EmptyStore();
    config.EnsureInt64("Game", "Big", 0x100000005LL);
    config.EnsureInt64("Game", "AllOnes", 0xFFFFFFFFLL);
    config.SetInteger("Game", "Frogs", 1);
    config.SetBoolean("Game", "Collision", true);
    EXPECT_EQ(config.GetInteger("Game", "Big", 0), 5);
    EXPECT_EQ(config.GetInteger("Game", "AllOnes", 0), -1);
    EXPECT_FALSE(config.GetBoolean("Game", "Frogs", false));
    EXPECT_EQ(config.GetInteger("Game", "Collision", 9), 9);
    EXPECT_EQ(config.GetString("Game", "Frogs", "x"), "x");
}

TEST(SettingsStore, GroupNamesAreTrimmedAndCaseSensitiveButKeysAreUsedAsGiven) {
    Settings config = EmptyStore();
    config.SetInteger("  Game\t", "Frogs", 1);
    config.SetInteger("game", "Frogs", 2);
    config.SetInteger("", "Lonely", 3);
    config.SetInteger(" \x01 ", "Blank", 4);
    config.SetInteger("Game", " Frogs ", 5);
    EXPECT_EQ(config.GetInteger("Game", "Frogs", 0), 1);
    EXPECT_EQ(config.GetInteger("\nGame ", "Frogs", 0), 1);
    EXPECT_EQ(config.GetInteger("game", "Frogs", 0), 2);
    EXPECT_EQ(config.GetInteger("GAME", "Frogs", 0), 0);
    EXPECT_EQ(config.GetInteger("Default", "Lonely", 0), 3);
    EXPECT_EQ(config.GetInteger("Default", "Blank", 0), 4);
    EXPECT_EQ(config.GetInteger("Game", "Frogs ", 0), 0);
    EXPECT_EQ(config.GetInteger("Game", " Frogs ", 0), 5);
    EXPECT_EQ(NormalizeGroupName(" \t\r\n"), "Default");
    EXPECT_EQ(NormalizeGroupName(" Sound "), "Sound");
}

TEST(SettingsStore, DeleteOptionCreatesAMissingGroupAndRemovesOnlyTheFirstMatch) {
    Settings config = EmptyStore();
    config.DeleteOption("Graphics", "resx");
    SettingsGroup& game = config.GetGroup("Game");
    game.AddInteger("Frogs", 1);
    game.AddInteger("Frogs", 2);
    config.DeleteOption("Game", "Frogs");
    EXPECT_EQ(config.GetInteger("Game", "Frogs", 0), 2);
    EXPECT_EQ(config.ToText(), Lines({
                                   "<Graphics>",
                                   "</Graphics>",
                                   "<Game>",
                                   " <Frogs type=\"Integer\">",
                                   "  2",
                                   " </Frogs>",
                                   "</Game>",
                               }));
}

TEST(SettingsStore, AddGroupAppendsEvenWhenTheNameIsTaken) {
    Settings config = EmptyStore();
    SettingsGroup& first = config.AddGroup("Game");
    SettingsGroup& second = config.AddGroup(" Game ");
    EXPECT_NE(&first, &second);
    EXPECT_EQ(second.Name, "Game");
    EXPECT_EQ(config.FindGroup("Game"), &first);
    EXPECT_EQ(&config.GetGroup("Game"), &first);
    config.Clear();
    EXPECT_EQ(config.ToText(), "");
}

TEST(SettingsStore, FolderAlwaysEndsWithABackslashUnlessEmpty) {
    EXPECT_EQ(Settings("Pondlark.cfg", "/home/u/.config\\Grubwick").GetFolder(),
              "/home/u/.config\\Grubwick\\");
    EXPECT_EQ(Settings("Pondlark.cfg", "").GetFolder(), "");
    Settings config("Pondlark.cfg", "a\\");
    EXPECT_EQ(config.GetFolder(), "a\\");
    config.SetFolder("b");
    EXPECT_EQ(config.GetFolder(), "b\\");
}

TEST(SettingsWriter, EscapesSpacesInNamesAndAnglesInStringsOnly) {
    Settings config = EmptyStore();
    config.SetString("My Group", "Player Name", "<Big & \"Bad\"> frog");
    config.SetInteger("My Group", "Minus", -2147483647 - 1);
    config.EnsureInt64("My Group", "Wide", -9000000000LL);
    EXPECT_EQ(config.ToText(), Lines({
                                   "<My%20Group>",
                                   " <Player%20Name type=\"String\">",
                                   "  &lt;Big & \"Bad\"&gt; frog",
                                   " </Player%20Name>",
                                   " <Minus type=\"Integer\">",
                                   "  -2147483648",
                                   " </Minus>",
                                   " <Wide type=\"Int64\">",
                                   "  -9000000000",
                                   " </Wide>",
                                   "</My%20Group>",
                               }));
}

}  // namespace
