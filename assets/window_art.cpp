// The main window's background picture and the about box picture.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <string>

#include "assets/art.h"
#include "levels/catalogue.h"

namespace art {

namespace {

Rgba PieceColour(int p) {
    const auto& d = catalogue::kPieces[static_cast<std::size_t>(p)];
    return {d.r, d.g, d.b, 255};
}

// A small bevelled square, the same look as the game's piece tiles.
void MiniTile(Image& img, int x, int y, int size, Rgba c) {
    img.fillRect(x, y, size, size, c);
    for (int i = 0; i < size; ++i) {
        img.at(x + i, y + size - 1) = Shade(c, 0.62);
        img.at(x + size - 1, y + i) = Shade(c, 0.62);
        if (i < size - 1) {
            img.at(x + i, y) = Shade(c, 0.85);
            img.at(x, y + i) = Shade(c, 0.85);
        }
    }
}

// Draws piece p's catalogue pattern with cells of the given size; (x, y) is the
// top-left of the pattern's occupied cells.
void MiniPiece(Image& img, int p, int x, int y, int cell) {
    const auto& rows = catalogue::kPieces[static_cast<std::size_t>(p)].rows;
    int minR = 5, minC = 5;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            if (rows[r][c] != '@') minR = std::min(minR, r), minC = std::min(minC, c);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            if (rows[r][c] != '@') MiniTile(img, x + (c - minC) * cell, y + (r - minR) * cell, cell, PieceColour(p));
}

int PatternWidth(int p) {
    const auto& rows = catalogue::kPieces[static_cast<std::size_t>(p)].rows;
    int lo = 5, hi = -1;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            if (rows[r][c] != '@') lo = std::min(lo, c), hi = std::max(hi, c);
    return hi - lo + 1;
}

// The window's outline: its body and its tab, with rounded corners.
Shape Outline(double inset) {
    const double r = look::kCornerRadius - inset;
    return Union({RoundRect(inset, inset, look::kWindowWidth - inset, look::kBodyHeight - inset, r),
                  RoundRect(inset, inset, look::kTabWidth - inset, look::kWindowHeight - inset, r)});
}

void Button(Image& img, const Font& font, const look::Rect& at, const std::string& label) {
    const int x = at.x, y = at.y, w = at.w, h = at.h;
    const Box box{double(x - 2), double(y - 2), double(x + w + 2), double(y + h + 2)};
    const double r = 7;
    // Soft drop shadow, dark rim, then a face lit from above.
    Fill(img, box, RoundRect(x + 0.5, y + 1.5, x + w + 1.0, y + h + 1.5, r), {0, 14, 0, 150});
    Fill(img, box, RoundRect(x, y, x + w, y + h, r), {0, 40, 0, 255});
    const Rgba top{66, 196, 66, 255}, bottom{10, 118, 10, 255};
    Fill(img, box, RoundRect(x + 1, y + 1, x + w - 1, y + h - 1, r - 1), [&](double, double py) {
        const double t = (py - y) / h;
        return t < 0.5 ? Mix(top, kButtonGreen, t / 0.5) : Mix(kButtonGreen, bottom, (t - 0.5) / 0.5);
    });
    Fill(img, box, Minus(RoundRect(x + 1, y + 1, x + w - 1, y + h - 1, r - 1), RoundRect(x + 1, y + 2.2, x + w - 1, y + h, r - 1)),
         {180, 255, 180, 120});
    const double cx = x + w / 2.0, cy = y + h / 2.0;
    font.drawCentred(img, label, cx, cy + 1, {120, 220, 120, 150});
    font.drawCentred(img, label, cx, cy, {0, 24, 0, 255});
}

// A row of raised dots: the grip of the drag strip.
void Grip(Image& img, int x0, int x1, int y) {
    for (int x = x0; x <= x1; x += 5)
        for (int row = 0; row < 2; ++row) {
            const int yy = y + row * 5, xx = x + row * 2;
            if (xx + 1 > x1) continue;
            img.fillRect(xx + 1, yy + 1, 2, 2, {0, 18, 0, 255});
            img.fillRect(xx, yy, 2, 2, {40, 150, 40, 255});
        }
}

}  // namespace

Image MakeBackground(const FontFiles& fonts) {
    constexpr int W = look::kWindowWidth, H = look::kWindowHeight;
    Image img(W, H, {0, 0, 0, 255});
    const Box all{0, 0, W, H};
    const Shape inside = Outline(0);

    // Base surface: the dialogs' dark green, very slightly mottled.
    Fill(img, all, inside, [](double x, double y) {
        const double n = SmoothNoise(x / 40.0, y / 40.0, 3) - 0.5;
        return Rgba{0, static_cast<std::uint8_t>(42 + std::lround(n * 6)), 0, 255};
    });

    // Top strip: a raised bar with the title and two grips.
    Fill(img, {0, 0, W, 24}, Intersect(inside, [](double, double y) { return y < 23; }), [](double, double y) {
        return Mix({0, 80, 0, 255}, {0, 44, 0, 255}, y / 23.0);
    });
    img.fillRect(0, 23, W, 1, {0, 16, 0, 255});
    {
        const Font title(fonts.bold, 15);
        const int tw = title.inkWidth("Tessalor");
        title.drawCentred(img, "Tessalor", 360, 12.5, {0, 16, 0, 255});
        title.drawCentred(img, "Tessalor", 360, 11.5, {150, 255, 150, 255});
        Grip(img, 72, 360 - tw / 2 - 18, 6);
        Grip(img, 360 + tw / 2 + 16, 646, 6);
    }

    // Trays: felt a little lighter than the frame, darkening towards the outside.
    auto felt = [](double x, double y, double edgeX) {
        const double n = SmoothNoise(x / 5.0, y / 5.0, 7) * 0.6 + Hash01(int(x), int(y), 9) * 0.4;
        const double fade = std::min(1.0, std::abs(x - edgeX) / 160.0);
        const int g = static_cast<int>(std::lround(62 - 14 * fade + (n - 0.5) * 8));
        return Rgba{0, static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(g / 8), 255};
    };
    Fill(img, {0, 24, 164, 408}, inside, [&](double x, double y) { return felt(x, y, 164); });
    Fill(img, {556, 24, W, 408}, inside, [&](double x, double y) { return felt(x, y, 556); });

    // The board: a dark well with a faint line at each cell's top and left edge.
    for (int y = 24; y < 408; ++y)
        for (int x = 168; x < 552; ++x) {
            const double n = SmoothNoise(x / 12.0, y / 12.0, 21) - 0.5;
            Rgba c{6, static_cast<std::uint8_t>(30 + std::lround(n * 5)), 20, 255};
            const bool lineX = (x - 168) % kTile == 0, lineY = (y - 24) % kTile == 0;
            if (lineX && lineY) c = {34, 74, 54, 255};
            else if (lineX || lineY) c = {16, 50, 36, 255};
            img.at(x, y) = c;
        }
    // Its frame: bright outer line, dark inner step, outside the cells.
    for (int i = 0; i < 4; ++i) {
        const Rgba c = i < 2 ? Rgba{0, 150, 0, 255} : Rgba{0, 18, 0, 255};
        const int d = 4 - i;
        img.fillRect(168 - d, 20 + i, 384 + 2 * d, 1, c);
        img.fillRect(168 - d, 411 - i, 384 + 2 * d, 1, c);
        img.fillRect(168 - d, 20 + i, 1, 392 - 2 * i, c);
        img.fillRect(551 + d, 20 + i, 1, 392 - 2 * i, c);
    }

    // Lower area: the head, level name and clock sit in one framed panel.
    {
        const Box b{40, 410, 226, 488};
        Fill(img, b, Minus(RoundRect(42, 412, 224, 486, 9), RoundRect(44, 414, 222, 484, 7)), {0, 150, 0, 255});
        Fill(img, b, RoundRect(44, 414, 222, 484, 7), kDarkGreen);
        img.fillRect(47, 415, 82, 1, {0, 24, 0, 255});  // a shadow above the head view
        img.fillRect(47, 415, 1, 66, {0, 24, 0, 255});
        img.fillRect(134, 454, 80, 1, {0, 96, 0, 255});  // between the level name and the clock
    }
    {
        const Font label(fonts.bold, 15);
        // TRANSLATORS: a button on the window's background, 15 px bold; the
        // boxes are listed in po/FIT.md.
        Button(img, label, look::kMenuButton, C_("picture", "Menu"));
        Button(img, label, look::kHelpButton, C_("picture", "Aide"));
        Button(img, label, look::kAboutButton, C_("picture", "\xC3\x80 propos"));
    }
    // The twelve piece colours as a small strip beside the menu button.
    for (int p = 0; p < catalogue::kPieceCount; ++p) MiniTile(img, 510 + p * 13, 424, 11, PieceColour(p));

    // The outline's own frame, as the dialogs have it.
    Fill(img, all, Minus(inside, Outline(4)), kFrameGreen);
    Fill(img, all, Minus(Outline(4), Outline(5)), {0, 90, 0, 255});
    return img;
}

Image MakeAboutPicture(const FontFiles& fonts) {
    constexpr int W = 256, H = 180;
    Image img(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const double d = std::hypot((x - 128) / 150.0, (y - 60) / 110.0);
            img.at(x, y) = Mix({0, 118, 0, 255}, kDarkGreen, std::clamp(d, 0.0, 1.0));
        }
    const Font title(fonts.bold, 42);
    for (int dy = -2; dy <= 3; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (dx * dx + dy * dy <= 6) title.drawCentred(img, "Tessalor", 128 + dx, 50 + dy, {0, 30, 0, 255});
    title.drawCentred(img, "Tessalor", 128, 50, {255, 226, 60, 255});

    // Five little pentominoes under the title.
    const int pieces[] = {7, 1, 10, 4, 9};
    constexpr int kCell = 8, kGap = 12;
    int total = -kGap;
    for (int p : pieces) total += PatternWidth(p) * kCell + kGap;
    int x = (W - total) / 2;
    for (int p : pieces) {
        MiniPiece(img, p, x, 84, kCell);
        x += PatternWidth(p) * kCell + kGap;
    }

    const Font line(fonts.regular, 14), small(fonts.regular, 12);
    // TRANSLATORS: the line under the title of the about picture (14 px, at most 240 px wide).
    line.drawCentred(img, C_("picture", "un jeu de pentominos"), 128, 128, {170, 255, 170, 255});
    small.drawCentred(img, "version 1.0 \xE2\x80\x94 2026", 128, 150, {120, 210, 120, 255});
    return img;
}

}  // namespace art

namespace art {

namespace {
std::map<std::string, std::string> gWords;
}  // namespace

const char* Word(const char* context, const char* text) {
    const auto found = gWords.find(std::string(context) + '\x04' + text);
    return found == gWords.end() || found->second.empty() ? text : found->second.c_str();
}

void SetWords(std::map<std::string, std::string> words) { gWords = std::move(words); }

std::map<std::string, std::string> ReadWords(const std::string& bytes) {
    std::map<std::string, std::string> words;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t end = std::min(bytes.find('\0', at), bytes.size());
        const std::string line = bytes.substr(at, end - at);
        if (const std::size_t tab = line.find('\t'); tab != std::string::npos)
            words[line.substr(0, tab)] = line.substr(tab + 1);
        at = end + 1;
    }
    return words;
}

}  // namespace art
