// The exact-cover search that tiles a shape with pentominoes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/solver.h"

#include <algorithm>
#include <array>
#include <bit>

#include "levels/catalogue.h"
#include "levels/transform.h"

namespace levels {

int PieceCountOf(PieceSet set) { return std::popcount(static_cast<unsigned>(set & kAllPieces)); }

Shape::Shape(int width, int height)
    : width_(width), height_(height), inside_(static_cast<size_t>(width * height), false) {}

int Shape::Area() const { return static_cast<int>(std::count(inside_.begin(), inside_.end(), true)); }

std::vector<Cell> Shape::Cells() const {
    std::vector<Cell> out;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            if (At(x, y)) out.push_back({x, y});
    return out;
}

namespace {

Cell Transform(Cell c, int t) {
    const Offset o = levels::Transform(Offset{c.x, c.y}, t);
    return {o.x, o.y};
}

std::vector<Cell> Normalise(std::vector<Cell> cells) {
    if (cells.empty()) return cells;
    int mx = cells[0].x, my = cells[0].y;
    for (const Cell& c : cells) {
        mx = std::min(mx, c.x);
        my = std::min(my, c.y);
    }
    for (Cell& c : cells) {
        c.x -= mx;
        c.y -= my;
    }
    std::sort(cells.begin(), cells.end(), [](Cell a, Cell b) { return a.y != b.y ? a.y < b.y : a.x < b.x; });
    return cells;
}

std::array<std::vector<std::vector<Cell>>, kPieceCount> BuildOrientations() {
    std::array<std::vector<std::vector<Cell>>, kPieceCount> all;
    for (int p = 0; p < kPieceCount; ++p) {
        std::vector<Cell> base;
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                if (catalogue::kPieces[p].rows[r][c] != '@') base.push_back({c, r});
        for (int t = 0; t < 8; ++t) {
            std::vector<Cell> cells;
            for (Cell c : base) cells.push_back(Transform(c, t));
            cells = Normalise(cells);
            if (std::find(all[p].begin(), all[p].end(), cells) == all[p].end()) all[p].push_back(cells);
        }
    }
    return all;
}

struct Placement {
    std::uint64_t mask;
    std::uint16_t bit;  // 1 << piece
    std::int8_t piece;
};

// The search state for one shape and piece set. Cells are numbered in scan
// order along the shorter side of the bounding box, so that a shape and its
// transpose take the same search.
class Engine {
public:
    Engine(const Shape& shape, PieceSet pieces) : shape_(shape) {
        const int w = shape.Width(), h = shape.Height();
        index_.assign(static_cast<size_t>(w * h), -1);
        const bool columnMajor = w > h;
        const int outer = columnMajor ? w : h, inner = columnMajor ? h : w;
        for (int a = 0; a < outer; ++a)
            for (int b = 0; b < inner; ++b) {
                const int x = columnMajor ? a : b, y = columnMajor ? b : a;
                if (!shape.At(x, y)) continue;
                index_[y * w + x] = static_cast<int>(cells_.size());
                cells_.push_back({x, y});
            }
        n_ = static_cast<int>(cells_.size());

        std::vector<std::vector<Placement>> byAnchor(static_cast<size_t>(n_));
        perPiece_.resize(kPieceCount);
        for (int p = 0; p < kPieceCount; ++p) {
            if (!(pieces & (1u << p))) continue;
            for (const auto& o : Orientations(p)) {
                int ow = 0, oh = 0;
                for (Cell c : o) {
                    ow = std::max(ow, c.x + 1);
                    oh = std::max(oh, c.y + 1);
                }
                for (int dy = 0; dy + oh <= h; ++dy)
                    for (int dx = 0; dx + ow <= w; ++dx) {
                        std::uint64_t mask = 0;
                        bool fits = true;
                        for (Cell c : o) {
                            const int i = index_[(c.y + dy) * w + c.x + dx];
                            if (i < 0) {
                                fits = false;
                                break;
                            }
                            mask |= std::uint64_t{1} << i;
                        }
                        if (!fits) continue;
                        const Placement pl{mask, static_cast<std::uint16_t>(1u << p), static_cast<std::int8_t>(p)};
                        byAnchor[static_cast<size_t>(std::countr_zero(mask))].push_back(pl);
                        perPiece_[p].push_back(mask);
                    }
            }
        }
        start_.push_back(0);
        for (auto& list : byAnchor) {
            placements_.insert(placements_.end(), list.begin(), list.end());
            start_.push_back(static_cast<int>(placements_.size()));
        }
        start_.push_back(static_cast<int>(placements_.size()));  // sentinel for a full board
    }

