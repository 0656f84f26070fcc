#include <functional>
#include <set>

#include "tests/support/game_fixture.h"
#include "platform/text.h"
#include "ui/dialogs.h"

using namespace testing_support;
using namespace modTessa;

namespace {

const std::string kAllFalse = [] {
    std::string s;
    for (int i = 0; i < 40; ++i) s += "#FALSE#\r\n";
    return s;
}();

class SavedGamesTest : public GameTest {
protected:
    std::vector<std::string> alerts;  // every alert shown, answered with its button

    void SetUp() override {
        GameTest::SetUp();
        InstallShippedPacks();
        StartGame();
    }
    template <class D = Dialog>
    D* Shown(const std::string& name) {
        for (plat::Form* f : plat::Runtime::Get().Forms())
            if (f->Name == name && f->Visible()) return static_cast<D*>(f);
        return nullptr;
    }
    // Runs the steps in turn whenever the host runs dry; a step that returns
    // false is tried again later. Alerts are answered first.
    void Script(std::vector<std::function<bool()>> steps) {
        auto left = std::make_shared<std::vector<std::function<bool()>>>(std::move(steps));
        host.OnIdle = [this, left] {
            if (host.Pending()) return;
            if (Dialog* a = Shown("frmAlert")) {
                alerts.push_back(a->Label1.Caption());
                host.Click(*a, a->lbBout[0].get(), 10, 5);
            } else if (!left->empty() && left->front()()) {
                left->erase(left->begin());
            }
        };
    }
    std::set<std::string> Games() const {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(saveDir)) names.insert(e.path().filename());
        return names;
    }
    void Press(Dialog& d, int button) { host.Click(d, d.lbBout[static_cast<size_t>(button)].get(), 10, 5); }
    // Names a new game in a fresh naming dialog; its result.
    std::string NameGame(const std::string& text, bool typed = false) {
        auto d = std::make_unique<frmInput>();
        bool pressed = false;
        Script({[&] {
            if (!host.IsShown(*d)) return false;
            if (typed) host.Type(*d, text);
            else d->txtNom.SetText(text);
            return true;
        }, [&] {
            if (pressed) {  // still open after an alert: leave it without a name
                d->txtNom.SetText("");
            }
            pressed = true;
            Press(*d, 0);
            return false;
        }});
        d->ShowModal();
        host.OnIdle = nullptr;
        std::string tag = d->Tag;
        d->Unload();
        return tag;
    }
};

}  // namespace

TEST_F(SavedGamesTest, NamingCreatesALowerCaseGameOrSaysWhyNot) {
    WriteFile(saveDir / "toto.pnt", "#TRUE#\r\n");
    WriteFile(saveDir / "élodie.pnt", "#TRUE#\r\n");
    fs::create_directory(saveDir / "tard.pnt");  // not a game the list shows, yet taken
    const std::string bad = kBadNameMessage, taken = kNameTakenMessage;
    struct Case {
        std::string text, tag, alert;
    } cases[] = {
        {"  Ma Partie  ", "ma partie.pnt", ""},
        {"ÉCOLE ÀÇŒ Я", "école àçœ я.pnt", ""},
        {"a.b", "a.b.pnt", ""},
        {"   ", "", ""},
        {"TOTO", "", taken},
        {"Élodie", "", taken},
        {"MA PARTIE", "", taken},  // made a moment ago in this run
        {"tard", "", taken},
        {"../x", "", bad}, {"a\\b", "", bad}, {"a:b", "", bad}, {"a*b", "", bad},
        {"a?b", "", bad}, {"a\"b", "", bad}, {"a<b", "", bad}, {"a>b", "", bad},
        {"a|b", "", bad}, {".", "", bad}, {"..", "", bad}, {".cache", "", bad},
        {"a\tb", "", bad}, {"a\x7f" "b", "", bad},
    };
    std::set<std::string> games = Games();
    for (const Case& c : cases) {
        alerts.clear();
        EXPECT_EQ(NameGame(c.text), c.tag) << c.text;
        EXPECT_EQ(alerts, c.alert.empty() ? std::vector<std::string>{}
                                          : std::vector<std::string>{c.alert}) << c.text;
        if (!c.tag.empty()) {
            EXPECT_EQ(ReadFile(saveDir / c.tag), kAllFalse);
            games.insert(c.tag);
        }
        EXPECT_EQ(Games(), games) << c.text;
    }
    EXPECT_FALSE(fs::exists(saveDir.parent_path() / "x.pnt"));
    EXPECT_EQ(ReadFile(saveDir / "toto.pnt"), "#TRUE#\r\n");
}

