#include "levels/pack_files.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "levels/level_names.h"
#include "levels/pack.h"

namespace levels {
namespace {

namespace fs = std::filesystem;

class PackFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessalor_packs_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

    // A record per level: a bar of I in row n on varied outside codes, so
    // that no stored byte repeats by chance.
    static std::string Records(int count) {
        std::string plain;
        for (int n = 0; n < count; ++n) {
            std::string rec(256, 'A');
            for (int k = 0; k < 256; ++k) rec[k] = static_cast<char>('A' - (k * 7 + n * 3) % 23);
            for (int x = 0; x < 5; ++x) rec[(n % 16) * 16 + 5 + x] = 'B';
            plain += rec;
        }
        return plain;
    }
    fs::path dir_;
};

TEST_F(PackFiles, EveryFileChainsFromTheSeedAndLevelsTakeTheirNames) {
    const std::string plain = Records(4);
    std::string error, back;
    ASSERT_TRUE(WritePack(Path("tessa320.dat"), plain.substr(0, 512), error)) << error;
    ASSERT_TRUE(WritePack(Path("tessa322.dat"), plain.substr(512), error)) << error;  // pack 1 missing: no gap
    EXPECT_EQ(fs::file_size(Path("tessa320.dat")), 2u * 256 + 2);
    EXPECT_FALSE(fs::exists(Path("tessa320.dat.tmp")));
    ASSERT_TRUE(ReadPack(Path("tessa322.dat"), back, error)) << error;
    EXPECT_EQ(back, plain.substr(512));
    ASSERT_TRUE(ReadFile(Path("tessa322.dat"), back, error));
    EXPECT_EQ(static_cast<unsigned char>(back[0]), static_cast<unsigned char>(plain[512]) ^ pack::kSeed);
    std::vector<Level> levels;
    std::vector<std::string> errors;
    ASSERT_TRUE(LoadPacks(PackFilesIn(dir_.string()), levels, errors));
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ(levels[2].name, kLevelNames[2]);
    EXPECT_EQ(levels[2].Where(), Path("tessa322.dat") + ": record 2");
    EXPECT_EQ(levels[3].At(5, 3), 0);
}

TEST_F(PackFiles, BrokenPacksAreRejectedWithTheFileName) {
    for (size_t length : {0, 1, 256, 257, 259, 515}) {
        std::ofstream(Path("tessa320.dat"), std::ios::binary) << std::string(length, 'x');
        std::string plain, error;
        EXPECT_FALSE(ReadPack(Path("tessa320.dat"), plain, error)) << length;
        EXPECT_EQ(error, Path("tessa320.dat") + ": length " + std::to_string(length) + " is not 256 x n + 2");
    }
    std::string plain = Records(2), error;
    EXPECT_FALSE(ReadPack(Path("missing.dat"), plain, error));
    EXPECT_EQ(error.rfind(Path("missing.dat") + ": cannot open", 0), 0u);
    plain[256 + 3 * 16 + 4] = 'Q';
    ASSERT_TRUE(WritePack(Path("tessa320.dat"), plain, error));
    std::vector<Level> levels;
    std::vector<std::string> errors;
    EXPECT_FALSE(LoadPacks({Path("tessa320.dat")}, levels, errors));
    EXPECT_EQ(errors, std::vector<std::string>{Path("tessa320.dat") +
                                               ": record 1: row 3, column 4: character code 81 is no piece letter"});
    EXPECT_FALSE(WriteFileAtomically(Path("no/such/dir/out.txt"), "x", error));
    EXPECT_NE(error.find("cannot create"), std::string::npos);
    EXPECT_FALSE(fs::exists(Path("no")));
}
// The packs the build wrote beside the game: every level of the names table,
// each verified again as read back.
TEST(ShippedPacks, HoldEveryNamedLevelAndVerify) {
    std::vector<Level> levels;
    std::vector<std::string> errors;
    ASSERT_TRUE(LoadPacks(PackFilesIn(TESSALOR_DATA_DIR), levels, errors)) << errors.front();
    EXPECT_EQ(levels.size(), kLevelNames.size());
    errors = VerifyLevels(levels, true);
    EXPECT_TRUE(errors.empty()) << errors.front();
}

}  // namespace
}  // namespace levels
