// A solved board: the victory, the hidden word, and whole levels played through.
#include <algorithm>

#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class VictoryTest : public GameTest {
protected:
    void Begin(int n) {
        S().nCurLevel = n;
        form->SetUpLevel(n);
        B().nHeldPiece = -1;
        B().bBoardFull = false;
        S().bLevelActive = true;
        form->kvtUt.played.clear();
    }
    bool HeadShowsVictoryFace() const {
        for (int y = 0; y < 64; y += 2)
            for (int x = 0; x < 80; x += 2)
                if (form->pctTete.Image.At(x, y) != form->pctTeteBase.Image.At(640 + x, y)) return false;
        return true;
    }
    // Plays the level's reference solution with the mouse and the keys.
    void PlayReferenceSolution(int n);
};

using Cells = std::vector<std::pair<int, int>>;  // (column, row), sorted

Cells Normalised(Cells cells) {
    std::sort(cells.begin(), cells.end());
    for (size_t i = cells.size(); i-- > 0;) {
        cells[i].first -= cells[0].first;
        cells[i].second -= cells[0].second;
    }
    return cells;
}

void VictoryTest::PlayReferenceSolution(int n) {
    Begin(n);
    for (int p = 0; p < 12; ++p) {
        Cells target;
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y)
                if (B().tabSolution[x][y] == p) target.emplace_back(x, y);
        if (target.empty()) continue;
        std::sort(target.begin(), target.end());
        TakeFromTray(p);
        ASSERT_EQ(B().nHeldPiece, p);
        // Try the eight orientations the keys give until the held grid matches.
        bool placed = false;
        for (int k = 0; k < 8 && !placed; ++k) {
            if (k) Key(k == 4 ? plat::vbKeySpace : plat::vbKeyReturn);
            Cells cells;
            for (int r = 0; r < 5; ++r)
                for (int c = 0; c < 5; ++c)
                    if (B().tabPieceOrient[p][r][c]) cells.emplace_back(c, r);
            if (Normalised(cells) != Normalised(target)) continue;
            std::sort(cells.begin(), cells.end());
            // The box centre (2, 2) lands on the cell under the click.
            const int cx = 2 + target[0].first - cells[0].first, cy = 2 + target[0].second - cells[0].second;
            MoveScreen(CellX(cx) + 12, CellY(cy) + 12);
            ClickScreen(CellX(cx) + 12, CellY(cy) + 12);
            placed = B().nHeldPiece == -1;
        }
        ASSERT_TRUE(placed) << "level " << n << " piece " << p;
    }
}

}  // namespace

TEST_F(VictoryTest, FillingTheBoardBobsTheHeadEightTimesWaitsThenEndsTheLevel) {
    WritePack(dataDir / "tessa320.dat", MakeRecord({"B", "B", "B", "B", "B"}, 3, 7));
    StartGame();
    Begin(0);
    ClickScreen(676, 156);  // the I into the hand
    // While it sleeps the program shows the shrunk face, then the full one.
    std::vector<bool> fullFaceAtSleep;
    host.OnSleep = [&](int ms) {
        EXPECT_EQ(ms, 100);
        fullFaceAtSleep.push_back(HeadShowsVictoryFace());
    };
    double waitStart = 0;
    int ignored = 0;
    host.OnIdle = [&] {
        if (form->Enabled() || host.Pending()) return;
        if (waitStart == 0) waitStart = plat::Now();
        EXPECT_TRUE(HeadShowsVictoryFace());
        EXPECT_FALSE(form->timerTete.Enabled());
        ++ignored;  // input in the wait does nothing
        host.Click(*form, &form->pctEcran, CellX(7) + 12, CellY(5) + 12);
        host.KeyDown(*form, plat::vbKeyReturn);
    };
    ClickScreen(CellX(7) + 12, CellY(5) + 12);
    host.OnIdle = nullptr;
    host.OnSleep = nullptr;
    std::vector<bool> bobs;
    for (int i = 0; i < 8; ++i) bobs.insert(bobs.end(), {false, true});
    EXPECT_EQ(fullFaceAtSleep, bobs);
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

TEST_F(VictoryTest, ShippedLevelsAreSolvedByTheirReferenceSolutions) {
    InstallShippedPacks();
    StartGame();
    ASSERT_EQ(S().nLevelCount, 40);
    for (int n : {0, 12, 26}) {
        PlayReferenceSolution(n);
        EXPECT_TRUE(B().bBoardFull) << n;
        EXPECT_FALSE(S().bLevelActive);
        EXPECT_TRUE(S().tabLevelDone[static_cast<size_t>(n)]);
        EXPECT_EQ(Sounds().back(), "tessa32d.dat");
        for (int x = 0; x < 16; ++x)
            for (int y = 0; y < 16; ++y)
                if (B().tabSolution[x][y] >= 0) {
                    EXPECT_EQ(B().tabBoard[x][y], B().tabSolution[x][y]);
                }
    }
}
