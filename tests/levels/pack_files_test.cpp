#include "levels/pack_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/level_names.h"
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

    // A record per level: a 1x5 bar of I in row n on a background of varied
    // outside codes, so that no stored byte repeats by chance.
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

    static std::string Bytes(const std::string& path) {
        std::string bytes, error;
        EXPECT_TRUE(ReadFile(path, bytes, error)) << error;
        return bytes;
    }

    fs::path dir_;
};

TEST_F(PackFiles, WrittenPackHasRecordsAndTrailerAndReadsBack) {
    const std::string plain = Records(3);
    std::string error;
    ASSERT_TRUE(WritePack(Path("tessa320.dat"), plain, error)) << error;
    EXPECT_EQ(fs::file_size(Path("tessa320.dat")), 3u * 256 + 2);
    EXPECT_FALSE(fs::exists(Path("tessa320.dat.tmp")));
    std::string back;
    ASSERT_TRUE(ReadPack(Path("tessa320.dat"), back, error)) << error;
    EXPECT_EQ(back, plain);
}

TEST_F(PackFiles, EveryFileStartsItsChainFromTheSeed) {
    const std::string plain = Records(4);
    std::string error;
    ASSERT_TRUE(WritePack(Path("tessa320.dat"), plain.substr(0, 512), error));
    ASSERT_TRUE(WritePack(Path("tessa321.dat"), plain.substr(512), error));
    for (const char* name : {"tessa320.dat", "tessa321.dat"}) {
        const std::string bytes = Bytes(Path(name));
        // The first stored byte hides the first record character under the seed alone.
        const auto first = static_cast<unsigned char>(std::string(name) == "tessa320.dat" ? plain[0] : plain[512]);
        EXPECT_EQ(static_cast<unsigned char>(bytes[0]), first ^ pack::kSeed) << name;
    }
    // Split in two files or kept in one, the catalogue is the same.
    ASSERT_TRUE(WritePack(Path("whole.dat"), plain, error));
    std::vector<Level> split, whole;
    std::vector<std::string> errors;
    ASSERT_TRUE(LoadPacks(PackFilesIn(dir_.string()), split, errors));
    ASSERT_TRUE(LoadPacks({Path("whole.dat")}, whole, errors));
    ASSERT_EQ(split.size(), 4u);
    ASSERT_EQ(whole.size(), 4u);
    for (size_t n = 0; n < 4; ++n) EXPECT_EQ(split[n].cell, whole[n].cell) << n;
}

TEST_F(PackFiles, LevelsTakeTheirNamesAndIndexFromTheTable) {
    std::string error;
    ASSERT_TRUE(WritePack(Path("tessa320.dat"), Records(2), error));
    ASSERT_TRUE(WritePack(Path("tessa322.dat"), Records(1), error));  // pack 1 missing: no gap
    std::vector<Level> levels;
    std::vector<std::string> errors;
    ASSERT_TRUE(LoadPacks(PackFilesIn(dir_.string()), levels, errors));
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(levels[2].name, kLevelNames[2]);
    EXPECT_EQ(levels[2].record, 2);
    EXPECT_EQ(levels[2].Where(), Path("tessa322.dat") + ": record 2");
    EXPECT_EQ(levels[2].At(5, 0), 0);
}

TEST_F(PackFiles, WrongLengthsAreRejectedWithTheFileName) {
    for (size_t length : {size_t{0}, size_t{1}, size_t{256}, size_t{257}, size_t{259}, size_t{514 + 1}}) {
        {
            std::ofstream out(Path("tessa320.dat"), std::ios::binary | std::ios::trunc);
            out << std::string(length, 'x');
        }
        std::string plain, error;
        EXPECT_FALSE(ReadPack(Path("tessa320.dat"), plain, error)) << length;
        EXPECT_EQ(error, Path("tessa320.dat") + ": length " + std::to_string(length) + " is not 256 x n + 2");
    }
    std::string plain, error;
    EXPECT_FALSE(ReadPack(Path("missing.dat"), plain, error));
    EXPECT_EQ(error.rfind(Path("missing.dat") + ": cannot open", 0), 0u);
}

TEST_F(PackFiles, BadRecordCodesAreReportedByRecord) {
    std::string plain = Records(2);
    plain[256 + 3 * 16 + 4] = 'Q';
    std::string error;
    ASSERT_TRUE(WritePack(Path("tessa320.dat"), plain, error));
    std::vector<Level> levels;
    std::vector<std::string> errors;
    EXPECT_FALSE(LoadPacks({Path("tessa320.dat")}, levels, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], Path("tessa320.dat") + ": record 1: row 3, column 4: character code 81 is no piece letter");
}

TEST_F(PackFiles, FailedWriteLeavesNothingBehind) {
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(Path("no/such/dir/out.txt"), "x", error));
    EXPECT_NE(error.find("cannot create"), std::string::npos);
    ASSERT_TRUE(WriteFileAtomically(Path("out.txt"), "new", error));
    EXPECT_EQ(Bytes(Path("out.txt")), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace levels
