// The game's state: one value the main window owns and hands to the routines.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "rules/board.h"

namespace modTessa {

// The random sequence of the random shapes; seeded from the clock at start-up.
class Random {
public:
    void Randomize();  // from the system clock
    void Randomize(std::uint32_t seed) { generator_.seed(seed); }
    // Next value, 0 <= r < 1.
    double Rnd() { return static_cast<double>(generator_()) / 4294967296.0; }

private:
    std::mt19937 generator_{12345u};
};

struct GameState {
    std::string strDataDir;
    std::string strSaveDir;
    std::string strLevelData;  // the records of every pack, 256 bytes each
    std::int32_t nLevelCount = 0;
    std::string strGameName;                // the saved game's file, empty in random play
    std::vector<std::string> tabLevelName;  // 0..nLevelCount
    std::vector<bool> tabLevelDone;         // 0..nLevelCount
    std::int32_t nCurLevel = 0;
    bool bLevelActive = false;
    bool bShowSolution = false;
    rules::Board board;
    Random random;
    // The shape in play: its code, the key of its record, and the clocks at
    // its set-up (the time, the time held so far).
    std::string strShapeCode;
    double dSetUpTime = 0, dSetUpHeld = 0;
};

// True if the file can be opened for reading.
bool FileExists(const std::string& path);
// Makes sure the save directory and its parent exist; reports nothing.
void CreateSaveDirs(const GameState& state);

void LoadLevelPacks(GameState& state);
void FillLevelNames(GameState& state);

// A start-up failure the player must be told about before the program ends.
struct StartupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace modTessa
