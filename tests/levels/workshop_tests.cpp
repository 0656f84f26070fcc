// Tests of judging shapes: the workshop's verdict (each fault, the count, the automatic set) and difficulty.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/workshop.h"

#include <gtest/gtest.h>

#include "levels/difficulty.h"
#include "levels/pack_files.h"

namespace levels {
namespace {

// A w x h rectangle at (x, y), with the given pieces.
BoardShape Rectangle(int x, int y, int w, int h, PieceSet pieces) {
    BoardShape s;
    s.pieces = pieces;
    for (int r = y; r < y + h; ++r)
        for (int c = x; c < x + w; ++c) s.in[r * kBoard + c] = true;
    return s;
}

PieceSet Letters(const char* letters) {
    PieceSet set = 0;
    EXPECT_TRUE(ParsePieceList(letters, set));
    return set;
}

TEST(Workshop, NamesTheFaultAndItsCells) {
    BoardShape split = Rectangle(2, 2, 5, 4, kAllPieces);
    for (int y = 2; y < 6; ++y) split.in[y * kBoard + 3] = false;  // a 1 x 4 column cut off at the left
    BoardShape cross;                                               // the X piece, with I alone
    for (int i : {1 * 16 + 2, 2 * 16 + 1, 2 * 16 + 2, 2 * 16 + 3, 3 * 16 + 2}) cross.in[i] = true;
    cross.pieces = Letters("B");
    struct Case {
        BoardShape shape;
        VerdictKind kind;
        ImpossibleWhy why;
        size_t where;
    };
    const std::vector<Case> cases = {
        {BoardShape{}, VerdictKind::Empty, ImpossibleWhy::None, 0},
        {split, VerdictKind::Impossible, ImpossibleWhy::RegionSize, 4},
        {cross, VerdictKind::Impossible, ImpossibleWhy::Unreachable, 5},
        {Rectangle(0, 0, 5, 4, Letters("FGH")), VerdictKind::Impossible, ImpossibleWhy::WrongCount, 0},
        {Rectangle(0, 0, 13, 5, 0), VerdictKind::Impossible, ImpossibleWhy::WrongCount, 0},
        {Rectangle(0, 0, 5, 4, Letters("BCDE")), VerdictKind::Impossible, ImpossibleWhy::NoTiling, 0},
    };
    for (const Case& c : cases) {
        const Verdict v = JudgeShape(c.shape);
        EXPECT_EQ(std::tuple(v.kind, v.why, v.where.size(), v.cells), std::tuple(c.kind, c.why, c.where, c.shape.Cells()))
            << EncodeShape(c.shape);
    }
    EXPECT_EQ(JudgeShape(split).where.front(), (Cell{2, 2}));
}

// The count up to the ceiling agrees with the full count, and the tiling
// shown fills the shape where it was drawn with the pieces judged.
TEST(Workshop, CountsTheWaysAndShowsOne) {
    for (auto [shape, more] : {std::pair(Rectangle(3, 4, 5, 4, Letters("FGHI")), false),
                               std::pair(Rectangle(1, 1, 5, 6, Letters("BDEFKL")), false),
                               std::pair(Rectangle(0, 0, 10, 6, kAllPieces), true)}) {
        const Verdict v = JudgeShape(shape);
        ASSERT_EQ(v.kind, VerdictKind::Ways);
        const std::uint64_t all = more ? kWaysCeiling + 1 : CountTilings(ShapeOf(shape), shape.pieces).distinct;
        EXPECT_EQ(std::tuple(v.ways, v.more), std::tuple(all, more));
        ASSERT_TRUE(v.tiling);
        EXPECT_EQ(BoardShapeOf(*v.tiling), shape);
        EXPECT_TRUE(CheckPieces(*v.tiling).empty());
    }
}

// With no pieces chosen, a small shape's survey is complete: the set picked
// has the fewest tilings of all the sets that fill it.
TEST(Workshop, AutomaticSetHasTheFewestTilings) {
    const BoardShape shape = Rectangle(4, 4, 5, 3, 0);
    const Verdict v = JudgeShape(shape);
    ASSERT_EQ(v.kind, VerdictKind::Ways);
    EXPECT_EQ(PieceCountOf(v.pieces), 3);
    EXPECT_EQ(PiecesOf(*v.tiling), v.pieces);
    std::uint64_t fewest = UINT64_MAX;
    for (PieceSet set = 1; set <= kAllPieces; ++set)
        if (PieceCountOf(set) == 3)
            if (const std::uint64_t n = CountTilings(ShapeOf(shape), set).distinct) fewest = std::min(fewest, n);
    EXPECT_EQ(v.ways, fewest);

    const std::atomic<bool> cancel{true};
    EXPECT_EQ(JudgeShape(shape, &cancel).kind, VerdictKind::Cancelled);
}


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
