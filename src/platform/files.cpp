#include "platform/files.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace platform {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The directory entry whose name matches `name`, exact spelling first.
std::string MatchInFolder(const fs::path& folder, const std::string& name) {
    std::error_code ec;
    if (fs::exists(folder / name, ec)) return name;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        std::string candidate = it->path().filename().string();
        if (SameIgnoringCase(candidate, name)) return candidate;
    }
    return name;
}

}  // namespace

std::string ProgramFolder() {
    char* base = SDL_GetBasePath();
    if (!base) return {};
    std::string folder = base;
    SDL_free(base);
    return folder;
}

std::string GameFolder(const std::string& programFolder) {
    std::error_code ec;
    for (std::string folder : {programFolder, programFolder + PONDLARK_SHARE_FROM_PROGRAM "/"}) {
        if (fs::is_directory(folder + "data", ec)) return folder;
    }
    return programFolder;
}

bool ChangeDirectory(const std::string& folder) {
    std::error_code ec;
    fs::current_path(folder, ec);
    return !ec;
}

std::string ResolveDataPath(const std::string& path) {
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    bool absolute = !slashed.empty() && slashed[0] == '/';
    fs::path resolved = absolute ? fs::path("/") : fs::path();
    size_t start = absolute ? 1 : 0;
    while (start <= slashed.size()) {
        size_t end = slashed.find('/', start);
        if (end == std::string::npos) end = slashed.size();
        std::string part = slashed.substr(start, end - start);
        if (!part.empty()) {
            bool special = part == "." || part == "..";
            resolved /= special ? part : MatchInFolder(resolved, part);
        }
        start = end + 1;
    }
    return resolved.string();
}

}  // namespace platform
