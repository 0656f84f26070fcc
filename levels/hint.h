// Hints proved by the solver.
// SPDX-License-Identifier: GPL-3.0-or-later
// Hints proved by the solver: can a partly filled board still be finished
// with the pieces left, one placement that keeps it finishable, and what is
// wrong when it cannot be finished. Pure: no game state, no window; safe to
// call from a worker thread and cancellable from another.
#pragma once
#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "levels/solver.h"

namespace levels {

// A board cell: outside the shape, empty, or covered by placed piece 0..11.
inline constexpr std::int8_t kHintOutside = -2;
inline constexpr std::int8_t kHintEmpty = -1;

struct HintBoard {
    std::array<std::int8_t, kBoard * kBoard> cell;  // row by row
    HintBoard() { cell.fill(kHintOutside); }
    int At(int x, int y) const { return cell[y * kBoard + x]; }
    void Set(int x, int y, int v) { cell[y * kBoard + x] = static_cast<std::int8_t>(v); }
};

enum class HintVerdict { Solvable, DeadEnd, Cancelled };

// Why an empty region cannot be filled, whatever the other regions take.
enum class RegionFault { None, Size, NoFit };

struct HintOptions {
    // Search steps allowed for counting the ways once the first is found
    // (about 40 ms on one shared core); 0 gives no count.
    std::uint64_t countSteps = 1'000'000;
    // Look for a culprit on a dead end (one more search per placed piece
    // touching the empty cells).
    bool explain = true;
};

struct HintResult {
    HintVerdict verdict = HintVerdict::Cancelled;
    std::optional<std::uint64_t> ways;  // completions, when counted within the budget
    // Solvable: the held piece (else, or when no completion uses it, the
    // piece of the first empty cell, row by row) and the five board cells it
    // goes on, from a full tiling.
    int piece = -1;
    std::vector<Cell> cells;
    // Dead end: an empty region that cannot be filled, if any ...
    RegionFault fault = RegionFault::None;
    std::vector<Cell> region;
    // ... and a placed piece whose removal makes the board solvable, or -1.
    int culprit = -1;
};

// The empty cells split into 4-connected regions, each in scan order, the
// regions by their first cell.
std::vector<std::vector<Cell>> EmptyRegions(const HintBoard& board);

// `left` holds the pieces in the tray and in the hand; `held` is the piece in
// the hand or -1. A raised `cancel` makes the call return Cancelled within a
// few milliseconds, never a verdict.
HintResult FindHint(const HintBoard& board, PieceSet left, int held = -1, const HintOptions& options = {},
                    const std::atomic<bool>* cancel = nullptr);

}  // namespace levels
