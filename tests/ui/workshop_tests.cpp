// The shape workshop (F6) on the headless host: drawing, the piece set, the verdict in the label, leaving, saving, codes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/own_shapes.h"
#include "levels/workshop.h"
#include "tests/support/dialog_script.h"
#include "tests/support/records.h"

using namespace testing_support;

namespace {

class WorkshopTest : public ScriptedTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat", AllPiecesRecord());
        StartGame();
        Script({});  // alerts are answered and noted
    }
    std::string Label() { return form->labNom.Caption(); }
    // The cell shows the wooden tile of a shape's empty cell.
    bool Wood(int x, int y) { return Screen().At(CellX(x) + 5, CellY(y) + 5) == form->pctBrique.Image.At(geometry::kWoodTileX + 5, 5); }
    // Piece p's tray slot shows its colour, not its silhouette.
    bool Coloured(int p) {
        const geometry::TrayRect& r = *std::find_if(std::begin(geometry::kTrayRects), std::end(geometry::kTrayRects),
                                                    [p](const geometry::TrayRect& t) { return t.piece == p; });
        for (int y = r.y1; y <= r.y2; ++y)
            for (int x = r.x1; x <= r.x2; ++x)
                if (Screen().At(x, y) == form->pctBrique.Image.At(24 * p + 12, 12)) return true;
        return false;
    }
    void Cell(int x, int y, int button = plat::vbLeftButton) { ClickScreen(CellX(x) + 12, CellY(y) + 12, button); }
    // The 4 x 5 rectangle at columns 6-9, rows 5-9, to fill with I, L, N and V (two tilings up to symmetry).
    void Rectangle() {
        for (int x = 6; x < 10; ++x)
            for (int y = 5; y < 10; ++y) Cell(x, y);
    }
    void ChooseILNV() {
        for (int p : {0, 2, 3, 11}) TakeFromTray(p);
    }
};

}  // namespace

// Each edit, by mouse or key, shows the canvas and the verdict of the shape as it is.
TEST_F(WorkshopTest, EditsDrawTheCanvasAndTheLabelGivesTheVerdict) {
    using namespace plat;
    constexpr int L = 2;
    Key(vbKeyF6);
    struct Step {
        std::function<void()> input;
        std::string label;
    } steps[] = {
        {[] {}, "atelier de formes"},
        {[&] { for (int x : {2, 3, 4, 5}) Cell(x, 2); }, "4 cases\r\nimpossible\r\nzone de 4 ≠ 5×n"},
        // The hand, left on the last cell clicked, one cell right, then Insert: an I alone.
        {[&] { Key(vbKeyRight); Key(vbKeyInsert); }, "5 cases\r\n1 façon\r\nautomatique"},
        {[&] { TakeFromTray(L); }, "5 cases\r\nimpossible\r\ncases isolées"},
        // PgDn lights the next piece of the tray (N), Space puts it in the set too.
        {[&] { Key(vbKeyPageDown); Key(vbKeySpace); }, "5 cases\r\nimpossible\r\ncases isolées"},
        {[&] { Cell(2, 2, vbRightButton); Cell(3, 3); }, "5 cases\r\nimpossible\r\nil faut 10 cases"},
        {[&] { TakeFromTray(3); TakeFromTray(L); Cell(3, 3, vbRightButton); }, "4 cases\r\nimpossible\r\nzone de 4 ≠ 5×n"},
    };
    for (Step& s : steps) {
        s.input();
        EXPECT_EQ(Label(), s.label);
    }
    for (int x = 2; x < 8; ++x) EXPECT_EQ(Wood(x, 2), x >= 3 && x <= 6) << x;
    EXPECT_FALSE(Wood(3, 3));
    for (int p = 0; p < rules::kPieceCount; ++p) EXPECT_TRUE(Coloured(p)) << p;  // none chosen: all in colour
    TakeFromTray(L);
    for (int p = 0; p < rules::kPieceCount; ++p) EXPECT_EQ(Coloured(p), p == L) << p;
    EXPECT_TRUE(alerts.empty());
}

