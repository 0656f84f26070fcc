// A main window started on the headless host, with its own data and save
// directories, so every test begins from a fresh start-up.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/modtessa.h"
#include "base/files.h"
#include "base/pack.h"
#include "flow/flow.h"
#include "platform/headless.h"
#include "tests/support/records.h"
#include "tests/support/temp_dir.h"
#include "ui/frmtessa.h"
#include "ui/geometry.h"

namespace testing_support {

namespace fs = std::filesystem;

// Writes a pack file holding the records, scrambled, with its two trailer bytes.
void WritePack(const fs::path& path, const std::string& records);

class GameTest : public ::testing::Test {
protected:
    plat::HeadlessHost host;
    TempDir scratch;
    fs::path root = scratch.Path(), dataDir, saveDir;
    std::unique_ptr<frmTessa> form;
    // The game in the window (a state of its own before the window opens), and its board.
    modTessa::GameState loose;
    modTessa::GameState& S() { return form ? form->state : loose; }
    rules::Board& B() { return S().board; }

    void SetUp() override;
    void TearDown() override;

    // Copies the shipped packs beside the game (the background picture is always there).
    void InstallShippedPacks();
    // Runs the window's load and shows it.
    void StartGame();
    // Level 0 set up and in play, with no sound played yet.
    void BeginLevel();

    // Input on the play area, in play-area pixels, handled at once.
    void ClickScreen(int x, int y, int button = plat::vbLeftButton);
    void MoveScreen(int x, int y);
    void Key(int key, int shift = 0);
    // Clicks a cell of the piece in its tray slot.
    void TakeFromTray(int p);
    void Pump(int times = 3);
    plat::Surface& Screen() { return form->pctEcran.Image; }
    std::vector<std::string> Sounds() const;  // file names handed to the sound control
};

#ifndef _WIN32
// While it lives, writes to regular files fail past `bytes`, as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(unsigned long bytes);
    ~FileSizeLimit();

private:
    unsigned long soft_;
};
#define DISK_FULL_PAST(bytes) const FileSizeLimit diskFull(bytes)
#else
#define DISK_FULL_PAST(bytes) GTEST_SKIP() << "Linux only from here: a full disk is a setrlimit file size limit"
#endif

// A board cell's top-left corner in play-area pixels, as the game places it.
inline int CellX(int column) { return geometry::CellLeft(column); }
inline int CellY(int row) { return geometry::CellTop(row); }

}  // namespace testing_support
