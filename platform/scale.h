// Integer scaling of the whole window for large screens: the game draws at
// its own size, the host shows every pixel as a square of scale x scale.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "assets/look.h"
#include <cstdint>
#include <string>

namespace plat {

inline constexpr int kMaxScale = 4;

// "1".."4" -> that number; anything else -> 0.
int ParseScale(const char* text);

// The factor to use: the player's choice (command line, then
// TESSALOR_SCALE) wins; else the desktop's GDK_SCALE; else 2 from an
// Xft.dpi of 144 or more. Invalid values count as absent.
int ChooseScale(int asked, const char* envScale, const char* gdkScale, const std::string& xResources);

// The main window's size at scale 1, from the game's look.
inline constexpr int kWindowWidth = look::kWindowWidth, kWindowHeight = look::kWindowHeight;

// The scale the window opens at, on a screen whose usable area is areaW x
// areaH (0 x 0 when unknown): ChooseScale's, except that the desktop's wish
// (GDK_SCALE, Xft.dpi) is lowered to the largest scale whose window fits,
// 1 when none does. The player's own choice stays; *tooLarge then says
// whether its window overflows the area.
int ChooseFittingScale(int asked, const char* envScale, const char* gdkScale, const std::string& xResources,
                       int areaW, int areaH, bool* tooLarge);

// Xft.dpi from the X resource string ("Xft.dpi:\t192\n..."), 0 when absent.
double XftDpi(const std::string& xResources);

// Floor division, also for negative positions (pointer left of the window).
inline int Unscale(int v, int scale) { return v >= 0 ? v / scale : -((-v + scale - 1) / scale); }

// The game on a full screen of screenW x screenH: the largest integer scale
// at which a form of formW x formH fits (1 when none does), and where its
// top-left lies, centred (negative where the form is larger than the screen).
struct Placement {
    int scale = 1, x = 0, y = 0;
    bool operator==(const Placement&) const = default;
};
Placement FitOnScreen(int screenW, int screenH, int formW, int formH);
// A window pixel to the form pixel shown there, the form drawn at `offset`.
inline int FormPixel(int v, int offset, int scale) { return Unscale(v - offset, scale); }

// One row of 0x00RRGGBB pixels, each repeated `scale` times.
void EnlargeRow(const std::uint32_t* src, int count, int scale, std::uint32_t* dst);

}  // namespace plat
