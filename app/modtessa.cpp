// The random sequence and the save folders.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/modtessa.h"

#include <chrono>
#include <filesystem>

#include "base/files.h"
#include "platform/system.h"

namespace modTessa {

void Random::Randomize() {
    Randomize(static_cast<std::uint32_t>(std::chrono::system_clock::now().time_since_epoch().count()));
}

bool FileExists(const std::string& path) { return plat::CanReadRegularFile(path); }

void CreateSaveDirs(const GameState& state) {
    // Directories are made without touching the working directory.
    namespace fs = std::filesystem;
    std::error_code ec;
    for (const std::string& dir : {plat::SaveRootDir(), state.strSaveDir}) {
        if (dir.empty()) continue;
        const fs::path p = plat::PathOf(dir);
        if (fs::is_directory(p, ec)) continue;
        fs::create_directories(p, ec);
    }
}

}  // namespace modTessa
