// Benchmark: the shape of the day over 366 consecutive dates.
// SPDX-License-Identifier: GPL-3.0-or-later
// Times the generation and proof of each date's shape, checks each is tiled
// by its own pieces, and prints per weekday the pieces and how many have a
// single tiling.
//   build/bench_day [YYYY-MM-DD] [--days N]   (default: 2027-01-01, 366 days)
// Goal: p95 <= 1 s.
#include <array>
#include <cstdlib>

#include "bench/levels/bench_support.h"
#include "levels/day.h"

namespace {

using namespace levels;

int DaysIn(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    return m == 2 && leap ? 29 : kDays[m - 1];
}

}  // namespace

int main(int argc, char** argv) {
    int y = 2027, m = 1, d = 1, days = 366;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--days" && i + 1 < argc) days = std::max(1, std::atoi(argv[++i]));
        else if (std::sscanf(a.c_str(), "%d-%d-%d", &y, &m, &d) != 3) return std::fprintf(stderr, "bench_day: bad date %s\n", a.c_str()), 2;
    }
    static const char* const kNames[] = {"lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi", "dimanche"};
    struct Tally {
        int shapes = 0, unique = 0, piecesMin = 99, piecesMax = 0;
        std::uint64_t tilings = 0, most = 0;
    };
    std::array<Tally, 7> week{};
    std::vector<double> ms;
    int unsolvable = 0;
    for (int n = 0; n < days; ++n) {
        const auto t0 = bench::Clock::now();
        const Level level = ShapeOfTheDay(y, m, d);
        ms.push_back(bench::Ms(bench::Clock::now() - t0));
        const PieceSet pieces = PiecesOf(level);
        const Counts counts = CountTilings(ShapeOf(level), pieces);
        Tally& t = week[DayOfWeek(y, m, d)];
        ++t.shapes;
        t.unique += counts.distinct == 1;
        t.tilings += counts.distinct;
        t.most = std::max(t.most, counts.distinct);
        t.piecesMin = std::min(t.piecesMin, PieceCountOf(pieces));
        t.piecesMax = std::max(t.piecesMax, PieceCountOf(pieces));
        if (counts.distinct == 0 || !CheckPieces(level).empty()) {
            ++unsolvable;
            std::printf("%04d-%02d-%02d: NOT TILED BY ITS PIECES\n", y, m, d);
        }
        if (++d > DaysIn(y, m)) d = 1, m = m == 12 ? 1 : m + 1, y = m == 1 ? y + 1 : y;
    }
    for (int w = 0; w < 7; ++w) {
        const Tally& t = week[w];
        std::printf("%-9s %3d shapes, %d to %d pieces, %3d with one tiling, %.1f tilings on average, at most %llu\n",
                    kNames[w], t.shapes, t.piecesMin, t.piecesMax, t.unique,
                    t.shapes ? static_cast<double>(t.tilings) / t.shapes : 0.0, static_cast<unsigned long long>(t.most));
    }
    std::printf("%d days, %d not solvable\n", days, unsolvable);
    bench::PrintFigures("shape of the day, made and proved", ms);
    return unsolvable ? 1 : 0;
}
