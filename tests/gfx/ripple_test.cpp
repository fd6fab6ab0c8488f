#include "gfx/ripple.h"

#include <gtest/gtest.h>

#include <memory>

#include "state/application.h"

namespace {

struct RippleTest : ::testing::Test {
    RippleTest() { UseApp(&app); }

    // Update walks until the list is empty, or -1 after 1000 of them.
    int WalksUntilGone() {
        for (int walks = 1; walks <= 1000; ++walks) {
            UpdateRipples();
            if (app.Ripples.empty()) return walks;
        }
        return -1;
    }

    Application app;
};

}  // namespace

TEST_F(RippleTest, StepWidensAndFades) {
    Ripple ripple(100, 80, 10, 0.5);
    EXPECT_FALSE(ripple.Dead);
    ripple.Step();
    EXPECT_DOUBLE_EQ(ripple.Radius, 10.3);
    EXPECT_DOUBLE_EQ(ripple.Strength, 0.4976);
    for (int i = 0; i < 9; ++i) ripple.Step();
    EXPECT_NEAR(ripple.Radius, 13, 1e-12);
    EXPECT_EQ(ripple.X, 100);
    EXPECT_EQ(ripple.Y, 80);
}

TEST_F(RippleTest, LifetimeIsStrengthOver0024RoundedUp) {
    AddRipple(0, 80, 10, 0.0024);
    EXPECT_EQ(WalksUntilGone(), 1);
    AddRipple(0, 80, 10, 0.001);
    EXPECT_EQ(WalksUntilGone(), 1);
    AddRipple(0, 80, 10, 0.05);
    EXPECT_EQ(WalksUntilGone(), 21);
    AddRipple(0, 80, 10, 0.0025);
    EXPECT_EQ(WalksUntilGone(), 2);
}

TEST_F(RippleTest, AlphaIsTheStrengthAtMostOne) {
    Ripple strong(0, 80, 10, 1.2);
    EXPECT_EQ(strong.Alpha(), 1);
    for (int i = 0; i < 83; ++i) strong.Step();  // 1.2 - 83 × 0.0024 = 1.0008
    EXPECT_EQ(strong.Alpha(), 1);
    strong.Step();
    EXPECT_NEAR(strong.Alpha(), 0.9984, 1e-12);
    EXPECT_EQ(Ripple(0, 80, 10, 0.3).Alpha(), 0.3);
}

TEST_F(RippleTest, WalkDeletesInPlaceAndStepsEachSurvivorOnce) {
    const double strengths[] = {0.001, 0.002, 0.5, 0.0024, 0.001, 0.7, 0.002};
    for (double strength : strengths) AddRipple(strength * 1000, 80, 10, strength);
    UpdateRipples();
    ASSERT_EQ(app.Ripples.size(), 2u);
    EXPECT_EQ(app.Ripples[0]->X, 500);
    EXPECT_EQ(app.Ripples[1]->X, 700);
    for (const auto& ripple : app.Ripples) EXPECT_DOUBLE_EQ(ripple->Radius, 10.3);
}
