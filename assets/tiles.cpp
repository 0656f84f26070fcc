// The tile sheet: two rows of seventeen 24 x 24 tiles.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "assets/art.h"
#include "levels/catalogue.h"

namespace art {

namespace {

Rgba PieceColour(int p) {
    const auto& d = catalogue::kPieces[static_cast<std::size_t>(p)];
    return {d.r, d.g, d.b, 255};
}

// A flat face with a three-pixel bevel: light falls from the top left, so the
// lower and right edges are the darker ones; the face keeps the exact colour.
Image PieceTile(Rgba c) {
    static constexpr double kLit[3] = {0.80, 0.88, 0.93};
    static constexpr double kDim[3] = {0.62, 0.72, 0.80};
    Image t(kTile, kTile, c);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            const int ring = std::min({x, y, kTile - 1 - x, kTile - 1 - y});
            if (ring >= 3) continue;
            const bool lit = (x == ring || y == ring) && x + y < kTile - 1;
            t.at(x, y) = Shade(c, lit ? kLit[ring] : kDim[ring]);
        }
    return t;
}

Image Cross(Image base, Rgba c) {
    const double a = 6.0, b = 18.0;
    const Shape arms = Union({Capsule(a, a, b, b, 3.6), Capsule(b, a, a, b, 3.6)});
    const Shape rim = Union({Capsule(a, a, b, b, 5.6), Capsule(b, a, a, b, 5.6)});
    Fill(base, {0, 0, kTile, kTile}, rim, Shade(c, 0.5));
    Fill(base, {0, 0, kTile, kTile}, arms, c);
    return base;
}

// Each letter as strokes in a unit box, drawn straight so that it stays
// crisp at the tile's own size.
using Strokes = std::vector<std::vector<std::pair<double, double>>>;

Strokes LetterStrokes(char letter) {
    switch (letter) {
        case 'F': return {{{1, 0}, {0, 0}, {0, 1}}, {{0, 0.5}, {0.75, 0.5}}};
        case 'I': return {{{0.5, 0}, {0.5, 1}}, {{0.2, 0}, {0.8, 0}}, {{0.2, 1}, {0.8, 1}}};
        case 'L': return {{{0, 0}, {0, 1}, {1, 1}}};
        case 'N': return {{{0, 1}, {0, 0}, {1, 1}, {1, 0}}};
        case 'P': return {{{0, 1}, {0, 0}, {0.75, 0}, {1, 0.2}, {1, 0.35}, {0.75, 0.55}, {0, 0.55}}};
        case 'T': return {{{0, 0}, {1, 0}}, {{0.5, 0}, {0.5, 1}}};
        case 'U': return {{{0, 0}, {0, 0.8}, {0.2, 1}, {0.8, 1}, {1, 0.8}, {1, 0}}};
        case 'V': return {{{0, 0}, {0.5, 1}, {1, 0}}};
        case 'W': return {{{0, 0}, {0.22, 1}, {0.5, 0.4}, {0.78, 1}, {1, 0}}};
        case 'X': return {{{0, 0}, {1, 1}}, {{1, 0}, {0, 1}}};
        case 'Y': return {{{0, 0}, {0.5, 0.5}, {1, 0}}, {{0.5, 0.5}, {0.5, 1}}};
        case 'Z': return {{{0, 0}, {1, 0}, {0, 1}, {1, 1}}};
        default: return {};
    }
}

// The letter over the tile's middle, 12 x 12 pixels, strokes of that width.
Shape Letter(char letter, double width) {
    std::vector<Shape> parts;
    for (auto line : LetterStrokes(letter)) {
        for (auto& [x, y] : line) x = 6 + 12 * x, y = 6 + 12 * y;
        parts.push_back(Stroke(std::move(line), width));
    }
    return Union(std::move(parts));
}

double Luminance(Rgba c) {
    auto lin = [](std::uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}

double ContrastRatio(Rgba a, Rgba b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Black or white, whichever stands out more on the face.
Rgba LetterInk(Rgba face) {
    const Rgba black{0, 0, 0, 255}, white{255, 255, 255, 255};
    return ContrastRatio(black, face) >= ContrastRatio(white, face) ? black : white;
}

}  // namespace

Image MakeWoodTile() {
    const Rgba light{236, 204, 156, 255};
    const Rgba dark{200, 158, 106, 255};
    Image t(kTile, kTile);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) {
            // Grain: wavy horizontal bands, then a little fibre noise.
            const double warp = 2.2 * SmoothNoise(x / 9.0, y / 6.0, 11) + 0.8 * std::sin(x * 0.26);
            const double band = 0.5 + 0.5 * std::sin((y + warp) * 1.15);
            const double fibre = Hash01(x / 3, y, 5) * 0.25;
            Rgba c = Mix(light, dark, std::clamp(band * band * 0.75 + fibre, 0.0, 1.0));
            // Sunk into the board: shadow along the top and left, a thin lit lip below and right.
            const int top = std::min(x, y);
            if (top < 3) c = Shade(c, (x + y < kTile - 1 || top == 0) ? 0.66 + 0.1 * top : 1.0);
            if (x == kTile - 1 || y == kTile - 1) c = Mix(c, {255, 240, 214, 255}, 0.45);
            t.at(x, y) = c;
        }
    return t;
}

Image MakeTileSheet(bool letters) {
    using namespace look;
    const Rgba black = Opaque(kBlack), white = Opaque(kWhite);
    Image sheet(kTileSheetWidth, kTileSheetHeight, black);
    const Image wood = MakeWoodTile();
    for (int p = 0; p < catalogue::kPieceCount; ++p) {
        const Rgba c = PieceColour(p);
        if (!letters) {
            sheet.paste(PieceTile(c), kTile * p, 0);
            sheet.paste(Cross(wood, c), kTile * p, kSolutionTileY);
            continue;
        }
        // The piece's letter on its face; on the solution mark the letter in
        // the piece's colour, outlined, takes the cross's place.
        const char name = catalogue::kPieces[static_cast<std::size_t>(p)].shapeName;
        Image face = PieceTile(c), mark = wood;
        Fill(face, {0, 0, kTile, kTile}, Letter(name, 2.0), LetterInk(c));
        Fill(mark, {0, 0, kTile, kTile}, Letter(name, 4.6), Shade(c, 0.35));
        Fill(mark, {0, 0, kTile, kTile}, Letter(name, 2.2), c);
        sheet.paste(face, kTile * p, 0);
        sheet.paste(mark, kTile * p, kSolutionTileY);
    }
    sheet.fillRect(kGreenTileX, 0, kTile, kTile, kDarkGreen);
    sheet.fillRect(kBlackTileX, 0, kTile, kTile, black);
    sheet.fillRect(kWhiteTileX, 0, kTile, kTile, white);
    for (int y = 0; y < kTile; ++y)
        for (int x = 0; x < kTile; ++x) sheet.at(kCheckerTileX + x, y) = ((x / 4 + y / 4) % 2) ? white : black;
    sheet.paste(wood, kWoodTileX, 0);
    sheet.paste(Cross(Image(kTile, kTile, {24, 64, 200, 255}), {230, 24, 24, 255}), kBlueCrossTileX, kTile);
    sheet.paste(Cross(wood, {230, 24, 24, 255}), kWoodCrossTileX, kTile);
    sheet.fillRect(kYellowTilesX, kTile, kTileSheetWidth - kYellowTilesX, kTile, {255, 255, 0, 255});
    return sheet;
}

}  // namespace art
