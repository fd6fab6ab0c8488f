#include "gfx/particle.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "gfx/ripple.h"
#include "state/application.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct ParticleTest : ::testing::Test {
    ParticleTest() {
        UseApp(&app);
        app.Rng.Seed = 20240601;
    }

    // A copy of the generator, to work out the draws the code under test will make.
    RandomGenerator Preview() const { return app.Rng; }

    // Random draws made between two seeds of the generator, or -1 for more than 20.
    static int DrawsBetween(uint32_t before, uint32_t after) {
        RandomGenerator rng;
        rng.Seed = before;
        for (int draws = 0; draws <= 20; ++draws) {
            if (rng.Seed == after) return draws;
            rng.Next();
        }
        return -1;
    }

    // Seeds the generator with the first seed whose coming draws the test accepts.
    template <typename Accept>
    void SeedWhere(Accept accept) {
        for (uint32_t seed = 1;; ++seed) {
            RandomGenerator preview;
            preview.Seed = seed;
            if (accept(preview)) {
                app.Rng.Seed = seed;
                return;
            }
        }
    }

    // Steps a lone particle until it dies; returns the number of steps, or -1 after 1000.
    static int StepsToLand(Particle& particle) {
        for (int steps = 1; steps <= 1000; ++steps) {
            particle.Step();
            if (particle.Dead) return steps;
        }
        return -1;
    }

    Application app;
};

}  // namespace

TEST_F(ParticleTest, DropletDrawsShadeThenAlpha) {
    RandomGenerator preview = Preview();
    const double c = 1 - preview.Next() * 0.3;
    const double a = 0.6 - preview.Next() * 0.4;
    Particle droplet(kDroplet, 10, 20, 1.5, -2.5, 3);
    EXPECT_EQ(app.Rng.Seed, preview.Seed);
    EXPECT_EQ(droplet.X, 10);
    EXPECT_EQ(droplet.Y, 20);
    EXPECT_EQ(droplet.VelX, 1.5);
    EXPECT_EQ(droplet.VelY, -2.5);
    EXPECT_EQ(droplet.Size, 3);
    EXPECT_EQ(droplet.Tile, 18);
    EXPECT_EQ(droplet.ColorR, c);
    EXPECT_EQ(droplet.ColorG, c);
    EXPECT_EQ(droplet.ColorB, 1);
    EXPECT_EQ(droplet.ColorA, a);
    EXPECT_EQ(droplet.Angle, 0);
    EXPECT_EQ(droplet.Spin, 0);
    EXPECT_EQ(droplet.Gravity, 0);
    EXPECT_EQ(droplet.Kind, kDroplet);
    EXPECT_FALSE(droplet.Dead);
}

TEST_F(ParticleTest, RaindropDrawsLikeADropletAndFallsBySize) {
    RandomGenerator preview = Preview();
    const double c = 1 - preview.Next() * 0.3;
    const double a = 0.6 - preview.Next() * 0.4;
    Particle drop(kRaindrop, 0, 510, 0, -10, 8);
    EXPECT_EQ(app.Rng.Seed, preview.Seed);
    EXPECT_EQ(drop.Tile, 17);
    EXPECT_EQ(drop.ColorR, c);
    EXPECT_EQ(drop.ColorG, c);
    EXPECT_EQ(drop.ColorB, 1);
    EXPECT_EQ(drop.ColorA, a);
    EXPECT_EQ(drop.Angle, 0);
    EXPECT_EQ(drop.Spin, 0);
    EXPECT_DOUBLE_EQ(drop.Gravity, 0.23);  // (8 - 2) / 30 + 0.03
}

TEST_F(ParticleTest, SnowflakeDrawsAlphaTileAngleSpin) {
    RandomGenerator preview = Preview();
    const double alpha = 0.8 - preview.Next() * 0.5;
    const int32_t tile = 13 + preview.Next(4);
    const double angle = preview.Next() * 360;
    const double spin = (preview.Next() - 0.5) * 10;
    Particle flake(kSnowflake, 5, 510, 0.1, -0.5, 3.5);
    EXPECT_EQ(app.Rng.Seed, preview.Seed);
    EXPECT_EQ(flake.ColorR, 1);
    EXPECT_EQ(flake.ColorG, 1);
    EXPECT_EQ(flake.ColorB, 1);
    EXPECT_EQ(flake.ColorA, alpha);
    EXPECT_EQ(flake.Tile, tile);
    EXPECT_EQ(flake.Angle, angle);
    EXPECT_EQ(flake.Spin, spin);
    EXPECT_DOUBLE_EQ(flake.Gravity, 0.08);  // (3.5 - 2) / 30 + 0.03
}

