// Tests of a saved game's progress: reading, writing and damaged lines.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <unistd.h>

#include "flow/saved_games.h"
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
};

constexpr bool T = true, F = false;

}  // namespace

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
        // Edited by hand: blanks, a byte-order mark, another letter case.
        {"\xEF\xBB\xBF#TRUE#\r\n#TRUE# \r\n\t#true#\t\r\n", {T, T, T}, false},
        {"#True#\r\n # TRUE#\r\n#TRUE#x\r\n", {T, F, F}, true},
        {"\xEF\xBB#TRUE#\r\n#FALSE#\r\n#TRUE\r\n", {F, F, F}, true},  // half a mark is no mark
    };
    for (const Case& c : cases) {
        WriteFile(File(), c.file);
        S().tabLevelDone.assign(4, false);
        EXPECT_EQ(LoadProgress(S()), c.levelLeft) << c.file.substr(0, 40);
        EXPECT_EQ(std::vector<bool>(S().tabLevelDone.begin(), S().tabLevelDone.begin() + 3), c.done)
            << c.file.substr(0, 40);
    }
    // A terabyte, sparse (a gigabyte under MinGW, its limit): only what the levels can use is read, and that is no mark.
    WriteFile(File(), "#TRUE#"), fs::resize_file(File(), std::uintmax_t{1} << (kOnWindows ? 30 : 40));
    EXPECT_TRUE(LoadProgress(S()));
    EXPECT_FALSE(S().tabLevelDone[0]);
}

TEST_F(ProgressTest, WhatCannotBeReadIsANewGameAndNeverBlocks) {
    const std::vector<std::function<void()>> makers = {
        [&] { fs::remove(File()); },
        [&] { fs::create_directory(File()); },
        LINUX_ONLY([&] { ASSERT_EQ(mkfifo(File().c_str(), 0600), 0); },  // no writer: must not wait
                   [&] { fs::create_symlink("/dev/zero", File()); },)
    };
    for (const auto& make : makers) {
        fs::remove_all(File());
        make();
        S().tabLevelDone.assign(4, true);
        EXPECT_TRUE(LoadProgress(S()));
        EXPECT_FALSE(S().tabLevelDone[0] || S().tabLevelDone[1] || S().tabLevelDone[2]);
    }
    SKIP_ON_WINDOWS("the FIFO and the link to /dev/zero");
}

TEST_F(ProgressTest, FailedSaveKeepsTheOldFileWholeAndLeavesNothingBehind) {
    // A file of the player's that an older save would have used as its scratch copy.
    WriteFile(saveDir / "ma partie.pnt.tmp", "à moi");
    WriteFile(File(), "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n");
    S().tabLevelDone.assign(4, true);
    {
        DISK_FULL_PAST(10);
        EXPECT_FALSE(SaveProgress(S()));
    }
    EXPECT_EQ(ReadFile(File()), "#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n");
    EXPECT_EQ(Names(saveDir), (std::set<std::string>{"ma partie.pnt", "ma partie.pnt.tmp"}));
    EXPECT_TRUE(SaveProgress(S()));
    EXPECT_EQ(ReadFile(File()), "#TRUE#\r\n#TRUE#\r\n#TRUE#\r\n");  // the spare entry is never written
    EXPECT_EQ(ReadFile(saveDir / "ma partie.pnt.tmp"), "à moi");
    fs::remove_all(saveDir);  // a folder that cannot be made again is reported
    WriteFile(saveDir, "");
    EXPECT_FALSE(SaveProgress(S()));
}

TEST_F(ProgressTest, NamesThatReadAlikeAreOneGame) {
    // Typed one way, then the other, across scripts: the second always meets the first.
    const std::pair<std::string, std::string> alike[] = {
        {"ȘTEFAN", "ștefan"}, {"ƁƊƑ", "ɓɗƒ"}, {"ҐӘӨ ЉЊ", "ґәө љњ"}, {"ΣΟΦΊΑ", "σοφία"}, {"ԱՐԱՄ", "արամ"},
        {"ᲗᲐᲛᲐᲠ", "თამარ"}, {"ＡＢＣ", "ａｂｃ"}, {"E\u0301COLE", "école"}, {"Ame\u0301lie", "AMÉLIE"},
        {"STRAßE", "straße"}, {"a\u2060\u200Bb", "ab"}, {"\u202Ex\u200Dy\uFEFF", "X\u200E\u2066Y"}};
    for (const auto& [first, second] : alike) {
        for (const auto& [a, b] : {std::pair(first, second), std::pair(second, first)}) {
            const std::string name = saves::NormalName(a);
            ASSERT_EQ(saves::Create(saveDir.string(), name, 3), saves::NewGame::Created) << a;
            EXPECT_EQ(saves::Create(saveDir.string(), saves::NormalName(b), 3), saves::NewGame::Taken) << b;
            EXPECT_EQ(Names(saveDir), std::set<std::string>{saves::FileNameOf(saves::NormalName(second))}) << a;
            fs::remove(saveDir / plat::PathOf(saves::FileNameOf(name)));
        }
    }
    // Different words stay different games.
    for (const char* name : {"strasse", "straße", "stefan", "ştefan"})
        EXPECT_EQ(saves::Create(saveDir.string(), saves::NormalName(name), 3), saves::NewGame::Created) << name;
}

