#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class StartupTest : public GameTest {};

}  // namespace

TEST_F(StartupTest, OpensWithAllPiecesOverTheBareBackground) {
    WritePack(dataDir / "tessa320.dat", MakeRecord({"BBBBB"}, 0, 0));
    StartGame();
    EXPECT_TRUE(host.IsShown(*form));
    EXPECT_EQ(strDataDir, dataDir.string() + "/");
    EXPECT_EQ(strSaveDir, saveDir.string() + "/");
    EXPECT_TRUE(fs::is_directory(saveDir));
    EXPECT_EQ(nLevelCount, 1);
    EXPECT_EQ(tabLevelDone.size(), 2u);
    EXPECT_EQ(tabLevelName.size(), 2u);
    EXPECT_EQ(tabLevelName[0], "3 pièces #1");
    EXPECT_EQ(tabLevelName[1], "");
    EXPECT_FALSE(bLevelActive);
    EXPECT_FALSE(bMenuShown);
    EXPECT_TRUE(strGameName.empty());
    EXPECT_EQ(form->labNom.Caption(), "");
    EXPECT_EQ(form->labTemps.Caption(), "00:00");
    for (int p = 0; p <= 12; ++p) EXPECT_FALSE(tabInTray[p]);
    for (int p = 0; p < 12; ++p)
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 6; ++c) EXPECT_EQ(tabPieceOrient[p][r][c], tabPieceShape[p][r][c]);

    // The play area: the background with every piece in colour in its slot
    // (slot boxes overlap, so build the expected picture cell by cell).
    const plat::Surface& bg = form->backgroundPicture;
    const plat::Surface& tiles = form->pctBrique.Image;
    plat::Surface want(720, 384);
    plat::BitBlt(want, 0, 0, 720, 384, bg, 0, 24, plat::SRCCOPY);
    for (int p = 0; p < 12; ++p)
        for (int r = 0; r < 5; ++r)
            for (int c = 0; c < 5; ++c)
                if (tabPieceShape[p][r][c])
                    plat::BitBlt(want, tabTrayX[p] + 24 * c, tabTrayY[p] + 24 * r, 24, 24, tiles,
                                 24 * p, 0, plat::SRCCOPY);
    EXPECT_TRUE(Screen() == want);
    // The head shows its first frame.
    for (int y = 0; y < 64; y += 3)
        for (int x = 0; x < 80; x += 3)
            ASSERT_EQ(form->pctTete.Image.At(x, y), form->pctTeteBase.Image.At(x, y));
    // Clicks on the play area do nothing before a level starts.
    ClickScreen(50, 60);
    EXPECT_EQ(nHeldPiece, 0);
    EXPECT_TRUE(form->kvtUt.log.empty());
}

TEST_F(StartupTest, OpensWithoutAnyLevelPack) {
    StartGame();
    EXPECT_TRUE(host.IsShown(*form));
    EXPECT_EQ(nLevelCount, 0);
    EXPECT_EQ(tabLevelName.size(), 1u);
    EXPECT_EQ(tabLevelDone.size(), 1u);
}

TEST_F(StartupTest, MissingBackgroundStopsBeforeAnyWindow) {
    fs::remove(dataDir / "tessa32c.dat");
    form = std::make_unique<frmTessa>();
    const std::string dir = dataDir.string();
    form->ExecutableDirectory = [dir] { return dir; };
    try {
        form->Show();
        FAIL() << "start-up went on without its background";
    } catch (const StartupError& e) {
        EXPECT_NE(std::string(e.what()).find((dataDir / "tessa32c.dat").string()), std::string::npos);
    }
    EXPECT_FALSE(host.IsOpen(*form));
    // An unreadable picture is refused the same way.
    WriteFile(dataDir / "tessa32c.dat", "not a picture");
    EXPECT_THROW(form->Show(), StartupError);
    EXPECT_FALSE(host.IsOpen(*form));
}

TEST_F(StartupTest, SaveDirectoriesAreMadeWithoutMovingTheWorkingDirectory) {
    const fs::path cwd = fs::current_path();
    ASSERT_FALSE(fs::exists(root / "xdg"));
    StartGame();
    EXPECT_TRUE(fs::is_directory(root / "xdg" / "kvtscore"));
    EXPECT_TRUE(fs::is_directory(saveDir));
    EXPECT_EQ(fs::current_path(), cwd);
    EXPECT_EQ(form->filTessa.Path, saveDir.string() + "/");
    EXPECT_EQ(form->filTessa.Pattern, "*.pnt");
}

TEST_F(StartupTest, SecondInstanceLeavesAtOnceWithoutAWindow) {
    StartGame();  // this process holds the lock
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child is a second start of the program.
        fs::remove_all(root / "xdg");
        int status = 3;
        try {
            plat::HeadlessHost h2;
            plat::Runtime::Get().SetHost(&h2);
            frmTessa second;
            second.ExecutableDirectory = [this] { return dataDir.string(); };
            second.Show();
            status = 2;  // it should never get this far
        } catch (const plat::ProgramEnd& end) {
            status = end.status;
        }
        // Nothing was touched: the save directories were not recreated.
        if (fs::exists(root / "xdg")) status = 4;
        _exit(status);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
