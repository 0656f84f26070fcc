// Tests of difficulty: the classes the build embeds for shipped levels, and unrated shapes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/difficulty.h"

#include <gtest/gtest.h>

#include "levels/pack_files.h"

namespace levels {
namespace {

// A few shipped levels pinned to their class, through the embedded table
// and through the rating itself (a stale table or a changed rule shows).
TEST(Difficulty, ShippedLevelsKeepTheirClass) {
    std::string text, error;
    ASSERT_TRUE(ReadFile(TESSALOR_LEVEL_SOURCE, text, error)) << error;
    const auto levels = ParseSource(text, "catalogue").levels;
    struct Case {
        int index, stars;
    };
    for (const Case c : {Case{0, 1}, Case{13, 2}, Case{20, 3}, Case{27, 4}, Case{22, 5}, Case{39, 5}}) {
        EXPECT_EQ(ShippedStars(c.index), c.stars) << levels[c.index].name;
        EXPECT_EQ(RateShape(BoardShapeOf(levels[c.index])).stars, c.stars) << levels[c.index].name;
    }
    EXPECT_EQ(std::tuple(ShippedStars(-1), ShippedStars(static_cast<int>(levels.size()))), std::tuple(0, 0));
    BoardShape wrong = BoardShapeOf(levels[0]);
    wrong.pieces = kAllPieces;
    EXPECT_EQ(RateShape(wrong).stars, 0);
}

}  // namespace
}  // namespace levels
