#include "config/user_folder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

// Slashes count too, so absolute Linux paths walk the same way.
bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

}  // namespace

std::string WithTrailingBackslash(const std::string& path) {
    if (path.empty() || path.back() == '\\') return path;
    return path + '\\';
}

std::string ResolvePath(const std::string& first, const std::string& subPath, FolderLookup lookup) {
    std::string base = first;
    if (first == "$AllUsers") {
        base = lookup(kSharedDataFolder);
    } else if (first == "$User") {
        base = lookup(kUserDataFolder);
    }
    return WithTrailingBackslash(WithTrailingBackslash(base) + subPath);
}

void ForceFolders(const std::string& path) {
    std::string prefix;
    size_t start = 0;
    while (start < path.size()) {
        size_t end = start;
        while (end < path.size() && !IsSeparator(path[end])) ++end;
        if (end < path.size()) ++end;
        const std::string piece = path.substr(start, end - start);
        start = end;
        prefix += piece;
        // A drive piece such as "C:\" is no folder to make.
        if (piece.size() > 1 && piece[1] == ':') continue;
        std::string folder = prefix;
        if (IsSeparator(folder.back())) folder.pop_back();
        // The root of an absolute path leaves nothing to make.
        if (folder.empty()) continue;
        std::error_code ignored;
        std::filesystem::create_directory(NativePath(folder), ignored);
    }
}

std::string NativePath(const std::string& path) {
    std::string native = path;
    std::replace(native.begin(), native.end(), '\\', '/');
    return native;
}
