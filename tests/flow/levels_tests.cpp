#include "tests/support/game_fixture.h"
#include "ui/dialogs.h"

using namespace testing_support;
using namespace modTessa;

namespace {

// One vertical I: solved by one pick-up and one drop.
std::string OnePieceLevel(int column) {
    return MakeRecord({"B", "B", "B", "B", "B"}, 3, column);
}

class LevelLoopTest : public GameTest {
protected:
    std::vector<int> played;
    std::vector<std::string> fileWhenStarted;

    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat", OnePieceLevel(2) + OnePieceLevel(7) + OnePieceLevel(12));
        StartGame();
    }
    // Solves every level that comes, as a player would.
    void SolveEverything() {
        host.OnIdle = [this] {
            if (!bLevelActive || !form->Enabled() || host.Pending()) return;
            if (played.empty() || played.back() != nCurLevel) {
                played.push_back(nCurLevel);
                fileWhenStarted.push_back(ReadFile(saveDir / "jeu.pnt"));
            }
            if (nHeldPiece == -1) {
                host.Click(*form, &form->pctEcran, 676, 156);
                return;
            }
            int column = 0;
            for (int x = 0; x < 16; ++x)
                if (tabBoard[x][5] == -1) column = x;
            host.Click(*form, &form->pctEcran, CellX(column) + 12, CellY(5) + 12);
        };
    }
};

}  // namespace

TEST_F(LevelLoopTest, SavedGamePlaysItsUnsolvedLevelsInOrderAndSavesAfterEach) {
    WriteFile(saveDir / "jeu.pnt", "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n");
    strGameName = "jeu.pnt";
    ASSERT_TRUE(LoadProgress());
    SolveEverything();
    std::string alert;
    host.OnIdle = [inner = host.OnIdle, this, &alert] {
        // The all-solved message ends the run: answer it with its button.
        for (plat::Form* f : plat::Runtime::Get().Forms())
            if (f->Name == "frmAlert" && f->Visible() && !host.Pending()) {
                alert = static_cast<frmAlert*>(f)->Label1.Caption();
                host.Click(*f, nullptr, 84 + 10, 131 + 5);
                return;
            }
        inner();
    };
    StartLevel();
    host.OnIdle = nullptr;
    EXPECT_EQ(played, (std::vector<int>{0, 2}));
    ASSERT_EQ(fileWhenStarted.size(), 2u);
    EXPECT_EQ(fileWhenStarted[1], "#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n");
    EXPECT_EQ(ReadFile(saveDir / "jeu.pnt"), "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n");
    EXPECT_EQ(alert, kAllSolvedMessage);
    // The last board stays on view with its name.
    EXPECT_EQ(tabBoard[12][5], 0);
    EXPECT_EQ(form->labNom.Caption(), "forme 3\r\n3 pièces #3");
    EXPECT_EQ(strGameName, "jeu.pnt");
}

TEST_F(LevelLoopTest, RandomShapeIsClearedAfterItIsSolved) {
    Randomize(7);
    const double r = Rnd();
    Randomize(7);
    SolveEverything();
    StartLevel();
    host.OnIdle = nullptr;
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0], static_cast<int>(r * 3));
    EXPECT_TRUE(tabLevelDone[static_cast<size_t>(played[0])]);
    EXPECT_FALSE(fs::exists(saveDir / "jeu.pnt"));
    // Bare background and all twelve pieces in colour.
    for (int x = 0; x < 16; ++x)
        EXPECT_EQ(Screen().At(CellX(x) + 12, CellY(5) + 12),
                  form->backgroundPicture.At(CellX(x) + 12, CellY(5) + 36));
    EXPECT_EQ(Screen().At(44, 36 + 48), form->pctBrique.Image.At(3 * 24 + 12, 12));
    EXPECT_EQ(form->pctEcran.MousePointer(), plat::Cursor::Default);
}

TEST_F(LevelLoopTest, LevelStartsWithTheHandEmptyAndItsNameShown) {
    strGameName = "jeu.pnt";
    tabLevelDone[0] = vbTrue;
    nHeldPiece = 4;
    host.OnIdle = [this] {
        EXPECT_EQ(nHeldPiece, -1);
        EXPECT_FALSE(bBoardFull);
        EXPECT_EQ(form->labNom.Caption(), "forme 2\r\n3 pièces #2");
        EXPECT_EQ(form->pctEcran.MousePointer(), plat::Cursor::Hand);
        EXPECT_TRUE(form->Enabled());
        bLevelActive = vbFalse;  // leave as the abandon command does
    };
    StartLevel();
    host.OnIdle = nullptr;
    EXPECT_EQ(nCurLevel, 1);
    EXPECT_FALSE(fs::exists(saveDir / "jeu.pnt"));  // an unsolved level is not saved
}

TEST_F(LevelLoopTest, NoLevelsMeansNothingStarts) {
    nLevelCount = 0;
    int idle = 0;
    host.OnIdle = [&] { ++idle; };
    StartLevel();
    host.OnIdle = nullptr;
    EXPECT_EQ(idle, 0);
    EXPECT_FALSE(bLevelActive);
}

TEST_F(LevelLoopTest, FailedSaveTellsThePlayerAndPlayGoesOn) {
    WriteFile(saveDir / "jeu.pnt", "#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n");
    strGameName = "jeu.pnt";
    ASSERT_TRUE(LoadProgress());
    SolveEverything();
    const FileSizeLimit diskFull(8);
    std::vector<std::string> alerts;
    host.OnIdle = [inner = host.OnIdle, this, &alerts] {
        for (plat::Form* f : plat::Runtime::Get().Forms())
            if (f->Name == "frmAlert" && f->Visible() && !host.Pending()) {
                alerts.push_back(static_cast<frmAlert*>(f)->Label1.Caption());
                host.Click(*f, nullptr, 84 + 10, 131 + 5);
                return;
            }
        inner();
    };
    StartLevel();
    host.OnIdle = nullptr;
    EXPECT_EQ(played, (std::vector<int>{0}));
    EXPECT_EQ(alerts, (std::vector<std::string>{kSaveFailedMessage, kAllSolvedMessage}));
    EXPECT_EQ(ReadFile(saveDir / "jeu.pnt"), "#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n");
}