    int CellCount() const { return n_; }
    const std::vector<std::uint64_t>& PlacementsOf(int p) const { return perPiece_[p]; }
    std::uint64_t Outside() const { return ~((std::uint64_t{1} << n_) - 1); }

    // Permutations of cell numbers under the shape's own symmetries, identity first.
    std::vector<std::vector<int>> Symmetries() const {
        std::vector<std::vector<int>> out;
        const auto base = Normalise(cells_);
        int bx = cells_[0].x, by = cells_[0].y;
        for (Cell c : cells_) {
            bx = std::min(bx, c.x);
            by = std::min(by, c.y);
        }
        for (int t = 0; t < 8; ++t) {
            std::vector<Cell> moved;
            for (Cell c : cells_) moved.push_back(Transform(c, t));
            int mx = moved[0].x, my = moved[0].y;
            for (Cell c : moved) {
                mx = std::min(mx, c.x);
                my = std::min(my, c.y);
            }
            std::vector<int> perm(static_cast<size_t>(n_));
            bool ok = true;
            for (int i = 0; i < n_ && ok; ++i) {
                const Cell c{moved[i].x - mx + bx, moved[i].y - my + by};
                if (c.x >= shape_.Width() || c.y >= shape_.Height() || !shape_.At(c.x, c.y)) ok = false;
                else perm[i] = index_[c.y * shape_.Width() + c.x];
            }
            if (ok && Normalise(moved) == base) out.push_back(std::move(perm));
        }
        return out;
    }

    static std::uint64_t Map(std::uint64_t mask, const std::vector<int>& perm) {
        std::uint64_t out = 0;
        for (; mask; mask &= mask - 1) out |= std::uint64_t{1} << perm[std::countr_zero(mask)];
        return out;
    }

    // Counts completions of a partial tiling; the hot loop of the solver.
    std::uint64_t Count(std::uint64_t filled, unsigned used) const {
        if (filled == ~std::uint64_t{0}) return 1;
        const int i = std::countr_zero(~filled);
        std::uint64_t total = 0;
        const Placement* end = placements_.data() + start_[i + 1];
        for (const Placement* pl = placements_.data() + start_[i]; pl != end; ++pl) {
            if ((used & pl->bit) || (filled & pl->mask)) continue;
            total += Count(filled | pl->mask, used | pl->bit);
        }
        return total;
    }

    // Visits every completion with the placements used; visit returns false to stop.
    template <class Visit>
    bool Enumerate(std::uint64_t filled, unsigned used, std::vector<const Placement*>& stack, Visit& visit,
                   SearchControl* control = nullptr) const {
        if (control && (++control->steps & 1023) == 0 &&
            (control->steps >= control->stepLimit ||
             (control->cancel && control->cancel->load(std::memory_order_relaxed)))) {
            control->stopped = true;
            return false;
        }
        if (filled == ~std::uint64_t{0}) return visit(stack);
        const int i = std::countr_zero(~filled);
        const Placement* end = placements_.data() + start_[i + 1];
        for (const Placement* pl = placements_.data() + start_[i]; pl != end; ++pl) {
            if ((used & pl->bit) || (filled & pl->mask)) continue;
            stack.push_back(pl);
            const bool more = Enumerate(filled | pl->mask, used | pl->bit, stack, visit, control);
            stack.pop_back();
            if (!more) return false;
        }
        return true;
    }

