// How hard a shape is: its tilings, the solver's effort and its pieces, as 1 to 5 stars.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <atomic>
#include <cstdint>

#include "levels/shape_code.h"

namespace levels {

struct Rating {
    std::uint64_t tilings = 0;
    bool capped = false;        // distinct tilings with its pieces (capped at a ceiling)
    std::uint64_t effort = 0;   // solver steps to the first tiling
    int pieces = 0;
    int stars = 0;              // 1..5 by the documented rule; 0 = unknown
};

Rating RateShape(const BoardShape& shape, const std::atomic<bool>* cancel = nullptr);
// The class of shipped level `index` (0-based, catalogue order) from the table the build embeds; 0 if none.
int ShippedStars(int index);

}  // namespace levels
