// A huge saved line, read in a child so that a hang meets an alarm and memory is its own.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <fstream>

#include "app/modtessa.h"
#include "flow/flow.h"
#include "tests/support/temp_dir.h"

using namespace modTessa;

TEST(HostileSaves, AHugeLineIsReadAsCorruptAtOnceWithinBoundedMemory) {
    const testing_support::TempDir dir;
    GameState state;
    state.strSaveDir = dir.Path().string() + "/";
    state.nLevelCount = 40;
    state.tabLevelDone.assign(41, true);
    std::ofstream(dir / "hostile.pnt") << "#TRUE#" << std::string(1 << 20, 'x');
    // A first over-long reading warms the allocator up, so only the hostile file is measured.
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
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const bool unsolved = LoadProgress(state);
        getrusage(RUSAGE_SELF, &after);
        _exit(unsolved && !state.tabLevelDone[0] && after.ru_maxrss - before.ru_maxrss < 256 ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << (WIFSIGNALED(status) ? "still reading after 5 s" : "its level not left unsolved, or memory grew");
}
