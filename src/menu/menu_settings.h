// The settings the menus show and edit, read from the store at every use.
#pragma once

#include <cstdint>
#include <string>

// One integer setting: where it is stored and what it is before anyone sets it.
struct MenuSetting {
    const char* Group;
    std::string Key;
    int32_t Default;

    int32_t Get() const;
    void Set(int32_t value) const;
};

inline const MenuSetting kNumberOfFrogs{"Game", "NumberOfFrogs", 2};
inline const MenuSetting kStartingLevel{"Game", "StartingLevel", 1};
inline const MenuSetting kSoundVolume{"Sound", "SoundVolume", 25};
inline const MenuSetting kMusicVolume{"Sound", "MusicVolume", 25};

// "Frog%d_control" and "Frog%d_color", frogs counted from 1.
MenuSetting FrogControlSetting(int32_t frog);
MenuSetting FrogColorSetting(int32_t frog);

bool FrogsCollision();
void SetFrogsCollision(bool value);
