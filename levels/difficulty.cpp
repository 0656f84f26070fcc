// Difficulty: a shape's tilings, the solver's effort and its pieces, combined into stars.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/difficulty.h"

#include <algorithm>

namespace levels {

namespace {

// Tilings beyond this many make no difference to the class.
constexpr std::uint64_t kRateCeiling = 1000;

// The class: the piece count gives the base (3 or 4 pieces: 1, 5 or 6: 2,
// 7 to 9: 3, 10 to 12: 4); one more when the solver takes more than 10,000
// steps (pieces put down) to its first tiling, one less when the shape has
// more than 100 tilings; never below 1 or above 5.
int StarsOf(const Rating& r) {
    int stars = r.pieces <= 4 ? 1 : r.pieces <= 6 ? 2 : r.pieces <= 9 ? 3 : 4;
    if (r.effort > 10'000) ++stars;
    if (r.tilings > 100) --stars;
    return std::clamp(stars, 1, 5);
}

}  // namespace

Rating RateShape(const BoardShape& shape, const std::atomic<bool>* cancel) {
    Rating r;
    r.pieces = PieceCountOf(shape.pieces);
    if (shape.Cells() == 0 || shape.Cells() != 5 * r.pieces) return r;
    const Shape box = BoxShapeOf(shape);
    SearchControl first{cancel};
    const bool tiled = SolveOne(box, shape.pieces, &first).has_value();
    if (first.stopped) return {};
    if (!tiled) return r;
    r.effort = first.steps;
    SearchControl all{cancel};
    const CountUpTo count = CountTilingsUpTo(box, shape.pieces, kRateCeiling, all);
    if (all.stopped) return {};
    r.tilings = count.distinct;
    r.capped = count.more;
    r.stars = StarsOf(r);
    return r;
}

}  // namespace levels
