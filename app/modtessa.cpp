#include "app/modtessa.h"

#include <chrono>
#include <cstring>
#include <filesystem>

#include "platform/files.h"
#include "platform/system.h"

namespace modTessa {

namespace {
std::mt19937 generator{12345u};
}

void ResetState() {
    strDataDir.clear();
    strSaveDir.clear();
    strLevelData.clear();
    nLevelCount = 0;
    strGameName.clear();
    tabLevelName.clear();
    tabLevelDone.clear();
    nCurLevel = 0;
    std::memset(tabPieceOrient, 0, sizeof tabPieceOrient);
    std::memset(tabPieceShape, 0, sizeof tabPieceShape);
    std::memset(tabSolution, 0, sizeof tabSolution);
    std::memset(tabBoard, 0, sizeof tabBoard);
    std::memset(tabInTray, 0, sizeof tabInTray);
    std::memset(tabTrayX, 0, sizeof tabTrayX);
    std::memset(tabTrayY, 0, sizeof tabTrayY);
    nHeldPiece = 0;
    nHeldX = nHeldY = 0;
    bMenuShown = bLevelActive = bBoardFull = bShowSolution = vbFalse;
}

void Randomize() {
    Randomize(static_cast<std::uint32_t>(
        std::chrono::system_clock::now().time_since_epoch().count()));
}

void Randomize(std::uint32_t seed) { generator.seed(seed); }

double Rnd() { return static_cast<double>(generator()) / 4294967296.0; }

bool FileExists(const std::string& path) { return plat::CanReadRegularFile(path); }

void CreateSaveDirs() {
    // Directories are made without touching the working directory.
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const std::string& dir : {plat::SaveRootDir(), strSaveDir}) {
        if (dir.empty()) continue;
        const fs::path p(dir);
        if (fs::is_directory(p, ec)) continue;
        fs::create_directories(p, ec);
    }
}

}  // namespace modTessa
