// Writes a canvas as an uncompressed 32-bit TGA file, bottom row first.
#pragma once

#include <string>

class Canvas;

// Returns false when the file cannot be written.
bool WriteTga(const std::string& path, const Canvas& canvas);
