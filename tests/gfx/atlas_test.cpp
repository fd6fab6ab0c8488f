#include "gfx/atlas.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(Atlas, FirstFontCellIsInsetA64thOfACell) {
    AtlasCell c = TileCell(0, 8, 16);
    EXPECT_DOUBLE_EQ(c.uL, 1.0 / 512);
    EXPECT_DOUBLE_EQ(c.uR, 1.0 / 8 - 1.0 / 512);
    EXPECT_DOUBLE_EQ(c.vB, 15.0 / 16 + 1.0 / 1024);
    EXPECT_DOUBLE_EQ(c.vT, 1 - 1.0 / 1024);
}

TEST(Atlas, CellsGoRowByRowFromTheTopLeft) {
    AtlasCell c = TileCell(13, 4, 4);  // column 1, row 3: the bottom row
    EXPECT_DOUBLE_EQ(c.uL, 0.25 + 1.0 / 256);
    EXPECT_DOUBLE_EQ(c.vB, 1.0 / 256);
    AtlasCell s = StripCell(5, 8);  // a strip's inset is twice as deep
    EXPECT_DOUBLE_EQ(s.uL, 5.0 / 8 + 1.0 / 256);
    EXPECT_DOUBLE_EQ(s.uR, 6.0 / 8 - 1.0 / 256);
    EXPECT_DOUBLE_EQ(s.vT, 1 - 1.0 / 256);
}

TEST(Atlas, StripCornerOneIsRightOfTheLine) {
    // Straight up: right of the line is +x.
    QuadCorners q = StripQuad(0, 0, 0, 10, 2);
    EXPECT_NEAR(q.x[0], 2, 1e-12);
    EXPECT_NEAR(q.y[0], 0, 1e-12);
    EXPECT_NEAR(q.x[1], -2, 1e-12);
    EXPECT_NEAR(q.x[2], -2, 1e-12);
    EXPECT_NEAR(q.y[2], 10, 1e-12);
    EXPECT_NEAR(q.x[3], 2, 1e-12);
    // Along +x: right of the line is -y.
    q = StripQuad(0, 0, 10, 0, 1);
    EXPECT_NEAR(q.y[0], -1, 1e-12);
    EXPECT_NEAR(q.y[1], 1, 1e-12);
}

TEST(Atlas, TurnedSquareTurnsCounterclockwiseAboutItsCentre) {
    QuadCorners q = TurnedSquare(10, 20, 2, 0);
    EXPECT_NEAR(q.x[0], 8, 1e-12);
    EXPECT_NEAR(q.y[0], 18, 1e-12);
    EXPECT_NEAR(q.x[2], 12, 1e-12);
    EXPECT_NEAR(q.y[2], 22, 1e-12);
    // A quarter turn takes the bottom-left corner to the bottom-right.
    q = TurnedSquare(10, 20, 2, 90);
    EXPECT_NEAR(q.x[0], 12, 1e-12);
    EXPECT_NEAR(q.y[0], 18, 1e-12);
    EXPECT_NEAR(q.x[1], 12, 1e-12);
    EXPECT_NEAR(q.y[1], 22, 1e-12);
    // An eighth of a turn puts corner 0 straight below the centre.
    q = TurnedSquare(0, 0, 1, 45);
    EXPECT_NEAR(q.x[0], 0, 1e-12);
    EXPECT_NEAR(q.y[0], -std::sqrt(2.0), 1e-12);
}
