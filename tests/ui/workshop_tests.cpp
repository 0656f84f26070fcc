// The shape workshop (F6) on the headless host: the verdict after each edit, saving, bad codes (tests/e2e/shapes.sh plays the rest).
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
    void Cell(int x, int y, int button = plat::vbLeftButton) { ClickScreen(CellX(x) + 12, CellY(y) + 12, button); }
};

}  // namespace

// After each edit, by mouse or key, the label gives the verdict of the shape as it is.
TEST_F(WorkshopTest, EachEditShowsItsVerdict) {
    using namespace plat;
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[] {}, "atelier de formes"},
        {[&] { for (int x : {2, 3, 4, 5}) Cell(x, 2); }, "4 cases\r\nimpossible\r\nzone de 4 ≠ 5×n"},
        // The hand, left on the last cell clicked, one cell right, then Insert: an I alone; then an L chosen.
        {[&] { Key(vbKeyRight); Key(vbKeyInsert); }, "5 cases\r\n1 façon\r\nautomatique"},
        {[&] { TakeFromTray(2); }, "5 cases\r\nimpossible\r\ncases isolées"},
        // PgDn lights the next piece of the tray (N), Space puts it in the set too; an L drawn instead of the I.
        {[&] { Key(vbKeyPageDown); Key(vbKeySpace); Cell(2, 2, vbRightButton); Cell(3, 3); }, "5 cases\r\nimpossible\r\nil faut 10 cases"},
    };
    for (const auto& [input, label] : steps) EXPECT_EQ((input(), form->labNom.Caption()), label);
}

// Enter saves a shape that can be filled, under a name not yet used, with a tiling by the pieces chosen; a bad
// code changes nothing; a saved drawing is left without a question; in a shape F6 does nothing.
TEST_F(WorkshopTest, EnterSavesAFillableShapeUnderANewName) {
    Cell(1, 1);
    Key(plat::vbKeyReturn);
    Cell(1, 1, plat::vbRightButton);
    for (int x = 6; x < 10; ++x)
        for (int y = 5; y < 10; ++y) Cell(x, y);
    for (int p : {0, 2, 3, 11}) TakeFromTray(p);  // I, L, N, V
    Key('C', 2);
    const std::string code = host.clipboard;
    const auto name = [&](const char* typed) { return On<frmInput>("frmInput", [this, typed](frmInput& d) {
        d.txtNom.SetText(typed), Press(d, 0); }); };
    Script({name(" Rect "), name("rect"), name("")});
    Key(plat::vbKeyReturn);
    Key(plat::vbKeyReturn);  // the same name, then none: nothing more saved
    host.clipboard = "Q";
    Key('V', 2);
    EXPECT_EQ(form->labNom.Caption(), "20 cases\r\n2 façons\r\nenregistrée");
    EXPECT_EQ(alerts, (std::vector<std::string>{"Cette forme ne peut pas être remplie :\r\nelle ne peut pas être enregistrée.",
                                                "Ce nom existe déjà !\r\nChoisissez un autre nom.",
                                                "Ce code de forme n'est pas valable !\r\nCopiez-le en entier, sans rien d'autre."}));
    const modTessa::OwnShapes own = modTessa::LoadOwnShapes();
    ASSERT_EQ(own.levels.size(), 1u);
    EXPECT_EQ(own.levels[0].name, "rect");
    EXPECT_EQ(levels::EncodeShape(levels::BoardShapeOf(own.levels[0])), code);
    Key(plat::vbKeyEscape);
    EXPECT_FALSE(form->WorkshopOpen());
    BeginLevel();
    Key(plat::vbKeyF6);
    EXPECT_FALSE(form->WorkshopOpen());
}
