// Tests of the saved-game dialogs: naming, the chooser and deleting.
// SPDX-License-Identifier: GPL-3.0-or-later
#ifndef _WIN32
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "tests/support/dialog_script.h"

using namespace testing_support;
using namespace modTessa;

namespace {

std::string Lines(const char* line, int n = 40) {
    std::string s;
    for (int i = 0; i < n; ++i) s += line;
    return s;
}
const std::string kAllFalse = Lines("#FALSE#\r\n");

class SavedGamesTest : public ScriptedTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        InstallShippedPacks();
        StartGame();
    }
    // Names a new game in a fresh naming dialog and presses "Ok" until it
    // closes (with the field emptied after an alert); its result.
    std::string NameGame(const std::string& text) {
        auto d = std::make_unique<frmInput>(S(), form.get());
        bool pressed = false;
        RunModal(*d, {WhenShown(*d, [&] { d->txtNom.SetText(text); }), [&] {
                          if (pressed) d->txtNom.SetText("");
                          pressed = true;
                          Press(*d, 0);
                          return false;
                      }});
        d->Unload();
        return d->Result.value_or("");
    }
    // A step that waits for the chooser, then presses one of its buttons.
    std::function<bool()> Choose(int button) {
        return On("frmChoix", [this, button](Dialog& d) { Press(d, button); });
    }
};

}  // namespace

TEST_F(SavedGamesTest, NamingCreatesALowerCaseGameOrSaysWhyNot) {
    WriteFile(saveDir / "toto.pnt", "#TRUE#\r\n");
    WriteFile(saveDir / "élodie.pnt", "#TRUE#\r\n");
    fs::create_directory(saveDir / "tard.pnt");  // not a game the list shows, yet taken
    const std::string taken = kNameTakenMessage;
    struct Case {
        std::string text, tag, alert;
    };
    std::vector<Case> cases = {{"  Ma Partie  ", "ma partie.pnt", ""}, {"a.b", "a.b.pnt", ""}, {"   ", "", ""},
                               {"TOTO", "", taken}, {"MA PARTIE", "", taken} /* made a moment ago */, {"tard", "", taken},
                               {"console", "console.pnt", ""}, {"com10", "com10.pnt", ""}, {"lpt", "lpt.pnt", ""}};
    for (const char* text : {"../x", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", ".", "..", ".cache",
                             "a\tb", "a\x7f" "b", "con", "NUL", "Aux.txt", "prn.a.b", "com1", "COM9", "lpt1.pnt", "Lpt9"})
        cases.push_back({text, "", kBadNameMessage});
    std::set<std::string> games = Names(saveDir);
    for (const Case& c : cases) {
        alerts.clear();
        EXPECT_EQ(NameGame(c.text), c.tag) << c.text;
        EXPECT_EQ(alerts, c.alert.empty() ? std::vector<std::string>{} : std::vector{c.alert}) << c.text;
        if (!c.tag.empty()) {
            EXPECT_EQ(ReadFile(saveDir / *games.insert(c.tag).first), kAllFalse);
        }
        EXPECT_EQ(Names(saveDir), games) << c.text;
    }
    EXPECT_FALSE(fs::exists(saveDir.parent_path() / "x.pnt"));
    EXPECT_EQ(ReadFile(saveDir / "toto.pnt"), "#TRUE#\r\n");
    alerts.clear();  // a new game that cannot be written leaves no file
    {
        DISK_FULL_PAST(100);
        EXPECT_EQ(NameGame("plein"), "");
    }
    EXPECT_EQ(alerts, std::vector<std::string>{kSaveFailedMessage});
    EXPECT_EQ(Names(saveDir), games);
    fs::remove_all(saveDir.parent_path());  // the save folder went away: made again
    EXPECT_EQ(NameGame("retour"), "retour.pnt");
    EXPECT_EQ(ReadFile(saveDir / "retour.pnt"), kAllFalse);
}

TEST_F(SavedGamesTest, ChooserListsGamesArrowsStepBySixAndOkReturnsTheChosen) {
    const auto game = [&](int i) { return saveDir / ("p" + std::to_string(i) + ".pnt"); };
    for (int i = 10; i < 30; ++i) WriteFile(game(i), "");
    auto d = std::make_unique<frmChoix>(S(), form.get());
    std::vector<std::pair<int, int>> selected;  // the entry selected and the top row shown
    // Any button works an arrow; the list's own keys and clicks move the selection too.
    const auto arrow = [&](int i) {
        return WhenShown(*d, [&, i] { host.Click(*d, &d->Image1[i], 12, 12, i ? plat::vbLeftButton : plat::vbRightButton); });
    };
    const auto key = [&](int k) { return WhenShown(*d, [&, k] { host.KeyDown(*d, k); }); };
    const auto row = [&](int r) { return WhenShown(*d, [&, r] { host.Click(*d, &d->lstFile, 20, 18 * r + 3); }); };
    const auto note = [&] { selected.emplace_back(d->lstFile.ListIndex(), d->lstFile.TopIndex()); return true; };
    RunModal(*d, {WhenShown(*d, [&] {
                      EXPECT_EQ(d->lstFile.List(0), "p10");
                      EXPECT_EQ(d->FocusedControl(), &d->lstFile);
                      EXPECT_EQ(d->lstFile.VisibleRows(), 6);
                  }),
                  note, row(2), note, key(plat::vbKeyEnd), note, key(plat::vbKeyHome), note, key(plat::vbKeyDown), note,
                  arrow(1), note, arrow(1), note, arrow(1), note, arrow(0), note,
                  [&] {
                      // Games deleted behind its back move the list's end in.
                      for (int i = 10; i < 30; ++i) if (i != 15) fs::remove(game(i));
                      host.KeyDown(*d, plat::vbKeyDelete, 1);  // Shift+Delete on p23
                      return true;
                  },
                  On("frmMess", [&](Dialog& q) { Press(q, 0); }),
                  arrow(1), row(1) /* below the last: no change */, note, [&] { Press(*d, 0); return true; }});
    EXPECT_EQ(selected, (std::vector<std::pair<int, int>>{
                            {0, 0}, {2, 0}, {19, 14}, {0, 0}, {1, 0}, {12, 7}, {18, 13}, {19, 14}, {13, 13}, {0, 0}}));
    EXPECT_EQ(d->Result, "p15.pnt");
}

