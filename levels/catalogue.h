// The twelve pentominoes: catalogue patterns, tray slots and tile colours.
// SPDX-License-Identifier: GPL-3.0-or-later
// In a pattern '@' is empty and the piece's letter ('A' + p) a cell.
#pragma once
#include <array>
#include <cstdint>

namespace catalogue {

inline constexpr int kPieceCount = 12;

struct PieceDef {
    std::array<const char*, 5> rows;
    int trayX, trayY;
    char shapeName;          // conventional pentomino letter
    std::uint8_t r, g, b;    // tile colour
};

inline constexpr std::array<PieceDef, kPieceCount> kPieces{{
    {{"@@A@@", "@@A@@", "@@A@@", "@@A@@", "@@A@@"}, 616, 144, 'I', 255, 0, 0},
    {{"@@@@@", "@@B@@", "@BBB@", "@@B@@", "@@@@@"}, 64, 0, 'X', 255, 144, 1},
    {{"@CC@@", "@@C@@", "@@C@@", "@@C@@", "@@@@@"}, 616, 24, 'L', 222, 255, 1},
    {{"@@D@@", "@@D@@", "@DD@@", "@D@@@", "@@@@@"}, 8, 24, 'N', 79, 255, 1},
    {{"@@@@@", "@EE@@", "@EE@@", "@E@@@", "@@@@@"}, 616, 264, 'P', 23, 233, 77},
    {{"@@@@@", "@@FF@", "@@F@@", "@@FF@", "@@@@@"}, -16, 240, 'U', 1, 255, 210},
    {{"@@@@@", "@@G@@", "@@G@@", "@@GG@", "@@G@@"}, -16, 120, 'Y', 1, 157, 255},
    {{"@@@@@", "@@H@@", "@@HH@", "@HH@@", "@@@@@"}, 536, 264, 'F', 1, 13, 255},
    {{"@@@@@", "@II@@", "@@I@@", "@@II@", "@@@@@"}, 536, 0, 'Z', 132, 1, 255},
    {{"@@@@@", "@JJJ@", "@@J@@", "@@J@@", "@@@@@"}, 536, 120, 'T', 255, 1, 234},
    {{"@@@@@", "@KK@@", "@@KK@", "@@@K@", "@@@@@"}, 64, 240, 'W', 255, 1, 91},
    {{"@@@@@", "@LLL@", "@@@L@", "@@@L@", "@@@@@"}, 64, 120, 'V', 140, 116, 124},
}};

// Level records name piece p with the character 'B' + p.
inline constexpr char RecordLetter(int p) { return static_cast<char>('B' + p); }

}  // namespace catalogue
