// Benchmark: a drag step shown in a real window.
// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a drag step in a real window: composition plus the upload to the
// X server. Needs a display; without one it says so and exits 0.
//   xvfb-run -a -s "-screen 0 1024x768x24" build-bench/bench_present
// Goal: within 100 us median for the whole refresh of a drag step.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/forms.h"
#include "platform/sdl_host.h"

namespace {

plat::SdlHost* host = nullptr;

// The main window's layout: 720 x 488 with the play area at (0, 24).
struct Window {
    plat::Form form{"bench"};
    plat::PictureBox screen{"screen"};
    plat::Surface piece{240, 120};
    Window() {
        form.Move(0, 0, 720, 488);
        form.SetBackColor(plat::RGB(0, 42, 0));
        form.Picture = plat::Surface(720, 488, plat::Pixel(0, 60, 0));
        screen.Move(0, 24, 720, 384);
        screen.Image = plat::Surface(720, 384, plat::Pixel(0, 42, 0));
        form.Add(screen);
        piece.Fill({0, 0, 120, 120}, 0);
        piece.Fill({120, 0, 120, 120}, plat::Pixel(200, 40, 40));
        piece.TakeDirty();
        form.Show();
        plat::DoEvents();
    }
};

Window* window = nullptr;

// Small steps across the board, as a hand drags.
std::vector<std::pair<int, int>> DragPath() {
    std::vector<std::pair<int, int>> path;
    int x = 60, y = 60, dx = 4, dy = 3;
    for (int i = 0; i < 4096; ++i) {
        path.emplace_back(x, y);
        if (x + dx < 60 || x + dx > 660) dx = -dx;
        if (y + dy < 60 || y + dy > 324) dy = -dy;
        x += dx;
        y += dy;
    }
    return path;
}

// With only_refresh the clock runs around pctEcran.Refresh() alone.
void DragStep(benchmark::State& state, bool only_refresh) {
    Window& w = *window;
    plat::Surface& s = w.screen.Image;
    const plat::Surface& pic = w.form.Picture;
    const auto path = DragPath();
    size_t i = 0;
    int hx = path[0].first, hy = path[0].second;
    for (auto _ : state) {
        const auto [x, y] = path[i++ % path.size()];
        plat::BitBlt(s, hx - 60, hy - 60, 120, 120, pic, hx - 60, hy - 36, plat::SRCCOPY);
        plat::BitBlt(s, x - 60, y - 60, 120, 120, w.piece, 0, 0, plat::SRCAND);
        plat::BitBlt(s, x - 60, y - 60, 120, 120, w.piece, 120, 0, plat::SRCPAINT);
        plat::BitBlt(s, 0, 0, 24, 384, pic, 0, 24, plat::SRCCOPY);
        plat::BitBlt(s, 696, 0, 24, 384, pic, 696, 24, plat::SRCCOPY);
        hx = x;
        hy = y;
        const auto t0 = std::chrono::steady_clock::now();
        w.screen.Refresh();
        if (only_refresh)
            state.SetIterationTime(
                std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
}

void HostPresent120(benchmark::State& state) {
    Window& w = *window;
    const auto path = DragPath();
    size_t i = 0;
    std::vector<plat::Rect> rects(1);
    for (auto _ : state) {
        const auto [x, y] = path[i++ % path.size()];
        rects[0] = {x - 60, y - 36, 120, 120};
        host->Present(w.form, rects);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) {
        std::puts("bench_present: no DISPLAY, nothing measured (run it under xvfb-run)");
        return 0;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    plat::SdlHost sdl;
    std::string error;
    if (!sdl.Init(&error)) {
        std::fprintf(stderr, "bench_present: %s\n", error.c_str());
        return 1;
    }
    host = &sdl;
    plat::SetHost(&sdl);
    {
        Window w;
        window = &w;
        auto median = [](benchmark::internal::Benchmark* b) {
            b->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
        };
        // The X server does its share in another process: wall time counts.
        median(benchmark::RegisterBenchmark("DragStep/copies+refresh",
                                            [](benchmark::State& s) { DragStep(s, false); })
                   ->UseRealTime());
        median(benchmark::RegisterBenchmark("DragStep/refresh_only(compose+upload)",
                                            [](benchmark::State& s) { DragStep(s, true); })
                   ->UseManualTime());
        median(benchmark::RegisterBenchmark("SdlHost::Present/120x120", HostPresent120)
                   ->UseRealTime());
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        window = nullptr;
    }
    plat::SetHost(nullptr);
    return 0;
}
