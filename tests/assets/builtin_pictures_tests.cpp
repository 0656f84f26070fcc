// The pictures built into the program, decoded as the game decodes them.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "assets/embedded.h"
#include "board/catalogue.h"
#include "picture.h"

using testpic::Picture;
using testpic::Px;

namespace {

Picture Load(const assets::Blob& b) { return testpic::Decode(b.data, b.size); }

Px PieceColour(int p) {
    const auto& d = catalogue::kPieces[static_cast<std::size_t>(p)];
    return {d.r, d.g, d.b, 255};
}

int Sum(Px c) { return c.r + c.g + c.b; }

bool AllOpaque(const Picture& pic) {
    for (const Px& p : pic.px)
        if (p.a != 255) return false;
    return true;
}

// Pixels of a rectangle that are not exactly `c`.
int CountOther(const Picture& pic, int x0, int y0, int w, int h, Px c) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += pic.at(x, y) == c ? 0 : 1;
    return n;
}

class TileSheet : public ::testing::Test {
protected:
    static void SetUpTestSuite() { sheet = new Picture(Load(assets::kTileSheet)); }
    static void TearDownTestSuite() { delete sheet; }
    static Picture* sheet;
};
Picture* TileSheet::sheet = nullptr;

}  // namespace

TEST_F(TileSheet, IsAnOpaque408By48Picture) {
    ASSERT_EQ(sheet->w, 408);
    ASSERT_EQ(sheet->h, 48);
    EXPECT_FALSE(sheet->hasAlpha);
    EXPECT_TRUE(AllOpaque(*sheet));
}

TEST_F(TileSheet, MaskTilesArePureBlackAndPureWhite) {
    // The AND/OR stamping only works if these two are exact in every pixel.
    EXPECT_EQ(CountOther(*sheet, 312, 0, 24, 24, {0, 0, 0, 255}), 0);
    EXPECT_EQ(CountOther(*sheet, 336, 0, 24, 24, {255, 255, 255, 255}), 0);
}

TEST_F(TileSheet, PieceTilesShowTheirColourInsideADarkerBevel) {
    for (int p = 0; p < catalogue::kPieceCount; ++p) {
        SCOPED_TRACE(p);
        const Px c = PieceColour(p);
        const int x0 = 24 * p;
        EXPECT_EQ(sheet->at(x0 + 12, 12), c);
        EXPECT_EQ(CountOther(*sheet, x0 + 6, 6, 12, 12, c), 0) << "the face is one flat colour";
        long edge = 0;
        for (int i = 0; i < 24; ++i)
            for (const Px e : {sheet->at(x0 + i, 0), sheet->at(x0 + i, 23), sheet->at(x0, i), sheet->at(x0 + 23, i)}) {
                EXPECT_LE(e.r, c.r);
                EXPECT_LE(e.g, c.g);
                EXPECT_LE(e.b, c.b);
                EXPECT_LT(Sum(e), Sum(c));
                edge += Sum(e);
            }
        // "About one sixth darker" on average: clearly darker, still the same colour.
        const double ratio = edge / (96.0 * Sum(c));
        EXPECT_GT(ratio, 0.55);
        EXPECT_LT(ratio, 0.92);
    }
}

TEST_F(TileSheet, EmptyCellTileIsLightWoodSunkAlongTopAndLeft) {
    long inner = 0, top = 0, left = 0, bottom = 0;
    for (int i = 4; i < 20; ++i) {
        top += Sum(sheet->at(384 + i, 0));
        left += Sum(sheet->at(384, i));
        bottom += Sum(sheet->at(384 + i, 23));
        for (int j = 4; j < 20; ++j) inner += Sum(sheet->at(384 + i, j));
    }
    const double innerMean = inner / 256.0;
    EXPECT_GT(innerMean, 3 * 150) << "light wood";
    EXPECT_LT(top / 16.0, innerMean * 0.9);
    EXPECT_LT(left / 16.0, innerMean * 0.9);
    EXPECT_GT(bottom / 16.0, top / 16.0);
    const Px mid = sheet->at(384 + 12, 12);
    EXPECT_GT(mid.r, mid.g);
    EXPECT_GT(mid.g, mid.b) << "a warm, brownish tone";
    std::set<int> shades;
    for (int j = 4; j < 20; ++j) shades.insert(Sum(sheet->at(384 + 12, j)));
    EXPECT_GT(shades.size(), 4u) << "the grain gives the wood some texture";
}

