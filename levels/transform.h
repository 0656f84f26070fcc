// The eight ways a piece can lie: turned and mirrored copies of its cells.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace levels {

// A cell as offsets from a centre, x to the right and y downwards.
struct Offset {
    int x = 0, y = 0;
};

// Transform t (0 to 7): bit 2 swaps the axes, then bit 0 mirrors x and bit 1
// mirrors y. Every orientation of a piece is one of these eight.
inline constexpr Offset Transform(Offset c, int t) {
    if (t & 4) c = {c.y, c.x};
    if (t & 1) c.x = -c.x;
    if (t & 2) c.y = -c.y;
    return c;
}

// The two moves a player makes: a quarter turn clockwise on a screen
// (y downwards) and a left-right mirror.
inline constexpr int kQuarterTurn = 4 | 1;
inline constexpr int kMirror = 1;

}  // namespace levels
