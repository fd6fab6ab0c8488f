// The program's options, read before any window opens.
#pragma once

#include <cstdint>
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
    // A game over the network, played (and perhaps recorded) instead of a game alone.
    enum class Network { None, Host, Join };
    Network Net = Network::None;
    // The host to join, without its port.
    std::string Address;
    uint16_t Port = 0;
    // A join through a meeting server: the host's code, in capitals.
    std::string Code;
    // The meeting server, when the line names one, and its port.
    std::string Server;
    uint16_t ServerPort = 0;
    // Frames a second to pace to where the display reports no rate or a wrong one; 0 for
    // the display's own.
    int RefreshRate = 0;
};

// "name" or "name:port" of a meeting server, as the command line or the settings file gives
// it; false with the reason when it is neither.
bool ReadServer(const std::string& text, std::string& name, uint16_t& port, std::string& problem);

// Reads the arguments after the program name; the first one not understood
// refuses the whole line. `defaultPort` is the port of a network game that names none.
CommandLine ParseCommandLine(const std::vector<std::string>& args, uint16_t defaultPort = 7410);

// Prints what the command line asks for and returns the exit status when the
// program should end without playing; nothing when it should play.
std::optional<int> AnswerCommandLine(const CommandLine& line, std::ostream& out, std::ostream& err);

// The path as seen from the folder the program started in; empty stays empty.
std::string PathFromStartingFolder(const std::string& path);
