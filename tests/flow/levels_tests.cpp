#include "tests/support/dialog_script.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class LevelLoopTest : public ScriptedTest {
protected:
    std::vector<int> played;
    std::vector<std::string> fileWhenStarted;

    void SetUp() override {
        GameTest::SetUp();
        // Three levels of one vertical I each: one pick-up and one drop solve them.
        std::string recs;
        for (int column : {2, 7, 12}) recs += MakeRecord({"B", "B", "B", "B", "B"}, 3, column);
        WritePack(dataDir / "tessa320.dat", recs);
        StartGame();
    }
    // Solves every level that comes, as a player would; alerts are answered.
    void PlayThrough() {
        Script({[this] {
            if (!S().bLevelActive || !form->Enabled()) return false;
            if (played.empty() || played.back() != S().nCurLevel) {
                played.push_back(S().nCurLevel);
                fileWhenStarted.push_back(ReadFile(saveDir / "jeu.pnt"));
            }
            int column = 0;
            for (int x = 0; x < 16; ++x) column = B().tabBoard[x][5] == -1 ? x : column;
            if (B().nHeldPiece == -1) host.Click(*form, &form->pctEcran, 676, 156);
            else host.Click(*form, &form->pctEcran, CellX(column) + 12, CellY(5) + 12);
            return false;  // never done: plays until the loop ends
        }});
        StartLevel(*form);
        host.OnIdle = nullptr;
    }
    void OpenGame(const std::string& progress) {
        WriteFile(saveDir / "jeu.pnt", progress);
        S().strGameName = "jeu.pnt";
        ASSERT_TRUE(LoadProgress(S()));
    }
};

}  // namespace

TEST_F(LevelLoopTest, SavedGamePlaysItsUnsolvedLevelsInOrderAndSavesAfterEach) {
    OpenGame("#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n");
    PlayThrough();
    EXPECT_EQ(played, (std::vector<int>{0, 2}));
    EXPECT_EQ(fileWhenStarted.back(), "#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n");
    EXPECT_EQ(ReadFile(saveDir / "jeu.pnt"), "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n");
    EXPECT_EQ(alerts, std::vector<std::string>{kAllSolvedMessage});
    EXPECT_EQ(B().tabBoard[12][5], 0);  // the last board stays on view with its name
    EXPECT_EQ(form->labNom.Caption(), "forme 3\r\n3 pièces #3");
}

TEST_F(LevelLoopTest, FailedSaveTellsThePlayerAndPlayGoesOn) {
    OpenGame("#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n");
    const FileSizeLimit diskFull(8);  // the save cannot be written
    PlayThrough();
    EXPECT_EQ(played, (std::vector<int>{0}));
    EXPECT_EQ(alerts, (std::vector<std::string>{kSaveFailedMessage, kAllSolvedMessage}));
    EXPECT_EQ(ReadFile(saveDir / "jeu.pnt"), "#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n");
}
