// The game's pictures, drawn by code at build time.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <map>
#include <string>

#include "assets/canvas.h"
#include "assets/look.h"

namespace art {

// Font files for the two faces the artwork uses (empty when none was found).
struct FontFiles {
    std::string regular;
    std::string bold;
};

constexpr Rgba Opaque(look::Colour c) { return {c.r, c.g, c.b, 255}; }

// Common colours of the window and the dialogs.
inline constexpr Rgba kDarkGreen = Opaque(look::kDarkGreen);
inline constexpr Rgba kFrameGreen = Opaque(look::kFrameGreen);
inline constexpr Rgba kButtonGreen = Opaque(look::kButtonGreen);

inline constexpr int kTile = look::kTileSize;

// 408 x 48; with letters, each piece's letter on its tiles and its solution mark.
Image MakeTileSheet(bool letters = false);
Image MakeWoodTile();                            // the empty-cell tile alone
Image MakeHeadSheet(const FontFiles& fonts);     // 800 x 64, ten frames
Image MakeAboutPicture(const FontFiles& fonts);  // 256 x 180
Image MakeHandCursor();                          // 32 x 32 with alpha
Image MakeBackground(const FontFiles& fonts);    // 720 x 488
Image MakeIcon(int size);                        // size x size with alpha

// The words drawn on the pictures, in the language being drawn: the
// translation from the words set, else the French text itself.
const char* Word(const char* context, const char* text);
// Sets the translations, keyed "context\x04text"; an empty set draws French.
void SetWords(std::map<std::string, std::string> words);
// Reads a words file: "context\x04text\ttranslation" records, each ended by a NUL.
std::map<std::string, std::string> ReadWords(const std::string& bytes);

}  // namespace art

// Marks a picture's word for the catalogs' template; xgettext finds it.
#define C_(context, text) ::art::Word(context, text)
