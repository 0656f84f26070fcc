// Saved games: one line "#TRUE#" or "#FALSE#" per level, CR LF.
#include <algorithm>
#include <iostream>
#include <string>

#include "flow/flow.h"
#include "platform/files.h"

namespace modTessa {

namespace {

// A line is at most "#FALSE#" CR LF; a little room for a file from elsewhere.
constexpr std::size_t kBytesPerLevel = 9;
constexpr std::size_t kSlack = 4096;

std::string ProgressText(const GameState& state, bool withProgress) {
    std::string text;
    text.reserve(static_cast<std::size_t>(std::max(state.nLevelCount, 0)) * kBytesPerLevel);
    for (std::int32_t i = 0; i < state.nLevelCount; ++i)
        text += withProgress && state.tabLevelDone[static_cast<size_t>(i)] ? "#TRUE#\r\n" : "#FALSE#\r\n";
    return text;
}

}  // namespace

void ClearProgress(GameState& state) {
    for (std::int32_t i = 0; i < state.nLevelCount; ++i) state.tabLevelDone[static_cast<size_t>(i)] = false;
}

bool LoadProgress(GameState& state) {
    const std::size_t limit = static_cast<std::size_t>(std::max(state.nLevelCount, 0)) * kBytesPerLevel + kSlack;
    std::string text;
    if (!plat::ReadRegularFile(state.strSaveDir + state.strGameName, limit, text)) {
        ClearProgress(state);
        return true;
    }
    // Line by line: a line that is not one of the two words only loses its
    // own level, and levels past the end keep what the caller set.
    std::size_t pos = 0;
    for (std::int32_t i = 0; i < state.nLevelCount && pos < text.size(); ++i) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        state.tabLevelDone[static_cast<size_t>(i)] = line == "#TRUE#";
        pos = end + 1;
    }
    for (std::int32_t i = 0; i < state.nLevelCount; ++i)
        if (!state.tabLevelDone[static_cast<size_t>(i)]) return true;
    return false;
}

bool SaveProgress(GameState& state) {
    const std::string path = state.strSaveDir + state.strGameName;
    CreateSaveDirs(state);  // the folder may have been removed while playing
    const bool ok = plat::ReplaceFile(path, ProgressText(state, true));
    if (!ok) std::cerr << "tessalor: impossible d'enregistrer la partie « " << path << " »\n";
    return ok;
}

}  // namespace modTessa

namespace modTessa {

plat::CreateResult CreateGameFile(GameState& state, const std::string& fileName) {
    CreateSaveDirs(state);
    return plat::CreateNewFile(state.strSaveDir + fileName, ProgressText(state, false));
}

}  // namespace modTessa
