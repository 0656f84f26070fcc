// The hand on screen: what a click picks or drops, what the drag paints,
// which keys and buttons turn, the guards of the sound call; the solved board.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class HandTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat", AllPiecesRecord());
        StartGame();
        BeginLevel();
    }
    void Hold(int p) {
        TakeFromTray(p);
        ASSERT_EQ(B().nHeldPiece, p);
    }
    static constexpr int kMid = geometry::kCell / 2;  // from a cell's corner to its middle
    std::uint32_t Tile(int p) const { return form->pctBrique.Image.At(geometry::kCell * p + kMid, kMid); }
    std::uint32_t Clean(int x, int y) const { return form->Picture.At(x, y + geometry::kPlayAreaTop); }
    static int Cx(int column) { return CellX(column) + kMid; }
    static int Cy(int row) { return CellY(row) + kMid; }
};

}  // namespace

TEST_F(HandTest, EachTraySlotPicksItsOwnPieceToItsEdgesInclusive) {
    // Pick rectangles, both bounds inclusive: x1, x2, y1, y2 and the piece. The
    // pixel literals are what is checked (not geometry::kTrayRects restated).
    struct Slot {
        int x1, x2, y1, y2, piece;
    };
    for (const Slot& r : {Slot{32, 80, 24, 120, 3}, {32, 80, 144, 240, 6}, {32, 80, 264, 336, 5},
                          {88, 160, 24, 96, 1}, {88, 160, 144, 216, 11}, {88, 160, 264, 336, 10},
                          {560, 632, 24, 96, 8}, {560, 632, 144, 216, 9}, {560, 632, 288, 360, 7},
                          {640, 688, 24, 120, 2}, {640, 688, 144, 264, 0}, {640, 688, 288, 360, 4}}) {
        for (auto [x, y] : {std::pair{r.x1, r.y1}, {r.x2, r.y2}, {r.x1, r.y2}, {r.x2, r.y1}})
            EXPECT_EQ(form->FindTrayPiece(static_cast<float>(x), static_cast<float>(y)), r.piece) << x << "," << y;
        for (auto [x, y] : {std::pair{r.x1 - 1, r.y1}, {r.x2 + 1, r.y2}, {r.x1, r.y1 - 1}, {r.x2, r.y2 + 1}})
            EXPECT_EQ(form->FindTrayPiece(static_cast<float>(x), static_cast<float>(y)), rules::kNoPiece) << x << "," << y;
    }
}

TEST_F(HandTest, ClicksThatTakeNothingAreSilent) {
    B().tabInTray[3] = false;  // N lies elsewhere: its slot is a silhouette
    for (auto [x, y] : {std::pair{44, 60}, {20, 200}, {167, 100}, {168, 100}}) ClickScreen(x, y);
    EXPECT_EQ(B().nHeldPiece, -1);
    EXPECT_TRUE(Sounds().empty());
    form->ShowMenu();  // with the menu open a click only closes it
    ClickScreen(124, 60);
    EXPECT_FALSE(form->bMenuShown);
    EXPECT_EQ(B().nHeldPiece, -1);
}

// The dragged image itself, frame by frame: the golden journeys.
TEST_F(HandTest, DraggingKeepsTheOuterStripsClean) {
    Hold(0);
    EXPECT_EQ(form->pctEcran.MousePointer(), plat::Cursor::Invisible);
    const int presents = host.PresentCount(*form);
    MoveScreen(300, 200);
    EXPECT_EQ(host.PresentCount(*form), presents + 1);
    MoveScreen(20, 100);  // the I covers x 8..31; the strip hides 8..23
    EXPECT_EQ(Screen().At(20, 100), Clean(20, 100));
    EXPECT_EQ(Screen().At(28, 100), Tile(0));
    EXPECT_EQ(Screen().At(300, 150), Clean(300, 150));  // the old image is gone
    ClickScreen(20, 100);  // put back; moves with an empty hand draw nothing
    const plat::Surface after = Screen();
    MoveScreen(400, 100);
    EXPECT_TRUE(Screen() == after);
}

