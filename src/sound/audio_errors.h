// The sound layer's error codes and the texts the start-up messages show for them.
#pragma once

#include <cstdint>
#include <string>

enum AudioError : int32_t {
    kAudioFileNotFound = 9,
    kAudioUnknownFormat = 10,
    kAudioLoadFailed = 11,
    kAudioOutOfMemory = 12,
    kAudioInvalidParameter = 14,
    kAudioNoFreeChannel = 16,
};

// The text for an error code; "Unknown error" for a code outside the table.
std::string AudioErrorText(int32_t code);
