#include "state/random.h"

#include <gtest/gtest.h>

#include "state/application.h"

namespace {

struct RandomTest : ::testing::Test {
    RandomTest() { UseApp(&app); }
    Application app;
};

}  // namespace

TEST_F(RandomTest, DrawsFollowTheLinearCongruentialSequence) {
    app.Rng.Seed = 12345;
    // Each seed is the previous one times 134775813 plus 1, modulo 2^32.
    EXPECT_EQ(Random(100), 38);
    EXPECT_EQ(app.Rng.Seed, 1655067934u);
    EXPECT_EQ(Random(6), 1);
    EXPECT_EQ(app.Rng.Seed, 1242767767u);
    EXPECT_EQ(Random(1000000), 79735);
    EXPECT_EQ(app.Rng.Seed, 342459380u);
    // Random(0) and Random(1) still advance the seed.
    EXPECT_EQ(Random(0), 0);
    EXPECT_EQ(app.Rng.Seed, 2377737157u);
    EXPECT_EQ(Random(1), 0);
    EXPECT_EQ(app.Rng.Seed, 2721613530u);
    EXPECT_DOUBLE_EQ(Random(), 1467157059 / 4294967296.0);
    EXPECT_EQ(app.Rng.Seed, 1467157059u);
}

TEST_F(RandomTest, IntegerDrawIsTheHighHalfOfTheProduct) {
    app.Rng.Seed = 0xFFFFFFFFu;
    EXPECT_EQ(Random(2147483647), 2080095741);  // new seed 4160191484
    app.Rng.Seed = 0;
    EXPECT_EQ(Random(), 1 / 4294967296.0);  // new seed 1
    EXPECT_EQ(Random(10), 0);               // new seed 134775814 is below 2^32 / 10
}

TEST_F(RandomTest, RealDrawsStayBelowOne) {
    app.Rng.Seed = 1;
    for (int i = 0; i < 10000; ++i) {
        const double r = Random();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

TEST_F(RandomTest, SeedIsTheTimeOfDayInMilliseconds) {
    app.Rng.SeedFromTime(12, 34, 56, 789);
    EXPECT_EQ(app.Rng.Seed, 45296789u);
    app.Rng.SeedFromTime(23, 59, 59, 999);
    EXPECT_EQ(app.Rng.Seed, 86399999u);
    app.Rng.SeedFromTime(0, 0, 0, 0);
    EXPECT_EQ(app.Rng.Seed, 0u);
}
