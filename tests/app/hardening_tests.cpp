// A saved game holding one huge line is read at once, as its level unsolved,
// without memory growing with the file. The reading runs in a child process so
// that a hang is caught by an alarm and the memory measured is the child's own.
// A FIFO in its place: the saved-games reading table.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>

#include "app/modtessa.h"
#include "flow/flow.h"
#include "tests/support/temp_dir.h"

using namespace modTessa;

namespace {

long PeakKb() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return r.ru_maxrss;
}

}  // namespace

TEST(HostileSaves, AHugeLineIsReadAsCorruptAtOnceWithinBoundedMemory) {
    const testing_support::TempDir dir;
    GameState state;
    state.strSaveDir = dir.Path().string() + "/";
    state.nLevelCount = 40;
    state.tabLevelDone.assign(41, true);
    std::ofstream(dir / "hostile.pnt") << "#TRUE#" << std::string(1 << 20, 'x');
    // A first reading of a file longer than a save can be warms the reader and
    // its allocator up (sanitizers map memory per size on first use), so that
    // only what the hostile file costs is measured.
    std::string warm;
    while (warm.size() < 8192) warm += "#TRUE#\r\n";
    std::ofstream(dir / "warm.pnt") << warm;
    const pid_t child = fork();
    if (child == 0) {
        alarm(5);
        state.strGameName = "warm.pnt";
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
        << (WIFSIGNALED(status) ? "still reading after 5 s" : "its level not left unsolved, or memory grew");
}
