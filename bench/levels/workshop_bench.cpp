// Benchmark: the workshop's verdict on shapes drawn from the shipped levels.
// SPDX-License-Identifier: GPL-3.0-or-later
// Each case is a shipped level with 0 to 10 cells toggled at random (a fixed
// seed) in its bounding box grown by one cell, judged with the level's
// pieces and with none chosen ("automatique"); then how fast a cancel stops
// the slowest case.
//   build/bench_workshop [SOURCE] [--cases N]   (BENCH_SLOW=1: list the cases over 100 ms)
// Goals: p95 <= 100 ms, p99 <= 300 ms.
#include <atomic>
#include <cstdlib>
#include <map>
#include <random>
#include <thread>

#include "bench/levels/bench_support.h"
#include "levels/workshop.h"

namespace {

using namespace levels;

BoardShape Changed(const Level& level, std::mt19937& rng) {
    BoardShape shape = BoardShapeOf(level);
    int x0 = kBoard, y0 = kBoard, x1 = 0, y1 = 0;
    for (int i = 0; i < kBoard * kBoard; ++i)
        if (shape.in[i])
            x0 = std::min(x0, i % kBoard), x1 = std::max(x1, i % kBoard), y0 = std::min(y0, i / kBoard),
            y1 = std::max(y1, i / kBoard);
    x0 = std::max(0, x0 - 1), y0 = std::max(0, y0 - 1);
    x1 = std::min(kBoard - 1, x1 + 1), y1 = std::min(kBoard - 1, y1 + 1);
    const int changes = static_cast<int>(rng() % 11);
    for (int k = 0; k < changes; ++k) {
        const int x = x0 + static_cast<int>(rng() % static_cast<unsigned>(x1 - x0 + 1));
        const int y = y0 + static_cast<int>(rng() % static_cast<unsigned>(y1 - y0 + 1));
        shape.in[y * kBoard + x] = !shape.in[y * kBoard + x];
    }
    return shape;
}

const char* KindOf(const Verdict& v) {
    static const char* why[] = {"", "region size", "unreachable", "wrong count", "no tiling"};
    switch (v.kind) {
    case VerdictKind::Empty: return "empty";
    case VerdictKind::Ways: return v.more ? "ways, more than the ceiling" : "ways";
    case VerdictKind::Cancelled: return "CANCELLED";
    default: return why[static_cast<int>(v.why)];
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string source = TESSALOR_LEVEL_SOURCE;
    int count = 400;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--cases" && i + 1 < argc) count = std::max(1, std::atoi(argv[++i]));
        else source = a;
    }
    std::vector<Level> shipped;
    if (!bench::LoadLevels(source, "bench_workshop", shipped)) return 1;

    std::mt19937 rng(27);
    BoardShape slowest;
    double slowestMs = 0;
    for (const bool automatic : {false, true}) {
        std::vector<double> ms;
        std::map<std::string, int> kinds;
        for (int i = 0; i < count; ++i) {
            BoardShape shape = Changed(shipped[rng() % shipped.size()], rng);
            if (automatic) shape.pieces = 0;
            const auto t0 = bench::Clock::now();
            const Verdict v = JudgeShape(shape);
            ms.push_back(bench::Ms(bench::Clock::now() - t0));
            ++kinds[KindOf(v)];
            if (std::getenv("BENCH_SLOW") && ms.back() > 100)
                std::printf("  %.0f ms: %d cells, pieces %03x, %s %llu\n", ms.back(), v.cells, v.pieces, KindOf(v),
                            static_cast<unsigned long long>(v.ways));
            if (ms.back() > slowestMs) slowestMs = ms.back(), slowest = shape;
        }
        std::printf("%d shapes, %s:", count, automatic ? "pieces chosen by the solver" : "the level's pieces");
        for (const auto& [kind, n] : kinds) std::printf(" %s %d,", kind.c_str(), n);
        std::printf("\n");
        bench::PrintFigures(automatic ? "verdict (automatique)" : "verdict", ms);
    }

    // A cancel raised 5 ms into the slowest case: how long until it returns.
    std::atomic<bool> cancel{false};
    Verdict late;
    std::thread worker([&] { late = JudgeShape(slowest, &cancel); });
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const auto raised = bench::Clock::now();
    cancel = true;
    worker.join();
    std::printf("cancel 5 ms into the slowest case (%.1f ms): returned %s %.2f ms after the flag\n", slowestMs,
                late.kind == VerdictKind::Cancelled ? "cancelled" : "A VERDICT", bench::Ms(bench::Clock::now() - raised));
    return 0;
}
