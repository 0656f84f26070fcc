#include <map>

#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

// A 5 x 5 square in the board's top-left corner: I, X, V, W and U in play.
const std::vector<std::string> kCorner = {"BBBBB", "CCCMM", "CCLLM", "GGLLM", "GGGLG"};

class HandTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat", MakeRecord(kCorner, 0, 0));
        StartGame();
        SetUpLevel(0);
        nHeldPiece = -1;
        bBoardFull = vbFalse;
        bLevelActive = vbTrue;
        form->kvtUt.played.clear();
    }
    void PickUp(int p) {
        // Piece 0's slot centre lies on its cells; for the others use a cell.
        const std::map<int, std::pair<int, int>> at = {
            {0, {676, 156}}, {1, {124, 60}}, {11, {148, 156}}, {10, {100, 276}}, {5, {44, 300}}};
        ClickScreen(at.at(p).first, at.at(p).second);
        ASSERT_EQ(nHeldPiece, p);
    }
    // Centre of a board cell in play-area pixels.
    static int Cx(int column) { return CellX(column) + 12; }
    static int Cy(int row) { return CellY(row) + 12; }
};

}  // namespace

TEST_F(HandTest, PickingUpLeavesASilhouetteAndResetsTheOrientation) {
    tabPieceOrient[1][0][0] = 2;  // left over from an earlier turn
    ClickScreen(124, 60);
    EXPECT_EQ(nHeldPiece, 1);
    EXPECT_FALSE(tabInTray[1]);
    EXPECT_EQ(tabPieceOrient[1][0][0], 0);
    EXPECT_EQ(nHeldX, 64 + 60);
    EXPECT_EQ(nHeldY, 60);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32e.dat"}));
    EXPECT_EQ(form->pctEcran.MousePointer(), plat::Cursor::Invisible);
    EXPECT_EQ(Screen().At(124, 60), 0u);  // the X's centre cell is now black
    // The clean copy is the play area right after the pick-up.
    for (int y = 0; y < 384; y += 5)
        for (int x = 0; x < 720; x += 5) ASSERT_EQ(form->Picture.At(x, y + 24), Screen().At(x, y));
}

TEST_F(HandTest, PiecesThatCannotBeTakenAreIgnoredSilently) {
    ClickScreen(44, 60);    // N: not in this level, a silhouette
    ClickScreen(20, 200);   // between slots
    ClickScreen(167, 100);  // just beside the board, no slot reaches it
    ClickScreen(168, 100);  // on the board's edge with an empty hand: still beside it
    EXPECT_EQ(nHeldPiece, -1);
    EXPECT_TRUE(Sounds().empty());
}

TEST_F(HandTest, DraggingRepaintsFiveCopiesAndKeepsTheEdgesClean) {
    PickUp(0);
    const plat::Surface clean = Screen();
    const int presents = host.PresentCount(*form);
    MoveScreen(300, 200);
    EXPECT_EQ(host.PresentCount(*form), presents + 1);
    EXPECT_EQ(nHeldX, 300);
    EXPECT_EQ(nHeldY, 200);
    const std::uint32_t red = form->pctBrique.Image.At(12, 12);
    EXPECT_EQ(Screen().At(300, 200), red);
    EXPECT_EQ(Screen().At(300, 150), red);
    EXPECT_EQ(Screen().At(280, 200), clean.At(280, 200));  // empty box cell untouched
    // Near the left edge the outer strip shows the clean copy, not the piece.
    MoveScreen(20, 100);
    EXPECT_EQ(Screen().At(10, 100), clean.At(10, 100));
    // The I covers x 8..31; the strip hides 8..23.
    EXPECT_EQ(Screen().At(20, 100), clean.At(20, 100));
    for (int x = 24; x < 32; ++x)
        EXPECT_EQ(Screen().At(x, 100), form->pctBrique.Image.At(x - 8, 12)) << x;
    EXPECT_EQ(Screen().At(300, 200), clean.At(300, 200));  // the old image is gone
    // Moves with an empty hand or during no level do nothing.
    ClickScreen(20, 100);  // put back
    const plat::Surface after = Screen();
    MoveScreen(400, 100);
    EXPECT_TRUE(Screen() == after);
}

TEST_F(HandTest, DropFitsOnlyWhereEveryCellOfThePieceLandsOnAnEmptyShapeCell) {
    PickUp(1);  // X
    // Centre on column 0: its left arm would leave the board.
    ClickScreen(Cx(0), Cy(2));
    EXPECT_EQ(nHeldPiece, 1);
    EXPECT_TRUE(Sounds().size() == 1);  // only the pick-up
    // Over cells outside the shape.
    ClickScreen(Cx(8), Cy(8));
    EXPECT_EQ(nHeldPiece, 1);
    ClickScreen(Cx(1), Cy(2));
    EXPECT_EQ(nHeldPiece, -1);
    for (auto [x, y] : {std::pair{1, 1}, {0, 2}, {1, 2}, {2, 2}, {1, 3}}) EXPECT_EQ(tabBoard[x][y], 1);
    EXPECT_EQ(Screen().At(Cx(0), Cy(2)), form->pctBrique.Image.At(24 + 12, 12));
    EXPECT_EQ(Sounds().back(), "tessa32f.dat");
    EXPECT_EQ(form->pctEcran.MousePointer(), plat::Cursor::Hand);
    EXPECT_FALSE(bBoardFull);
    // Onto another piece: refused.
    PickUp(0);
    ClickScreen(Cx(1), Cy(2));
    EXPECT_EQ(nHeldPiece, 0);
}

