// The tessalor-levels command line: exit codes and messages.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {

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
    fs::path dir_;
};

TEST_F(LevelTool, BadUsageExitsWithTwo) {
    EXPECT_EQ(Tool("").status, 2);
    EXPECT_EQ(Tool("frobnicate").status, 2);
    EXPECT_EQ(Tool("solve").status, 2);
    EXPECT_EQ(Tool("count shape.txt --pieces XYZ").status, 2);
    EXPECT_EQ(Tool("build only-one-arg").status, 2);
}

TEST_F(LevelTool, SolvePrintsATilingInRecordLetters) {
    const auto shape = Write("s.txt", "#####\n#####\n#####\n");
    const ToolRun run = Tool("solve " + shape + " --pieces FGH");
    EXPECT_EQ(run.status, 0) << run.output;
    ASSERT_EQ(run.output.size(), 18u) << run.output;
    for (char c : run.output) EXPECT_TRUE(c == '\n' || c == 'F' || c == 'G' || c == 'H') << run.output;

    const ToolRun none = Tool("solve " + shape + " --pieces BCD");
    EXPECT_EQ(none.status, 1);
    EXPECT_NE(none.output.find("no tiling"), std::string::npos);
}

TEST_F(LevelTool, CountPrintsBothFigures) {
    std::string rows;
    for (int y = 0; y < 5; ++y) rows += "############\n";
    const ToolRun run = Tool("count " + Write("s.txt", rows));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "tilings: 4040\nup to symmetry: 1010\n");
}

TEST_F(LevelTool, MalformedInputFailsWithFileAndLine) {
    const auto shape = Write("ragged.txt", "###\n##\n");
    const ToolRun run = Tool("count " + shape);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find(shape + ":2: row has 2 characters"), std::string::npos) << run.output;

    const auto source = Write("bad.txt", std::string("3 pièces #1\n") + std::string(16, '.') + "\nshort\n");
    const ToolRun verify = Tool("verify " + source);
    EXPECT_EQ(verify.status, 1);
    EXPECT_NE(verify.output.find(source + ":3: row 1 has 5 characters"), std::string::npos) << verify.output;

    const auto pack = Write("tessa320.dat", std::string(300, 'x'));
    const ToolRun packRun = Tool("verify " + pack);
    EXPECT_EQ(packRun.status, 1);
    EXPECT_NE(packRun.output.find("length 300 is not 256 x n + 2"), std::string::npos) << packRun.output;

    const ToolRun folder = Tool("count " + dir_.string());
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.output.find(dir_.string() + ": cannot open: Is a directory"), std::string::npos) << folder.output;
}

TEST_F(LevelTool, BuildDumpVerifyRoundTrip) {
    const ToolRun build = Tool(std::string("build ") + TESSALOR_LEVEL_SOURCE + " " + dir_.string() + " --per-pack 7");
    ASSERT_EQ(build.status, 0) << build.output;
    EXPECT_TRUE(fs::exists(dir_ / "tessa325.dat"));  // 40 levels, 7 a pack: six files
    EXPECT_FALSE(fs::exists(dir_ / "tessa326.dat"));
    EXPECT_EQ(Tool("verify " + dir_.string()).status, 0);
    const auto out = (dir_ / "back.txt").string();
    ASSERT_EQ(Tool("dump " + dir_.string() + " -o " + out).status, 0);
    std::ifstream a(out), b(TESSALOR_LEVEL_SOURCE);
    const std::string sa((std::istreambuf_iterator<char>(a)), {}), sb((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(sa, sb);
    // Rebuilding into fewer packs removes the stale ones.
    ASSERT_EQ(Tool(std::string("build ") + TESSALOR_LEVEL_SOURCE + " " + dir_.string()).status, 0);
    EXPECT_TRUE(fs::exists(dir_ / "tessa321.dat"));
    EXPECT_FALSE(fs::exists(dir_ / "tessa322.dat"));
}

}  // namespace
