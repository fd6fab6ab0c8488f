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

TEST(CommandLine, RefreshRateTakesFramesASecond) {
    EXPECT_EQ(ParseCommandLine({}).RefreshRate, 0);
    EXPECT_EQ(ParseCommandLine({"--refresh-rate", "144"}).RefreshRate, 144);
    const CommandLine both = ParseCommandLine({"--replay", "a.rec", "--refresh-rate", "1000"});
    EXPECT_EQ(both.Do, CommandLine::Action::Replay);
    EXPECT_EQ(both.RefreshRate, 1000);
    for (const auto& args : std::vector<std::vector<std::string>>{{"--refresh-rate"},
                                                                  {"--refresh-rate", "0"},
                                                                  {"--refresh-rate", "1001"},
                                                                  {"--refresh-rate", "-60"},
                                                                  {"--refresh-rate", "60Hz"},
                                                                  {"--refresh-rate", ""}}) {
        Answer answer = Answered(args);
        EXPECT_EQ(answer.Status, 2);
        EXPECT_NE(
            answer.Err.find("'--refresh-rate' needs a number of frames a second from 1 to 1000"),
            std::string::npos);
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

// Codes are read aloud: small letters, spaces and dashes are forgiven, letters that look
// alike are not codes at all.
TEST(CommandLine, AJoinCodeAndAMeetingServerGoTogether) {
    const CommandLine guest =
        ParseCommandLine({"--join-code", "7kq4-m9xw 2d", "--meet", "meet.example"});
    EXPECT_EQ(guest.Net, CommandLine::Network::Join);
    EXPECT_EQ(guest.Code, "7KQ4M9XW2D");
    EXPECT_EQ(guest.Server, "meet.example");
    EXPECT_EQ(guest.ServerPort, 7411);
    const CommandLine host = ParseCommandLine({"--host", "--meet", "10.0.0.1:7500"});
    EXPECT_EQ(host.Server, "10.0.0.1");
    EXPECT_EQ(host.ServerPort, 7500);
    for (const std::vector<std::string>& refused :
         std::vector<std::vector<std::string>>{{"--join-code", "7KQ4M9XW2"},
                                               {"--join-code", "7KQ4M9XW2O"},
                                               {"--join-code", "7KQ4M9XW2DD"},
                                               {"--join-code", "7KQ4M9XW2D", "--port", "7410"},
                                               {"--meet", "meet.example"},
                                               {"--join", "pond", "--meet", "meet.example"},
                                               {"--host", "--meet", "meet.example:0"},
                                               {"--host", "--join-code", "7KQ4M9XW2D"}}) {
        EXPECT_EQ(ParseCommandLine(refused).Do, CommandLine::Action::Refuse) << refused[1];
    }
}

TEST(CommandLine, NetworkGamesTakeAnAddressAndAPort) {
    const CommandLine join = ParseCommandLine({"--join", "pond.example:9000", "--record", "g.rec"});
    EXPECT_EQ(join.Net, CommandLine::Network::Join);
    EXPECT_EQ(join.Address, "pond.example");
    EXPECT_EQ(join.Port, 9000);
    EXPECT_EQ(join.Do, CommandLine::Action::Record);
    EXPECT_EQ(ParseCommandLine({"--host"}, 7410).Port, 7410);
    EXPECT_EQ(ParseCommandLine({"--host", "--port", "65535"}).Port, 65535);
    EXPECT_EQ(ParseCommandLine({"--port", "7500", "--join", "pond:7500"}).Port, 7500);
    EXPECT_NE(ParseCommandLine({"--join", "127.0.0.1:40100", "--port", "40200"})
                  .Problem.find("port 40100 and '--port' names 40200"),
              std::string::npos);
    for (const std::vector<std::string>& refused :
         std::vector<std::vector<std::string>>{{"--host", "--port", "0"},
                                               {"--host", "--port", "65536"},
                                               {"--join", "pond:x"},
                                               {"--join", "[::1]:7410"},
                                               {"--join"},
                                               {"--port", "7410"},
                                               {"--host", "--join", "pond"},
                                               {"--host", "--replay", "g.rec"},
                                               {"--join", "127.0.0.1:40100", "--port", "40200"}}) {
        EXPECT_EQ(ParseCommandLine(refused).Do, CommandLine::Action::Refuse) << refused[0];
    }
}
