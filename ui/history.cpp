// Undo, redo and restart on screen.
// SPDX-License-Identifier: GPL-3.0-or-later
// The rules take the step; the window plays its sound and repaints the
// cells and tray slots it changed, as the moves of the hand do.
#include "ui/frmtessa.h"
#include "ui/geometry.h"

using namespace geometry;
using rules::Change;

bool frmTessa::HistoryKeyDown(int keyCode, int shift) {
    const bool ctrl = (shift & 2) != 0, shifted = (shift & 1) != 0;
    if (ctrl && keyCode == 'Z' && !shifted) TakeStep(&rules::Board::Undo);
    else if (ctrl && (keyCode == 'Y' || keyCode == 'Z')) TakeStep(&rules::Board::Redo);
    else if (keyCode == plat::vbKeyF5 || (ctrl && keyCode == 'R')) TakeStep(&rules::Board::Restart);
    else return false;
    return true;
}

void frmTessa::TakeStep(Change (rules::Board::*step)()) {
    rules::Board& b = state.board;
    // A step that would change nothing leaves the hand as it is.
    rules::Board trial = b;
    if ((trial.*step)() == Change::None) return;
    bBusy = true;
    if (b.nHeldPiece != rules::kNoPiece) PutBackHeldPiece();
    const rules::BoardGrid<std::int16_t> cells = b.tabBoard;
    const std::array<bool, rules::kPieceCount> tray = b.tabInTray;
    const Change change = (b.*step)();
    PlaySound(SoundOf(change));
    for (int x = 0; x < rules::kBoardCells; ++x)
        for (int y = 0; y < rules::kBoardCells; ++y) {
            const int k = b.tabBoard[x][y];
            if (k == cells[x][y]) continue;
            plat::BitBlt(pctEcran.Image, CellLeft(x), CellTop(y), kCell, kCell, pctBrique.Image,
                         k == rules::Empty ? kWoodTileX : kCell * k, 0, plat::SRCCOPY);
        }
    for (int p = 0; p < rules::kPieceCount; ++p) {
        if (b.tabInTray[p] == tray[p]) continue;
        if (b.tabInTray[p]) DrawTrayPiece(p);
        else DrawTrayHole(p);
    }
    pctEcran.Refresh();
    HintBoardChanged();
    bBusy = false;
    if (change == Change::Full) PlayVictory();
}
