#include "gfx/font.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Glyph {
    int cell;
    double x, y;
};

std::vector<Glyph> Layout(const std::string& text, uint8_t align, double x, double y, double size) {
    std::vector<Glyph> out;
    LayoutText(text, align, x, y, size, [&](int cell, double gx, double gy) {
        out.push_back({cell, gx, gy});
    });
    return out;
}

}  // namespace

TEST(FontCells, CoverDigitsLettersPunctuationAndPolish) {
    EXPECT_EQ(FontCell('0'), 0);
    EXPECT_EQ(FontCell('9'), 9);
    EXPECT_EQ(FontCell('A'), 10);
    EXPECT_EQ(FontCell('z'), 35);
    EXPECT_EQ(FontCell('.'), 36);
    EXPECT_EQ(FontCell('!'), 40);
    EXPECT_EQ(FontCell(0xB9), 41);  // a with ogonek
    EXPECT_EQ(FontCell(0x8C), 47);  // S with acute
    EXPECT_EQ(FontCell(0xBF), 49);  // z with dot
    EXPECT_EQ(FontCell(0xA9), 62);
    EXPECT_EQ(FontCell('#'), 64);
    EXPECT_EQ(FontCell('|'), 76);
    EXPECT_EQ(FontCell(0x81), 77);
    EXPECT_EQ(FontCell(0x82), 78);
    EXPECT_EQ(FontCell(' '), -1);
    EXPECT_EQ(FontCell('{'), -1);
    EXPECT_EQ(FontCell('\r'), -1);
    for (int c = 0; c < 256; ++c) EXPECT_NE(FontCell(static_cast<unsigned char>(c)), 63);
}

TEST(DrawTextLayout, AlignmentsPlaceTheFirstGlyph) {
    auto centred = Layout("AB", kAlignCentre, 100, 50, 6);
    ASSERT_EQ(centred.size(), 2u);
    EXPECT_DOUBLE_EQ(centred[0].x, 94);
    EXPECT_DOUBLE_EQ(centred[1].x, 106);
    auto right = Layout("AB", kAlignRight, 100, 50, 6);
    EXPECT_DOUBLE_EQ(right[0].x, 88);
    EXPECT_DOUBLE_EQ(right[1].x, 100);
    auto left = Layout("AB", kAlignLeft, 100, 50, 6);
    EXPECT_DOUBLE_EQ(left[0].x, 100);
    EXPECT_DOUBLE_EQ(left[1].x, 112);
    auto other = Layout("AB", 7, 100, 50, 6);  // unknown alignment acts as left
    EXPECT_DOUBLE_EQ(other[0].x, 100);
}

TEST(DrawTextLayout, LowerCaseSpacesAndLines) {
    auto lower = Layout("ab", kAlignLeft, 0, 0, 1);
    EXPECT_EQ(lower[0].cell, 10);
    EXPECT_EQ(lower[1].cell, 11);

    auto spaced = Layout("A B", kAlignLeft, 0, 0, 5);
    ASSERT_EQ(spaced.size(), 2u);
    EXPECT_DOUBLE_EQ(spaced[1].x, 20);

    auto lines = Layout("A\r\nB", kAlignLeft, 10, 100, 6);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_DOUBLE_EQ(lines[1].x, 10);
    EXPECT_DOUBLE_EQ(lines[1].y, 88);

    EXPECT_TRUE(Layout("", kAlignCentre, 0, 0, 6).empty());
}

TEST(DrawTextLayout, CentredTextSpansTwiceSizePerByte) {
    auto glyphs = Layout("1234", kAlignCentre, 200, 0, 5);
    // Squares of half-size 5: from 200 - 5 * 4 to 200 + 5 * 4.
    EXPECT_DOUBLE_EQ(glyphs.front().x - 5, 180);
    EXPECT_DOUBLE_EQ(glyphs.back().x + 5, 220);
}
