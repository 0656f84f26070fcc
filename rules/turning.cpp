// Turning and mirroring the held piece about the centre of its box.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/transform.h"
#include "rules/board.h"

namespace rules {

namespace {

// Moves every cell of the grid by transform t about the box centre.
PieceGrid Transformed(const PieceGrid& grid, int t) {
    PieceGrid out{};
    for (int r = 0; r < kBox; ++r)
        for (int c = 0; c < kBox; ++c) {
            const levels::Offset to = levels::Transform({c - kBoxCentre, r - kBoxCentre}, t);
            out[to.y + kBoxCentre][to.x + kBoxCentre] = grid[r][c];
        }
    return out;
}

}  // namespace

Change Board::Turn() {
    if (nHeldPiece == kNoPiece) return Change::None;
    tabPieceOrient[nHeldPiece] = Transformed(tabPieceOrient[nHeldPiece], levels::kQuarterTurn);
    return Change::Turned;
}

Change Board::Mirror() {
    if (nHeldPiece == kNoPiece) return Change::None;
    tabPieceOrient[nHeldPiece] = Transformed(tabPieceOrient[nHeldPiece], levels::kMirror);
    return Change::Mirrored;
}

}  // namespace rules
