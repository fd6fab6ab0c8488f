// What decides how this build does the game's arithmetic, said in a few words.
#pragma once

#include <string>

// The processor family, word size, byte order and how floating point is evaluated: two
// games that differ in any of these may play the same keys differently.
std::string MachineName();
