// One number for everything that moves or counts in the world: two games that agree on it
// have played alike.
#pragma once

#include <cstdint>

struct Application;

uint64_t WorldHash(const Application& app);
