// A pond laid out by hand (pads, frogs, flies, weather, droplets, ripples and the HUD),
// drawn and checked at pixels that only the object's own colour can explain.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/hud.h"
#include "app/scene.h"
#include "config/settings_store.h"
#include "game/fly.h"
#include "game/frog.h"
#include "game/game.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "game/world_poses.h"
#include "gfx/font.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "heap_count.h"
#include "input/input_state.h"
#include "menu/menu.h"
#include "render_fixture.h"

namespace {

// 600 pixels show 480 view units; at 800 x 600 there are no side bars.
constexpr double kPixelsPerUnit = 1.25;
// A frog of size 15 standing on a pad.
constexpr double kStandingY = kWaterLine + 7.5;

int Px(double units) {
    return static_cast<int>(std::floor(units * kPixelsPerUnit));
}

int Sum(const Rgb& c) {
    return c.r + c.g + c.b;
}

// A colour as the scene's light (1, 1, 0.9) shows it, in bytes.
Rgb Lit(const Rgba& c) {
    return {static_cast<int>(std::lround(c.R * 255)), static_cast<int>(std::lround(c.G * 255)),
            static_cast<int>(std::lround(c.B * 0.9 * 255))};
}

// A grey texel of some brightness under the tint and the light: the channels keep the
// tint's proportions.
::testing::AssertionResult TintedGrey(const Rgb& pixel, double r, double g, double b) {
    const double k = pixel.g / (255.0 * g);
    if (k < 0.5 || k > 1.05) {
        return ::testing::AssertionFailure()
               << "texel brightness " << k << " from green " << pixel.g << " under tint " << g;
    }
    const Rgb expected{static_cast<int>(std::lround(255 * k * r)), pixel.g,
                       static_cast<int>(std::lround(255 * k * b * 0.9))};
    return Near(pixel, expected, 10);
}

class WorldSceneTest : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        app_->Input = std::make_unique<InputState>(nullptr);
        app_->View = ComputeViewLayout(800, 600);
        app_->Rng.Seed = 271828;
        ClearWorld();
        // Stepping a frog reads its player; with no keyboard the people never press a key.
        app_->Game = std::make_unique<Game>();
        app_->Game->Players.resize(4);
        for (PlayerRecord& player : app_->Game->Players) {
            player.IsHuman = true;
            player.Scheme = 1;
        }
    }

    // The fixture's program state is shared by every render test.
    void TearDown() override {
        ClearWorld();
        app_->Game.reset();
        app_->Input.reset();
    }

    static void MiddayIn(uint8_t season, uint8_t weather) {
        Sky& sky = *app_->Sky;
        sky.SetSeason(season);
        sky.Weather = weather;
        sky.Overcast = false;
        sky.SetSeasonPalette();
        sky.ResetClock();
        sky.SetMidday();
    }

    static LilyPad& AddPad(double x, double size) {
        app_->Pads.push_back(std::make_unique<LilyPad>(x, kWaterLine, 0, 0, size));
        return *app_->Pads.back();
    }

    static Frog& AddFrog(double x, double y, FrogState state, int32_t facing, int32_t color) {
        app_->Frogs.push_back(std::make_unique<Frog>(x, y, 15));
        Frog& frog = *app_->Frogs.back();
        frog.State = state;
        frog.Facing = facing;
        frog.Color = FrogColors[color];
        frog.PlayerIndex = static_cast<int32_t>(app_->Frogs.size() - 1) % 4;
        return frog;
    }

    static Fly& AddFly(int32_t points, double x, double y, double size, double heading) {
        app_->Flies.push_back(std::make_unique<Fly>(points, x, y, 0, 0, size));
        Fly& fly = *app_->Flies.back();
        fly.Heading = heading;
        return fly;
    }

    static Particle& AddParticle(uint8_t kind, double x, double y, double velX, double velY,
                                 double size) {
        app_->Particles.push_back(std::make_unique<Particle>(kind, x, y, velX, velY, size));
        return *app_->Particles.back();
    }

    // One step sets the legs from the body's place and keeps standing frogs on their pads;
    // what the step splashed or rippled is swept away so only placed things show.
    static void SettleFrogs() {
        for (const auto& frog : app_->Frogs) frog->UpdateFrog();
        app_->Particles.clear();
        app_->Ripples.clear();
    }

    // The pixels of a box given in view units, row by row from the bottom.
    std::vector<Rgb> Box(double x0, double y0, double x1, double y1) const {
        std::vector<Rgb> pixels;
        for (int y = Px(y0); y <= Px(y1); ++y) {
            for (int x = Px(x0); x <= Px(x1); ++x) pixels.push_back(Pixel(x, y));
        }
        return pixels;
    }

    bool AnyPixel(double x0, double y0, double x1, double y1,
                  const std::function<bool(const Rgb&)>& test) const {
        for (const Rgb& c : Box(x0, y0, x1, y1)) {
            if (test(c)) return true;
        }
        return false;
    }

    // Some pixel within a few units of (x, y) passes the test.
    bool Around(double x, double y, double reach, const std::function<bool(const Rgb&)>& test) {
        return AnyPixel(x - reach, y - reach, x + reach, y + reach, test);
    }

    Rgb At(double x, double y) const { return Pixel(Px(x), Px(y)); }

    // The whole back buffer of an 800 x 600 frame.
    static std::vector<uint8_t> Frame() {
        std::vector<uint8_t> pixels(800 * 600 * 4);
        glReadBuffer(GL_BACK);
        glReadPixels(0, 0, 800, 600, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // Moves a frog's body and legs sideways, as a step carries it through the air.
    static void Carry(Frog& frog, double dx) {
        frog.X += dx;
        for (LegJoint& joint : frog.BackLeg) joint.QuadX1 += dx, joint.QuadX2 += dx;
        for (LegJoint& joint : frog.FrontLeg) joint.QuadX1 += dx, joint.QuadX2 += dx;
    }
};

}  // namespace

