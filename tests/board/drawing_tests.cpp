#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class DrawingTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        StartGame();
        // A play area where every pixel differs, so any stray write shows.
        for (int y = 0; y < 384; ++y)
            for (int x = 0; x < 720; ++x)
                Screen().Row(y)[x] = static_cast<std::uint32_t>((x * 7919 + y * 104729) & 0xFFFFFF);
        before = Screen();
    }
    plat::Surface before;

    bool InPieceCell(int p, int x, int y) const {
        const int c = (x - tabTrayX[p]), r = (y - tabTrayY[p]);
        if (c < 0 || r < 0 || c >= 120 || r >= 120) return false;
        return tabPieceShape[p][r / 24][c / 24] != 0;
    }
    std::uint32_t Tile(int p, int dx, int dy) const {
        return form->pctBrique.Image.At(24 * p + dx, dy);
    }
};

}  // namespace

TEST_F(DrawingTest, StampingChangesOnlyThePieceCellsEvenAtTheEdges) {
    // 5 and 6 start at x = -16; 0, 2 and 4 end at x = 735; 1, 7, 8, 9 reach the board.
    for (int p = 0; p < 12; ++p) {
        Screen() = before;
        DrawTrayPiece(p);
        for (int y = 0; y < 384; ++y)
            for (int x = 0; x < 720; ++x) {
                if (InPieceCell(p, x, y)) {
                    const int dx = (x - tabTrayX[p]) % 24, dy = (y - tabTrayY[p]) % 24;
                    ASSERT_EQ(Screen().At(x, y), Tile(p, dx, dy)) << "piece " << p << " at " << x << "," << y;
                } else {
                    ASSERT_EQ(Screen().At(x, y), before.At(x, y)) << "piece " << p << " at " << x << "," << y;
                }
            }
    }
}

TEST_F(DrawingTest, SilhouetteAndColourReplaceEachOtherExactly) {
    for (int p : {0, 5, 11}) {
        Screen() = before;
        DrawTrayPiece(p);
        const plat::Surface coloured = Screen();
        DrawTrayHole(p);
        for (int y = 0; y < 384; ++y)
            for (int x = 0; x < 720; ++x)
                ASSERT_EQ(Screen().At(x, y), InPieceCell(p, x, y) ? 0u : before.At(x, y));
        DrawTrayPiece(p);
        ASSERT_TRUE(Screen() == coloured) << "piece " << p;
    }
}

TEST_F(DrawingTest, BufferShowsTheCurrentOrientationUntilTheTrayRedrawsIt) {
    // Piece 0 turned: a horizontal bar in row 2.
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) tabPieceOrient[0][r][c] = r == 2 ? 1 : 0;
    MakeOrientedPieceImage(0);
    const plat::Surface& buf = form->pctTessa.Image;
    EXPECT_EQ(buf.At(12, 60), 0u);                // mask black in row 2, column 0
    EXPECT_EQ(buf.At(60, 12), 0x00FFFFFFu);       // mask white above the centre
    EXPECT_EQ(buf.At(120 + 12, 60), Tile(0, 12, 12));
    EXPECT_EQ(buf.At(120 + 60, 12), 0u);          // picture black where empty
    DrawTrayPiece(0);
    EXPECT_EQ(buf.At(60, 12), 0u);                // the catalogue bar again
    EXPECT_EQ(buf.At(12, 60), 0x00FFFFFFu);
}
