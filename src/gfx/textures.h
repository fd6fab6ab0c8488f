// Texture slots: the pictures loaded at start-up, addressed by small numbers.
#pragma once

#include <string>

enum TextureSlot {
    kSlotFont = 0,
    kSlotIcons = 2,
    kSlotRipple = 3,
    kSlotFrog = 5,
    kSlotPad = 6,
    kSlotSummer = 7,  // autumn, winter and spring follow
};

enum TextureKind { kTextureOrdinary = 0, kTextureFont = 1 };

// Loads "data\" + name into the slot; a failure has shown its message and returns false.
bool LoadTexture(int slot, const std::string& name, int kind);
// Makes the texture names and loads the nine pictures into their slots in start-up's
// order; stops at the first that fails.
bool LoadGameTextures();

// Binds the slot's texture and switches texturing on.
void BindTexture(int slot);
// Switches texturing (and texture coordinate generation) off.
void UnbindTexture();