TEST_F(WorldSceneTest, SummerPondAtMidday) {
    MiddayIn(kSummer, kWeatherRain);
    LilyPad& left = AddPad(120, 60);
    LilyPad& middle = AddPad(330, 48);
    LilyPad& right = AddPad(540, 55);
    Frog& pink = AddFrog(105, kStandingY, FrogState::Standing, 1, 2);
    Frog& yellow = AddFrog(555, kStandingY, FrogState::Standing, -1, 5);
    Frog& swimmer = AddFrog(230, 74, FrogState::Swimming, 1, 7);
    Frog& jumper = AddFrog(420, 190, FrogState::Airborne, 1, 3);
    jumper.VelX = 2;
    jumper.VelY = 4;
    SettleFrogs();
    Fly& fly = AddFly(1, 200, 300, 6, 100);
    AddFly(2, 470, 360, 8, 250);
    AddFly(1, 610, 320, 4.5, 180);
    for (int i = 0; i < 12; ++i) {
        AddParticle(kRaindrop, 25 + 53 * i, 420 - 23 * (i % 5), -0.4, -6, 4 + (i % 3));
    }
    Particle& drop = AddParticle(kRaindrop, 120, 400, 0, -6, 10);
    drop.ColorA = 1;
    for (double vx : {-1.5, -0.6, 0.5, 1.4}) AddParticle(kDroplet, 250, 92, vx, 2.5, 2.5);
    Particle& droplet = AddParticle(kDroplet, 330, 200, 0, 1, 6);
    droplet.ColorA = 1;
    app_->Ripples.push_back(std::make_unique<Ripple>(100, 50, 25, 0.6));
    app_->Ripples.push_back(std::make_unique<Ripple>(480, 40, 35, 0.9));

    // The same frame without and then with one strong ripple under the surface.
    const Ripple ring(300, 70, 40, 2);
    const double ringLeft = ring.X - 0.82 * ring.Radius;
    DrawFrame(800, 600);
    const std::vector<Rgb> before = Box(ringLeft - 4, ring.Y - 2, ringLeft + 4, ring.Y + 1);
    app_->Ripples.push_back(std::make_unique<Ripple>(ring));
    DrawFrame(800, 600);
    SaveFrame("world-summer");

    // The pads' tint over their grey picture, at the water line beside each pad's middle.
    for (const LilyPad* pad : {&left, &middle, &right}) {
        const Rgb c = At(pad->X - pad->Size / 2, kWaterLine);
        EXPECT_TRUE(TintedGrey(c, pad->ColorR, pad->ColorG, pad->ColorB)) << "pad at " << pad->X;
        EXPECT_GT(c.g, c.b + 30) << "pad at " << pad->X;
    }
    // Standing frogs stay on their pads, their bodies in their own colours.
    EXPECT_EQ(pink.State, FrogState::Standing);
    EXPECT_DOUBLE_EQ(pink.Y, kStandingY);
    EXPECT_DOUBLE_EQ(yellow.Y, kStandingY);
    EXPECT_TRUE(Around(pink.X, pink.Y, 5, [](const Rgb& c) {
        return Near(c, Lit(FrogColors[2]), 70) && c.r > 170 && c.g < 60;
    }));
    EXPECT_TRUE(Around(yellow.X, yellow.Y, 5,
                       [](const Rgb& c) { return Near(c, Lit(FrogColors[5]), 70) && c.b < 60; }));
    EXPECT_TRUE(Around(jumper.X, jumper.Y, 5,
                       [](const Rgb& c) { return Near(c, Lit(FrogColors[3]), 70) && c.g < 60; }));
    // The swimmer shows dimly through the water: warmer than the water beside it, but
    // nowhere near its own bright orange.
    const Rgb beside = At(swimmer.X + 40, swimmer.Y);
    EXPECT_TRUE(Around(swimmer.X, swimmer.Y, 5,
                       [&](const Rgb& c) { return c.r > beside.r + 30 && c.b < beside.b; }));
    EXPECT_FALSE(Around(swimmer.X, swimmer.Y - 2, 3,
                        [](const Rgb& c) { return Near(c, Lit(FrogColors[7]), 60); }));
    // A fly is a dark spot against the bright sky.
    const Rgb sky = At(fly.X, fly.Y + 30);
    EXPECT_TRUE(Around(fly.X, fly.Y, 3, [&](const Rgb& c) { return Sum(c) < Sum(sky) - 120; }));
    // An opaque raindrop and droplet are paler than the sky around them.
    const Rgb skyAtDrop = At(drop.X + 20, drop.Y);
    EXPECT_TRUE(Around(drop.X, drop.Y, 2, [&](const Rgb& c) {
        return c.r > skyAtDrop.r + 30 && c.g > skyAtDrop.g + 20;
    }));
    const Rgb skyAtDroplet = At(droplet.X + 20, droplet.Y);
    EXPECT_TRUE(Around(droplet.X, droplet.Y + 6, 4, [&](const Rgb& c) {
        return c.r > skyAtDroplet.r + 30 && c.g > skyAtDroplet.g + 20;
    }));
    // The ripple only brightens the water above it, and clearly so somewhere on its ring.
    const std::vector<Rgb> after = Box(ringLeft - 4, ring.Y - 2, ringLeft + 4, ring.Y + 1);
    ASSERT_EQ(after.size(), before.size());
    int brightest = 0;
    for (size_t i = 0; i < after.size(); ++i) {
        EXPECT_GE(Sum(after[i]), Sum(before[i]) - 1);
        brightest = std::max(brightest, Sum(after[i]) - Sum(before[i]));
    }
    EXPECT_GE(brightest, 12);
}

