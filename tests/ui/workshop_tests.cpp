// The shape workshop (F6) on the headless host: the verdict in the label after each edit, leaving, saving, bad codes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/own_shapes.h"
#include "levels/shape_code.h"
#include "tests/support/dialog_script.h"

using namespace testing_support;

namespace {

class WorkshopTest : public ScriptedTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat", AllPiecesRecord());
        StartGame();
        Script({});  // alerts are answered and noted
        Key(plat::vbKeyF6);
    }
    std::string Label() { return form->labNom.Caption(); }
    bool Wood(int x, int y) { return Screen().At(CellX(x) + 5, CellY(y) + 5) == form->pctBrique.Image.At(geometry::kWoodTileX + 5, 5); }
    void Cell(int x, int y, int button = plat::vbLeftButton) { ClickScreen(CellX(x) + 12, CellY(y) + 12, button); }
};

}  // namespace

// After each edit, by mouse or key, the label gives the verdict of the shape as it is.
TEST_F(WorkshopTest, EachEditShowsAndTheLabelGivesTheVerdict) {
    using namespace plat;
    constexpr int L = 2, N = 3;
    struct Step {
        std::function<void()> input;
        const char* label;
    } steps[] = {
        {[] {}, "atelier de formes"},
        {[&] { for (int x : {2, 3, 4, 5}) Cell(x, 2); }, "4 cases\r\nimpossible\r\nzone de 4 ≠ 5×n"},
        // The hand, left on the last cell clicked, one cell right, then Insert: an I alone.
        {[&] { Key(vbKeyRight); Key(vbKeyInsert); }, "5 cases\r\n1 façon\r\nautomatique"},
        {[&] { TakeFromTray(L); }, "5 cases\r\nimpossible\r\ncases isolées"},
        // PgDn lights the next piece of the tray (N), Space puts it in the set too.
        {[&] { Key(vbKeyPageDown); Key(vbKeySpace); }, "5 cases\r\nimpossible\r\ncases isolées"},
        {[&] { Cell(2, 2, vbRightButton); Cell(3, 3); }, "5 cases\r\nimpossible\r\nil faut 10 cases"},
        {[&] { TakeFromTray(N); TakeFromTray(L); Cell(3, 3, vbRightButton); }, "4 cases\r\nimpossible\r\nzone de 4 ≠ 5×n"},
    };
    for (Step& s : steps) {
        s.input();
        EXPECT_EQ(Label(), s.label);
    }
}

// Leaving puts back every pixel of the play area and the label, asking first for an unsaved drawing.
// In a shape, F6 does nothing.
TEST_F(WorkshopTest, LeavingRestoresTheIdleScreen) {
    Key(plat::vbKeyEscape);
    const plat::Surface before = Screen();
    const std::string caption = Label();
    Key(plat::vbKeyF6);
    Cell(4, 4);
    Script({On("frmMess", [&](Dialog& d) { Press(d, 1); }), On("frmMess", [&](Dialog& d) { Press(d, 0); })});
    Key(plat::vbKeyEscape);  // NON: the workshop stays
    EXPECT_TRUE(form->WorkshopOpen());
    Key(plat::vbKeyEscape);  // OUI
    EXPECT_FALSE(form->WorkshopOpen());
    EXPECT_EQ(Label(), caption);
    for (int y = 0; y < before.Height(); ++y)
        for (int x = 0; x < before.Width(); ++x) ASSERT_EQ(Screen().At(x, y), before.At(x, y)) << x << "," << y;
    BeginLevel();
    Key(plat::vbKeyF6);
    EXPECT_FALSE(form->WorkshopOpen());
}

// Enter saves a shape that can be filled, under a name not yet used, with one of its tilings; a bad code changes nothing.
TEST_F(WorkshopTest, EnterSavesAFillableShapeUnderANewName) {
    Cell(1, 1);
    Key(plat::vbKeyReturn);
    Cell(1, 1, plat::vbRightButton);
    for (int x = 6; x < 10; ++x)
        for (int y = 5; y < 10; ++y) Cell(x, y);
    for (int p : {0, 2, 3, 11}) TakeFromTray(p);  // I, L, N, V
    Key('C', 2);
    const std::string code = host.clipboard;
    const auto name = [&](const char* typed) {
        return On<frmInput>("frmInput", [this, typed](frmInput& d) { d.txtNom.SetText(typed); Press(d, 0); });
    };
    Script({name(" Rect "), name("rect"), name("")});
    Key(plat::vbKeyReturn);
    EXPECT_EQ(Label(), "20 cases\r\n2 façons\r\nenregistrée");
    Key(plat::vbKeyReturn);  // the same name, then none: nothing more saved
    host.clipboard = "Q";
    Key('V', 2);
    EXPECT_TRUE(Wood(9, 9));
    EXPECT_EQ(alerts, (std::vector<std::string>{"Cette forme ne peut pas être remplie :\r\nelle ne peut pas être enregistrée.",
                                                "Ce nom existe déjà !\r\nChoisissez un autre nom.",
                                                "Ce code de forme n'est pas valable !\r\nCopiez-le en entier, sans rien d'autre."}));
    // Saved: the rectangle, filled by the four pieces chosen (as its code, copied by Ctrl+C, says).
    const modTessa::OwnShapes own = modTessa::LoadOwnShapes();
    ASSERT_EQ(own.levels.size(), 1u);
    EXPECT_EQ(own.levels[0].name, "rect");
    EXPECT_EQ(levels::EncodeShape(levels::BoardShapeOf(own.levels[0])), code);
}
