#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/settings_store.h"
#include "temp_folder.h"
#include "worked_example.h"

namespace fs = std::filesystem;

namespace {

class SettingsFile : public ::testing::Test {
protected:
    fs::path File() const { return Temp.Path / "Pondlark.cfg"; }
    fs::path Backup() const { return Temp.Path / "Pondlark.cfg.bak"; }
    // Files a save left beside the settings file and its copy.
    std::vector<std::string> Leftovers() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Temp.Path)) {
            const std::string name = entry.path().filename().string();
            if (name != "Pondlark.cfg" && name != "Pondlark.cfg.bak") names.push_back(name);
        }
        return names;
    }

    std::unique_ptr<Settings> Store() const {
        return std::make_unique<Settings>("Pondlark.cfg", Temp.Backslashed());
    }

    std::unique_ptr<Settings> LoadFrom(const std::string& bytes) const {
        WriteBytes(File(), bytes);
        auto config = Store();
        config->Load();
        return config;
    }

    // What a save of the store puts into the file.
    std::string Saved(Settings& config) const {
        EXPECT_TRUE(config.Save());
        return ReadBytes(File());
    }

    TempFolder Temp;
};

TEST_F(SettingsFile, FirstSaveCreatesTheFolderAndWritesTheMenuChangesByteForByte) {
    Settings config("Pondlark.cfg", Temp.Backslashed() + "Grubwick\\PondlarkRemake");
    config.Load();
    EXPECT_EQ(config.GetInteger("Game", "NumberOfFrogs", 2), 2);
    config.SetInteger("Game", "NumberOfFrogs", 3);
    config.SetInteger("Sound", "SoundVolume", 23);
    config.SetBoolean("Game", "FrogsCollision", false);
    config.SetInteger("Game", "StartingLevel", 1);
    ASSERT_TRUE(config.Save());

    const fs::path folder = Temp.Path / "Grubwick" / "PondlarkRemake";
    EXPECT_EQ(ReadBytes(folder / "Pondlark.cfg"), kWorkedExample);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

TEST_F(SettingsFile, ALoadedFileIsWrittenBackUnchanged) {
    auto config = LoadFrom(kWorkedExample);
    EXPECT_EQ(config->GetInteger("Sound", "SoundVolume", 25), 23);
    EXPECT_FALSE(config->GetBoolean("Game", "FrogsCollision", true));
    EXPECT_EQ(Saved(*config), kWorkedExample);
    EXPECT_FALSE(fs::exists(Backup()));
}

TEST_F(SettingsFile, LoadReplacesTheStoreAndAMissingFileLeavesItEmpty) {
    auto config = LoadFrom(kWorkedExample);
    fs::remove(File());
    config->Load();
    EXPECT_EQ(config->ToText(), "");
    EXPECT_EQ(config->GetInteger("Game", "NumberOfFrogs", 2), 2);
    config->SetInteger("Sound", "MusicVolume", 11);
    EXPECT_EQ(
        Saved(*config),
        "<Sound>\r\n <MusicVolume type=\"Integer\">\r\n  11\r\n </MusicVolume>\r\n</Sound>\r\n");
}

TEST_F(SettingsFile, KeysTheGameOnlyReadsKeepTheirPlaceFromTheOldFile) {
    const std::string before =
        "<Graphics>\r\n"
        " <Fullscreen type=\"Boolean\">\r\n  1\r\n </Fullscreen>\r\n"
        " <resx type=\"Integer\">\r\n  1024\r\n </resx>\r\n"
        "</Graphics>\r\n"
        "<Game>\r\n"
        " <StartingLevel type=\"Integer\">\r\n  4\r\n </StartingLevel>\r\n"
        "</Game>\r\n";
    auto config = LoadFrom(before);
    EXPECT_TRUE(config->GetBoolean("Graphics", "Fullscreen", false));
    EXPECT_EQ(config->GetInteger("Graphics", "resx", 800), 1024);
    EXPECT_EQ(config->GetInteger("Graphics", "resy", 600), 600);
    config->SetInteger("Game", "StartingLevel", 5);
    const std::string after =
        "<Graphics>\r\n"
        " <Fullscreen type=\"Boolean\">\r\n  1\r\n </Fullscreen>\r\n"
        " <resx type=\"Integer\">\r\n  1024\r\n </resx>\r\n"
        "</Graphics>\r\n"
        "<Game>\r\n"
        " <StartingLevel type=\"Integer\">\r\n  5\r\n </StartingLevel>\r\n"
        "</Game>\r\n";
    EXPECT_EQ(Saved(*config), after);
}

TEST_F(SettingsFile, AHandEditedKindIsReplacedAtTheEndOfItsGroup) {
    auto config = LoadFrom(
        "<Game>\r\n"
        " <NumberOfFrogs type=\"String\">\r\n  three\r\n </NumberOfFrogs>\r\n"
        " <StartingLevel type=\"Integer\">\r\n  2\r\n </StartingLevel>\r\n"
        "</Game>\r\n");
    EXPECT_EQ(config->GetInteger("Game", "NumberOfFrogs", 2), 2);
    config->SetInteger("Game", "NumberOfFrogs", 3);
    EXPECT_EQ(Saved(*config),
              "<Game>\r\n"
              " <StartingLevel type=\"Integer\">\r\n  2\r\n </StartingLevel>\r\n"
              " <NumberOfFrogs type=\"Integer\">\r\n  3\r\n </NumberOfFrogs>\r\n"
              "</Game>\r\n");
}

TEST_F(SettingsFile, TheFirstElementOfAKeyWinsExceptForWindowsWhereTheLastDoes) {
    auto config = LoadFrom(
        "<Game>\r\n"
        " <Level type=\"Integer\">\r\n  1\r\n </Level>\r\n"
        " <Level type=\"Integer\">\r\n  2\r\n </Level>\r\n"
        " <Level type=\"String\">\r\n  three\r\n </Level>\r\n"
        " <Main type=\"Window\" Left=\"1\" Top=\"2\" Right=\"3\" Bottom=\"4\" State=\"0\">\r\n"
        " </Main>\r\n"
        " <Other type=\"Integer\">\r\n  9\r\n </Other>\r\n"
        " <Main type=\"Window\" Left=\"5\" Top=\"6\" Right=\"7\" Bottom=\"8\" State=\"1\">\r\n"
        " </Main>\r\n"
        "</Game>\r\n");
    EXPECT_EQ(config->GetInteger("Game", "Level", 0), 1);
    EXPECT_EQ(
        Saved(*config),
        "<Game>\r\n"
        " <Level type=\"Integer\">\r\n  1\r\n </Level>\r\n"
        " <Other type=\"Integer\">\r\n  9\r\n </Other>\r\n"
        " <Main type=\"Window\" Left=\"5\" Top=\"6\" Right=\"7\" Bottom=\"8\" State=\"1\">\r\n"
        " </Main>\r\n"
        "</Game>\r\n");
}

TEST_F(SettingsFile, WindowAttributesAreFoundIgnoringCaseAndDefaultToZero) {
    auto config = LoadFrom(
        "<Forms>\r\n"
        " <Main TYPE = \"window\" left= \" -7 \" RIGHT=\"x\" State=\"258\" Bottom=\"9\">\r\n"
        " </Main>\r\n"
        "</Forms>\r\n");
    EXPECT_EQ(
        Saved(*config),
        "<Forms>\r\n"
        " <Main type=\"Window\" Left=\"-7\" Top=\"0\" Right=\"0\" Bottom=\"9\" State=\"2\">\r\n"
        " </Main>\r\n"
        "</Forms>\r\n");
}

TEST_F(SettingsFile, SpacesInGroupAndKeyNamesSurviveASaveAndLoad) {
    auto config = Store();
    config->SetString("My Group", "Player Name", "Big Frog");
    ASSERT_TRUE(config->Save());
    EXPECT_EQ(ReadBytes(File()),
              "<My%20Group>\r\n <Player%20Name type=\"String\">\r\n  Big Frog\r\n"
              " </Player%20Name>\r\n</My%20Group>\r\n");
    auto again = Store();
    again->Load();
    EXPECT_EQ(again->GetString("My Group", "Player Name", ""), "Big Frog");
}

TEST_F(SettingsFile, StringsKeepAnglesButLoseOuterBlanksAndLiteralEscapes) {
    auto config = Store();
    config->SetString("Text", "Angles", "<frog> & \"fly\"");
    config->SetString("Text", "Padded", "  \tpond \t ");
    config->SetString("Text", "Literal", "a &lt; b");
    config->SetString("Text", "Empty", "");
    ASSERT_TRUE(config->Save());
    auto again = Store();
    again->Load();
    EXPECT_EQ(again->GetString("Text", "Angles", ""), "<frog> & \"fly\"");
    EXPECT_EQ(again->GetString("Text", "Padded", ""), "pond");
    EXPECT_EQ(again->GetString("Text", "Literal", ""), "a < b");
    EXPECT_TRUE(again->OptionExists("Text", "Empty"));
    EXPECT_EQ(again->GetString("Text", "Empty", "default"), "");
}

TEST_F(SettingsFile, ARepeatedGroupAddsAnEmptyGroupAndFeedsTheFirst) {
    auto config = LoadFrom(
        "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Game>\r\n"
        "<Sound>\r\n</Sound>\r\n"
        "<Game>\r\n <B type=\"Integer\">\r\n  2\r\n </B>\r\n</Game>\r\n");
    EXPECT_EQ(Saved(*config),
              "<Game>\r\n"
              " <A type=\"Integer\">\r\n  1\r\n </A>\r\n"
              " <B type=\"Integer\">\r\n  2\r\n </B>\r\n"
              "</Game>\r\n"
              "<Sound>\r\n</Sound>\r\n"
              "<Game>\r\n</Game>\r\n");
    EXPECT_FALSE(fs::exists(Backup()));
}

TEST_F(SettingsFile, NumbersThatDoNotParseReadAsZeroOrAsTrue) {
    auto config = LoadFrom(
        "<N>\r\n"
        " <Words type=\"Integer\">\r\n  many\r\n </Words>\r\n"
        " <TooBig type=\"Integer\">\r\n  2147483648\r\n </TooBig>\r\n"
        " <Lowest type=\"Integer\">\r\n  -2147483648\r\n </Lowest>\r\n"
        " <Plus type=\"Integer\">\r\n  +7\r\n </Plus>\r\n"
        " <PlusMinus type=\"Integer\">\r\n  +-7\r\n </PlusMinus>\r\n"
        " <Hex type=\"Integer\">\r\n  0x10\r\n </Hex>\r\n"
        " <Inner type=\"Integer\">\r\n  1 2\r\n </Inner>\r\n"
        " <Wide type=\"Int64\">\r\n  -9223372036854775808\r\n </Wide>\r\n"
        " <WideBad type=\"Int64\">\r\n  9223372036854775808\r\n </WideBad>\r\n"
        " <Yes type=\"Boolean\">\r\n  yes\r\n </Yes>\r\n"
        " <Wraps type=\"Boolean\">\r\n  256\r\n </Wraps>\r\n"
        " <Minus type=\"Boolean\">\r\n  -1\r\n </Minus>\r\n"
        " <EmptyInteger type=\"Integer\">\r\n </EmptyInteger>\r\n"
        " <EmptyBoolean type=\"Boolean\">\r\n </EmptyBoolean>\r\n"
        "</N>\r\n");
    EXPECT_EQ(config->GetInteger("N", "Words", -1), 0);
    EXPECT_TRUE(config->GetBoolean("N", "Yes", false));
    EXPECT_FALSE(config->GetBoolean("N", "Wraps", true));
    EXPECT_FALSE(config->OptionExists("N", "EmptyInteger"));
    EXPECT_EQ(Saved(*config),
              "<N>\r\n"
              " <Words type=\"Integer\">\r\n  0\r\n </Words>\r\n"
              " <TooBig type=\"Integer\">\r\n  0\r\n </TooBig>\r\n"
              " <Lowest type=\"Integer\">\r\n  -2147483648\r\n </Lowest>\r\n"
              " <Plus type=\"Integer\">\r\n  7\r\n </Plus>\r\n"
              " <PlusMinus type=\"Integer\">\r\n  0\r\n </PlusMinus>\r\n"
              " <Hex type=\"Integer\">\r\n  0\r\n </Hex>\r\n"
              " <Inner type=\"Integer\">\r\n  0\r\n </Inner>\r\n"
              " <Wide type=\"Int64\">\r\n  -9223372036854775808\r\n </Wide>\r\n"
              " <WideBad type=\"Int64\">\r\n  0\r\n </WideBad>\r\n"
              " <Yes type=\"Boolean\">\r\n  1\r\n </Yes>\r\n"
              " <Wraps type=\"Boolean\">\r\n  0\r\n </Wraps>\r\n"
              " <Minus type=\"Boolean\">\r\n  255\r\n </Minus>\r\n"
              "</N>\r\n");
}

TEST_F(SettingsFile, TypeTagsIgnoreCaseAndUnknownOrMissingTypesAreSkipped) {
    auto config = LoadFrom(
        "<Game>\r\n"
        " <A type=\"INTEGER\">\r\n  1\r\n </A>\r\n"
        " <B type=\"boolean\">\r\n  0\r\n </B>\r\n"
        " <C type=\"Float\">\r\n  1.5\r\n </C>\r\n"
        " <D kind=\"Integer\">\r\n  4\r\n </D>\r\n"
        " <E type=\"\">\r\n  5\r\n </E>\r\n"
        " < type=\"Integer\">\r\n  5\r\n </ >\r\n"
        " <Prototype type=\"Integer\">\r\n  6\r\n </Prototype>\r\n"
        " <F type=\"Integer\">\r\n  7\r\n </F>\r\n"
        "</Game>\r\n");
    // The attribute search finds "type" inside the key "Prototype" first, so
    // that element has no type and is skipped like the others.
    EXPECT_EQ(Saved(*config),
              "<Game>\r\n"
              " <A type=\"Integer\">\r\n  1\r\n </A>\r\n"
              " <B type=\"Boolean\">\r\n  0\r\n </B>\r\n"
              " <F type=\"Integer\">\r\n  7\r\n </F>\r\n"
              "</Game>\r\n");
    EXPECT_FALSE(fs::exists(Backup()));
}

TEST_F(SettingsFile, LineBreaksAndIndentationMeanNothingToTheReader) {
    auto config = LoadFrom(
        "\n\n   <Game><NumberOfFrogs type=\"Integer\">3</NumberOfFrogs>"
        "<FrogsCollision   type=\"Boolean\">0</FrogsCollision>\r"
        "<StartingLevel type=\"Integer\">\n1\n</StartingLevel></Game>"
        "<Sound><SoundVolume type=\"Integer\"> 23 </SoundVolume></Sound>  \r\n\r\n");
    EXPECT_EQ(Saved(*config), kWorkedExample);
    EXPECT_FALSE(fs::exists(Backup()));
}

// Damaged text: loading stops, everything read so far stays, and the next
// save keeps a copy of the damaged file.
class DamagedSettingsFile : public SettingsFile {
protected:
    void ExpectKeptAndBackedUp(const std::string& damaged, const std::string& kept) {
        auto config = LoadFrom(damaged);
        EXPECT_EQ(Saved(*config), kept);
        EXPECT_EQ(ReadBytes(Backup()), damaged);
    }
};

TEST_F(DamagedSettingsFile, AnElementWithoutAttributesEndsTheGroupAndStopsLoading) {
    ExpectKeptAndBackedUp(
        "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n <Plain>\r\n  2\r\n </Plain>\r\n"
        " <B type=\"Integer\">\r\n  3\r\n </B>\r\n</Game>\r\n"
        "<Sound>\r\n</Sound>\r\n",
        "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Game>\r\n");
}

TEST_F(SettingsFile, AnElementWithoutAttributesRightBeforeTheGroupsEndIsDropped) {
    auto config = LoadFrom(
        "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n <Plain>\r\n</Game>\r\n"
        "<Sound>\r\n <B type=\"Integer\">\r\n  2\r\n </B>\r\n </>\r\n</Sound>\r\n");
    EXPECT_EQ(Saved(*config),
              "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Game>\r\n"
              "<Sound>\r\n <B type=\"Integer\">\r\n  2\r\n </B>\r\n</Sound>\r\n");
    EXPECT_FALSE(fs::exists(Backup()));
}

TEST_F(DamagedSettingsFile, AMismatchedClosingTagStopsLoadingKeepingTheFailingGroup) {
    ExpectKeptAndBackedUp(
        "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Game>\r\n"
        "<Sound>\r\n <B type=\"Integer\">\r\n  2\r\n </C>\r\n"
        " <D type=\"Integer\">\r\n  4\r\n </D>\r\n</Sound>\r\n"
        "<Music>\r\n</Music>\r\n",
        "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Game>\r\n<Sound>\r\n</Sound>\r\n");
}

TEST_F(SettingsFile, ClosingKeysAreComparedBeforeSpacesAreUndone) {
    auto config = LoadFrom(
        "<Game>\r\n <A%20B type=\"Integer\">\r\n  1\r\n </A B>\r\n</Game>\r\n"
        "<Sound>\r\n</Sound>\r\n");
    EXPECT_EQ(Saved(*config), "<Game>\r\n</Game>\r\n<Sound>\r\n</Sound>\r\n");
}

TEST_F(DamagedSettingsFile, AGroupWithAnEmptyNameStopsLoading) {
    ExpectKeptAndBackedUp(
        "<Game>\r\n</Game>\r\n< >\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</ >\r\n",
        "<Game>\r\n</Game>\r\n");
}

TEST_F(DamagedSettingsFile, TheFailingGroupIsKeptEvenWhenItsTagLacksAnAngle) {
    // With no "<" left, the tag is read from the cursor and its name starts
    // at its second character.
    ExpectKeptAndBackedUp("<Game>\r\n</Game>\r\njunk>\r\n",
                          "<Game>\r\n</Game>\r\n<unk>\r\n</unk>\r\n");
}

TEST_F(DamagedSettingsFile, TextAfterTheLastGroupStopsLoading) {
    ExpectKeptAndBackedUp("<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Game>\r\njunk\r\n",
                          "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Game>\r\n");
}

TEST_F(DamagedSettingsFile, ATabIsNotBlankButNulAndBellAre) {
    const std::string group = "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Game>\r\n";
    auto config = LoadFrom(group + std::string("\0\a \r\n", 5));
    EXPECT_EQ(Saved(*config), group);
    EXPECT_FALSE(fs::exists(Backup()));
    ExpectKeptAndBackedUp(group + "\t\r\n", group);
}

TEST_F(DamagedSettingsFile, TheCopyIsMadeOnceAndKeptBySaves) {
    const std::string damaged = "<Game>\r\n <A type=\"Integer\">\r\n  1\r\n </A>\r\n</Gme>\r\n";
    auto config = LoadFrom(damaged);
    config->SetInteger("Game", "A", 2);
    ASSERT_TRUE(config->Save());
    config->SetInteger("Game", "A", 3);
    ASSERT_TRUE(config->Save());
    EXPECT_EQ(ReadBytes(Backup()), damaged);
    EXPECT_EQ(ReadBytes(File()), "<Game>\r\n <A type=\"Integer\">\r\n  3\r\n </A>\r\n</Game>\r\n");
}

TEST_F(DamagedSettingsFile, ACopyFromAnEarlierRunIsReplaced) {
    WriteBytes(Backup(), "older damage");
    ExpectKeptAndBackedUp("<Game>\r\n</Game>\r\n<", "<Game>\r\n</Game>\r\n");
}

TEST_F(DamagedSettingsFile, WhenTheCopyCannotBeMadeTheDamagedFileStays) {
    const std::string damaged = "<Game>\r\n</Game>\r\nrest";
    auto config = LoadFrom(damaged);
    fs::create_directories(Backup() / "inside");
    EXPECT_FALSE(config->Save());
    EXPECT_EQ(ReadBytes(File()), damaged);
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(SettingsFile, NothingLeftOverFromACrashBlocksASave) {
    auto config = LoadFrom(kWorkedExample);
    config->SetInteger("Game", "NumberOfFrogs", 6);
    fs::create_directory(Temp.Path / "Pondlark.cfg.tmp");
    ASSERT_TRUE(config->Save());
    EXPECT_EQ(config->GetInteger("Game", "NumberOfFrogs", 0), 6);
    auto reloaded = Store();
    reloaded->Load();
    EXPECT_EQ(reloaded->GetInteger("Game", "NumberOfFrogs", 0), 6);
    EXPECT_EQ(Leftovers(), std::vector<std::string>{"Pondlark.cfg.tmp"});
}

// A settings file kept elsewhere and linked into place: the save goes into the file the
// link names, keeps its permissions, and the link stays a link.
TEST_F(SettingsFile, ASaveGoesThroughLinksAndKeepsThePermissions) {
    const fs::path dotfiles = Temp.Path / "dotfiles";
    fs::create_directory(dotfiles);
    WriteBytes(dotfiles / "real.cfg", "<Game>\r\n</Game>\r\nrest");
    fs::permissions(dotfiles / "real.cfg", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("dotfiles/link.cfg", File());
    fs::create_symlink("real.cfg", dotfiles / "link.cfg");
    auto config = Store();
    config->Load();
    config->SetInteger("Sound", "SoundVolume", 23);
    ASSERT_TRUE(config->Save());
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_TRUE(fs::is_symlink(dotfiles / "link.cfg"));
    EXPECT_EQ(ReadBytes(dotfiles / "real.cfg"),
              "<Game>\r\n</Game>\r\n<Sound>\r\n <SoundVolume type=\"Integer\">\r\n  23\r\n"
              " </SoundVolume>\r\n</Sound>\r\n");
    EXPECT_EQ(fs::status(dotfiles / "real.cfg").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadBytes(dotfiles / "real.cfg.bak"), "<Game>\r\n</Game>\r\nrest");
    EXPECT_EQ(std::distance(fs::directory_iterator(dotfiles), fs::directory_iterator()), 3);

    fs::remove(dotfiles / "link.cfg");
    fs::create_symlink("../Pondlark.cfg", dotfiles / "link.cfg");
    EXPECT_FALSE(config->Save());
}

TEST_F(SettingsFile, AFailedRenameRemovesTheTemporaryFile) {
    fs::create_directories(File() / "inside");
    auto config = Store();
    config->SetInteger("Game", "NumberOfFrogs", 6);
    EXPECT_FALSE(config->Save());
    EXPECT_TRUE(fs::is_directory(File() / "inside"));
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(SettingsFile, SaveFailsWhenTheFolderCannotBeMade) {
    WriteBytes(Temp.Path / "plain", "not a folder");
    Settings config("Pondlark.cfg", Temp.Backslashed() + "plain\\Grubwick");
    config.SetInteger("Game", "NumberOfFrogs", 6);
    EXPECT_FALSE(config.Save());
    EXPECT_EQ(ReadBytes(Temp.Path / "plain"), "not a folder");
}

}  // namespace
