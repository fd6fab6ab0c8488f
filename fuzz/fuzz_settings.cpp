// Feeds arbitrary text to the settings reader and checks that what the store
// writes back reads again completely and unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "config/settings_store.h"

namespace {

void Check(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "fuzz_settings: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    // No folder is ever used: only the in-memory reader and writer run.
    Settings first("Pondlark.cfg", "");
    first.ReadText(text);
    const std::string written = first.ToText();

    Settings second("Pondlark.cfg", "");
    Check(second.ReadText(written), "the written text does not read back completely");
    Check(second.ToText() == written, "the written text reads back as a different store");

    // The getters the game uses must answer whatever the store holds.
    first.GetInteger("Game", "NumberOfFrogs", 2);
    first.GetBoolean("Game", "FrogsCollision", true);
    first.GetString("Game", "Name", "");
    return 0;
}
