// Where the board and the tray lie.
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the board and the tray lie. Unless said otherwise, figures are in
// play-area pixels: the play area pctEcran stands in the main window at
// window y kPlayAreaTop, so the window surface's clean copy of a play-area
// pixel (x, y) is at (x, y + kPlayAreaTop).
#pragma once
#include "assets/look.h"
#include "rules/board.h"

namespace geometry {

inline constexpr int kPlayAreaTop = 24;  // window y of the play area's top row
inline constexpr int kPlayAreaWidth = look::kWindowWidth;

inline constexpr int kCell = look::kTileSize;  // a board cell is a tile
inline constexpr int kBoardCells = rules::kBoardCells;  // columns and rows
inline constexpr int kBoardLeft = 168;      // the board's left edge
inline constexpr int kBoardSize = kBoardCells * kCell;     // 384, the full play-area height
inline constexpr int kPlayAreaHeight = kBoardSize;
inline constexpr int kBoardRight = kBoardLeft + kBoardSize;  // 552, first pixel right of it

inline constexpr int kPieceBox = rules::kBox * kCell;  // a piece's 5 x 5 cell box
inline constexpr int kEdgeStrip = 24;  // outer strips the dragged piece never shows in

// Tiles of the tile sheet pctBrique, by their x: piece p's tile is at
// kCell * p in the top row, its solution-display tile below it.
inline constexpr int kBlackTileX = look::kBlackTileX;  // mask: where a piece has a cell
inline constexpr int kWhiteTileX = look::kWhiteTileX;  // mask: where it has none
inline constexpr int kWoodTileX = look::kWoodTileX;    // an empty cell of the shape

inline constexpr int CellLeft(int column) { return kBoardLeft + kCell * column; }
inline constexpr int CellTop(int row) { return kCell * row; }

// The board cell under a play-area point: floor of the exact quotient, so a
// point left of the board gives a negative column.
struct CellPos {
    int column, row;
};
CellPos CellUnder(float x, float y);

// Which clicks count as on the board. A held piece drops from the board's
// left edge pixel on; taking a piece off starts one pixel further right.
inline constexpr bool DropsOnBoard(float x) { return x > kBoardLeft - 1 && x < kBoardRight; }
inline constexpr bool TakesOffBoard(float x) { return x > kBoardLeft && x < kBoardRight; }

// The tray's pick rectangles, both bounds inclusive; they do not follow the
// slots the pieces are drawn in.
struct TrayRect {
    int x1, x2, y1, y2, piece;
};
inline constexpr TrayRect kTrayRects[12] = {
    {32, 80, 24, 120, 3},   {32, 80, 144, 240, 6},   {32, 80, 264, 336, 5},
    {88, 160, 24, 96, 1},   {88, 160, 144, 216, 11}, {88, 160, 264, 336, 10},
    {560, 632, 24, 96, 8},  {560, 632, 144, 216, 9}, {560, 632, 288, 360, 7},
    {640, 688, 24, 120, 2}, {640, 688, 144, 264, 0}, {640, 688, 288, 360, 4},
};

}  // namespace geometry