// Leaving puts back every pixel of the play area and the label; an unsaved drawing asks first.
TEST_F(WorkshopTest, LeavingRestoresTheIdleScreenAfterAskingForAnUnsavedDrawing) {
    const plat::Surface before = Screen();
    const std::string caption = Label();
    Key(plat::vbKeyF6);
    Cell(4, 4);
    TakeFromTray(5);
    Key(plat::vbKeyF2);  // no tiling: nothing to show
    Script({On("frmMess", [&](Dialog& d) { Press(d, 1); }), On("frmMess", [&](Dialog& d) { Press(d, 0); })});
    Key(plat::vbKeyEscape);  // NON: the workshop stays
    EXPECT_TRUE(form->WorkshopOpen());
    Key(plat::vbKeyEscape);  // OUI
    EXPECT_FALSE(form->WorkshopOpen());
    EXPECT_EQ(Label(), caption);
    for (int y = 0; y < before.Height(); ++y)
        for (int x = 0; x < before.Width(); ++x) ASSERT_EQ(Screen().At(x, y), before.At(x, y)) << x << "," << y;
    // In a shape, F6 does nothing.
    BeginLevel();
    Key(plat::vbKeyF6);
    EXPECT_FALSE(form->WorkshopOpen());
}

// Enter saves a shape that can be filled, under a new name, with one of its tilings; F2 shows that tiling.
TEST_F(WorkshopTest, EnterSavesAFillableShapeUnderANewName) {
    Key(plat::vbKeyF6);
    Cell(1, 1);
    Key(plat::vbKeyReturn);
    EXPECT_EQ(alerts, std::vector<std::string>{"Cette forme ne peut pas être remplie :\r\nelle ne peut pas être enregistrée."});
    Cell(1, 1, plat::vbRightButton);
    Rectangle();
    ChooseILNV();
    EXPECT_EQ(Label(), "20 cases\r\n2 façons");
    Key(plat::vbKeyF2);
    EXPECT_FALSE(Wood(6, 5));
    const auto name = [&](const char* typed) {
        return On<frmInput>("frmInput", [this, typed](frmInput& d) { d.txtNom.SetText(typed); Press(d, 0); });
    };
    Script({name(" Rect "), name("rect"), name("")});
    Key(plat::vbKeyReturn);
    EXPECT_EQ(Label(), "20 cases\r\n2 façons\r\nenregistrée");
    Key(plat::vbKeyReturn);  // the same name again, then none: nothing more saved
    EXPECT_EQ(alerts.back(), "Ce nom existe déjà !\r\nChoisissez un autre nom.");
    const modTessa::OwnShapes own = modTessa::LoadOwnShapes();
    ASSERT_EQ(own.levels.size(), 1u);
    EXPECT_EQ(own.levels[0].name, "rect");
    levels::BoardShape drawn;
    for (int x = 6; x < 10; ++x)
        for (int y = 5; y < 10; ++y) drawn.in[static_cast<size_t>(16 * y + x)] = true;
    drawn.pieces = 1 << 0 | 1 << 2 | 1 << 3 | 1 << 11;
    EXPECT_EQ(levels::BoardShapeOf(own.levels[0]), drawn);
    Key(plat::vbKeyEscape);  // saved: no question
    EXPECT_FALSE(form->WorkshopOpen());
}

// Ctrl+C copies the shape's code; Ctrl+V opens a code, and a bad one changes nothing.
TEST_F(WorkshopTest, CodesCopyAndPaste) {
    Key(plat::vbKeyF6);
    Rectangle();
    ChooseILNV();
    Key('C', 2);
    ASSERT_FALSE(host.clipboard.empty());
    EXPECT_EQ(Label(), "20 cases\r\n2 façons\r\ncode copié");
    const std::string code = host.clipboard;
    host.clipboard = code.substr(1);
    Key('V', 2);
    EXPECT_EQ(alerts, std::vector<std::string>{"Ce code de forme n'est pas valable !\r\nCopiez-le en entier, sans rien d'autre."});
    EXPECT_TRUE(Wood(6, 5));
    Script({On("frmMess", [&](Dialog& d) { Press(d, 0); })});
    Key(plat::vbKeyEscape);
    Key(plat::vbKeyF6);
    host.clipboard = "  " + code + "\n";
    Key('V', 2);
    EXPECT_EQ(Label(), "20 cases\r\n2 façons");
    EXPECT_FALSE(Coloured(1));
}
