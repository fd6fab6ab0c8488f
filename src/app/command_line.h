// The program's options, read before any window opens.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

struct CommandLine {
    enum class Action { Play, Record, Replay, ShowHelp, ShowVersion, Refuse };
    Action Do = Action::Play;
    // The recording to write or to play, for Record and Replay.
    std::string File;
    // Why the line was refused, when Do is Refuse.
    std::string Problem;
};

// Reads the arguments after the program name; the first one not understood
// refuses the whole line.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// Prints what the command line asks for and returns the exit status when the
// program should end without playing; nothing when it should play.
std::optional<int> AnswerCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err);

// The path as seen from the folder the program started in; empty stays empty.
std::string PathFromStartingFolder(const std::string& path);
