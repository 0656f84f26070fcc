// Counting tilings, the job level authors repeat most.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include "levels/solver.h"

namespace {

using levels::Shape;

Shape Rect(int w, int h) {
    Shape s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.Set(x, y, true);
    return s;
}

Shape CentreHole() {
    Shape s = Rect(8, 8);
    for (int y = 3; y <= 4; ++y)
        for (int x = 3; x <= 4; ++x) s.Set(x, y, false);
    return s;
}

void Count(benchmark::State& state, const Shape& shape, std::uint64_t expected) {
    for (auto _ : state) {
        const auto counts = levels::CountTilings(shape);
        if (counts.distinct != expected) state.SkipWithError("wrong count");
        benchmark::DoNotOptimize(counts);
    }
}

void BM_Count6x10(benchmark::State& state) { Count(state, Rect(6, 10), 2339); }
void BM_Count10x6(benchmark::State& state) { Count(state, Rect(10, 6), 2339); }
void BM_Count8x8CentreHole(benchmark::State& state) { Count(state, CentreHole(), 65); }
void BM_Count5x12(benchmark::State& state) { Count(state, Rect(5, 12), 1010); }
void BM_Count3x20(benchmark::State& state) { Count(state, Rect(3, 20), 2); }

void BM_SolveOne6x10(benchmark::State& state) {
    const Shape shape = Rect(6, 10);
    for (auto _ : state) benchmark::DoNotOptimize(levels::SolveOne(shape));
}

}  // namespace

BENCHMARK(BM_Count6x10)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Count10x6)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Count8x8CentreHole)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Count5x12)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Count3x20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SolveOne6x10)->Unit(benchmark::kMicrosecond);