TEST_F(ProgressTest, ChooserListsOnlyGamesTheNamingDialogCouldHaveMade) {
    WriteFile(root / "ailleurs", "#TRUE#\r\n");
    for (const char* name : {"ma partie.pnt", "a.b.pnt", "été.pnt", "zz.PNT", "z.pnt.bak", ".x.pnt", ".pnt", "a\nb.pnt",
                             "a\tb.pnt" LINUX_ONLY(, "\xC3(.pnt" /* not UTF-8 */)})
        WriteFile(saveDir / plat::PathOf(name), "");
    fs::create_directory(saveDir / "dossier.pnt");
    LINUX_ONLY(fs::create_symlink(root / "ailleurs", saveDir / "lien.pnt"));  // could be played but never deleted
    EXPECT_EQ(saves::List(saveDir.string()), (std::vector<std::string>{"a.b.pnt", "ma partie.pnt", "été.pnt"}));
    SKIP_ON_WINDOWS("the name that is no UTF-8, and the link");
}

TEST_F(ProgressTest, ASaveKeepsOnlySanePermissions) {
    SKIP_ON_WINDOWS("permission bits, umask and links");
#ifndef _WIN32
    const mode_t oldMask = umask(022);
    fs::create_directory(root / "partagé");
    chmod((root / "partagé").c_str(), 01777);
    WriteFile(root / "autre", "à moi");
    chmod((root / "autre").c_str(), 0666);
    // The mode of the file at the game's name before the save (-1: none, or
    // a link to `link`), and the mode after it.
    const struct Case {
        int before;
        fs::path link;
        mode_t after;
    } cases[] = {{-1, "", 0644},   {0640, "", 0640},  {0666, "", 0666}, {0000, "", 0600}, {04755, "", 0755},
                 {01444, "", 0644}, {-1, "/dev/zero", 0644}, {-1, root / "partagé", 0644}, {-1, root / "autre", 0644}};
    for (const Case& c : cases) {
        fs::remove_all(File());
        if (!c.link.empty()) fs::create_symlink(c.link, File());
        if (c.before >= 0) WriteFile(File(), "x"), chmod(File().c_str(), static_cast<mode_t>(c.before));
        ASSERT_TRUE(SaveProgress(S()));
        struct stat st {};
        ASSERT_EQ(lstat(File().c_str(), &st), 0);
        EXPECT_TRUE(S_ISREG(st.st_mode));
        EXPECT_EQ(st.st_mode & 07777, c.after) << std::oct << c.before;
    }
    umask(oldMask);
    // What the links pointed at is untouched.
    EXPECT_EQ(ReadFile(root / "autre"), "à moi");
    struct stat st {};
    stat((root / "partagé").c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 01777u);
#endif
}

TEST_F(ProgressTest, StartUpRemovesOnlyStaleTemporaries) {
    InstallShippedPacks();
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    WriteFile(root / "ailleurs", "");
    fs::last_write_time(root / "ailleurs", old);
    // Name, kind, aged or not; and whether it survives the start-up.
    const struct Case {
        std::string name;
        bool link, aged, kept;
    } cases[] = {{".tessalor-a1B2c3", false, true, false}, {".tessalor-Zz9y8X", false, false, true},  // under way
                 {".tessalor-abc", false, true, true},     {".tessalor-abcdefg", false, true, true},
                 {"x.tessalor-abcdef", false, true, true}, LINUX_ONLY({".tessalor-l1nk00", true, true, true},)  // not ours
                 {"jeu.pnt", false, true, true}};
    for (const Case& c : cases) {
        const fs::path p = saveDir / c.name;
        if (c.link) fs::create_symlink(root / "ailleurs", p);
        else WriteFile(p, "#FALSE#\r\n");
        if (c.aged && !c.link) fs::last_write_time(p, old);
    }
    fs::create_directory(saveDir / ".tessalor-d1r000");
    LINUX_ONLY(fs::last_write_time(saveDir / ".tessalor-d1r000", old));
    StartGame();
    for (const Case& c : cases) EXPECT_EQ(fs::exists(fs::symlink_status(saveDir / c.name)), c.kept) << c.name;
    EXPECT_TRUE(fs::is_directory(saveDir / ".tessalor-d1r000"));
    EXPECT_TRUE(fs::exists(root / "ailleurs"));
    SKIP_ON_WINDOWS("the link, and an old folder (_wutime cannot date a folder)");
}