TEST_F(ParticleTest, SnowflakeTilesCoverThirteenToSixteen) {
    bool seen[4] = {};
    for (int i = 0; i < 200; ++i) {
        Particle flake(kSnowflake, 0, 0, 0, 0, 2);
        ASSERT_GE(flake.Tile, 13);
        ASSERT_LE(flake.Tile, 16);
        seen[flake.Tile - 13] = true;
        ASSERT_GT(flake.ColorA, 0.3);
        ASSERT_LE(flake.ColorA, 0.8);
        ASSERT_GT(flake.Spin, -5 - 1e-12);
        ASSERT_LT(flake.Spin, 5);
    }
    for (bool tile : seen) EXPECT_TRUE(tile);
}

TEST_F(ParticleTest, PolarMotionPointsUpAtZeroAndRightForPositiveAngles) {
    Particle up(kPolar, kDroplet, 0, 0, 0, 2, 1);
    EXPECT_EQ(up.VelX, 0);
    EXPECT_EQ(up.VelY, 2);
    Particle right(kPolar, kDroplet, 0, 0, 90, 2, 1);
    EXPECT_NEAR(right.VelX, 2, 1e-15);
    EXPECT_NEAR(right.VelY, 0, 1e-15);
    Particle left(kPolar, kDroplet, 0, 0, -30, 3, 1);
    EXPECT_DOUBLE_EQ(left.VelX, 3 * std::sin(-30 * kPi / 180));
    EXPECT_DOUBLE_EQ(left.VelY, 3 * std::cos(-30 * kPi / 180));
}

TEST_F(ParticleTest, DropletSlowsFourPercentAndFalls017PerStep) {
    Particle droplet(kDroplet, 100, 200, 2, 1, 1);
    const uint32_t seed = app.Rng.Seed;
    droplet.Step();
    EXPECT_DOUBLE_EQ(droplet.X, 102);  // moves before its speed changes
    EXPECT_DOUBLE_EQ(droplet.Y, 201);
    EXPECT_DOUBLE_EQ(droplet.VelX, 1.92);
    EXPECT_DOUBLE_EQ(droplet.VelY, 0.83);
    droplet.Step();
    EXPECT_DOUBLE_EQ(droplet.X, 103.92);
    EXPECT_DOUBLE_EQ(droplet.VelX, 1.8432);
    EXPECT_DOUBLE_EQ(droplet.VelY, 0.66);
    EXPECT_EQ(app.Rng.Seed, seed);  // in the air a droplet draws nothing
}

TEST_F(ParticleTest, DropletDiesJustBelowTheWaterLine) {
    Particle droplet(kDroplet, 0, 78.5, 0, -0.5, 1);
    droplet.Step();
    EXPECT_EQ(droplet.Y, 78);  // at the floor it lives on
    EXPECT_FALSE(droplet.Dead);
    droplet.Step();
    EXPECT_TRUE(droplet.Dead);
}

TEST_F(ParticleTest, FloorsOfSnowAndRainDependOnSize) {
    Particle big(kSnowflake, 0, 10.5, 0, -0.5, 5.5);
    big.Step();
    EXPECT_EQ(big.Y, 10);
    EXPECT_FALSE(big.Dead);
    big.Step();
    EXPECT_TRUE(big.Dead);

    Particle small(kSnowflake, 0, 170.5, 0, -0.5, 1.5);
    small.Step();
    EXPECT_EQ(small.Y, 170);
    EXPECT_FALSE(small.Dead);
    small.Step();
    EXPECT_TRUE(small.Dead);

    // Drops above 5.75 have their floor below the view.
    Particle drop(kRaindrop, 0, -9.5, 0, -0.5, 6);
    drop.Step();
    EXPECT_EQ(drop.Y, -10);
    EXPECT_FALSE(drop.Dead);
    drop.Step();
    EXPECT_TRUE(drop.Dead);
}

