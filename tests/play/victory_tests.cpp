#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class VictoryTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat", MakeRecord({"B", "B", "B", "B", "B"}, 3, 7));
        StartGame();
        SetUpLevel(0);
        nCurLevel = 0;
        nHeldPiece = -1;
        bBoardFull = vbFalse;
        bLevelActive = vbTrue;
    }
    bool HeadShows(int frameX) const {
        for (int y = 0; y < 64; y += 2)
            for (int x = 0; x < 80; x += 2)
                if (form->pctTete.Image.At(x, y) != form->pctTeteBase.Image.At(frameX + x, y))
                    return false;
        return true;
    }
};

}  // namespace

TEST_F(VictoryTest, FillingTheBoardCelebratesThenEndsTheLevel) {
    ClickScreen(676, 156);  // the I into the hand
    double waitStart = 0;
    int ignored = 0;
    host.OnIdle = [&] {
        if (form->Enabled() || host.Pending()) return;
        // The wait after the bobbing: face up, window and head clock stopped.
        if (waitStart == 0) waitStart = plat::Now();
        EXPECT_TRUE(HeadShows(640));
        EXPECT_FALSE(form->timerTete.Enabled());
        EXPECT_TRUE(form->bBusy);
        ++ignored;
        host.Click(*form, &form->pctEcran, CellX(7) + 12, CellY(5) + 12);
        host.KeyDown(*form, plat::vbKeyReturn);
    };
    const double start = plat::Now();
    ClickScreen(CellX(7) + 12, CellY(5) + 12);
    host.OnIdle = nullptr;
    EXPECT_GT(ignored, 0);
    EXPECT_GE(waitStart - start, 1.6);       // eight bobs of 200 ms first
    EXPECT_GT(plat::Now() - waitStart, 3.0);  // then just over three seconds
    EXPECT_FALSE(bLevelActive);
    EXPECT_TRUE(tabLevelDone[0]);
    EXPECT_TRUE(form->Enabled());
    EXPECT_TRUE(form->timerTete.Enabled());
    EXPECT_FALSE(form->bBusy);
    // The solved board stays as it is.
    for (int y = 3; y < 8; ++y) EXPECT_EQ(tabBoard[7][y], 0);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32e.dat", "tessa32f.dat", "tessa32d.dat"}));
}

TEST_F(VictoryTest, TypedWordSwitchesTheSolutionDisplayOnOnce) {
    host.Type(*form, "vazmek");
    Pump();
    EXPECT_TRUE(bShowSolution);
    EXPECT_EQ(Sounds(), (std::vector<std::string>{"tessa32h.dat"}));
    host.Type(*form, "vazmek");  // the typed text now holds more than the word
    Pump();
    EXPECT_EQ(Sounds().size(), 1u);
}

TEST_F(VictoryTest, TypedWordNeedsACleanStart) {
    host.Type(*form, "avazmek");  // a letter of the word just before it
    Pump();
    EXPECT_FALSE(bShowSolution);
    host.KeyDown(*form, plat::vbKeyReturn);  // Enter empties the typed text
    host.Type(*form, "vazmek");
    Pump();
    EXPECT_TRUE(bShowSolution);
    EXPECT_EQ(form->strTyped, "vazmek");
}
