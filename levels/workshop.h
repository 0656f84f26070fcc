// The workshop's verdict on a drawn shape: impossible and why, or in how many ways it can be filled.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "levels/shape_code.h"

namespace levels {

inline constexpr std::uint64_t kWaysCeiling = 1000;  // "plus de 1000"

enum class VerdictKind { Empty, Impossible, Ways, Cancelled };
enum class ImpossibleWhy { None, RegionSize, Unreachable, WrongCount, NoTiling };

struct Verdict {
    VerdictKind kind = VerdictKind::Cancelled;
    int cells = 0;
    std::uint64_t ways = 0;       // tilings up to the shape's own turns and mirrors, counted up to kWaysCeiling (+1 when more)
    bool more = false;            // more than kWaysCeiling
    PieceSet pieces = 0;          // the set judged: the player's, or the one chosen when the shape asked for none
    ImpossibleWhy why = ImpossibleWhy::None;
    std::vector<Cell> where;      // board cells of the fault (the region, the unreachable cells), may be empty
    std::optional<Level> tiling;  // one tiling as a Level (cells 0..11, -1 outside) when kind == Ways
};

// The faults are looked for in this order: a region whose size is not a multiple of 5, cells no piece of the set
// reaches, a cell count that is not 5 x the pieces (more than 60 cells when the shape asks for no pieces), no
// tiling. With no pieces chosen, the verdict names the set it picked (see workshop.cpp for the rule).
// Pure; safe on a worker thread; returns Cancelled soon after *cancel becomes true, never a half verdict.
Verdict JudgeShape(const BoardShape& shape, const std::atomic<bool>* cancel = nullptr);

}  // namespace levels
