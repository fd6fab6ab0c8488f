#include "game/game.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "config/settings_store.h"
#include "game/fly.h"
#include "game/frog.h"
#include "game/lily_pad.h"
#include "game/sky.h"
#include "gfx/particle.h"
#include "gfx/ripple.h"
#include "sound/sound.h"
#include "state/application.h"
#include "state/random.h"

namespace {

constexpr int32_t kRainLoop = 33;
constexpr int32_t kLastLevel = 39;

Rgba Rgb(double r, double g, double b) {
    Rgba c;
    SetColor(c, r, g, b, 1);
    return c;
}

std::string Format(const char* format, int32_t a, int32_t b = 0, int32_t c = 0) {
    char text[96];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// The draws of MaxFlies and the weather, in that order, by season.
void DrawSupplyAndWeather(uint8_t season, int32_t& maxFlies, uint8_t& weather) {
    switch (season) {
        case kSummer:
            maxFlies = Random(9) + 7;
            weather = Random(5) == 0 ? kWeatherRain : kWeatherClear;
            break;
        case kAutumn:
            maxFlies = Random(5) + 3;
            weather = Random(2) == 0 ? kWeatherRain : kWeatherClear;
            break;
        case kWinter:
            maxFlies = Random(3) + 2;
            weather = Random(3) == 0 ? kWeatherClear : kWeatherSnow;
            break;
        default:
            maxFlies = Random(4) + 3;
            weather = Random(3) == 0 ? kWeatherRain : kWeatherClear;
            break;
    }
}

// Places a new frog over a random pad; it drops onto it in the first steps.
void PlaceOnPad(Frog& frog) {
    const ObjectList<LilyPad>& pads = App().Pads;
    const LilyPad& pad = *pads[Random(static_cast<int32_t>(pads.size()))];
    const double fieldWidth = App().View.FieldWidth;
    for (int attempt = 0; attempt < 101; ++attempt) {
        frog.X = pad.X + Random() * pad.Size;
        if (frog.X >= 0 && frog.X <= fieldWidth) break;
    }
    frog.Y = pad.Y + Random() * pad.Size;
}

}  // namespace

const Rgba FrogColors[Game::kFrogColorCount] = {
    Rgb(0.0, 0.5, 0.0), Rgb(0.1, 0.9, 0.0),    Rgb(1.0, 0.1, 0.7), Rgb(0.7, 0.1, 1.0),
    Rgb(0.9, 0.5, 0.6), Rgb(1.0, 1.0, 0.0),    Rgb(0.6, 0.4, 0.0), Rgb(0.9, 0.5, 0.0),
    Rgb(0.5, 0.3, 0.0), Rgb(0.1, 0.5, 1.0),    Rgb(0.0, 0.1, 0.5), Rgb(0.9, 0.9, 0.9),
    Rgb(0.3, 0.3, 0.3), Rgb(0.02, 0.02, 0.02),
};

uint8_t ModeForLevel(int32_t level) {
    return static_cast<uint8_t>(static_cast<int32_t>(std::nearbyint(2.0 * level / 3 + 1)) % 2);
}

int32_t FliesForEatAll(int32_t level, int32_t maxFlies, int32_t frogCount) {
    int32_t flies = static_cast<int32_t>(std::nearbyint(1.5 * maxFlies + level));
    flies = std::min(flies, maxFlies + 30);
    if (frogCount > 2) flies = static_cast<int32_t>(std::nearbyint(frogCount * flies / 3.0));
    return flies;
}

std::string FrogKey(const char* format, int32_t frog) {
    char key[32];
    std::snprintf(key, sizeof key, format, frog);
    return key;
}

int32_t DefaultColor(int32_t frog) {
    return frog >= 1 && frog <= 6 ? frog - 1 : 0;
}

int32_t DefaultControl(int32_t frog) {
    return frog >= 2 && frog <= 6 ? 2 : 0;
}

void ClearWorld() {
    Application& app = App();
    app.Flies.clear();
    app.Frogs.clear();
    app.Pads.clear();
    app.Particles.clear();
    app.Ripples.clear();
}

MessageLine Game::MakeMessage(const std::string& text, double r, double g, double b, double a) {
    MessageLine line;
    line.Text = text;
    SetColor(line.Color, r, g, b, a);
    return line;
}

void Game::ShowMessages(const std::vector<MessageLine>& lines) {
    Messages = lines;
    MessageTime = 300;
}

void Game::StartGame(const GameSettings& settings) {
    Music().Stop();
    Chosen = settings;
    // A hand-edited count must not make a game of no frogs or of thousands.
    FrogCount = std::clamp(settings.NumberOfFrogs, 1, 6);
    Players.assign(FrogCount, PlayerRecord{});
    for (int32_t n = 1; n <= FrogCount; ++n) {
        PlayerRecord& player = Players[n - 1];
        int32_t color = settings.Colors[n - 1];
        if (color < 0 || color >= kFrogColorCount) color = 0;
        player.Color = FrogColors[color];
        // Controls outside the menu's range mean the nearest one it offers.
        const int32_t control = std::clamp(settings.Controls[n - 1], 0, 4);
        player.IsHuman = control < 2;
        player.Scheme = player.IsHuman ? control + 1 : 0;
        player.Skill = player.IsHuman ? 0 : control - 2;
    }
    Running = true;
    Level = std::clamp(settings.StartingLevel, 1, kLastLevel) - 1;
    StartLevel();
}

void Game::StartLevel() {
    Application& app = App();
    Sky& sky = *app.Sky;
    if (++Level >= kLastLevel + 1) Level = kLastLevel;
    app.Config->SetInteger("Game", "StartingLevel", Level);
    StopSample(kRainLoop);
    ClearWorld();

    sky.SetSeason(static_cast<uint8_t>((Level + 3) % 4));
    DrawSupplyAndWeather(sky.Season, MaxFlies, sky.Weather);
    sky.Overcast = sky.Weather != kWeatherClear || Random(8) == 0;
    sky.SetSeasonPalette();
    sky.ResetClock();

    MakeLevelPads();
    for (int32_t q = 0; q < FrogCount; ++q) {
        app.Frogs.push_back(std::make_unique<Frog>());
        Frog& frog = *app.Frogs.back();
        frog.PlayerIndex = q;
        frog.Color = Players[q].Color;
        PlaceOnPad(frog);
    }
    sky.BuildAmbience();

    Mode = ModeForLevel(Level);
    FrogsCollide = Chosen.FrogsCollision;
    FliesToSpawn = Mode == kEatAll ? FliesForEatAll(Level, MaxFlies, FrogCount) : 0;
    FlySpeed = std::min(0.4 + 0.2 * (Level - 1), 10.0);

    ShowMessages({MakeMessage(Format("LEVEL %d", Level), 1, 1, 1, 1),
                  MakeMessage(Mode == kEatAll ? "EAT ALL FLIES" : "EAT FLIES BEFORE THE NIGHT", 1,
                              1, 1, 1)});
    for (PlayerRecord& player : Players) player.LevelPoints = 0;
    if (sky.Weather == kWeatherRain) PlaySample(kRainLoop, false, 0, 0, 0, 0);
    LevelOver = false;
}

void Game::FinishLevel() {
    LevelOver = true;
    for (PlayerRecord& player : Players) player.TotalPoints += player.LevelPoints;
    std::vector<MessageLine> lines = {MakeMessage(Format("LEVEL %d FINISHED", Level), 1, 1, 1, 1)};

    // Neighbour swaps only on strictly more points, so equal scores keep frog order.
    std::vector<int32_t> rank(FrogCount);
    for (int32_t q = 0; q < FrogCount; ++q) rank[q] = q;
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (int32_t k = 0; k + 1 < FrogCount; ++k) {
            if (Players[rank[k + 1]].LevelPoints > Players[rank[k]].LevelPoints) {
                std::swap(rank[k], rank[k + 1]);
                swapped = true;
            }
        }
    }
    for (int32_t k = 0; k < FrogCount; ++k) {
        const PlayerRecord& player = Players[rank[k]];
        lines.push_back(MakeMessage(
            Format("%d) \xA9 %d POINTS (TOTAL %d)", k + 1, player.LevelPoints, player.TotalPoints),
            player.Color.R, player.Color.G, player.Color.B, 1));
    }
    ShowMessages(lines);
    EndDelay = 600;
}

