// Level pack files: 256-byte level records scrambled with a chained XOR.
// SPDX-License-Identifier: GPL-3.0-or-later
// Stored byte c[i] hides record character p[i] as p[0] = c[0] ^ seed,
// p[i] = c[i] ^ c[i-1]; every file starts its chain again from the seed.
#pragma once
#include <string>
#include <string_view>

namespace pack {

inline constexpr unsigned char kSeed = 'K';
inline constexpr int kRecordSize = 256;
inline constexpr int kTrailerSize = 2;  // two bytes after the records, never read
inline constexpr int kMaxPacks = 10;

// "tessa320.dat" .. "tessa329.dat"
std::string PackFileName(int digit);

// Unscrambles stored bytes (trailer already removed).
std::string Unscramble(std::string_view stored);
// Scrambles plain record text; the result has no trailer.
std::string Scramble(std::string_view plain);

}  // namespace pack
