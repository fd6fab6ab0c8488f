#include "app/frame_step.h"

#include <gtest/gtest.h>

#include <climits>

#include "input/input_state.h"
#include "state/application.h"

namespace {

struct StepTest : ::testing::Test {
    StepTest() {
        app.Input = std::make_unique<InputState>(nullptr);
        app.View = ComputeViewLayout(800, 600);
    }
    Application app;
};

}  // namespace

TEST_F(StepTest, CounterStartsNearTheBottomAndWraps) {
    app.StepCounter = -2147483637;
    FrameStep(app);
    EXPECT_EQ(app.StepCounter, -2147483636);
    app.StepCounter = INT_MAX;
    FrameStep(app);
    EXPECT_EQ(app.StepCounter, INT_MIN);
}

TEST_F(StepTest, WithoutAMouseThePointerStaysAtTheOrigin) {
    for (int i = 0; i < 5; ++i) FrameStep(app);
    EXPECT_EQ(app.PointerX, 0);
    EXPECT_EQ(app.PointerY, 0);
}

TEST_F(StepTest, PointerMovesFourUnitsPerCountAndStaysInTheView) {
    MovePointer(app, 10, -5);
    EXPECT_EQ(app.PointerX, 40);
    EXPECT_EQ(app.PointerY, 20);  // screen y grows downward
    MovePointer(app, 1000, -1000);
    EXPECT_EQ(app.PointerX, 640);
    EXPECT_EQ(app.PointerY, 480);
    MovePointer(app, -1000, 1000);
    EXPECT_EQ(app.PointerX, 0);
    EXPECT_EQ(app.PointerY, 0);
}