TEST_F(SavedGamesTest, TheFieldTakesTwelveCharactersAndKeepsTheCaretInView) {
    EXPECT_EQ(NameGame("Éléonore-Anaïs", true), "éléonore-ana.pnt");
    auto d = std::make_unique<frmInput>();
    const std::uint32_t black = plat::Pixel(0, 0, 0);
    int caretColumns = 0;
    Script({[&] {
        if (!host.IsShown(*d)) return false;
        EXPECT_EQ(d->FocusedControl(), &d->txtNom);
        host.Type(*d, "WWWWWWWWWWWWW");
        return true;
    }, [&] {
        EXPECT_EQ(d->txtNom.Text(), "WWWWWWWWWWWW");
        // The caret is a bar of the text's colour; W has no upright stroke.
        const plat::Surface& frame = host.Frame(*d);
        for (int x = 17 + 3; x < 17 + 221 - 3; ++x) {
            bool bar = true;
            for (int y = 77 + 8; y < 77 + 18; ++y) bar = bar && frame.At(x, y) == black;
            caretColumns += bar;
        }
        host.CloseRequest(*d);
        return true;
    }});
    d->ShowModal();
    host.OnIdle = nullptr;
    EXPECT_EQ(caretColumns, 2);
    EXPECT_EQ(d->Tag, "");  // closed by the window system: no game
}

TEST_F(SavedGamesTest, ANewGameThatCannotBeWrittenLeavesNoFile) {
    {
        const FileSizeLimit diskFull(100);
        alerts.clear();
        EXPECT_EQ(NameGame("plein"), "");
    }
    EXPECT_EQ(alerts, std::vector<std::string>{kSaveFailedMessage});
    EXPECT_EQ(Games(), std::set<std::string>{});
    // The save folder went away: it is made again.
    fs::remove_all(saveDir.parent_path());
    EXPECT_EQ(NameGame("retour"), "retour.pnt");
    EXPECT_EQ(ReadFile(saveDir / "retour.pnt"), kAllFalse);
}

TEST_F(SavedGamesTest, ChooserListsGamesByFileAndReturnsTheChosenOne) {
    for (const char* f : {"ma partie.pnt", "a.b.pnt", "zz.PNT", "notes.txt", "z.pnt.bak"})
        WriteFile(saveDir / f, "");
    fs::create_directory(saveDir / "dossier.pnt");
    auto d = std::make_unique<frmChoix>();
    Script({[&] {
        if (!host.IsShown(*d)) return false;
        EXPECT_EQ(d->lstFile.ListCount(), 2);
        EXPECT_EQ(d->lstFile.List(0), "a.b");
        EXPECT_EQ(d->lstFile.List(1), "ma partie");
        EXPECT_EQ(d->lstFile.ListIndex(), 0);
        EXPECT_EQ(d->FocusedControl(), &d->lstFile);
        EXPECT_EQ(d->lstFile.VisibleRows(), 6);
        host.KeyDown(*d, plat::vbKeyDown);  // the list's own keys
        return true;
    }, [&] {
        Press(*d, 0);
        return true;
    }});
    d->ShowModal();
    host.OnIdle = nullptr;
    EXPECT_EQ(d->Tag, "ma partie.pnt");
}