TEST_F(TileSheet, SolutionTilesAreWoodWithACrossInThePieceColour) {
    for (int p = 0; p < catalogue::kPieceCount; ++p) {
        SCOPED_TRACE(p);
        const int x0 = 24 * p;
        for (int d = 11; d <= 12; ++d) EXPECT_EQ(sheet->at(x0 + d, 24 + d), PieceColour(p));
        // Away from the cross the tile is the empty-cell tile.
        for (auto [x, y] : {std::pair{1, 1}, {22, 1}, {1, 22}, {22, 22}, {12, 1}, {1, 12}})
            EXPECT_EQ(sheet->at(x0 + x, 24 + y), sheet->at(384 + x, y));
        // The cross has both diagonals.
        EXPECT_EQ(sheet->at(x0 + 8, 24 + 8), PieceColour(p));
        EXPECT_EQ(sheet->at(x0 + 15, 24 + 8), PieceColour(p));
    }
    EXPECT_NE(sheet->at(312 + 12, 24 + 12), sheet->at(384 + 12, 12));
    EXPECT_EQ(sheet->at(312 + 1, 24 + 1), sheet->at(384 + 1, 1));
}

TEST(HeadSheet, HasTenDistinctFramesOfAYellowHeadOnDarkGreen) {
    const Picture s = Load(assets::kHeadSheet);
    ASSERT_EQ(s.w, 800);
    ASSERT_EQ(s.h, 64);
    EXPECT_TRUE(AllOpaque(s));
    const Px ground{0, 42, 0, 255};
    for (int k = 0; k < 10; ++k) {
        SCOPED_TRACE(k);
        const int x0 = 80 * k;
        EXPECT_EQ(s.at(x0, 0), ground);
        EXPECT_EQ(s.at(x0, 63), ground);
        EXPECT_EQ(s.at(x0 + 79, 63), ground);
        int yellow = 0;
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 80; ++x) {
                const Px c = s.at(x0 + x, y);
                yellow += c.r > 200 && c.g > 150 && c.b < 120;
            }
        EXPECT_GT(yellow, 900) << "a head fills a good part of the frame";
    }
    for (int a = 0; a < 10; ++a)
        for (int b = a + 1; b < 10; ++b) {
            int differ = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 80; ++x) differ += !(s.at(80 * a + x, y) == s.at(80 * b + x, y));
            EXPECT_GT(differ, 40) << "frames " << a << " and " << b << " look alike";
        }
}

TEST(AboutPicture, IsGreenWithTheXButtonCornerLeftFree) {
    const Picture s = Load(assets::kAboutPicture);
    ASSERT_EQ(s.w, 256);
    ASSERT_EQ(s.h, 180);
    EXPECT_TRUE(AllOpaque(s));
    for (auto [x, y] : {std::pair{5, 5}, {250, 5}, {5, 174}, {250, 174}, {128, 170}}) {
        const Px c = s.at(x, y);
        EXPECT_GT(c.g, c.r + 20);
        EXPECT_GT(c.g, c.b + 20);
    }
    // The "X" button lies at (228, 9), 18 x 18: no drawing there, only the smooth ground.
    for (int y = 9; y < 27; ++y)
        for (int x = 229; x < 246; ++x) EXPECT_LE(std::abs(s.at(x, y).g - s.at(x - 1, y).g), 3);
    int bright = 0;
    for (const Px& c : s.px) bright += c.r > 200 && c.g > 180;
    EXPECT_GT(bright, 500) << "the title stands out";
}

TEST(HandCursor, IsAWhiteHandWithItsFingertipOnTheHotSpot) {
    const Picture s = Load(assets::kHandCursor);
    ASSERT_EQ(s.w, 32);
    ASSERT_EQ(s.h, 32);
    EXPECT_TRUE(s.hasAlpha);
    EXPECT_EQ(s.at(12, 1).a, 255);
    EXPECT_EQ(s.at(12, 0).a, 0) << "nothing above the fingertip";
    for (auto [x, y] : {std::pair{0, 0}, {31, 0}, {0, 31}, {31, 31}}) EXPECT_EQ(s.at(x, y).a, 0);
    int white = 0, black = 0, blue = 0, clear = 0;
    for (const Px& c : s.px) {
        if (c.a == 0) ++clear;
        if (c.a < 255) continue;
        white += c.r > 240 && c.g > 240 && c.b > 240;
        black += Sum(c) < 30;
        blue += c.b > 180 && c.r < 120;
    }
    EXPECT_GT(white, 80);
    EXPECT_GT(black, 60);
    EXPECT_GT(blue, 20) << "the cuff";
    EXPECT_GT(clear, 300);
}
