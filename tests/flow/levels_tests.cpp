// The level loop of a saved game, and the menu panel.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/dialog_script.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class FlowTest : public ScriptedTest {
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

TEST_F(FlowTest, SavedGamePlaysItsUnsolvedLevelsInOrderAndSavesAfterEach) {
    OpenGame("#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n");
    PlayThrough();
    EXPECT_EQ(played, (std::vector<int>{0, 2}));
    EXPECT_EQ(fileWhenStarted.back(), "#TRUE#\r\n#TRUE#\r\n#FALSE#\r\n");
    EXPECT_EQ(ReadFile(saveDir / "jeu.pnt"), "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n");
    EXPECT_EQ(alerts, std::vector<std::string>{kAllSolvedMessage});
    EXPECT_EQ(B().tabBoard[12][5], 0);  // the last board stays on view with its name
    EXPECT_EQ(form->labNom.Caption(), "forme 3\r\n3 pièces #3");
}

TEST_F(FlowTest, FailedSaveTellsThePlayerAndPlayGoesOn) {
    OpenGame("#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n");
    DISK_FULL_PAST(8);  // the save cannot be written
    PlayThrough();
    EXPECT_EQ(played, (std::vector<int>{0}));
    EXPECT_EQ(alerts, (std::vector<std::string>{kSaveFailedMessage, kAllSolvedMessage}));
    EXPECT_EQ(ReadFile(saveDir / "jeu.pnt"), "#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n");
}

// Which entries show in each state: the menu key walk (keys tests).
TEST_F(FlowTest, OnlyTheBackgroundClosesThePanel) {
    for (int i = 0; i < 2; ++i) host.Click(*form, &form->imgMenu[0], 10, 10);  // the button does not close it
    Pump();
    EXPECT_TRUE(form->bMenuShown);
    host.Click(*form, nullptr, 650, 430);
    Pump();
    EXPECT_FALSE(form->pctMenu.Visible());
}

// The sad face and the cleared board are watched in the real window (e2e).
TEST_F(FlowTest, AbandonWaitsJustOverThreeSecondsAndClosesTheGame) {
    bool abandoned = false;
    double abandonedAt = 0;
    host.OnIdle = [&] {
        if (abandoned || host.Pending() || form->bBusy || !S().bLevelActive || !form->Enabled()) return;
        S().strGameName = "jeu.pnt";  // as in a saved game's level
        form->ShowMenu();
        host.Click(*form, &form->labMenu[2], 20, 10);
        abandonedAt = plat::Now();
        abandoned = true;
    };
    form->ShowMenu();
    host.Click(*form, &form->labMenu[3], 20, 10);
    Pump();
    host.OnIdle = nullptr;
    ASSERT_TRUE(abandoned);
    EXPECT_GT(plat::Now() - abandonedAt, 3.0);  // not a whole sleep more
    EXPECT_LT(plat::Now() - abandonedAt, 3.1);
    EXPECT_EQ(std::tuple(S().bLevelActive, S().strGameName, form->Enabled(), form->timerTete.Enabled()),
              std::tuple(false, "", true, true));  // the game is closed, unsaved
    EXPECT_FALSE(fs::exists(saveDir / "jeu.pnt"));
}
