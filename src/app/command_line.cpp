#include "app/command_line.h"

#include <ostream>

namespace {

const char* const kUsage =
    "Usage: pondlark [OPTION]\n"
    "Frogs on drifting lily pads catch flies with springy tongues.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "\n"
    "With no option the game starts. See pondlark(6) for the keys and the settings file.\n";

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    for (const std::string& arg : args) {
        if (arg == "--help") {
            line.Do = CommandLine::Action::ShowHelp;
        } else if (arg == "--version") {
            line.Do = CommandLine::Action::ShowVersion;
        } else {
            line.Do = CommandLine::Action::Refuse;
            line.Unknown = arg;
            return line;
        }
    }
    return line;
}

std::optional<int> AnswerCommandLine(const CommandLine& line, std::ostream& out,
                                     std::ostream& err) {
    switch (line.Do) {
        case CommandLine::Action::Play:
            return std::nullopt;
        case CommandLine::Action::ShowHelp:
            out << kUsage;
            return 0;
        case CommandLine::Action::ShowVersion:
            out << "pondlark " << PONDLARK_VERSION << "\n";
            return 0;
        case CommandLine::Action::Refuse:
            err << "pondlark: unknown option '" << line.Unknown << "'\n" << kUsage;
            return 2;
    }
    return 2;
}
