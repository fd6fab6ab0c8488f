#include "platform/files.h"

#include <gtest/gtest.h>

#include "../config/temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(GameFolder, DataBesideTheProgramFirstThenTheInstallsShareFolder) {
    TempFolder prefix;
    std::string games = prefix.Path.string() + "/games/";
    fs::path share = prefix.Path / "share/games/pondlark";
    fs::create_directories(games);
    EXPECT_EQ(platform::GameFolder(games), games);

    fs::create_directories(share / "data");
    EXPECT_EQ(fs::canonical(platform::GameFolder(games)), share);

    fs::create_directories(games + "data");
    EXPECT_EQ(platform::GameFolder(games), games);
}

}  // namespace
