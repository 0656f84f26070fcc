// A solved board: the victory face and its wait; the hidden word.
#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class VictoryTest : public GameTest {
protected:
    void Begin(int n) {
        S().nCurLevel = n;
        form->SetUpLevel(n);
        S().bLevelActive = true;
        form->kvtUt.played.clear();
    }
};

}  // namespace

// The head, frame by frame at each sleep and after: the golden victory journey.
TEST_F(VictoryTest, FillingTheBoardWaitsWithInputIgnoredThenEndsTheLevel) {
    WritePack(dataDir / "tessa320.dat", MakeRecord({"B", "B", "B", "B", "B"}, 3, 7));
    StartGame();
    Begin(0);
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

TEST_F(VictoryTest, HiddenWordIsExactCaseSensitiveAndNeedsACleanStart) {
    StartGame();
    struct Case {
        const char* typed;
        bool on;
    };
    for (const Case& c : {Case{"VAZMEK", false}, {"vazmeK", false}, {"avazmek", false}, {" vazmek", true},
                          {"vazmek", false}}) {  // the typed text now holds more than the word
        form->kvtUt.played.clear();
        S().bShowSolution = false;
        host.Type(*form, c.typed);
        Pump();
        EXPECT_EQ(S().bShowSolution != 0, c.on) << c.typed;
        EXPECT_EQ(Sounds().size(), c.on ? 1u : 0u) << c.typed;
    }
    host.KeyDown(*form, plat::vbKeyReturn);  // Enter empties the typed text too
    host.Type(*form, "vazmek");
    Pump();
    EXPECT_TRUE(S().bShowSolution);
    EXPECT_EQ(form->strTyped, "vazmek");
}
