// Tests of the exact-cover solver: tilings found and counted.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/solver.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace levels {
namespace {

Shape FromRows(const std::vector<std::string>& rows) {
    Shape s(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) s.Set(static_cast<int>(x), static_cast<int>(y), rows[y][x] != '.');
    return s;
}
Shape Rect(int w, int h) { return FromRows(std::vector<std::string>(h, std::string(w, '#'))); }

// Sound: covers exactly the shape, every piece allowed, once, as that pentomino.
void ExpectSoundTiling(const Shape& shape, PieceSet pieces, const Tiling& t) {
    ASSERT_EQ(std::pair(t.width, t.height), std::pair(shape.Width(), shape.Height()));
    std::map<int, std::vector<Cell>> cells;
    for (int y = 0; y < shape.Height(); ++y)
        for (int x = 0; x < shape.Width(); ++x) {
            EXPECT_EQ(shape.At(x, y), t.At(x, y) >= 0) << "cell " << x << "," << y;
            if (t.At(x, y) >= 0) cells[t.At(x, y)].push_back({x, y});
        }
    for (const auto& [p, list] : cells) {
        EXPECT_TRUE(pieces & (1u << p)) << "piece " << p << " is not allowed";
        EXPECT_TRUE(list.size() == 5 && IsPiece(p, list)) << "piece " << p;
    }
}

// Orientations missing or repeated show in the known counts.
TEST(CountTilings, KnownCounts) {
    struct Case {
        Shape shape;
        PieceSet pieces;
        std::uint64_t raw, distinct;
    };
    const Shape holed = FromRows({"########", "########", "########", "###..###", "###..###", "########",
                                  "########", "########"});
    const Shape cross = FromRows({".#.", "###", ".#."});
    for (const Case& c : {Case{Rect(3, 20), kAllPieces, 8, 2}, {Rect(20, 3), kAllPieces, 8, 2},
                          {Rect(4, 15), kAllPieces, 1472, 368}, {Rect(5, 12), kAllPieces, 4040, 1010},
                          {Rect(10, 6), kAllPieces, 9356, 2339}, {holed, kAllPieces, 520, 65},
                          // A tiling that is its own image is counted once, with spare pieces or not.
                          {cross, 1u << 1, 1, 1}, {cross, kAllPieces, 1, 1}, {Rect(5, 1), 1u << 0, 1, 1},
                          {Rect(3, 3), kAllPieces, 0, 0}, {Rect(5, 4), 0b11, 0, 0}, {Rect(8, 8), kAllPieces, 0, 0}}) {
        const Counts counts = CountTilings(c.shape, c.pieces);
        EXPECT_EQ(std::pair(counts.raw, counts.distinct), std::pair(c.raw, c.distinct))
            << c.shape.Width() << "x" << c.shape.Height() << " pieces " << c.pieces;
    }
}

// All twelve pieces on a 30-cell shape: the sum over every set of six used exactly; each tiling listed once, sound.
TEST(CountTilings, PartialPieceSetsAgreeWithExactSubsetsAndEnumeration) {
    Counts sum;
    for (unsigned set = 0; set <= kAllPieces; ++set) {
        const Counts c = PieceCountOf(static_cast<PieceSet>(set)) == 6 ? CountTilings(Rect(6, 5), static_cast<PieceSet>(set)) : Counts{};
        sum.raw += c.raw;
        sum.distinct += c.distinct;
    }
    const Counts all = CountTilings(Rect(6, 5), kAllPieces);
    EXPECT_GT(all.raw, 0u);
    EXPECT_EQ(std::pair(all.raw, all.distinct), std::pair(sum.raw, sum.distinct));
    std::set<std::vector<int>> seen;
    ForEachTiling(Rect(6, 5), kAllPieces, [&](const Tiling& t) {
        EXPECT_TRUE(seen.insert(t.piece).second) << "a tiling twice";
        ExpectSoundTiling(Rect(6, 5), kAllPieces, t);
        return true;
    });
    EXPECT_EQ(seen.size(), all.raw);
}

TEST(SolveOne, FindsSoundTilingsOrRefuses) {
    const PieceSet puy = (1u << 4) | (1u << 5) | (1u << 6);
    const Shape tall = FromRows({"#####", "#####", "#####", "#####", "#####", "#####", ".####", ".####", ".####", ".####", ".####"});
    for (const auto& [shape, pieces] : {std::pair{Rect(5, 3), puy}, {tall, kAllPieces}}) {
        const auto t = SolveOne(shape, pieces);
        ASSERT_TRUE(t.has_value());
        ExpectSoundTiling(shape, pieces, *t);
    }
    EXPECT_FALSE(SolveOne(Rect(5, 3), 0b111).has_value());  // I X L
    EXPECT_FALSE(SolveOne(FromRows({"#.#", "###", "#.#"})).has_value());  // not a multiple of five
}

}  // namespace
}  // namespace levels
