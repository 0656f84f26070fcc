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
    const std::string build = std::string("build ") + TESSALOR_LEVEL_SOURCE + " " + dir_.string();
    const ToolRun run = Tool(build + " --per-pack 7");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(fs::exists(dir_ / "tessa325.dat"));  // 40 levels, 7 a pack: six files
    EXPECT_FALSE(fs::exists(dir_ / "tessa326.dat"));
    EXPECT_EQ(Tool("verify " + dir_.string()).status, 0);
    const auto out = (dir_ / "back.txt").string();
    ASSERT_EQ(Tool("dump " + dir_.string() + " -o " + out).status, 0);
    std::ifstream a(out), b(TESSALOR_LEVEL_SOURCE);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(a)), {}), std::string((std::istreambuf_iterator<char>(b)), {}));
    ASSERT_EQ(Tool(build).status, 0);  // rebuilding into fewer packs removes the stale ones
    EXPECT_TRUE(fs::exists(dir_ / "tessa321.dat"));
    EXPECT_FALSE(fs::exists(dir_ / "tessa322.dat"));
}

}  // namespace
