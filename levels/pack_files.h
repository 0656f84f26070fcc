// Pack files on disk: reading them back into levels and writing them safely.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "levels/level_text.h"

namespace levels {

bool ReadFile(const std::string& path, std::string& bytes, std::string& error);
// Writes through a temporary file and a rename, so a failure leaves no
// half-written file behind.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error);

// Plain record text of one pack; the length must be 256 x n + 2.
bool ReadPack(const std::string& path, std::string& plain, std::string& error);
// Scrambles the records from the seed and adds the two-byte trailer.
bool WritePack(const std::string& path, std::string_view plain, std::string& error);

// tessa320.dat .. tessa329.dat present in a directory, in digit order.
std::vector<std::string> PackFilesIn(const std::string& dir);

// Records of the packs in order, named after the names table.
bool LoadPacks(const std::vector<std::string>& paths, std::vector<Level>& levels, std::vector<std::string>& errors);

}  // namespace levels
