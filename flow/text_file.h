// Small text files of the player's (shapes, records): bounded reads, lines with their places, atomic writes.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace text_file {

struct Line {
    std::size_t start = 0;   // offset of its first byte in the text
    std::string_view text;   // without its '\n' (a '\r' before it stays)
};
// Every line of text; a last line without '\n' counts, an empty text has none.
std::vector<Line> SplitLines(std::string_view text);

struct Read {
    std::string text;
    bool whole = true;  // false: unreadable or too long (text then empty); never to be rewritten
};
// A missing file reads as empty, silently; any other failure, or a file past
// maxBytes, as empty and not whole, with one line on stderr naming the file.
Read ReadBounded(const std::string& path, std::size_t maxBytes);
// Replaces the file's contents atomically, making its folder first.
bool Write(const std::string& path, const std::string& text);

}  // namespace text_file
