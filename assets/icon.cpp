// The program's icon: the F pentomino in its tile colour on the window's dark
// green, in a rounded square. Whole-pixel cells keep it crisp at 16 px.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cmath>

#include "assets/art.h"
#include "levels/catalogue.h"

namespace art {

Image MakeIcon(int size) {
    Image img(size, size);
    const double n = size;
    const double edge = std::max(1.0, n / 32);
    Fill(img, {0, 0, n, n}, RoundRect(0, 0, n, n, n * 0.2), kFrameGreen);
    Fill(img, {0, 0, n, n}, RoundRect(edge, edge, n - edge, n - edge, n * 0.2 - edge), kDarkGreen);

    const auto& f = catalogue::kPieces[7];
    const Rgba face{f.r, f.g, f.b, 255};
    const int cell = static_cast<int>(std::lround(n * 0.26));
    const int origin = (size - 3 * cell) / 2;
    const int bevel = std::max(1, cell / 6);
    // The pattern's cells sit in rows and columns 1 to 3.
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c) {
            if (f.rows[static_cast<std::size_t>(r)][c] == '@') continue;
            const int x0 = origin + (c - 1) * cell, y0 = origin + (r - 1) * cell;
            for (int y = 0; y < cell; ++y)
                for (int x = 0; x < cell; ++x) {
                    const int ring = std::min({x, y, cell - 1 - x, cell - 1 - y});
                    Rgba px = face;
                    if (ring < bevel)
                        px = (x == ring || y == ring) && x + y < cell - 1 ? Mix(face, {255, 255, 255, 255}, 0.45)
                                                                        : Shade(face, 0.55);
                    img.at(x0 + x, y0 + y) = px;
                }
        }
    return img;
}

}  // namespace art
