// Drawing costs of the play area, without a display.
// SPDX-License-Identifier: GPL-3.0-or-later
//   cmake --build build-bench --target bench_drawing && build-bench/bench_drawing
// Goals: a drag step (copies, and the whole handler) within 10 us median;
// setting up a level within 1 ms median; no drag step over 20 ms while the
// hint engine searches on another thread; the shapes chooser (F4) open and
// drawn within a second with 10,000 of the player's own shapes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <limits>
#include <thread>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/modtessa.h"
#include "base/pack.h"
#include "levels/catalogue.h"
#include "levels/hint.h"
#include "levels/level_text.h"
#include "platform/headless.h"
#include "flow/flow.h"
#include "flow/own_shapes.h"
#include "platform/worker.h"
#include "ui/frmtessa.h"
#include "ui/shapes.h"

namespace fs = std::filesystem;
using namespace modTessa;

namespace {

struct Point {
    int x, y;
};

// A drag path over the whole play area, a few pixels per mouse event, as a
// hand moves; it crosses the trays so the edge strips merge in sometimes.
std::vector<Point> DragPath() {
    std::vector<Point> path;
    int x = 60, y = 60, dx = 4, dy = 3;
    for (int i = 0; i < 4096; ++i) {
        path.push_back({x, y});
        if (x + dx < 60 || x + dx > 660) dx = -dx;
        if (y + dy < 60 || y + dy > 324) dy = -dy;
        x += dx;
        y += dy;
    }
    return path;
}

void DragStepCopies(benchmark::State& state) {
    plat::Surface screen(720, 384, plat::Pixel(0, 42, 0));
    plat::Surface window(720, 488, plat::Pixel(0, 60, 0));
    plat::Surface piece(240, 120, plat::Pixel(255, 255, 255));
    const std::vector<Point> path = DragPath();
    size_t i = 0;
    int heldX = path[0].x, heldY = path[0].y;
    for (auto _ : state) {
        const Point p = path[i++ % path.size()];
        plat::BitBlt(screen, heldX - 60, heldY - 60, 120, 120, window, heldX - 60, heldY - 36,
                     plat::SRCCOPY);
        plat::BitBlt(screen, p.x - 60, p.y - 60, 120, 120, piece, 0, 0, plat::SRCAND);
        plat::BitBlt(screen, p.x - 60, p.y - 60, 120, 120, piece, 120, 0, plat::SRCPAINT);
        plat::BitBlt(screen, 0, 0, 24, 384, window, 0, 24, plat::SRCCOPY);
        plat::BitBlt(screen, 696, 0, 24, 384, window, 696, 24, plat::SRCCOPY);
        heldX = p.x;
        heldY = p.y;
        // The refresh after each step takes the changed rectangles.
        benchmark::DoNotOptimize(screen.TakeDirty());
        benchmark::ClobberMemory();
    }
}

// The main window on the headless host, with its own data and save folders.
struct Game {
    plat::HeadlessHost host;
    fs::path root;
    std::unique_ptr<frmTessa> form;

