// The board and the tray: set-up from a level record, fits, full, taking back.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/board.h"

#include <string>

#include "levels/catalogue.h"
#include "levels/level_text.h"

namespace rules {

namespace {

std::array<PieceGrid, kPieceCount> ReadCatalogue() {
    std::array<PieceGrid, kPieceCount> grids{};
    for (int p = 0; p < kPieceCount; ++p)
        for (int r = 0; r < kBox; ++r)
            for (int c = 0; c < kBox; ++c)
                grids[p][r][c] = catalogue::kPieces[p].rows[r][c] != '@';
    return grids;
}

}  // namespace

const PieceGrid& CatalogueGrid(int p) {
    static const std::array<PieceGrid, kPieceCount> grids = ReadCatalogue();
    return grids[static_cast<size_t>(p)];
}

Board::Board() {
    for (int p = 0; p < kPieceCount; ++p) tabPieceOrient[p] = CatalogueGrid(p);
}

bool Board::SetUp(std::string_view record) {
    levels::Level level;
    std::string error;
    // Codes past the last piece cannot name one: they lie outside the shape.
    if (!levels::FromRecord(record, level, error, true)) return false;
    *this = Board();
    for (int y = 0; y < kBoardCells; ++y)
        for (int x = 0; x < kBoardCells; ++x) {
            const int p = level.At(x, y);
            tabSolution[x][y] = static_cast<std::int16_t>(p);
            tabBoard[x][y] = p < 0 ? Outside : Empty;
            if (p >= 0) tabInTray[p] = true;
        }
    return true;
}

int Board::At(int column, int row) const { return OnBoard(column, row) ? tabBoard[column][row] : Outside; }

bool Board::Fits(const PieceGrid& grid, int column, int row) const {
    for (int r = 0; r < kBox; ++r)
        for (int c = 0; c < kBox; ++c)
            if (grid[r][c] > 0 && At(column - kBoxCentre + c, row - kBoxCentre + r) != Empty) return false;
    return true;
}

bool Board::HeldFits(int column, int row) const {
    return nHeldPiece != kNoPiece && Fits(tabPieceOrient[nHeldPiece], column, row);
}

bool Board::Full() const {
    for (const auto& col : tabBoard)
        for (std::int16_t cell : col)
            if (cell == Empty) return false;
    return true;
}

Change Board::TakeBack(int column, int row) {
    const int k = At(column, row);
    if (k < 0 || nHeldPiece != kNoPiece) return Change::None;
    const BoardGrid<std::int16_t> before = tabBoard;
    for (auto& col : tabBoard)
        for (std::int16_t& cell : col)
            if (cell == k) cell = Empty;
    tabInTray[k] = true;
    bBoardFull = false;
    Record(before);
    return Change::TakenBack;
}

int RandomLevel(double r, int count) {
    if (count <= 0) return 0;
    const int n = static_cast<int>(r * count);
    return n < 0 ? 0 : (n >= count ? count - 1 : n);
}

}  // namespace rules