    Tiling ToTiling(const std::vector<const Placement*>& stack) const {
        Tiling t{shape_.Width(), shape_.Height(), std::vector<int>(static_cast<size_t>(shape_.Width() * shape_.Height()), -1)};
        for (const Placement* pl : stack)
            for (std::uint64_t m = pl->mask; m; m &= m - 1) {
                const Cell c = cells_[std::countr_zero(m)];
                t.piece[c.y * t.width + c.x] = pl->piece;
            }
        return t;
    }

private:
    const Shape& shape_;
    int n_ = 0;
    std::vector<int> index_;   // grid position -> cell number, -1 outside
    std::vector<Cell> cells_;  // cell number -> grid position
    std::vector<Placement> placements_;
    std::vector<int> start_;   // placements anchored at cell i: [start_[i], start_[i+1])
    std::vector<std::vector<std::uint64_t>> perPiece_;
};

// The piece whose placements fall into the fewest orbits under the shape's
// symmetries, and the smallest placement of each orbit: fixing that piece at
// each of these in turn gives every tiling once up to symmetry, in the
// smallest search.
std::pair<int, std::vector<std::uint64_t>> FewestOrbits(const Engine& engine, PieceSet pieces,
                                                       const std::vector<std::vector<int>>& syms) {
    int best = -1;
    std::vector<std::uint64_t> bestReps;
    for (int p = 0; p < kPieceCount; ++p) {
        if (!(pieces & (1u << p))) continue;
        std::vector<std::uint64_t> reps;
        for (std::uint64_t m : engine.PlacementsOf(p)) {
            bool smallest = true;
            for (size_t g = 1; g < syms.size() && smallest; ++g) smallest = Engine::Map(m, syms[g]) >= m;
            if (smallest) reps.push_back(m);
        }
        if (best < 0 || reps.size() < bestReps.size()) {
            best = p;
            bestReps = std::move(reps);
        }
    }
    return {best, bestReps};
}

// The non-identity symmetries that keep a placement where it is.
std::vector<size_t> Stabiliser(std::uint64_t placement, const std::vector<std::vector<int>>& syms) {
    std::vector<size_t> stab;
    for (size_t g = 1; g < syms.size(); ++g)
        if (Engine::Map(placement, syms[g]) == placement) stab.push_back(g);
    return stab;
}

bool Tileable(const Shape& shape, PieceSet pieces) {
    const int area = shape.Area();
    return area % 5 == 0 && area <= 5 * PieceCountOf(pieces);
}

}  // namespace

const std::vector<std::vector<Cell>>& Orientations(int p) {
    // Never destroyed: a hint may still read it on the worker thread while
    // the program's statics are torn down.
    static const auto& all = *new const auto(BuildOrientations());
    return all[p];
}

bool IsPiece(int p, std::vector<Cell> cells) {
    cells = Normalise(std::move(cells));
    const auto& os = Orientations(p);
    return std::find(os.begin(), os.end(), cells) != os.end();
}

void ForEachTiling(const Shape& shape, PieceSet pieces, const std::function<bool(const Tiling&)>& visit,
                   SearchControl* control) {
    if (!Tileable(shape, pieces)) return;
    const Engine engine(shape, pieces);
    std::vector<const Placement*> stack;
    auto leaf = [&](const std::vector<const Placement*>& s) { return visit(engine.ToTiling(s)); };
    engine.Enumerate(engine.Outside(), 0, stack, leaf, control);
}

std::optional<Tiling> SolveOne(const Shape& shape, PieceSet pieces, SearchControl* control) {
    std::optional<Tiling> found;
    ForEachTiling(
        shape, pieces,
        [&](const Tiling& t) {
            found = t;
            return false;
        },
        control);
    return found;
}

Counts CountTilings(const Shape& shape, PieceSet pieces) {
    Counts counts;
    if (!Tileable(shape, pieces)) return counts;
    if (shape.Area() == 0) return {1, 1};
    const Engine engine(shape, pieces);
    const auto syms = engine.Symmetries();
    const auto group = static_cast<std::uint64_t>(syms.size());
    std::vector<const Placement*> stack;

    auto isFixed = [](const std::vector<const Placement*>& s, const std::vector<int>& perm) {
        for (const Placement* pl : s)
            if (Engine::Map(pl->mask, perm) != pl->mask) return false;
        return true;
    };

    if (shape.Area() < 5 * PieceCountOf(pieces) || syms.size() == 1) {
        // Not every piece takes part, so no single piece can break the
        // symmetry: enumerate and apply Burnside's lemma.
        std::uint64_t fixedSum = 0;
        auto leaf = [&](const std::vector<const Placement*>& s) {
            ++counts.raw;
            for (size_t g = 1; g < syms.size(); ++g) fixedSum += isFixed(s, syms[g]);
            return true;
        };
        engine.Enumerate(engine.Outside(), 0, stack, leaf);
        counts.distinct = (counts.raw + fixedSum) / group;
        return counts;
    }

    // Every piece is used: fix one piece at one placement per symmetry orbit.
    const auto [best, bestReps] = FewestOrbits(engine, pieces, syms);
    const unsigned bit = 1u << best;
    for (std::uint64_t rep : bestReps) {
        const std::vector<size_t> stab = Stabiliser(rep, syms);
        const std::uint64_t filled = engine.Outside() | rep;
        if (stab.empty()) {
            const std::uint64_t c = engine.Count(filled, bit);
            counts.raw += c * group;
            counts.distinct += c;
            continue;
        }
        std::uint64_t c = 0, fixedSum = 0;
        auto leaf = [&](const std::vector<const Placement*>& s) {
            ++c;
            for (size_t g : stab) fixedSum += isFixed(s, syms[g]);
            return true;
        };
        engine.Enumerate(filled, bit, stack, leaf);
        const std::uint64_t stabSize = stab.size() + 1;
        counts.raw += c * (group / stabSize);
        counts.distinct += (c + fixedSum) / stabSize;
    }
    return counts;
}

CountUpTo CountTilingsUpTo(const Shape& shape, PieceSet pieces, std::uint64_t ceiling, SearchControl& control) {
    CountUpTo out;
    if (!Tileable(shape, pieces) || shape.Area() == 0) return out;
    const Engine engine(shape, pieces);
    const auto syms = engine.Symmetries();
    std::vector<const Placement*> stack;
    std::vector<std::uint64_t> mine, image;
    std::vector<size_t> among;  // the symmetries a tiling is compared under
    // A tiling counts when it is the smallest of its images (each as its
    // sorted placements), so once per orbit.
    auto leaf = [&](const std::vector<const Placement*>& s) {
        if (!out.first) {
            out.first = engine.ToTiling(s);
            out.stepsToFirst = control.steps;
        }
        mine.clear();
        for (const Placement* pl : s) mine.push_back(pl->mask);
        std::sort(mine.begin(), mine.end());
        for (size_t g : among) {
            image.clear();
            for (std::uint64_t m : mine) image.push_back(Engine::Map(m, syms[g]));
            std::sort(image.begin(), image.end());
            if (image < mine) return true;
        }
        out.more = ++out.distinct > ceiling;
        return !out.more;
    };
    if (shape.Area() < 5 * PieceCountOf(pieces) || syms.size() == 1) {
        for (size_t g = 1; g < syms.size(); ++g) among.push_back(g);
        engine.Enumerate(engine.Outside(), 0, stack, leaf, &control);
    } else {
        // Every piece takes part: one piece fixed at each orbit's smallest
        // placement, a tiling compared only under the symmetries keeping it.
        const auto [best, reps] = FewestOrbits(engine, pieces, syms);
        for (std::uint64_t rep : reps) {
            const Placement fixed{rep, static_cast<std::uint16_t>(1u << best), static_cast<std::int8_t>(best)};
            stack.assign(1, &fixed);
            among = Stabiliser(rep, syms);
            if (!engine.Enumerate(engine.Outside() | rep, fixed.bit, stack, leaf, &control)) break;
        }
    }
    if (out.more) out.distinct = ceiling + 1;
    return out;
}

}  // namespace levels
