// Replays a fixed game and compares the world every 600 steps with the recorded run.
//
// After a deliberate change to the rules, regenerate the record with
//   PONDLARK_UPDATE_GOLDEN=1 build/tests/core_tests --gtest_filter='GoldenReplay.*'
// and commit tests/replay/golden_replay.txt with the change that explains it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/sky.h"
#include "replay_harness.h"

namespace {

constexpr int32_t kSteps = 36000;
constexpr int32_t kCheckEvery = 600;
const char kRecord[] = PONDLARK_SOURCE_DIR "/tests/replay/golden_replay.txt";

// Two people at the keyboard, pressing and letting go in a fixed, busy pattern.
std::vector<KeyEvent> Script() {
    const uint8_t keys[] = {200, 203, 205, 157, 17, 30, 32, 29};
    std::vector<KeyEvent> events;
    uint32_t state = 12345;
    bool down[8] = {};
    for (int32_t step = 0; step < kSteps;) {
        state = state * 1664525u + 1013904223u;
        step += 5 + static_cast<int32_t>((state >> 16) % 40);
        const int which = static_cast<int>((state >> 8) % 8);
        down[which] = !down[which];
        events.push_back({step, keys[which], down[which]});
    }
    return events;
}

std::string PlayReplay(std::set<int>& weathers, std::set<int>& modes, int& levels) {
    ReplaySetup setup;
    setup.Seed = 4242;
    setup.Frogs = 6;
    setup.StartingLevel = 2;
    ReplayHarness harness(setup);
    const std::vector<KeyEvent> script = Script();
    std::ostringstream record;
    int32_t lastLevel = 0;
    while (harness.Steps() < kSteps) {
        harness.Step(script);
        const TGra& game = *harness.App().Game;
        weathers.insert(harness.App().Sky->Weather);
        modes.insert(game.Mode);
        if (game.Level != lastLevel) ++levels;
        lastLevel = game.Level;
        if (harness.Steps() % kCheckEvery == 0) {
            char line[64];
            std::snprintf(line, sizeof line, "%d %016llx\n", harness.Steps(),
                          static_cast<unsigned long long>(harness.WorldHash()));
            record << line;
        }
    }
    return record.str();
}

}  // namespace

TEST(GoldenReplay, SixFrogsOverSeveralLevelsReplayExactly) {
    std::set<int> weathers, modes;
    int levels = 0;
    const std::string actual = PlayReplay(weathers, modes, levels);

    // The run must go through what it is meant to guard.
    EXPECT_TRUE(weathers.count(kWeatherRain)) << "no rainy level in the replay";
    EXPECT_TRUE(weathers.count(kWeatherSnow)) << "no snowy level in the replay";
    EXPECT_TRUE(modes.count(kEatAll) && modes.count(kEatBeforeNight)) << "both goals needed";
    EXPECT_GE(levels, 3);

    if (std::getenv("PONDLARK_UPDATE_GOLDEN")) {
        std::ofstream(kRecord, std::ios::binary) << actual;
        GTEST_SKIP() << "record rewritten: " << kRecord;
    }
    std::ifstream file(kRecord, std::ios::binary);
    ASSERT_TRUE(file) << "missing " << kRecord;
    std::stringstream expected;
    expected << file.rdbuf();
    EXPECT_EQ(actual, expected.str());
}

TEST(GoldenReplay, SameSeedAndKeysGiveTheSameWorld) {
    std::set<int> w1, m1, w2, m2;
    int l1 = 0, l2 = 0;
    EXPECT_EQ(PlayReplay(w1, m1, l1), PlayReplay(w2, m2, l2));
}
