// The tessalor-levels command line: exit codes, messages and the files it writes.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#ifdef _WIN32
// The exit code comes back whole.
#define popen _popen
#define pclose _pclose
#define WIFEXITED(rc) true
#define WEXITSTATUS(rc) (rc)
#endif

#include <array>
#include <cstdio>
#include <filesystem>

#include "levels/level_text.h"
#include "levels/shape_code.h"
#include "tests/support/folder_test.h"

namespace levels {
namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;

struct ToolRun {
    int status;
    std::string output;  // stdout and stderr together
};

ToolRun Tool(const std::string& args) {
    FILE* pipe = popen((std::string(TESSALOR_LEVELS_TOOL) + " " + args + " 2>&1").c_str(), "r");
    std::string out;
    std::array<char, 4096> buf{};
    while (size_t n = fread(buf.data(), 1, buf.size(), pipe)) out.append(buf.data(), n);
    const int rc = pclose(pipe);
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, out};
}

// Each test works in a folder of its own.
using LevelFiles = testing_support::FolderTest;

TEST_F(LevelFiles, ToolExitCodesAndMessages) {
    const auto shape = Write("s.txt", "#####\n#####\n#####\n");
    const ToolRun solved = Tool("solve " + shape + " --pieces FGH");
    EXPECT_EQ(solved.status, 0) << solved.output;
    EXPECT_EQ(solved.output.size(), 18u) << solved.output;
    EXPECT_EQ(solved.output.find_first_not_of("FGH\n"), std::string::npos) << solved.output;
    const std::string hint = std::string("hint ") + TESSALOR_LEVEL_SOURCE + " ";
    struct Case {
        std::string args;
        int status;
        std::vector<std::string> lines;  // each found in what the tool writes
    };
    for (const Case& c : std::vector<Case>{
             {"", 2, {}}, {"frobnicate", 2, {}}, {"solve", 2, {}}, {"count shape.txt --pieces XYZ", 2, {}},
             {"build only-one-arg", 2, {}}, {"solve " + shape + " --pieces BCD", 1, {"no tiling"}},
             {"count " + Write("r.txt", "############\n############\n############\n############\n############\n"), 0,
              {"tilings: 4040\nup to symmetry: 1010\n"}},
             {"count " + Write("ragged.txt", "###\n##\n"), 1, {":2: row has 2 characters"}},
             {"count " + Write("wide.txt", std::string(17, '#') + "\n"), 1, {"does not fit the 16 x 16 board"}},
             {"count " + Write("empty.txt", "...\n"), 1, {}}, {"solve " + shape + " --pieces BN", 2, {}},
             {"verify " + Write("bad.txt", "3 pièces #1\n" + std::string(16, '.') + "\nshort\n"), 1, {":3: row 1 has 5 characters"}},
             {"verify " + Write("tessa320.dat", std::string(300, 'x')), 1, {"length 300 is not 256 x n + 2"}},
             {"count " + dir_.string(), 1, {": cannot open: Is a directory"}},
             {hint + "--level 6 --place B@5,6,1 --hold F", 0,
              {"1 placed, 3 left", "solvable", "ways left: 4", "place F (P) on 5,7 6,7 5,8 6,8 5,9"}},
             {hint + "--level \"rectangle 4x5 #1\" --place B@5,7,1", 0,
              {"dead end", "no piece left can fill the empty region of 5 cells at 5,6 6,6 7,6 8,6 9,6",
               "taking back piece B (I)"}},
             {hint + "--level 6 --place G@5,6,3", 0, {"region of 1 cell at 6,6 is not a multiple of 5"}},
             {hint + "--level 6 --place B@0,0", 1, {"cell 0,0 is not an empty cell of the shape"}},
             {hint + "--level 41", 1, {"no level 41 (40 levels)"}},
             {hint + "--level 6 --place Q@1,1", 2, {"--place takes L@X,Y"}},
             {hint + "--place B@5,6", 2, {"hint needs --level"}}}) {
        const ToolRun run = Tool(c.args);
        EXPECT_EQ(run.status, c.status) << c.args;
        for (const auto& line : c.lines) EXPECT_NE(run.output.find(line), std::string::npos) << c.args << "\n" << run.output;
    }
}

TEST_F(LevelFiles, ToolBuildDumpVerifyRoundTrip) {
    const std::string source = TESSALOR_LEVEL_SOURCE, build = "build " + source + " " + dir_.string();
    const ToolRun run = Tool(build + " --per-pack 7");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(fs::exists(dir_ / "tessa325.dat"));  // 40 levels, 7 a pack: six files
    EXPECT_FALSE(fs::exists(dir_ / "tessa326.dat"));
    EXPECT_EQ(Tool("verify " + dir_.string()).status, 0);
    const auto out = Path("back.txt");
    ASSERT_EQ(Tool("dump " + dir_.string() + " -o " + out).status, 0);
    EXPECT_EQ(ReadFile(out), ReadFile(source));
    // The catalogue is what fill makes of the designs, names included.
    ASSERT_EQ(Tool("fill " + source.substr(0, source.rfind('/')) + "/designs.txt -o " + out).status, 0);
    EXPECT_EQ(ReadFile(out), ReadFile(source));
    ASSERT_EQ(Tool(build).status, 0);  // rebuilding into fewer packs removes the stale ones
    EXPECT_TRUE(fs::exists(dir_ / "tessa321.dat"));
    EXPECT_FALSE(fs::exists(dir_ / "tessa322.dat"));
}