TEST_F(SavedGamesTest, DeleteAsksAndOnlyOuiRemovesTheFile) {
    WriteFile(saveDir / "ma partie.pnt", "#TRUE#\r\n");
    WriteFile(saveDir / "zut.pnt", "#TRUE#\r\n");
    // How the question is answered, and whether the game is gone after.
    struct Case {
        std::function<void(Dialog&)> answer;
        bool removed;
    } cases[] = {{[&](Dialog& q) { Press(q, 1); }, false}, {[&](Dialog& q) { host.CloseRequest(q); }, false},
                 {[&](Dialog& q) { Press(q, 0); }, true}};
    for (const Case& c : cases) {
        const bool removed = c.removed;
        auto d = std::make_unique<frmChoix>(S(), form.get());
        std::string question;
        const int beeps = host.beeps;
        RunModal(*d, {WhenShown(*d, [&] { host.KeyDown(*d, plat::vbKeyDelete); }),
                      On("frmMess", [&](Dialog& q) { question = q.Label1.Caption(); c.answer(q); }),
                      [&] { Press(*d, 0); return true; },
                      [&] { Press(*d, 1); return true; }});  // nothing chosen after a deletion
        EXPECT_EQ(question, "ma partie\r\nVoulez-vous supprimer ce fichier ?");
        EXPECT_EQ(fs::exists(saveDir / "ma partie.pnt"), !removed);
        EXPECT_EQ(d->lstFile.ListCount(), removed ? 1 : 2);
        EXPECT_EQ(d->Result.value_or(""), removed ? "" : "ma partie.pnt");
        EXPECT_EQ(host.beeps - beeps, removed ? 1 : 0);
        d->Unload();
    }
    EXPECT_TRUE(fs::exists(saveDir / "zut.pnt"));
    // An empty chooser, not even a save folder, only cancels.
    fs::remove_all(saveDir);
    auto d = std::make_unique<frmChoix>(S(), form.get());
    const int beeps = host.beeps;
    RunModal(*d, {WhenShown(*d, [&] {
                      for (int i : {1, 0}) host.Click(*d, &d->Image1[i], 12, 12);
                      host.KeyDown(*d, plat::vbKeyDelete);
                      Press(*d, 0);
                  }),
                  [&] {
                      EXPECT_EQ(d->lstFile.ListIndex(), -1);
                      EXPECT_EQ(Shown("frmMess"), nullptr);
                      EXPECT_EQ(host.beeps - beeps, 1);
                      Press(*d, 1);
                      return true;
                  }});
    EXPECT_EQ(d->Result, std::nullopt);
}

TEST_F(SavedGamesTest, MenuLoadOfASolvedGameOrNothingStartsNoLevel) {
    const std::string allTrue = Lines("#TRUE#\r\n");
    WriteFile(saveDir / "fini.pnt", allTrue);
    Script({Choose(0)});
    form->labMenu_Click(1);
    EXPECT_EQ(alerts, std::vector<std::string>{kAllSolvedMessage});
    EXPECT_EQ(S().strGameName, "fini.pnt");
    S().tabLevelDone[3] = true;
    Script({Choose(1)});  // cancelled: the game closes, the table stays
    form->labMenu_Click(1);
    EXPECT_EQ(S().strGameName, "");
    EXPECT_EQ(S().tabLevelDone[3], true);
    // Without levels no command opens its dialog or starts a level.
    S().nLevelCount = 0;
    alerts.clear();
    Script({});
    for (int command : {0, 1, 3}) form->labMenu_Click(command);
    EXPECT_EQ(alerts, std::vector<std::string>(3, kNoLevelsMessage));
    EXPECT_FALSE(S().bLevelActive);
    EXPECT_EQ(ReadFile(saveDir / "fini.pnt"), allTrue);
}

TEST_F(SavedGamesTest, AGameThatCannotBeReadIsRefusedAndKeptAsItIs) {
    SKIP_ON_WINDOWS("a file made unreadable by its mode, read as nobody through setfsuid");
#ifndef _WIN32
    const std::string bytes = "#TRUE#\r\n#TRUE#\r\n";
    WriteFile(saveDir / "verrou.pnt", bytes);
    chmod((saveDir / "verrou.pnt").c_str(), 0);
    const bool root = geteuid() == 0;  // permission bits do not stop root: read as nobody
    Script({[&] { return !root || setfsuid(65534) >= 0; }, Choose(0),
            [&] { return !root || setfsuid(0) >= 0; }, Choose(1)});
    form->labMenu_Click(1);
    EXPECT_EQ(alerts, std::vector<std::string>{kUnreadableGameMessage});
    EXPECT_FALSE(S().bLevelActive);
    EXPECT_EQ(S().strGameName, "");
    chmod((saveDir / "verrou.pnt").c_str(), 0644);
    EXPECT_EQ(ReadFile(saveDir / "verrou.pnt"), bytes);
#endif
}
