// The golden journeys: every frame and sound of the saved-game journeys.
// SPDX-License-Identifier: GPL-3.0-or-later
// The saved-game journeys played through the window's controls, each step recorded (window digests, sounds
// asked for) and matched against tests/golden/<journey>.txt; GOLDEN_UPDATE=1 writes them anew. The files
// they write: the saved-game tests and saved_games.sh.
// They pin every pixel of the menu, the dialogs, a level played to victory and an abandon.
#include <deque>
#include <functional>
#include <sstream>

#include "tests/support/game_fixture.h"
#include "ui/dialogs.h"
#include "ui/geometry.h"

using namespace testing_support;

namespace {

// A point inside the piece's tray pick rectangle, in play-area pixels.
std::pair<int, int> Pick(int p) {
    for (const auto& r : geometry::kTrayRects)
        if (r.piece == p) return {(r.x1 + r.x2) / 2, (r.y1 + r.y2) / 2};
    return {};
}

std::uint64_t Digest(const plat::Surface& s, bool maskClock) {
    std::uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x) {
            // The clock shows the real time of day.
            const bool clock = maskClock && x >= 130 && x < 218 && y >= 455 && y < 479;
            h = (h ^ (clock ? 0 : s.At(x, y))) * 1099511628211ull;
        }
    return h;
}

struct Stuck {};

class GoldenTest : public GameTest {
protected:
    std::ostringstream record;
    std::deque<std::pair<std::string, std::function<void()>>> steps;
    size_t soundsSeen = 0;

    void SetUp() override {
        GameTest::SetUp();
        InstallShippedPacks();
    }

    void Snapshot(const std::string& what) {
        record << what << ":";
        for (plat::Form* f : plat::Forms())
            if (host.IsShown(*f)) record << " " << f->Name << "=" << std::hex << Digest(host.Frame(*f), f == form.get()) << std::dec;
        const auto& played = host.sounds;
        for (; soundsSeen < played.size(); ++soundsSeen) record << " +" << fs::path(played[soundsSeen]).filename().string();
        record << "\n";
    }
    void Then(std::string name, std::function<void()> act) { steps.emplace_back(std::move(name), std::move(act)); }

    // Runs the steps: each acts once the input of the one before is handled.
    void Play() {
        StartGame();
        form->state.random.Randomize(20261207u);
        host.OnSleep = [this](int ms) { Snapshot("  sleep " + std::to_string(ms)); };
        int idle = 0;
        host.OnIdle = [this, &idle] {
            // A journey whose steps ran out inside a loop of the game is stuck.
            if (steps.empty() && ++idle > 100000) throw Stuck{};
            if (host.Pending() || steps.empty()) return;
            // Input given while the window ignores it (the victory) would be lost.
            if (!form->Enabled()) return;
            auto step = std::move(steps.front());
            steps.pop_front();
            Snapshot(step.first);
            step.second();
        };
        try {
            while (!steps.empty() || host.Pending()) plat::DoEvents();
            Snapshot("end");
        } catch (const Stuck&) {
            ADD_FAILURE() << "the journey's steps ran out while the game waited for input";
        }
        host.OnIdle = nullptr;
        host.OnSleep = nullptr;
    }

    void Menu(int entry) {
        Then("menu", [this] { host.Click(*form, &form->imgMenu[0], 5, 5); });
        Then("menu entry " + std::to_string(entry), [this, entry] { host.Click(*form, &form->labMenu[entry], 5, 5); });
    }
    // A step acting on the dialog of that name, if it shows.
    void ThenIn(std::string name, const std::string& dialog, std::function<void(plat::Form&)> act) {
        Then(std::move(name), [this, dialog, act] {
            for (plat::Form* f : plat::Forms())
                if (f->Name == dialog && host.IsShown(*f)) act(*f);
        });
    }
    void Press(const std::string& dialog, int button) {
        ThenIn("press " + dialog + " " + std::to_string(button), dialog, [this, button](plat::Form& f) {
            host.Click(f, static_cast<Dialog&>(f).lbBout[static_cast<size_t>(button)].get(), 10, 5);
        });
    }
    void KeyIn(std::string name, const std::string& dialog, int key) {
        ThenIn(std::move(name), dialog, [this, key](plat::Form& f) { host.KeyDown(f, key); });
    }
    void Take(int p, const std::string& name) {
        Then(name, [this, p] { host.Click(*form, &form->pctEcran, Pick(p).first, Pick(p).second); });
    }
    void Glide(int fromX, int fromY, int toX, int toY) {
        for (int i = 1; i <= 4; ++i)
            host.MouseMove(*form, &form->pctEcran, fromX + (toX - fromX) * i / 4, fromY + (toY - fromY) * i / 4);
    }
    // Takes the piece, turns it by keys (Enter turns, Space mirrors) and drops it centred on the cell.
    void Place(int p, const std::string& keys, int column, int row) {
        Take(p, "take " + std::to_string(p));
        for (char key : keys)
            Then(key == ' ' ? "mirror" : "turn", [this, key] { host.KeyDown(*form, key == ' ' ? plat::vbKeySpace : plat::vbKeyReturn); });
        Then("drop " + std::to_string(p), [this, p, column, row] {
            const int x = CellX(column) + 12, y = CellY(row) + 12;
            Glide(Pick(p).first, Pick(p).second, x, y);
            host.MouseDown(*form, &form->pctEcran, x, y);
            host.MouseUp(*form, &form->pctEcran, x, y);
        });
    }
    void Compare(const std::string& journey) {
        const fs::path expected = fs::path(TESSALOR_SOURCE_DIR) / "tests/golden" / (journey + ".txt");
        if (std::getenv("GOLDEN_UPDATE")) WriteFile(expected, record.str());
        EXPECT_EQ(ReadFile(expected), record.str()) << "journey " << journey;
    }
};

}  // namespace

TEST_F(GoldenTest, NewGameSolvesItsFirstLevelAndSaves) {
    Menu(0);
    ThenIn("type name", "frmInput", [this](plat::Form& f) { host.Type(f, "Golden"); });
    Press("frmInput", 0);
    // The first level, "3 pièces #1": the Y, the P and the I.
    Place(6, "\r\r\r", 7, 9);
    Place(4, "\r\r\r \r", 7, 7);
    Place(0, "", 5, 7);
    Menu(2);
    Play();
    Compare("new_game");
}

TEST_F(GoldenTest, LoadGameResumesAndChooserDeletes) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += i < 3 || i == 5 ? "#TRUE#\r\n" : "#FALSE#\r\n";
    fs::create_directories(saveDir);
    WriteFile(saveDir / "alpha.pnt", text);
    WriteFile(saveDir / "beta.pnt", text);
    Menu(1);
    KeyIn("down", "frmChoix", plat::vbKeyDown);
    KeyIn("delete", "frmChoix", plat::vbKeyDelete);
    Press("frmMess", 0);
    KeyIn("down again", "frmChoix", plat::vbKeyDown);
    Press("frmChoix", 0);
    Take(0, "take");
    Menu(2);
    Play();
    Compare("load_game");
}
