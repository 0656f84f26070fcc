// Exact-cover solver for pentomino shapes: tiles a set of board cells with
// a set of pieces, each used at most once, in any of its eight orientations.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "levels/board_side.h"

namespace levels {

inline constexpr int kPieceCount = 12;
using PieceSet = std::uint16_t;           // bit p set = piece p available
inline constexpr PieceSet kAllPieces = 0x0FFF;

int PieceCountOf(PieceSet set);

struct Cell {
    int x = 0, y = 0;
    bool operator==(const Cell&) const = default;
    auto operator<=>(const Cell&) const = default;
};

// A set of cells on a grid of at most 16 x 16.
class Shape {
public:
    Shape() = default;
    Shape(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool At(int x, int y) const { return inside_[y * width_ + x]; }
    void Set(int x, int y, bool in) { inside_[y * width_ + x] = in; }
    int Area() const;
    std::vector<Cell> Cells() const;  // row by row

private:
    int width_ = 0, height_ = 0;
    std::vector<bool> inside_;
};

// Piece index per shape cell (row by row over the shape's grid), -1 outside.
struct Tiling {
    int width = 0, height = 0;
    std::vector<int> piece;
    int At(int x, int y) const { return piece[y * width + x]; }
};

struct Counts {
    std::uint64_t raw = 0;       // every tiling
    std::uint64_t distinct = 0;  // tilings up to the shape's own symmetries
};

// The fixed orientations of piece p, each normalised to (0,0) and sorted.
const std::vector<std::vector<Cell>>& Orientations(int p);
// True when the five cells are piece p turned or mirrored in some way.
bool IsPiece(int p, std::vector<Cell> cells);

// Stops a long search from outside: `cancel` (raised by any thread) and the
// step limit are polled every 1024 search steps. `steps` counts the steps
// taken; `stopped` tells that the search ended early for either reason.
struct SearchControl {
    const std::atomic<bool>* cancel = nullptr;
    std::uint64_t stepLimit = UINT64_MAX;
    std::uint64_t steps = 0;
    bool stopped = false;
};

std::optional<Tiling> SolveOne(const Shape& shape, PieceSet pieces = kAllPieces, SearchControl* control = nullptr);
// Calls visit for each tiling in search order until it returns false.
void ForEachTiling(const Shape& shape, PieceSet pieces,
                   const std::function<bool(const Tiling&)>& visit, SearchControl* control = nullptr);
Counts CountTilings(const Shape& shape, PieceSet pieces = kAllPieces);

// Tilings up to the shape's own symmetries, counted until one more than
// `ceiling` is found. `first` is the first tiling in search order and
// `stepsToFirst` the search steps it took. When the control stops the
// search, the count is only a lower bound.
struct CountUpTo {
    std::uint64_t distinct = 0;
    bool more = false;  // more than the ceiling
    std::optional<Tiling> first;
    std::uint64_t stepsToFirst = 0;
};
CountUpTo CountTilingsUpTo(const Shape& shape, PieceSet pieces, std::uint64_t ceiling, SearchControl& control);

}  // namespace levels
