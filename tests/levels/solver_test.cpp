#include "levels/solver.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "test_shapes.h"

namespace levels {
namespace {

using testing::FromRows;
using testing::Rect;

// A tiling is sound when it covers exactly the shape and every piece it uses
// is one of the allowed pieces, once, in one of its orientations.
void ExpectSoundTiling(const Shape& shape, PieceSet pieces, const Tiling& t) {
    ASSERT_EQ(t.width, shape.Width());
    ASSERT_EQ(t.height, shape.Height());
    std::map<int, std::vector<Cell>> cells;
    for (int y = 0; y < shape.Height(); ++y)
        for (int x = 0; x < shape.Width(); ++x) {
            EXPECT_EQ(shape.At(x, y), t.At(x, y) >= 0) << "cell " << x << "," << y;
            if (t.At(x, y) >= 0) cells[t.At(x, y)].push_back({x, y});
        }
    for (const auto& [p, list] : cells) {
        EXPECT_TRUE(pieces & (1u << p)) << "piece " << p << " is not allowed";
        ASSERT_EQ(list.size(), 5u) << "piece " << p;
        EXPECT_TRUE(IsPiece(p, list)) << "piece " << p;
    }
}

TEST(PieceOrientations, EachPieceHasItsKnownNumberOfOrientations) {
    // I X L N P U Y F Z T W V, in catalogue order.
    const int expected[kPieceCount] = {2, 1, 8, 8, 8, 4, 8, 8, 4, 4, 4, 4};
    int total = 0;
    for (int p = 0; p < kPieceCount; ++p) {
        EXPECT_EQ(static_cast<int>(Orientations(p).size()), expected[p]) << "piece " << p;
        total += static_cast<int>(Orientations(p).size());
    }
    EXPECT_EQ(total, 63);
}

TEST(PieceOrientations, IsPieceTellsPentominoesApart) {
    const std::vector<Cell> line{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
    const std::vector<Cell> cross{{1, 0}, {0, 1}, {1, 1}, {2, 1}, {1, 2}};
    const std::vector<Cell> mirroredL{{5, 5}, {5, 6}, {5, 7}, {5, 8}, {4, 8}};
    EXPECT_TRUE(IsPiece(0, line));
    EXPECT_FALSE(IsPiece(1, line));
    EXPECT_TRUE(IsPiece(1, cross));
    EXPECT_TRUE(IsPiece(2, mirroredL));  // placed anywhere, mirrored
    EXPECT_FALSE(IsPiece(3, mirroredL));
    EXPECT_FALSE(IsPiece(0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {5, 0}}));  // a gap
}

TEST(CountTilings, KnownRectangleCounts) {
    struct Case {
        int w, h;
        std::uint64_t raw, distinct;
    };
    for (const Case& c : {Case{3, 20, 8, 2}, Case{20, 3, 8, 2}, Case{4, 15, 1472, 368}, Case{5, 12, 4040, 1010},
                          Case{6, 10, 9356, 2339}, Case{10, 6, 9356, 2339}}) {
        const Counts counts = CountTilings(Rect(c.w, c.h));
        EXPECT_EQ(counts.raw, c.raw) << c.w << "x" << c.h;
        EXPECT_EQ(counts.distinct, c.distinct) << c.w << "x" << c.h;
    }
}

TEST(CountTilings, SquareWithCentreHoleHas65) {
    const Shape s = FromRows({"########", "########", "########", "###..###", "###..###", "########", "########",
                              "########"});
    const Counts counts = CountTilings(s);
    EXPECT_EQ(counts.distinct, 65u);
    EXPECT_EQ(counts.raw, 520u);
}

TEST(CountTilings, SelfSymmetricTilingsAreCountedOnce) {
    // A tiling that is its own image must not vanish in a division by the
    // symmetry group, neither with exactly its pieces nor with spare ones.
    const Shape cross = FromRows({".#.", "###", ".#."});
    for (PieceSet set : {PieceSet(1u << 1), kAllPieces}) {
        EXPECT_EQ(CountTilings(cross, set).raw, 1u) << set;
        EXPECT_EQ(CountTilings(cross, set).distinct, 1u) << set;
    }
    const Shape line = Rect(5, 1);
    EXPECT_EQ(CountTilings(line, 1u << 0).distinct, 1u);
}

TEST(CountTilings, PartialPieceSetsAgreeWithExactSubsets) {
    // With all twelve pieces a 30-cell shape uses some six of them; that
    // count must equal the sum over every set of six used exactly.
    const Shape s = Rect(6, 5);
    const Counts all = CountTilings(s, kAllPieces);
    Counts sum;
    for (unsigned set = 0; set <= kAllPieces; ++set) {
        if (PieceCountOf(static_cast<PieceSet>(set)) != 6) continue;
        const Counts c = CountTilings(s, static_cast<PieceSet>(set));
        sum.raw += c.raw;
        sum.distinct += c.distinct;
    }
    EXPECT_GT(all.raw, 0u);
    EXPECT_EQ(all.raw, sum.raw);
    EXPECT_EQ(all.distinct, sum.distinct);
}

TEST(CountTilings, EnumerationMatchesCount) {
    const Shape s = FromRows({"#######", "#######", "##...##", "##...##", "#######", "#######"});
    std::uint64_t seen = 0;
    std::set<std::vector<int>> distinct;
    ForEachTiling(s, kAllPieces, [&](const Tiling& t) {
        ++seen;
        distinct.insert(t.piece);
        ExpectSoundTiling(s, kAllPieces, t);
        return true;
    });
    EXPECT_EQ(seen, CountTilings(s).raw);
    EXPECT_EQ(distinct.size(), seen);  // no tiling twice
}

TEST(CountTilings, ImpossibleAreasGiveZero) {
    EXPECT_EQ(CountTilings(Rect(3, 3)).raw, 0u);                  // 9 cells
    EXPECT_EQ(CountTilings(Rect(5, 4), (1u << 0) | (1u << 1)).raw, 0u);  // 20 cells, two pieces
    EXPECT_EQ(CountTilings(Rect(8, 8)).raw, 0u);                  // 64 cells
}

TEST(SolveOne, FindsSoundTilingsWithTheGivenPieces) {
    const Shape rect = Rect(5, 3);
    const PieceSet puy = (1u << 4) | (1u << 5) | (1u << 6);
    const auto t = SolveOne(rect, puy);
    ASSERT_TRUE(t.has_value());
    ExpectSoundTiling(rect, puy, *t);

    const Shape plane = FromRows({"..##..", ".####.", "######", "..##..", ".####."});
    const auto any = SolveOne(plane);
    if (any) ExpectSoundTiling(plane, kAllPieces, *any);
    EXPECT_EQ(any.has_value(), CountTilings(plane).raw > 0);
}

TEST(SolveOne, RefusesWhenThePiecesCannotFit) {
    EXPECT_FALSE(SolveOne(Rect(5, 3), (1u << 0) | (1u << 1) | (1u << 2)).has_value());  // I X L
    EXPECT_FALSE(SolveOne(FromRows({"#.#", "###", "#.#"})).has_value());  // not a multiple of five
}

TEST(SolveOne, TransposedShapeIsSolvedToo) {
    const Shape wide = FromRows({"######.....", "###########", "###########", "###########", "###########"});
    Shape tall(wide.Height(), wide.Width());
    for (int y = 0; y < wide.Height(); ++y)
        for (int x = 0; x < wide.Width(); ++x) tall.Set(y, x, wide.At(x, y));
    EXPECT_EQ(CountTilings(wide).raw, CountTilings(tall).raw);
    EXPECT_EQ(CountTilings(wide).distinct, CountTilings(tall).distinct);
    const auto t = SolveOne(tall);
    ASSERT_TRUE(t.has_value());
    ExpectSoundTiling(tall, kAllPieces, *t);
}

}  // namespace
}  // namespace levels
