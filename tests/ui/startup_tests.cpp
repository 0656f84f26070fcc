// Start-up: the single instance, its folders and sounds, the level packs it reads.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <functional>

#include "platform/system.h"
#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

using StartupTest = GameTest;
using LevelPackTest = GameTest;

namespace {

std::string Record(char fill) { return std::string(256, fill); }

}  // namespace

TEST_F(StartupTest, SecondInstanceLeavesAtOnceWithoutAWindow) {
    SKIP_ON_WINDOWS("the second instance is a forked child");
#ifndef _WIN32
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
#endif
}

// Each sound reaches the host, and a click waiting in the queue is handled once, before the first plays.
TEST_F(StartupTest, OpensIdleInItsFoldersAndEachSoundYieldsOnce) {
    const fs::path cwd = fs::current_path();
    WritePack(dataDir / "tessa320.dat", MakeRecord({"BBBBB"}));
    StartGame();
    EXPECT_EQ(S().strDataDir, dataDir.string() + plat::kPathSeparator);
    EXPECT_EQ(fs::current_path(), cwd);
    EXPECT_EQ(S().strSaveDir, saveDir.string() + plat::kPathSeparator);
    ClickScreen(50, 60);  // nothing can be taken before a level starts
    EXPECT_TRUE(host.sounds.empty());
    std::vector<size_t> seenAt;
    form->pctTete.MouseDown = [&](int, int, float, float) { seenAt.push_back(host.sounds.size()); };
    host.MouseDown(*form, &form->pctTete, 5, 5);
    form->PlaySound(Sound::Take);
    form->PlaySound(Sound::Drop);
    const std::vector<std::string> want = {S().strDataDir + "tessa32e.dat", S().strDataDir + "tessa32f.dat"};
    EXPECT_EQ(host.sounds, want);
    EXPECT_EQ(seenAt, std::vector<size_t>{0});
}

// Digit order decides, not writing order; the chain restarts in every file;
// short, empty, partial and odd packs leave no gap.
TEST_F(LevelPackTest, PacksChainInDigitOrderAndOddOnesAreReadSafely) {
    std::string first = Record('B');
    first[5] = 'M';
    first[44] = '\0';  // a zero character survives the chain
    WritePack(dataDir / "tessa329.dat", Record('C'));
    WriteFile(dataDir / "tessa320.dat", "x");  // shorter than its trailer
    WriteFile(dataDir / "tessa321.dat", "");
    WritePack(dataDir / "tessa322.dat", first + std::string(100, 'G'));  // partial record dropped
    WriteFile(dataDir / "tessa323.dat", pack::Scramble(Record('J')) + std::string("\xff\x00", 2));  // any trailer
    WriteFile(dataDir / "tessa324.dat", std::string("\x10\x10zz", 4));  // no whole record
    StartGame();
    EXPECT_EQ(S().nLevelCount, 3);
    EXPECT_EQ(S().strLevelData, first + Record('J') + Record('C'));
    EXPECT_EQ(S().tabLevelName, (std::vector<std::string>{"3 pièces #1", "3 pièces #2", "3 pièces #3", ""}));
}

TEST_F(LevelPackTest, StartUpStopsOnAPackItCannotReadNamingIt) {
    std::string full;  // a thousand records: the most a pack may hold
    for (int n = 0; n < 1000; ++n) full += Record('B');
    struct Case {
        std::string file;
        std::function<void(const fs::path&)> make;
        std::string reason;  // empty: the pack loads
    };
    const Case cases[] = {
        {"tessa324.dat", [](const fs::path& p) { fs::create_directory(p); }, "c'est un dossier"},
        {"tessa323.dat", [&](const fs::path& p) { WritePack(p, full + "B"); }, "fichier trop grand"},
        {"tessa321.dat", [&](const fs::path& p) { WritePack(p, full); }, ""},
    };
    for (const Case& c : cases) {
        const fs::path path = dataDir / c.file;
        c.make(path);
        try {
            StartGame();
            EXPECT_EQ(c.reason, "") << c.file << " was accepted";
            EXPECT_EQ(S().nLevelCount, 1000);
        } catch (const StartupError& e) {
            EXPECT_EQ(std::string(e.what()), "Le fichier de niveaux « " + path.string() +
                                                 " » existe mais ne peut pas être lu (" + c.reason + ").");
        }
        fs::remove_all(path);
    }
}
