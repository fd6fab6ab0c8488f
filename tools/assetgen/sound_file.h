// Saves generated sound: 16-bit mono WAV samples and stereo Ogg Vorbis music.
#pragma once

#include <string>

#include "synth.h"

// Both return false, after a message, when the file cannot be written.
bool WriteWav(const std::string& path, const Samples& sound);
// quality runs from 0 (smallest) to 1 (best).
bool WriteOgg(const std::string& path, const Samples& left, const Samples& right, double quality);
