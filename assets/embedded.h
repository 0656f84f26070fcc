// Pictures built into the program, as PNG files in memory. The definitions are
// generated at build time by tessalor-assets.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>

namespace assets {

struct Blob {
    const unsigned char* data;
    std::size_t size;
};

extern const Blob kTileSheet;     // PNG 408x48, opaque
extern const Blob kLetterTileSheet;  // the same with the pieces' letters
extern const Blob kHeadSheet;     // PNG 800x64, opaque, ten 80x64 frames
extern const Blob kAboutPicture;  // PNG 256x180, opaque
extern const Blob kHandCursor;    // PNG 32x32 with alpha; hot spot (12,1)
extern const Blob kIcon;          // PNG 64x64 with alpha, the window icon

}  // namespace assets
