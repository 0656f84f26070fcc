// Display names of the shipped levels.
// SPDX-License-Identifier: GPL-3.0-or-later
// Display names of the shipped levels, by level index, taken from the
// catalogue: the game shows them, and the level tool checks other sources'
// names and count against them.
#pragma once
#include <array>
#include <string_view>

namespace levels {

// Generated at configure time from catalogue.txt, one name per level.
inline constexpr auto kLevelNames = std::to_array<std::string_view>({
#include "levels/level_names.inc"
});

}  // namespace levels
