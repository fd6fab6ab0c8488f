#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "config/settings_store.h"
#include "config/user_folder.h"

namespace fs = std::filesystem;

namespace {

bool ReadWholeFile(const std::string& path, std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    char buffer[4096];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) text.append(buffer, count);
    const bool ok = !std::ferror(file);
    std::fclose(file);
    return ok;
}

// Writes a new file under a name of its own beside the target, with the target's
// permissions when it has one; empty on failure, with nothing left behind. A name of its
// own means two running games cannot write into each other's file, and nothing a crash
// left over can stand in the way.
fs::path WriteTemporaryFile(const fs::path& target, const std::string& text) {
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(random()));
        const fs::path path = target.string() + suffix;
        // "x": fail rather than reuse a name that is already there.
        std::FILE* file = std::fopen(path.c_str(), "wbx");
        if (!file) continue;
        bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
        ok = std::fflush(file) == 0 && ok;
        ok = std::fclose(file) == 0 && ok;
        std::error_code missing;
        const fs::file_status old = fs::status(target, missing);
        std::error_code error;
        if (ok && fs::exists(old)) fs::permissions(path, old.permissions(), error);
        if (ok && !error) return path;
        fs::remove(path, error);
        return {};
    }
    return {};
}

// The file a settings path finally names: a link (a settings file kept with the player's
// other dotfiles) is saved through, so it stays a link. Empty for a loop of links.
fs::path FollowLinks(fs::path path) {
    std::error_code error;
    for (int hops = 0; hops < 40; ++hops) {
        if (!fs::is_symlink(path, error)) return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error) return {};
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return {};
}

}  // namespace

void Settings::Load() {
    Clear();
    LoadStoppedEarly = false;
    std::string text;
    if (!ReadWholeFile(NativePath(Folder + FileName), text)) return;
    LoadStoppedEarly = !ReadText(text);
}

// The new text goes to a temporary file beside the old one and is renamed over
// it only when complete, so a failed save never leaves a cut-off settings file.
bool Settings::Save() {
    // A store with no file name (a replay's) is never written.
    if (FileName.empty()) return false;
    ForceFolders(Folder);
    const fs::path target = FollowLinks(NativePath(Folder + FileName));
    if (target.empty()) return false;
    const fs::path temporary = WriteTemporaryFile(target, ToText());
    if (temporary.empty()) return false;
    std::error_code error;
    // What the reader could not make sense of would be lost by this save, so
    // the damaged file is kept once as a .bak for the player to mend by hand.
    if (LoadStoppedEarly && fs::exists(target, error)) {
        fs::copy_file(target, target.string() + ".bak", fs::copy_options::overwrite_existing,
                      error);
    }
    if (!error) fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    LoadStoppedEarly = false;
    return true;
}
