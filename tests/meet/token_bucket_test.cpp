#include "meet/token_bucket.h"

#include <gtest/gtest.h>

TEST(TokenBucket, StartsFullSpendsItsBurstAndRefillsAtItsRate) {
    TokenBucket bucket(20, 1000, 40, 5000);
    for (int i = 0; i < 40; ++i) EXPECT_TRUE(bucket.Take(5000)) << i;
    EXPECT_FALSE(bucket.Take(5000));
    // 20 a second: one every 50 ms.
    EXPECT_FALSE(bucket.Take(5049));
    EXPECT_TRUE(bucket.Take(5050));
    EXPECT_FALSE(bucket.Take(5050));
    // A long wait fills it to the burst, no further.
    EXPECT_TRUE(bucket.Has(1'000'000'000'000, 40));
    EXPECT_FALSE(bucket.Has(1'000'000'000'000, 41));
}

TEST(TokenBucket, TakesManyAtOnceOnlyWhenAllAreThere) {
    TokenBucket bytes(32 * 1024, 1000, 16 * 1024, 0);
    EXPECT_TRUE(bytes.Take(0, 16000));
    EXPECT_FALSE(bytes.Take(0, 1000));
    EXPECT_TRUE(bytes.Take(0, 384));
    // Slow rates: 10 a minute is one every 6 s; time running backwards adds nothing.
    TokenBucket slow(10, 60000, 1, 0);
    EXPECT_TRUE(slow.Take(0));
    EXPECT_FALSE(slow.Take(5999));
    EXPECT_FALSE(slow.Take(10));
    EXPECT_TRUE(slow.Take(6000));
}