TEST_F(HandTest, EmptyBoxCellsMayHangOffTheBoard) {
    PickUp(0);  // vertical I in box column 2
    Key(plat::vbKeyReturn);  // now row 2 of its box
    // A horizontal I centred on column 2, row 0: box rows 0 and 1 are off the board.
    ClickScreen(Cx(2), Cy(0));
    EXPECT_EQ(nHeldPiece, -1);
    for (int x = 0; x < 5; ++x) EXPECT_EQ(tabBoard[x][0], 0);
}

TEST_F(HandTest, PieceElevenIsSnappedByItsEmptyBoxCentre) {
    PickUp(11);  // V, its centre cell is empty
    ClickScreen(Cx(3), Cy(2));
    EXPECT_EQ(nHeldPiece, -1);
    for (auto [x, y] : {std::pair{2, 1}, {3, 1}, {4, 1}, {4, 2}, {4, 3}}) EXPECT_EQ(tabBoard[x][y], 11);
    EXPECT_EQ(tabBoard[3][2], -1);
}

TEST_F(HandTest, BoardEdgeDecidesBetweenDroppingAndPuttingBack) {
    PickUp(0);
    Key(plat::vbKeyReturn);
    ClickScreen(167, Cy(0));  // beside the board: back to the tray
    EXPECT_EQ(nHeldPiece, -1);
    EXPECT_TRUE(tabInTray[0]);
    EXPECT_EQ(tabPieceOrient[0][0][2], 1);  // turning forgotten
    EXPECT_EQ(Screen().At(676, 156), form->pctBrique.Image.At(12, 12));
    PickUp(0);
    ClickScreen(168, Cy(2));  // X = 168 drops, on column 0
    EXPECT_EQ(nHeldPiece, -1);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(tabBoard[0][y], 0);
}

TEST_F(HandTest, PuttingBackGoesToTheOwnSlotFromAnywhereBesideTheBoard) {
    PickUp(1);
    MoveScreen(600, 300);
    ClickScreen(660, 200);  // over the I's slot
    EXPECT_EQ(nHeldPiece, -1);
    EXPECT_TRUE(tabInTray[1]);
    EXPECT_TRUE(tabInTray[0]);
    EXPECT_EQ(Screen().At(124, 60), form->pctBrique.Image.At(24 + 12, 12));
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32e.dat", "tessa32f.dat"}));
}

TEST_F(HandTest, ClicksDuringTheSoundOfAClickAreIgnored) {
    // Both presses are queued: the second arrives while the first plays its sound.
    host.MouseDown(*form, &form->pctEcran, 124, 60);
    host.MouseDown(*form, &form->pctEcran, Cx(1), Cy(2));
    Pump();
    EXPECT_EQ(nHeldPiece, 1);  // picked up, not dropped
    EXPECT_EQ(tabBoard[1][2], -1);
    EXPECT_EQ(Sounds().size(), 1u);
    EXPECT_FALSE(form->bBusy);
    // A key that turns, arriving during a drop's sound, is ignored too.
    host.MouseDown(*form, &form->pctEcran, Cx(1), Cy(2));
    host.KeyDown(*form, plat::vbKeyReturn);
    Pump();
    EXPECT_EQ(nHeldPiece, -1);
    EXPECT_EQ(tabBoard[1][2], 1);
    EXPECT_EQ(Sounds().size(), 2u);
}

TEST_F(HandTest, MenuOpenClickOnlyClosesTheMenu) {
    form->ShowMenu();
    ClickScreen(124, 60);
    EXPECT_FALSE(bMenuShown);
    EXPECT_EQ(nHeldPiece, -1);
    EXPECT_TRUE(Sounds().empty());
}

TEST_F(HandTest, TheDropOnTheLastEmptyCellFillsTheBoard) {
    // Everything but the I's row is already covered.
    for (int x = 0; x < 5; ++x)
        for (int y = 1; y < 5; ++y) tabBoard[x][y] = 9;
    PickUp(0);
    Key(plat::vbKeyReturn);
    // The victory sequence runs inside the click and ends the level.
    ClickScreen(Cx(2), Cy(0));
    EXPECT_TRUE(bBoardFull);
    EXPECT_FALSE(bLevelActive);
    EXPECT_TRUE(tabLevelDone[0]);
    EXPECT_FALSE(form->bBusy);
    EXPECT_TRUE(form->Enabled());
    EXPECT_EQ(Sounds().back(), "tessa32d.dat");
}
