#include "app/scene.h"

#include <cmath>

#include "game/sky.h"
#include "render_fixture.h"

namespace {

// What the light makes of a colour: (1, 1, 0.9) times it, in bytes.
Rgb Lit(double r, double g, double b) {
    return {static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
            static_cast<int>(std::lround(b * 0.9 * 255))};
}

void MiddayIn(uint8_t season) {
    Sky& sky = *App().Sky;
    sky.SetSeason(season);
    sky.Weather = kWeatherClear;
    sky.Overcast = false;
    sky.SetSeasonPalette();
    sky.ResetClock();
    sky.SetMidday();
}

}  // namespace

TEST_F(RenderTest, WideWindowHasBlackBarsOfTheRightWidth) {
    MiddayIn(kSummer);
    UseSize(1280, 720);
    DrawFrame(1280, 720);
    // 18.5 view units of 853 across 1280 pixels: 27.8 pixels each side.
    for (int y : {10, 360, 700}) {
        EXPECT_TRUE(Near(Pixel(0, y), {0, 0, 0}, 0));
        EXPECT_TRUE(Near(Pixel(26, y), {0, 0, 0}, 0));
        EXPECT_TRUE(Near(Pixel(1253, y), {0, 0, 0}, 0));
        EXPECT_TRUE(Near(Pixel(1279, y), {0, 0, 0}, 0));
    }
    Rgb inside = Pixel(30, 700);
    EXPECT_GT(inside.r + inside.g + inside.b, 60);
    inside = Pixel(1250, 700);
    EXPECT_GT(inside.r + inside.g + inside.b, 60);
}

TEST_F(RenderTest, FourByThreeWindowHasNoBars) {
    MiddayIn(kSummer);
    UseSize(1024, 768);
    DrawFrame(1024, 768);
    for (int x : {0, 1023}) {
        Rgb edge = Pixel(x, 760);
        EXPECT_GT(edge.r + edge.g + edge.b, 60) << "x " << x;
    }
}

TEST_F(RenderTest, SkyAndWaterFollowTheSkyColours) {
    MiddayIn(kSummer);
    DrawFrame(800, 600);
    const Sky& sky = *App().Sky;
    const Rgba z = sky.ZenithColor;
    const Rgba h = sky.HorizonColor;
    // Top row: the zenith colour (the picture's sky is transparent).
    EXPECT_TRUE(Near(Pixel(400, 599), Lit(z.R, z.G, z.B), 3));
    // Deep in the water the body colour over the mirrored sky at the same height.
    for (int row : {2, 40, 80}) {
        const double e = (row + 0.5) * 480.0 / 600 / 240;
        EXPECT_TRUE(
            Near(Pixel(400, row),
                 Lit((1 - e) * z.R + e * h.R, (1 - e) * z.G + e * h.G, (1 - e) * z.B + e * h.B), 3))
            << "row " << row;
    }
}

TEST_F(RenderTest, EachSeasonAtMidday) {
    const char* names[] = {"summer", "autumn", "winter", "spring"};
    for (uint8_t season = 0; season < 4; ++season) {
        MiddayIn(season);
        DrawFrame(800, 600);
        SaveFrame(std::string("midday-") + names[season]);
        // The landscape is drawn: the middle of the picture is not the sky.
        Rgb land = Pixel(400, 140);
        Rgb top = Pixel(400, 599);
        EXPECT_FALSE(Near(land, top, 20)) << names[season];
    }
}
