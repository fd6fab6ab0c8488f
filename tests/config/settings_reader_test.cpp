#include <gtest/gtest.h>

#include <string>

#include "config/settings_store.h"

namespace {

std::string Option(const std::string& key, const std::string& type, const std::string& value) {
    return "<" + key + " type=\"" + type + "\">" + value + "</" + key + ">";
}

// Large enough that a lookup walking everything read so far would take minutes.
constexpr int kMany = 200000;

TEST(SettingsReader, AHugeGroupOfDistinctKeysLoadsWholeAndTheFirstOfAKeyWins) {
    std::string text = "<Game>";
    for (int i = 0; i < kMany; ++i) text += Option("k" + std::to_string(i), "Integer", "1");
    text += Option("k7", "Integer", "99") + Option("k7", "String", "late");
    text += "</Game>";
    Settings config("Pondlark.cfg", "");
    ASSERT_TRUE(config.ReadText(text));
    SettingsGroup* game = config.FindGroup("Game");
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->Options.size(), static_cast<size_t>(kMany));
    EXPECT_EQ(config.GetInteger("Game", "k7", 0), 1);
    EXPECT_EQ(config.GetInteger("Game", "k" + std::to_string(kMany - 1), 0), 1);
}

TEST(SettingsReader, ManyGroupsLoadWholeAndARepeatedGroupFeedsTheFirst) {
    std::string text;
    for (int i = 0; i < kMany; ++i) {
        const std::string name = "g" + std::to_string(i);
        text += "<" + name + ">" + Option("k", "Integer", std::to_string(i)) + "</" + name + ">";
    }
    text += "<g5>" + Option("other", "Integer", "8") + "</g5>";
    Settings config("Pondlark.cfg", "");
    ASSERT_TRUE(config.ReadText(text));
    EXPECT_EQ(config.GetInteger("g5", "k", -1), 5);
    EXPECT_EQ(config.GetInteger("g5", "other", -1), 8);
    EXPECT_EQ(config.GetInteger("g" + std::to_string(kMany - 1), "k", -1), kMany - 1);
    EXPECT_EQ(config.FindGroup("g5")->Options.size(), 2u);
}

TEST(SettingsReader, TextReadIntoAFilledStoreFeedsItsFirstGroupAndKeepsItsValues) {
    Settings config("Pondlark.cfg", "");
    config.SetInteger("Game", "NumberOfFrogs", 4);
    config.AddGroup("Game");
    ASSERT_TRUE(config.ReadText("<Game>" + Option("NumberOfFrogs", "Integer", "6") +
                                Option("StartingLevel", "Integer", "9") + "</Game>"));
    EXPECT_EQ(config.GetInteger("Game", "NumberOfFrogs", 0), 4);
    EXPECT_EQ(config.GetInteger("Game", "StartingLevel", 0), 9);
    EXPECT_EQ(config.FindGroup("Game")->Options.size(), 2u);
}

TEST(SettingsReader, TheLastWindowOfAKeyReplacesEveryEarlierOptionOfIt) {
    std::string text = "<Forms>" + Option("Main", "Integer", "3");
    for (int left = 1; left <= 3; ++left) {
        text += "<Main type=\"Window\" Left=\"" + std::to_string(left) + "\"></Main>";
    }
    text += Option("Other", "Window", "") + "</Forms>";
    Settings config("Pondlark.cfg", "");
    ASSERT_TRUE(config.ReadText(text));
    const SettingsGroup* forms = config.FindGroup("Forms");
    ASSERT_NE(forms, nullptr);
    ASSERT_EQ(forms->Options.size(), 2u);
    const auto* main = dynamic_cast<const WindowOption*>(forms->Options[0].get());
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->Name, "Main");
    EXPECT_EQ(main->Left, 3);
    EXPECT_EQ(forms->Options[1]->Name, "Other");
}

}  // namespace