TEST_F(WorldSceneTest, WinterPondUnderSnow) {
    MiddayIn(kWinter, kWeatherSnow);
    LilyPad& pad = AddPad(200, 60);
    AddPad(470, 50);
    Frog& frog = AddFrog(470, kStandingY, FrogState::Standing, -1, 9);
    SettleFrogs();
    AddFly(1, 320, 260, 5, 45);
    for (int i = 0; i < 24; ++i) {
        AddParticle(kSnowflake, 13 + 27 * i, 460 - 37 * (i % 9), 0.2, -0.8, 3 + (i % 4));
    }
    Particle& flake = AddParticle(kSnowflake, 320, 330, 0, -0.5, 12);
    flake.Tile = 13;
    flake.Angle = 0;
    flake.ColorA = 1;
    DrawFrame(800, 600);
    SaveFrame("world-winter");

    // Winter pads share one grey drawn once.
    const LilyPad& other = *app_->Pads[1];
    EXPECT_DOUBLE_EQ(pad.ColorR, pad.ColorG);
    EXPECT_DOUBLE_EQ(pad.ColorG, pad.ColorB);
    EXPECT_DOUBLE_EQ(other.ColorR, pad.ColorR);
    const Rgb c = At(pad.X - pad.Size / 2, kWaterLine);
    EXPECT_TRUE(TintedGrey(c, pad.ColorR, pad.ColorG, pad.ColorB));
    // The light blue frog on the other pad.
    EXPECT_TRUE(Around(frog.X, frog.Y, 5, [](const Rgb& p) {
        return Near(p, Lit(FrogColors[9]), 70) && p.b > p.r + 100;
    }));
    // The opaque flake's white hub over the winter sky.
    EXPECT_TRUE(Around(flake.X, flake.Y, 2,
                       [](const Rgb& p) { return p.r > 215 && p.g > 215 && p.b > 195; }));
    EXPECT_FALSE(Near(At(flake.X + 40, flake.Y), {255, 255, 229}, 40));
}

