#include "state/random.h"

#include "state/application.h"

void RandomGenerator::SeedFromTime(int hours, int minutes, int seconds, int milliseconds) {
    Seed = static_cast<uint32_t>(((hours * 60 + minutes) * 60 + seconds) * 1000 + milliseconds);
}

int32_t RandomGenerator::Next(int32_t n) {
    Seed = Seed * 134775813u + 1u;
    return static_cast<int32_t>((static_cast<int64_t>(Seed) * n) >> 32);
}

double RandomGenerator::Next() {
    Seed = Seed * 134775813u + 1u;
    return Seed / 4294967296.0;
}

int32_t Random(int32_t n) {
    return App().Rng.Next(n);
}

double Random() {
    return App().Rng.Next();
}
