// The shipped packs, as the build wrote them beside the game.
#include <gtest/gtest.h>

#include <set>

#include "levels/level_names.h"
#include "levels/level_text.h"
#include "levels/pack_files.h"

namespace levels {
namespace {

struct Box {
    int w, h, area;
};

Box BoxOf(const Level& level) {
    int minX = 16, maxX = -1, minY = 16, maxY = -1, area = 0;
    for (int y = 0; y < kBoard; ++y)
        for (int x = 0; x < kBoard; ++x)
            if (level.At(x, y) >= 0) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
                ++area;
            }
    return {maxX - minX + 1, maxY - minY + 1, area};
}

TEST(ShippedLevels, FortyVerifiedRecordsThatFitTheirNames) {
    std::vector<Level> levels;
    std::vector<std::string> errors;
    ASSERT_TRUE(LoadPacks(PackFilesIn(TESSALOR_DATA_DIR), levels, errors)) << errors.front();
    ASSERT_EQ(levels.size(), kLevelNames.size());
    errors = VerifyLevels(levels, true);
    EXPECT_TRUE(errors.empty()) << errors.front();
    // Dumping them back to the source: LevelTool.BuildDumpVerifyRoundTrip.
    // Groups of levels: the rectangle each names, its piece count, and distinct piece sets.
    struct Group {
        int first, last, w, h, pieces;
    };
    for (const Group g : {Group{0, 3, 0, 0, 3}, {5, 9, 4, 5, 4}, {13, 15, 5, 5, 5}, {17, 19, 6, 5, 6},
                          {25, 25, 5, 11, 11}, {33, 33, 5, 11, 11}, {26, 26, 12, 5, 12}, {27, 27, 10, 6, 12},
                          {28, 31, 8, 8, 12}}) {
        std::set<PieceSet> sets;
        for (int n = g.first; n <= g.last; ++n) {
            const Box box = BoxOf(levels[n]);
            sets.insert(PiecesOf(levels[n]));
            EXPECT_EQ(PieceCountOf(PiecesOf(levels[n])), g.pieces) << n;
            EXPECT_TRUE(!g.w || (box.w == g.w && box.h == g.h) || (box.w == g.h && box.h == g.w)) << n;
        }
        EXPECT_TRUE(g.w == 8 || static_cast<int>(sets.size()) == g.last - g.first + 1) << g.first;
    }
    EXPECT_FALSE(PiecesOf(levels[25]) & (1u << 9));  // no T
    EXPECT_FALSE(PiecesOf(levels[33]) & (1u << 0));  // no I
    EXPECT_NE(levels[29].cell, levels[30].cell);
    for (int n : {34, 35}) EXPECT_EQ(std::pair(BoxOf(levels[n]).w * BoxOf(levels[n]).h, BoxOf(levels[n]).area),
                                     std::pair(88, 60)) << n;
    EXPECT_LT(BoxOf(levels[0]).area, BoxOf(levels[20]).area);  // difficulty grows
    EXPECT_LE(BoxOf(levels[20]).area, BoxOf(levels[39]).area);
}

}  // namespace
}  // namespace levels
