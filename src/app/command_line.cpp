#include "app/command_line.h"

#include <cctype>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "network/meet_messages.h"
#include "state/exit_status.h"

namespace {

const char* const kUsage =
    "Usage: pondlark [OPTION]\n"
    "Frogs on drifting lily pads catch flies with springy tongues.\n"
    "\n"
    "  --record FILE          play as usual and record the first game started into FILE\n"
    "  --replay FILE          watch the game recorded in FILE, then exit (Escape stops it)\n"
    "  --host                 wait for a player to join over the network, then play one\n"
    "                         game together with this side's settings\n"
    "  --join ADDRESS[:PORT]  join a host (a name or an IPv4 address) and play its game\n"
    "  --port N               the UDP port to host on or to join (7410 unless given)\n"
    "  --meet SERVER[:PORT]   meet through a meeting server (UDP port 7411 unless given):\n"
    "                         a host gets a join code to pass on\n"
    "  --join-code CODE       join the host whose code this is, through the meeting server\n"
    "  --refresh-rate HZ      present HZ frames a second where the display reports no\n"
    "                         rate or a wrong one (a swap that waits keeps its own)\n"
    "  --help                 show this help and exit\n"
    "  --version              show the version and exit\n"
    "\n"
    "With no option the game starts. See pondlark(6) for the keys and the settings file.\n"
    "\n"
    "Exit status: 0 the game ended or was left; 1 it could not start; 2 the command line,\n"
    "the recording file or the port was refused; 3 the recording cannot be replayed;\n"
    "4 nobody answered the join within 10 s, the address was not found or the host is\n"
    "busy; 5 the other player has another version or another kind of machine; 6 the other\n"
    "player left or went silent for 5 s; 7 the two games went apart.\n";

std::optional<uint16_t> ReadPort(const std::string& text) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int value = std::stoi(text);
    if (value < 1 || value > 65535) return std::nullopt;
    return static_cast<uint16_t>(value);
}

constexpr int kMaxRefreshRate = 1000;

// A whole number of frames a second, or 0 when the text is not one.
int ReadRefreshRate(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    const int value = std::stoi(text);
    return value <= kMaxRefreshRate ? value : 0;
}

// "name", "name:port", "1.2.3.4:port"; the network library speaks IPv4 only.
bool SplitAddress(const std::string& text, const std::string& option, std::string& address,
                  std::optional<uint16_t>& port, std::string& problem) {
    const size_t colon = text.find(':');
    if (text.empty() || text[0] == '[' ||
        (colon != std::string::npos && text.find(':', colon + 1) != std::string::npos)) {
        problem = "IPv6 addresses cannot be used yet: give a name or an IPv4 address";
        return false;
    }
    address = text.substr(0, colon);
    if (address.empty()) {
        problem = "option '" + option + "' needs an address before the port";
        return false;
    }
    if (colon == std::string::npos) return true;
    port = ReadPort(text.substr(colon + 1));
    if (!port) {
        problem = "the port in '" + text + "' is not a number from 1 to 65535";
        return false;
    }
    return true;
}

// Codes are read aloud and typed by hand: small letters, spaces and dashes are forgiven.
std::optional<std::string> ReadCode(const std::string& text) {
    std::string code;
    for (const char c : text) {
        if (c == ' ' || c == '-') continue;
        code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const bool letters = code.find_first_not_of(kCodeLetters) == std::string::npos;
    if (code.size() != kCodeLength || !letters) return std::nullopt;
    return code;
}

CommandLine Refused(const std::string& problem) {
    CommandLine line;
    line.Do = CommandLine::Action::Refuse;
    line.Problem = problem;
    return line;
}

}  // namespace

