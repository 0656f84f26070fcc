// The pointing-hand cursor: index finger up, its tip on the hot spot (12, 1).
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/art.h"

namespace art {

Image MakeHandCursor() {
    Image img(32, 32);
    const Box all{0, 0, 32, 32};
    const double fx = 12.5;  // axis of the index finger, through the hot spot's pixel centre
    // The hand's parts, each grown by the outline width for the black edge.
    auto hand = [&](double g) {
        return Union({
            Capsule(fx, 4.8, fx, 16, 5.0 + 2 * g),           // index finger
            Capsule(fx + 5, 12.5, fx + 5, 16, 4.6 + 2 * g),  // folded fingers
            Capsule(fx + 9.4, 13.5, fx + 9.4, 17, 4.4 + 2 * g),
            Capsule(fx + 13.2, 15, fx + 13.2, 18, 4.0 + 2 * g),
            RoundRect(fx - 2.5 - g, 14 - g, fx + 15.2 + g, 25 + g, 3.5 + g),  // palm
            Capsule(fx - 6.5, 16.5, fx - 2, 22, 4.2 + 2 * g),                  // thumb
        });
    };
    const Shape cuff = RoundRect(fx - 1.5, 24.5, fx + 14, 30.5, 1.5);
    Fill(img, all, Union({hand(1.3), RoundRect(fx - 2.8, 23.2, fx + 15.3, 31.8, 2)}), {0, 0, 0, 255});
    Fill(img, all, hand(0), {255, 255, 255, 255});
    // Creases between the folded fingers.
    for (double x : {fx + 3, fx + 7, fx + 11})
        Fill(img, all, Capsule(x, 12.5 + (x - fx) / 4, x, 17.5, 1.0), {0, 0, 0, 255});
    Fill(img, all, cuff, {40, 90, 230, 255});
    Fill(img, all, Capsule(fx, 27.5, fx + 12.5, 27.5, 1.0), {120, 170, 255, 255});
    return img;
}

}  // namespace art