void Game::GameStep() {
    Application& app = App();
    Sky& sky = *app.Sky;
    if (EndDelay > 0) --EndDelay;
    if (!LevelOver) {
        sky.StepClock();
        if (static_cast<int32_t>(app.Flies.size()) < MaxFlies && Random(100) == 0) {
            if ((Mode == kEatAll && FliesToSpawn > 0) ||
                (Mode == kEatBeforeNight && !sky.IsNight())) {
                app.Flies.push_back(std::make_unique<Fly>());
                if (Mode == kEatAll) --FliesToSpawn;
            }
        }
        if ((Mode == kEatAll && FliesToSpawn == 0 && app.Flies.empty()) ||
            (Mode == kEatBeforeNight && sky.IsNight())) {
            FinishLevel();
        }
    }
    // The table stays up until the next level begins.
    if (LevelOver) {
        if (EndDelay <= 0) StartLevel();
        MessageTime = 100;
    }
    if (sky.Weather == kWeatherSnow) SnowStep();
    if (sky.Weather == kWeatherRain) RainStep();
    if (MessageTime > 0) --MessageTime;
    sky.StepAmbience();
}

void MatchRainToWorld() {
    const SoundSystem* sound = Sound();
    if (!sound || sound->Muted || static_cast<int32_t>(sound->Samples.size()) <= kRainLoop) return;
    const bool wanted = App().Game && App().Sky->Weather == kWeatherRain;
    const bool playing = sound->Samples[kRainLoop].Busy;
    if (wanted && !playing) PlaySample(kRainLoop, false, 0, 0, 0, 0);
    if (!wanted && playing) StopSample(kRainLoop);
}
