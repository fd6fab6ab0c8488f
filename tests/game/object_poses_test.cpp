#include "game/object_poses.h"

#include <gtest/gtest.h>

#include "game/fly.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "game/world_poses.h"
#include "gfx/pose_blend.h"
#include "input/input_state.h"
#include "state/application.h"

namespace {

FrogPose StandingFrog(double x) {
    FrogPose pose;
    pose.Id = &pose;
    pose.X = x;
    pose.Y = 87.5;
    pose.Size = 15;
    pose.TongueOut = true;
    pose.TongueLength = 2;
    pose.Tongue[0] = {x + 20, 120};
    pose.Tongue[1] = {x + 7, 90};
    pose.TongueWidth[0] = 3;
    pose.LegFrom[4] = {x, 80};
    return pose;
}

TEST(ObjectPoses, BlendFliesPadsAndSkiesAFractionOfTheWay) {
    const FlyPose fly =
        Blend(FlyPose{nullptr, 10, 20, 350, 1}, FlyPose{nullptr, 14, 22, 10, 2}, 0.25);
    EXPECT_DOUBLE_EQ(fly.X, 11);
    EXPECT_DOUBLE_EQ(fly.Y, 20.5);
    EXPECT_DOUBLE_EQ(fly.Heading, 355);  // the short way across 0, not back through 180
    EXPECT_DOUBLE_EQ(fly.WingPhase, 1.25);

    const PadPose pad = Blend(PadPose{nullptr, 100, 80, 40}, PadPose{nullptr, 101, 80, 39}, 0.5);
    EXPECT_DOUBLE_EQ(pad.X, 100.5);
    EXPECT_DOUBLE_EQ(pad.Size, 39.5);

    SkyPose before, now;
    before.Zenith = {0.2f, 0.4f, 0.6f, 1};
    now.Zenith = {0.28f, 0.4f, 0.52f, 1};
    const SkyPose sky = Blend(before, now, 0.5);
    EXPECT_FLOAT_EQ(sky.Zenith.R, 0.24f);
    EXPECT_FLOAT_EQ(sky.Zenith.B, 0.56f);

    // The whole way is the latest step exactly.
    const FlyPose whole =
        Blend(FlyPose{nullptr, 0.1, 0.7, 3, 0.3}, FlyPose{nullptr, 0.3, 0.9, 7, 1.1}, 1);
    EXPECT_EQ(whole.X, 0.3);
    EXPECT_EQ(whole.Y, 0.9);
    EXPECT_EQ(whole.Heading, 7);
}

TEST(ObjectPoses, MovesNoStepMakesDrawTheLatestStep) {
    const FlyPose wrapped =
        Blend(FlyPose{nullptr, 5, 200, 0, 0}, FlyPose{nullptr, 635, 200, 0, 0}, 0.5);
    EXPECT_EQ(wrapped.X, 635);
    const PadPose moved = Blend(PadPose{nullptr, 100, 80, 40}, PadPose{nullptr, 300, 80, 40}, 0.5);
    EXPECT_EQ(moved.X, 300);

    FrogPose before = StandingFrog(100);
    FrogPose now = StandingFrog(300);  // put back on another pad
    EXPECT_EQ(Blend(before, now, 0.5).X, 300);
    now = StandingFrog(102);
    now.Facing = -1;  // a turn mirrors the legs: no sweep through the body
    EXPECT_EQ(Blend(before, now, 0.5).LegFrom[4].X, 102);

    SkyPose dusk, newLevel;
    newLevel.Horizon = {0.5f, 0, 0, 0};
    EXPECT_EQ(Blend(dusk, newLevel, 0.5).Horizon.R, 0.5f);
}

TEST(ObjectPoses, TheTongueBlendsOnlyWhileItKeepsItsLinks) {
    FrogPose before = StandingFrog(100);
    FrogPose now = StandingFrog(104);
    now.Tongue[0].Y = 130;
    now.TongueWidth[0] = 5;
    FrogPose pose = Blend(before, now, 0.5);
    EXPECT_DOUBLE_EQ(pose.X, 102);
    EXPECT_DOUBLE_EQ(pose.Tongue[0].X, 122);
    EXPECT_DOUBLE_EQ(pose.Tongue[0].Y, 125);
    EXPECT_DOUBLE_EQ(pose.TongueWidth[0], 4);
    EXPECT_DOUBLE_EQ(pose.LegFrom[4].X, 102);

    // A link swallowed, or a tongue just shot, is drawn as the step left it.
    now.TongueLength = 1;
    pose = Blend(before, now, 0.5);
    EXPECT_DOUBLE_EQ(pose.X, 102);
    EXPECT_DOUBLE_EQ(pose.Tongue[0].Y, 130);
    before.TongueOut = false;
    now.TongueLength = 2;
    EXPECT_DOUBLE_EQ(Blend(before, now, 0.5).Tongue[0].Y, 130);
}

struct WorldPosesTest : ::testing::Test {
    WorldPosesTest() {
        UseApp(&app);
        app.Input = std::make_unique<InputState>(nullptr);
        app.Sky = std::make_unique<Sky>();
        app.Game = std::make_unique<Game>();
    }
    Fly& AddFly(double x, double y) {
        app.Flies.push_back(std::make_unique<Fly>(1, x, y, 0, 0, 4));
        return *app.Flies.back();
    }
    Application app;
};

// Objects are known by who they are, not by their place in the list: one dying or one
// being born changes nothing for the others, and a newcomer draws where it is.
TEST_F(WorldPosesTest, ObjectsAreMatchedAcrossDeathsAndBirths) {
    AddFly(100, 200);
    Fly& second = AddFly(300, 200);
    WorldPoses before;
    CapturePoses(app, before);
    ASSERT_EQ(before.Flies.size(), 2u);
    ASSERT_EQ(before.Sky.size(), 1u);

    second.X = 310;
    app.Flies.erase(app.Flies.begin());
    Fly& born = AddFly(500, 300);
    size_t cursor = 0;
    EXPECT_DOUBLE_EQ(DrawnPose(second, before.Flies, cursor, 0.5).X, 305);
    EXPECT_DOUBLE_EQ(DrawnPose(born, before.Flies, cursor, 0.5).X, 500);
    cursor = 0;
    EXPECT_DOUBLE_EQ(DrawnPose(second, before.Flies, cursor, 1).X, 310);

    // Capturing reads the world and leaves it as it was.
    const double x = second.X, heading = second.Heading;
    CapturePoses(app, before);
    EXPECT_EQ(before.Flies.size(), 2u);
    EXPECT_EQ(second.X, x);
    EXPECT_EQ(second.Heading, heading);
    app.Sky.reset();
    CapturePoses(app, before);
    EXPECT_TRUE(before.Sky.empty());
}

}  // namespace
