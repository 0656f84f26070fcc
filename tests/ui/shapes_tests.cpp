// "Formes" (F4): its rows, and what Delete, Ctrl+C, Ctrl+V, Enter and F4 during a shape do.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "flow/own_shapes.h"
#include "tests/support/dialog_script.h"
#include "ui/shapes.h"

using namespace testing_support;

namespace {

class ShapesTest : public ScriptedTest {
protected:
    fs::path OwnFile() const { return root / "xdg" / "tessalor" / "formes.txt"; }
    void SetUp() override {
        GameTest::SetUp();
        WritePack(dataDir / "tessa320.dat", MakeRecord({"B", "B", "B", "B", "B"}, 3, 2) + kSquareRecord);
        fs::create_directories(OwnFile().parent_path());
        levels::Level own;
        std::string error;
        ASSERT_TRUE(levels::FromRecord(MakeRecord({"B", "B", "B", "B", "B"}, 0, 0), own, error));
        own.name = "à moi";
        WriteFile(OwnFile(), *modTessa::WithOwnShape("", own));
        StartGame();
    }
};

}  // namespace

// Catches: a row missing or out of order, Delete asking nothing or leaving
// the shape in the file, Ctrl+C copying another row's code, a bad paste
// closing the chooser or choosing something, Enter choosing the wrong row,
// F4 opening the chooser during a shape.
TEST_F(ShapesTest, RowsInOrderAndWhatTheKeysDo) {
    frmFormes d(S(), form->pctBrique.Image, form.get());
    RunModal(d, {WhenShown(d,
                           [&] {
                               const auto& rows = d.lstShapes.entries;
                               ASSERT_EQ(rows.size(), 4u);
                               EXPECT_TRUE(rows[0].day);
                               EXPECT_EQ(ShownName(rows[1]), "3 pièces #1");
                               EXPECT_EQ(rows[2].shipped, 1);
                               EXPECT_EQ(ShownName(rows[3]), "à moi");
                               // The same I as level 1: one shape, one code.
                               EXPECT_EQ(rows[3].code, rows[1].code);
                               host.KeyDown(d, plat::vbKeyEnd);
                               host.KeyDown(d, plat::vbKeyDelete);
                           }),
                  On("frmMess", [&](Dialog& m) { Press(m, 0); }),
                  [&] {
                      EXPECT_TRUE(modTessa::LoadOwnShapes().levels.empty());
                      EXPECT_EQ(d.lstShapes.ListCount(), 3);
                      host.KeyDown(d, plat::vbKeyUp);
                      host.KeyDown(d, 'C', 2);
                      return true;
                  },
                  [&] {
                      EXPECT_EQ(host.clipboard, d.lstShapes.entries[1].code);
                      host.clipboard = "pas un code";
                      host.KeyDown(d, 'V', 2);
                      return true;
                  },
                  [&] {
                      EXPECT_EQ(alerts, std::vector<std::string>{modTessa::kBadCodeMessage});
                      host.KeyDown(d, plat::vbKeyReturn);
                      return true;
                  }});
    ASSERT_TRUE(d.Result);
    EXPECT_EQ(d.Result->shipped, 0);

    BeginLevel();
    bool opened = false;
    Script({On("frmFormes", [&](Dialog& f) {
        opened = true;
        f.Hide();
    })});
    Key(plat::vbKeyF4);
    host.OnIdle = nullptr;
    EXPECT_FALSE(opened);
}
