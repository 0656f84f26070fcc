// The records file: what a text loads and keeps, what a solve changes, and the playing time a solve notes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/records.h"
#include "levels/shape_code.h"
#include "tests/support/dialog_script.h"

using namespace testing_support;

// Catches: a bad field let through (or a good one refused), a bad line taking
// others with it, a second line for a code overriding the first, a rewrite
// losing comments or bad lines, a slower time replacing the best.
TEST(Records, ContentsGiveRecordsAndRewritesKeepEveryOtherLine) {
    const std::string text =
        "# mine\n"
        "A1 5000 2 2026-01-31\n"
        "B2 700 1 2024-02-29\r\n"
        "\n"
        "C3 700 1 2023-02-29\n"      // no such day
        "D4 0 1 2026-01-01\n"        // no time
        "E-5 9 1 2026-01-01\n"       // not a code
        "F6 9 1 2026-01-01 x\n"      // a field too many
        "A1 1 1 2026-01-01\n";       // A1 again
    records::File f = records::Parse(text, "r");
    EXPECT_EQ(f.byCode.size(), 2u);
    EXPECT_EQ(f.byCode.at("A1"), (records::Record{5000, 2, {2026, 1, 31}}));
    EXPECT_EQ(f.byCode.at("B2"), (records::Record{700, 1, {2024, 2, 29}}));
    ASSERT_EQ(f.errors.size(), 5u);
    EXPECT_EQ(f.errors.front().rfind("r:5: ", 0), 0u) << f.errors.front();
    EXPECT_EQ(records::Text(f), text);

    records::NoteSolve(f, "A1", 6000, {2026, 12, 8});  // slower: counted only
    records::NoteSolve(f, "B2", 650, {2026, 12, 8});   // faster: the new best and its date
    records::NoteSolve(f, "G7", 42, {2026, 12, 8});    // new: last
    std::string want = text;
    want.replace(want.find("A1 5000 2"), 9, "A1 5000 3");
    want.replace(want.find("B2 700 1 2024-02-29\r"), 20, "B2 650 2 2026-12-08");
    EXPECT_EQ(records::Text(f), want + "G7 42 1 2026-12-08\n");
    EXPECT_EQ(records::ShownTime(3723999), "1:02:03");
    EXPECT_EQ(records::ShownTime(59999), "0:59");
}

namespace {

class PlayClockTest : public ScriptedTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        // Two levels of the same shape, a vertical I, in two places.
        WritePack(dataDir / "tessa320.dat",
                  MakeRecord({"B", "B", "B", "B", "B"}, 3, 2) + MakeRecord({"B", "B", "B", "B", "B"}, 3, 7));
        StartGame();
    }
    records::Record RecordOfTheI() {
        const auto f = records::Parse(ReadFile(root / "xdg" / "tessalor" / "records.txt"), "r");
        const auto at = f.byCode.find(modTessa::CodeOfRecord(modTessa::LevelRecord(S(), 0)));
        return at == f.byCode.end() ? records::Record{} : at->second;
    }
    // Plays each level that comes: `played` seconds of play, then `held`
    // seconds with a dialog open, then the I taken and dropped.
    double pausedAt = -1;  // the set-up time of the last level paused
    void Solve(int played, int held) {
        host.OnIdle = [=, this] {
            if (host.Pending()) return;
            if (Dialog* a = Shown("frmAlert")) {
                host.Sleep(held * 1000);
                return Press(*a, 0);
            }
            if (!S().bLevelActive || !form->Enabled()) return;
            if (pausedAt != S().dSetUpTime) {
                pausedAt = S().dSetUpTime;
                host.Sleep(played * 1000);
                return modTessa::ShowAlert("pause", form.get());
            }
            int column = 0;
            for (int x = 0; x < 16; ++x) column = B().tabBoard[x][5] == -1 ? x : column;
            if (B().nHeldPiece == -1) host.Click(*form, &form->pctEcran, 676, 156);
            else host.Click(*form, &form->pctEcran, CellX(column) + 12, CellY(5) + 12);
        };
    }
};

}  // namespace

// Catches: time in a dialog counted, the clock not started at set-up, a
// saved game's solves or a single shape's not noted, one shape in two places
// kept as two records, a single shape touching the saved game.
TEST_F(PlayClockTest, EverySolveNotesItsPlayingTimeLessTheTimeInDialogs) {
    WriteFile(saveDir / "jeu.pnt", "#FALSE#\r\n#FALSE#\r\n");
    S().strGameName = "jeu.pnt";
    ASSERT_TRUE(modTessa::LoadProgress(S()));
    Solve(20, 600);
    modTessa::StartLevel(*form);
    records::Record r = RecordOfTheI();
    EXPECT_EQ(r.times, 2u);
    EXPECT_GE(r.bestMillis, 20000u);
    EXPECT_LT(r.bestMillis, 21000u);

    levels::Level second;
    std::string error;
    ASSERT_TRUE(levels::FromRecord(modTessa::LevelRecord(S(), 1), second, error, true));
    const std::string saved = ReadFile(saveDir / "jeu.pnt");
    S().strGameName = "jeu.pnt";
    Solve(10, 5);
    modTessa::PlayShape(*form, second, 1);
    host.OnIdle = nullptr;
    r = RecordOfTheI();
    EXPECT_EQ(r.times, 3u);
    EXPECT_GE(r.bestMillis, 10000u);
    EXPECT_LT(r.bestMillis, 11000u);
    EXPECT_EQ(ReadFile(saveDir / "jeu.pnt"), saved);
    EXPECT_EQ(form->labNom.Caption(), "forme 2\r\n3 pièces #2");
}