TEST_F(WorldSceneTest, RunningGameDrawsTheHudWhereItsLayoutSays) {
    MiddayIn(kSpring, kWeatherClear);
    Game& game = *app_->Game;
    game.FrogCount = 4;
    const int32_t points[] = {7, 12, 0, 25};
    const int32_t colors[] = {5, 2, 9, 7};
    for (int i = 0; i < 4; ++i) {
        game.Players[i].LevelPoints = points[i];
        game.Players[i].Color = FrogColors[colors[i]];
    }
    game.Messages = {Game::MakeMessage("LEVEL 3", 1, 1, 1, 1),
                     Game::MakeMessage("EAT ALL FLIES", 1, 1, 1, 1),
                     Game::MakeMessage("GOOD LUCK", 1, 0.9, 0.3, 1)};
    game.MessageTime = 300;
    game.Mode = kEatAll;
    game.FliesToSpawn = 23;
    for (double x : {90.0, 250.0, 420.0, 570.0}) AddPad(x, 45);
    for (int i = 0; i < 4; ++i) {
        AddFrog(80 + 165 * i, kStandingY, FrogState::Standing, i < 2 ? 1 : -1, colors[i]);
    }
    SettleFrogs();
    AddFly(1, 300, 380, 5, 120);
    game.Running = true;
    DrawFrame(800, 600);
    SaveFrame("world-hud");

    struct Placed {
        std::string text;
        double x, y, size;
        Rgba color;
    };
    std::vector<Placed> texts;
    LayoutHud(game, app_->View,
              [&](std::string_view text, uint8_t align, double x, double y, double size,
                  const Rgba& color) {
                  // Where the first glyph's centre falls once aligned.
                  const double n = static_cast<double>(text.size());
                  if (align == kAlignCentre) x -= size * (n - 1);
                  if (align == kAlignRight) x -= 2 * size * (n - 1);
                  texts.push_back({std::string(text), x, y, size, color});
              });
    ASSERT_EQ(texts.size(), 8u);

    // Every text shows its colour inside each of its glyph squares.
    for (const Placed& t : texts) {
        const Rgb lit = Lit(t.color);
        const double a = t.color.A;
        for (size_t k = 0; k < t.text.size(); ++k) {
            if (t.text[k] == ' ' || t.text[k] == ':') continue;
            const double x = t.x + 2 * t.size * k;
            const Rgb under = At(x, t.y - 1.5 * t.size);
            // Partly transparent text lies over whatever is behind it.
            const Rgb want{static_cast<int>(a * lit.r + (1 - a) * under.r),
                           static_cast<int>(a * lit.g + (1 - a) * under.g),
                           static_cast<int>(a * lit.b + (1 - a) * under.b)};
            EXPECT_TRUE(
                Around(x, t.y, 0.7 * t.size, [&](const Rgb& c) { return Near(c, want, 24); }))
                << "\"" << t.text << "\" glyph " << k << " at " << x << ", " << t.y;
        }
    }
    // The points stand at fifths of the view, the banner around the middle, the count of
    // flies at the top right.
    EXPECT_DOUBLE_EQ(texts[0].x, 128);
    EXPECT_DOUBLE_EQ(texts[4].y, 270);
    EXPECT_EQ(texts[7].text, "FLIES LEFT: 23");
    EXPECT_DOUBLE_EQ(texts[7].x + 2 * 5 * 13, 634);

    // No points are drawn once the game is paused.
    game.Running = false;
    DrawFrame(800, 600);
    EXPECT_FALSE(Around(texts[0].x, texts[0].y, 4,
                        [&](const Rgb& c) { return Near(c, Lit(texts[0].color), 24); }));
}

