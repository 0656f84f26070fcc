// Benchmark: a drag step shown at scale 1 and 2.
// SPDX-License-Identifier: GPL-3.0-or-later
// A drag step shown at scale 1 and 2, and a bare SDL window-surface update of
// the same areas, in one run: X round trips vary from day to day, so the
// figures to compare are the ratios. Goal: scale 2 within 2.5x of scale 1.
//   xvfb-run -a -s "-screen 0 1920x1200x24" build-bench/bench_scale
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/forms.h"
#include "platform/sdl_host.h"

namespace {

constexpr int kSteps = 1500;
using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The rectangle a 120x120 piece box covers before and after a step of (4, 3).
SDL_Rect StepRect(int i) {
    const int x = 60 + (i * 4) % 540, y = 60 + (i * 3) % 260;
    return SDL_Rect{x, y, 124, 123};
}

// Microseconds per drag step through the game's own present path.
double GameStep(int scale) {
    plat::SdlHost host;
    host.SetScale(scale);
    std::string error;
    if (!host.Init(&error)) return -1;
    plat::SetHost(&host);
    std::vector<double> us;
    {
        plat::Form form("bench");
        form.Move(0, 0, 720, 488);
        form.Picture = plat::Surface(720, 488, plat::Pixel(0, 60, 0));
        form.Show();
        plat::DoEvents();
        for (int i = 0; i < kSteps; ++i) {
            const SDL_Rect r = StepRect(i);
            form.Picture.Fill({r.x, r.y, r.w, r.h}, plat::Pixel(i & 255, 40, 40));
            const auto t0 = Clock::now();
            form.Refresh();
            us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
        }
        form.Unload();
    }
    plat::SetHost(nullptr);
    return Median(us);
}

// Microseconds per update of the same area (times scale) on a plain window.
double BareStep(int scale) {
    // As the game does: SDL_Quit cleared the hint.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) return -1;
    SDL_Window* w = SDL_CreateWindow("bare", 0, 0, 720 * scale, 488 * scale, SDL_WINDOW_BORDERLESS);
    SDL_Surface* out = w ? SDL_GetWindowSurface(w) : nullptr;
    std::vector<double> us;
    std::vector<Uint32> src(static_cast<size_t>(124 * scale), 0x00204020);
    for (int i = 0; out && i < kSteps; ++i) {
        SDL_Rect r = StepRect(i);
        r = SDL_Rect{r.x * scale, r.y * scale, r.w * scale, r.h * scale};
        const auto t0 = Clock::now();
        for (int y = r.y; y < r.y + r.h; ++y)
            std::memcpy(static_cast<char*>(out->pixels) + y * out->pitch + r.x * 4, src.data(), r.w * 4u);
        SDL_UpdateWindowSurfaceRects(w, &r, 1);
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    if (w) SDL_DestroyWindow(w);
    SDL_Quit();
    return us.empty() ? -1 : Median(us);
}

}  // namespace

int main() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::printf("bench_scale: no display (%s), nothing measured\n", SDL_GetError());
        return 0;
    }
    SDL_Quit();
    const double g1 = GameStep(1), g2 = GameStep(2), b1 = BareStep(1), b2 = BareStep(2);
    std::printf("drag step, median of %d: game scale 1 %.1f us, scale 2 %.1f us; bare update %.1f us (1x), %.1f us (2x)\n",
                kSteps, g1, g2, b1, b2);
    std::printf("ratios: scale 2 / scale 1 = %.2f (goal <= 2.5); scale 1 / bare 1x = %.2f; scale 2 / bare 2x = %.2f\n",
                g2 / g1, g1 / b1, g2 / b2);
    return 0;
}
