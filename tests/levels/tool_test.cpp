// The tessalor-levels command line: exit codes and messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "levels/level_text.h"

namespace {

using levels::Level;

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string output;  // stdout and stderr together
};

ToolRun Tool(const std::string& args) {
    const std::string cmd = std::string(TESSALOR_LEVELS_TOOL) + " " + args + " 2>&1";
    FILE* pipe = popen(cmd.c_str(), "r");
    std::string out;
    std::array<char, 4096> buf{};
    while (size_t n = fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
    const int rc = pclose(pipe);
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, out};
}

class LevelTool : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessalor_tool_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::string& text) {
        const auto path = (dir_ / name).string();
        std::ofstream(path) << text;
        return path;
    }
    std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), {});
    }
    fs::path dir_;
};

TEST_F(LevelTool, ExitCodesAndMessages) {
    for (const char* args : {"", "frobnicate", "solve", "count shape.txt --pieces XYZ", "build only-one-arg"})
        EXPECT_EQ(Tool(args).status, 2) << "bad usage: " << args;
    const auto shape = Write("s.txt", "#####\n#####\n#####\n");
    ToolRun run = Tool("solve " + shape + " --pieces FGH");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.size(), 18u) << run.output;
    EXPECT_EQ(run.output.find_first_not_of("FGH\n"), std::string::npos) << run.output;
    run = Tool("solve " + shape + " --pieces BCD");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("no tiling"), std::string::npos);
    std::string rows;
    for (int y = 0; y < 5; ++y) rows += "############\n";
    run = Tool("count " + Write("r.txt", rows));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "tilings: 4040\nup to symmetry: 1010\n");
    // Malformed input fails with the file and line.
    for (auto [command, want] :
         {std::pair{"count " + Write("ragged.txt", "###\n##\n"), std::string(":2: row has 2 characters")},
          {"verify " + Write("bad.txt", "3 pièces #1\n" + std::string(16, '.') + "\nshort\n"), ":3: row 1 has 5 characters"},
          {"verify " + Write("tessa320.dat", std::string(300, 'x')), "length 300 is not 256 x n + 2"},
          {"count " + dir_.string(), ": cannot open: Is a directory"}}) {
        run = Tool(command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.output.find(want), std::string::npos) << run.output;
    }
}

TEST_F(LevelTool, BuildDumpVerifyRoundTrip) {
    const std::string source = TESSALOR_LEVEL_SOURCE;
    const std::string build = "build " + source + " " + dir_.string();
    const ToolRun run = Tool(build + " --per-pack 7");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(fs::exists(dir_ / "tessa325.dat"));  // 40 levels, 7 a pack: six files
    EXPECT_FALSE(fs::exists(dir_ / "tessa326.dat"));
    EXPECT_EQ(Tool("verify " + dir_.string()).status, 0);
    const auto out = (dir_ / "back.txt").string();
    ASSERT_EQ(Tool("dump " + dir_.string() + " -o " + out).status, 0);
    EXPECT_EQ(Read(out), Read(source));
    // The catalogue is what fill makes of the designs, names included.
    ASSERT_EQ(Tool("fill " + source.substr(0, source.rfind('/')) + "/designs.txt -o " + out).status, 0);
    EXPECT_EQ(Read(out), Read(source));
    ASSERT_EQ(Tool(build).status, 0);  // rebuilding into fewer packs removes the stale ones
    EXPECT_TRUE(fs::exists(dir_ / "tessa321.dat"));
    EXPECT_FALSE(fs::exists(dir_ / "tessa322.dat"));
}