bool ReadServer(const std::string& text, std::string& name, uint16_t& port, std::string& problem) {
    std::optional<uint16_t> given;
    if (!SplitAddress(text, "--meet", name, given, problem)) return false;
    port = given.value_or(kMeetPort);
    return true;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args, uint16_t defaultPort) {
    CommandLine line;
    std::optional<uint16_t> port, addressPort;
    std::string joined;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool record = arg == "--record", replay = arg == "--replay";
        const bool code = arg == "--join-code";
        const bool needsValue = arg == "--join" || arg == "--port" || arg == "--meet" || code;
        if (needsValue && (i + 1 == args.size() || args[i + 1].empty())) {
            return Refused("option '" + arg + "' needs " +
                           (arg == "--port" ? "a port number"
                            : code          ? "a code"
                                            : "an address"));
        }
        if (arg == "--host" || arg == "--join" || code) {
            if (line.Net != CommandLine::Network::None) {
                return Refused("only one of --host, --join and --join-code at a time");
            }
            line.Net = arg == "--host" ? CommandLine::Network::Host : CommandLine::Network::Join;
            std::string problem;
            if (arg == "--join") {
                joined = args[++i];
                if (!SplitAddress(joined, arg, line.Address, addressPort, problem)) {
                    return Refused(problem);
                }
            } else if (code) {
                const std::optional<std::string> read = ReadCode(args[++i]);
                if (!read) {
                    return Refused("'" + args[i] + "' is not a join code: a code has " +
                                   std::to_string(kCodeLength) +
                                   " letters and digits, with no 0, 1, I, L or O");
                }
                line.Code = *read;
            }
        } else if (arg == "--meet") {
            std::string problem;
            if (!ReadServer(args[++i], line.Server, line.ServerPort, problem)) {
                return Refused(problem);
            }
        } else if (arg == "--port") {
            port = ReadPort(args[++i]);
            if (!port) return Refused("option '--port' needs a port number from 1 to 65535");
        } else if (arg == "--refresh-rate") {
            line.RefreshRate = i + 1 < args.size() ? ReadRefreshRate(args[++i]) : 0;
            if (line.RefreshRate == 0) {
                return Refused(
                    "option '--refresh-rate' needs a number of frames a second from 1 "
                    "to " +
                    std::to_string(kMaxRefreshRate));
            }
        } else if (arg == "--help") {
            line.Do = CommandLine::Action::ShowHelp;
        } else if (arg == "--version") {
            line.Do = CommandLine::Action::ShowVersion;
        } else if (record || replay) {
            if (i + 1 == args.size() || args[i + 1].empty()) {
                return Refused("option '" + arg + "' needs a file name");
            }
            if (!line.File.empty()) return Refused("only one of --record and --replay at a time");
            line.Do = record ? CommandLine::Action::Record : CommandLine::Action::Replay;
            line.File = args[++i];
        } else {
            return Refused("unknown option '" + arg + "'");
        }
    }
    if (line.Net == CommandLine::Network::None) {
        if (port) return Refused("option '--port' goes with --host or --join");
        if (!line.Server.empty()) return Refused("option '--meet' goes with --host or --join-code");
    } else if (!line.Server.empty() && !line.Address.empty()) {
        return Refused("'--join' names the host itself: '--meet' goes with --host or --join-code");
    } else if (line.Do == CommandLine::Action::Replay) {
        return Refused("a replay cannot be played over the network");
    }
    if (port && !line.Code.empty()) {
        return Refused("a join code finds the host's port: '--port' goes with --host or --join");
    }
    if (port && addressPort && *port != *addressPort) {
        return Refused("'--join " + joined + "' names port " + std::to_string(*addressPort) +
                       " and '--port' names " + std::to_string(*port) + ": give one of them");
    }
    line.Port = addressPort.value_or(port.value_or(defaultPort));
    return line;
}

std::optional<int> AnswerCommandLine(const CommandLine& line, std::ostream& out,
                                     std::ostream& err) {
    switch (line.Do) {
        case CommandLine::Action::Play:
        case CommandLine::Action::Record:
        case CommandLine::Action::Replay:
            return std::nullopt;
        case CommandLine::Action::ShowHelp:
            out << kUsage;
            return kExitOk;
        case CommandLine::Action::ShowVersion:
            out << "pondlark " << PONDLARK_VERSION << "\n";
            return kExitOk;
        case CommandLine::Action::Refuse:
            err << "Pondlark Remake: " << line.Problem << "\n" << kUsage;
            return kExitRefused;
    }
    return kExitRefused;
}

std::string PathFromStartingFolder(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}
