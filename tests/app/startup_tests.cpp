#include <sys/wait.h>
#include <unistd.h>

#include "platform/system.h"
#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {
class StartupTest : public GameTest {};
}  // namespace

TEST_F(StartupTest, OpensWithAllPiecesOverTheBareBackground) {
    const fs::path cwd = fs::current_path();
    WritePack(dataDir / "tessa320.dat", MakeRecord({"BBBBB"}));
    StartGame();
    EXPECT_TRUE(host.IsShown(*form));
    EXPECT_EQ(S().strDataDir, dataDir.string() + "/");
    EXPECT_TRUE(fs::is_directory(saveDir));
    EXPECT_EQ(fs::current_path(), cwd);
    EXPECT_EQ(form->filTessa.Path, saveDir.string() + "/");
    EXPECT_EQ(S().nLevelCount, 1);
    EXPECT_EQ(S().tabLevelDone.size(), 2u);
    EXPECT_EQ(S().tabLevelName[0], "3 pièces #1");
    EXPECT_FALSE(S().bLevelActive);
    // The picture: the golden journeys' first frame.
    ClickScreen(50, 60);  // nothing can be taken before a level starts
    EXPECT_TRUE(form->kvtUt.log.empty());
}

TEST_F(StartupTest, SecondInstanceLeavesAtOnceWithoutAWindow) {
    // The first instance is a process of its own, so that no lock this test
    // process took earlier (on another test's lock file) stands in for it.
    int ready[2], release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    const pid_t first = fork();
    ASSERT_GE(first, 0);
    if (first == 0) {
        const char ok = plat::AcquireSingleInstance() ? 'y' : 'n';
        (void)!write(ready[1], &ok, 1);
        char c;
        (void)!read(release[0], &c, 1);
        _exit(0);
    }
    char ok = 0;
    ASSERT_EQ(read(ready[0], &ok, 1), 1);
    ASSERT_EQ(ok, 'y');
    const pid_t second = fork();
    if (second == 0) {
        int status = 3;
        try {
            plat::HeadlessHost h2;
            plat::Runtime::Get().SetHost(&h2);
            frmTessa form2;
            form2.ExecutableDirectory = [this] { return dataDir.string(); };
            form2.Show();
            status = 2;  // it should never get this far
        } catch (const plat::ProgramEnd& end) {
            status = end.status;
        }
        if (fs::exists(root / "xdg")) status = 4;  // nothing was touched
        _exit(status);
    }
    int status = -1;
    waitpid(second, &status, 0);
    (void)!write(release[1], "x", 1);
    waitpid(first, nullptr, 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]}) close(fd);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST_F(StartupTest, EachSoundSendsTheFullSequenceAndYieldsOnce) {
    StartGame();
    form->kvtUt.log.clear();
    // A click waiting in the queue is handled inside the call, after the 7.
    std::vector<size_t> seenAt;
    form->pctTete.MouseDown = [&](int, int, float, float) { seenAt.push_back(form->kvtUt.log.size()); };
    host.MouseDown(*form, &form->pctTete, 5, 5);
    form->PlaySound(Sound::Take);
    form->PlaySound(Sound::Drop);
    const std::vector<std::string> want = {"1=7", "5=" + S().strDataDir + "tessa32e.dat", "1=6",
                                           "1=7", "5=" + S().strDataDir + "tessa32f.dat", "1=6"};
    EXPECT_EQ(form->kvtUt.log, want);
    EXPECT_EQ(seenAt, std::vector<size_t>{1});
}
