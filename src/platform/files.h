// Paths and files: the game's backslash paths found on a case-sensitive disk.
#pragma once

#include <string>

namespace platform {

// The folder the executable lives in, with a trailing slash; empty if unknown.
std::string ProgramFolder();

// The folder that holds the game's data/ folder, with a trailing slash: the
// program's own folder in a build, else the install's share folder found from
// the program's (<prefix>/games/../share/games/pondlark). When neither holds
// data/, the program's folder, so the first data file the game opens fails
// with its usual message.
std::string GameFolder(const std::string& programFolder);

// Makes the folder the current directory; false when it cannot.
bool ChangeDirectory(const std::string& folder);

// Turns a path such as "Data\hop.wav" into one that exists on disk, matching
// each component without regard to case. A component with no match is kept
// as written, so the caller's open fails with the name it asked for.
std::string ResolveDataPath(const std::string& path);

}  // namespace platform
