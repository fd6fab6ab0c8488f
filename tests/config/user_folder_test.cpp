#include "config/user_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

std::vector<int> asked;

// Stands in for the desktop's folder lookup and remembers what it was asked.
std::string FakeLookup(int folderId) {
    asked.push_back(folderId);
    return folderId == kUserDataFolder ? "/home/u/.config\\" : "/etc/xdg\\";
}

std::string FailingLookup(int folderId) {
    asked.push_back(folderId);
    return "";
}

class UserFolder : public ::testing::Test {
protected:
    void SetUp() override { asked.clear(); }
};

TEST_F(UserFolder, MacrosNameTheLookedUpFolders) {
    EXPECT_EQ(ResolvePath("$User", "Grubwick\\PondlarkRemake", FakeLookup),
              "/home/u/.config\\Grubwick\\PondlarkRemake\\");
    EXPECT_EQ(ResolvePath("$AllUsers", "Grubwick\\PondlarkRemake", FakeLookup),
              "/etc/xdg\\Grubwick\\PondlarkRemake\\");
    EXPECT_EQ(asked, (std::vector<int>{26, 35}));
}

TEST_F(UserFolder, MacrosMatchOnlyWithTheirExactCapitals) {
    EXPECT_EQ(ResolvePath("$user", "Sub", FakeLookup), "$user\\Sub\\");
    EXPECT_EQ(ResolvePath("$ALLUSERS", "Sub", FakeLookup), "$ALLUSERS\\Sub\\");
    EXPECT_EQ(ResolvePath(" $User", "Sub", FakeLookup), " $User\\Sub\\");
    EXPECT_TRUE(asked.empty());
}

TEST_F(UserFolder, ALiteralFolderGetsItsBackslashesWithoutDoubling) {
    EXPECT_EQ(ResolvePath("/srv/games", "Grubwick\\PondlarkRemake", FakeLookup),
              "/srv/games\\Grubwick\\PondlarkRemake\\");
    EXPECT_EQ(ResolvePath("/srv/games\\", "Pond\\", FakeLookup), "/srv/games\\Pond\\");
    EXPECT_EQ(ResolvePath("/srv/games", "", FakeLookup), "/srv/games\\");
    EXPECT_EQ(ResolvePath("", "", FakeLookup), "");
    EXPECT_EQ(ResolvePath("", "Pond", FakeLookup), "Pond\\");
}

TEST_F(UserFolder, AFailedLookupLeavesARelativeFolder) {
    EXPECT_EQ(ResolvePath("$User", "Grubwick\\PondlarkRemake", FailingLookup),
              "Grubwick\\PondlarkRemake\\");
    EXPECT_EQ(asked, std::vector<int>{26});
}

TEST(UserFolderText, TrailingBackslashAndNativePath) {
    EXPECT_EQ(WithTrailingBackslash(""), "");
    EXPECT_EQ(WithTrailingBackslash("a"), "a\\");
    EXPECT_EQ(WithTrailingBackslash("a\\"), "a\\");
    EXPECT_EQ(WithTrailingBackslash("a/"), "a/\\");
    EXPECT_EQ(NativePath("/home/u/.config\\Grubwick\\PondlarkRemake\\Pondlark.cfg"),
              "/home/u/.config/Grubwick/PondlarkRemake/Pondlark.cfg");
}

TEST(ForceFolders, CreatesEveryMissingLevelFromTheOutermostIn) {
    TempFolder temp;
    // Each level is made on its own, so the inner ones exist only if the outer came first.
    ForceFolders(temp.Backslashed() + "One\\Two\\Three");
    EXPECT_TRUE(fs::is_directory(temp.Path / "One" / "Two" / "Three"));

    WriteBytes(temp.Path / "One" / "marker", "kept");
    ForceFolders(temp.Backslashed() + "One\\Two\\Three\\");
    ForceFolders(temp.Path.string() + "/One/Four\\Five\\");
    EXPECT_EQ(ReadBytes(temp.Path / "One" / "marker"), "kept");
    EXPECT_TRUE(fs::is_directory(temp.Path / "One" / "Two" / "Three"));
    EXPECT_TRUE(fs::is_directory(temp.Path / "One" / "Four" / "Five"));
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.Path / "One"), fs::directory_iterator()),
              3);
}

TEST(ForceFolders, IgnoresFailuresAndDrivePieces) {
    TempFolder temp;
    WriteBytes(temp.Path / "plain", "file");
    ForceFolders(temp.Backslashed() + "plain\\Sub\\");
    EXPECT_EQ(ReadBytes(temp.Path / "plain"), "file");

    const fs::path before = fs::current_path();
    fs::current_path(temp.Path);
    ForceFolders("C:\\Games\\");
    ForceFolders("Grubwick\\PondlarkRemake\\");
    fs::current_path(before);
    EXPECT_FALSE(fs::exists(temp.Path / "C:"));
    EXPECT_TRUE(fs::is_directory(temp.Path / "Grubwick" / "PondlarkRemake"));
}

}  // namespace
