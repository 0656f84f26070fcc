#include <cstring>

#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

// "3 pieces" shape: I, L and X (pieces 0, 2, 1) side by side.
const std::vector<std::string> kThree = {
    "BDD.C",
    "B.DCCC",
    "B.D.C",
    "B.D",
    "B",
};

class SetUpTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        std::string second = MakeRecord({"BBBBB"}, 4, 4);
        second[0] = 'N';   // no such piece: outside
        second[1] = '\x7f';
        WritePack(dataDir / "tessa320.dat", MakeRecord(kThree, 3, 5) + second);
        StartGame();
    }
    std::uint32_t Wood() const { return form->pctBrique.Image.At(384 + 12, 12); }
};

}  // namespace

TEST_F(SetUpTest, LaysOutTheShapeAndTheTray) {
    const int presents = host.PresentCount(*form);
    SetUpLevel(0);
    EXPECT_EQ(host.PresentCount(*form), presents + 1);  // shown once, complete
    int shape = 0;
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) {
            if (tabBoard[x][y] == -1) {
                ++shape;
                EXPECT_EQ(Screen().At(CellX(x) + 12, CellY(y) + 12), Wood());
            } else {
                EXPECT_EQ(tabBoard[x][y], -2);
                EXPECT_EQ(Screen().At(CellX(x) + 12, CellY(y) + 12),
                          form->backgroundPicture.At(CellX(x) + 12, CellY(y) + 36));
            }
        }
    EXPECT_EQ(shape, 15);
    EXPECT_EQ(tabSolution[5][3], 0);
    EXPECT_EQ(tabSolution[6][3], 2);
    EXPECT_EQ(tabSolution[9][4], 1);
    EXPECT_LT(tabSolution[0][0], 0);
    for (int p = 0; p < 12; ++p) EXPECT_EQ(tabInTray[p] != 0, p <= 2) << p;
    // Pieces of the level in colour, the others black.
    EXPECT_EQ(Screen().At(664 + 12, 144 + 12), form->pctBrique.Image.At(12, 12));   // I
    EXPECT_EQ(Screen().At(32 + 12, 24 + 12 + 48), 0u);                                // N
}

TEST_F(SetUpTest, CodesPastTheLastPieceLieOutsideTheShape) {
    SetUpLevel(1);
    EXPECT_EQ(tabBoard[0][0], -2);
    EXPECT_EQ(tabBoard[1][0], -2);
    EXPECT_EQ(tabBoard[4][4], -1);
    for (int p = 1; p <= 12; ++p) EXPECT_FALSE(tabInTray[p]);
    EXPECT_TRUE(tabInTray[0]);
}

TEST_F(SetUpTest, RepeatedSetUpsGiveTheSameBoardAndLeaveTheSpareRowAlone) {
    SetUpLevel(1);
    SetUpLevel(0);
    const plat::Surface first = Screen();
    std::int16_t board[17][17];
    std::memcpy(board, tabBoard, sizeof board);
    SetUpLevel(0);
    EXPECT_TRUE(Screen() == first);
    EXPECT_EQ(std::memcmp(board, tabBoard, sizeof board), 0);
    for (int i = 0; i < 17; ++i) {
        EXPECT_EQ(tabBoard[16][i], 0);
        EXPECT_EQ(tabBoard[i][16], 0);
        EXPECT_EQ(tabSolution[16][i], 0);
    }
}

TEST_F(SetUpTest, SolutionDisplayShowsFromTheNextSetUpAndNotOnFreedCells) {
    SetUpLevel(0);
    bShowSolution = vbTrue;
    EXPECT_EQ(Screen().At(CellX(6) + 12, CellY(3) + 12), Wood());  // not redrawn yet
    SetUpLevel(0);
    const plat::Surface& tiles = form->pctBrique.Image;
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            if (tabBoard[x][y] == -1) {
                for (int d : {0, 11, 23})
                    EXPECT_EQ(Screen().At(CellX(x) + d, CellY(y) + 11),
                              tiles.At(24 * tabSolution[x][y] + d, 24 + 11));
            }
    // A piece taken back leaves plain wood.
    bLevelActive = vbTrue;
    for (auto [x, y] : {std::pair{5, 3}, {5, 4}, {5, 5}, {5, 6}, {5, 7}}) tabBoard[x][y] = 0;
    form->TakeBackPiece(CellX(5) + 3, CellY(4) + 3);
    EXPECT_EQ(Screen().At(CellX(5) + 12, CellY(5) + 12), Wood());
    EXPECT_TRUE(tabInTray[0]);
}

TEST_F(SetUpTest, TakingBackFreesEveryCellOfThePieceOnly) {
    SetUpLevel(0);
    // The L (piece 2) lies on its solution cells, in some other orientation.
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            if (tabSolution[x][y] == 2) tabBoard[x][y] = 2;
    tabInTray[2] = vbFalse;
    tabPieceOrient[2][0][0] = 0;
    tabPieceOrient[2][4][4] = 3;  // not the catalogue orientation
    form->kvtUt.played.clear();
    // An empty cell and a cell outside: nothing at all.
    form->TakeBackPiece(CellX(5) + 1, CellY(3) + 1);
    form->TakeBackPiece(CellX(0) + 1, CellY(0) + 1);
    EXPECT_TRUE(Sounds().empty());
    form->TakeBackPiece(CellX(7) + 20, CellY(3) + 20);  // a middle cell of the L
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32e.dat"}));
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) EXPECT_NE(tabBoard[x][y], 2);
    EXPECT_TRUE(tabInTray[2]);
    // Back in its slot in the catalogue orientation; the grid keeps its turn.
    EXPECT_EQ(Screen().At(640 + 12, 24 + 12), form->pctBrique.Image.At(48 + 12, 12));
    EXPECT_EQ(tabPieceOrient[2][4][4], 3);
}
