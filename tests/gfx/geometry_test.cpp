#include "gfx/geometry.h"

#include <gtest/gtest.h>

TEST(AngleOf, MeasuresFromStraightDownCounterClockwise) {
    EXPECT_DOUBLE_EQ(AngleOf(1, 0), 90);
    EXPECT_DOUBLE_EQ(AngleOf(0, 1), 180);
    EXPECT_DOUBLE_EQ(AngleOf(-1, 0), 270);
    EXPECT_DOUBLE_EQ(AngleOf(0, -1), 0);
    EXPECT_DOUBLE_EQ(AngleOf(1, -1), 45);
    EXPECT_DOUBLE_EQ(AngleOf(-1, 1), 225);
    EXPECT_DOUBLE_EQ(AngleOf(0, 0), 0);
}

TEST(TurnToward, TurnsTheShortWayAndLandsOnTheTarget) {
    double angle = 350;
    TurnToward(angle, 10, 5);
    EXPECT_DOUBLE_EQ(angle, 0);  // 360 wraps

    angle = 8;
    TurnToward(angle, 10, 5);
    EXPECT_DOUBLE_EQ(angle, 10);  // would pass the target

    angle = 100;
    TurnToward(angle, 10, 5);
    EXPECT_DOUBLE_EQ(angle, 90);  // twice the step, downward

    angle = 5;
    TurnToward(angle, 300, 5);
    EXPECT_DOUBLE_EQ(angle, 355);  // through zero, wrapped once

    angle = 42;
    TurnToward(angle, 42, 5);
    EXPECT_DOUBLE_EQ(angle, 42);
}

TEST(SmallRoutines, ExactArithmetic) {
    EXPECT_EQ(SafeSqrt(-4), 0);
    EXPECT_EQ(SafeSqrt(0), 0);
    EXPECT_DOUBLE_EQ(SafeSqrt(9), 3);
    EXPECT_DOUBLE_EQ(Distance(1, 1, 4, 5), 5);
    EXPECT_DOUBLE_EQ(SmoothToward(3, 10, 2), 8);
    EXPECT_DOUBLE_EQ(FloatMod(-7.5, 2), -1.5);
    EXPECT_DOUBLE_EQ(FloatMod(7.5, -2), 1.5);
}

TEST(Colours, BytesAreDividedBy256) {
    Rgba c;
    SetColorBytes(255, 255, 255, 255, c);
    EXPECT_EQ(c.R, 0.99609375f);
    EXPECT_EQ(c.G, 0.99609375f);
    EXPECT_EQ(c.B, 0.99609375f);
    EXPECT_EQ(c.A, 0.99609375f);
    SetColor(c, 0.1, 0.2, 0.3, 1);
    EXPECT_EQ(c.R, 0.1f);
    EXPECT_EQ(c.A, 1.0f);
}
