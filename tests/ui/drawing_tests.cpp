// Tests of the painter: tray pieces, silhouettes and the board of a level.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/catalogue.h"
#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

// The painter: pieces in the tray and the board of a level.

// A play area where every pixel differs shows any stray write. Slots reach
// past the play area's edges (5 and 6 start at x -16, 0, 2 and 4 end at 735)
// and onto the board (1, 7, 8, 9).
TEST_F(GameTest, TrayPiecesAndSilhouettesChangeOnlyThePieceCells) {
    StartGame();
    for (int y = 0; y < 384; ++y)
        for (int x = 0; x < 720; ++x) Screen().Row(y)[x] = static_cast<std::uint32_t>((x * 7919 + y * 104729) & 0xFFFFFF);
    const plat::Surface before = Screen();
    for (int p = 0; p < 12; ++p) {
        Screen() = before;
        form->DrawTrayPiece(p);
        const plat::Surface coloured = Screen();
        form->DrawTrayHole(p);
        for (int y = 0; y < 384; ++y)
            for (int x = 0; x < 720; ++x) {
                const int c = x - catalogue::kPieces[p].trayX, r = y - catalogue::kPieces[p].trayY;
                const bool cell = c >= 0 && r >= 0 && c < 120 && r < 120 && rules::CatalogueGrid(p)[r / 24][c / 24];
                ASSERT_EQ(coloured.At(x, y), cell ? form->pctBrique.Image.At(24 * p + c % 24, r % 24) : before.At(x, y))
                    << "piece " << p << " at " << x << "," << y;
                ASSERT_EQ(Screen().At(x, y), cell ? 0u : before.At(x, y)) << "silhouette " << p;
            }
        form->DrawTrayPiece(p);
        ASSERT_TRUE(Screen() == coloured) << "piece " << p;
    }
}

// What a set-up shows: every golden journey with a level.
TEST_F(GameTest, SetUpShowsTheBoardInOneRefreshAndTheSamePictureEachTime) {
    WritePack(dataDir / "tessa320.dat", MakeRecord({"BDD.C", "B.DCCC", "B.D.C", "B.D", "B"}, 3, 5));
    StartGame();
    const int presents = host.PresentCount(*form);
    form->SetUpLevel(0);
    EXPECT_EQ(host.PresentCount(*form), presents + 1);
    const plat::Surface first = Screen();
    form->SetUpLevel(0);
    EXPECT_TRUE(Screen() == first);
}
