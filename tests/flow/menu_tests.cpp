#include "tests/support/dialog_script.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class MenuTest : public ScriptedTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat",
                  MakeRecord({"B", "B", "B", "B", "B"}, 3, 2) + MakeRecord({"BBBBB"}, 8, 4));
        StartGame();
    }
    std::vector<bool> Entries() const {
        std::vector<bool> v;
        for (const auto& l : form->labMenu) v.push_back(l.Visible());
        return v;
    }
    void ClickMenuEntry(int i) { host.Click(*form, &form->labMenu[static_cast<size_t>(i)], 20, 10); }
};

}  // namespace

TEST_F(MenuTest, PanelOffersTheEntriesThatFitTheState) {
    host.Click(*form, &form->imgMenu[0], 10, 10);
    Pump();
    EXPECT_TRUE(bMenuShown);
    EXPECT_TRUE(form->pctMenu.Visible());
    EXPECT_EQ(Entries(), (std::vector<bool>{true, true, false, true, true}));
    // The menu button does not close it; the window's background does.
    host.Click(*form, &form->imgMenu[0], 10, 10);
    Pump();
    EXPECT_TRUE(bMenuShown);
    host.Click(*form, nullptr, 650, 470 - 40);
    Pump();
    EXPECT_FALSE(bMenuShown);
    EXPECT_FALSE(form->pctMenu.Visible());
    bLevelActive = vbTrue;
    form->ShowMenu();
    EXPECT_EQ(Entries(), (std::vector<bool>{false, false, true, false, true}));
    // The panel shows above the play area.
    Pump();
    const auto& frame = host.Frame(*form);
    EXPECT_EQ(frame.At(230 + 10 + 200, 260 + 85 + 10), plat::ToPixel(clrButton));
}

TEST_F(MenuTest, HoverHighlightsOneEntryAndStaysAfterLeaving) {
    form->ShowMenu();
    host.MouseMove(*form, &form->labMenu[3], 5, 5);
    host.MouseMove(*form, nullptr, 10, 10);  // off the panel
    Pump();
    EXPECT_EQ(form->labMenu[3].BackColor(), clrButtonHover);
    host.MouseMove(*form, &form->labMenu[0], 5, 5);
    Pump();
    EXPECT_EQ(form->labMenu[3].BackColor(), clrButton);
    EXPECT_EQ(form->labMenu[0].BackColor(), clrButtonHover);
    EXPECT_EQ(host.Frame(*form).At(230 + 10 + 230, 260 + 35 + 10), plat::ToPixel(clrButtonHover));
}

TEST_F(MenuTest, AbandonOutsideALevelDoesNothingAtAll) {
    form->ShowMenu();
    form->labMenu_Click(2);
    EXPECT_TRUE(bMenuShown);
    EXPECT_TRUE(form->kvtUt.log.empty());
}

TEST_F(MenuTest, RandomShapeThenAbandonClearsTheBoard) {
    int phase = 0;
    double abandonedAt = 0;
    host.OnIdle = [&] {
        if (host.Pending() || form->bBusy) return;
        if (phase == 0 && bLevelActive && form->Enabled()) {
            host.Click(*form, &form->pctEcran, 676, 156);  // the I into the hand
            phase = 1;
        } else if (phase == 1 && nHeldPiece == 0) {
            form->ShowMenu();
            ClickMenuEntry(2);
            abandonedAt = plat::Now();
            phase = 2;
        } else if (phase == 2 && !form->Enabled() && !Sounds().empty() &&
                   Sounds().back() == "tessa32h.dat") {
            // During the wait: the sad face, the window closed to input.
            for (int y = 0; y < 64; y += 4)
                for (int x = 0; x < 80; x += 4)
                    ASSERT_EQ(form->pctTete.Image.At(x, y), form->pctTeteBase.Image.At(720 + x, y));
            host.Click(*form, &form->pctEcran, 300, 300);  // ignored
        }
    };
    form->ShowMenu();
    ClickMenuEntry(3);
    Pump();
    host.OnIdle = nullptr;
    EXPECT_EQ(phase, 2);
    // Just over three seconds, not a whole sleep more.
    EXPECT_GT(plat::Now() - abandonedAt, 3.0);
    EXPECT_LT(plat::Now() - abandonedAt, 3.1);
    EXPECT_FALSE(bLevelActive);
    EXPECT_TRUE(strGameName.empty());
    EXPECT_EQ(form->labNom.Caption(), "");
    EXPECT_TRUE(form->Enabled());
    EXPECT_TRUE(form->timerTete.Enabled());
    EXPECT_EQ(Sounds().back(), "tessa32h.dat");
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y)
            EXPECT_EQ(Screen().At(CellX(x) + 12, CellY(y) + 12),
                      form->backgroundPicture.At(CellX(x) + 12, CellY(y) + 36));
    EXPECT_EQ(Screen().At(676, 156), form->pctBrique.Image.At(12, 12));
}

TEST_F(MenuTest, QuitAsksAndNonChangesNothing) {
    std::string question;
    Script({On("frmMess", [&](Dialog& d) { question = d.Label1.Caption(); Press(d, 1); })});
    form->ShowMenu();
    ClickMenuEntry(4);
    Pump();
    EXPECT_EQ(question, "Voulez-vous vraiment quitter le jeu ?");
    EXPECT_FALSE(bMenuShown);
    EXPECT_TRUE(host.IsShown(*form));
    EXPECT_EQ(Shown("frmMess"), nullptr);
}

TEST_F(MenuTest, QuitOuiEndsTheProgramFromInsideALevel) {
    Script({[&] {
                if (!bLevelActive || !form->Enabled()) return false;
                form->ShowMenu();
                ClickMenuEntry(4);
                return true;
            },
            On("frmMess", [&](Dialog& d) { Press(d, 0); })});
    form->ShowMenu();
    ClickMenuEntry(3);
    try {
        Pump();
        FAIL() << "the program did not end";
    } catch (const plat::ProgramEnd& end) {
        EXPECT_EQ(end.status, 0);
    }
    host.OnIdle = nullptr;
    EXPECT_TRUE(bLevelActive);  // the level in play is simply left
    EXPECT_FALSE(fs::exists(saveDir / "jeu.pnt"));
}