// Each picture, read back cell by cell, gives its level's text again: the
// shape where the centre is not the light outside, and a piece boundary
// wherever a dark line runs between two inside cells.
TEST_F(LevelTool, RenderDrawsEachLevelsShapeAndTiling) {
    const ToolRun run = Tool(std::string("render ") + TESSALOR_LEVEL_SOURCE + " " + dir_.string());
    ASSERT_EQ(run.status, 0) << run.output;
    const auto source = levels::ParseSource(Read(TESSALOR_LEVEL_SOURCE), "catalogue");
    ASSERT_EQ(source.levels.size(), 40u);
    std::string labels;
    for (size_t n = 0; n < source.levels.size(); ++n) {
        const Level& level = source.levels[n];
        labels += std::to_string(n) + " " + level.name + "\n";
        char name[32];
        std::snprintf(name, sizeof name, "%02zu.ppm", n);
        const std::string ppm = Read(dir_ / name), header = "P6\n192 192\n255\n";
        ASSERT_EQ(ppm.size(), header.size() + 192 * 192 * 3) << name;
        ASSERT_EQ(ppm.substr(0, header.size()), header) << name;
        auto red = [&](int px, int py) {
            return static_cast<unsigned char>(ppm[header.size() + (py * 192 + px) * 3]);
        };
        auto dark = [&](int px, int py) { return red(px, py) < 40; };
        auto light = [&](int px, int py) { return red(px, py) > 200; };
        std::string want, seen;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) {
                const int p = level.At(x, y);
                want += p < 0 ? '.' : '#';
                seen += light(x * 12 + 6, y * 12 + 6) ? '.' : '#';
                if (p < 0) continue;
                if (x < 15 && level.At(x + 1, y) >= 0) {
                    want += level.At(x + 1, y) != p ? '|' : ' ';
                    seen += dark(x * 12 + 11, y * 12 + 6) ? '|' : ' ';
                }
                if (y < 15 && level.At(x, y + 1) >= 0) {
                    want += level.At(x, y + 1) != p ? '_' : ' ';
                    seen += dark(x * 12 + 6, y * 12 + 11) ? '_' : ' ';
                }
            }
        EXPECT_EQ(seen, want) << name;
    }
    EXPECT_EQ(Read(dir_ / "labels.txt"), labels);
}

// Every design comes out as a level tiled by exactly its allowed pieces,
// covering the design's shape in the middle of the board, in design order;
// pick takes another tiling.
TEST_F(LevelTool, FillTilesEachDesignWithItsPieces) {
    struct Design {
        std::string name, pieces;  // pieces empty: no "pieces:" line, all twelve
        int pick;                  // 0: no "pick:" line
        std::vector<std::string> rows;
    };
    const std::vector<std::string> block{"#####", "#####", "#####"};
    const std::vector<Design> designs{
        {"triangle", "BFH", 0, {"#....", "##...", "###..", "####.", "#####"}},
        {"bloc 1", "FGH", 1, block},
        {"bloc 2", "FGH", 2, block},
        {"chien", "", 0,
         {".........#..", "........###.", "#.......####", "#########...", ".########...", ".#.#..#.#..."}},
    };
    std::string text;
    for (const Design& d : designs) {
        text += "name: " + d.name + "\n";
        if (!d.pieces.empty()) text += "pieces: " + d.pieces + "\n";
        if (d.pick) text += "pick: " + std::to_string(d.pick) + "\n";
        for (const auto& row : d.rows) text += row + "\n";
        text += "\n";
    }
    const auto out = (dir_ / "filled.txt").string();
    const ToolRun run = Tool("fill " + Write("designs.txt", text) + " -o " + out);
    ASSERT_EQ(run.status, 0) << run.output;
    const auto filled = levels::ParseSource(Read(out), "filled");
    ASSERT_TRUE(filled.errors.empty()) << filled.errors.front();  // every piece five cells of its own shape
    ASSERT_EQ(filled.levels.size(), designs.size());
    for (size_t n = 0; n < designs.size(); ++n) {
        const Design& d = designs[n];
        const Level& level = filled.levels[n];
        EXPECT_EQ(level.name, d.name);
        levels::PieceSet allowed = levels::kAllPieces;
        if (!d.pieces.empty()) {
            ASSERT_TRUE(levels::ParsePieceList(d.pieces, allowed));
        }
        // A listed set is used whole; the area leaves no choice.
        const levels::PieceSet used = levels::PiecesOf(level);
        EXPECT_EQ(used & ~allowed, 0) << d.name << " uses a piece it may not";
        EXPECT_TRUE(d.pieces.empty() || used == allowed) << d.name;
        // The shape, found again where the level's cells start.
        int left = 16, top = 16, right = -1, bottom = -1;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                if (level.At(x, y) >= 0) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
        std::vector<std::string> shape;
        for (int y = top; y <= bottom; ++y) {
            shape.emplace_back();
            for (int x = left; x <= right; ++x) shape.back() += level.At(x, y) >= 0 ? '#' : '.';
        }
        EXPECT_EQ(shape, d.rows) << d.name;
        EXPECT_LE(std::abs(left - (15 - right)), 1) << d.name;
        EXPECT_LE(std::abs(top - (15 - bottom)), 1) << d.name;
    }
    EXPECT_NE(filled.levels[1].cell, filled.levels[2].cell) << "pick 2 gave the first tiling again";
}

}  // namespace
