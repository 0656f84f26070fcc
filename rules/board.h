// The rules of the board, the tray and the hand, in cells: no pixels here.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "levels/board_side.h"

namespace rules {

inline constexpr int kBoardCells = levels::kBoard;  // columns and rows of the board
inline constexpr int kPieceCount = 12;  // pieces 0..11
inline constexpr int kBox = 5;          // a piece lies in a 5 x 5 box
inline constexpr int kBoxCentre = 2;    // the box cell that lands on the cell aimed at
inline constexpr int kNoPiece = -1;     // an empty hand

// Board cell codes besides the piece indices 0..11.
inline constexpr std::int16_t Empty = -1;    // a cell of the shape, not covered
inline constexpr std::int16_t Outside = -2;  // no piece may cover it

// A piece's cells in its box, [row][column], non-zero where it has a cell.
using PieceGrid = std::array<std::array<std::int32_t, kBox>, kBox>;
// Board grids are [column][row].
template <class T>
using BoardGrid = std::array<std::array<T, kBoardCells>, kBoardCells>;

// The catalogue orientation of piece p.
const PieceGrid& CatalogueGrid(int p);

// What a rule did, for the window to repaint and sound.
enum class Change {
    None,       // nothing happened: no level, no piece there, a misfit
    Taken,      // a piece from the tray into the hand
    Dropped,    // the held piece onto the board
    Full,       // dropped, and the board has no empty cell left
    PutBack,    // the held piece back into its tray slot
    TakenBack,  // a piece from the board back into the tray
    Turned,
    Mirrored,
};

// One level in play: what lies on each cell, which pieces wait in the tray,
// how each piece is turned and which one is held.
struct Board {
    BoardGrid<std::int16_t> tabBoard{};     // Outside, Empty or the piece covering it
    BoardGrid<std::int16_t> tabSolution{};  // the piece the reference solution puts there
    std::array<bool, kPieceCount> tabInTray{};
    std::array<PieceGrid, kPieceCount> tabPieceOrient{};
    std::int32_t nHeldPiece = kNoPiece;
    bool bBoardFull = false;

    Board();
    bool operator==(const Board&) const = default;

    // A fresh board from a 256-byte level record (row by row); every piece
    // the record names waits in the tray, the hand is empty. False, and the
    // board untouched, for a record of another size.
    bool SetUp(std::string_view record);

    static bool OnBoard(int column, int row) {
        return column >= 0 && column < kBoardCells && row >= 0 && row < kBoardCells;
    }
    // The piece lying on the cell, or a cell code (Empty, Outside).
    int At(int column, int row) const;
    // Would piece p, lying as `grid`, fit with its box centre on the cell?
    bool Fits(const PieceGrid& grid, int column, int row) const;
    // The held piece, as it lies now.
    bool HeldFits(int column, int row) const;
    bool Full() const;

    // The hand. Each returns Change::None when the move is not allowed.
    Change Take(int p);                  // from the tray, in its catalogue orientation
    Change Drop(int column, int row);    // the held piece, box centre on the cell
    Change PutBack();                    // the held piece to its slot
    Change TakeBack(int column, int row);  // the piece on that cell to its slot
    Change Turn();                       // the held piece a quarter turn clockwise
    Change Mirror();                     // the held piece left to right

    // The shape's history. Every change of the board's cells is a step:
    // a drop, a take-back, a restart. It starts empty with each set-up and
    // is never saved.
    // Each puts the held piece back first when it changes the board.
    Change Restart();  // every placed piece back to its slot, as one step
    // One step back or forward. The
    // change tells what the step did to the board: Dropped (or Full) when it
    // covered cells, TakenBack when it emptied them.
    Change Undo();
    Change Redo();
    bool CanUndo() const { return nHistoryAt > 0; }
    bool CanRedo() const { return nHistoryAt + 1 < vHistory.size(); }

    // The board's cells before the first step and after each one, and the
    // step the board shows now.
    std::vector<BoardGrid<std::int16_t>> vHistory;
    std::size_t nHistoryAt = 0;

private:
    // A move changed the cells from `before`: one step, the redo steps gone.
    void Record(const BoardGrid<std::int16_t>& before);
    // The cells of a step; the tray holds the level's other pieces.
    Change Show(const BoardGrid<std::int16_t>& cells);
};

// The level a random value 0 <= r < 1 chooses among `count` levels.
int RandomLevel(double r, int count);

}  // namespace rules
