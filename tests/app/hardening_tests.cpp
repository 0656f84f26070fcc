// Saved games from outside: a huge line or a FIFO leaves its level unsolved,
// at once and without memory growing with the file. Each case runs in a child process
// so that a hang is caught by an alarm and the memory is the child's own.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "app/modtessa.h"
#include "flow/flow.h"

using namespace modTessa;
namespace fs = std::filesystem;

namespace {

long PeakKb() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

struct HostileSave {
    const char* what;
    std::function<void(const std::string& path)> make;
};

}  // namespace

TEST(HostileSaves, ReadAsCorruptAtOnceWithinBoundedMemory) {
    const fs::path dir = fs::temp_directory_path() / ("tessalor_saves_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const HostileSave cases[] = {
        {"a 1 MB line", [](const std::string& p) { std::ofstream(p) << "#TRUE#" << std::string(1 << 20, 'x'); }},
        {"a FIFO", [](const std::string& p) { ASSERT_EQ(mkfifo(p.c_str(), 0600), 0); }},
    };
    GameState state;
    for (const auto& c : cases) {
        state.strSaveDir = dir.string() + "/";
        state.strGameName = "hostile.pnt";
        fs::remove(state.strSaveDir + state.strGameName);
        c.make(state.strSaveDir + state.strGameName);
        state.nLevelCount = 40;
        state.tabLevelDone.assign(41, true);
        const pid_t child = fork();
        if (child == 0) {
            alarm(5);
            // A first reading of a file longer than a save can be warms the
            // reader and its allocator up (sanitizers map memory per size on
            // first use), so that only what the hostile file costs is measured.
            state.strGameName = "warm.pnt";
            std::string warm;
            while (warm.size() < 8192) warm += "#TRUE#\r\n";
            std::ofstream(state.strSaveDir + state.strGameName) << warm;
            LoadProgress(state);
            state.strGameName = "hostile.pnt";
            state.tabLevelDone.assign(41, true);
            const long before = PeakKb();
            const bool unsolved = LoadProgress(state);
            _exit(unsolved && !state.tabLevelDone[0] && PeakKb() - before < 256 ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << c.what << ": " << (WIFSIGNALED(status) ? "still reading after 5 s" : "its level not left unsolved, or memory grew");
    }
    fs::remove_all(dir);
}
