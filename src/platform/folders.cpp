#include "platform/folders.h"

#include <cstdlib>

#include "config/user_folder.h"

namespace platform {

namespace {

// The XDG rules ignore relative paths in these variables.
bool IsAbsolute(const std::string& path) {
    return !path.empty() && path[0] == '/';
}

std::string Variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string UserConfigFolder() {
    const std::string configHome = Variable("XDG_CONFIG_HOME");
    if (IsAbsolute(configHome)) return configHome;
    const std::string home = Variable("HOME");
    return home.empty() ? "" : home + "/.config";
}

std::string SharedConfigFolder() {
    const std::string dirs = Variable("XDG_CONFIG_DIRS");
    for (size_t start = 0; start < dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string entry = dirs.substr(start, end - start);
        if (IsAbsolute(entry)) return entry;
        start = end + 1;
    }
    return "/etc/xdg";
}

// A trailing slash would leave "//" once the backslash becomes one.
std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string SpecialFolderPath(int folderId) {
    std::string folder;
    if (folderId == kUserDataFolder) {
        folder = UserConfigFolder();
    } else if (folderId == kSharedDataFolder) {
        folder = SharedConfigFolder();
    }
    return WithTrailingBackslash(WithoutTrailingSlashes(folder));
}

}  // namespace platform
