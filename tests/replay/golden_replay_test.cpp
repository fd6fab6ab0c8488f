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

// Two people at the keyboard, pressing and letting go in a fixed, busy pattern, recorded
// the way the game records a game and read back the way it replays one.
Recording GoldenRecording() {
    const uint8_t keys[] = {200, 203, 205, 157, 17, 30, 32, 29};
    const RecordingHeader start = GameStart(4242, 6, 2, {0, 1, 2, 3, 4, 2});
    StepEncoder encoder(start.ViewWidth);
    KeyStates held{};
    uint32_t state = 12345;
    int32_t changeStep = 0;
    uint8_t changeKey = 0;
    // Each change comes 5 to 44 steps after the one before and toggles one of the keys.
    const auto nextChange = [&] {
        state = state * 1664525u + 1013904223u;
        changeStep += 5 + static_cast<int32_t>((state >> 16) % 40);
        changeKey = keys[(state >> 8) % 8];
    };
    nextChange();
    for (int32_t step = 0; step < kSteps; ++step) {
        for (; changeStep <= step; nextChange()) held[changeKey] ^= 0x80;
        encoder.Add(held, start.ViewWidth);
    }
    Recording recording;
    std::string problem;
    const std::string bytes = EncodeHeader(start) + encoder.Take() + StepEncoder::EndMark();
    EXPECT_EQ(ParseRecording(bytes, recording, problem), RecordingRead::Ok) << problem;
    return recording;
}

std::string PlayReplay(std::set<int>& weathers, std::set<int>& modes, int& levels) {
    ReplayHarness harness(GoldenRecording());
    std::ostringstream record;
    int32_t lastLevel = 0;
    while (harness.Step()) {
        const Game& game = *harness.App().Game;
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
    EXPECT_EQ(harness.Steps(), kSteps);
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
