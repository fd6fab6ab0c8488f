#include "gfx/sprite_poses.h"

#include <gtest/gtest.h>

#include <vector>

#include "gfx/pose_blend.h"

namespace {

TEST(PoseBlend, MixesAndTurnsTheShortWay) {
    EXPECT_DOUBLE_EQ(Mix(10, 20, 0.3), 13);
    EXPECT_EQ(Mix(0.1, 0.7, 1), 0.7);
    EXPECT_EQ(Mix(0.1, 0.7, 0), 0.1);
    EXPECT_DOUBLE_EQ(MixAngle(350, 10, 0.5), 360);
    EXPECT_DOUBLE_EQ(MixAngle(10, 350, 0.5), 0);
    EXPECT_DOUBLE_EQ(MixAngle(100, 200, 0.5), 150);
    EXPECT_DOUBLE_EQ(MixAngle(0, 720 + 90, 0.5), 45);
    EXPECT_EQ(MixAngle(350, 10, 1), 10);
    EXPECT_TRUE(Near(0, 0, 60, -60, 60));
    EXPECT_FALSE(Near(0, 0, 60.5, 0, 60));
}

TEST(PoseBlend, FindsPosesInListOrderFromTheCursor) {
    int a, b, c;
    const std::vector<RipplePose> before{{&a}, {&b}, {&c}};
    size_t cursor = 0;
    EXPECT_EQ(FindBefore(before, &b, cursor), &before[1]);
    EXPECT_EQ(cursor, 2u);
    EXPECT_EQ(FindBefore(before, &a, cursor), nullptr);  // behind the cursor
    EXPECT_EQ(cursor, 2u);
    EXPECT_EQ(FindBefore(before, &c, cursor), &before[2]);
    EXPECT_EQ(FindBefore(before, nullptr, cursor), nullptr);
}

TEST(SpritePoses, ParticlesAndRipplesBlendUnlessTheyLeap) {
    const ParticlePose drop =
        Blend(ParticlePose{nullptr, 10, 300, 20}, ParticlePose{nullptr, 12, 290, 25}, 0.4);
    EXPECT_DOUBLE_EQ(drop.X, 10.8);
    EXPECT_DOUBLE_EQ(drop.Y, 296);
    EXPECT_DOUBLE_EQ(drop.Angle, 22);
    EXPECT_EQ(Blend(ParticlePose{nullptr, 10, 300, 0}, ParticlePose{nullptr, 10, 200, 0}, 0.4).Y,
              200);

    const RipplePose ring =
        Blend(RipplePose{nullptr, 50, 40, 3, 0.5}, RipplePose{nullptr, 50, 40, 3.3, 0.4976}, 0.5);
    EXPECT_DOUBLE_EQ(ring.Radius, 3.15);
    EXPECT_DOUBLE_EQ(ring.Strength, 0.4988);
    // Ripples never move, so one elsewhere is another ripple on a reused address.
    EXPECT_EQ(
        Blend(RipplePose{nullptr, 50, 40, 9, 0.1}, RipplePose{nullptr, 51, 40, 2, 1}, 0.5).Radius,
        2);
}

}  // namespace
