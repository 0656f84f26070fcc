// The hand: taking a piece from the tray, dropping it, putting it back.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/board.h"

namespace rules {

Change Board::Take(int p) {
    if (p < 0 || p >= kPieceCount || !tabInTray[p] || nHeldPiece != kNoPiece) return Change::None;
    tabInTray[p] = false;
    tabPieceOrient[p] = CatalogueGrid(p);
    nHeldPiece = p;
    return Change::Taken;
}

Change Board::Drop(int column, int row) {
    if (!HeldFits(column, row)) return Change::None;
    const BoardGrid<std::int16_t> before = tabBoard;
    const PieceGrid& grid = tabPieceOrient[nHeldPiece];
    for (int r = 0; r < kBox; ++r)
        for (int c = 0; c < kBox; ++c)
            if (grid[r][c] > 0)
                tabBoard[column - kBoxCentre + c][row - kBoxCentre + r] = static_cast<std::int16_t>(nHeldPiece);
    nHeldPiece = kNoPiece;
    Record(before);
    bBoardFull = Full();
    return bBoardFull ? Change::Full : Change::Dropped;
}

Change Board::PutBack() {
    if (nHeldPiece == kNoPiece) return Change::None;
    tabInTray[nHeldPiece] = true;
    tabPieceOrient[nHeldPiece] = CatalogueGrid(nHeldPiece);
    nHeldPiece = kNoPiece;
    return Change::PutBack;
}

}  // namespace rules
