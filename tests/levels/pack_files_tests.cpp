// Pack files: scrambled records written, read back and refused when broken.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>

#include "base/pack.h"
#include "levels/level_names.h"
#include "levels/level_text.h"
#include "levels/pack_files.h"
#include "tests/support/folder_test.h"

namespace levels {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;

// Each test works in a folder of its own.
using PackFiles = testing_support::FolderTest;

// A record per level: a bar of I in row n on varied outside codes, so that no
// stored byte repeats by chance.
std::string Records(int count) {
    std::string plain;
    for (int n = 0; n < count; ++n) {
        std::string rec(256, 'A');
        for (int k = 0; k < 256; ++k) rec[k] = static_cast<char>('A' - (k * 7 + n * 3) % 23);
        for (int x = 0; x < 5; ++x) rec[(n % 16) * 16 + 5 + x] = 'B';
        plain += rec;
    }
    return plain;
}

// Packs chain from the seed, skip a missing number, name their levels and reject broken files by name.
TEST_F(PackFiles, PacksRoundTripAndBrokenOnesAreRejected) {
    std::string plain = Records(4), error, back;
    ASSERT_TRUE(WritePack(Path("tessa320.dat"), plain.substr(0, 512), error)) << error;
    ASSERT_TRUE(WritePack(Path("tessa322.dat"), plain.substr(512), error)) << error;
    EXPECT_EQ(fs::file_size(Path("tessa320.dat")), 2u * 256 + 2);
    EXPECT_FALSE(fs::exists(Path("tessa320.dat.tmp")));
    ASSERT_TRUE(ReadPack(Path("tessa322.dat"), back, error)) << error;
    EXPECT_EQ(back, plain.substr(512));
    EXPECT_EQ(static_cast<unsigned char>(ReadFile(Path("tessa322.dat"))[0]), static_cast<unsigned char>(plain[512]) ^ pack::kSeed);
    std::vector<Level> levels;
    std::vector<std::string> errors;
    ASSERT_TRUE(LoadPacks(PackFilesIn(dir_.string()), levels, errors));
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ(std::pair(levels[2].name, levels[2].Where()), std::pair(std::string(kLevelNames[2]), Path("tessa322.dat") + ": record 2"));
    for (size_t length : {0, 1, 256, 257, 259, 515}) {
        EXPECT_FALSE(ReadPack(Write("tessa320.dat", std::string(length, 'x')), plain, error)) << length;
        EXPECT_EQ(error, Path("tessa320.dat") + ": length " + std::to_string(length) + " is not 256 x n + 2");
    }
    plain = Records(2);
    plain[256 + 3 * 16 + 4] = 'Q';
    ASSERT_TRUE(WritePack(Path("tessa320.dat"), plain, error));
    EXPECT_FALSE(LoadPacks({Path("tessa320.dat")}, levels, errors));
    EXPECT_EQ(errors.back(), Path("tessa320.dat") + ": record 1: row 3, column 4: character code 81 is no piece letter");
    EXPECT_FALSE(WritePack(Path("no/such/dir/tessa320.dat"), "x", error));
    EXPECT_NE(error.find("cannot create"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("no")));
}

}  // namespace
}  // namespace levels
