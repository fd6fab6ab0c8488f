// Sound effects: the calls the game makes to start samples.
#pragma once

#include <cstdint>

// Starts a sample (or refreshes a looping one already playing); a frequency of
// 0 keeps the sample's own rate, and the position counts only when positional.
void PlaySample(int32_t index, bool positional, int32_t frequency, double x, double y, double z);
