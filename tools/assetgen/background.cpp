// The four landscapes behind the pond: one place seen through the year, its sky left clear.
#include <cstdint>

#include "canvas.h"
#include "noise.h"
#include "pictures.h"
#include "shore_plants.h"
#include "terrain.h"
#include "trees.h"

namespace {

enum class Kind { kBroadleaf, kPoplar, kBirch, kConifer, kBush };

struct Plant {
    Kind kind;
    float x;
    float size;   // height, or width for bushes
    int foliage;  // which of the season's broad-leaved looks
};

// Groups of trees with gaps between them where the hills show.
constexpr Plant kPlants[] = {
    {Kind::kBroadleaf, 70, 150, 1},  {Kind::kBroadleaf, 150, 215, 0},
    {Kind::kBush, 228, 42, 2},       {Kind::kBroadleaf, 262, 122, 2},
    {Kind::kPoplar, 336, 185, 0},    {Kind::kPoplar, 362, 212, 0},
    {Kind::kPoplar, 389, 166, 0},    {Kind::kBush, 450, 30, 0},
    {Kind::kBirch, 520, 150, 0},     {Kind::kBirch, 548, 124, 0},
    {Kind::kBush, 600, 36, 1},       {Kind::kConifer, 652, 140, 0},
    {Kind::kConifer, 686, 186, 0},   {Kind::kConifer, 720, 118, 0},
    {Kind::kBroadleaf, 802, 170, 2}, {Kind::kBroadleaf, 872, 202, 1},
    {Kind::kBush, 930, 46, 0},       {Kind::kBirch, 976, 140, 0},
    {Kind::kBush, 1006, 28, 2},
};

constexpr float kReeds[][2] = {
    {18, 34},  {112, 26}, {204, 40}, {296, 30}, {418, 24}, {472, 38},
    {588, 28}, {642, 34}, {758, 42}, {824, 26}, {906, 36}, {962, 30},
};

void DrawPlant(Canvas& canvas, const Plant& plant, const Palette& palette, std::uint32_t seed) {
    const Vec2 base{plant.x, BankTop(plant.x) + 3};
    const Foliage& leaves = palette.broadleaf[plant.foliage];
    switch (plant.kind) {
        case Kind::kBroadleaf:
            DrawBroadleafTree(canvas, base, plant.size, leaves, palette, seed);
            break;
        case Kind::kPoplar:
            DrawPoplar(canvas, base, plant.size, leaves, palette, seed);
            break;
        case Kind::kBirch:
            DrawBirch(canvas, base, plant.size, palette, seed);
            break;
        case Kind::kConifer:
            DrawConifer(canvas, base, plant.size, palette, seed);
            break;
        case Kind::kBush:
            DrawBush(canvas, base + Vec2{0, 2}, plant.size, leaves, palette, seed);
            break;
    }
}

}  // namespace

Canvas MakeBackground(Season season) {
    const Palette palette = SeasonPalette(season);
    Canvas canvas(kBackgroundWidth, kBackgroundHeight, true);
    DrawMountains(canvas, palette);
    DrawHills(canvas, palette);
    DrawBank(canvas, palette);
    std::uint32_t seed = 1000;
    for (const Plant& plant : kPlants) DrawPlant(canvas, plant, palette, seed += 17);
    DrawBankGrass(canvas, palette);
    for (const auto& reeds : kReeds) DrawReeds(canvas, reeds[0], reeds[1], palette, seed += 13);
    // The bottom rows fade out: the picture repeats at its edges, and its top row must not
    // pick up the bank.
    canvas.FadeRows([](int row) { return (kBackgroundHeight - 0.5f - row) / 2.5f; });
    return canvas;
}