TEST_F(ParticleTest, FallingParticlesPullWithJitteredGravity) {
    Particle flake(kSnowflake, 0, 400, 0, -0.5, 3.5);
    RandomGenerator preview = Preview();
    const double pull = (1 - preview.Next() * 0.1) * flake.Gravity * 0.08;
    const double angle = flake.Angle + flake.Spin;
    flake.Step();
    EXPECT_EQ(app.Rng.Seed, preview.Seed);
    EXPECT_DOUBLE_EQ(flake.VelY, -0.5 - pull);
    EXPECT_DOUBLE_EQ(flake.Angle, angle);
    EXPECT_EQ(flake.Y, 399.5);
}

TEST_F(ParticleTest, SplashWithNoStrengthThrowsTwoDroplets) {
    RandomGenerator preview = Preview();
    double xs[2];
    for (double& x : xs) {
        const double u = (preview.Next() - 0.5) * 2;
        x = 300 + u * 2 * 20;
        preview.Next();  // speed, times no strength
        preview.Next();  // size
        preview.Next();  // shade
        preview.Next();  // alpha
    }
    Splash(300, 0, 20);
    EXPECT_EQ(app.Rng.Seed, preview.Seed);
    ASSERT_EQ(app.Particles.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        Particle& droplet = *app.Particles[i];
        EXPECT_EQ(droplet.X, xs[i]);
        EXPECT_EQ(droplet.Y, 80.1);
        EXPECT_EQ(droplet.VelX, 0);
        EXPECT_EQ(droplet.VelY, 0);
        EXPECT_EQ(droplet.Kind, kDroplet);
        EXPECT_GE(droplet.Size, 1);
        EXPECT_LT(droplet.Size, 3);
        // Down through 80.1, 79.93, 79.59, 79.08, 78.40 and then below 78.
        EXPECT_EQ(StepsToLand(droplet), 6);
        EXPECT_NEAR(droplet.VelY, -1.02, 1e-12);
    }
}

TEST_F(ParticleTest, SplashDrawsOffsetSpeedSizeThenTheDropletsOwn) {
    RandomGenerator preview = Preview();
    const double u = (preview.Next() - 0.5) * 2;
    const double speed = preview.Next() * 1.5;
    const double size = preview.Next() * 2 + 1;
    const double c = 1 - preview.Next() * 0.3;
    // 1.5 × 5 = 7.5 rounds to the even 8: ten droplets.
    Splash(200, 1.5, 5);
    ASSERT_EQ(app.Particles.size(), 10u);
    const Particle& first = *app.Particles[0];
    EXPECT_DOUBLE_EQ(first.X, 200 + u * 2 * 5);
    EXPECT_DOUBLE_EQ(first.VelX, speed * std::sin(u * 70 * kPi / 180));
    EXPECT_DOUBLE_EQ(first.VelY, speed * std::cos(u * 70 * kPi / 180));
    EXPECT_EQ(first.Size, size);
    EXPECT_EQ(first.ColorR, c);
    for (const auto& droplet : app.Particles) {
        EXPECT_GE(droplet->VelY, 0);  // at most 70 degrees off straight up
        EXPECT_LE(std::fabs(droplet->X - 200), 10);
    }
}

TEST_F(ParticleTest, SplashCountRoundsHalvesToEven) {
    Splash(0, 0.5, 5);  // 2.5 → 2
    EXPECT_EQ(app.Particles.size(), 4u);
    app.Particles.clear();
    Splash(0, 0.5, 7);  // 3.5 → 4
    EXPECT_EQ(app.Particles.size(), 6u);
    app.Particles.clear();
    Splash(0, 0.6, 5);  // 3
    EXPECT_EQ(app.Particles.size(), 5u);
}

TEST_F(ParticleTest, LandingDropletMayLeaveARipple) {
    SeedWhere([](RandomGenerator& r) {
        r.Next();  // shade
        r.Next();  // alpha
        return r.Next(5) == 0;
    });
    Particle droplet(kDroplet, 50, 78.1, 0, -1, 2);
    droplet.Step();
    ASSERT_TRUE(droplet.Dead);
    ASSERT_EQ(app.Ripples.size(), 1u);
    const Ripple& ripple = *app.Ripples[0];
    EXPECT_EQ(ripple.X, 50);
    EXPECT_DOUBLE_EQ(ripple.Y, 77.1);
    EXPECT_EQ(ripple.Radius, 4);
    EXPECT_DOUBLE_EQ(ripple.Strength, 1.17 * 0.08 + 0.03);

    SeedWhere([](RandomGenerator& r) {
        r.Next();
        r.Next();
        return r.Next(5) != 0;
    });
    Particle unlucky(kDroplet, 50, 78.1, 0, -1, 2);
    unlucky.Step();
    EXPECT_TRUE(unlucky.Dead);
    EXPECT_EQ(app.Ripples.size(), 1u);
}

