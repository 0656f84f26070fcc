#include "platform/system.h"
#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

using StartupTest = GameTest;

TEST_F(StartupTest, SecondInstanceLeavesAtOnceWithoutAWindow) {
    const LockHolder first([] { return plat::AcquireSingleInstance(); });
    ASSERT_TRUE(first.Held());
    const pid_t second = fork();
    if (second == 0) {
        int status = 2;  // it should never get past Show
        try {
            frmTessa form2;
            form2.ExecutableDirectory = [this] { return dataDir.string(); };
            form2.Show();
        } catch (const plat::ProgramEnd& end) {
            status = fs::exists(root / "xdg") ? 4 : end.status;  // nothing may be touched
        }
        _exit(status);
    }
    int status = -1;
    waitpid(second, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// Each sound sends its full sequence, and a click waiting in the queue is handled once, after the 7.
TEST_F(StartupTest, OpensIdleInItsFoldersAndEachSoundYieldsOnce) {
    const fs::path cwd = fs::current_path();
    WritePack(dataDir / "tessa320.dat", MakeRecord({"BBBBB"}));
    StartGame();
    EXPECT_EQ(S().strDataDir, dataDir.string() + "/");
    EXPECT_EQ(fs::current_path(), cwd);
    EXPECT_EQ(form->filTessa.Path, saveDir.string() + "/");
    ClickScreen(50, 60);  // nothing can be taken before a level starts
    EXPECT_TRUE(form->kvtUt.log.empty());
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
