#include <cstdio>
#include <filesystem>
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

// Writes a fresh file; on any failure a partly written file is removed.
bool WriteWholeFile(const std::string& path, const std::string& text) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    ok = std::fflush(file) == 0 && ok;
    ok = std::fclose(file) == 0 && ok;
    if (!ok) std::remove(path.c_str());
    return ok;
}

}  // namespace

void TConfig::Load() {
    Clear();
    LoadStoppedEarly = false;
    std::string text;
    if (!ReadWholeFile(NativePath(Folder + FileName), text)) return;
    LoadStoppedEarly = !ReadText(text);
}

// The new text goes to a temporary file beside the old one and is renamed over
// it only when complete, so a failed save never leaves a cut-off settings file.
bool TConfig::Save() {
    ForceFolders(Folder);
    const std::string target = NativePath(Folder + FileName);
    const std::string temporary = target + ".tmp";
    if (!WriteWholeFile(temporary, ToText())) return false;
    std::error_code error;
    // What the reader could not make sense of would be lost by this save, so
    // the damaged file is kept once as a .bak for the player to mend by hand.
    if (LoadStoppedEarly && fs::exists(target, error)) {
        fs::copy_file(target, target + ".bak", fs::copy_options::overwrite_existing, error);
    }
    if (!error) fs::rename(temporary, target, error);
    if (error) {
        fs::remove(temporary, error);
        return false;
    }
    LoadStoppedEarly = false;
    return true;
}
