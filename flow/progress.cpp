// Saved games: one line "#TRUE#" or "#FALSE#" per level, CR LF.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "ui/frmtessa.h"

namespace modTessa {

namespace {

void ClearProgress() {
    for (std::int32_t i = 0; i < nLevelCount; ++i) tabLevelDone[static_cast<size_t>(i)] = vbFalse;
}

}  // namespace

bool LoadProgress() {
    std::ifstream in(strSaveDir + strGameName, std::ios::binary);
    bool ok = in.is_open();
    std::string line;
    for (std::int32_t i = 0; ok && i < nLevelCount; ++i) {
        if (!std::getline(in, line)) {
            ok = !in.bad();
            break;  // end of file: the remaining levels keep their values
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == "#TRUE#") tabLevelDone[static_cast<size_t>(i)] = vbTrue;
        else if (line == "#FALSE#") tabLevelDone[static_cast<size_t>(i)] = vbFalse;
        else ok = false;
    }
    if (!ok) {
        ClearProgress();
        return true;
    }
    for (std::int32_t i = 0; i < nLevelCount; ++i)
        if (!tabLevelDone[static_cast<size_t>(i)]) return true;
    return false;
}

bool SaveProgress() {
    // Written beside the old file and renamed over it, so a failure never
    // leaves a half-written game.
    namespace fs = std::filesystem;
    const std::string path = strSaveDir + strGameName;
    const std::string temp = path + ".tmp";
    bool ok = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out.is_open()) {
            for (std::int32_t i = 0; i < nLevelCount; ++i)
                out << (tabLevelDone[static_cast<size_t>(i)] ? "#TRUE#\r\n" : "#FALSE#\r\n");
            out.flush();
            ok = out.good();
        }
    }
    std::error_code ec;
    if (ok) {
        fs::rename(temp, path, ec);
        ok = !ec;
    }
    if (!ok) {
        fs::remove(temp, ec);
        std::cerr << "tessalor: impossible d'enregistrer la partie « " << path << " »\n";
    }
    return ok;
}

}  // namespace modTessa
