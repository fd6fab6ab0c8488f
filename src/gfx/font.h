// Text drawn with the bitmap font, one square per byte, tinted by the current colour.
#pragma once

#include <cstdint>
#include <string_view>

enum TextAlign : uint8_t { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

// The font cell for a Windows-1250 byte, or -1 when the byte draws nothing.
int FontCell(unsigned char c);

// Calls glyph(cell, x, y) for every byte that has a cell, with the centre of
// its square. The alignment counts every byte, line characters included, so
// text of several lines is aligned as one line.
template <typename GlyphFn>
void LayoutText(std::string_view text, uint8_t alignment, double x, double y, double size,
                GlyphFn&& glyph) {
    const double n = static_cast<double>(text.size());
    if (alignment == kAlignCentre) x -= size * (n - 1);
    if (alignment == kAlignRight) x -= 2 * size * (n - 1);
    double penX = x, penY = y, lineAdvance = 0;
    for (unsigned char c : text) {
        const int cell = FontCell(c);
        if (cell >= 0) glyph(cell, penX, penY);
        if (c != '\n') {
            penX += 2 * size;
            lineAdvance += 2 * size;
        }
        if (c == '\r') {
            penX -= lineAdvance;
            penY -= 2 * size;
            lineAdvance = 0;
        }
    }
}

// Draws the text with its first glyph (after alignment) centred on (x, y).
void DrawText(std::string_view text, uint8_t alignment, double x, double y, double size);