// Once the driver has met each kind of picture, a frame takes nothing from the heap: not
// for the pond, the HUD, nor for any of the menus drawn over it.
// A frame halfway between two steps is the frame of the world placed halfway; a frog a rule
// moved far is drawn where it now is.
TEST_F(WorldSceneTest, ASmoothedFrameDrawsTheWorldBetweenTwoSteps) {
    MiddayIn(kSummer, kWeatherClear);
    AddPad(330, 48);
    Frog& jumper = AddFrog(200, 190, FrogState::Airborne, 1, 3);
    Frog& moved = AddFrog(500, 300, FrogState::Airborne, -1, 5);
    SettleFrogs();
    Fly& fly = AddFly(1, 400, 350, 8, 100);
    StepBlend blend;
    CapturePoses(*app_, blend.Before);

    Carry(jumper, 15);
    fly.X += 10;
    fly.Heading += 10;
    Carry(moved, -300);
    DrawFrame(800, 600);
    const std::vector<uint8_t> halfway = Frame();

    Carry(jumper, 15);
    fly.X += 10;
    fly.Heading += 10;
    DrawFrame(800, 600);
    const std::vector<uint8_t> latest = Frame();
    blend.Fraction = 0.5;
    DrawFrame(800, 600, {}, blend);
    SaveFrame("world-between-steps");
    EXPECT_TRUE(Frame() == halfway);
    EXPECT_FALSE(halfway == latest);
    blend.Fraction = 1;
    DrawFrame(800, 600, {}, blend);
    EXPECT_TRUE(Frame() == latest);
}

TEST_F(WorldSceneTest, DrawingAFrameAllocatesNothing) {
    MiddayIn(kWinter, kWeatherSnow);
    Game& game = *app_->Game;
    game.FrogCount = 4;
    game.Messages = {Game::MakeMessage("LEVEL 3", 1, 1, 1, 1)};
    game.MessageTime = 300;
    for (double x : {90.0, 250.0, 420.0, 570.0}) AddPad(x, 45);
    for (int i = 0; i < 4; ++i) {
        Frog& frog = AddFrog(80 + 165 * i, kStandingY, FrogState::Standing, 1, i);
        frog.TongueOut = i % 2 == 0;
    }
    SettleFrogs();
    for (int i = 0; i < 6; ++i) AddFly(1 + i % 2, 100 + 90 * i, 300 + 10 * i, 5, 40 * i);
    for (int i = 0; i < 20; ++i) {
        AddParticle(kSnowflake, 30 * i, 400 - 9 * i, 0.2, -1, 3);
        AddParticle(kRaindrop, 15 + 30 * i, 420 - 7 * i, -0.4, -6, 4);
    }
    app_->Ripples.push_back(std::make_unique<Ripple>(300, 70, 40, 1));
    // The menus show the settings: six frogs make the longest frogs-settings screen.
    app_->Config = std::make_unique<Settings>("Pondlark.cfg", "");
    app_->Config->SetInteger("Game", "NumberOfFrogs", 6);
    app_->Menu = std::make_unique<Menu>();

    struct Shown {
        const char* name;
        bool running;
        int32_t screen;
    };
    for (const Shown& shown :
         {Shown{"game", true, kScreenTitle}, Shown{"in-game menu", false, kScreenInGame},
          Shown{"options", false, kScreenOptions}, Shown{"frogs settings", false, kScreenFrogs},
          Shown{"title", false, kScreenTitle}}) {
        game.Running = shown.running;
        app_->Menu->Screen = shown.screen;
        for (int i = 0; i < 3; ++i) DrawFrame(800, 600);
        StartHeapCount();
        for (int i = 0; i < 10; ++i) {
            ++app_->StepCounter;
            DrawFrame(800, 600);
        }
        EXPECT_EQ(StopHeapCount().Ours, 0) << shown.name;
    }
    app_->Menu.reset();
    app_->Config.reset();
}
