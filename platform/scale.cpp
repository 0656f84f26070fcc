// Choosing the window scale and enlarging rows of pixels.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/scale.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace plat {

int ParseScale(const char* text) {
    if (!text || text[0] < '1' || text[0] > '0' + kMaxScale || text[1] != '\0') return 0;
    return text[0] - '0';
}

double XftDpi(const std::string& xResources) {
    std::istringstream in(xResources);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("Xft.dpi:", 0) != 0) continue;
        char* end = nullptr;
        const double dpi = std::strtod(line.c_str() + 8, &end);
        return end != line.c_str() + 8 && dpi > 0 && dpi < 10000 ? dpi : 0;
    }
    return 0;
}

int ChooseScale(int asked, const char* envScale, const char* gdkScale, const std::string& xResources) {
    if (asked >= 1 && asked <= kMaxScale) return asked;
    if (const int s = ParseScale(envScale)) return s;
    if (const int s = ParseScale(gdkScale)) return s;
    return XftDpi(xResources) >= 144 ? 2 : 1;
}

int ChooseFittingScale(int asked, const char* envScale, const char* gdkScale, const std::string& xResources,
                       int areaW, int areaH, bool* tooLarge) {
    int scale = ChooseScale(asked, envScale, gdkScale, xResources);
    const auto fits = [&](int s) {
        return areaW <= 0 || areaH <= 0 || (kWindowWidth * s <= areaW && kWindowHeight * s <= areaH);
    };
    const bool playerChose = (asked >= 1 && asked <= kMaxScale) || ParseScale(envScale);
    if (!playerChose)
        while (scale > 1 && !fits(scale)) --scale;
    *tooLarge = playerChose && !fits(scale);
    return scale;
}

Placement FitOnScreen(int screenW, int screenH, int formW, int formH) {
    Placement p;
    if (formW > 0 && formH > 0) p.scale = std::max(1, std::min(screenW / formW, screenH / formH));
    p.x = (screenW - formW * p.scale) / 2;
    p.y = (screenH - formH * p.scale) / 2;
    return p;
}

void EnlargeRow(const std::uint32_t* src, int count, int scale, std::uint32_t* dst) {
    for (int i = 0; i < count; ++i)
        for (int k = 0; k < scale; ++k) *dst++ = src[i];
}

}  // namespace plat
