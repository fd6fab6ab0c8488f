// Writers for the icon's picture formats: PNG for desktops, BMP for SDL's own loader.
#pragma once

#include <string>

class Canvas;

// Both return false when the file cannot be written.
bool WritePng(const std::string& path, const Canvas& canvas);
// A 32-bit bitmap with an alpha mask in its header, which SDL_LoadBMP keeps.
bool WriteBmp(const std::string& path, const Canvas& canvas);
