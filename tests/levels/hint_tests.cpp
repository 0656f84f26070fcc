// The hint engine checked against full counts on partial boards of shipped
// levels, and its cancellation. The tool's hint command: the tool tests.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/hint.h"

#include <gtest/gtest.h>
#include <thread>

#include "levels/level_text.h"
#include "levels/pack_files.h"

namespace levels {
namespace {

constexpr PieceSet Bit(int p) { return static_cast<PieceSet>(1u << p); }

Shape EmptyOf(const HintBoard& b) {
    Shape s(kBoard, kBoard);
    for (int i = 0; i < kBoard * kBoard; ++i) s.Set(i % kBoard, i / kBoard, b.cell[i] == kHintEmpty);
    return s;
}
bool Finishable(const HintBoard& b, PieceSet left) { return SolveOne(EmptyOf(b), left).has_value(); }

// Every legal drop of a piece left, as the boards it gives.
std::vector<HintBoard> Drops(const HintBoard& b, PieceSet left) {
    std::vector<HintBoard> out;
    for (int p = 0; p < kPieceCount; ++p)
        for (const auto& o : left & Bit(p) ? Orientations(p) : std::vector<std::vector<Cell>>{})
            for (int at = 0; at < kBoard * kBoard; ++at) {
                HintBoard next = b;
                for (Cell c : o) {
                    const int x = at % kBoard + c.x, y = at / kBoard + c.y;
                    if (x < kBoard && y < kBoard && b.At(x, y) == kHintEmpty) next.Set(x, y, p);
                }
                if (std::count(next.cell.begin(), next.cell.end(), p) == 5) out.push_back(next);
            }
    return out;
}

PieceSet LeftOn(const HintBoard& b, PieceSet all) {
    for (auto c : b.cell)
        if (c >= 0) all &= static_cast<PieceSet>(~Bit(c));
    return all;
}

TEST(Hint, AgreesWithFullCountsOnPartialBoards) {
    std::string text, error;
    ASSERT_TRUE(ReadFile(TESSALOR_LEVEL_SOURCE, text, error)) << error;
    const auto levels = ParseSource(text, "catalogue").levels;
    struct Sample {
        int level, drops, stride;
    };
    std::vector<HintBoard> boards;
    std::vector<PieceSet> pieces;
    // Small levels two drops deep (dead ends, pockets), big ones one drop.
    for (auto [n, drops, stride] : {Sample{5, 2, 5}, {13, 2, 7}, {17, 2, 13}, {24, 1, 23}, {22, 1, 41}, {38, 1, 53}}) {
        HintBoard start;
        for (int i = 0; i < kBoard * kBoard; ++i)
            if (levels[n].cell[i] >= 0) start.cell[i] = kHintEmpty;
        std::vector<HintBoard> layer{start};
        for (int d = 0; d < drops; ++d) {
            std::vector<HintBoard> next;
            for (const HintBoard& b : layer)
                for (const HintBoard& c : Drops(b, LeftOn(b, PiecesOf(levels[n])))) next.push_back(c);
            layer.clear();
            for (size_t i = 0; i < next.size(); i += stride) layer.push_back(next[i]);
        }
        boards.insert(boards.end(), layer.begin(), layer.end());
        pieces.insert(pieces.end(), layer.size(), PiecesOf(levels[n]));
    }
    // Two 3 x 5 pockets beside a placed I: the regions share one pool.
    HintBoard pockets;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) pockets.Set(x, y, x == 3 ? 0 : kHintEmpty);
    boards.push_back(pockets);
    pieces.push_back(kAllPieces);
    int solvable = 0, culprits = 0, faults[3] = {};
    for (size_t k = 0; k < boards.size(); ++k) {
        const HintBoard& b = boards[k];
        const PieceSet left = LeftOn(b, pieces[k]);
        const int held = k % 2 ? std::countr_zero(static_cast<unsigned>(left)) : -1;
        const HintResult r = FindHint(b, left, held);
        const Shape empty = EmptyOf(b);
        const auto ways = CountTilings(empty, left).raw;
        SCOPED_TRACE("board " + std::to_string(k));
        ASSERT_EQ(r.verdict, ways > 0 ? HintVerdict::Solvable : HintVerdict::DeadEnd);
        EXPECT_EQ(r.ways.value_or(ways), ways);
        if (r.verdict == HintVerdict::Solvable) {
            ++solvable;
            ASSERT_TRUE(r.piece >= 0 && (left & Bit(r.piece)) && IsPiece(r.piece, r.cells));
            EXPECT_TRUE(held < 0 || empty.Area() < 5 * PieceCountOf(left) || r.piece == held);
            HintBoard after = b;
            for (Cell c : r.cells) {
                EXPECT_EQ(b.At(c.x, c.y), kHintEmpty);
                after.Set(c.x, c.y, r.piece);
            }
            EXPECT_TRUE(Finishable(after, static_cast<PieceSet>(left & ~Bit(r.piece))));
            continue;
        }
        ++faults[static_cast<int>(r.fault)];
        for (Cell c : r.region) EXPECT_EQ(b.At(c.x, c.y), kHintEmpty);
        EXPECT_TRUE(r.fault != RegionFault::Size || r.region.size() % 5 != 0);
        HintBoard alone;
        for (Cell c : r.region) alone.Set(c.x, c.y, kHintEmpty);
        EXPECT_TRUE(r.fault != RegionFault::NoFit || !Finishable(alone, left));
        // The culprit is a placed piece whose removal finishes; none only when no removal does.
        std::vector<int> fixers;
        for (int p = 0; p < kPieceCount; ++p) {
            HintBoard freed = b;
            std::replace(freed.cell.begin(), freed.cell.end(), static_cast<std::int8_t>(p), kHintEmpty);
            if (freed.cell != b.cell && Finishable(freed, left | Bit(p))) fixers.push_back(p);
        }
        culprits += r.culprit >= 0;
        EXPECT_TRUE(r.culprit >= 0 ? std::count(fixers.begin(), fixers.end(), r.culprit) == 1 : fixers.empty());
    }
    // The sample reaches every kind of answer.
    EXPECT_GT(solvable, 0);
    EXPECT_GT(culprits, 0);
    for (int f : faults) EXPECT_GT(f, 0);
}

TEST(Hint, CancelGivesNoStaleAnswer) {
    HintBoard board;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) board.Set(x, y, kHintEmpty);
    const HintOptions countAll{UINT64_MAX, true};  // seconds of counting
    std::atomic<bool> cancel{true};
    EXPECT_EQ(FindHint(board, kAllPieces, -1, countAll, &cancel).verdict, HintVerdict::Cancelled);
    cancel = false;
    HintResult r;
    r.verdict = HintVerdict::Solvable;
    std::thread worker([&] { r = FindHint(board, kAllPieces, 3, countAll, &cancel); });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    cancel = true;
    worker.join();
    EXPECT_EQ(r.verdict, HintVerdict::Cancelled);
    EXPECT_TRUE(!r.ways && r.piece < 0 && r.cells.empty() && r.culprit < 0);
}

}  // namespace
}  // namespace levels
