// The shape's history: restart, undo and redo over the board's cells.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rules/board.h"

namespace rules {

namespace {

int CoveredCells(const BoardGrid<std::int16_t>& cells) {
    int n = 0;
    for (const auto& col : cells)
        for (std::int16_t cell : col) n += cell >= 0;
    return n;
}

}  // namespace

void Board::Record(const BoardGrid<std::int16_t>& before) {
    if (vHistory.empty()) vHistory.push_back(before);
    vHistory.resize(nHistoryAt + 1);
    vHistory.push_back(tabBoard);
    ++nHistoryAt;
}

Change Board::Show(const BoardGrid<std::int16_t>& cells) {
    const int covered = CoveredCells(tabBoard), after = CoveredCells(cells);
    tabBoard = cells;
    // A piece of the level waits in the tray unless it lies on the board.
    std::array<bool, kPieceCount> inLevel{}, placed{};
    for (int x = 0; x < kBoardCells; ++x)
        for (int y = 0; y < kBoardCells; ++y) {
            if (tabSolution[x][y] >= 0) inLevel[tabSolution[x][y]] = true;
            if (tabBoard[x][y] >= 0) placed[tabBoard[x][y]] = true;
        }
    for (int p = 0; p < kPieceCount; ++p) tabInTray[p] = inLevel[p] && !placed[p];
    bBoardFull = Full();
    if (after < covered) return Change::TakenBack;
    return bBoardFull ? Change::Full : Change::Dropped;
}

Change Board::Restart() {
    if (CoveredCells(tabBoard) == 0) return Change::None;
    PutBack();
    const BoardGrid<std::int16_t> before = tabBoard;
    BoardGrid<std::int16_t> cleared = tabBoard;
    for (auto& col : cleared)
        for (std::int16_t& cell : col)
            if (cell >= 0) cell = Empty;
    const Change change = Show(cleared);
    Record(before);
    return change;
}

Change Board::Undo() {
    if (!CanUndo()) return Change::None;
    PutBack();
    return Show(vHistory[--nHistoryAt]);
}

Change Board::Redo() {
    if (!CanRedo()) return Change::None;
    PutBack();
    return Show(vHistory[++nHistoryAt]);
}

}  // namespace rules
