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

TEST_F(MenuTest, PanelOffersTheEntriesThatFitTheStateAndOnlyTheBackgroundClosesIt) {
    for (int i = 0; i < 2; ++i) host.Click(*form, &form->imgMenu[0], 10, 10);  // the button does not close it
    Pump();
    EXPECT_TRUE(form->bMenuShown);
    EXPECT_EQ(Entries(), (std::vector<bool>{true, true, false, true, true}));
    host.Click(*form, nullptr, 650, 430);
    Pump();
    EXPECT_FALSE(form->pctMenu.Visible());  // the entries during a level: the golden abandon journey
}

// The sad face and the cleared board are watched in the real window (e2e).
TEST_F(MenuTest, AbandonWaitsJustOverThreeSecondsAndClosesTheGame) {
    bool abandoned = false;
    double abandonedAt = 0;
    host.OnIdle = [&] {
        if (abandoned || host.Pending() || form->bBusy || !S().bLevelActive || !form->Enabled()) return;
        S().strGameName = "jeu.pnt";  // as in a saved game's level
        form->ShowMenu();
        ClickMenuEntry(2);
        abandonedAt = plat::Now();
        abandoned = true;
    };
    form->ShowMenu();
    ClickMenuEntry(3);
    Pump();
    host.OnIdle = nullptr;
    ASSERT_TRUE(abandoned);
    EXPECT_GT(plat::Now() - abandonedAt, 3.0);  // not a whole sleep more
    EXPECT_LT(plat::Now() - abandonedAt, 3.1);
    EXPECT_EQ(std::tuple(S().bLevelActive, S().strGameName, form->Enabled(), form->timerTete.Enabled()),
              std::tuple(false, "", true, true));  // the game is closed, unsaved
    EXPECT_FALSE(fs::exists(saveDir / "jeu.pnt"));
}
