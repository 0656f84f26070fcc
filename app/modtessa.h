// Shared game state and the routines several windows use.
#pragma once
#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

// Flags and boolean tables are 16-bit: true = -1, false = 0.
using Bool16 = std::int16_t;
inline constexpr Bool16 vbTrue = -1;
inline constexpr Bool16 vbFalse = 0;
inline constexpr Bool16 ToBool16(bool b) { return b ? vbTrue : vbFalse; }

namespace modTessa {

inline constexpr int kPieceSlots = 13;  // pieces 0..11, entry 12 spare
inline constexpr int kGrid = 6;         // grids 0..5, rows and columns 0..4 used
inline constexpr int kBoardDim = 17;    // board 0..16, columns and rows 0..15 used

inline std::string strDataDir;
inline std::string strSaveDir;
inline std::string strLevelData;
inline std::int32_t nLevelCount = 0;
inline std::string strGameName;
inline std::vector<std::string> tabLevelName;  // 0..nLevelCount
inline std::vector<Bool16> tabLevelDone;       // 0..nLevelCount
inline std::int32_t nCurLevel = 0;
inline std::int32_t tabPieceOrient[kPieceSlots][kGrid][kGrid];
inline std::int32_t tabPieceShape[kPieceSlots][kGrid][kGrid];
inline std::int16_t tabSolution[kBoardDim][kBoardDim];  // [column][row]
inline std::int16_t tabBoard[kBoardDim][kBoardDim];     // [column][row]
inline Bool16 tabInTray[kPieceSlots];
inline std::int32_t tabTrayX[kPieceSlots];
inline std::int32_t tabTrayY[kPieceSlots];
inline std::int32_t nHeldPiece = 0;
inline std::int32_t nHeldX = 0;
inline std::int32_t nHeldY = 0;
inline Bool16 bMenuShown = vbFalse;
inline Bool16 bLevelActive = vbFalse;
inline Bool16 bBoardFull = vbFalse;
inline Bool16 bShowSolution = vbFalse;

// Back to the state before start-up (tests run many games in one process).
void ResetState();

// Seeds the generator from the system timer.
void Randomize();
void Randomize(std::uint32_t seed);
// Next value of the generator, 0 <= r < 1.
double Rnd();

// True if the file can be opened for reading.
bool FileExists(const std::string& path);
// Makes sure the save directory and its parent exist; reports nothing.
void CreateSaveDirs();

void LoadLevelPacks();
void FillLevelNames();
void InitPieces();
void PlaySound(const std::string& fileName);

// A start-up failure the player must be told about before the program ends.
struct StartupError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

}  // namespace modTessa
