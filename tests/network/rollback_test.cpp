#include "network/rollback.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "app/frame_step.h"
#include "config/settings_store.h"
#include "game/game.h"
#include "game/player_input.h"
#include "game/sky.h"
#include "game/world_hash.h"
#include "input/input_state.h"
#include "menu/menu.h"
#include "network/shared_keys.h"
#include "recording/recorded_game.h"
#include "recording/replay_input.h"
#include "state/application.h"

namespace {

// A six-frog game, two of them steered by keys, as a network game starts it.
struct NetWorld {
    ReplayInput keys;
    Application app;

    NetWorld() {
        UseApp(&app);
        app.Config = std::make_unique<Settings>("", "");
        app.Sky = std::make_unique<Sky>();
        app.StepCounter = -2147483637;
        InstallKeyTable();
        app.Input = std::make_unique<InputState>(&keys);
        app.Input->Init();
        app.Menu = std::make_unique<Menu>();
        RecordingHeader header;
        header.Seed = 20261209;
        header.Settings.NumberOfFrogs = 6;
        header.Settings.FrogsCollision = true;
        for (int frog = 0; frog < 6; ++frog) {
            header.Settings.Colors[frog] = frog;
            header.Settings.Controls[frog] = frog < 2 ? frog : 2 + frog % 3;
        }
        header.ViewWidth = 800;
        StartRecordedGame(app, header);
    }
    ~NetWorld() {
        ClearWorld();
        app.Game.reset();
    }
    void Run(const KeyStates& shared) {
        keys.Keys = shared;
        FrameStep(app);
    }
};

// Each side's keys change every few steps: moves, jumps and tongues, never the menu.
std::vector<uint8_t> RandomKeys(std::mt19937& random, size_t steps) {
    std::vector<uint8_t> keys(steps);
    uint8_t held = 0;
    for (uint8_t& k : keys) {
        if (random() % 6 == 0) held = static_cast<uint8_t>(random() % 32);
        k = held;
    }
    return keys;
}

}  // namespace

// The guest's keys reach the host late, in bursts and out of order; the host puts the world
// back every time it guessed wrong. At the end its world must be the one a game that knew
// every key at once would have.
TEST(Rollback, AWorldPutBackAndPlayedAgainEndsAsOneThatNeverWentBack) {
    constexpr size_t kSteps = 3000;
    std::mt19937 random(7);
    const std::vector<uint8_t> host = RandomKeys(random, kSteps);
    const std::vector<uint8_t> guest = RandomKeys(random, kSteps);

    uint64_t straight = 0;
    std::string straightLine;
    {
        NetWorld world;
        GameWatch watch;
        watch.Begin(world.app);
        for (size_t step = 0; step < kSteps; ++step) {
            world.Run(SharedKeys(host[step], guest[step]));
            watch.AfterStep(world.app);
        }
        straight = WorldHash(world.app);
        straightLine = watch.SummaryLine();
    }

    NetWorld world;
    Rollback rollback(world.app, true, [&world](const KeyStates& keys) { world.Run(keys); });
    size_t sent = 0;
    while (rollback.Steps() < static_cast<int32_t>(kSteps)) {
        // A burst of the guest's keys arrives now and then, newest first, some steps late.
        if (random() % 4 == 0 && sent < static_cast<size_t>(rollback.Steps())) {
            const size_t upTo = std::min<size_t>(rollback.Steps(), sent + 1 + random() % 8);
            for (size_t step = upTo; step-- > sent;) rollback.AddRemote(step, &guest[step], 1);
            sent = upTo;
        }
        rollback.Reconcile();
        if (rollback.MayAdvance()) rollback.Advance(host[rollback.Steps()]);
    }
    rollback.AddRemote(static_cast<uint32_t>(sent), &guest[sent], kSteps - sent);
    rollback.Reconcile();

    ASSERT_NE(world.app.Game, nullptr);
    EXPECT_GE(world.app.Frogs.size(), 1u);
    EXPECT_EQ(WorldHash(world.app), straight);
    EXPECT_EQ(rollback.Watch().SummaryLine(), straightLine);
    EXPECT_GT(rollback.Rollbacks(), 100);
    EXPECT_LE(rollback.Deepest(), Rollback::kMostAhead);
}