// Each picture read back cell by cell gives its level again: the shape where the centre is not the light
// outside, a piece boundary wherever a dark line runs between two inside cells.
TEST_F(LevelFiles, ToolRenderDrawsEachLevelsShapeAndTiling) {
    const ToolRun run = Tool(std::string("render ") + TESSALOR_LEVEL_SOURCE + " " + dir_.string());
    ASSERT_EQ(run.status, 0) << run.output;
    const auto source = ParseSource(ReadFile(TESSALOR_LEVEL_SOURCE), "catalogue");
    ASSERT_EQ(source.levels.size(), 40u);
    std::string labels;
    const std::string header = "P6\n192 192\n255\n";
    for (size_t n = 0; n < source.levels.size(); ++n) {
        const Level& level = source.levels[n];
        labels += std::to_string(n) + " " + level.name + "\n";
        char name[32];
        std::snprintf(name, sizeof name, "%02zu.ppm", n);
        const std::string ppm = ReadFile(dir_ / name);
        ASSERT_EQ(ppm.size(), header.size() + 192 * 192 * 3) << name;
        ASSERT_EQ(ppm.substr(0, header.size()), header) << name;
        const auto red = [&](int px, int py) { return static_cast<unsigned char>(ppm[header.size() + (py * 192 + px) * 3]); };
        std::string want, seen;
        for (int i = 0; i < 256; ++i) {
            const int x = i % 16, y = i / 16, p = level.At(x, y);
            want += p < 0 ? '.' : '#';
            seen += red(x * 12 + 6, y * 12 + 6) > 200 ? '.' : '#';
            if (p >= 0 && x < 15 && level.At(x + 1, y) >= 0) {
                want += level.At(x + 1, y) != p ? '|' : ' ';
                seen += red(x * 12 + 11, y * 12 + 6) < 40 ? '|' : ' ';
            }
            if (p >= 0 && y < 15 && level.At(x, y + 1) >= 0) {
                want += level.At(x, y + 1) != p ? '_' : ' ';
                seen += red(x * 12 + 6, y * 12 + 11) < 40 ? '_' : ' ';
            }
        }
        EXPECT_EQ(seen, want) << name;
    }
    EXPECT_EQ(ReadFile(dir_ / "labels.txt"), labels);
}

// The shipped designs' output is pinned by the round trip above; here what they do not use: a design with
// no pieces line takes all twelve, and pick takes another tiling. Every piece comes out as five cells of its shape.
TEST_F(LevelFiles, ToolFillDefaultsToAllPiecesAndPicksAnotherTiling) {
    const std::string block = "#####\n#####\n#####\n\n";
    const std::string designs = "name: bloc 1\npieces: FGH\npick: 1\n" + block + "name: bloc 2\npieces: FGH\npick: 2\n" +
                                block + "name: chien\n.........#..\n........###.\n#.......####\n#########...\n.########...\n.#.#..#.#...\n";
    const ToolRun run = Tool("fill " + Write("designs.txt", designs) + " -o " + Path("filled.txt"));
    ASSERT_EQ(run.status, 0) << run.output;
    const auto filled = ParseSource(ReadFile(Path("filled.txt")), "filled");
    ASSERT_TRUE(filled.errors.empty()) << filled.errors.front();
    ASSERT_EQ(filled.levels.size(), 3u);
    EXPECT_EQ(std::tuple(filled.levels[2].name, PieceCountOf(PiecesOf(filled.levels[2]))), std::tuple("chien", 6));
    EXPECT_EQ(PiecesOf(filled.levels[1]), PiecesOf(filled.levels[0]));
    EXPECT_NE(filled.levels[0].cell, filled.levels[1].cell) << "pick 2 gave the first tiling again";
}

// A level's code printed by the tool decodes, through the tool, to level text of the same cells and pieces;
// every bad input is a clear message and a non-zero status.
TEST(ShapeTool, CodeDecodeDayRate) {
    const std::string source = TESSALOR_LEVEL_SOURCE;
    const ToolRun code = Tool("code " + source + " --level \"rectangle 4x5 #1\"");
    ASSERT_EQ(code.status, 0) << code.output;
    const std::string word = code.output.substr(0, code.output.find('\n'));
    const ToolRun decoded = Tool("decode " + word);
    ASSERT_EQ(decoded.status, 0) << decoded.output;
    const auto back = ParseSource(decoded.output, "decoded");
    ASSERT_EQ(back.levels.size(), 1u) << decoded.output;
    EXPECT_EQ(back.levels[0].name, "forme partagée");
    const auto shipped = ParseSource(ReadFile(source), "catalogue").levels[5];
    EXPECT_EQ(BoardShapeOf(back.levels[0]), BoardShapeOf(shipped));
    BoardShape single;
    single.in[0] = true;
    struct Case {
        std::string args;
        int status;
        std::string line;  // found in what the tool writes
    };
    for (const Case& c : std::vector<Case>{
             {"code " + source, 2, "code needs --level"}, {"code " + source + " --level 41", 1, "no level 41"},
             {"decode", 2, "decode needs a shape code"}, {"decode T1XYZ", 1, "T1XYZ is not a shape code"},
             {"decode " + EncodeShape(single), 1, "(1 cells) cannot be filled with any pieces"},
             {"day 2027-02-29", 2, "day takes a date YYYY-MM-DD, not 2027-02-29"}, {"day tomorrow", 2, "not tomorrow"},
             {"day 2027-03-01", 0, "forme du jour\n................"},
             {"rate " + source, 0, "\n23  king kong  pieces 10  tilings 1  effort "}}) {
        const ToolRun run = Tool(c.args);
        EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.output;
        EXPECT_NE(run.output.find(c.line), std::string::npos) << c.args << "\n" << run.output;
    }
}

}  // namespace
}  // namespace levels
