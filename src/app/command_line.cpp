#include "app/command_line.h"

#include <filesystem>
#include <ostream>
#include <system_error>

namespace {

const char* const kUsage =
    "Usage: pondlark [OPTION]\n"
    "Frogs on drifting lily pads catch flies with springy tongues.\n"
    "\n"
    "  --record FILE  play as usual and record the first game started into FILE\n"
    "  --replay FILE  watch the game recorded in FILE, then exit (Escape stops it)\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "With no option the game starts. See pondlark(6) for the keys and the settings file.\n";

CommandLine Refused(const std::string& problem) {
    CommandLine line;
    line.Do = CommandLine::Action::Refuse;
    line.Problem = problem;
    return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool record = arg == "--record", replay = arg == "--replay";
        if (arg == "--help") {
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
            return 0;
        case CommandLine::Action::ShowVersion:
            out << "pondlark " << PONDLARK_VERSION << "\n";
            return 0;
        case CommandLine::Action::Refuse:
            err << "pondlark: " << line.Problem << "\n" << kUsage;
            return 2;
    }
    return 2;
}

std::string PathFromStartingFolder(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}
