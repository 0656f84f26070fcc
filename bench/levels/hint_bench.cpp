// Benchmark: the hint verdict and its cancel on the shipped levels.
// SPDX-License-Identifier: GPL-3.0-or-later
// Time of the hint verdict over every legal first drop of every piece on the
// shipped levels of 10 pieces or more, then how fast a cancel stops the
// slowest of those boards; the culprit search on a tenth of the dead ends.
//   build/bench_hint [SOURCE] [--every N]   (N: one board in N)
// Goals: p95 <= 20 ms, p99 <= 60 ms.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "bench/levels/bench_support.h"
#include "levels/hint.h"

namespace {

using namespace levels;
using bench::At;
using bench::Clock;
using bench::Ms;

struct Case {
    HintBoard board;
    PieceSet left;
};

int bigLevels = 0;

std::vector<Case> FirstDrops(const std::vector<Level>& levels) {
    std::vector<Case> out;
    for (const Level& level : levels) {
        const PieceSet pieces = PiecesOf(level);
        if (PieceCountOf(pieces) < 10) continue;
        ++bigLevels;
        HintBoard empty;
        for (int i = 0; i < kBoard * kBoard; ++i)
            if (level.cell[i] >= 0) empty.cell[i] = kHintEmpty;
        for (int p = 0; p < kPieceCount; ++p) {
            if (!(pieces & (1u << p))) continue;
            for (const auto& o : Orientations(p))
                for (int y = 0; y < kBoard; ++y)
                    for (int x = 0; x < kBoard; ++x) {
                        Case c{empty, static_cast<PieceSet>(pieces & ~(1u << p))};
                        bool fits = true;
                        for (Cell cell : o) {
                            const int cx = x + cell.x, cy = y + cell.y;
                            fits = fits && cx < kBoard && cy < kBoard && empty.At(cx, cy) == kHintEmpty;
                            if (fits) c.board.Set(cx, cy, p);
                        }
                        if (fits) out.push_back(c);
                    }
        }
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    std::string source = TESSALOR_LEVEL_SOURCE;
    size_t every = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--every" && i + 1 < argc) every = std::max(1, std::atoi(argv[++i]));
        else source = a;
    }
    std::vector<Level> shipped;
    if (!bench::LoadLevels(source, "bench_hint", shipped)) return 1;
    const std::vector<Case> all = FirstDrops(shipped);
    std::vector<Case> cases;
    for (size_t i = 0; i < all.size(); i += every) cases.push_back(all[i]);

    // The verdict alone, then the verdict with the count of ways as the
    // first request of a board asks for it.
    HintOptions verdictOnly{0, false}, withCount{HintOptions{}.countSteps, false};
    std::vector<double> verdict, counted, explained;
    size_t solvable = 0, slowest = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        auto t0 = Clock::now();
        const HintResult r = FindHint(cases[i].board, cases[i].left, -1, verdictOnly);
        verdict.push_back(Ms(Clock::now() - t0));
        t0 = Clock::now();
        const HintResult c = FindHint(cases[i].board, cases[i].left, -1, withCount);
        counted.push_back(Ms(Clock::now() - t0));
        if (r.verdict != c.verdict) std::fprintf(stderr, "bench_hint: board %zu: verdicts differ\n", i);
        solvable += r.verdict == HintVerdict::Solvable;
        if (r.verdict == HintVerdict::DeadEnd && i % 10 == 0) {
            // The second request on a dead end: one more search per piece touching the holes.
            t0 = Clock::now();
            FindHint(cases[i].board, cases[i].left, -1, HintOptions{0, true});
            explained.push_back(Ms(Clock::now() - t0));
        }
        if (verdict[i] > verdict[slowest]) slowest = i;
    }

    // A cancel raised 5 ms into the slowest board: how long until it returns.
    std::atomic<bool> cancel{false};
    HintResult late;
    Clock::time_point raised;
    std::thread worker([&] { late = FindHint(cases[slowest].board, cases[slowest].left, -1, verdictOnly, &cancel); });
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    raised = Clock::now();
    cancel = true;
    worker.join();
    const double stop = Ms(Clock::now() - raised);

    const double slowestMs = verdict[slowest];
    std::sort(verdict.begin(), verdict.end());
    std::sort(counted.begin(), counted.end());
    std::printf("%zu boards (%zu solvable) from %d levels of 10 pieces or more\n", cases.size(), solvable,
                bigLevels);
    std::printf("with the count of ways: median %.2f ms, p95 %.2f ms, p99 %.2f ms, max %.2f ms\n", At(counted, 0.5),
                At(counted, 0.95), At(counted, 0.99), counted.back());
    std::sort(explained.begin(), explained.end());
    if (!explained.empty())
        std::printf("what is wrong, on %zu dead ends: median %.2f ms, p95 %.2f ms, max %.2f ms\n", explained.size(),
                    At(explained, 0.5), At(explained, 0.95), explained.back());
    std::printf("cancel 5 ms into the slowest board (%.1f ms): returned %s %.2f ms after the flag\n", slowestMs,
                late.verdict == HintVerdict::Cancelled ? "cancelled" : "A VERDICT", stop);
    std::printf("hint: median %.2f ms, p95 %.2f ms, p99 %.2f ms, max %.2f ms\n", At(verdict, 0.5), At(verdict, 0.95),
                At(verdict, 0.99), verdict.back());
    return 0;
}
