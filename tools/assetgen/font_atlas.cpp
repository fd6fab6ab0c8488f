// The bitmap font: glyphs of a TrueType font laid out in the game's 8 x 16 cell grid.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdint>

#include "font_pictograms.h"
#include "pictures.h"

namespace {

constexpr int kColumns = 8;
constexpr int kRows = 16;
constexpr int kCell = 64;
constexpr int kMargin = 2;
// Capitals fill 60% of the cell; accents above and tails below still fit the margins.
constexpr int kPixelSize = 53;
// Baseline, from the cell's top, that centres the capitals in the cell.
constexpr int kBaseline = 51;

struct CellChar {
    int cell;
    std::uint8_t byte;  // Windows-1250
};

// Punctuation, symbols and Polish capitals; digits and letters are added in a loop.
constexpr CellChar kTable[] = {
    {36, 0x2E}, {37, 0x3A}, {38, 0x2C}, {39, 0x3F}, {40, 0x21}, {41, 0xA5}, {42, 0xC6},
    {43, 0xCA}, {44, 0xA3}, {45, 0xD1}, {46, 0xD3}, {47, 0x8C}, {48, 0x8F}, {49, 0xAF},
    {50, 0x2D}, {51, 0x2F}, {52, 0x40}, {53, 0x2B}, {54, 0x3D}, {55, 0x28}, {56, 0x29},
    {57, 0x5B}, {58, 0x5D}, {59, 0x5C}, {60, 0x27}, {61, 0x3B}, {65, 0x24}, {66, 0x25},
    {67, 0x5E}, {68, 0x26}, {69, 0x2A}, {70, 0x5F}, {71, 0x60}, {72, 0x7E}, {73, 0x22},
    {74, 0x3C}, {75, 0x3E}, {76, 0x7C},
};

// The Windows-1250 bytes of the table that differ from their Unicode code point.
std::uint32_t Unicode(std::uint8_t byte) {
    switch (byte) {
        case 0xA5: return 0x0104;  // A ogonek
        case 0xC6: return 0x0106;  // C acute
        case 0xCA: return 0x0118;  // E ogonek
        case 0xA3: return 0x0141;  // L stroke
        case 0xD1: return 0x0143;  // N acute
        case 0x8C: return 0x015A;  // S acute
        case 0x8F: return 0x0179;  // Z acute
        case 0xAF: return 0x017B;  // Z dot above
        default: return byte;
    }
}

float CellX(int cell) { return static_cast<float>(cell % kColumns * kCell); }
float CellY(int cell) { return static_cast<float>(cell / kColumns * kCell); }

// Copies one rendered glyph, its ink centred across the cell and resting on the baseline.
void PlaceGlyph(Canvas& canvas, const FT_GlyphSlot glyph, int cell) {
    const FT_Bitmap& bitmap = glyph->bitmap;
    const int width = static_cast<int>(bitmap.width);
    const int height = static_cast<int>(bitmap.rows);
    const int left = (kCell - width) / 2;
    int top = kBaseline - glyph->bitmap_top;
    // Long tails (underscore, bar) are lifted rather than cut at the cell's edge.
    if (top + height > kCell - kMargin) top = kCell - kMargin - height;
    if (top < kMargin) top = kMargin;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t v = bitmap.buffer[y * bitmap.pitch + x];
            if (v == 0) continue;
            canvas.BlendAt(static_cast<int>(CellX(cell)) + left + x,
                           static_cast<int>(CellY(cell)) + top + y, {1, 1, 1, v / 255.0f});
        }
    }
}

bool RenderGlyph(Canvas& canvas, FT_Face face, std::uint8_t byte, int cell) {
    if (FT_Load_Char(face, Unicode(byte), FT_LOAD_RENDER | FT_LOAD_TARGET_LIGHT) != 0) {
        return false;
    }
    PlaceGlyph(canvas, face->glyph, cell);
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
