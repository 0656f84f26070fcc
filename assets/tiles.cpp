// The tile sheet: two rows of seventeen 24 x 24 tiles.
#include <algorithm>
#include <cmath>

#include "assets/art.h"
#include "board/catalogue.h"

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

Image MakeTileSheet() {
    using namespace look;
    const Rgba black = Opaque(kBlack), white = Opaque(kWhite);
    Image sheet(kTileSheetWidth, kTileSheetHeight, black);
    const Image wood = MakeWoodTile();
    for (int p = 0; p < catalogue::kPieceCount; ++p) {
        sheet.paste(PieceTile(PieceColour(p)), kTile * p, 0);
        sheet.paste(Cross(wood, PieceColour(p)), kTile * p, kSolutionTileY);
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
