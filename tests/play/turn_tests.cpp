#include <set>

#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

using Grid = std::vector<int>;  // 25 cells, row by row

class TurnTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        // All twelve pieces in play.
        std::string rec(256, 'A');
        for (int p = 0; p < 12; ++p) rec[p] = static_cast<char>('B' + p);
        WriteFile(dataDir / "tessa320.dat", pack::Scramble(rec) + "\r\n");
        StartGame();
        SetUpLevel(0);
        nHeldPiece = -1;
        bLevelActive = vbTrue;
    }
    Grid Orient(int p) const {
        Grid g;
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c) g.push_back(tabPieceOrient[p][r][c]);
        return g;
    }
    void Hold(int p) {
        TakeFromTray(p);
        ASSERT_EQ(nHeldPiece, p);
    }
};

}  // namespace

TEST_F(TurnTest, TurnsAndMirrorsComposeAsTheyShould) {
    Hold(7);  // F: no symmetry at all
    const Grid start = Orient(7);
    for (int i = 0; i < 4; ++i) Key(plat::vbKeyReturn);
    EXPECT_EQ(Orient(7), start);
    Key(plat::vbKeySpace);
    EXPECT_NE(Orient(7), start);
    Key(plat::vbKeySpace);
    EXPECT_EQ(Orient(7), start);
    // Mirror, turn, mirror = three turns.
    Key(plat::vbKeySpace);
    Key(plat::vbKeyReturn);
    Key(plat::vbKeySpace);
    const Grid mtm = Orient(7);
    Key(plat::vbKeyReturn);
    EXPECT_EQ(Orient(7), start);
    Key(plat::vbKeyReturn);
    Key(plat::vbKeyReturn);
    Key(plat::vbKeyReturn);
    EXPECT_EQ(Orient(7), mtm);
}

TEST_F(TurnTest, AllEightOrientationsAreReached) {
    Hold(7);
    std::set<Grid> seen;
    for (int m = 0; m < 2; ++m) {
        for (int t = 0; t < 4; ++t) {
            seen.insert(Orient(7));
            Key(plat::vbKeyReturn);
        }
        Key(plat::vbKeySpace);
    }
    EXPECT_EQ(seen.size(), 8u);
    // Turning is clockwise: the F's top cell (1, 2) moves to (2, 3).
    const Grid g = Orient(7);
    ASSERT_EQ(g[1 * 5 + 2], 8);
    Key(plat::vbKeyReturn);
    EXPECT_EQ(Orient(7)[2 * 5 + 3], 8);
}

TEST_F(TurnTest, StraightAndCrossPieces) {
    Hold(0);
    Key(plat::vbKeyReturn);
    const Grid row2 = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Orient(0), row2);
    Key(plat::vbKeySpace);
    EXPECT_EQ(Orient(0), row2);
    ClickScreen(600, 300);  // back to the tray
    Hold(1);
    const Grid cross = Orient(1);
    const size_t before = Sounds().size();
    Key(plat::vbKeyReturn);
    Key(plat::vbKeySpace);
    EXPECT_EQ(Orient(1), cross);
    EXPECT_EQ(Sounds().size(), before + 2);
    EXPECT_EQ(Sounds().back(), "tessa32g.dat");
}

TEST_F(TurnTest, KeysRepaintWhereThePieceWasAndTheRightButtonUnderTheMouse) {
    Hold(0);
    // Enter straight after the pick-up paints on the tray box centre.
    Key(plat::vbKeyReturn);
    const std::uint32_t red = form->pctBrique.Image.At(12, 12);
    EXPECT_EQ(nHeldX, 676);
    EXPECT_EQ(nHeldY, 204);
    EXPECT_EQ(Screen().At(652, 204), red);
    // A right click beside the board turns there; it does not put back.
    ClickScreen(60, 300, plat::vbRightButton);
    EXPECT_EQ(nHeldPiece, 0);
    EXPECT_EQ(nHeldX, 60);
    EXPECT_EQ(Screen().At(60, 276), red);
    EXPECT_EQ(Screen().At(652, 204), form->Picture.At(652, 228));  // old image erased
    // Near the edge the strip keeps the piece until the mouse moves.
    ClickScreen(30, 300, plat::vbRightButton);
    EXPECT_EQ(Screen().At(6, 300), red);
    MoveScreen(30, 300);
    EXPECT_EQ(Screen().At(6, 300), form->Picture.At(6, 324));
}

TEST_F(TurnTest, NothingTurnsWithoutAHeldPieceOrALevel) {
    const Grid start = Orient(7);
    Key(plat::vbKeyReturn);
    ClickScreen(300, 300, plat::vbRightButton);
    EXPECT_TRUE(Sounds().empty());
    Hold(7);
    bLevelActive = vbFalse;
    Key(plat::vbKeyReturn);
    Key(plat::vbKeySpace);
    ClickScreen(300, 300, plat::vbRightButton);
    EXPECT_EQ(Orient(7), start);
    bLevelActive = vbTrue;
    form->bBusy = vbTrue;
    Key(plat::vbKeyReturn);
    EXPECT_EQ(Orient(7), start);
}
