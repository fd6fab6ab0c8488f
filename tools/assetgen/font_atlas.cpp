// The bitmap font: glyphs of a TrueType font laid out in the game's 8 x 16 cell grid.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "font_pictograms.h"
#include "pictures.h"

namespace {

constexpr int kColumns = 8;
constexpr int kRows = 16;
constexpr int kCell = 64;
constexpr int kMargin = 2;
constexpr int kMaxWidth = kCell - 2 * (kMargin + 1);
// Capitals fill about 70% of the cell, centred in it; accents above them and tails below
// the baseline are flattened into the room left over.
constexpr int kPixelSize = 60;
constexpr int kCapHeight = 44;
constexpr int kBaseline = kCell / 2 + kCapHeight / 2;  // from the cell's top
constexpr float kRoomAbove = kBaseline - kCapHeight - kMargin;
constexpr float kRoomBelow = kCell - kMargin - kBaseline;
// Glyphs are drawn a little wider than the font's own, so that text advancing a whole cell
// per character does not look spaced out.
constexpr float kWiden = 1.12f;

struct CellChar {
    int cell;
    std::uint8_t byte;  // Windows-1250
};

// Punctuation, symbols and Polish capitals; digits and letters are added in a loop.
constexpr CellChar kTable[] = {
    {36, 0x2E}, {37, 0x3A}, {38, 0x2C}, {39, 0x3F}, {40, 0x21}, {41, 0xA5}, {42, 0xC6}, {43, 0xCA},
    {44, 0xA3}, {45, 0xD1}, {46, 0xD3}, {47, 0x8C}, {48, 0x8F}, {49, 0xAF}, {50, 0x2D}, {51, 0x2F},
    {52, 0x40}, {53, 0x2B}, {54, 0x3D}, {55, 0x28}, {56, 0x29}, {57, 0x5B}, {58, 0x5D}, {59, 0x5C},
    {60, 0x27}, {61, 0x3B}, {65, 0x24}, {66, 0x25}, {67, 0x5E}, {68, 0x26}, {69, 0x2A}, {70, 0x5F},
    {71, 0x60}, {72, 0x7E}, {73, 0x22}, {74, 0x3C}, {75, 0x3E}, {76, 0x7C},
};

// The Windows-1250 bytes of the table that differ from their Unicode code point.
std::uint32_t Unicode(std::uint8_t byte) {
    switch (byte) {
        case 0xA5:
            return 0x0104;  // A ogonek
        case 0xC6:
            return 0x0106;  // C acute
        case 0xCA:
            return 0x0118;  // E ogonek
        case 0xA3:
            return 0x0141;  // L stroke
        case 0xD1:
            return 0x0143;  // N acute
        case 0x8C:
            return 0x015A;  // S acute
        case 0x8F:
            return 0x0179;  // Z acute
        case 0xAF:
            return 0x017B;  // Z dot above
        default:
            return byte;
    }
}

float CellX(int cell) {
    return static_cast<float>(cell % kColumns * kCell);
}
float CellY(int cell) {
    return static_cast<float>(cell / kColumns * kCell);
}

// A rendered glyph's coverage, rows from the top; `top` is its first row's height above the
// baseline.
struct Glyph {
    int width = 0, height = 0, top = 0;
    std::vector<float> coverage;

    float At(int x, float row) const {
        const int r0 = static_cast<int>(std::floor(row));
        const float t = row - r0;
        auto get = [&](int r) { return r < 0 || r >= height ? 0.0f : coverage[r * width + x]; };
        return get(r0) * (1 - t) + get(r0 + 1) * t;
    }
};

std::optional<Glyph> Render(FT_Face face, std::uint32_t code, float squeeze) {
    FT_Matrix matrix{static_cast<FT_Fixed>(squeeze * 0x10000), 0, 0, 0x10000};
    FT_Set_Transform(face, &matrix, nullptr);
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) return std::nullopt;
    const FT_GlyphSlot slot = face->glyph;
    Glyph g;
    g.width = static_cast<int>(slot->bitmap.width);
    g.height = static_cast<int>(slot->bitmap.rows);
    g.top = slot->bitmap_top;
    for (int y = 0; y < g.height; ++y) {
        for (int x = 0; x < g.width; ++x) {
            g.coverage.push_back(slot->bitmap.buffer[y * slot->bitmap.pitch + x] / 255.0f);
        }
    }
    return g;
}

// Copies a glyph with its ink centred across the cell and its baseline on the cell's baseline.
void PlaceGlyph(Canvas& canvas, const Glyph& g, int cell) {
    const float above = std::max(g.top - kCapHeight, 0);
    const float below = std::max(g.height - g.top, 0);
    const float squashAbove = above > kRoomAbove ? kRoomAbove / above : 1;
    const float squashBelow = below > kRoomBelow ? kRoomBelow / below : 1;
    const int left = static_cast<int>(CellX(cell)) + (kCell - g.width) / 2;
    for (int row = kMargin; row < kCell - kMargin; ++row) {
        // Height above the baseline of this row's middle, and where it comes from in the glyph.
        const float h = kBaseline - row - 0.5f;
        float source = h;
        if (h > kCapHeight) source = kCapHeight + (h - kCapHeight) / squashAbove;
        if (h < 0) source = h / squashBelow;
        const float glyphRow = g.top - source - 0.5f;
        for (int x = 0; x < g.width; ++x) {
            const float v = g.At(x, glyphRow);
            if (v > 0) canvas.BlendAt(left + x, static_cast<int>(CellY(cell)) + row, {1, 1, 1, v});
        }
    }
}

bool RenderGlyph(Canvas& canvas, FT_Face face, std::uint8_t byte, int cell) {
    std::optional<Glyph> g = Render(face, Unicode(byte), kWiden);
    // Glyphs too wide for the cell (W, M, %) are narrowed to fit.
    if (g && g->width > kMaxWidth) {
        g = Render(face, Unicode(byte), kWiden * kMaxWidth / (g->width + 1.0f));
    }
    if (!g) return false;
    PlaceGlyph(canvas, *g, cell);
    return true;
}

bool RenderText(Canvas& canvas, FT_Face face) {
    bool ok = true;
    for (int i = 0; i < 10; ++i) ok &= RenderGlyph(canvas, face, '0' + i, i);
    for (int i = 0; i < 26; ++i) ok &= RenderGlyph(canvas, face, 'A' + i, 10 + i);
    for (const CellChar& c : kTable) ok &= RenderGlyph(canvas, face, c.byte, c.cell);
    return ok;
}

}  // namespace

std::optional<Canvas> MakeFontAtlas(const std::string& fontPath) {
    FT_Library library;
    if (FT_Init_FreeType(&library) != 0) return std::nullopt;
    FT_Face face;
    std::optional<Canvas> result;
    if (FT_New_Face(library, fontPath.c_str(), 0, &face) == 0) {
        Canvas canvas(kColumns * kCell, kRows * kCell);
        if (FT_Set_Pixel_Sizes(face, 0, kPixelSize) == 0 && RenderText(canvas, face)) {
            DrawFrogFaceGlyph(canvas, CellX(62), CellY(62), kCell);
            DrawBlockGlyph(canvas, CellX(64), CellY(64), kCell);
            DrawFlyGlyph(canvas, CellX(77), CellY(77), kCell);
            DrawLilyPadGlyph(canvas, CellX(78), CellY(78), kCell);
            result = std::move(canvas);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return result;
}
