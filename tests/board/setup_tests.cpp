#include <cstring>

#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class SetUpTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        // Level 0: I, L and X (pieces 0, 2, 1) side by side. Level 1: codes
        // past the last piece ('N', 0x7f) lie outside the shape.
        std::string second = MakeRecord({"BBBBB"}, 4, 4);
        second[0] = 'N';
        second[1] = '\x7f';
        WritePack(dataDir / "tessa320.dat",
                  MakeRecord({"BDD.C", "B.DCCC", "B.D.C", "B.D", "B"}, 3, 5) + second);
        StartGame();
    }
    std::uint32_t Wood() const { return form->pctBrique.Image.At(384 + 12, 12); }
    std::uint32_t At(int x, int y) const { return form->pctEcran.Image.At(CellX(x) + 12, CellY(y) + 12); }
};

}  // namespace

TEST_F(SetUpTest, LaysOutTheShapeAndTheTrayInOneRefresh) {
    form->SetUpLevel(1);
    EXPECT_EQ(B().tabBoard[0][0], -2);
    EXPECT_EQ(B().tabBoard[1][0], -2);
    for (int p = 0; p < 12; ++p) EXPECT_EQ(B().tabInTray[p] != 0, p == 0) << p;
    const int presents = host.PresentCount(*form);
    form->SetUpLevel(0);
    EXPECT_EQ(host.PresentCount(*form), presents + 1);
    int shape = 0;
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) {
            shape += B().tabBoard[x][y] == -1;
            EXPECT_EQ(At(x, y), B().tabBoard[x][y] == -1 ? Wood() : form->backgroundPicture.At(CellX(x) + 12, CellY(y) + 36));
        }
    EXPECT_EQ(shape, 15);
    EXPECT_EQ(B().tabSolution[6][3], 2);
    for (int p = 0; p < 12; ++p) EXPECT_EQ(B().tabInTray[p] != 0, p <= 2) << p;
    EXPECT_EQ(Screen().At(676, 156), form->pctBrique.Image.At(12, 12));  // the I in colour
    EXPECT_EQ(Screen().At(44, 84), 0u);                                   // the N black
    // The same level again gives the same board; the spare row 16 stays untouched.
    const plat::Surface first = Screen();
    const auto board = B().tabBoard;
    form->SetUpLevel(0);
    EXPECT_TRUE(Screen() == first);
    EXPECT_EQ(board, B().tabBoard);
}

TEST_F(SetUpTest, SolutionDisplayShowsFromTheNextSetUpAndNotOnFreedCells) {
    form->SetUpLevel(0);
    S().bShowSolution = true;
    EXPECT_EQ(At(6, 3), Wood());  // not redrawn yet
    form->SetUpLevel(0);  // a cross in the colour of the piece the solution puts there (all cells: e2e_play)
    for (int d : {0, 11, 23}) EXPECT_EQ(Screen().At(CellX(6) + d, CellY(3) + 11), form->pctBrique.Image.At(48 + d, 24 + 11));
    S().bLevelActive = true;
    for (int y = 3; y < 8; ++y) B().tabBoard[5][y] = 0;
    form->TakeBackPiece(CellX(5) + 3, CellY(4) + 3);
    EXPECT_EQ(At(5, 5), Wood());
}

TEST_F(SetUpTest, TakingBackFreesEveryCellOfThePieceOnly) {
    form->SetUpLevel(0);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            if (B().tabSolution[x][y] == 2) B().tabBoard[x][y] = 2;  // the L on its cells
    B().tabInTray[2] = false;
    B().tabPieceOrient[2][4][4] = 3;  // not the catalogue orientation
    form->kvtUt.played.clear();
    form->TakeBackPiece(CellX(5) + 1, CellY(3) + 1);  // an empty cell and a cell outside: nothing
    form->TakeBackPiece(CellX(0) + 1, CellY(0) + 1);
    EXPECT_TRUE(Sounds().empty());
    form->TakeBackPiece(CellX(7) + 20, CellY(3) + 20);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32e.dat"}));
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) EXPECT_NE(B().tabBoard[x][y], 2);
    EXPECT_TRUE(B().tabInTray[2]);
    EXPECT_EQ(At(7, 3), Wood());
    // Back in its slot in the catalogue orientation; the grid keeps its turn.
    EXPECT_EQ(Screen().At(652, 36), form->pctBrique.Image.At(48 + 12, 12));
    EXPECT_EQ(Screen().At(724, 132), form->backgroundPicture.At(724, 156));
    EXPECT_EQ(B().tabPieceOrient[2][4][4], 3);
}
