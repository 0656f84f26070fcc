#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;

namespace {

class ProgressTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        fs::create_directories(saveDir);
        strSaveDir = saveDir.string() + "/";
        strGameName = "ma partie.pnt";
        nLevelCount = 3;
        tabLevelDone.assign(4, vbFalse);
    }
    fs::path File() const { return saveDir / "ma partie.pnt"; }
};

}  // namespace

TEST_F(ProgressTest, SavedFileHoldsOneLinePerLevelByteForByte) {
    tabLevelDone[1] = vbTrue;
    tabLevelDone[3] = vbTrue;  // the spare entry is never written
    ASSERT_TRUE(SaveProgress());
    EXPECT_EQ(ReadFile(File()), "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n");
    EXPECT_FALSE(fs::exists(saveDir / "ma partie.pnt.tmp"));
    // Solving one more level changes its line and nothing else.
    tabLevelDone[2] = vbTrue;
    ASSERT_TRUE(SaveProgress());
    EXPECT_EQ(ReadFile(File()), "#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n");
}

TEST_F(ProgressTest, ReadingFillsTheTableAndTellsWhetherALevelIsLeft) {
    WriteFile(File(), "#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n");
    EXPECT_TRUE(LoadProgress());
    EXPECT_EQ(tabLevelDone, (std::vector<Bool16>{vbTrue, vbFalse, vbTrue, vbFalse}));
    WriteFile(File(), "#TRUE#\n#TRUE#\n#TRUE#\n#FALSE#\n");  // LF endings, an extra line
    tabLevelDone.assign(4, vbFalse);
    EXPECT_FALSE(LoadProgress());
    // A short file: the missing levels keep what the caller set (unsolved).
    WriteFile(File(), "#TRUE#\r\n");
    tabLevelDone.assign(4, vbFalse);
    EXPECT_TRUE(LoadProgress());
    EXPECT_EQ(tabLevelDone[0], vbTrue);
    EXPECT_EQ(tabLevelDone[1], vbFalse);
    WriteFile(File(), "");
    tabLevelDone.assign(4, vbFalse);
    EXPECT_TRUE(LoadProgress());
}

TEST_F(ProgressTest, UnreadableFilesCountAsANewGame) {
    for (const char* bad : {"#TRUE#\r\n1\r\n#TRUE#\r\n", "#TRUE#\r\n#VRAI#\r\n"}) {
        WriteFile(File(), bad);
        tabLevelDone.assign(4, vbFalse);
        EXPECT_TRUE(LoadProgress());
        EXPECT_EQ(tabLevelDone[0], vbFalse) << bad;
    }
    fs::remove(File());
    tabLevelDone.assign(4, vbTrue);
    EXPECT_TRUE(LoadProgress());
    EXPECT_EQ(tabLevelDone[2], vbFalse);
}

TEST_F(ProgressTest, FailedSaveKeepsTheOldFileIntact) {
    WriteFile(File(), "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n");
    // The temporary file cannot be made: a directory stands in its way.
    fs::create_directory(saveDir / "ma partie.pnt.tmp");
    tabLevelDone.assign(4, vbTrue);
    EXPECT_FALSE(SaveProgress());
    EXPECT_EQ(ReadFile(File()), "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n");
    // A save directory that does not exist.
    strSaveDir = (root / "nowhere").string() + "/";
    EXPECT_FALSE(SaveProgress());
    EXPECT_FALSE(fs::exists(root / "nowhere"));
}
