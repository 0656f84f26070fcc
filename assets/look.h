// The game's look, shared by the picture generator and the game.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's look, shared by the picture generator and the game: the palette,
// the head frames and the tile sheet layout. Plain values only, so both sides
// can include it.
#pragma once
#include <cstdint>

namespace look {

struct Colour {
    std::uint8_t r, g, b;
    // As the game's controls take it: 0x00BBGGRR.
    constexpr std::uint32_t bgr() const {
        return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
               static_cast<std::uint32_t>(b) << 16;
    }
};

// The palette.
inline constexpr Colour kDarkGreen{0, 42, 0};       // window, head, menu panel and dialog backgrounds
inline constexpr Colour kFrameGreen{0, 198, 0};     // outlines of the window, menu panel and dialogs
inline constexpr Colour kButtonGreen{16, 148, 16};  // button and menu entry faces
inline constexpr Colour kHoverGreen{0, 255, 0};     // a menu entry or button under the mouse
inline constexpr Colour kTextGreen{0, 192, 0};      // level name and clock
inline constexpr Colour kTroughGreen{0, 90, 0};     // the scroll strip's trough
inline constexpr Colour kBlack{0, 0, 0};
inline constexpr Colour kWhite{255, 255, 255};

struct Rect {
    int x, y, w, h;
};

// The main window: a body and, at its left, a tab running further down, both
// with rounded corners.
inline constexpr int kWindowWidth = 720;
inline constexpr int kWindowHeight = 488;  // down to the tab's foot
inline constexpr int kBodyHeight = 440;
inline constexpr int kTabWidth = 552;
inline constexpr int kCornerRadius = 48;

// The image buttons' click areas on the main window; the background draws
// their faces there.
inline constexpr Rect kMenuButton{230, 418, 261, 24};
inline constexpr Rect kHelpButton{230, 452, 126, 24};
inline constexpr Rect kAboutButton{367, 452, 125, 25};

// The head sheet: ten frames side by side, each named by its x.
inline constexpr int kHeadFrameWidth = 80;
inline constexpr int kHeadFrameHeight = 64;
inline constexpr int kHeadFrameCount = 10;
inline constexpr int kHeadSheetWidth = kHeadFrameWidth * kHeadFrameCount;
inline constexpr int kHeadSheetHeight = kHeadFrameHeight;

inline constexpr int kHeadAhead = 0;       // looking ahead and down, smiling
inline constexpr int kHeadAsleep = 80;     // dozing, first frame
inline constexpr int kHeadYawn = 160;      // dozing, second frame
inline constexpr int kHeadUp = 240;        // looking up
inline constexpr int kHeadRight = 320;     // looking right
inline constexpr int kHeadUpRight = 400;   // looking up and right
inline constexpr int kHeadWonder = 480;    // looking up, another face; never shown
inline constexpr int kHeadTongue = 560;    // winking, tongue out
inline constexpr int kHeadVictory = 640;   // the victory sign
inline constexpr int kHeadSad = 720;       // a game abandoned

// The tile sheet: two rows of seventeen square tiles. Piece p's tile is at
// kTileSize * p in the top row, its solution tile below it.
inline constexpr int kTileSize = 24;
inline constexpr int kTileSheetWidth = 17 * kTileSize;
inline constexpr int kTileSheetHeight = 2 * kTileSize;
inline constexpr int kSolutionTileY = kTileSize;

inline constexpr int kGreenTileX = 288;    // top row: plain dark green, unused
inline constexpr int kBlackTileX = 312;    // mask: where a piece has a cell
inline constexpr int kWhiteTileX = 336;    // mask: where it has none
inline constexpr int kCheckerTileX = 360;  // black and white checkerboard, unused
inline constexpr int kWoodTileX = 384;     // an empty cell of the shape
// Bottom row after the solution tiles, all unused: a blue tile with a red
// cross, wood with a red cross, then yellow to the end.
inline constexpr int kBlueCrossTileX = 288;
inline constexpr int kWoodCrossTileX = 312;
inline constexpr int kYellowTilesX = 336;

}  // namespace look
