// Pack files on disk: reading them back into levels and writing them safely.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "levels/level_text.h"

namespace levels {

bool ReadFile(const std::string& path, std::string& bytes, std::string& error);
// The message for a file plat::ReplaceFile could not write, with the errno
// value it gave: "PATH: cannot create or replace: REASON".
std::string CannotWrite(const std::string& path, int error);

// Plain record text of one pack; the length must be 256 x n + 2.
bool ReadPack(const std::string& path, std::string& plain, std::string& error);
// Scrambles the records from the seed and adds the two-byte trailer.
bool WritePack(const std::string& path, std::string_view plain, std::string& error);

// tessa320.dat .. tessa329.dat present in a directory, in digit order.
std::vector<std::string> PackFilesIn(const std::string& dir);

// Records of the packs in order, named after the names table.
bool LoadPacks(const std::vector<std::string>& paths, std::vector<Level>& levels, std::vector<std::string>& errors);

}  // namespace levels
