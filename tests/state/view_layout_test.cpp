#include "state/view_layout.h"

#include <gtest/gtest.h>

TEST(ViewLayout, FourByThreeOverhangsTheBackgroundOnBothSides) {
    ViewLayout v = ComputeViewLayout(1024, 768);
    EXPECT_EQ(v.ViewWidth, 640);
    EXPECT_DOUBLE_EQ(v.BackLeft, -88);
    EXPECT_DOUBLE_EQ(v.BackRight, 728);
    EXPECT_EQ(v.FieldWidth, 640);
    EXPECT_DOUBLE_EQ(v.VisibleLeft, 0);
    EXPECT_DOUBLE_EQ(v.VisibleRight, 640);
}

TEST(ViewLayout, WideScreenGetsSideBars) {
    ViewLayout v = ComputeViewLayout(1280, 720);
    EXPECT_EQ(v.ViewWidth, 853);
    EXPECT_DOUBLE_EQ(v.BackLeft, 18.5);
    EXPECT_DOUBLE_EQ(v.BackRight, 834.5);
    EXPECT_EQ(v.FieldWidth, 816);
    EXPECT_DOUBLE_EQ(v.VisibleLeft, 18.5);
    EXPECT_DOUBLE_EQ(v.VisibleRight, 834.5);
}

TEST(ViewLayout, ExactFitAndDegenerateSizes) {
    ViewLayout fit = ComputeViewLayout(816, 480);
    EXPECT_EQ(fit.ViewWidth, 816);
    EXPECT_DOUBLE_EQ(fit.BackLeft, 0);
    EXPECT_DOUBLE_EQ(fit.VisibleRight, 816);

    ViewLayout flat = ComputeViewLayout(3, 0);  // height 0 counts as 1
    EXPECT_EQ(flat.ViewWidth, 1440);
    EXPECT_EQ(flat.FieldWidth, 816);

    // 480 * 1 / 192 = 2.5 rounds to the even 2.
    EXPECT_EQ(ComputeViewLayout(1, 192).ViewWidth, 2);
}
