// Difficulty: a shape's tilings, the solver's effort and its pieces, combined into stars.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/difficulty.h"

namespace levels {

Rating RateShape(const BoardShape&, const std::atomic<bool>*) { return {}; }

int ShippedStars(int) { return 0; }

}  // namespace levels