TEST_F(HandTest, DropPaintsThePieceAndLeavesNoSliverOfItsImage) {
    // A misfit is silent; a turned I hangs its dragged image past the board's left edge.
    Hold(0);
    Key(plat::vbKeyReturn);
    ClickScreen(Cx(8), Cy(8));
    EXPECT_EQ(B().nHeldPiece, 0);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32e.dat", "tessa32g.dat"}));
    MoveScreen(CellX(2) + 1, Cy(0));
    ASSERT_EQ(Screen().At(165, 12), Tile(0));
    ClickScreen(CellX(2) + 1, Cy(0));
    for (int x = 0; x < 5; ++x) EXPECT_EQ(Screen().At(Cx(x), Cy(0)), Tile(0)) << x;
    for (int x = 157; x < 168; ++x) EXPECT_EQ(Screen().At(x, 12), Clean(x, 12)) << "sliver at " << x;
    EXPECT_EQ(Sounds().back(), "tessa32f.dat");
    EXPECT_EQ(form->pctEcran.MousePointer(), plat::Cursor::Hand);
}

TEST_F(HandTest, BoardEdgeDecidesBetweenDroppingAndPuttingBack) {
    // The put-back in the real window: e2e play.sh; its sound: the keys tests.
    Hold(0);
    ClickScreen(167, Cy(0));  // beside the board, over no slot: back to its own slot
    EXPECT_TRUE(B().tabInTray[0]);
    Hold(0);
    ClickScreen(168, Cy(2));  // X = 168 drops, on column 0
    for (int y = 0; y < 5; ++y) EXPECT_EQ(B().tabBoard[0][y], 0);
    ClickScreen(168, Cy(2));  // but taking off starts at 169
    EXPECT_EQ(B().tabBoard[0][2], 0);
    ClickScreen(169, Cy(2));
    EXPECT_EQ(B().tabBoard[0][2], rules::Empty);
}

TEST_F(HandTest, InputDuringAClickSoundIsIgnored) {
    // Both presses are queued: the second arrives while the first plays its sound.
    host.MouseDown(*form, &form->pctEcran, 124, 60);
    host.MouseDown(*form, &form->pctEcran, Cx(1), Cy(2));
    Pump();
    EXPECT_EQ(B().nHeldPiece, 1);
    EXPECT_EQ(B().tabBoard[1][2], -1);
    host.MouseDown(*form, &form->pctEcran, Cx(1), Cy(2));
    host.KeyDown(*form, plat::vbKeyReturn);  // would turn the X during the drop
    Pump();
    EXPECT_EQ(B().tabBoard[1][2], 1);
    EXPECT_EQ(Sounds().size(), 2u);
    EXPECT_FALSE(form->bBusy);
}

using VictoryTest = GameTest;

// The head, frame by frame at each sleep and after: the golden new-game journey.
TEST_F(VictoryTest, FillingTheBoardWaitsWithInputIgnoredThenEndsTheLevel) {
    WritePack(dataDir / "tessa320.dat", MakeRecord({"B", "B", "B", "B", "B"}, 3, 7));
    StartGame();
    BeginLevel();
    ClickScreen(676, 156);  // the I into the hand
    double waitStart = 0;
    int ignored = 0;
    host.OnIdle = [&] {
        if (form->Enabled() || host.Pending()) return;
        if (waitStart == 0) waitStart = plat::Now();
        EXPECT_FALSE(form->timerTete.Enabled());
        ++ignored;  // input in the wait does nothing
        host.Click(*form, &form->pctEcran, CellX(7) + 12, CellY(5) + 12);
        host.KeyDown(*form, plat::vbKeyReturn);
    };
    ClickScreen(CellX(7) + 12, CellY(5) + 12);
    host.OnIdle = nullptr;
    EXPECT_GT(ignored, 0);
    EXPECT_GT(plat::Now() - waitStart, 3.0);
    EXPECT_FALSE(S().bLevelActive);
    EXPECT_TRUE(S().tabLevelDone[0]);
    EXPECT_TRUE(form->Enabled());
    EXPECT_TRUE(form->timerTete.Enabled());
    EXPECT_FALSE(form->bBusy);
    for (int y = 3; y < 8; ++y) EXPECT_EQ(B().tabBoard[7][y], 0);  // the solved board stays
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32e.dat", "tessa32f.dat", "tessa32d.dat"}));
}
