#include "game/world_hash.h"

#include <cstring>

#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "state/application.h"

namespace {

// FNV-1a over the bytes of every value fed in.
class Hasher {
public:
    template <typename T>
    void Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char b : bytes) hash_ = (hash_ ^ b) * 1099511628211ull;
    }
    uint64_t Value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037ull;
};

}  // namespace

uint64_t WorldHash(const Application& app) {
    Hasher h;
    if (app.Game) {
        const Game& game = *app.Game;
        h.Add(game.Level);
        h.Add(game.Mode);
        h.Add(game.FliesToSpawn);
        h.Add(game.LevelOver);
        h.Add(game.MessageTime);
    }
    h.Add(app.Sky->Clock);
    h.Add(app.Sky->Weather);
    h.Add(app.Rng.Seed);
    if (app.Game) {
        for (const PlayerRecord& player : app.Game->Players) {
            h.Add(player.LevelPoints);
            h.Add(player.TotalPoints);
        }
    }
    h.Add(static_cast<uint64_t>(app.Frogs.size()));
    for (const auto& frog : app.Frogs) {
        h.Add(frog->X);
        h.Add(frog->Y);
        h.Add(frog->VelX);
        h.Add(frog->VelY);
        h.Add(frog->State);
        h.Add(frog->Facing);
        h.Add(frog->TongueOut);
        for (const TongueSegment& segment : frog->Tongue) {
            h.Add(segment.X);
            h.Add(segment.Y);
        }
    }
    h.Add(static_cast<uint64_t>(app.Flies.size()));
    for (const auto& fly : app.Flies) {
        h.Add(fly->X);
        h.Add(fly->Y);
        h.Add(fly->VelX);
        h.Add(fly->VelY);
    }
    h.Add(static_cast<uint64_t>(app.Pads.size()));
    for (const auto& pad : app.Pads) {
        h.Add(pad->X);
        h.Add(pad->VelX);
        h.Add(pad->Size);
    }
    h.Add(static_cast<uint64_t>(app.Particles.size()));
    for (const auto& particle : app.Particles) {
        h.Add(particle->X);
        h.Add(particle->Y);
    }
    h.Add(static_cast<uint64_t>(app.Ripples.size()));
    return h.Value();
}
