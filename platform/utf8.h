// UTF-8 text as the forms and the saved-game names handle it: code points,
// validation, composed form and lower case, through libutf8proc.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace plat {

// Code points of s; a malformed byte stands for itself as U+FFFD.
std::vector<char32_t> Utf8Decode(const std::string& s);
void AppendUtf8(std::string& s, char32_t cp);
std::string Utf8Encode(const std::u32string& cps);
std::size_t Utf8Length(const std::string& s);  // code points, not bytes
// Well-formed UTF-8 of Unicode scalar values (no surrogates, no overlong forms).
bool IsValidUtf8(const std::string& s);
// Canonical composition (NFC): "E" + U+0301 becomes "É". Malformed bytes
// become U+FFFD first.
std::string Utf8Nfc(const std::string& s);
// Simple lower case, code point by code point ("ß" stays "ß").
char32_t ToLower(char32_t cp);
std::string Utf8ToLower(const std::string& s);
// Without its format characters (category Cf: zero-width spaces and
// joiners, bidirectional marks, byte order marks), which draw nothing.
std::string Utf8DropFormat(const std::string& s);
// A C0 or C1 control character, or a line or paragraph separator.
bool IsControl(char32_t cp);

}  // namespace plat
