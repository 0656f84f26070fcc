// The settings file: what it says, what a bad one leaves, what the player's change writes, and F8.
// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>

#include "flow/settings.h"
#include "tests/support/game_fixture.h"
#include "ui/dialogs.h"

using namespace testing_support;
using settings::Settings;

namespace {

class SettingsTest : public GameTest {
protected:
    void TearDown() override {
        settings::Override({});  // the next test starts from the defaults
        GameTest::TearDown();
    }
    fs::path File() const { return root / "xdg" / "tessalor" / "tessalor.conf"; }
    void Write(const std::string& text) {
        fs::create_directories(File().parent_path());
        WriteFile(File(), text);
    }
    std::string Read() const {
        std::string s;
        plat::ReadRegularFile(File().string(), 1 << 20, s);
        return s;
    }
};

Settings With(void (*f)(Settings&)) {
    Settings s;
    f(s);
    return s;
}

}  // namespace

// Catches: a key read into the wrong setting, a value form refused, blanks or
// CRLF breaking a line, a later line not overriding an earlier one.
TEST_F(SettingsTest, FileContentsGiveTheirSettings) {
    struct Case {
        std::string file;
        Settings want;
    } cases[] = {
        {"", {}},
        {"sound=off\n", With([](Settings& s) { s.sound = false; })},
        {"letters = on\r\nkeyboard=yes\r\n", With([](Settings& s) { s.letters = s.keyboard = true; })},
        {"scale=3\nfullscreen=1\nlanguage=pt_BR", With([](Settings& s) {
             s.scale = 3;
             s.fullscreen = true;
             s.language = "pt_BR";
         })},
        {"scale=2\nscale=auto\n# mine\ncolour=blue\n", {}},
    };
    for (const Case& c : cases) {
        Write(c.file);
        settings::Load();
        EXPECT_EQ(settings::Current(), c.want) << c.file;
        EXPECT_EQ(Options().sound, c.want.sound) << c.file;
        EXPECT_EQ(Options().letters, c.want.letters) << c.file;
    }
}

// Catches: half a bad file taken, a bad file rewritten or "repaired" at
// start-up, a FIFO read that blocks, a huge file read whole.
TEST_F(SettingsTest, BadFilesGiveTheDefaultsAndStayUntouched) {
    const std::string cases[] = {
        "sound=off\nletters\n",         // no '='
        "sound=off\nscale=5\n",         // out of range
        "language=../../etc\nsound=off\n",
        "fullscreen=maybe\n",
        std::string(20000, '#') + "\nsound=off\n",  // far too long
    };
    for (const std::string& text : cases) {
        Write(text);
        settings::Load();
        EXPECT_EQ(settings::Current(), Settings{}) << text;
        EXPECT_EQ(Read(), text);
    }
#ifndef _WIN32
    fs::remove(File());
    ASSERT_EQ(mkfifo(File().c_str(), 0600), 0);
    settings::Load();
    EXPECT_EQ(settings::Current(), Settings{});
    EXPECT_TRUE(fs::is_fifo(File()));
#endif
}

// Catches: the run's command-line choices written back, unknown lines lost,
// a changed setting not in force at once.
TEST_F(SettingsTest, AChangeKeepsTheFileAndLeavesTheCommandLineOut) {
    Write("# kept\ncolour=blue\nscale=2\n");
    settings::Load();
    Settings run = settings::Current();
    run.letters = true;  // --lettres
    run.scale = 1;       // --scale 1
    settings::Override(run);
    ASSERT_TRUE(settings::Change([](Settings& s) { s.sound = false; }));
    EXPECT_FALSE(Options().sound);
    EXPECT_TRUE(Options().letters);
    EXPECT_EQ(Read(), "sound=off\nletters=off\nkeyboard=off\nscale=2\nfullscreen=off\nlanguage=auto\n"
                      "# kept\ncolour=blue\n");
}

// F8 at any time: catches a sound still played when off, a playing sound not
// stopped, the yield inside the sound call dropped, the choice not kept.
TEST_F(SettingsTest, F8SilencesAtOnceAndIsRemembered) {
    WritePack(dataDir / "tessa320.dat", MakeRecord({"BBBBB"}));
    settings::Load();
    StartGame();
    int yields = 0;
    form->pctTete.MouseDown = [&](int, int, float, float) { ++yields; };
    Key(plat::vbKeyF8);
    EXPECT_EQ(host.soundStops, 1);
    EXPECT_EQ(Read(), settings::Format(With([](Settings& s) { s.sound = false; }), {}));
    host.MouseDown(*form, &form->pctTete, 5, 5);
    form->PlaySound(Sound::Take);
    EXPECT_EQ(yields, 1);
    EXPECT_TRUE(host.sounds.empty());
    Key(plat::vbKeyF8);
    form->PlaySound(Sound::Take);
    EXPECT_EQ(host.sounds.size(), 1u);
    EXPECT_EQ(host.soundStops, 1);
    settings::Load();
    EXPECT_TRUE(settings::Current().sound);
}
