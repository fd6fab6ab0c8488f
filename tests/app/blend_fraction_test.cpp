#include "app/blend_fraction.h"

#include <gtest/gtest.h>

namespace {

TEST(BlendFraction, BlendsOnlyWhenOnAndFramesClearlyOutpaceSteps) {
    EXPECT_EQ(BlendFraction(true, 60, 144, 0.25), 0.25);
    EXPECT_EQ(BlendFraction(true, 60, 80, 0.25), 0.25);
    EXPECT_EQ(BlendFraction(true, 60, 79, 0.25), 1);
    // At the step rate each frame shows its own newest step, as without smoothing.
    EXPECT_EQ(BlendFraction(true, 60, 60, 0.25), 1);
    EXPECT_EQ(BlendFraction(true, 60, 0, 0.25), 1);
    EXPECT_EQ(BlendFraction(false, 60, 144, 0.25), 1);
    EXPECT_EQ(BlendFraction(true, 30, 60, 0.5), 0.5);
    // Never past the latest step, never before the one before it.
    EXPECT_EQ(BlendFraction(true, 60, 144, 1.5), 1);
    EXPECT_EQ(BlendFraction(true, 60, 144, -0.5), 0);
}

}  // namespace
