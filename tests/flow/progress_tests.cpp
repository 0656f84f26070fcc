#include <sys/stat.h>

#include "tests/support/game_fixture.h"

using namespace testing_support;
using namespace modTessa;
using namespace std::string_literals;

namespace {

class ProgressTest : public GameTest {
protected:
    void SetUp() override {
        GameTest::SetUp();
        fs::create_directories(saveDir);
        S().strSaveDir = saveDir.string() + "/";
        S().strGameName = "ma partie.pnt";
        S().nLevelCount = 3;
        S().tabLevelDone.assign(4, false);
    }
    fs::path File() const { return saveDir / "ma partie.pnt"; }
    std::vector<std::string> Folder() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(saveDir)) names.push_back(e.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }
};

constexpr bool T = true, F = false;

}  // namespace

TEST_F(ProgressTest, SavedFileHoldsOneLinePerLevelAndNothingElse) {
    // A file of the player's that an older save would have used as its scratch copy.
    WriteFile(saveDir / "ma partie.pnt.tmp", "à moi");
    S().tabLevelDone[1] = true;
    S().tabLevelDone[3] = true;  // the spare entry is never written
    ASSERT_TRUE(SaveProgress(S()));
    EXPECT_EQ(ReadFile(File()), "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n");
    S().tabLevelDone[2] = true;
    ASSERT_TRUE(SaveProgress(S()));
    EXPECT_EQ(ReadFile(File()), "#FALSE#\r\n#TRUE#\r\n#TRUE#\r\n");
    EXPECT_EQ(Folder(), (std::vector<std::string>{"ma partie.pnt", "ma partie.pnt.tmp"}));
    EXPECT_EQ(ReadFile(saveDir / "ma partie.pnt.tmp"), "à moi");
}

TEST_F(ProgressTest, ReadingKeepsEveryReadableLine) {
    struct Case {
        std::string file;
        std::vector<bool> done;
        bool levelLeft;
    } cases[] = {
        {"#TRUE#\r\n#FALSE#\r\n#TRUE#\r\n", {T, F, T}, true},
        {"#TRUE#\n#TRUE#\n#TRUE#\n#FALSE#\n", {T, T, T}, false},  // LF only, a line too many
        {"#TRUE#\r\n#TRUE#\r\n#TRUE#", {T, T, T}, false},         // no last line end
        {"#TRUE#\r\n", {T, F, F}, true},                          // levels added since
        {"", {F, F, F}, true},
        // A damaged line costs its own level only.
        {"#TRUE#\r\n1\r\n#TRUE#\r\n", {T, F, T}, true},
        {"#TRUE#\r\n#VRAI#\r\n#TRUE#\r\n", {T, F, T}, true},
        {"#TRUE#\r\n\0#TRUE#\r\n#TRUE#\r\n"s, {T, F, T}, true},
        {std::string(1 << 20, '#'), {F, F, F}, true},  // one huge line, read only in part
    };
    for (const Case& c : cases) {
        WriteFile(File(), c.file);
        S().tabLevelDone.assign(4, false);
        EXPECT_EQ(LoadProgress(S()), c.levelLeft) << c.file.substr(0, 40);
        EXPECT_EQ(std::vector<bool>(S().tabLevelDone.begin(), S().tabLevelDone.begin() + 3), c.done)
            << c.file.substr(0, 40);
    }
}

TEST_F(ProgressTest, WhatCannotBeReadIsANewGameAndNeverBlocks) {
    const std::vector<std::function<void()>> makers = {
        [&] { fs::remove(File()); },
        [&] { fs::create_directory(File()); },
        [&] { ASSERT_EQ(mkfifo(File().c_str(), 0600), 0); },  // no writer: must not wait
        [&] { fs::create_symlink("/dev/zero", File()); },
    };
    for (const auto& make : makers) {
        fs::remove_all(File());
        make();
        S().tabLevelDone.assign(4, true);
        EXPECT_TRUE(LoadProgress(S()));
        EXPECT_EQ(S().tabLevelDone[0] | S().tabLevelDone[1] | S().tabLevelDone[2], false);
    }
}

TEST_F(ProgressTest, FailedSaveKeepsTheOldFileWholeAndLeavesNothingBehind) {
    WriteFile(File(), "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n");
    S().tabLevelDone.assign(4, true);
    {
        const FileSizeLimit diskFull(10);
        EXPECT_FALSE(SaveProgress(S()));
    }
    EXPECT_EQ(ReadFile(File()), "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n");
    EXPECT_EQ(Folder(), std::vector<std::string>{"ma partie.pnt"});
    // A folder removed during play is made again; one that cannot be is reported.
    fs::remove_all(saveDir);
    EXPECT_TRUE(SaveProgress(S()));
    EXPECT_EQ(ReadFile(File()), "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n");
    fs::remove_all(saveDir);
    WriteFile(saveDir, "");
    EXPECT_FALSE(SaveProgress(S()));
}
