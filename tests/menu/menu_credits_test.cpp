#include "menu/menu_credits.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "gfx/font.h"

namespace {

TEST(Credits, TheEmptyPairLasts230Steps) {
    EXPECT_STREQ(CreditLines[0], "");
    EXPECT_STREQ(CreditLines[1], "");
    EXPECT_EQ(CreditDuration(0), 230);
}

TEST(Credits, TheFreewarePairLasts290Steps) {
    EXPECT_STREQ(CreditLines[16], "THIS GAME IS");
    EXPECT_STREQ(CreditLines[17], "FREEWARE");
    EXPECT_EQ(CreditDuration(8), 290);
}

TEST(Credits, LongerPairsStayThreeStepsLongerPerCharacter) {
    EXPECT_STREQ(CreditLines[8], "SOUNDS FROM");
    EXPECT_STREQ(CreditLines[9], "THE GAME'S OWN SOUND GENERATOR");
    EXPECT_EQ(CreditDuration(4), 3 * (11 + 30) + 230);
    for (int32_t pair = 0; pair < kCreditPairs; ++pair) {
        const size_t length =
            std::strlen(CreditLines[2 * pair]) + std::strlen(CreditLines[2 * pair + 1]);
        EXPECT_EQ(CreditDuration(pair), 3 * static_cast<int32_t>(length) + 230);
    }
}

TEST(Credits, APairFadesInOverTwentyStepsAndOutOverItsLastTwenty) {
    EXPECT_DOUBLE_EQ(CreditOpacity(8, 0), 0);
    EXPECT_DOUBLE_EQ(CreditOpacity(8, 10), 0.5);
    EXPECT_DOUBLE_EQ(CreditOpacity(8, 20), 1);
    EXPECT_DOUBLE_EQ(CreditOpacity(8, 150), 1);
    EXPECT_DOUBLE_EQ(CreditOpacity(8, 270), 1);
    EXPECT_DOUBLE_EQ(CreditOpacity(8, 280), 0.5);
    EXPECT_DOUBLE_EQ(CreditOpacity(8, 289), 0.05);
}

TEST(Credits, EveryLineUsesOnlyGlyphsTheFontHas) {
    for (const char* line : CreditLines) {
        for (unsigned char c : std::string(line)) {
            EXPECT_TRUE(c == ' ' || FontCell(c) >= 0) << line;
        }
    }
}

}  // namespace
