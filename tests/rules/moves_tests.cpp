// The hand's rules in cells: taking, dropping, putting back, taking back,
// turning and mirroring.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "rules/board.h"
#include "tests/support/records.h"

using namespace rules;
using testing_support::MakeRecord;

namespace {

const std::string& kSquare = testing_support::kSquareRecord;

std::vector<std::string> Rows(const PieceGrid& g) {
    std::vector<std::string> rows;
    for (const auto& row : g) {
        std::string s;
        for (auto v : row) s += v ? '#' : '.';
        rows.push_back(s);
    }
    return rows;
}

// Each piece of the level is in exactly one place: the tray, the hand, or
// five cells of the board; the others are nowhere.
void ExpectEachPieceInOnePlace(const Board& b, const Board& start, const std::string& what) {
    for (int p = 0; p < kPieceCount; ++p) {
        int cells = 0;
        for (const auto& col : b.tabBoard) cells += static_cast<int>(std::count(col.begin(), col.end(), p));
        const int places = b.tabInTray[p] + (b.nHeldPiece == p) + (cells == 5);
        EXPECT_TRUE(cells == 0 || cells == 5) << what << ": piece " << p << " on " << cells << " cells";
        EXPECT_EQ(places, start.tabInTray[p] ? 1 : 0) << what << ": piece " << p;
    }
}

struct Move {
    char what;  // k take, d drop, p put back, b take back, t turn, m mirror, s restart, u undo, r redo
    int a, b;
    Change want;
};

Change Apply(Board& board, const Move& m) {
    switch (m.what) {
        case 'k': return board.Take(m.a);
        case 'd': return board.Drop(m.a, m.b);
        case 'p': return board.PutBack();
        case 'b': return board.TakeBack(m.a, m.b);
        case 't': return board.Turn();
        case 's': return board.Restart();
        case 'u': return board.Undo();
        case 'r': return board.Redo();
        default: return board.Mirror();
    }
}

}  // namespace

TEST(HandRules, MovesAreRefusedUnlessTheHandAndTheBoardAllowThem) {
    struct Case {
        const char* what;
        std::vector<Move> moves;
    };
    const Change N = Change::None;
    const Case cases[] = {
        {"an empty hand holds nothing to move",
         {{'t', 0, 0, N}, {'m', 0, 0, N}, {'p', 0, 0, N}, {'d', 1, 2, N}, {'b', 1, 2, N}}},
        {"pieces outside the level or already held stay put",
         {{'k', 3, 0, N}, {'k', 12, 0, N}, {'k', -1, 0, N}, {'k', 1, 0, Change::Taken}, {'k', 0, 0, N}, {'k', 1, 0, N}}},
        {"a misfit keeps the piece in the hand",
         {{'k', 1, 0, Change::Taken}, {'d', 0, 1, N}, {'d', 8, 8, N}, {'d', 1, 2, Change::Dropped},
          {'k', 0, 0, Change::Taken}, {'d', 1, 3, N}, {'b', 1, 2, N}, {'p', 0, 0, Change::PutBack}}},
        {"taking back needs a piece on the cell and an empty hand",
         {{'k', 1, 0, Change::Taken}, {'d', 1, 2, Change::Dropped}, {'b', 3, 3, N}, {'b', 7, 7, N},
          {'b', 0, 2, Change::TakenBack}, {'b', 0, 2, N}, {'k', 1, 0, Change::Taken}, {'d', 1, 2, Change::Dropped}}},
        {"the last cell covered fills the board",  // an I and an X, on their own level
         {{'k', 1, 0, Change::Taken}, {'d', 8, 6, Change::Dropped}, {'b', 8, 6, Change::TakenBack},
          {'k', 0, 0, Change::Taken}, {'d', 5, 5, Change::Dropped}, {'k', 1, 0, Change::Taken},
          {'d', 8, 6, Change::Full}}},
    };
    const std::string columnAndCross = MakeRecord({"B....", "B....", "B..C.", "B.CCC", "B..C."}, 3, 5);
    for (const Case& c : cases) {
        Board b;
        ASSERT_TRUE(b.SetUp(c.moves.back().want == Change::Full ? columnAndCross : kSquare));
        const Board start = b;
        for (size_t i = 0; i < c.moves.size(); ++i) {
            EXPECT_EQ(Apply(b, c.moves[i]), c.moves[i].want) << c.what << ", move " << i;
            ExpectEachPieceInOnePlace(b, start, c.what);
        }
        EXPECT_EQ(b.bBoardFull, c.moves.back().want == Change::Full) << c.what;
    }
}

