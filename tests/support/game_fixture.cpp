// The window-test fixture: a game on the headless host with its own files.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/game_fixture.h"

#include "levels/catalogue.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <csignal>
#endif

namespace testing_support {

void WritePack(const fs::path& path, const std::string& records) {
    WriteFile(path, pack::Scramble(records) + "\r\n");
}

void GameTest::SetUp() {
    dataDir = root / "game";
    fs::create_directories(dataDir);
    // The save folders' parent, on Linux and on Windows.
    for (const char* home : {"XDG_DATA_HOME", "TESSALOR_SAVE_HOME", "XDG_CONFIG_HOME", "APPDATA"}) setenv(home, (root / "xdg").string().c_str(), 1);
    setenv("TESSALOR_LOCK_FILE", (root / "lock").string().c_str(), 1);
    saveDir = root / "xdg" / "kvtscore" / "tessa2002";
    plat::SetHost(&host);
    fs::copy_file(fs::path(TESSALOR_DATA_DIR) / "tessa32c.dat", dataDir / "tessa32c.dat");
}

void GameTest::TearDown() {
    form.reset();
    plat::SetHost(nullptr);
}

void GameTest::InstallShippedPacks() {
    for (int i = 0; i < pack::kMaxPacks; ++i) {
        const fs::path p = fs::path(TESSALOR_DATA_DIR) / pack::PackFileName(i);
        if (fs::exists(p))
            fs::copy_file(p, dataDir / p.filename(), fs::copy_options::overwrite_existing);
    }
}

void GameTest::StartGame() {
    form = std::make_unique<frmTessa>();
    const std::string dir = dataDir.string();
    form->ExecutableDirectory = [dir] { return dir; };
    form->Show();
}

void GameTest::BeginLevel() {
    form->SetUpLevel(0);
    S().bLevelActive = true;
    host.sounds.clear();
}

void GameTest::ClickScreen(int x, int y, int button) {
    host.MouseDown(*form, &form->pctEcran, x, y, button);
    host.MouseUp(*form, &form->pctEcran, x, y, button);
    Pump();
}

void GameTest::MoveScreen(int x, int y) {
    host.MouseMove(*form, &form->pctEcran, x, y);
    Pump();
}

void GameTest::Key(int key, int shift) {
    host.KeyDown(*form, key, shift);
    Pump();
}

void GameTest::TakeFromTray(int p) {
    const auto& slot = catalogue::kPieces[static_cast<size_t>(p)];
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c) {
            const int x = slot.trayX + 24 * c + 12, y = slot.trayY + 24 * r + 12;
            if (rules::CatalogueGrid(p)[r][c] && x >= 0 && x < 720) {
                ClickScreen(x, y);
                return;
            }
        }
}

void GameTest::Pump(int times) {
    for (int i = 0; i < times; ++i) plat::DoEvents();
}

#ifndef _WIN32
FileSizeLimit::FileSizeLimit(unsigned long bytes) {
    std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    soft_ = r.rlim_cur;
    r.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &r);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit r{};
    getrlimit(RLIMIT_FSIZE, &r);
    r.rlim_cur = soft_;
    setrlimit(RLIMIT_FSIZE, &r);
}
#endif

std::vector<std::string> GameTest::Sounds() const {
    std::vector<std::string> names;
    for (const std::string& p : host.sounds) names.push_back(fs::path(p).filename().string());
    return names;
}

}  // namespace testing_support