TEST_F(ParticleTest, LandingRaindropRipplesOneTimeInTwo) {
    SeedWhere([](RandomGenerator& r) {
        r.Next();  // shade
        r.Next();  // alpha
        r.Next();  // gravity jitter
        return r.Next(2) == 0;
    });
    Particle drop(kRaindrop, 70, -9.5, 0, -1, 6);
    drop.Step();
    ASSERT_TRUE(drop.Dead);
    ASSERT_EQ(app.Ripples.size(), 1u);
    const Ripple& ripple = *app.Ripples[0];
    EXPECT_EQ(ripple.Radius, 3);  // 6 / 3 + 1
    EXPECT_DOUBLE_EQ(ripple.Strength, std::fabs(drop.VelY) * 6 * 0.009 + 0.03);
}

TEST_F(ParticleTest, SlowLandingNeverRipples) {
    for (uint32_t seed = 1; seed <= 50; ++seed) {
        app.Rng.Seed = seed;
        Particle flake(kSnowflake, 0, 170.05, 0, -0.1, 1.5);
        const uint32_t before = app.Rng.Seed;
        flake.Step();
        ASSERT_TRUE(flake.Dead);
        EXPECT_EQ(DrawsBetween(before, app.Rng.Seed), 1);  // the pull only, no ripple chance
        Particle rising(kDroplet, 0, 77.8, 0, 0.1, 1);
        rising.Step();
        ASSERT_TRUE(rising.Dead);
    }
    EXPECT_TRUE(app.Ripples.empty());
}

TEST_F(ParticleTest, SpitComesOneTimeInTen) {
    SeedWhere([](RandomGenerator& r) { return r.Next(10) != 0; });
    const uint32_t before = app.Rng.Seed;
    SpitDroplets(10, 100, 6, 2);
    EXPECT_TRUE(app.Particles.empty());
    EXPECT_EQ(DrawsBetween(before, app.Rng.Seed), 1);

    SeedWhere([](RandomGenerator& r) { return r.Next(10) == 0 && r.Next(5) == 3; });
    RandomGenerator preview = Preview();
    preview.Next(10);
    preview.Next(5);
    const double velX = preview.Next() * 6 * 0.5;
    const double velY = preview.Next() * 2;
    const double size = preview.Next() * 0.4 + 0.2;
    SpitDroplets(10, 100, 6, 2);
    ASSERT_EQ(app.Particles.size(), 5u);
    const Particle& first = *app.Particles[0];
    EXPECT_EQ(first.Kind, kDroplet);
    EXPECT_EQ(first.X, 10);
    EXPECT_EQ(first.Y, 100);
    EXPECT_EQ(first.VelX, velX);
    EXPECT_EQ(first.VelY, velY);
    EXPECT_EQ(first.Size, size);
    for (const auto& droplet : app.Particles) {
        EXPECT_GE(droplet->VelX, 0);
        EXPECT_LT(droplet->VelX, 3);
        EXPECT_GE(droplet->Size, 0.2);
        EXPECT_LT(droplet->Size, 0.6);
    }
}

TEST_F(ParticleTest, SnowStepDrawsSizePlaceAndSpeedInOrder) {
    SeedWhere([](RandomGenerator& r) { return r.Next(2) == 0; });
    RandomGenerator preview = Preview();
    preview.Next(2);
    const double size = preview.Next() * 4 + 1.5;
    const double x = preview.Next(640);
    const double velX = (preview.Next() - 0.5) * 1.0;
    const double velY = (preview.Next() + 0.5) * 5 * -0.1;
    const double alpha = 0.8 - preview.Next() * 0.5;
    SnowStep();
    ASSERT_EQ(app.Particles.size(), 1u);
    const Particle& flake = *app.Particles[0];
    EXPECT_EQ(flake.Kind, kSnowflake);
    EXPECT_EQ(flake.Size, size);
    EXPECT_EQ(flake.X, x);
    EXPECT_EQ(flake.Y, 510);
    EXPECT_EQ(flake.VelX, velX);
    EXPECT_EQ(flake.VelY, velY);
    EXPECT_EQ(flake.ColorA, alpha);
}

