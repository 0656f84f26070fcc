// The shape of the day: pieces joined edge to edge from a seed made of the date, proved by the solver.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levels/day.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace levels {

namespace {

// A generator whose every output is fixed by its integer arithmetic alone,
// so the same date gives the same shape on every system and compiler.
class SplitMix {
public:
    explicit SplitMix(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }

private:
    std::uint64_t state_;
};

// Monday 5 pieces, one more each day to 10 on Saturday, all twelve on Sunday.
int PiecesOnDay(int weekday) { return weekday == 6 ? kPieceCount : 5 + weekday; }

// The shape is assembled on a square of this side, which keeps it compact.
constexpr int kSide = 10;

// Search budgets in solver steps (counted, not timed, so every machine makes
// the same choice): each shape's proof that it has one tiling, and all the
// proofs of a date together.
constexpr std::uint64_t kProofSteps = 300'000;
constexpr std::uint64_t kDaySteps = 6'000'000;
// Tilings are counted up to this many, to keep the shape with the fewest.
constexpr std::uint64_t kFewTilings = 20;

struct Assembly {
    Tiling tiling{kSide, kSide, std::vector<int>(kSide * kSide, -1)};
    PieceSet pieces = 0;
};

// The pieces put down one by one in random order, each in one of the ways
// it can touch the shape so far along the most edges (or one fewer), so the
// shape grows as a compact blob; nullopt when a piece finds no place.
std::optional<Assembly> Assemble(int count, SplitMix& rng) {
    std::vector<int> order(kPieceCount);
    for (int p = 0; p < kPieceCount; ++p) order[p] = p;
    for (int i = kPieceCount - 1; i > 0; --i) std::swap(order[i], order[rng.Below(i + 1)]);
    Assembly a;
    auto in = [&](int x, int y) { return x >= 0 && y >= 0 && x < kSide && y < kSide && a.tiling.At(x, y) >= 0; };
    struct Spot {
        int orientation, x, y, contact;
    };
    for (int k = 0; k < count; ++k) {
        const int p = order[k];
        const auto& orientations = Orientations(p);
        std::vector<Spot> spots;
        int most = 0;
        for (int o = 0; o < static_cast<int>(orientations.size()); ++o)
            for (int y = 0; y < kSide; ++y)
                for (int x = 0; x < kSide; ++x) {
                    int contact = 0;
                    bool fits = true;
                    for (Cell c : orientations[o]) {
                        const int cx = x + c.x, cy = y + c.y;
                        fits = fits && cx < kSide && cy < kSide && !in(cx, cy);
                        contact += in(cx - 1, cy) + in(cx + 1, cy) + in(cx, cy - 1) + in(cx, cy + 1);
                    }
                    if (!fits || (k > 0 && contact == 0)) continue;
                    spots.push_back({o, x, y, contact});
                    most = std::max(most, contact);
                }
        const int slack = count == kPieceCount ? 2 : 1;
        std::erase_if(spots, [&](const Spot& s) { return s.contact + slack < most; });
        if (spots.empty()) return std::nullopt;
        const Spot s = spots[static_cast<size_t>(rng.Below(static_cast<int>(spots.size())))];
        for (Cell c : orientations[s.orientation]) a.tiling.piece[(s.y + c.y) * kSide + s.x + c.x] = p;
        a.pieces = static_cast<PieceSet>(a.pieces | (1u << p));
    }
    return a;
}

Shape ShapeOf(const Tiling& t) {
    Shape s(t.width, t.height);
    for (int y = 0; y < t.height; ++y)
        for (int x = 0; x < t.width; ++x) s.Set(x, y, t.At(x, y) >= 0);
    return s;
}

}  // namespace

int DayOfWeek(int year, int month, int day) {
    // Days since 1 March of year 0 in the proleptic Gregorian calendar, whose
    // day 0 fell on a Wednesday.
    const long y = month <= 2 ? year - 1 : year;
    const long m = month <= 2 ? month + 9 : month - 3;
    const long days = 365 * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + day - 1;
    return static_cast<int>((days % 7 + 7 + 2) % 7);
}

// Shapes are assembled from the date's seed one after the other; the first
// the solver proves to have a single tiling (up to its symmetries) within
// its budget is the shape of the day. When the budget runs out first, the
// shape with the fewest tilings among those counted to the end wins (the
// first of them on a tie), else the first shape assembled.
Level ShapeOfTheDay(int year, int month, int day) {
    SplitMix rng((static_cast<std::uint64_t>(year) * 16 + static_cast<std::uint64_t>(month)) * 32 +
                 static_cast<std::uint64_t>(day));
    const int count = PiecesOnDay(DayOfWeek(year, month, day));
    std::optional<Assembly> best;
    std::uint64_t bestTilings = UINT64_MAX;
    for (std::uint64_t spent = 0; spent < kDaySteps;) {
        const auto a = Assemble(count, rng);
        if (!a) continue;
        SearchControl control{nullptr, count == kPieceCount ? 5 * kProofSteps : kProofSteps};
        const CountUpTo tilings = CountTilingsUpTo(ShapeOf(a->tiling), a->pieces, kFewTilings, control);
        spent += std::max<std::uint64_t>(control.steps, 1);
        const std::uint64_t known = control.stopped || !tilings.first ? UINT64_MAX - 1 : tilings.distinct;
        if (!best || known < bestTilings) best = a, bestTilings = known;
        if (known == 1) break;
    }
    // A piece that finds no place spoils only its own attempt: the next
    // seeds of the stream are tried until a shape is made.
    while (!best) best = Assemble(count, rng);
    const auto proof = SolveOne(ShapeOf(best->tiling), best->pieces);
    return CentredLevel("forme du jour", proof ? *proof : best->tiling);
}

}  // namespace levels