TEST_F(SavedGamesTest, ArrowsStepBySixInsideTheList) {
    for (int i = 0; i < 20; ++i) WriteFile(saveDir / ("p" + std::to_string(10 + i) + ".pnt"), "");
    auto d = std::make_unique<frmChoix>();
    std::vector<int> selected;
    auto arrow = [&](int i) {
        return [&, i] {
            if (!host.IsShown(*d)) return false;
            // Any button works an arrow.
            host.Click(*d, &d->Image1[i], 12, 12, i == 0 ? plat::vbRightButton : plat::vbLeftButton);
            return true;
        };
    };
    auto note = [&] {
        selected.push_back(d->lstFile.ListIndex());
        return true;
    };
    Script({arrow(1), note, arrow(1), note, arrow(1), note, arrow(0), note, [&] {
        // The list's end moves in when games are deleted; the arrows follow.
        for (int i = 10; i < 30; ++i)
            if (i != 15) fs::remove(saveDir / ("p" + std::to_string(i) + ".pnt"));
        host.KeyDown(*d, plat::vbKeyDelete, 1);  // Shift+Delete on p23
        return true;
    }, [&] {
        if (Dialog* q = Shown("frmMess")) Press(*q, 0);
        return d->lstFile.ListCount() == 1;
    }, arrow(1), note, [&] {
        Press(*d, 1);
        return true;
    }});
    d->ShowModal();
    host.OnIdle = nullptr;
    EXPECT_EQ(selected, (std::vector<int>{12, 18, 19, 13, 0}));
    EXPECT_EQ(d->Tag, "");
}

TEST_F(SavedGamesTest, DeleteAsksAndOnlyOuiRemovesTheFile) {
    WriteFile(saveDir / "ma partie.pnt", "#TRUE#\r\n");
    WriteFile(saveDir / "zut.pnt", "#TRUE#\r\n");
    // How the question is answered, and whether the game is gone after.
    struct Case {
        std::function<void(Dialog&)> answer;
        bool removed;
    } cases[] = {
        {[&](Dialog& q) { Press(q, 1); }, false},
        {[&](Dialog& q) { host.CloseRequest(q); }, false},
        {[&](Dialog& q) { Press(q, 0); }, true},
    };
    for (const Case& c : cases) {
        auto d = std::make_unique<frmChoix>();
        std::string question;
        int beepsBefore = 0;
        Script({[&] {
            if (!host.IsShown(*d)) return false;
            host.KeyDown(*d, plat::vbKeyDelete);
            return true;
        }, [&] {
            Dialog* q = Shown("frmMess");
            if (!q) return false;
            question = q->Label1.Caption();
            c.answer(*q);
            return true;
        }, [&] {
            beepsBefore = host.beeps;
            Press(*d, 0);
            return true;
        }, [&] {
            if (host.IsShown(*d)) Press(*d, 1);  // nothing to choose: leave
            return true;
        }});
        d->ShowModal();
        host.OnIdle = nullptr;
        EXPECT_EQ(question, "ma partie\r\nVoulez-vous supprimer ce fichier ?");
        EXPECT_EQ(fs::exists(saveDir / "ma partie.pnt"), !c.removed);
        EXPECT_EQ(d->lstFile.ListCount(), c.removed ? 1 : 2);
        // After a deletion nothing is selected and "Ok" only beeps.
        EXPECT_EQ(d->Tag, c.removed ? "" : "ma partie.pnt");
        EXPECT_EQ(host.beeps - beepsBefore, c.removed ? 1 : 0);
        d->Unload();
    }
    EXPECT_TRUE(fs::exists(saveDir / "zut.pnt"));
}

TEST_F(SavedGamesTest, AnEmptyChooserOnlyCancels) {
    auto d = std::make_unique<frmChoix>();
    Script({[&] {
        if (!host.IsShown(*d)) return false;
        host.Click(*d, &d->Image1[1], 12, 12);
        host.Click(*d, &d->Image1[0], 12, 12);
        host.KeyDown(*d, plat::vbKeyDelete);
        Press(*d, 0);
        return true;
    }, [&] {
        EXPECT_EQ(d->lstFile.ListIndex(), -1);
        EXPECT_EQ(d->nScrollPos, 6);
        EXPECT_EQ(Shown("frmMess"), nullptr);
        EXPECT_EQ(host.beeps, 1);
        Press(*d, 1);
        return true;
    }});
    d->ShowModal();
    host.OnIdle = nullptr;
    EXPECT_EQ(d->Tag, "");
}

