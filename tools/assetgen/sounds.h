// The game's sound samples and menu music, synthesised and saved.
#pragma once

#include <string>

// Writes the 34 WAV samples and the music into folder; false (after a message) on failure.
bool WriteSounds(const std::string& folder);
