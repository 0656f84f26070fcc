// The hint engine: can the board still be filled, one placement, what is wrong.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/hint.h"

#include <algorithm>
#include <bit>

namespace levels {

namespace {

using Region = std::vector<Cell>;

bool Raised(const std::atomic<bool>* cancel) { return cancel && cancel->load(std::memory_order_relaxed); }

// True when some piece left has a placement inside the region.
bool AnyPieceFits(const Region& region, PieceSet left) {
    std::array<bool, kBoard * kBoard> in{};
    for (Cell c : region) in[c.y * kBoard + c.x] = true;
    for (int p = 0; p < kPieceCount; ++p) {
        if (!(left & (1u << p))) continue;
        for (const auto& o : Orientations(p))
            for (Cell anchor : region) {
                bool fits = true;
                for (Cell c : o) {
                    const int x = anchor.x + c.x - o[0].x, y = anchor.y + c.y - o[0].y;
                    if (x < 0 || y < 0 || x >= kBoard || y >= kBoard || !in[y * kBoard + x]) {
                        fits = false;
                        break;
                    }
                }
                if (fits) return true;
            }
    }
    return false;
}

// The regions as one solver shape: each cropped to its bounding box, turned
// upright (taller than wide, so the solver scans it along its short side),
// and stacked smallest first with a blank row between. The solver then fills
// one region after the other, the small pockets first, instead of weaving
// through all of them.
struct Stack {
    Shape shape;
    std::vector<int> boardIndex;  // stack grid position -> board cell index, -1 outside
};

Stack StackRegions(std::vector<Region> regions) {
    std::stable_sort(regions.begin(), regions.end(),
                     [](const Region& a, const Region& b) { return a.size() < b.size(); });
    struct Box {
        int x0, y0, w, h;
        bool turned;
    };
    std::vector<Box> boxes;
    int width = 0, height = 0;
    for (const Region& r : regions) {
        int x0 = kBoard, y0 = kBoard, x1 = 0, y1 = 0;
        for (Cell c : r) {
            x0 = std::min(x0, c.x), y0 = std::min(y0, c.y), x1 = std::max(x1, c.x), y1 = std::max(y1, c.y);
        }
        Box b{x0, y0, x1 - x0 + 1, y1 - y0 + 1, false};
        if (b.w > b.h) b.turned = true;
        width = std::max(width, b.turned ? b.h : b.w);
        height += (height ? 1 : 0) + (b.turned ? b.w : b.h);
        boxes.push_back(b);
    }
    Stack s{Shape(width, height), std::vector<int>(static_cast<size_t>(width * height), -1)};
    int top = 0;
    for (size_t k = 0; k < regions.size(); ++k) {
        const Box& b = boxes[k];
        for (Cell c : regions[k]) {
            int x = c.x - b.x0, y = c.y - b.y0;
            if (b.turned) std::swap(x, y);
            s.shape.Set(x, top + y, true);
            s.boardIndex[(top + y) * width + x] = c.y * kBoard + c.x;
        }
        top += (b.turned ? b.w : b.h) + 1;
    }
    return s;
}

struct Search {
    bool cancelled = false;
    bool found = false;
    std::optional<std::uint64_t> ways;
    std::array<std::int8_t, kBoard * kBoard> fill{};  // a completion: piece per board cell, -1 elsewhere
};

Search Cancelled() {
    Search s;
    s.cancelled = true;
    return s;
}

// Solves the regions together (they share the pieces), counting the ways
// within the step budget; the completion kept uses the held piece if any.
Search SolveRegions(const std::vector<Region>& regions, PieceSet left, int held, std::uint64_t countSteps,
                    const std::atomic<bool>* cancel) {
    Search out;
    const Stack stack = StackRegions(regions);
    auto keep = [&](const Tiling& t) {
        out.fill.fill(-1);
        for (size_t i = 0; i < t.piece.size(); ++i)
            if (t.piece[i] >= 0) out.fill[stack.boardIndex[i]] = static_cast<std::int8_t>(t.piece[i]);
    };
    auto uses = [](const Tiling& t, int p) { return std::find(t.piece.begin(), t.piece.end(), p) != t.piece.end(); };

    SearchControl control{cancel};
    std::uint64_t count = 0;
    bool kept = false, quit = false;
    ForEachTiling(
        stack.shape, left,
        [&](const Tiling& t) {
            if (++count == 1) {
                control.stepLimit = control.steps + std::min(countSteps, UINT64_MAX - control.steps);
                keep(t);
            }
            if (!kept && (held < 0 || uses(t, held))) {
                keep(t);
                kept = true;
            }
            quit = kept && countSteps == 0;
            return !quit;
        },
        &control);
    if (Raised(cancel)) return Cancelled();
    out.found = count > 0;
    if (!control.stopped && !quit) out.ways = count;
    if (out.found && !kept && control.stopped) {
        // The budget ran out before a completion used the held piece; with
        // spare pieces there may be none, and the first completion stays.
        SearchControl again{cancel};
        ForEachTiling(
            stack.shape, left,
            [&](const Tiling& t) {
                if (!uses(t, held)) return true;
                keep(t);
                kept = true;
                return false;
            },
            &again);
        if (Raised(cancel)) return Cancelled();
    }
    return out;
}

}  // namespace

std::vector<std::vector<Cell>> EmptyRegions(const HintBoard& board) {
    std::vector<std::vector<Cell>> out;
    std::array<bool, kBoard * kBoard> seen{};
    for (int start = 0; start < kBoard * kBoard; ++start) {
        if (seen[start] || board.cell[start] != kHintEmpty) continue;
        std::vector<Cell> r;
        std::vector<int> todo{start};
        seen[start] = true;
        while (!todo.empty()) {
            const int i = todo.back();
            todo.pop_back();
            const int x = i % kBoard, y = i / kBoard;
            r.push_back({x, y});
            const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
            for (auto [nx, ny] : next) {
                const int j = ny * kBoard + nx;
                if (nx < 0 || ny < 0 || nx >= kBoard || ny >= kBoard) continue;
                if (seen[j] || board.cell[j] != kHintEmpty) continue;
                seen[j] = true;
                todo.push_back(j);
            }
        }
        std::sort(r.begin(), r.end(), [](Cell a, Cell b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
        out.push_back(std::move(r));
    }
    return out;
}

HintResult FindHint(const HintBoard& board, PieceSet left, int held, const HintOptions& options,
                    const std::atomic<bool>* cancel) {
    HintResult result;
    left &= kAllPieces;
    if (held >= 0 && !(left & (1u << held))) held = -1;
    if (Raised(cancel)) return result;
    const std::vector<Region> regions = EmptyRegions(board);

    // Quick refusals, region by region, before the search over all of them.
    auto fault = [&](RegionFault why, const Region& r) {
        result.fault = why;
        result.region = r;
    };
    int area = 0;
    for (const Region& r : regions) {
        area += static_cast<int>(r.size());
        if (result.fault == RegionFault::None && r.size() % 5 != 0) fault(RegionFault::Size, r);
    }
    for (const Region& r : regions)
        if (result.fault == RegionFault::None && !AnyPieceFits(r, left)) fault(RegionFault::NoFit, r);
    if (result.fault == RegionFault::None && regions.size() > 1 && area <= 5 * PieceCountOf(left)) {
        std::vector<const Region*> bySize;
        for (const Region& r : regions) bySize.push_back(&r);
        std::stable_sort(bySize.begin(), bySize.end(), [](auto a, auto b) { return a->size() < b->size(); });
        for (const Region* r : bySize) {
            const Search alone = SolveRegions({*r}, left, -1, 0, cancel);
            if (alone.cancelled) return {};
            if (!alone.found) {
                fault(RegionFault::NoFit, *r);
                break;
            }
        }
    }

    if (result.fault == RegionFault::None && area <= 5 * PieceCountOf(left)) {
        const Search whole = SolveRegions(regions, left, held, options.countSteps, cancel);
        if (whole.cancelled) return {};
        result.ways = whole.ways;
        if (whole.found) {
            result.verdict = HintVerdict::Solvable;
            const bool heldFits = std::find(whole.fill.begin(), whole.fill.end(), held) != whole.fill.end();
            int piece = held >= 0 && heldFits ? held : -1;
            for (int i = 0; piece < 0 && i < kBoard * kBoard; ++i) piece = whole.fill[i];
            result.piece = piece;
            for (int i = 0; piece >= 0 && i < kBoard * kBoard; ++i)
                if (whole.fill[i] == piece) result.cells.push_back({i % kBoard, i / kBoard});
            return result;
        }
    }
    result.verdict = HintVerdict::DeadEnd;
    result.ways = 0;
    if (!options.explain) return result;

    // A culprit touches the empty cells: freeing any other piece leaves a
    // pocket only that piece fills, and the rest as stuck as before.
    for (int p = 0; p < kPieceCount; ++p) {
        HintBoard without = board;
        bool placed = false, touches = false;
        for (int i = 0; i < kBoard * kBoard; ++i) {
            if (board.cell[i] != p) continue;
            placed = true;
            without.cell[i] = kHintEmpty;
            const int x = i % kBoard, y = i / kBoard;
            touches = touches || (x > 0 && board.At(x - 1, y) == kHintEmpty) ||
                      (x + 1 < kBoard && board.At(x + 1, y) == kHintEmpty) ||
                      (y > 0 && board.At(x, y - 1) == kHintEmpty) ||
                      (y + 1 < kBoard && board.At(x, y + 1) == kHintEmpty);
        }
        if (!placed || !touches || (left & (1u << p))) continue;
        const HintResult freed = FindHint(without, left | static_cast<PieceSet>(1u << p), -1, {0, false}, cancel);
        if (freed.verdict == HintVerdict::Cancelled) return {};
        if (freed.verdict == HintVerdict::Solvable) {
            result.culprit = p;
            break;
        }
    }
    return result;
}

}  // namespace levels