TEST_F(SavedGamesTest, CaptionsShowWholeOnOneLine) {
    struct Case {
        std::function<std::unique_ptr<Dialog>()> make;
    } cases[] = {{[] { return std::make_unique<frmInput>(); }},
                 {[] { return std::make_unique<frmChoix>(); }}};
    for (const Case& c : cases) {
        auto d = c.make();
        int textLeft = 1000, textRight = -1;
        Script({[&] {
            if (!host.IsShown(*d)) return false;
            const plat::Surface& frame = host.Frame(*d);
            const plat::Rect r{d->Label1.Left(), d->Label1.Top(), d->Label1.Width(), 20};
            for (int y = r.y; y < r.Bottom(); ++y)
                for (int x = r.x; x < r.Right(); ++x)
                    if (frame.At(x, y) != plat::Pixel(0, 42, 0)) {  // text, even faint
                        textLeft = std::min(textLeft, x);
                        textRight = std::max(textRight, x);
                    }
            host.CloseRequest(*d);
            return true;
        }});
        d->ShowModal();
        host.OnIdle = nullptr;
        // A wrapped caption would show only its first words.
        const int width = plat::TextWidth(d->Label1.LabelFont, d->Label1.Caption());
        EXPECT_GE(textRight - textLeft + 1, width - 4) << d->Label1.Caption();
    }
}

TEST_F(SavedGamesTest, MenuNewGameThenLoadResumesAtTheFirstUnsolvedLevel) {
    std::vector<std::string> started;
    // Notes each level that starts, then leaves it at once.
    auto playLevel = [&] {
        if (!bLevelActive || !form->Enabled()) return false;
        started.push_back(form->labNom.Caption());
        bLevelActive = vbFalse;
        return true;
    };
    Script({[&] {
        frmInput* d = Shown<frmInput>("frmInput");
        if (!d) return false;
        host.Type(*d, "  Ma Partie  ");
        Press(*d, 0);
        return true;
    }, playLevel});
    form->labMenu_Click(0);
    EXPECT_EQ(strGameName, "ma partie.pnt");
    EXPECT_EQ(ReadFile(saveDir / "ma partie.pnt"), kAllFalse);
    // Level 0 solved; loading it plays level 1, and after an abandon, level 1 again.
    WriteFile(saveDir / "ma partie.pnt", "#TRUE#\r\n" + kAllFalse.substr(9));
    auto choose = [&] {
        frmChoix* d = Shown<frmChoix>("frmChoix");
        if (!d) return false;
        Press(*d, 0);
        return true;
    };
    Script({choose, [&] {
        if (!bLevelActive || !form->Enabled()) return false;
        started.push_back(form->labNom.Caption());
        form->labMenu_Click(2);
        return true;
    }});
    form->labMenu_Click(1);
    EXPECT_EQ(strGameName, "");  // abandoning closes the game
    Script({choose, playLevel});
    form->labMenu_Click(1);
    EXPECT_EQ(started, (std::vector<std::string>{"forme 1\r\n3 pièces #1", "forme 2\r\n3 pièces #2",
                                                 "forme 2\r\n3 pièces #2"}));
    EXPECT_EQ(ReadFile(saveDir / "ma partie.pnt"), "#TRUE#\r\n" + kAllFalse.substr(9));
    EXPECT_TRUE(alerts.empty());
}

TEST_F(SavedGamesTest, MenuLoadOfASolvedGameOrNothingStartsNoLevel) {
    std::string allTrue;
    for (int i = 0; i < 40; ++i) allTrue += "#TRUE#\r\n";
    WriteFile(saveDir / "fini.pnt", allTrue);
    auto press = [&](int button) {
        return [&, button] {
            frmChoix* d = Shown<frmChoix>("frmChoix");
            if (!d) return false;
            Press(*d, button);
            return true;
        };
    };
    Script({press(0)});
    form->labMenu_Click(1);
    EXPECT_EQ(alerts, std::vector<std::string>{kAllSolvedMessage});
    EXPECT_EQ(strGameName, "fini.pnt");
    tabLevelDone[3] = vbTrue;
    Script({press(1)});  // cancelled: the game closes, the table stays
    form->labMenu_Click(1);
    EXPECT_EQ(strGameName, "");
    EXPECT_EQ(tabLevelDone[3], vbTrue);
    // Without levels neither command opens its dialog.
    nLevelCount = 0;
    alerts.clear();
    Script({});
    form->labMenu_Click(0);
    form->labMenu_Click(1);
    EXPECT_EQ(alerts, (std::vector<std::string>{kNoLevelsMessage, kNoLevelsMessage}));
    EXPECT_EQ(ReadFile(saveDir / "fini.pnt"), allTrue);
}
