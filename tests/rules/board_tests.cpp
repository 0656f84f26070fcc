// The board's rules in cells: set-up from a record, where a piece fits, and
// the random choice of level.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "rules/board.h"
#include "tests/support/records.h"

using namespace rules;
using testing_support::MakeRecord;

TEST(BoardSetUp, RecordCodesGiveTheShapeTheTrayAndTheSolution) {
    // Below 'B' and past 'M' lie outside; 'B'..'M' name pieces 0..11.
    std::string record = MakeRecord({"ABCM", "N\x7f@"});
    record[255] = '\0';
    Board b;
    ASSERT_TRUE(b.SetUp(record));
    struct Cell {
        int column, row;
        std::int16_t code, solution;
    };
    for (const Cell& c : {Cell{0, 0, Outside, -1}, {1, 0, Empty, 0}, {2, 0, Empty, 1}, {3, 0, Empty, 11},
                          {0, 1, Outside, -1}, {1, 1, Outside, -1}, {2, 1, Outside, -1}, {15, 15, Outside, -1}}) {
        EXPECT_EQ(b.tabBoard[c.column][c.row], c.code) << c.column << "," << c.row;
        EXPECT_EQ(b.tabSolution[c.column][c.row], c.solution) << c.column << "," << c.row;
    }
    for (int p = 0; p < kPieceCount; ++p) EXPECT_EQ(b.tabInTray[p], p == 0 || p == 1 || p == 11) << p;
    // A record of another size changes nothing.
    const Board before = b;
    EXPECT_FALSE(b.SetUp(record.substr(1)));
    EXPECT_FALSE(b.SetUp(record + "B"));
    EXPECT_EQ(b, before);
}

TEST(BoardSetUp, EveryLevelStartsFreshWhateverThePreviousOneLeft) {
    // An I down column 5 and an X centred on (8, 6); then a level of the L alone.
    const std::string first = MakeRecord({"B....", "B....", "B..C.", "B.CCC", "B..C."}, 3, 5);
    const std::string next = MakeRecord({"DD", ".D", ".D", ".D"}, 2, 2);
    Board fresh;
    ASSERT_TRUE(fresh.SetUp(next));
    struct Ending {
        const char* what;
        void (*play)(Board&);
    };
    const Ending endings[] = {
        {"abandoned holding a turned piece", [](Board& b) { b.Take(1), b.Turn(), b.Mirror(); }},
        {"abandoned with a piece down", [](Board& b) { b.Take(0), b.Drop(5, 5); }},
        {"solved", [](Board& b) { b.Take(0), b.Drop(5, 5), b.Take(1), b.Drop(8, 6); }},
    };
    for (const Ending& e : endings) {
        Board b;
        ASSERT_TRUE(b.SetUp(first));
        e.play(b);
        ASSERT_TRUE(b.SetUp(next));
        EXPECT_EQ(b, fresh) << e.what;
    }
}

TEST(BoardFits, EveryCellOfThePieceMustLandOnAnEmptyCellOfTheShape) {
    // A square at the top-left; an I's cells down and along the bottom-right edges.
    std::string record = testing_support::kSquareRecord;
    for (int k : {11, 12, 13, 14}) record[static_cast<size_t>(k * 16 + 15)] = 'B';
    for (int k : {11, 12, 13, 14, 15}) record[static_cast<size_t>(15 * 16 + k)] = 'B';
    Board b;
    ASSERT_TRUE(b.SetUp(record));
    ASSERT_EQ(b.Take(1), Change::Taken);
    ASSERT_EQ(b.Drop(1, 2), Change::Dropped);  // the X on (1,1) (0,2) (1,2) (2,2) (1,3)
    const PieceGrid upright = CatalogueGrid(0);
    PieceGrid lying{};
    lying[kBoxCentre] = {1, 1, 1, 1, 1};
    struct Case {
        const PieceGrid* grid;
        int column, row;
        bool fits;
        const char* what;
    };
    for (const Case& c : {Case{&upright, 4, 2, true, "down the square's right column"},
                          {&upright, 4, 1, false, "one cell above the board"},
                          {&upright, 4, 13, false, "onto cells outside the shape"},
                          {&lying, 2, 0, true, "along the top row"},
                          {&lying, 1, 0, false, "one cell left of the board"},
                          {&upright, 15, 13, true, "down the right edge"},
                          {&upright, 15, 14, false, "one cell below the board"},
                          {&lying, 13, 15, true, "along the bottom edge"},
                          {&lying, 14, 15, false, "one cell right of the board"}})
        EXPECT_EQ(b.Fits(*c.grid, c.column, c.row), c.fits) << c.what;
}

TEST(RandomLevel, EveryLevelCanComeUpAndNoneOutsideTheRange) {
    struct Case {
        double r;
        int count, level;
    };
    for (const Case& c : {Case{0.0, 40, 0}, {0.024999, 40, 0}, {0.025, 40, 1}, {0.5, 40, 20},
                          {4294967295.0 / 4294967296.0, 40, 39}, {std::nextafter(1.0, 0.0), 40, 39},
                          {std::nextafter(1.0, 0.0), 1, 0}, {0.7, 3, 2}})
        EXPECT_EQ(RandomLevel(c.r, c.count), c.level) << c.r << " of " << c.count;
}