TEST_F(ParticleTest, WeatherMakesOneOrTwoParticlesAcrossTheField) {
    app.View.FieldWidth = 816;
    bool counts[3] = {};
    for (int i = 0; i < 300; ++i) {
        app.Particles.clear();
        SnowStep();
        ASSERT_GE(app.Particles.size(), 1u);
        ASSERT_LE(app.Particles.size(), 2u);
        counts[app.Particles.size()] = true;
        for (const auto& flake : app.Particles) {
            ASSERT_EQ(flake->Kind, kSnowflake);
            ASSERT_EQ(flake->X, std::trunc(flake->X));
            ASSERT_GE(flake->X, 0);
            ASSERT_LT(flake->X, 816);
            ASSERT_EQ(flake->Y, 510);
            ASSERT_GE(flake->Size, 1.5);
            ASSERT_LT(flake->Size, 5.5);
            ASSERT_GE(flake->VelX, -0.5);
            ASSERT_LT(flake->VelX, 0.5);
            ASSERT_LE(flake->VelY, -0.25);
            ASSERT_GT(flake->VelY, -0.75);
        }
        app.Particles.clear();
        RainStep();
        ASSERT_GE(app.Particles.size(), 1u);
        ASSERT_LE(app.Particles.size(), 2u);
        for (const auto& drop : app.Particles) {
            ASSERT_EQ(drop->Kind, kRaindrop);
            ASSERT_EQ(drop->Tile, 17);
            ASSERT_GE(drop->X, 0);
            ASSERT_LT(drop->X, 816);
            ASSERT_EQ(drop->Y, 510);
            ASSERT_GE(drop->Size, 1.5);
            ASSERT_LT(drop->Size, 11.5);
            ASSERT_GE(drop->VelX, -0.35);
            ASSERT_LT(drop->VelX, 0.35);
            ASSERT_LE(drop->VelY, -5);
            ASSERT_GT(drop->VelY, -15);
        }
    }
    EXPECT_TRUE(counts[1]);
    EXPECT_TRUE(counts[2]);
}

TEST_F(ParticleTest, RainStepDrawsSizePlaceAndSpeedInOrder) {
    SeedWhere([](RandomGenerator& r) { return r.Next(2) == 1; });
    RandomGenerator preview = Preview();
    preview.Next(2);
    double sizes[2];
    for (double& size : sizes) {
        size = preview.Next() * 10 + 1.5;
        preview.Next(640);  // x
        preview.Next();     // velX
        preview.Next();     // velY
        preview.Next();     // shade
        preview.Next();     // alpha
    }
    RainStep();
    EXPECT_EQ(app.Rng.Seed, preview.Seed);
    ASSERT_EQ(app.Particles.size(), 2u);
    EXPECT_EQ(app.Particles[0]->Size, sizes[0]);
    EXPECT_EQ(app.Particles[1]->Size, sizes[1]);
}

TEST_F(ParticleTest, WalkDeletesLandedParticlesInPlace) {
    const double heights[] = {0, 0, 200, 0, 300, 0};
    for (double y : heights) {
        app.Particles.push_back(std::make_unique<Particle>(kDroplet, y, y, 0, 0, 1));
    }
    UpdateParticles();
    ASSERT_EQ(app.Particles.size(), 2u);
    EXPECT_EQ(app.Particles[0]->X, 200);
    EXPECT_EQ(app.Particles[1]->X, 300);
    for (const auto& droplet : app.Particles) EXPECT_DOUBLE_EQ(droplet->VelY, -0.17);
    EXPECT_TRUE(app.Ripples.empty());  // they sank too slowly to ripple
}

TEST_F(ParticleTest, LandingRippleIsSteppedInTheSameWorldStep) {
    SeedWhere([](RandomGenerator& r) {
        r.Next();
        r.Next();
        return r.Next(5) == 0;
    });
    app.Particles.push_back(std::make_unique<Particle>(kDroplet, 50, 78.1, 0, -1, 2));
    UpdateParticles();
    UpdateRipples();
    EXPECT_TRUE(app.Particles.empty());
    ASSERT_EQ(app.Ripples.size(), 1u);
    EXPECT_DOUBLE_EQ(app.Ripples[0]->Radius, 4.3);
}
