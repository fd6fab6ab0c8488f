#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Answer {
    std::optional<int> Status;
    std::string Out, Err;
};

Answer Answered(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    auto status = AnswerCommandLine(ParseCommandLine(args), out, err);
    return {status, out.str(), err.str()};
}

TEST(CommandLine, NoArgumentsPlay) {
    Answer answer = Answered({});
    EXPECT_FALSE(answer.Status);
    EXPECT_EQ(answer.Out + answer.Err, "");
}

TEST(CommandLine, HelpAndVersionPrintOnStdoutAndEnd) {
    Answer help = Answered({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_NE(help.Out.find("Usage: pondlark"), std::string::npos);
    EXPECT_NE(help.Out.find("--version"), std::string::npos);
    EXPECT_EQ(help.Err, "");

    Answer version = Answered({"--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, std::string("pondlark ") + PONDLARK_VERSION + "\n");
}

TEST(CommandLine, AnythingElseShowsUsageOnStderrAndFails) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--fullscreen"}, {"-h"}, {"level3"}, {"--help", "--nope"}, {"--version", ""}}) {
        Answer answer = Answered(args);
        EXPECT_EQ(answer.Status, 2);
        EXPECT_EQ(answer.Out, "");
        EXPECT_NE(answer.Err.find("unknown option '" + args.back() + "'"), std::string::npos);
        EXPECT_NE(answer.Err.find("Usage: pondlark"), std::string::npos);
    }
}

TEST(CommandLine, RecordAndReplayTakeOneFileEach) {
    CommandLine record = ParseCommandLine({"--record", "game.rec"});
    EXPECT_EQ(record.Do, CommandLine::Action::Record);
    EXPECT_EQ(record.File, "game.rec");
    EXPECT_FALSE(Answered({"--replay", "--help"}).Status);
    EXPECT_EQ(ParseCommandLine({"--replay", "--help"}).File, "--help");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--record"}, {"--replay", ""}, {"--record", "a", "--replay", "b"}}) {
        Answer answer = Answered(args);
        EXPECT_EQ(answer.Status, 2);
        EXPECT_EQ(answer.Out, "");
        EXPECT_NE(answer.Err.find("Usage: pondlark"), std::string::npos);
    }
}

}  // namespace