    Game() {
        root = fs::temp_directory_path() / ("tessalor-bench-" + std::to_string(getpid()));
        fs::remove_all(root);
        const fs::path data = root / "game";
        fs::create_directories(data);
        setenv("XDG_DATA_HOME", (root / "xdg").c_str(), 1);
        setenv("TESSALOR_LOCK_FILE", (root / "lock").c_str(), 1);
        const fs::path shipped(TESSALOR_DATA_DIR);
        fs::copy_file(shipped / "tessa32c.dat", data / "tessa32c.dat");
        for (int i = 0; i < pack::kMaxPacks; ++i) {
            const fs::path p = shipped / pack::PackFileName(i);
            if (fs::exists(p)) fs::copy_file(p, data / p.filename());
        }
        plat::SetHost(&host);
        form = std::make_unique<frmTessa>();
        const std::string dir = data.string();
        form->ExecutableDirectory = [dir] { return dir; };
        form->Show();
    }
    ~Game() {
        form.reset();
        plat::SetHost(nullptr);
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // Sets the level up and picks its first tray piece up by a click on it.
    bool HoldPiece(int level) {
        form->SetUpLevel(level);
        form->state.bLevelActive = true;
        for (int p = 0; p < rules::kPieceCount; ++p) {
            if (!form->state.board.tabInTray[p]) continue;
            const auto& slot = catalogue::kPieces[static_cast<size_t>(p)];
            for (int r = 0; r < 5; ++r)
                for (int c = 0; c < 5; ++c) {
                    const int x = slot.trayX + 24 * c + 12, y = slot.trayY + 24 * r + 12;
                    if (!rules::CatalogueGrid(p)[r][c] || x < 0 || x >= 720) continue;
                    form->pctEcran_MouseDown(plat::vbLeftButton, 0, static_cast<float>(x),
                                             static_cast<float>(y));
                    return form->state.board.nHeldPiece == p;
                }
        }
        return false;
    }
};

Game* game = nullptr;

void MouseMoveHandler(benchmark::State& state, bool compose) {
    frmTessa& f = *game->form;
    if (!game->HoldPiece(0)) {
        state.SkipWithError("no piece could be picked up");
        return;
    }
    // A window that is not open skips Runtime::Present entirely.
    f.windowOpen = compose;
    const std::vector<Point> path = DragPath();
    const int presentsBefore = game->host.PresentCount(f);
    size_t i = 0;
    for (auto _ : state) {
        const Point p = path[i++ % path.size()];
        f.pctEcran_MouseMove(0, 0, static_cast<float>(p.x), static_cast<float>(p.y));
        if (!compose) benchmark::DoNotOptimize(f.pctEcran.Image.TakeDirty());
        benchmark::ClobberMemory();
    }
    f.windowOpen = true;
    // 1 when every step reached the host, 0 when composition was left out.
    state.counters["presents/step"] = benchmark::Counter(
        game->host.PresentCount(f) - presentsBefore, benchmark::Counter::kAvgIterations);
}

// The drag step, handler and composition, while the hint engine counts
// every tiling of the 6 x 10 rectangle on another thread: a search of
// seconds, longer than any hint on the shipped levels. The slowest step is
// what a player would feel.
void MouseMoveWhileHintSolves(benchmark::State& state) {
    frmTessa& f = *game->form;
    if (!game->HoldPiece(0)) {
        state.SkipWithError("no piece could be picked up");
        return;
    }
    levels::HintBoard board;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) board.Set(x, y, levels::kHintEmpty);
    std::atomic<bool> cancel{false};
    levels::HintOptions endless;
    endless.countSteps = std::numeric_limits<std::uint64_t>::max();
    std::thread worker([&] { levels::FindHint(board, levels::kAllPieces, -1, endless, &cancel); });
    const std::vector<Point> path = DragPath();
    std::vector<double> steps;
    size_t i = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const Point p = path[i++ % path.size()];
        f.pctEcran_MouseMove(0, 0, static_cast<float>(p.x), static_cast<float>(p.y));
        benchmark::ClobberMemory();
        steps.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    cancel = true;
    worker.join();
    std::sort(steps.begin(), steps.end());
    state.counters["p99_ms"] = steps[steps.size() * 99 / 100];
    state.counters["max_ms"] = steps.back();
}

void SetUpLevelBench(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state) {
        game->form->SetUpLevel(level);
        benchmark::ClobberMemory();
    }
}

}  // namespace

// F4 with 10,000 of the player's own shapes (each shipped level 250 times,
// under names of their own): the file read, every row's code, the chooser
// shown and its rows in view drawn. The classes are left to the worker, as
// in the game, so they never hold the opening up.
void ChooserOpens(benchmark::State& state) {
    GameState& gs = game->form->state;
    std::string text;
    for (int n = 0; n < 10000; ++n) {
        levels::Level level;
        std::string error;
        levels::FromRecord(LevelRecord(gs, n % gs.nLevelCount), level, error, true);
        level.name = "forme " + std::to_string(n);
        text += (n ? "\n" : "") + levels::FormatSource({level});
    }
    fs::create_directories(game->root / "xdg" / "tessalor");
    std::FILE* f = std::fopen(OwnShapesPath().c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    plat::Worker worker;
    game->host.worker = &worker;
    size_t rows = 0;
    for (auto _ : state) {
        frmFormes chooser(gs, game->form->pctBrique.Image, game->form.get());
        chooser.Show();
        rows = chooser.lstShapes.entries.size();
        chooser.Unload();
    }
    game->host.worker = nullptr;
    state.counters["rows"] = static_cast<double>(rows);
    fs::remove(OwnShapesPath());
}

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    Game g;
    game = &g;
    if (g.form->state.nLevelCount < 1) {
        std::fprintf(stderr, "bench_drawing: no levels in %s\n", TESSALOR_DATA_DIR);
        return 1;
    }

    auto median = [](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
    };
    median(benchmark::RegisterBenchmark("DragStepCopies", DragStepCopies));
    median(benchmark::RegisterBenchmark(
        "MouseMoveHandler/handler+copies+composition,no_window_upload",
        [](benchmark::State& s) { MouseMoveHandler(s, true); }));
    median(benchmark::RegisterBenchmark("MouseMoveHandler/handler+copies,no_composition",
                                        [](benchmark::State& s) { MouseMoveHandler(s, false); }));
    benchmark::RegisterBenchmark("MouseMoveWhileHintSolves", MouseMoveWhileHintSolves)
        ->Unit(benchmark::kMicrosecond)
        ->MinTime(2.0);
    auto* setup = benchmark::RegisterBenchmark("SetUpLevel", SetUpLevelBench);
    const int count = g.form->state.nLevelCount;
    for (int n : {0, count / 2, count - 1}) setup->Arg(n);
    median(setup);
    benchmark::RegisterBenchmark("ChooserOpens/10000_own_shapes", ChooserOpens)
        ->Unit(benchmark::kMillisecond)
        ->Iterations(5)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    game = nullptr;
    return 0;
}
