#include "sound/sound.h"

// Plays nothing until the sound device is joined.
void PlaySample(int32_t, bool, int32_t, double, double, double) {}
