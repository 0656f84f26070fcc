// The workshop's verdict: region faults, reach, the count of tilings, the automatic piece set.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/workshop.h"

#include <algorithm>
#include <map>

#include "levels/hint.h"

namespace levels {

namespace {

bool Raised(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

// A tiling of the cropped shape, back on the board where the shape was drawn.
Level OnBoard(Cell corner, const Tiling& tiling) {
    Level level;
    level.cell.fill(-1);
    for (int y = 0; y < tiling.height; ++y)
        for (int x = 0; x < tiling.width; ++x)
            level.cell[(y + corner.y) * kBoard + x + corner.x] = static_cast<std::int8_t>(tiling.At(x, y));
    return level;
}

// The shape's cells that no placement of any piece of the set covers.
std::vector<Cell> Unreachable(const BoardShape& board, PieceSet pieces) {
    std::array<bool, kBoard * kBoard> reached{};
    for (int p = 0; p < kPieceCount; ++p) {
        if (!(pieces & (1u << p))) continue;
        for (const auto& o : Orientations(p))
            for (int y = 0; y < kBoard; ++y)
                for (int x = 0; x < kBoard; ++x) {
                    const bool fits = std::all_of(o.begin(), o.end(), [&](Cell c) {
                        return x + c.x < kBoard && y + c.y < kBoard && board.in[(y + c.y) * kBoard + x + c.x];
                    });
                    if (fits)
                        for (Cell c : o) reached[(y + c.y) * kBoard + x + c.x] = true;
                }
    }
    std::vector<Cell> out;
    for (int i = 0; i < kBoard * kBoard; ++i)
        if (board.in[i] && !reached[i]) out.push_back({i % kBoard, i / kBoard});
    return out;
}

// Search budgets of the automatic choice, in solver steps (a step is a few
// tens of nanoseconds): the survey of every set after its first tiling,
// and the count of each candidate set.
constexpr std::uint64_t kSurveySteps = 1'500'000;
constexpr std::uint64_t kCandidateSteps = 400'000;
constexpr size_t kCandidates = 4;

struct Choice {
    bool cancelled = false;
    PieceSet pieces = 0;  // 0: no set tiles the shape
    std::optional<CountUpTo> count;  // the chosen set's count, when it was completed
};

// The automatic set: the shape's tilings by any of the twelve pieces (each
// at most once) are surveyed in search order, tallied by the set of pieces
// they use, for a bounded number of steps once the first is found (the first
// is searched for to the end, so a shape no set tiles is proved so). The
// sets with the fewest tilings in the survey, up to four, then have their
// tilings counted, each within its own budget; the set with the fewest wins
// (ties: the fewer in the survey, then the lower pieces). When no count
// ends within its budget, the set with the fewest in the survey wins. The
// survey is complete for small shapes and a sample for large ones, so the
// choice is exact for the first and a best effort for the second.
Choice ChooseSet(const Shape& shape, const std::atomic<bool>* cancel) {
    Choice out;
    std::map<PieceSet, std::uint64_t> tally;
    SearchControl survey{cancel};
    ForEachTiling(
        shape, kAllPieces,
        [&](const Tiling& t) {
            PieceSet used = 0;
            for (int p : t.piece)
                if (p >= 0) used = static_cast<PieceSet>(used | (1u << p));
            if (tally.empty()) survey.stepLimit = survey.steps + kSurveySteps;
            ++tally[used];
            return true;
        },
        &survey);
    if (Raised(cancel)) return {true, 0, std::nullopt};
    if (tally.empty()) return out;

    std::vector<std::pair<std::uint64_t, PieceSet>> bySurvey;
    for (auto [set, n] : tally) bySurvey.push_back({n, set});
    std::sort(bySurvey.begin(), bySurvey.end());
    bySurvey.resize(std::min(bySurvey.size(), kCandidates));
    out.pieces = bySurvey.front().second;
    for (auto [n, set] : bySurvey) {
        SearchControl control{cancel, kCandidateSteps};
        const CountUpTo count = CountTilingsUpTo(shape, set, kWaysCeiling, control);
        if (Raised(cancel)) return {true, 0, std::nullopt};
        if (control.stopped) continue;
        if (!out.count || count.distinct < out.count->distinct) {
            out.pieces = set;
            out.count = count;
        }
    }
    return out;
}

}  // namespace

Verdict JudgeShape(const BoardShape& shape, const std::atomic<bool>* cancel) {
    Verdict v;
    if (Raised(cancel)) return v;
    v.cells = shape.Cells();
    v.pieces = shape.pieces & kAllPieces;
    if (v.cells == 0) {
        v.kind = VerdictKind::Empty;
        return v;
    }
    auto impossible = [&](ImpossibleWhy why, std::vector<Cell> where) {
        v.kind = VerdictKind::Impossible;
        v.why = why;
        v.where = std::move(where);
        return v;
    };

    HintBoard board;
    for (int i = 0; i < kBoard * kBoard; ++i)
        if (shape.in[i]) board.cell[i] = kHintEmpty;
    for (auto& region : EmptyRegions(board))
        if (region.size() % 5 != 0) return impossible(ImpossibleWhy::RegionSize, std::move(region));
    const auto unreachable = Unreachable(shape, v.pieces ? v.pieces : kAllPieces);
    if (!unreachable.empty()) return impossible(ImpossibleWhy::Unreachable, unreachable);
    const bool wrongCount = v.pieces ? v.cells != 5 * PieceCountOf(v.pieces) : v.cells > 5 * kPieceCount;
    if (wrongCount) return impossible(ImpossibleWhy::WrongCount, {});

    Cell corner;
    const Shape box = BoxShapeOf(shape, &corner);
    std::optional<CountUpTo> count;
    if (!v.pieces && v.cells == 5 * kPieceCount) v.pieces = kAllPieces;  // the only set of sixty cells
    if (!v.pieces) {
        const Choice choice = ChooseSet(box, cancel);
        if (choice.cancelled) return {};
        if (!choice.pieces) return impossible(ImpossibleWhy::NoTiling, {});
        v.pieces = choice.pieces;
        count = choice.count;
    }
    if (!count) {
        SearchControl control{cancel};
        count = CountTilingsUpTo(box, v.pieces, kWaysCeiling, control);
        if (control.stopped) return {};
    }
    if (!count->first) return impossible(ImpossibleWhy::NoTiling, {});
    v.kind = VerdictKind::Ways;
    v.ways = count->distinct;
    v.more = count->more;
    v.tiling = OnBoard(corner, *count->first);
    return v;
}

}  // namespace levels