TEST(HandRules, TurnsGoClockwiseTheMirrorLeftToRightAndTakingStartsAfresh) {
    struct Case {
        const char* moves;
        std::vector<std::string> rows;
    };
    // The F: no symmetry at all.
    for (const Case& c : {Case{"", {".....", "..#..", "..##.", ".##..", "....."}},
                          {"t", {".....", ".#...", ".###.", "..#..", "....."}},
                          {"m", {".....", "..#..", ".##..", "..##.", "....."}},
                          {"tm", {".....", "...#.", ".###.", "..#..", "....."}},
                          {"tttt", {".....", "..#..", "..##.", ".##..", "....."}},
                          {"mm", {".....", "..#..", "..##.", ".##..", "....."}}}) {
        Board b;
        ASSERT_TRUE(b.SetUp(MakeRecord({".II", "II.", ".I."})));
        ASSERT_EQ(b.Take(7), Change::Taken);
        for (const char* m = c.moves; *m; ++m) EXPECT_EQ(*m == 't' ? b.Turn() : b.Mirror(), *m == 't' ? Change::Turned : Change::Mirrored);
        EXPECT_EQ(Rows(b.tabPieceOrient[7]), c.rows) << c.moves;
        // Put back or dropped and taken back, the piece comes out of the tray unturned.
        b.PutBack();
        b.Take(7);
        EXPECT_EQ(b.tabPieceOrient[7], CatalogueGrid(7)) << c.moves;
    }
}

// The history: sequences of moves, undos and redos, then the square's cells
// (a: the I, b: the X) and the hand. Catches undo or redo that lose the
// tray, the piece in the hand or a piece's turn, redo steps that survive a
// new move, and a restart that takes more than one step to undo.
TEST(HandRules, UndoAndRedoWalkTheBoardsStepsAndANewMoveDropsTheRedoSteps) {
    struct Case {
        const char* what;
        std::vector<Move> moves;
        std::vector<std::string> rows;
        int held;
    };
    const Change N = Change::None, K = Change::Taken, D = Change::Dropped, B = Change::TakenBack;
    const std::vector<Move> twoDown = {{'k', 1, 0, K}, {'d', 1, 2, D}, {'k', 0, 0, K}, {'d', 4, 2, D}};
    auto after = [&](std::vector<Move> more) {
        more.insert(more.begin(), twoDown.begin(), twoDown.end());
        return more;
    };
    const std::vector<std::string> both = {"....a", ".b..a", "bbb.a", ".b..a", "....a"};
    const std::vector<std::string> empty(5, ".....");
    const Case cases[] = {
        {"an undone drop goes to its slot; redone, it lies turned as it was",
         {{'k', 0, 0, K}, {'t', 0, 0, Change::Turned}, {'d', 2, 0, D}, {'u', 0, 0, B}, {'u', 0, 0, N},
          {'r', 0, 0, D}, {'r', 0, 0, N}},
         {"aaaaa", ".....", ".....", ".....", "....."}, kNoPiece},
        {"the held piece goes back first; an undone take-back lays the piece again",
         {{'k', 1, 0, K}, {'d', 1, 2, D}, {'b', 1, 2, B}, {'k', 0, 0, K}, {'u', 0, 0, D}},
         {".....", ".b...", "bbb..", ".b...", "....."}, kNoPiece},
        {"a new move after undos drops the redo steps",
         after({{'u', 0, 0, B}, {'u', 0, 0, B}, {'k', 0, 0, K}, {'d', 4, 2, D}, {'r', 0, 0, N}, {'u', 0, 0, B},
                {'u', 0, 0, N}}),
         empty, kNoPiece},
        {"a restart is one step back and forth",
         after({{'k', 5, 0, K}, {'s', 0, 0, B}, {'s', 0, 0, N}, {'u', 0, 0, D}, {'r', 0, 0, B}, {'u', 0, 0, D},
                {'u', 0, 0, B}, {'r', 0, 0, D}}),
         both, kNoPiece},
        {"with nothing to undo or redo the hand keeps its piece",
         {{'k', 1, 0, K}, {'u', 0, 0, N}, {'r', 0, 0, N}, {'s', 0, 0, N}}, empty, 1},
    };
    for (const Case& c : cases) {
        Board b;
        ASSERT_TRUE(b.SetUp(kSquare));
        const Board start = b;
        for (size_t i = 0; i < c.moves.size(); ++i) {
            EXPECT_EQ(Apply(b, c.moves[i]), c.moves[i].want) << c.what << ", move " << i;
            ExpectEachPieceInOnePlace(b, start, c.what);
        }
        std::vector<std::string> rows(5, std::string(5, '.'));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 5; ++x)
                if (b.At(x, y) >= 0) rows[y][x] = static_cast<char>('a' + b.At(x, y));
        EXPECT_EQ(rows, c.rows) << c.what;
        EXPECT_EQ(b.nHeldPiece, c.held) << c.what;
    }
}
