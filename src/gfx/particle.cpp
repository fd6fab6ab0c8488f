#include "gfx/particle.h"

#include <cmath>
#include <memory>

#include "gfx/ripple.h"
#include "state/application.h"
#include "state/random.h"
#include "state/world_walk.h"

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180;
constexpr double kDropletFloor = 78;
constexpr double kRippleSpeed = 0.2;

// Larger flakes and drops fall faster.
double FallRate(double size) {
    return (size - 2) / 30 + 0.03;
}

void AddParticle(std::unique_ptr<Particle> particle) {
    App().Particles.push_back(std::move(particle));
}

// Weather enters just above the top of the view, anywhere across the field.
double WeatherTop() {
    return App().View.ViewHeight + 30;
}

}  // namespace

Particle::Particle(uint8_t kind, double x, double y, double velX, double velY, double size)
    : X(x), Y(y), VelX(velX), VelY(velY), Size(size), Kind(kind) {
    if (kind == kSnowflake) {
        ColorA = 0.8 - Random() * 0.5;
        Tile = 13 + Random(4);
        Angle = Random() * 360;
        Spin = (Random() - 0.5) * 10;
        Gravity = FallRate(size);
        return;
    }
    const double c = 1 - Random() * 0.3;
    ColorA = 0.6 - Random() * 0.4;
    ColorR = c;
    ColorG = c;
    if (kind == kRaindrop) {
        Tile = 17;
        Gravity = FallRate(size);
    } else {
        Tile = 18;
    }
}

Particle::Particle(PolarMotion, uint8_t kind, double x, double y, double angle, double speed,
                   double size)
    : Particle(kind, x, y, speed * std::sin(angle * kDegrees), speed * std::cos(angle * kDegrees),
               size) {}

void Particle::Step() {
    X += VelX;
    Y += VelY;
    double floor = kDropletFloor;
    if (Kind == kDroplet) {
        VelX *= 0.96;
        VelY -= 0.17;
    } else {
        VelY -= (1 - Random() * 0.1) * Gravity * 0.08;
        Angle += Spin;
        floor = 230 - 40 * Size;
    }
    if (Y < floor) Land();
}

void Particle::Land() {
    const double speed = std::fabs(VelY);
    if (Kind == kRaindrop) {
        if (speed > kRippleSpeed && Random(2) == 0) {
            AddRipple(X, Y, Size / 3 + 1, speed * Size * 0.009 + 0.03);
        }
    } else if (speed > kRippleSpeed && Random(5) == 0) {
        AddRipple(X, Y, Size + 2, speed * 0.08 + 0.03);
    }
    Dead = true;
}

void Splash(double x, double strength, double spread) {
    const int32_t count = static_cast<int32_t>(std::nearbyint(strength * spread)) + 2;
    for (int32_t i = 0; i < count; ++i) {
        const double u = (Random() - 0.5) * 2;
        const double speed = Random() * strength;
        const double size = Random() * 2 + 1;
        AddParticle(std::make_unique<Particle>(kPolar, kDroplet, x + u * 2 * spread, 80.1, u * 70,
                                               speed, size));
    }
}

void SpitDroplets(double x, double y, double forward, double up) {
    if (Random(10) != 0) return;
    const int32_t count = Random(5) + 2;
    for (int32_t i = 0; i < count; ++i) {
        const double velX = Random() * forward * 0.5;
        const double velY = Random() * up;
        const double size = Random() * 0.4 + 0.2;
        AddParticle(std::make_unique<Particle>(kDroplet, x, y, velX, velY, size));
    }
}

void SnowStep() {
    const int32_t count = Random(2) + 1;
    for (int32_t i = 0; i < count; ++i) {
        const double size = Random() * 4 + 1.5;
        const double x = Random(App().View.FieldWidth);
        const double velX = (Random() - 0.5) * 1.0;
        const double velY = (Random() + 0.5) * 5 * -0.1;
        AddParticle(std::make_unique<Particle>(kSnowflake, x, WeatherTop(), velX, velY, size));
    }
}

void RainStep() {
    const int32_t count = Random(2) + 1;
    for (int32_t i = 0; i < count; ++i) {
        const double size = Random() * 10 + 1.5;
        const double x = Random(App().View.FieldWidth);
        const double velX = (Random() - 0.5) * 0.7;
        const double velY = (Random() + 0.5) * 5 * -2;
        AddParticle(std::make_unique<Particle>(kRaindrop, x, WeatherTop(), velX, velY, size));
    }
}

void UpdateParticles() {
    UpdateObjects(App().Particles, [](Particle& item) { item.Step(); });
}
