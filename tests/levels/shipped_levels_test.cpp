// The shipped packs, as the build wrote them beside the game.
#include <gtest/gtest.h>

#include <set>

#include "app/level_names.h"
#include "levels/level_text.h"
#include "levels/pack_files.h"

namespace levels {
namespace {

std::vector<Level> ShippedLevels() {
    std::vector<Level> levels;
    std::vector<std::string> errors;
    const auto packs = PackFilesIn(TESSALOR_DATA_DIR);
    EXPECT_FALSE(packs.empty());
    EXPECT_TRUE(LoadPacks(packs, levels, errors)) << (errors.empty() ? "" : errors.front());
    return levels;
}

struct Box {
    int w = 0, h = 0, area = 0;
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

TEST(ShippedLevels, FortyRecordsThatVerify) {
    const auto levels = ShippedLevels();
    ASSERT_EQ(levels.size(), kLevelNames.size());
    const auto errors = VerifyLevels(levels, true);
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST(ShippedLevels, PacksDumpBackToTheSource) {
    std::string source, error;
    ASSERT_TRUE(ReadFile(TESSALOR_LEVEL_SOURCE, source, error)) << error;
    EXPECT_EQ(FormatSource(ShippedLevels()), source);
}

TEST(ShippedLevels, ShapesFitTheirNames) {
    const auto levels = ShippedLevels();
    ASSERT_EQ(levels.size(), 40u);
    auto pieces = [&](int n) { return PieceCountOf(PiecesOf(levels[n])); };
    auto distinctSets = [&](int first, int last) {
        std::set<PieceSet> sets;
        for (int n = first; n <= last; ++n) sets.insert(PiecesOf(levels[n]));
        return static_cast<int>(sets.size()) == last - first + 1;
    };
    auto isRect = [&](int n, int a, int b) {
        const Box box = BoxOf(levels[n]);
        return box.area == a * b && ((box.w == a && box.h == b) || (box.w == b && box.h == a));
    };

    for (int n = 0; n <= 3; ++n) {
        EXPECT_EQ(BoxOf(levels[n]).area, 15) << n;
        EXPECT_EQ(pieces(n), 3) << n;
    }
    EXPECT_TRUE(distinctSets(0, 3));
    for (int n = 5; n <= 9; ++n) EXPECT_TRUE(isRect(n, 4, 5)) << n;
    EXPECT_TRUE(distinctSets(5, 9));
    for (int n = 13; n <= 15; ++n) EXPECT_TRUE(isRect(n, 5, 5)) << n;
    EXPECT_TRUE(distinctSets(13, 15));
    for (int n = 17; n <= 19; ++n) EXPECT_TRUE(isRect(n, 6, 5)) << n;
    EXPECT_TRUE(distinctSets(17, 19));

    EXPECT_TRUE(isRect(25, 5, 11));
    EXPECT_FALSE(PiecesOf(levels[25]) & (1u << 9));  // no T
    EXPECT_EQ(pieces(25), 11);
    EXPECT_TRUE(isRect(33, 5, 11));
    EXPECT_FALSE(PiecesOf(levels[33]) & (1u << 0));  // no I
    EXPECT_TRUE(isRect(26, 12, 5));
    EXPECT_TRUE(isRect(27, 10, 6));
    for (int n : {26, 27, 28, 29, 30, 31, 32, 34, 35}) EXPECT_EQ(pieces(n), 12) << n;

    for (int n : {28, 29, 30, 31}) {
        const Box box = BoxOf(levels[n]);
        EXPECT_EQ(box.w, 8) << n;
        EXPECT_EQ(box.h, 8) << n;
    }
    EXPECT_NE(levels[29].cell, levels[30].cell);
    const Box b32 = BoxOf(levels[32]);
    EXPECT_EQ(b32.w * b32.h, 63);
    for (int n : {34, 35}) {
        const Box box = BoxOf(levels[n]);
        EXPECT_EQ(box.w * box.h, 88) << n;
        EXPECT_EQ(box.area, 60) << n;
    }
    EXPECT_NE(levels[34].cell, levels[35].cell);
    // Difficulty grows: the last levels are the largest.
    EXPECT_LT(BoxOf(levels[0]).area, BoxOf(levels[20]).area);
    EXPECT_LE(BoxOf(levels[20]).area, BoxOf(levels[39]).area);
}

}  // namespace
}  // namespace levels
