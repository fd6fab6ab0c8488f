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

#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "game/world_poses.h"
#include "gfx/particle.h"
#include "gfx/pose_blend.h"
#include "gfx/ripple.h"
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

// Every pose a frame would draw, as far as the steps' data goes, summed so that none is
// thrown away unseen.
template <class Pose, class T>
double DrawnSum(const ObjectList<T>& list, const std::vector<Pose>& before, double fraction) {
    double sum = 0;
    size_t cursor = 0;
    for (const auto& object : list) sum += DrawnPose(*object, before, cursor, fraction).X;
    return sum;
}

// A frame's work between steps when motion is smoothed: the poses kept before each step and
// every object's blended pose after it.
struct SmoothFrames {
    void BeforeStep(const Application& app) { CapturePoses(app, before); }
    void AfterStep(const Application& app) {
        drawn += DrawnSum(app.Frogs, before.Frogs, 0.5) + DrawnSum(app.Flies, before.Flies, 0.5) +
                 DrawnSum(app.Pads, before.Pads, 0.5) +
                 DrawnSum(app.Particles, before.Particles, 0.5) +
                 DrawnSum(app.Ripples, before.Ripples, 0.5);
    }
    WorldPoses before;
    double drawn = 0;
};

std::string PlayReplay(std::set<int>& weathers, std::set<int>& modes, int& levels,
                       SmoothFrames* smooth = nullptr) {
    ReplayHarness harness(GoldenRecording());
    std::ostringstream record;
    int32_t lastLevel = 0;
    for (;;) {
        if (smooth) smooth->BeforeStep(harness.App());
        if (!harness.Step()) break;
        if (smooth) smooth->AfterStep(harness.App());
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

// Drawing between steps reads the world and never writes it: the same record with it.
TEST(GoldenReplay, SmoothedDrawingLeavesTheReplayAsItWas) {
    std::set<int> w1, m1, w2, m2;
    int l1 = 0, l2 = 0;
    SmoothFrames smooth;
    const std::string smoothed = PlayReplay(w1, m1, l1, &smooth);
    EXPECT_NE(smooth.drawn, 0);
    std::ifstream file(kRecord, std::ios::binary);
    ASSERT_TRUE(file) << "missing " << kRecord;
    std::stringstream expected;
    expected << file.rdbuf();
    EXPECT_EQ(smoothed, expected.str());
    EXPECT_EQ(smoothed, PlayReplay(w2, m2, l2));
}

TEST(GoldenReplay, SameSeedAndKeysGiveTheSameWorld) {
    std::set<int> w1, m1, w2, m2;
    int l1 = 0, l2 = 0;
    EXPECT_EQ(PlayReplay(w1, m1, l1), PlayReplay(w2, m2, l2));
}
