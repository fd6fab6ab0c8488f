#include "platform/folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "config/user_folder.h"

namespace {

// Sets the XDG variables for one test and puts the old values back afterwards.
class SpecialFolders : public ::testing::Test {
protected:
    void SetUp() override {
        for (Saved& saved : Variables) {
            const char* value = std::getenv(saved.Name);
            if (value) saved.Value = value;
            unsetenv(saved.Name);
        }
    }
    void TearDown() override {
        for (const Saved& saved : Variables) {
            if (saved.Value) {
                setenv(saved.Name, saved.Value->c_str(), 1);
            } else {
                unsetenv(saved.Name);
            }
        }
    }

    struct Saved {
        const char* Name;
        std::optional<std::string> Value;
    };
    Saved Variables[3] = {{"HOME", {}}, {"XDG_CONFIG_HOME", {}}, {"XDG_CONFIG_DIRS", {}}};
};

TEST_F(SpecialFolders, TheUsersFolderIsTheXdgConfigHome) {
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(platform::SpecialFolderPath(kUserDataFolder), "/home/u/.config\\");
    setenv("XDG_CONFIG_HOME", "/data/cfg/", 1);
    EXPECT_EQ(platform::SpecialFolderPath(kUserDataFolder), "/data/cfg\\");
    // Relative settings of the variable are not to be used.
    setenv("XDG_CONFIG_HOME", "cfg", 1);
    EXPECT_EQ(platform::SpecialFolderPath(kUserDataFolder), "/home/u/.config\\");
    unsetenv("HOME");
    EXPECT_EQ(platform::SpecialFolderPath(kUserDataFolder), "");
}

TEST_F(SpecialFolders, TheSharedFolderIsTheFirstXdgConfigDir) {
    EXPECT_EQ(platform::SpecialFolderPath(kSharedDataFolder), "/etc/xdg\\");
    setenv("XDG_CONFIG_DIRS", "", 1);
    EXPECT_EQ(platform::SpecialFolderPath(kSharedDataFolder), "/etc/xdg\\");
    setenv("XDG_CONFIG_DIRS", "/opt/xdg:/etc/xdg", 1);
    EXPECT_EQ(platform::SpecialFolderPath(kSharedDataFolder), "/opt/xdg\\");
    setenv("XDG_CONFIG_DIRS", "relative::/usr/local/etc/xdg", 1);
    EXPECT_EQ(platform::SpecialFolderPath(kSharedDataFolder), "/usr/local/etc/xdg\\");
}

TEST_F(SpecialFolders, AnUnknownIdFindsNothing) {
    setenv("HOME", "/home/u", 1);
    EXPECT_EQ(platform::SpecialFolderPath(5), "");
}

TEST_F(SpecialFolders, StartUpPutsTheSettingsUnderDotConfig) {
    setenv("HOME", "/home/u", 1);
    const std::string folder =
        ResolvePath("$User", "Grubwick\\PondlarkRemake", platform::SpecialFolderPath);
    EXPECT_EQ(folder, "/home/u/.config\\Grubwick\\PondlarkRemake\\");
    EXPECT_EQ(NativePath(folder + "Pondlark.cfg"),
              "/home/u/.config/Grubwick/PondlarkRemake/Pondlark.cfg");
    unsetenv("HOME");
    EXPECT_EQ(ResolvePath("$User", "Grubwick\\PondlarkRemake", platform::SpecialFolderPath),
              "Grubwick\\PondlarkRemake\\");
}

}  // namespace
