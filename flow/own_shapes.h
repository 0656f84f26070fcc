// The player's own shapes: formes.txt, in the level text format, read and rewritten.
// SPDX-License-Identifier: GPL-3.0-or-later
//
// The file is a list of blocks, runs of non-blank lines apart from each other
// by blank lines. A block holds one level or more as the level tool reads
// them: a name line, then sixteen rows of sixteen characters ('.' outside,
// 'B'..'M' the piece of the reference tiling). A block the game cannot take
// (a bad row, a piece that is not whole, an empty shape, a name that is not
// readable text) costs only itself: one line on stderr, and its bytes stay as
// they are when the file is rewritten.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "levels/level_text.h"

namespace modTessa {

// Ten thousand shapes take about 3 MB; anything past this bound is not read,
// and a file that long is never rewritten.
inline constexpr std::size_t kMaxOwnShapesBytes = 16u << 20;

struct OwnShapes {
    std::vector<levels::Level> levels;  // the good blocks' levels, in file order (file and line set)
    std::string raw;                    // the file's text as read: what a rewrite keeps
    std::vector<std::string> errors;    // one per bad block: "file:line: why"
    bool writable = true;               // false when the file could not be read whole: never rewritten
};

// The text's shapes and bad blocks; no file is touched.
OwnShapes ParseOwnShapes(std::string_view text, const std::string& file);
// The text with one more shape at its end, after a blank line; nullopt for a
// level that would not read back (no name, a name on several lines or not
// readable text, no cell, a piece that is not whole).
std::optional<std::string> WithOwnShape(std::string_view text, const levels::Level& level);
// The text without the first shape of that name and those cells (its name and
// its sixteen rows, and a blank line beside them), every other byte kept;
// nullopt when no such shape is there.
std::optional<std::string> WithoutOwnShape(std::string_view text, const levels::Level& level);

// $XDG_DATA_HOME/tessalor/formes.txt (Windows: beside the settings).
std::string OwnShapesPath();
// Reads the file: a missing file gives no shapes silently; each bad block, or
// a file that cannot be read, gives one line on stderr naming the file (and
// the line).
OwnShapes LoadOwnShapes();
// Appends the shape, the file written atomically (its folder made if
// needed); false when the level is not acceptable or nothing could be written.
bool AddOwnShape(const levels::Level& level);
// Removes the first shape with that name and those cells; false when it was
// not there or the file could not be written (then the file is as it was).
bool RemoveOwnShape(const levels::Level& level);

}  // namespace modTessa
